#include "bench/marlune_timer.h"

#include "base/errors.h"
#include "platform/platform.h"

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
        frequency = platform::current().counterFrequency();
        // Without a counter no interval can be measured honestly.
        if (frequency <= 0) throw KorvexError(ErrorKind::general, "No high-resolution performance counter");
        frequencyAsDouble = static_cast<double>(frequency);
        frequencyKnown = 1;
    }
    startCount = platform::current().counterValue();
    started = true;
}

double stopTimer() {
    stopCount = platform::current().counterValue();
    if (!started) return 0.0;
    const std::int64_t delta = checkedSubtract(stopCount, startCount);
    elapsedSeconds = static_cast<double>(delta) / frequencyAsDouble;
    return elapsedSeconds * 1000.0;
}

void resetTimer() {
    frequencyKnown = 0;
    started = false;
}
