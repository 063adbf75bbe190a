#include "tests/support/generator_cases.h"

#include "bench/fpgen/net_variants.h"
#include "bench/tables.h"

const std::vector<LanguageCase>& languageCases() {
    static const std::vector<LanguageCase> cases = {
        {"ARB", FragmentProfile::ARB, 0},
        {"ARB, NV option", FragmentProfile::ARB, 1},
        {"ARB, NV2 option", FragmentProfile::ARB, 2},
        {"FP1", FragmentProfile::FP1, 0},
        {"FP2", FragmentProfile::FP2, 0},
        {"FP4", FragmentProfile::FP4, 0},
    };
    return cases;
}

BenchSettings settingsFor(const LanguageCase& language) {
    BenchSettings settings = defaultBenchSettings;
    settings.fragmentProgram = language.profile;
    settings.nvOption = language.nvOption;
    return settings;
}

std::vector<std::uint8_t> testedInstructions(const BenchSettings& settings) {
    if (settings.fragmentProgram == FragmentProfile::FP1)
        return {settings.nvTestList, settings.nvTestList + 22};
    if (settings.fragmentProgram == FragmentProfile::FP2)
        return {settings.nvTestList, settings.nvTestList + 25};
    if (settings.fragmentProgram == FragmentProfile::FP4)
        return {settings.arbTestList, settings.arbTestList + 29};
    static const int arbCounts[] = {25, 26, 29};
    return {settings.arbTestList, settings.arbTestList + arbCounts[settings.nvOption]};
}

const std::vector<SettingsVariation>& settingsVariations() {
    static const std::vector<SettingsVariation> variations = {
        {"defaults", [](BenchSettings&) {}},
        {"length 1", [](BenchSettings& s) { s.length = 1; }},
        {"length 2, loop", [](BenchSettings& s) { s.length = 2, s.branching = 1; }},
        {"length 7, repeat", [](BenchSettings& s) { s.length = 7, s.branching = 2; }},
        {"length 101, loop, clamp", [](BenchSettings& s) { s.length = 101, s.branching = 1, s.clamp = 1; }},
        {"one component, X precision",
         [](BenchSettings& s) { s.components = 1, s.nvInstructionPrecision = "X"; }},
        {"two components, H precision, short temporaries",
         [](BenchSettings& s) { s.components = 2, s.nvInstructionPrecision = "H", s.temporaries = 2; }},
        {"three components, long temporaries, clamp",
         [](BenchSettings& s) { s.components = 3, s.temporaries = 1, s.clamp = 1; }},
        {"8 fetches, three textures, own coordinate sets",
         [](BenchSettings& s) { s.textureFetches = 8, s.multiTexCoords = 1; }},
        {"5 fetches, one texture, one coordinate set",
         [](BenchSettings& s) { s.textureFetches = 5, s.fetchTexture = 0; }},
        {"named parameters, nicest hint",
         [](BenchSettings& s) { s.localParameters = 2, s.precisionHint = 1; }},
        {"env parameters, fastest hint",
         [](BenchSettings& s) { s.localParameters = 1, s.precisionHint = 2; }},
        {"four outputs, loop",
         [](BenchSettings& s) { s.multipleOutputs = 1, s.outputCount = 4, s.branching = 1; }},
        {"everything at once",
         [](BenchSettings& s) {
             s.length = 9, s.components = 3, s.clamp = 1, s.textureFetches = 4, s.multiTexCoords = 1,
             s.temporaries = 2, s.branching = 2, s.precisionHint = 2, s.nvInstructionPrecision = "R",
             s.localParameters = 2, s.multipleOutputs = 1, s.outputCount = 3;
         }},
    };
    return variations;
}

std::vector<GeneratedProgram> withHelpersOnlyForms(std::uint8_t instruction, const BenchSettings& settings) {
    std::vector<GeneratedProgram> programs = {generateProgram(instruction, settings)};
    for (NetVariant& variant : generateNetVariants(instruction, settings, 0).variants) {
        if (variant.helpersOnly) programs.push_back(std::move(variant.program));
    }
    return programs;
}
