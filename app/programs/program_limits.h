// The implementation limits that matter to fragment programs, queried on
// every run with the window's context current.
#pragma once

#include <string>

struct ProgramLimits {
    int maxNativeAluInstructions = 0;
    int maxNativeTexInstructions = 0;
    int maxNativeTexIndirections = 0;
    int maxInstructions = 0;
    int maxNativeTemporaries = 0;
    int maxNativeParameters = 0;
    int maxLocalParameters = 0;
    int maxEnvParameters = 0;
    int maxTextureCoords = 0;
    int maxTextureImageUnits = 0;
    int maxTextureSize = 0;
    int maxRectangleTextureSize = 0;
    int maxDrawBuffers = 0;
    int maxRenderbufferSize = 0;
    int nvMaxLocalParameters = 0;
    int nvMaxTextureCoords = 0;
    int nvMaxTextureImageUnits = 0;
    int maxExecInstructions = 0;
    int maxCallDepth = 0;
    int maxIfDepth = 0;
    int maxLoopDepth = 0;
    int maxLoopCount = 0;
};

extern ProgramLimits programLimits;

// The NV group is read on NVIDIA drivers (case-sensitive "NVIDIA" in the
// vendor string), the NV2 group when the extensions also name
// "GL_NV_fragment_program2".
bool nvLimitsApply(const std::string& vendorString);
bool nv2LimitsApply(const std::string& vendorString, const std::string& extensionsString);

// Fills programLimits, each field by one query in table order; a rejected
// query leaves its field as it was. The program queries are skipped when the
// program extensions did not load, as their entry points are then missing.
void queryProgramLimits();
