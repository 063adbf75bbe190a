#include "app/programs/program_shape.h"

ProgramShape programShape(const BenchSettings& s, std::optional<std::uint8_t> instruction) {
    return {s.fragmentProgram,
            s.nvOption,
            instruction,
            s.length,
            s.components,
            s.clamp != 0,
            s.precisionHint,
            s.nvInstructionPrecision,
            s.temporaries,
            s.branching,
            s.textureFetches,
            s.fetchTexture,
            s.multiTexCoords != 0,
            s.localParameters,
            s.multipleOutputs != 0 ? s.outputCount : 1,
            s.vectorAndScalar != 0};
}
