#include "app/capability_report.h"

#include <cstdint>

#include "base/console.h"
#include "bench/marlune_gpu.h"
#include "bench/settings.h"
#include "bench/tables.h"

namespace {

// Every label is the name padded to 22 characters, then ": ".
std::string label(const std::string& name) { return name + std::string(22 - name.size(), ' ') + ": "; }

std::string line(const std::string& name, int value) { return label(name) + std::to_string(value); }

std::string squareLine(const std::string& name, int side) {
    return line(name, side) + " x " + std::to_string(side);
}

// " NAME" for each entry from `first` to `last` (exclusive), then " ]".
std::string instructionList(const std::uint8_t* list, int first, int last) {
    std::string text;
    for (int i = first; i < last; ++i) text += std::string(" ") + instructionName(list[i]);
    return text + " ]";
}

}  // namespace

std::vector<std::string> capabilityReportLines(const ProgramLimits& limits, int gpuid) {
    using namespace marlune_gpu;
    std::vector<std::string> lines = {
        label("GL_RENDERER") + rendererName,
        label("GL_VENDOR") + vendorString,
        label("GL_VERSION") + versionString,
    };
    if (gpuid == 2) lines.push_back(label("GL_EXTENSIONS") + extensionsString);
    const std::vector<std::string> driverAndArb = {
        label("Driver Name") + driverName,
        label("Driver Company") + driverCompany,
        label("Driver Version") + driverVersion,
        label("Driver Description") + driverDescription,
        "ARB_fragment_program",
        line("ALU Instructions", limits.maxNativeAluInstructions) + " [" +
            instructionList(benchSettings.arbTestList, 0, 25),
        line("TEX Instructions", limits.maxNativeTexInstructions),
        line("TEX Indirections", limits.maxNativeTexIndirections),
        line("Program Instructions", limits.maxInstructions),
        line("Temporaries", limits.maxNativeTemporaries),
        line("Parameters", limits.maxNativeParameters),
        line("Local Parameters", limits.maxLocalParameters),
        line("Env. Parameters", limits.maxEnvParameters),
        line("Texture Coords", limits.maxTextureCoords),
        line("Texture Image Units", limits.maxTextureImageUnits),
        squareLine("Texture Size", limits.maxTextureSize),
        squareLine("Texture Rectangle Size", limits.maxRectangleTextureSize),
        line("Draw Buffers", limits.maxDrawBuffers),
        squareLine("Renderbuffer Size", limits.maxRenderbufferSize),
    };
    lines.insert(lines.end(), driverAndArb.begin(), driverAndArb.end());
    if (nvLimitsApply(vendorString)) {
        lines.insert(lines.end(),
                     {
                         "NV_fragment_program",
                         label("ALU Instructions") + "[" + instructionList(benchSettings.nvTestList, 0, 22),
                         line("Local Parameters", limits.nvMaxLocalParameters),
                         line("Texture Coords", limits.nvMaxTextureCoords),
                         line("Texture Image Units", limits.nvMaxTextureImageUnits),
                     });
    }
    if (nv2LimitsApply(vendorString, extensionsString)) {
        lines.insert(lines.end(),
                     {
                         "NV_fragment_program2",
                         label("ALU Instructions") + "[" + instructionList(benchSettings.nvTestList, 22, 25),
                         line("Exec Instruction Count", limits.maxExecInstructions),
                         line("Call Stack Depth", limits.maxCallDepth),
                         line("If Nesting", limits.maxIfDepth),
                         line("Loop Nesting", limits.maxLoopDepth),
                         line("Initial Loop Count", limits.maxLoopCount),
                     });
    }
    lines.push_back("");
    return lines;
}

void printCapabilityReport() {
    for (const std::string& text : capabilityReportLines(programLimits, benchSettings.gpuid)) writeLine(text);
}
