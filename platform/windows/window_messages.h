// What the window procedure does with each message. The window only carries
// the GL context and runs no message loop, so it reacts to very little.
#pragma once

#include <cstdint>

namespace window_message {
constexpr unsigned create = 0x0001;
constexpr unsigned size = 0x0005;
constexpr unsigned close = 0x0010;
constexpr unsigned keyDown = 0x0100;
constexpr unsigned keyUp = 0x0101;
}  // namespace window_message

enum class WindowMessageAction {
    ignore,       // handled, result 0
    setViewport,  // setViewport(width, height), result 0
    postQuit,     // PostQuitMessage(0), result 0
    passOn,       // the default window procedure decides
};

struct WindowMessageReply {
    WindowMessageAction action = WindowMessageAction::passOn;
    int width = 0;
    int height = 0;
};

// The reply to `message`; for WM_SIZE the new client size is the low and the
// high 16 bits of `lParam`, both unsigned.
WindowMessageReply windowMessageReply(unsigned message, std::uint64_t lParam);
