#include "app/programs/program_limits.h"

#include "bench/marlune_gpu.h"
#include "gl/GL.h"
#include "gl/GLext.h"

ProgramLimits programLimits;

namespace {

struct LimitQuery {
    GLenum name;
    int ProgramLimits::*field;
};

const LimitQuery arbProgramQueries[] = {
    {glenum::MAX_PROGRAM_NATIVE_ALU_INSTRUCTIONS_ARB, &ProgramLimits::maxNativeAluInstructions},
    {glenum::MAX_PROGRAM_NATIVE_TEX_INSTRUCTIONS_ARB, &ProgramLimits::maxNativeTexInstructions},
    {glenum::MAX_PROGRAM_NATIVE_TEX_INDIRECTIONS_ARB, &ProgramLimits::maxNativeTexIndirections},
    {glenum::MAX_PROGRAM_INSTRUCTIONS_ARB, &ProgramLimits::maxInstructions},
    {glenum::MAX_PROGRAM_NATIVE_TEMPORARIES_ARB, &ProgramLimits::maxNativeTemporaries},
    {glenum::MAX_PROGRAM_NATIVE_PARAMETERS_ARB, &ProgramLimits::maxNativeParameters},
    {glenum::MAX_PROGRAM_LOCAL_PARAMETERS_ARB, &ProgramLimits::maxLocalParameters},
    {glenum::MAX_PROGRAM_ENV_PARAMETERS_ARB, &ProgramLimits::maxEnvParameters},
};

const LimitQuery textureQueries[] = {
    {glenum::MAX_TEXTURE_COORDS_ARB, &ProgramLimits::maxTextureCoords},
    {glenum::MAX_TEXTURE_IMAGE_UNITS_ARB, &ProgramLimits::maxTextureImageUnits},
    {glenum::MAX_TEXTURE_SIZE, &ProgramLimits::maxTextureSize},
    {glenum::MAX_RECTANGLE_TEXTURE_SIZE_ARB, &ProgramLimits::maxRectangleTextureSize},
    {glenum::MAX_DRAW_BUFFERS_ARB, &ProgramLimits::maxDrawBuffers},
    {glenum::MAX_RENDERBUFFER_SIZE_EXT, &ProgramLimits::maxRenderbufferSize},
};

const LimitQuery nvQueries[] = {
    {glenum::MAX_FRAGMENT_PROGRAM_LOCAL_PARAMETERS_NV, &ProgramLimits::nvMaxLocalParameters},
    {glenum::MAX_TEXTURE_COORDS_ARB, &ProgramLimits::nvMaxTextureCoords},
    {glenum::MAX_TEXTURE_IMAGE_UNITS_ARB, &ProgramLimits::nvMaxTextureImageUnits},
};

const LimitQuery nv2ProgramQueries[] = {
    {glenum::MAX_PROGRAM_EXEC_INSTRUCTIONS_NV, &ProgramLimits::maxExecInstructions},
    {glenum::MAX_PROGRAM_CALL_DEPTH_NV, &ProgramLimits::maxCallDepth},
    {glenum::MAX_PROGRAM_IF_DEPTH_NV, &ProgramLimits::maxIfDepth},
    {glenum::MAX_PROGRAM_LOOP_DEPTH_NV, &ProgramLimits::maxLoopDepth},
    {glenum::MAX_PROGRAM_LOOP_COUNT_NV, &ProgramLimits::maxLoopCount},
};

template <std::size_t N>
void queryIntegers(const LimitQuery (&queries)[N]) {
    for (const LimitQuery& query : queries) gl::glGetIntegerv(query.name, &(programLimits.*query.field));
}

template <std::size_t N>
void queryProgram(GLenum target, const LimitQuery (&queries)[N]) {
    if (gl::glGetProgramivARB == nullptr) return;
    for (const LimitQuery& query : queries)
        gl::glGetProgramivARB(target, query.name, &(programLimits.*query.field));
}

}  // namespace

bool nvLimitsApply(const std::string& vendorString) { return marlune_gpu::isNvidiaVendor(vendorString); }

bool nv2LimitsApply(const std::string& vendorString, const std::string& extensionsString) {
    return nvLimitsApply(vendorString) &&
           extensionsString.find("GL_NV_fragment_program2") != std::string::npos;
}

void queryProgramLimits() {
    queryProgram(glenum::FRAGMENT_PROGRAM_ARB, arbProgramQueries);
    queryIntegers(textureQueries);
    if (!nvLimitsApply(marlune_gpu::vendorString)) return;
    queryIntegers(nvQueries);
    if (!nv2LimitsApply(marlune_gpu::vendorString, marlune_gpu::extensionsString)) return;
    queryProgram(glenum::FRAGMENT_PROGRAM_NV, nv2ProgramQueries);
}
