#include "platform/windows/tick_count_extension.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

TEST(TickCountExtensionTest, FirstReadingCountsAsItIsAndWrapsAddTwoToThe32) {
    TickCountExtension extension;
    EXPECT_EQ(3000000000u, extension.extend(3000000000u)) << "a machine up for 35 days";
    EXPECT_EQ(0xFFFFFF00u, extension.extend(0xFFFFFF00u));
    EXPECT_EQ(0x100000100u, extension.extend(0x100u));
    EXPECT_EQ(0x17FFFFFFFu, extension.extend(0x7FFFFFFFu));
    EXPECT_EQ(0x1F0000000u, extension.extend(0xF0000000u));
    EXPECT_EQ(0x200000005u, extension.extend(5u)) << "the second wrap";
}

TEST(TickCountExtensionTest, AnOlderReadingNeitherRunsBackNorCountsAWrap) {
    TickCountExtension extension;
    EXPECT_EQ(1000u, extension.extend(1000u));
    EXPECT_EQ(1000u, extension.extend(999u));
    EXPECT_EQ(1001u, extension.extend(1001u));
    EXPECT_EQ(0x80000002u, extension.extend(0x80000002u));
    EXPECT_EQ(0x80000002u, extension.extend(0x80000001u));
}

TEST(TickCountExtensionTest, ThreadsReadingAcrossAWrapSeeTheirCountsRiseAndNeverPassTheClock) {
    TickCountExtension extension;
    std::atomic<std::uint64_t> clock{0xFFFFF000u};
    extension.extend(0xFFFFF000u);
    std::vector<std::thread> threads;
    std::atomic<int> faults{0};
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&] {
            std::uint64_t previous = 0;
            for (int i = 0; i < 20000; ++i) {
                const std::uint64_t now = clock.fetch_add(1) + 1;
                const std::uint64_t count = extension.extend(static_cast<std::uint32_t>(now));
                // Another thread's later reading may be counted already, but
                // no count runs ahead of the clock (a wrap counted twice would).
                if (count < previous || count > clock.load()) ++faults;
                previous = count;
            }
        });
    for (std::thread& thread : threads) thread.join();
    EXPECT_EQ(0, faults.load());
    EXPECT_EQ(clock.load(), extension.extend(static_cast<std::uint32_t>(clock.load())));
}

}  // namespace
