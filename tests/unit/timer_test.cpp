#include <gtest/gtest.h>

#include <limits>

#include "base/errors.h"
#include "bench/marlune_timer.h"
#include "tests/support/fake_platform.h"

namespace {

std::int64_t fakeCount = 0;
int frequencyReads = 0;
std::int64_t fakeFrequency = 1000000;

std::int64_t readFrequency() {
    ++frequencyReads;
    return fakeFrequency;
}
std::int64_t readCounter() { return fakeCount; }

class TimerTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_.operations.counterFrequency = readFrequency;
        platform_.operations.counterValue = readCounter;
        platform_.install();
        resetTimer();
        frequencyReads = 0;
        fakeCount = 0;
        fakeFrequency = 1000000;
    }
    void TearDown() override { resetTimer(); }
    FakePlatform platform_;
};

TEST_F(TimerTest, MillionCountsAtOneMegahertzAreOneSecond) {
    startTimer();
    fakeCount = 1000000;
    EXPECT_DOUBLE_EQ(1000.0, stopTimer());
}

TEST_F(TimerTest, ZeroIntervalIsZero) {
    fakeCount = 42;
    startTimer();
    EXPECT_EQ(0.0, stopTimer());
}

TEST_F(TimerTest, FrequencyIsReadOncePerProcess) {
    for (int i = 0; i < 5; ++i) {
        startTimer();
        stopTimer();
    }
    EXPECT_EQ(1, frequencyReads);
}

TEST_F(TimerTest, SecondStopMeasuresFromTheSameStart) {
    startTimer();
    fakeCount = 10;
    const double first = stopTimer();
    fakeCount = 30;
    EXPECT_GT(stopTimer(), first);
    EXPECT_DOUBLE_EQ(0.03, stopTimer());
}

TEST_F(TimerTest, StopWithoutStartIsZero) {
    fakeCount = 5000;
    EXPECT_EQ(0.0, stopTimer());
}

TEST_F(TimerTest, MissingCounterIsAnError) {
    fakeFrequency = 0;
    EXPECT_THROW(startTimer(), KorvexError);
}

TEST_F(TimerTest, OverflowingIntervalRaisesIntegerOverflow) {
    fakeCount = std::numeric_limits<std::int64_t>::min();
    startTimer();
    fakeCount = std::numeric_limits<std::int64_t>::max();
    try {
        stopTimer();
        FAIL() << "no overflow raised";
    } catch (const KorvexError& error) {
        EXPECT_EQ(ErrorKind::intOverflow, error.kind());
    }
}

}  // namespace
