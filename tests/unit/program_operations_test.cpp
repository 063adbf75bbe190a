// The ARB and NV program operations and program compilation, against the
// recording fakes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "app/programs/compile_program.h"
#include "base/errors.h"
#include "bench/marlune_arb.h"
#include "bench/marlune_nv.h"
#include "platform/viewport.h"
#include "tests/support/console_capture.h"
#include "tests/support/recording_gl.h"

namespace {

using recording_gl::call;
using recording_gl::calls;
using Calls = std::vector<std::string>;

class ProgramOperationsTest : public ::testing::Test {
protected:
    recording_gl::Install fakes_;
};

TEST_F(ProgramOperationsTest, BindingBindsThenEnablesEveryTime) {
    marlune_arb::bindProgram(5);
    marlune_arb::bindProgram(5);
    marlune_nv::bindProgram(9);
    marlune_arb::disableProgram();
    marlune_nv::disableProgram();
    EXPECT_EQ((Calls{"glBindProgramARB(34820, 5)", "glEnable(34820)", "glBindProgramARB(34820, 5)",
                     "glEnable(34820)", "glBindProgramNV(34928, 9)", "glEnable(34928)", "glDisable(34820)",
                     "glDisable(34928)"}),
              calls());
}

TEST_F(ProgramOperationsTest, ParameterSettersPassTheirArgumentsThrough) {
    // The run sets ARB parameters on the ARB target even under NV profiles;
    // the setters must not second-guess the target.
    marlune_arb::setLocalParameter(0x8870, 0, 0.1f, 0.3f, 0.5f, 0.4f);
    marlune_arb::setEnvParameter(0x8804, 1, 0.2f, 0.5f, 0.8f, 0.8f);
    const char names[] = "C0Cl";
    marlune_nv::setNamedParameter(7, 2, names, 0.1f, 0.3f, 0.5f, 0.4f);
    marlune_nv::setNamedParameter(7, 2, names + 2, 0.2f, 0.5f, 0.8f, 0.8f);
    EXPECT_EQ((Calls{call("glProgramLocalParameter4fARB", 0x8870u, 0u, 0.1f, 0.3f, 0.5f, 0.4f),
                     call("glProgramEnvParameter4fARB", 0x8804u, 1u, 0.2f, 0.5f, 0.8f, 0.8f),
                     "glProgramNamedParameter4fNV(7, 2, \"C0Cl\", 0.1, 0.3, 0.5, 0.4)",
                     "glProgramNamedParameter4fNV(7, 2, \"Cl\", 0.2, 0.5, 0.8, 0.8)"}),
              calls());
}

TEST_F(ProgramOperationsTest, AMissingExtensionPrintsItsLineOnEveryCheck) {
    ConsoleCapture console;
    EXPECT_EQ(1, marlune_arb::checkExtension("GL_ARB_no_such_thing"));
    EXPECT_EQ(1, marlune_nv::checkExtension("GL_NV_fragment_program"));
    EXPECT_EQ(1, marlune_nv::checkExtension("GL_NV_fragment_program"));
    EXPECT_EQ((Calls{"GL_ARB_no_such_thing not supported\r\n", "GL_NV_fragment_program not supported\r\n",
                     "GL_NV_fragment_program not supported\r\n"}),
              console.writes());
}

TEST_F(ProgramOperationsTest, ViewportHeightZeroCountsAsOne) {
    platform::setViewport(512, 0);
    platform::setViewport(0, 300);
    EXPECT_EQ((Calls{"glViewport(0, 0, 512, 1)", "glViewport(0, 0, 0, 300)"}), calls());
}

// What the driver says after a load.
struct DriverVerdict {
    static inline const char* errorString = nullptr;
    static inline GLint errorPosition = -1;
    static const GLubyte* KVX_APIENTRY getString(GLenum) {
        return reinterpret_cast<const GLubyte*>(errorString);
    }
    static void KVX_APIENTRY getIntegerv(GLenum name, GLint* value) {
        if (name == glenum::PROGRAM_ERROR_POSITION_ARB) *value = errorPosition;
    }
    static void KVX_APIENTRY genPrograms(GLsizei, GLuint* ids) { ids[0] = 42; }
};

class CompileProgramTest : public ProgramOperationsTest {
protected:
    CompileProgramTest() {
        DriverVerdict::errorString = nullptr;
        DriverVerdict::errorPosition = -1;
        gl::glGetString = DriverVerdict::getString;
        gl::glGetIntegerv = DriverVerdict::getIntegerv;
        gl::glGenProgramsARB = DriverVerdict::genPrograms;
        gl::glGenProgramsNV = DriverVerdict::genPrograms;
    }
    const ProgramSource source_ = {"!!ARBfp1.0", "MOV result.color, fragment.color;", "END"};
    // Every line with CR LF: 10 + 2 + 33 + 2 + 3 + 2 bytes.
    const int length_ = 52;
};

TEST_F(CompileProgramTest, LoadsOnTheTargetsOwnPathWithTheExactLength) {
    struct Case {
        GLenum target;
        Calls expected;
    };
    const Case cases[] = {
        {glenum::FRAGMENT_PROGRAM_ARB,
         {"glBindProgramARB(34820, 42)", "glProgramStringARB(34820, 34933, 52, ptr)"}},
        {glenum::FRAGMENT_PROGRAM_NV,
         {"glBindProgramNV(34928, 42)",
          "glLoadProgramNV(34928, 42, 52, \"!!ARBfp1.0\r\nMOV result.color, fr\")"}},
    };
    for (const Case& c : cases) {
        recording_gl::clearCalls();
        ConsoleCapture console;
        EXPECT_EQ(42u, compileProgram(c.target, source_));
        EXPECT_EQ(c.expected, calls()) << c.target;
        EXPECT_EQ("", console.text());
    }
}

// GL counts a text's bytes in a signed 32-bit number; a longer text is
// refused rather than handed over with a cut count.
TEST(ProgramTextLength, FitsGlsSignedCountOrIsRefused) {
    EXPECT_EQ(programTextLength(0), 0);
    EXPECT_EQ(programTextLength(2147483647u), 2147483647);
    try {
        programTextLength(std::size_t{2147483648u});
        FAIL() << "a 2 GiB text was taken";
    } catch (const KorvexError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "The program text has 2147483648 bytes; OpenGL takes at most 2147483647");
    }
}

TEST_F(CompileProgramTest, ARejectedProgramPrintsTheDriversTextAndStopsWithCodeThree) {
    struct Case {
        const char* errorString;
        GLint errorPosition;
        const char* printed;
    };
    const Case cases[] = {
        {"line 2, char 1: error: syntax error\n", -1,
         "Fragment program contains errors:\n\nline 2, char 1: error: syntax error\n\r\n"},
        // Accepted by position, but a warning in the string still stops the run.
        {"warning: something\n", -1, "Fragment program contains errors:\n\nwarning: something\n\r\n"},
        // Rejected by position alone, with nothing to say.
        {"", 12, "Fragment program contains errors:\n\n\r\n"},
        {nullptr, 0, "Fragment program contains errors:\n\n\r\n"},
    };
    for (const Case& c : cases) {
        DriverVerdict::errorString = c.errorString;
        DriverVerdict::errorPosition = c.errorPosition;
        ConsoleCapture console;
        try {
            compileProgram(glenum::FRAGMENT_PROGRAM_ARB, source_);
            ADD_FAILURE() << "no stop for " << c.printed;
        } catch (const OrderlyStop& stop) {
            EXPECT_EQ(exitcode::programRejected, stop.exitCode);
        }
        EXPECT_EQ(Calls{c.printed}, console.writes());
    }
}

// A driver that counts 12 native instructions, 0 of the other kinds, and
// refuses the indirections query.
struct NativeDriver {
    static inline GLenum pendingError = 0;
    static void KVX_APIENTRY getProgramiv(GLenum, GLenum name, GLint* value) {
        if (name == glenum::PROGRAM_NATIVE_TEX_INDIRECTIONS_ARB)
            pendingError = 0x0500;
        else
            *value = name == glenum::PROGRAM_NATIVE_INSTRUCTIONS_ARB ? 12 : 0;
    }
    static GLenum KVX_APIENTRY getError() { return std::exchange(pendingError, 0); }
};

TEST_F(CompileProgramTest, TheLoadIsTimedAndTheNativeCountsAreWhatTheDriverAnswers) {
    gl::glGetProgramivARB = NativeDriver::getProgramiv;
    gl::glGetError = NativeDriver::getError;
    NativeDriver::pendingError = 0x0502;  // an earlier call's, not the queries'
    ProgramBuild build;
    EXPECT_EQ(42u, compileProgram(glenum::FRAGMENT_PROGRAM_ARB, source_, build));
    EXPECT_GE(build.loadMs, 0.0);
    EXPECT_EQ(12, build.native.instructions);
    EXPECT_EQ(0, build.native.aluInstructions) << "0 is an answer";
    EXPECT_FALSE(build.native.texIndirections);
    ProgramBuild nv;
    compileProgram(glenum::FRAGMENT_PROGRAM_NV, source_, nv);
    EXPECT_FALSE(nv.native.instructions) << "NV programs have no such queries";
}

TEST_F(CompileProgramTest, AnEmptyOrMissingErrorStringAtPositionMinusOneIsSuccess) {
    for (const char* errorString : {static_cast<const char*>(nullptr), ""}) {
        DriverVerdict::errorString = errorString;
        ConsoleCapture console;
        EXPECT_EQ(42u, compileProgram(glenum::FRAGMENT_PROGRAM_NV, source_));
        EXPECT_EQ("", console.text());
    }
}

}  // namespace
