// Driver identification: the vendor and renderer rules, and recognising the
// driver library and its version on Linux.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/marlune_gpu.h"
#include "platform/linux/driver_library.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"

namespace {

struct TextCase {
    const char* input;
    const char* expected;
};

TEST(DriverIdentificationTest, RendererNameIsTheTextBeforeTheFirstSlash) {
    const TextCase cases[] = {
        {"GeForce 6800 GT/AGP/SSE2", "GeForce 6800 GT"},
        {"llvmpipe (LLVM 15.0.6, 256 bits)", "llvmpipe (LLVM 15.0.6, 256 bits)"},
        {"/PCIe", ""},
        {"", ""},
    };
    for (const TextCase& c : cases) EXPECT_EQ(c.expected, marlune_gpu::rendererNameOf(c.input)) << c.input;
}

TEST(DriverIdentificationTest, VendorChoosesTheDriverFileCaseSensitively) {
    const TextCase cases[] = {
        {"NVIDIA Corporation", "nvoglnt.dll"},
        {"ATI Technologies Inc.", "atioglxx.dll"},
        {"NVIDIA and ATI", "nvoglnt.dll"},
        {"CorporATIon", "atioglxx.dll"},
        {"nvidia corporation", ""},
        {"Mesa/X.org", ""},
    };
    for (const TextCase& c : cases) {
        EXPECT_EQ(c.expected, marlune_gpu::driverFileForVendor(c.input)) << c.input;
        EXPECT_EQ(std::string(c.expected) == "nvoglnt.dll", marlune_gpu::isNvidiaVendor(c.input)) << c.input;
    }
}

struct GLStrings {
    static const GLubyte* KVX_APIENTRY getString(GLenum name) {
        switch (name) {
            case 0x1F00:
                return reinterpret_cast<const GLubyte*>("NVIDIA Corporation");
            case 0x1F01:
                return reinterpret_cast<const GLubyte*>("Quadro FX/PCI/SSE2");
            case 0x1F02:
                return reinterpret_cast<const GLubyte*>("2.0.3");
            default:
                return nullptr;
        }
    }
};

TEST(DriverIdentificationTest, NoDriverLibraryPrintsTheVendorsFileAndKeepsTheStrings) {
    // A unit-test process has no GL driver library loaded.
    recording_gl::Install fakes;
    gl::glGetString = GLStrings::getString;
    ConsoleCapture console;
    EXPECT_FALSE(marlune_gpu::identifyDriver());
    EXPECT_EQ(std::vector<std::string>{"nvoglnt.dll driver not found"}, console.lines());
    EXPECT_EQ("Quadro FX", marlune_gpu::rendererName);
    EXPECT_EQ("NVIDIA Corporation", marlune_gpu::vendorString);
    EXPECT_EQ("2.0.3", marlune_gpu::versionString);
    EXPECT_EQ("", marlune_gpu::extensionsString);
}

TEST(DriverLibraryTest, ChoosesTheDriverAmongTheLoadedLibraries) {
    struct Case {
        std::vector<std::string> paths;
        const char* chosen;
    };
    const Case cases[] = {
        {{"/lib/libEGL.so.1", "/lib/libEGL_mesa.so.0", "/lib/dri/swrast_dri.so", "/lib/libgallium-24.2.8.so"},
         "/lib/dri/swrast_dri.so"},
        {{"/lib/libEGL_nvidia.so.0", "/lib/libnvidia-eglcore.so.550.54.14"},
         "/lib/libnvidia-eglcore.so.550.54.14"},
        {{"/lib/libnvidia-eglcore.so.550", "/lib/libnvidia-glcore.so.550"}, "/lib/libnvidia-glcore.so.550"},
        {{"/lib/libEGL_nvidia.so.0"}, "/lib/libEGL_nvidia.so.0"},
        // GLX on a legacy NVIDIA driver, which brings its own libGL.
        {{"/usr/lib/libGL.so.1", "/usr/lib/tls/libnvidia-tls.so.304.137",
          "/usr/lib/libnvidia-glcore.so.304.137"},
         "/usr/lib/libnvidia-glcore.so.304.137"},
        {{"/lib/swrast_dri.so.bak", "/lib/libGLdispatch.so.0", "/lib/libgallium", "/lib/dri.so"}, ""},
        {{"/lib/dri/iris_dri.so", "/lib/dri/swrast_dri.so"}, "/lib/dri/iris_dri.so"},
        {{}, ""},
    };
    for (const Case& c : cases) EXPECT_EQ(c.chosen, linux_driver::chooseDriverLibrary(c.paths)) << c.chosen;
}

TEST(DriverLibraryTest, ReadsTheVersionFromTheRealFileNameOrElseFromGLVersion) {
    const TextCase fileNames[] = {
        {"libnvidia-glcore.so.550.54.14", "550.54.14"},
        {"libnvidia-glcore.so.304.137", "304.137"},
        {"libEGL_nvidia.so.0", ""},
        {"swrast_dri.so", ""},
        {"libgallium-24.2.8.so", "24.2.8"},
        {"libgallium-dev.so", ""},
    };
    for (const TextCase& c : fileNames)
        EXPECT_EQ(c.expected, linux_driver::fileNameVersion(c.input)) << c.input;

    const TextCase versions[] = {
        {"4.5 (Compatibility Profile) Mesa 22.3.6", "22.3.6"},
        {"4.6 (Compatibility Profile) Mesa 24.1.0-devel (git-1a2b3c)", "24.1.0-devel"},
        {"4.6.0 NVIDIA 550.54.14", "550.54.14"},
        {"2.1", "2.1"},
    };
    for (const TextCase& c : versions)
        EXPECT_EQ(c.expected, linux_driver::glVersionDriverVersion(c.input)) << c.input;
}

}  // namespace
