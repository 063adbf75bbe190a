#include "bench/settings.h"

#include "bench/tables.h"

const BenchSettings defaultBenchSettings = {
    {0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
     15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28},
    {1, 2, 3, 4, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 22, 23, 25, 26, 27, 28},
    /* resultPrefix */ 2,
    /* gpuid */ 0,
    /* output */ 0,
    /* fragmentProgram */ FragmentProfile::ARB,
    /* nvOption */ 0,
    /* localParameters */ 0,
    /* precisionHint */ 0,
    /* nvInstructionPrecision */ "",
    /* vectorAndScalar */ 0,
    /* size */ 512,
    /* temporaries */ 0,
    /* length */ 64,
    /* components */ 4,
    /* primitive */ 4,
    /* iterations */ 10000,
    /* instruction */ AluInstruction::MAD,
    /* clamp */ 0,
    /* textureFetches */ 0,
    /* fetchTexture */ 1,
    /* multiTexCoords */ 0,
    /* branching */ 0,
    /* multipleOutputs */ 0,
    /* outputCount */ 4,
    /* arbDrawBuffers */ 1,
    /* latencySizeFirst */ 512,
    /* latencySizeLast */ 512,
    /* allInstructions */ 0,
    /* programCount */ 0,
    /* instructionMultiplier */ 1,
};

BenchSettings benchSettings = defaultBenchSettings;

namespace {

bool within(int value, int low, int high) { return value >= low && value <= high; }

}  // namespace

bool settingsInvariantsHold(const BenchSettings& s) {
    const std::string& precision = s.nvInstructionPrecision;
    return s.fragmentProgram < FragmentProfile::INVALID && s.instruction < AluInstruction::INVALID &&
           s.resultPrefix <= 2 && within(s.output, 0, 3) && within(s.nvOption, 0, 2) &&
           within(s.localParameters, 0, 2) && within(s.precisionHint, 0, 2) && within(s.temporaries, 0, 2) &&
           within(s.fetchTexture, 0, 1) && s.branching <= 2 && within(s.components, 1, 4) &&
           within(s.outputCount, 1, 4) && within(s.size, 2, 4096) && within(s.textureFetches, 0, 8) &&
           s.iterations >= 1 && s.length >= 1 && (s.primitive == 4 || s.primitive == 7) &&
           within(s.gpuid, 0, 2) &&
           (precision.empty() || precision == "R" || precision == "H" || precision == "X");
}
