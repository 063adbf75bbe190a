#include "platform/linux/window_system_choice.h"

#include <cctype>

namespace linux_window_system {

namespace {

std::string upperCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string reason(const platform::Failure& failure) {
    if (!failure.line.empty()) return failure.line;
    return failure.name + (failure.unsupported ? " not supported" : " failed");
}

}  // namespace

std::vector<const WindowSystem*> candidates(const platform::DisplayRequest& request, const WindowSystem& egl,
                                            const WindowSystem& glx) {
    using platform::WindowSystem;
    if (request.windowSystem == WindowSystem::egl || request.device >= 0) return {&egl};
    if (request.windowSystem == WindowSystem::glx) return {&glx};
    return {&egl, &glx};
}

Choice makeContext(const std::vector<const WindowSystem*>& candidates, int device, int width, int height) {
    Choice choice;
    std::string reasons;
    for (const WindowSystem* candidate : candidates) {
        const platform::Failure failure = candidate->createContext(device, width, height);
        if (!failure) return {candidate, {}};
        candidate->releaseContext();
        choice.failure = failure;
        reasons += (reasons.empty() ? "" : "; ") + upperCase(candidate->name) + ": " + reason(failure);
    }
    if (candidates.size() > 1) choice.failure = {choice.failure.name, false, reasons};
    return choice;
}

}  // namespace linux_window_system
