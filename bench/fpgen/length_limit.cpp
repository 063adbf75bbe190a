#include "bench/fpgen/length_limit.h"

#include <algorithm>

#include "bench/fpgen/layout.h"

namespace fpgen {

std::size_t languageInstructionLimit(const Dialect& dialect) {
    return dialect.language == Language::fp1 || dialect.language == Language::fp2 ? 1024 : 0;
}

int longestLengthWithin(const std::string& op, const BenchSettings& settings, const Dialect& dialect,
                        std::size_t limit) {
    if (limit == 0) return settings.length;
    BenchSettings trial = settings;
    const auto fits = [&](int length) {
        trial.length = length;
        return planProgram(op, trial, dialect).instrs.size() <= limit;
    };
    // Every step is one instruction at least, so no longer length can fit.
    const int longest =
        static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(settings.length), limit));
    if (fits(longest)) return longest;
    int fit = 1, fitNot = longest;
    while (fitNot - fit > 1) {
        const int middle = fit + (fitNot - fit) / 2;
        (fits(middle) ? fit : fitNot) = middle;
    }
    return fit;
}

}  // namespace fpgen
