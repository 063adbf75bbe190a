#include "app/programs/program_binding.h"

#include "bench/marlune_arb.h"
#include "bench/marlune_nv.h"
#include "bench/tables.h"

namespace {

struct Vector4 {
    float x, y, z, w;
};
constexpr Vector4 parameter0 = {0.1f, 0.3f, 0.5f, 0.4f};
constexpr Vector4 parameter1 = {0.2f, 0.5f, 0.8f, 0.8f};

template <typename Setter>
void setBothOnArbTarget(Setter setter) {
    setter(glenum::FRAGMENT_PROGRAM_ARB, 0, parameter0.x, parameter0.y, parameter0.z, parameter0.w);
    setter(glenum::FRAGMENT_PROGRAM_ARB, 1, parameter1.x, parameter1.y, parameter1.z, parameter1.w);
}

}  // namespace

bool usesNvProgramUnit(std::uint8_t profile) {
    return profile == FragmentProfile::FP1 || profile == FragmentProfile::FP2;
}

void bindTestProgram(std::uint8_t profile, GLuint id) {
    if (usesNvProgramUnit(profile))
        marlune_nv::bindProgram(id);
    else
        marlune_arb::bindProgram(id);
}

void setTestParameters(std::uint8_t profile, int localParameters, GLuint id) {
    switch (localParameters) {
        case 0:
            setBothOnArbTarget(marlune_arb::setLocalParameter);
            break;
        case 1:
            setBothOnArbTarget(marlune_arb::setEnvParameter);
            break;
        case 2:
            if (!usesNvProgramUnit(profile)) break;
            marlune_nv::setNamedParameter(id, 2, "C0", parameter0.x, parameter0.y, parameter0.z,
                                          parameter0.w);
            marlune_nv::setNamedParameter(id, 2, "Cl", parameter1.x, parameter1.y, parameter1.z,
                                          parameter1.w);
            break;
        default:
            break;
    }
}

void useTestProgram(std::uint8_t profile, int localParameters, GLuint id) {
    bindTestProgram(profile, id);
    setTestParameters(profile, localParameters, id);
}

void disableTestProgram(std::uint8_t profile) {
    if (usesNvProgramUnit(profile))
        marlune_nv::disableProgram();
    else
        marlune_arb::disableProgram();
}
