// The window, its context and the pixel buffer on a real display (Xvfb under
// Wine); the pixel-buffer failures through fakes at the WGL entry points.
#include <gtest/gtest.h>
#include <windows.h>

#include <array>

#include "base/errors.h"
#include "bench/marlune_glwindow.h"
#include "bench/marlune_gpu.h"
#include "gl/GL.h"
#include "gl/GLext.h"
#include "platform/platform.h"
#include "platform/windows/wgl_window_state.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"

namespace {

std::array<GLint, 4> viewport() {
    std::array<GLint, 4> box{};
    gl::glGetIntegerv(glenum::VIEWPORT, box.data());
    return box;
}

class WglContextTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (gl::glGetString == nullptr) platform::startUp();
        ConsoleCapture quiet;
        try {
            createGLWindow(0, 0, 512, 768);
        } catch (const OrderlyStop&) {
            FAIL() << "no window context: " << quiet.text();
        }
        for (const char* name : {"WGL_ARB_pixel_format", "WGL_ARB_pbuffer"})
            ASSERT_TRUE(gl::loadExtension(name)) << name;
        marlune_gpu::vendorString = "Mesa/X.org";
    }
    void TearDown() override {
        destroyPbuffer();
        killGLWindow();
    }
};

TEST_F(WglContextTest, WindowCarriesACurrentContextWithTheFullViewport) {
    const HWND window = FindWindowA("OpenGL", "marlune");
    ASSERT_EQ(wgl_window::handle(), window);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(wgl_window::context(), wglGetCurrentContext());
    RECT outer{}, client{};
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    EXPECT_EQ(512, outer.right - outer.left);
    EXPECT_EQ(768, outer.bottom - outer.top);
    EXPECT_LT(client.bottom, 768);
    EXPECT_EQ((std::array<GLint, 4>{0, 0, 512, 768}), viewport());
}

TEST_F(WglContextTest, SizeMessagesSetTheViewportAndCloseOnlyPostsQuit) {
    SendMessageA(wgl_window::handle(), WM_SIZE, 0, MAKELPARAM(300, 0));
    EXPECT_EQ((std::array<GLint, 4>{0, 0, 300, 1}), viewport());

    EXPECT_EQ(0, SendMessageA(wgl_window::handle(), WM_CLOSE, 0, 0));
    MSG message{};
    EXPECT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_TRUE(IsWindow(wgl_window::handle())) << "the window outlives WM_CLOSE";
}

TEST_F(WglContextTest, KillingTheWindowReleasesEverythingAndMayBeRepeated) {
    killGLWindow();
    EXPECT_EQ(nullptr, FindWindowA("OpenGL", "marlune"));
    EXPECT_EQ(nullptr, wglGetCurrentContext());
    killGLWindow();
    WNDCLASSA unused{};
    EXPECT_FALSE(GetClassInfoA(GetModuleHandleA(nullptr), "OpenGL", &unused)) << "the class is unregistered";
}

// Fakes for the pixel-buffer entry points, with what they were given. The
// float request is told from the plain one by its colour bits.
struct PbufferFakes {
    static inline BOOL floatResult = TRUE;
    static inline UINT floatFormats = 1;
    static inline BOOL plainResult = TRUE;
    static inline void* pbuffer = nullptr;
    static inline HDC pbufferDC = nullptr;
    static inline std::vector<int> formatAttributes;
    static inline std::vector<int> bufferAttributes;
    static inline std::vector<std::string> calls;

    static int KVX_APIENTRY choose(void*, const int* attributes, const float*, unsigned, int* format,
                                   unsigned* count) {
        const bool plain = attributes[4] == 0;
        if (!plain) formatAttributes.assign(attributes, attributes + 28);
        *format = 7;
        *count = plain ? 1 : floatFormats;
        return plain ? plainResult : floatResult;
    }
    static void* KVX_APIENTRY create(void*, int format, int width, int height, const int* attributes) {
        calls.push_back(recording_gl::call("wglCreatePbufferARB", format, width, height));
        bufferAttributes.assign(attributes, attributes + 6);
        return pbuffer;
    }
    static void* KVX_APIENTRY deviceContext(void*) { return pbufferDC; }
    static int KVX_APIENTRY release(void* buffer, void* dc) {
        calls.push_back(recording_gl::call("wglReleasePbufferDCARB", buffer == pbuffer, dc == pbufferDC));
        return TRUE;
    }
    static int KVX_APIENTRY destroy(void* buffer) {
        calls.push_back(recording_gl::call("wglDestroyPbufferARB", buffer == pbuffer));
        return TRUE;
    }
};

class PbufferFakeTest : public WglContextTest {
protected:
    void SetUp() override {
        WglContextTest::SetUp();
        PbufferFakes::floatResult = TRUE;
        PbufferFakes::floatFormats = 1;
        PbufferFakes::plainResult = TRUE;
        PbufferFakes::pbuffer = this;
        PbufferFakes::pbufferDC = nullptr;
        PbufferFakes::calls.clear();
        gl::wglChoosePixelFormatARB = PbufferFakes::choose;
        gl::wglCreatePbufferARB = PbufferFakes::create;
        gl::wglGetPbufferDCARB = PbufferFakes::deviceContext;
        gl::wglReleasePbufferDCARB = PbufferFakes::release;
        gl::wglDestroyPbufferARB = PbufferFakes::destroy;
    }
    void TearDown() override {
        WglContextTest::TearDown();
        gl::wglChoosePixelFormatARB = nullptr;
        gl::wglCreatePbufferARB = nullptr;
        gl::wglGetPbufferDCARB = nullptr;
        gl::wglReleasePbufferDCARB = nullptr;
        gl::wglDestroyPbufferARB = nullptr;
    }

    // The stop's exit code (0 when there was none) and the lines printed.
    std::pair<int, std::vector<std::string>> create(int components = 2, int auxBuffers = 1) {
        ConsoleCapture console;
        try {
            createPbuffer(512, 768, 0, components, auxBuffers);
        } catch (const OrderlyStop& stop) {
            return {stop.exitCode, console.lines()};
        }
        return {0, console.lines()};
    }
};

TEST_F(PbufferFakeTest, EachFailedStepPrintsItsLineAndTearsDownWhatTheTableSays) {
    struct Case {
        BOOL floatResult, plainResult;
        void* pbuffer;
        const char* line;
        bool windowTornDown;
    };
    for (const Case& c : {Case{FALSE, FALSE, this, "wglChoosePixelFormatARB failed", false},
                          Case{TRUE, TRUE, nullptr, "wglCreatePbufferARB failed", false},
                          Case{TRUE, TRUE, this, "wglGetPbufferDCARB failed", true}}) {
        SCOPED_TRACE(c.line);
        PbufferFakes::floatResult = c.floatResult;
        PbufferFakes::plainResult = c.plainResult;
        PbufferFakes::pbuffer = c.pbuffer;
        const auto [exitCode, lines] = create();
        EXPECT_EQ(exitcode::cannotRunHere, exitCode);
        EXPECT_EQ(std::vector<std::string>{c.line}, lines);
        EXPECT_EQ(c.windowTornDown, wgl_window::handle() == nullptr);
        if (!c.windowTornDown) {
            EXPECT_EQ(wgl_window::context(), wglGetCurrentContext());
        }
    }
    EXPECT_EQ(std::vector<std::string>{"wglDestroyPbufferARB(1)"},
              std::vector<std::string>(PbufferFakes::calls.end() - 1, PbufferFakes::calls.end()))
        << "the pixel buffer made before the failure is released";
}

TEST_F(PbufferFakeTest, NoFloatFormatFallsBackToAFramebufferInASharedContext) {
    struct Case {
        BOOL floatResult;
        UINT floatFormats;
    };
    // Succeeded with no format, and (as Wine 8.0 on Mesa does) failed as a
    // call while plain formats exist.
    for (const Case& c : {Case{TRUE, 0}, Case{FALSE, 1}}) {
        PbufferFakes::floatResult = c.floatResult;
        PbufferFakes::floatFormats = c.floatFormats;
        GLuint texture = 0;
        gl::glGenTextures(1, &texture);
        gl::glBindTexture(glenum::TEXTURE_RECTANGLE_NV, texture);
        EXPECT_EQ(0, create(4, 3).first);
        EXPECT_TRUE(PbufferFakes::calls.empty()) << "no pbuffer is made";
        ASSERT_TRUE(makePbufferCurrent());
        EXPECT_NE(wgl_window::context(), wglGetCurrentContext());
        EXPECT_TRUE(gl::glIsTexture(texture)) << "textures are shared";
        EXPECT_EQ(glenum::COLOR_ATTACHMENT0_EXT, pixelBufferDrawBuffer(glenum::FRONT));
        EXPECT_EQ(glenum::COLOR_ATTACHMENT0_EXT + 3, pixelBufferDrawBuffer(glenum::AUX2));
        destroyPbuffer();
        EXPECT_EQ(glenum::AUX2, pixelBufferDrawBuffer(glenum::AUX2)) << "the mapping ends with the stand-in";
        wglMakeCurrent(wgl_window::deviceContext(), wgl_window::context());
    }
}

TEST_F(PbufferFakeTest, VendorChoosesTheAttributeSetAndTheBufferGetsTheChosenFormat) {
    PbufferFakes::pbuffer = nullptr;
    for (const char* vendor : {"NVIDIA Corporation", "nvidia", "ATI Technologies"}) {
        marlune_gpu::vendorString = vendor;
        create();
        const bool nvidia = vendor[0] == 'N';
        EXPECT_EQ(nvidia ? 0x20B0 : 0x2071, PbufferFakes::formatAttributes[0]) << vendor;
        EXPECT_EQ(nvidia ? 0x20B6 : 0x2076, PbufferFakes::bufferAttributes[1]) << vendor;
        EXPECT_EQ(1, PbufferFakes::formatAttributes[23]) << "one auxiliary buffer";
    }
    EXPECT_EQ(std::vector<std::string>(3, "wglCreatePbufferARB(7, 512, 768)"), PbufferFakes::calls);
}

TEST_F(PbufferFakeTest, RealPixelBufferIsMadeCurrentAndReleasedInOrder) {
    // The window's own DC stands in for the pixel buffer's.
    PbufferFakes::pbufferDC = wgl_window::deviceContext();
    EXPECT_EQ(0, create(4, 0).first);
    ASSERT_TRUE(makePbufferCurrent());
    EXPECT_NE(wgl_window::context(), wglGetCurrentContext());
    EXPECT_EQ(glenum::AUX1, pixelBufferDrawBuffer(glenum::AUX1));
    PbufferFakes::calls.clear();
    destroyPbuffer();
    EXPECT_EQ(nullptr, wglGetCurrentContext());
    EXPECT_EQ((std::vector<std::string>{"wglReleasePbufferDCARB(1, 1)", "wglDestroyPbufferARB(1)"}),
              PbufferFakes::calls);
}

}  // namespace
