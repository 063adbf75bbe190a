#include "app/programs/test_list.h"

#include "app/programs/program_binding.h"
#include "bench/tables.h"

bool allInstructionsMode(const BenchSettings& settings) {
    return settings.allInstructions != 0 && settings.vectorAndScalar == 0;
}

int allInstructionsCount(const BenchSettings& settings) {
    switch (settings.fragmentProgram) {
        case FragmentProfile::ARB: {
            const int byNvOption[] = {25, 26, 29};
            return byNvOption[settings.nvOption];
        }
        case FragmentProfile::FP1:
            return 22;
        case FragmentProfile::FP2:
            return 25;
        case FragmentProfile::FP4:
            return 29;
        default:
            return 0;
    }
}

std::uint8_t listedInstruction(const BenchSettings& settings, int test) {
    return usesNvProgramUnit(settings.fragmentProgram) ? settings.nvTestList[test]
                                                       : settings.arbTestList[test];
}
