// The GLX window system against a fake GLX layer, as the Windows pixel-buffer
// tests fake WGL: which pixel buffer the configs lead to, and an X error as
// the stop of the step that caused it.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "base/errors.h"
#include "bench/marlune_glwindow.h"
#include "platform/linux/glx_api.h"
#include "platform/linux/glx_config_attributes.h"
#include "platform/linux/window_system.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"
#include "tests/unit/fake_extensions.h"

namespace {

using namespace linux_glx;
using Calls = std::vector<std::string>;

// The server's answers: `floatConfigs` float configs, a pbuffer that raises
// `pbufferError` (0 for none) after it was made.
struct FakeServer {
    static inline int floatConfigs = 0;
    static inline unsigned char pbufferError = 0;
    static inline XErrorHandler handler = nullptr;
    static inline Calls calls;
    static inline char displayRecord = 0;
    static inline GLXFBConfig configs[2] = {reinterpret_cast<GLXFBConfig>(0x10),
                                            reinterpret_cast<GLXFBConfig>(0x20)};
    static inline XVisualInfo visual{};
    static inline int nextContext = 1;

    static Display* display() { return reinterpret_cast<Display*>(&displayRecord); }
    static bool lists(const int* attributes, int name, int value) {
        for (; attributes[0] != None; attributes += 2)
            if (attributes[0] == name && attributes[1] == value) return true;
        return false;
    }

    static Display* openDisplay(const char*) { return display(); }
    static int closeDisplay(Display*) { return 0; }
    static XErrorHandler setErrorHandler(XErrorHandler next) {
        const XErrorHandler previous = handler;
        handler = next;
        return previous;
    }
    static int errorText(Display*, int code, char* text, int length) {
        std::strncpy(text, code == BadMatch ? "BadMatch" : "other", static_cast<std::size_t>(length));
        return 0;
    }
    static int sync(Display*, Bool) { return 0; }
    static int defaultScreen(Display*) { return 0; }
    static Window rootWindow(Display*, int) { return 1; }
    static Colormap createColormap(Display*, Window, Visual*, int) { return 2; }
    static int freeColormap(Display*, Colormap) { return 0; }
    static Window createWindow(Display*, Window, int, int, unsigned width, unsigned height, unsigned, int,
                               unsigned, Visual*, unsigned long, XSetWindowAttributes*) {
        calls.push_back(recording_gl::call("XCreateWindow", width, height));
        return 3;
    }
    static int destroyWindow(Display*, Window) { return 0; }
    static int freeData(void*) { return 0; }
    static Bool queryVersion(Display*, int* major, int* minor) {
        *major = 1;
        *minor = 4;
        return True;
    }
    static const char* extensions(Display*, int) { return "GLX_SGIX_pbuffer GLX_ARB_fbconfig_float"; }
    static GLXFBConfig* chooseConfig(Display*, int, const int* attributes, int* count) {
        const bool window = lists(attributes, token::DRAWABLE_TYPE, token::WINDOW_BIT);
        *count = window ? 1 : floatConfigs;
        return *count > 0 ? (window ? configs : configs + 1) : nullptr;
    }
    static XVisualInfo* visualOf(Display*, GLXFBConfig) { return &visual; }
    static GLXContext createContext(Display*, GLXFBConfig config, int renderType, GLXContext share, Bool) {
        calls.push_back(recording_gl::call("glXCreateNewContext", config == configs[1] ? "float" : "window",
                                           renderType, share != nullptr ? "shared" : "alone"));
        return reinterpret_cast<GLXContext>(static_cast<std::intptr_t>(nextContext++));
    }
    static Bool makeCurrent(Display*, GLXDrawable draw, GLXDrawable, GLXContext context) {
        calls.push_back(recording_gl::call("glXMakeContextCurrent", static_cast<unsigned long>(draw),
                                           static_cast<int>(reinterpret_cast<std::intptr_t>(context))));
        return True;
    }
    static void destroyContext(Display*, GLXContext) {}
    static GLXPbuffer createPbuffer(Display* display, GLXFBConfig, const int* attributes) {
        calls.push_back(recording_gl::call("glXCreatePbuffer", attributes[1], attributes[3]));
        if (pbufferError != 0) {
            // Xlib reports an asynchronous error to the handler at the next
            // round trip; the fake reports it at once.
            XErrorEvent event{};
            event.error_code = pbufferError;
            event.request_code = 152;
            event.minor_code = 27;
            handler(display, &event);
        }
        return 9;
    }
    static void destroyPbuffer(Display*, GLXPbuffer) { calls.push_back("glXDestroyPbuffer"); }
    static GLProc procAddress(const GLubyte*) { return nullptr; }

    static Api api() {
        return {openDisplay,    closeDisplay,   setErrorHandler, errorText,    sync,          defaultScreen,
                rootWindow,     createColormap, freeColormap,    createWindow, destroyWindow, freeData,
                queryVersion,   extensions,     chooseConfig,    visualOf,     createContext, makeCurrent,
                destroyContext, createPbuffer,  destroyPbuffer,  procAddress};
    }
};

class GlxWindowSystemTest : public ::testing::Test {
protected:
    GlxWindowSystemTest() {
        FakeServer::calls.clear();
        FakeServer::floatConfigs = 0;
        FakeServer::pbufferError = 0;
        FakeServer::nextContext = 1;
        linux_glx::api() = FakeServer::api();
        gl::glCheckFramebufferStatusEXT = [](GLenum) -> GLenum { return 0x8CD5; };
    }
    ~GlxWindowSystemTest() override {
        platform::requestDisplay({});
        linux_glx::api() = {};
    }

    const linux_window_system::WindowSystem& glx_ = linux_window_system::glx();
    recording_gl::Install gl_;
    FakeExtensions extensions_{"GL_EXT_framebuffer_object", "GLX_SGIX_pbuffer"};
    platform::PixelBufferRequest request_{512, 768, 0, 4, 1};
};

TEST_F(GlxWindowSystemTest, FloatConfigsGiveAPbufferWithItsOwnSharedContext) {
    FakeServer::floatConfigs = 2;
    ASSERT_FALSE(glx_.createContext(-1, 512, 768));
    ASSERT_FALSE(glx_.createPixelBuffer(request_));
    ASSERT_TRUE(glx_.makePixelBufferCurrent());
    const Calls expected = {
        "XCreateWindow(512, 768)",
        "glXCreateNewContext(\"window\", " + std::to_string(token::RGBA_TYPE) + ", \"alone\")",
        "glXMakeContextCurrent(3, 1)",
        "glXCreatePbuffer(512, 768)",
        "glXCreateNewContext(\"float\", " + std::to_string(token::RGBA_FLOAT_TYPE_ARB) + ", \"shared\")",
        "glXMakeContextCurrent(9, 2)",
    };
    EXPECT_EQ(expected, FakeServer::calls);
    // A real pbuffer: its own buffers, no framebuffer object.
    EXPECT_EQ(glenum::AUX0, glx_.pixelBufferDrawBuffer(glenum::AUX0));
    EXPECT_EQ(0, recording_gl::countCalls("glGenFramebuffersEXT"));
    glx_.releasePixelBuffer();
    EXPECT_EQ("glXDestroyPbuffer", FakeServer::calls.back());
    glx_.releaseContext();
}

TEST_F(GlxWindowSystemTest, NoFloatConfigGivesTheFramebufferStandInOnTheWindow) {
    ASSERT_FALSE(glx_.createContext(-1, 512, 768));
    FakeServer::calls.clear();
    ASSERT_FALSE(glx_.createPixelBuffer(request_));
    ASSERT_TRUE(glx_.makePixelBufferCurrent());
    const Calls expected = {
        "glXCreateNewContext(\"window\", " + std::to_string(token::RGBA_TYPE) + ", \"shared\")",
        "glXMakeContextCurrent(3, 2)",  // the stand-in's context makes its framebuffer
        "glXMakeContextCurrent(3, 1)",  // the window's context back
        "glXMakeContextCurrent(3, 2)",
    };
    EXPECT_EQ(expected, FakeServer::calls);
    EXPECT_EQ(1, recording_gl::countCalls("glGenFramebuffersEXT"));
    EXPECT_EQ(0x8CE1u, glx_.pixelBufferDrawBuffer(glenum::AUX0));
    glx_.releasePixelBuffer();
    glx_.releaseContext();
}

TEST_F(GlxWindowSystemTest, AnXErrorStopsTheRunWithTheCallThatCausedIt) {
    FakeServer::floatConfigs = 1;
    FakeServer::pbufferError = BadMatch;
    platform::requestDisplay({platform::WindowSystem::glx, -1});
    ConsoleCapture console;
    ASSERT_TRUE(createGLWindow(0, 0, 512, 768));
    EXPECT_EQ("glx", platform::current().windowSystemName());
    try {
        createPbuffer(512, 768, 0, 4);
        ADD_FAILURE() << "the pixel buffer was made despite the X error";
    } catch (const OrderlyStop& stop) {
        EXPECT_EQ(exitcode::cannotRunHere, stop.exitCode);
    }
    EXPECT_EQ(Calls{"glXCreatePbuffer failed: BadMatch, request 152.27"}, console.lines());
    // What was made of the pixel buffer is gone, the window's context is
    // current again, and the next step starts clean.
    const Calls last(FakeServer::calls.end() - 2, FakeServer::calls.end());
    EXPECT_EQ((Calls{"glXDestroyPbuffer", "glXMakeContextCurrent(3, 1)"}), last);
    EXPECT_TRUE(glx_.makePixelBufferCurrent());
    killGLWindow();
    EXPECT_EQ(nullptr, FakeServer::handler) << "Xlib's own handler is back";
}

TEST(GlxConfigAttributesTest, FloatConfigsAskForTheDriversOwnFloatKindFirst) {
    using linux_glx::FloatConfigKind;
    EXPECT_EQ((std::vector<FloatConfigKind>{FloatConfigKind::nv, FloatConfigKind::arb}),
              floatConfigKinds(true));
    EXPECT_EQ((std::vector<FloatConfigKind>{FloatConfigKind::arb}), floatConfigKinds(false));
    const platform::PixelBufferRequest twoChannels{512, 768, 0, 2, 3};
    const std::vector<int> nv = floatConfigAttributes(FloatConfigKind::nv, twoChannels);
    const std::vector<int> arb = floatConfigAttributes(FloatConfigKind::arb, twoChannels);
    EXPECT_TRUE(FakeServer::lists(nv.data(), token::FLOAT_COMPONENTS_NV, True));
    EXPECT_TRUE(FakeServer::lists(arb.data(), token::RENDER_TYPE, token::RGBA_FLOAT_BIT_ARB));
    for (const std::vector<int>* list : {&nv, &arb}) {
        EXPECT_TRUE(FakeServer::lists(list->data(), token::GREEN_SIZE, 32));
        EXPECT_TRUE(FakeServer::lists(list->data(), token::BLUE_SIZE, 0));
        EXPECT_TRUE(FakeServer::lists(list->data(), token::AUX_BUFFERS, 3));
        EXPECT_TRUE(FakeServer::lists(list->data(), token::DRAWABLE_TYPE, token::PBUFFER_BIT));
    }
}

}  // namespace
