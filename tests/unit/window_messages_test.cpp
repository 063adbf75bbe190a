#include "platform/windows/window_messages.h"

#include <gtest/gtest.h>

#include "platform/viewport.h"
#include "tests/support/recording_gl.h"

namespace {

TEST(WindowMessagesTest, EachMessageGetsItsReply) {
    using A = WindowMessageAction;
    struct Case {
        unsigned message;
        A action;
    };
    for (const Case& c : {Case{0x0001, A::ignore}, Case{0x0005, A::setViewport}, Case{0x0010, A::postQuit},
                          Case{0x0100, A::ignore}, Case{0x0101, A::ignore}, Case{0x000F, A::passOn},
                          Case{0x0002, A::passOn}, Case{0x0102, A::passOn}})
        EXPECT_EQ(c.action, windowMessageReply(c.message, 0).action) << std::hex << c.message;
}

TEST(WindowMessagesTest, SizeTakesWidthFromTheLowAndHeightFromTheHighWord) {
    struct Case {
        std::uint64_t lParam;
        int width, height;
    };
    for (const Case& c : {Case{0x030001F8, 504, 768}, Case{0xFFFFFFFF, 65535, 65535},
                          Case{0x0000FFFF, 65535, 0}, Case{0xABCD000012340010ull, 16, 0x1234}}) {
        const WindowMessageReply reply = windowMessageReply(0x0005, c.lParam);
        EXPECT_EQ(c.width, reply.width) << std::hex << c.lParam;
        EXPECT_EQ(c.height, reply.height) << std::hex << c.lParam;
    }
}

TEST(WindowMessagesTest, SizeWithZeroHeightGivesAViewportOfHeightOne) {
    recording_gl::Install fakes;
    for (const std::uint64_t lParam : {0x00000200ull, 0x03000000ull}) {
        const WindowMessageReply reply = windowMessageReply(0x0005, lParam);
        platform::setViewport(reply.width, reply.height);
    }
    EXPECT_EQ((std::vector<std::string>{"glViewport(0, 0, 512, 1)", "glViewport(0, 0, 0, 768)"}),
              recording_gl::calls());
}

}  // namespace
