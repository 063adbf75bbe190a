#include "app/program_binding.h"

#include <gtest/gtest.h>

#include "app/tables.h"
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
    for (std::uint8_t profile :
         {FragmentProfile::ARB, FragmentProfile::FP1, FragmentProfile::FP2, FragmentProfile::FP4}) {
        recording_gl::clearCalls();
        bindTestProgram(profile, 9);
        disableTestProgram(profile);
        const GLenum target = usesNvProgramUnit(profile) ? glenum::FRAGMENT_PROGRAM_NV : arbTarget;
        const char* bind = usesNvProgramUnit(profile) ? "glBindProgramNV" : "glBindProgramARB";
        EXPECT_EQ(recording_gl::calls(),
                  (std::vector<std::string>{call(bind, target, 9u), call("glEnable", target),
                                            call("glDisable", target)}))
            << profileTable[profile].name;
    }
    EXPECT_TRUE(usesNvProgramUnit(FragmentProfile::FP1));
    EXPECT_TRUE(usesNvProgramUnit(FragmentProfile::FP2));
    EXPECT_FALSE(usesNvProgramUnit(FragmentProfile::FP4));
}

}  // namespace
