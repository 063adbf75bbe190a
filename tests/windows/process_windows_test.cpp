#include <float.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "app/texts.h"
#include "platform/platform.h"
#include "platform/windows/system_directory.h"

namespace {

TEST(ProcessWindowsTest, VersionLineNamesTheBuildsArchitecture) {
#if defined(_WIN64)
    EXPECT_EQ("korvex v0.7 x64 win64", versionLine());
#else
    EXPECT_EQ("korvex v0.7 x86 win32", versionLine());
#endif
}

TEST(ProcessWindowsTest, FloatingPointExceptionsAreMasked) {
    // On x87 a flag already set traps as soon as its exception is unmasked,
    // and earlier tests leave flags set.
    _clearfp();
    _control87(0, _MCW_EM);  // unmask everything first
    platform::maskFloatingPointExceptions();
    EXPECT_EQ(static_cast<unsigned>(_MCW_EM), _control87(0, 0) & _MCW_EM);
    EXPECT_EQ(static_cast<unsigned>(_RC_NEAR), _control87(0, 0) & _MCW_RC);
    volatile double zero = 0.0;
    EXPECT_TRUE(1.0 / zero > 1e308) << "a masked division by zero gives infinity";
}

#if !defined(_WIN64)
// Declared here: the 32-bit build's headers stop at Windows XP.
extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64();

TEST(ProcessWindowsTest, TickCount64ReachesKernel32sOwnCountThroughTheProgramsSlot) {
    using TickCount64 = ULONGLONG(WINAPI*)();
    const auto own = reinterpret_cast<TickCount64>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "GetTickCount64")));
    ASSERT_NE(nullptr, own) << "Wine's kernel32 has it";
    const ULONGLONG before = own();
    const ULONGLONG through = GetTickCount64();
    EXPECT_LE(before, through);
    EXPECT_LE(through, own());
}
#endif

TEST(ProcessWindowsTest, PathsKeepTheirBackslashesAndBecomeFull) {
    EXPECT_EQ("Images\\spectrum.tga", platform::nativePath("Images\\spectrum.tga"));
    char current[MAX_PATH + 1] = {};
    const std::string directory(current, GetCurrentDirectoryA(MAX_PATH, current));
    const std::string separator = directory.back() == '\\' ? "" : "\\";
    EXPECT_EQ(directory + separator + "fasm_1.txt", platform::fullPath("fasm_1.txt"));
}

TEST(ProcessWindowsTest, CounterRunsForward) {
    EXPECT_GT(platform::counterFrequency(), 0);
    const std::int64_t first = platform::counterValue();
    Sleep(2);
    EXPECT_GT(platform::counterValue(), first);
}

TEST(ProcessWindowsTest, SystemDirectoryIsAnExistingDirectoryWithoutTrailingSeparator) {
    const std::string directory = windows_system::systemDirectory();
    ASSERT_FALSE(directory.empty());
    EXPECT_NE('\\', directory.back());
    const DWORD attributes = GetFileAttributesA(directory.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(ProcessWindowsTest, ErrorTextsHaveNoLineEnd) {
    const std::string text = windows_system::errorText(ERROR_FILE_NOT_FOUND);
    ASSERT_FALSE(text.empty());
    EXPECT_NE('\n', text.back());
    EXPECT_NE('\r', text.back());
}

TEST(ProcessWindowsTest, UnknownVendorsFallBackToTheLoadedOpenGLDriver) {
    struct Case {
        const char* vendor;
        const char* fileName;
    };
    for (const Case& c : {Case{"Mesa/X.org", ""}, Case{"NVIDIA Corporation", "nvoglnt.dll"}}) {
        SCOPED_TRACE(c.vendor);
        const std::optional<platform::DriverStrings> driver =
            platform::locateDriver({c.vendor, "renderer", "version", c.fileName});
        ASSERT_TRUE(driver.has_value());
        std::string name = driver->name;
        CharLowerA(name.data());
        EXPECT_EQ("opengl32.dll", name);
        EXPECT_FALSE(driver->version.empty());
    }
}

}  // namespace
