#include "bench/marlune_timer.h"

#include "base/errors.h"
#include "platform/platform.h"

CounterSource counterSource = {platform::counterFrequency, platform::counterValue};

namespace {

int frequencyKnown = 0;
std::int64_t frequency = 0;
double frequencyAsDouble = 0;
std::int64_t startCount = 0;
std::int64_t stopCount = 0;
double elapsedSeconds = 0;
bool started = false;

}  // namespace

void startTimer() {
    if (!frequencyKnown) {
        frequency = counterSource.frequency();
        // Without a counter no interval can be measured honestly.
        if (frequency <= 0) throw KorvexError(ErrorKind::general, "No high-resolution performance counter");
        frequencyAsDouble = static_cast<double>(frequency);
        frequencyKnown = 1;
    }
    startCount = counterSource.value();
    started = true;
}

double stopTimer() {
    stopCount = counterSource.value();
    if (!started) return 0.0;
    const std::int64_t delta = checkedSubtract(stopCount, startCount);
    elapsedSeconds = static_cast<double>(delta) / frequencyAsDouble;
    return elapsedSeconds * 1000.0;
}

void resetTimer() {
    frequencyKnown = 0;
    started = false;
}
