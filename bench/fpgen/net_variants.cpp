#include "bench/fpgen/net_variants.h"

#include <algorithm>

#include "bench/fpgen/dialect.h"
#include "bench/fpgen/kernels.h"
#include "bench/fpgen/layout.h"
#include "bench/fpgen/length_limit.h"
#include "bench/fpgen/marlune_fp.h"
#include "bench/tables.h"

std::vector<int> netLengths(int testLength, int longest) {
    if (testLength < shortestNetLength || testLength > longest) return {};
    std::vector<int> lengths = {testLength};
    const long long base = testLength;
    for (long long candidate : {2 * base, base / 2, base / 4, 4 * base}) {
        if (lengths.size() < 3 && candidate >= shortestNetLength && candidate <= longest)
            lengths.push_back(static_cast<int>(candidate));
    }
    if (lengths.size() < 3) return {};
    std::sort(lengths.begin(), lengths.end());
    return lengths;
}

namespace {

// The smaller of two limits where 0 stands for none.
std::size_t tighterLimit(std::size_t a, std::size_t b) {
    if (a == 0 || b == 0) return std::max(a, b);
    return std::min(a, b);
}

}  // namespace

NetVariantSet generateNetVariants(std::uint8_t instruction, const BenchSettings& settings,
                                  int instructionLimit) {
    const GeneratedProgram test = generateProgram(instruction, settings);
    const fpgen::Dialect dialect = fpgen::dialectOf(settings);
    const std::string op = instructionName(instruction);
    const int testLength = test.work.testedInstructions;
    const std::size_t limit = tighterLimit(static_cast<std::size_t>(std::max(instructionLimit, 0)),
                                           fpgen::languageInstructionLimit(dialect));
    BenchSettings widest = settings;
    widest.length = static_cast<int>(std::min<long long>(4LL * testLength, 1 << 30));
    const int longest = fpgen::longestLengthWithin(op, widest, dialect, limit);

    NetVariantSet set;
    set.lengths = netLengths(testLength, longest);
    if (set.lengths.empty()) {
        set.unavailable = "it needs three lengths from " + std::to_string(shortestNetLength) + " to " +
                          std::to_string(longest) + " steps, the longest that fits, around the test's " +
                          std::to_string(testLength);
        return set;
    }
    set.testedFlops = fpgen::opcodeFlops(
        op, static_cast<int>(fpgen::testedMask(op, std::clamp(settings.components, 1, 4)).size()));
    for (fpgen::StepForm form : {fpgen::StepForm::full, fpgen::StepForm::helpersOnly}) {
        for (int length : set.lengths) {
            GeneratedProgram program = fpgen::programAtLength(op, settings, dialect, length, form);
            // An instruction without helpers has no helpers-only form: it
            // would be the bare seeds and combine, whose time is the fit's
            // intercept.
            if (form == fpgen::StepForm::helpersOnly && program.work.helperInstructions == 0) return set;
            set.variants.push_back({length, form == fpgen::StepForm::helpersOnly, std::move(program)});
        }
    }
    return set;
}
