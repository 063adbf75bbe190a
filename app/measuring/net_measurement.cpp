#include "app/measuring/net_measurement.h"

NetResult measuredNet(const NetTestPrograms& programs, const std::vector<TimedProgram>& timings) {
    std::vector<TimedProgram> byVariant;
    std::size_t next = 1;
    for (std::size_t v = 0; v < programs.set.variants.size(); ++v)
        byVariant.push_back(static_cast<int>(v) == programs.testVariant ? timings.at(0) : timings.at(next++));
    return netResult(programs.set, byVariant);
}
