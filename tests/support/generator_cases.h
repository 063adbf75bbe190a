// Settings and instruction lists for testing the program generator across
// every language it writes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bench/fpgen/marlune_fp.h"
#include "bench/settings.h"

struct LanguageCase {
    const char* name;
    std::uint8_t profile;
    int nvOption;
};

// ARB with no option, the NV option and the NV2 option; FP1; FP2; FP4.
const std::vector<LanguageCase>& languageCases();

// Default settings with the language's profile and option.
BenchSettings settingsFor(const LanguageCase& language);

// The instructions an all-instructions run of the language tests, in order.
std::vector<std::uint8_t> testedInstructions(const BenchSettings& settings);

struct SettingsVariation {
    const char* name;
    std::function<void(BenchSettings&)> apply;
};

// Representative combinations of every program setting.
const std::vector<SettingsVariation>& settingsVariations();

// The test's program, then the helpers-only forms of its net variants (the
// full forms are the same generator at other lengths).
std::vector<GeneratedProgram> withHelpersOnlyForms(std::uint8_t instruction, const BenchSettings& settings);
