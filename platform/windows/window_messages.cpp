#include "platform/windows/window_messages.h"

WindowMessageReply windowMessageReply(unsigned message, std::uint64_t lParam) {
    switch (message) {
        case window_message::create:
        case window_message::keyDown:
        case window_message::keyUp:
            return {WindowMessageAction::ignore};
        case window_message::size:
            return {WindowMessageAction::setViewport, static_cast<int>(lParam & 0xFFFF),
                    static_cast<int>((lParam >> 16) & 0xFFFF)};
        case window_message::close:
            return {WindowMessageAction::postQuit};
        default:
            return {WindowMessageAction::passOn};
    }
}
