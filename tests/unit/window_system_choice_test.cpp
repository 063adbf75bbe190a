// Which window system makes the context, with fake EGL and GLX window systems
// that fail as a machine without libEGL or without an X display does.
#include "platform/linux/window_system_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using linux_window_system::WindowSystem;

// Each fake window system answers createContext with its `failure` and logs
// what is asked of it.
struct Log {
    static inline std::vector<std::string> calls;
    static inline platform::Failure eglFailure;
    static inline platform::Failure glxFailure;
};

template <const char* name, platform::Failure& failure>
WindowSystem fakeWindowSystem() {
    WindowSystem system{};
    system.name = name;
    system.createContext = [](int device, int, int) {
        Log::calls.push_back(std::string(name) + " create " + std::to_string(device));
        return failure;
    };
    system.releaseContext = [] { Log::calls.push_back(std::string(name) + " release"); };
    return system;
}

constexpr char eglName[] = "egl";
constexpr char glxName[] = "glx";
const WindowSystem egl = fakeWindowSystem<eglName, Log::eglFailure>();
const WindowSystem glx = fakeWindowSystem<glxName, Log::glxFailure>();

const platform::Failure eglMissing{"dlopen", false, "libEGL.so.1 not found"};
const platform::Failure noDisplay{"XOpenDisplay", false, "cannot open display \"\" (DISPLAY is not set)"};

linux_window_system::Choice choose(const platform::DisplayRequest& request,
                                   const platform::Failure& eglFailure, const platform::Failure& glxFailure) {
    Log::calls.clear();
    Log::eglFailure = eglFailure;
    Log::glxFailure = glxFailure;
    return linux_window_system::makeContext(linux_window_system::candidates(request, egl, glx),
                                            request.device, 512, 768);
}

TEST(WindowSystemChoiceTest, AutomaticTakesEglWhereItWorksAndGlxWithoutTheEglLibrary) {
    const auto eglWorks = choose({}, {}, noDisplay);
    EXPECT_EQ(&egl, eglWorks.chosen);
    EXPECT_FALSE(eglWorks.failure);
    EXPECT_EQ(std::vector<std::string>{"egl create -1"}, Log::calls) << "GLX is not tried";

    const auto withoutEgl = choose({}, eglMissing, {});
    EXPECT_EQ(&glx, withoutEgl.chosen);
    EXPECT_FALSE(withoutEgl.failure);
    EXPECT_EQ((std::vector<std::string>{"egl create -1", "egl release", "glx create -1"}), Log::calls);
}

TEST(WindowSystemChoiceTest, WhenNeitherWorksOneLineNamesBothReasons) {
    const auto neither = choose({}, eglMissing, noDisplay);
    EXPECT_EQ(nullptr, neither.chosen);
    ASSERT_TRUE(neither.failure);
    EXPECT_EQ("EGL: libEGL.so.1 not found; GLX: cannot open display \"\" (DISPLAY is not set)",
              neither.failure.line);
    EXPECT_EQ((std::vector<std::string>{"egl create -1", "egl release", "glx create -1", "glx release"}),
              Log::calls);

    // A failed call without a reason of its own reads as the usual line.
    const auto calls = choose({}, {"eglInitialize"}, {"glXChooseFBConfig"});
    EXPECT_EQ("EGL: eglInitialize failed; GLX: glXChooseFBConfig failed", calls.failure.line);
}

TEST(WindowSystemChoiceTest, AChosenWindowSystemOrDeviceIsTheOnlyOneTried) {
    using platform::WindowSystem;
    const auto glxOnly = choose({WindowSystem::glx, -1}, {}, noDisplay);
    EXPECT_EQ(nullptr, glxOnly.chosen);
    EXPECT_EQ(noDisplay.line, glxOnly.failure.line) << "a lone failure keeps its own line";
    EXPECT_EQ((std::vector<std::string>{"glx create -1", "glx release"}), Log::calls);

    const auto eglOnly = choose({WindowSystem::egl, -1}, eglMissing, {});
    EXPECT_EQ("dlopen", eglOnly.failure.name);
    EXPECT_EQ(eglMissing.line, eglOnly.failure.line);

    // A device is EGL's, so the automatic choice does not fall back to GLX.
    const auto device = choose({WindowSystem::automatic, 1}, {"eglInitialize"}, {});
    EXPECT_EQ(nullptr, device.chosen);
    EXPECT_EQ("", device.failure.line);
    EXPECT_EQ((std::vector<std::string>{"egl create 1", "egl release"}), Log::calls);
}

}  // namespace
