#include "app/programs/program_binding.h"

#include <gtest/gtest.h>

#include "bench/tables.h"
#include "tests/support/recording_gl.h"

namespace {

using recording_gl::call;

constexpr GLenum arbTarget = glenum::FRAGMENT_PROGRAM_ARB;
const auto* const C0 = reinterpret_cast<const GLubyte*>("C0");
const auto* const Cl = reinterpret_cast<const GLubyte*>("Cl");

struct ParameterCase {
    std::uint8_t profile;
    int localParameters;
    std::vector<std::string> calls;
};

void PrintTo(const ParameterCase& c, std::ostream* out) {
    *out << profileTable[c.profile].name << " " << c.localParameters;
}

std::vector<std::string> onArbTarget(const char* setter) {
    return {call(setter, arbTarget, 0, 0.1f, 0.3f, 0.5f, 0.4f),
            call(setter, arbTarget, 1, 0.2f, 0.5f, 0.8f, 0.8f)};
}

class SetTestParameters : public ::testing::TestWithParam<ParameterCase> {};

TEST_P(SetTestParameters, CallsTheSetterOfTheSettingAndProfile) {
    recording_gl::Install fakes;
    setTestParameters(GetParam().profile, GetParam().localParameters, 5);
    EXPECT_EQ(recording_gl::calls(), GetParam().calls);
}

INSTANTIATE_TEST_SUITE_P(
    Profiles, SetTestParameters,
    ::testing::Values(ParameterCase{FragmentProfile::ARB, 0, onArbTarget("glProgramLocalParameter4fARB")},
                      ParameterCase{FragmentProfile::ARB, 1, onArbTarget("glProgramEnvParameter4fARB")},
                      ParameterCase{FragmentProfile::ARB, 2, {}},
                      ParameterCase{FragmentProfile::FP1, 0, onArbTarget("glProgramLocalParameter4fARB")},
                      ParameterCase{FragmentProfile::FP2, 1, onArbTarget("glProgramEnvParameter4fARB")},
                      ParameterCase{FragmentProfile::FP1,
                                    2,
                                    {call("glProgramNamedParameter4fNV", 5u, 2, C0, 0.1f, 0.3f, 0.5f, 0.4f),
                                     call("glProgramNamedParameter4fNV", 5u, 2, Cl, 0.2f, 0.5f, 0.8f, 0.8f)}},
                      ParameterCase{FragmentProfile::FP4, 0, onArbTarget("glProgramLocalParameter4fARB")},
                      ParameterCase{FragmentProfile::FP4, 2, {}}));

TEST(BindTestProgram, UsesTheNvTargetOnlyForFp1AndFp2) {
    recording_gl::Install fakes;
    const struct {
        std::uint8_t profile;
        const char* bind;
        GLenum target;
    } cases[] = {{FragmentProfile::ARB, "glBindProgramARB", arbTarget},
                 {FragmentProfile::FP1, "glBindProgramNV", glenum::FRAGMENT_PROGRAM_NV},
                 {FragmentProfile::FP2, "glBindProgramNV", glenum::FRAGMENT_PROGRAM_NV},
                 {FragmentProfile::FP4, "glBindProgramARB", arbTarget}};
    for (const auto& c : cases) {
        recording_gl::clearCalls();
        bindTestProgram(c.profile, 9);
        disableTestProgram(c.profile);
        EXPECT_EQ(recording_gl::calls(),
                  (std::vector<std::string>{call(c.bind, c.target, 9u), call("glEnable", c.target),
                                            call("glDisable", c.target)}))
            << profileTable[c.profile].name;
    }
}

}  // namespace
