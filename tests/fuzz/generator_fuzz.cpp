// Any settings within their invariants, and any instruction that an
// all-instructions run asks for: the generated program is well-formed for the
// language of the profile and NV option, by the structure checker's rules.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "app/programs/test_list.h"
#include "bench/fpgen/marlune_fp.h"
#include "bench/settings.h"
#include "bench/tables.h"
#include "tests/fuzz/fuzz_check.h"
#include "tests/support/program_checker.h"

namespace {

// Lengths reach 2^31 - 1 on the command line, and the time of one input
// grows with the length. Every shape of a program (the loop and its
// remainder, each kernel's alternation) shows within a few dozen steps; the
// search for the longest FP1.0 or FP2.0 program that fits, which needs more
// than 1024 instructions, has unit tests of its own.
constexpr int longestProgram = 64;

BenchSettings settingsFrom(FuzzedDataProvider& in) {
    BenchSettings s = defaultBenchSettings;
    s.fragmentProgram = in.ConsumeIntegralInRange<std::uint8_t>(FragmentProfile::ARB, FragmentProfile::FP4);
    s.nvOption = in.ConsumeIntegralInRange(0, 2);
    s.localParameters = in.ConsumeIntegralInRange(0, 2);
    s.precisionHint = in.ConsumeIntegralInRange(0, 2);
    const char* const precisions[] = {"", "R", "H", "X"};
    s.nvInstructionPrecision = precisions[in.ConsumeIntegralInRange(0, 3)];
    s.temporaries = in.ConsumeIntegralInRange(0, 2);
    s.length = in.ConsumeIntegralInRange(1, longestProgram);
    s.components = in.ConsumeIntegralInRange(1, 4);
    s.clamp = in.ConsumeBool();
    s.textureFetches = in.ConsumeIntegralInRange(0, 8);
    s.fetchTexture = in.ConsumeIntegralInRange(0, 1);
    s.multiTexCoords = in.ConsumeBool();
    s.branching = in.ConsumeIntegralInRange<std::uint8_t>(0, 2);
    s.multipleOutputs = in.ConsumeBool();
    s.outputCount = in.ConsumeIntegralInRange(1, 4);
    s.allInstructions = 1;
    return s;
}

progcheck::Language languageOf(const BenchSettings& s) {
    using progcheck::Language;
    switch (s.fragmentProgram) {
        case FragmentProfile::FP1:
            return Language::fp1;
        case FragmentProfile::FP2:
            return Language::fp2;
        case FragmentProfile::FP4:
            return Language::nvfp4;
        default:
            break;
    }
    const Language byOption[] = {Language::arb, Language::arbNv, Language::arbNv2};
    return byOption[s.nvOption];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const BenchSettings settings = settingsFrom(in);
    require(settingsInvariantsHold(settings), "the fuzzer builds settings within their invariants");
    const int test = in.ConsumeIntegralInRange(0, allInstructionsCount(settings) - 1);
    const std::uint8_t instruction = listedInstruction(settings, test);

    const GeneratedProgram program = generateProgram(instruction, settings);
    require(!program.source.empty(), "a generated program has lines");
    for (const std::string& line : program.source)
        require(line.find_first_of(std::string("\r\n\0", 3)) == std::string::npos,
                "a line holds no break or NUL");

    const progcheck::ProgramCheck check = progcheck::checkProgram(programString(program.source));
    if (!check.wellFormed()) {
        std::fprintf(stderr, "%s in %s:\n", instructionName(instruction),
                     progcheck::languageName(check.language));
        for (const std::string& problem : check.problems) std::fprintf(stderr, "  %s\n", problem.c_str());
    }
    require(check.wellFormed(), "the generated text is well-formed for its language");
    require(check.language == languageOf(settings), "the text is written in the language of the profile");
    return 0;
}
