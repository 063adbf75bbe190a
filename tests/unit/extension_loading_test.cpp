// Extension support and entry-point loading: the whole-word search, and the
// loaders run against fake lists and a fake address lookup.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "gl/GL.h"
#include "gl/GLext.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_gl.h"

namespace {

struct SupportCase {
    const char* name;
    const char* list;
    bool supported;
};

TEST(ExtensionSupportedTest, MatchesWholeWordsOnly) {
    const SupportCase cases[] = {
        {"GL_ARB_fragment_program", "GL_ARB_fragment_program", true},
        {"GL_ARB_fragment_program", "GL_ARB_fragment_program_shadow GL_ARB_vertex_program", false},
        {"GL_ARB_fragment_program", "GL_ARB_fragment_program_shadow GL_ARB_fragment_program", true},
        {"GL_ARB_fragment_program", "XGL_ARB_fragment_program", false},
        {"program", "GL_ARB_fragment_program", false},
        {"GL_B", "GL_A  GL_B ", true},
        {"GL_ARB_multitexture GL_ARB_vertex_program", "GL_ARB_multitexture GL_ARB_vertex_program", false},
        {"", "GL_A", false},
        {" ", "GL_A  GL_B", false},
    };
    for (const SupportCase& c : cases)
        EXPECT_EQ(c.supported, gl::extensionSupported(c.name, c.list))
            << '"' << c.name << "\" in \"" << c.list << '"';
}

// The address lookup and window-system list the loaders see: every name
// resolves except `failingName`, and every lookup is remembered.
struct FakeLookups {
    static inline std::vector<std::string> lookedUp;
    static inline std::string failingName;
    static inline std::optional<std::string> platformList;
    static inline std::string glExtensions;

    static void KVX_APIENTRY resolvedEntry() {}
    static GLProc procAddress(const char* name) {
        lookedUp.push_back(name);
        return name == failingName ? nullptr : reinterpret_cast<GLProc>(resolvedEntry);
    }
    static std::optional<std::string> platform() { return platformList; }
    static const GLubyte* KVX_APIENTRY getString(GLenum name) {
        recording_gl::calls().push_back(recording_gl::call("glGetString", name));
        return reinterpret_cast<const GLubyte*>(name == glenum::EXTENSIONS ? glExtensions.c_str() : "");
    }
};

class ExtensionLoadingTest : public ::testing::Test {
protected:
    ExtensionLoadingTest() {
        FakeLookups::lookedUp.clear();
        FakeLookups::failingName.clear();
        FakeLookups::platformList.reset();
        FakeLookups::glExtensions.clear();
        platform_.operations.extensionLookups = {FakeLookups::procAddress, FakeLookups::platform};
        platform_.install();
        gl::glGetString = FakeLookups::getString;
    }

    static GLProc resolved() { return reinterpret_cast<GLProc>(FakeLookups::resolvedEntry); }

    recording_gl::Install fakes_;
    FakePlatform platform_;
};

TEST_F(ExtensionLoadingTest, AnEmptyListMeansTheCurrentContextsList) {
    FakeLookups::glExtensions = "GL_A GL_B";
    EXPECT_TRUE(gl::extensionSupported("GL_B", ""));
    EXPECT_FALSE(gl::extensionSupported("GL_C", ""));
    EXPECT_EQ(2, recording_gl::countCalls("glGetString(7939)"));
}

TEST_F(ExtensionLoadingTest, ALoaderStopsAtTheFirstMissingEntryPointKeepingTheEarlierOnes) {
    FakeLookups::glExtensions = "GL_ARB_multitexture";
    FakeLookups::failingName = "glMultiTexCoord1dARB";
    const gl::PFN_glMultiTexCoord1dvARB fourthBefore = gl::glMultiTexCoord1dvARB;

    EXPECT_FALSE(gl::loadExtension("GL_ARB_multitexture"));
    EXPECT_EQ(
        (std::vector<std::string>{"glActiveTextureARB", "glClientActiveTextureARB", "glMultiTexCoord1dARB"}),
        FakeLookups::lookedUp);
    EXPECT_EQ(resolved(), reinterpret_cast<GLProc>(gl::glActiveTextureARB));
    EXPECT_EQ(resolved(), reinterpret_cast<GLProc>(gl::glClientActiveTextureARB));
    EXPECT_EQ(nullptr, gl::glMultiTexCoord1dARB);
    EXPECT_EQ(fourthBefore, gl::glMultiTexCoord1dvARB);
}

TEST_F(ExtensionLoadingTest, AllEntryPointsResolvedMeansSupported) {
    FakeLookups::glExtensions = "GL_ARB_draw_buffers GL_ARB_fragment_program";
    EXPECT_TRUE(gl::loadExtension("GL_ARB_fragment_program"));
    EXPECT_EQ(19u, FakeLookups::lookedUp.size());
    EXPECT_EQ(resolved(), reinterpret_cast<GLProc>(gl::glProgramStringARB));
    EXPECT_EQ(resolved(), reinterpret_cast<GLProc>(gl::glIsProgramARB));
}

TEST_F(ExtensionLoadingTest, TheListDecidesEvenWhenEveryAddressResolves) {
    FakeLookups::glExtensions = "GL_ARB_fragment_program GL_NV_fragment_program_option";
    EXPECT_FALSE(gl::loadExtension("GL_NV_fragment_program"));
    EXPECT_FALSE(gl::loadExtension("GL_NV_fragment_program2"));
    // A group without entry points answers from the list alone.
    EXPECT_TRUE(gl::loadExtension("GL_NV_fragment_program_option"));
    EXPECT_TRUE(FakeLookups::lookedUp.empty());
}

TEST_F(ExtensionLoadingTest, UnrecognisedNamesAndGroupsWithoutLoadersResolveNothing) {
    FakeLookups::glExtensions = "GL_ARB_multitexturex GL_EXT_abgr GL_version_1_5";
    FakeLookups::platformList = "GL_version_1_5";
    for (const char* name : {"GL_ARB_multitexturex", "gl_arb_multitexture", "", "GL_EXT_abgr",
                             "GL_version_1_2", "GL_version_1_5", "GL_version_2_0"})
        EXPECT_FALSE(gl::loadExtension(name)) << name;
    EXPECT_TRUE(FakeLookups::lookedUp.empty());
}

TEST_F(ExtensionLoadingTest, WindowSystemNamesAreLookedUpInTheWindowSystemList) {
    // The GL list names them too, but only the window system's list counts.
    FakeLookups::glExtensions = "EGL_KHR_surfaceless_context WGL_ARB_pbuffer";
    EXPECT_FALSE(gl::loadExtension("EGL_KHR_surfaceless_context"));
    EXPECT_FALSE(gl::loadExtension("WGL_ARB_pbuffer"));

    FakeLookups::platformList = "EGL_KHR_surfaceless_context WGL_ARB_pbuffer";
    EXPECT_TRUE(gl::loadExtension("EGL_KHR_surfaceless_context"));
    EXPECT_TRUE(gl::loadExtension("WGL_ARB_pbuffer"));
    EXPECT_EQ((std::vector<std::string>{"wglCreatePbufferARB", "wglGetPbufferDCARB", "wglReleasePbufferDCARB",
                                        "wglDestroyPbufferARB", "wglQueryPbufferARB"}),
              FakeLookups::lookedUp);
    EXPECT_FALSE(gl::loadExtension("WGL_ARB_pixel_format"));
}

}  // namespace
