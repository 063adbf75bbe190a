// Each bundled ARB program drawn by the real draw loop over bilinearly
// filtered textures gives what the CPU reference computes from its text:
// the suite measures programs that compute what their comments say.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "bench/program_text.h"
#include "bench/settings.h"
#include "tests/gl/reference_render.h"

namespace {

namespace fs = std::filesystem;

// Ramps from 0.1 to 0.9 along a different direction on every unit and
// channel, held as floats: a coordinate a hair off reads a value a hair
// off, so the dependent fetches of the suite compare within the tolerance.
float ramp(int unit, int channel, int x, int y) {
    static const int slopes[3][3][2] = {
        {{1, 0}, {0, 1}, {1, 1}}, {{2, -1}, {-1, 3}, {3, 2}}, {{1, -2}, {-3, 1}, {2, 3}}};
    const int ax = slopes[unit][channel][0], ay = slopes[unit][channel][1];
    const float along = (ax * (ax >= 0 ? x : x - 511) / 511.0f + ay * (ay >= 0 ? y : y - 767) / 767.0f) /
                        static_cast<float>(std::abs(ax) + std::abs(ay));
    return 0.1f + 0.8f * along;
}

class SuiteRenderTest : public ReferenceRenderTest {
protected:
    SuiteRenderTest() : ReferenceRenderTest(ramp, glenum::LINEAR, glenum::RGB32F_ARB) {}
};

TEST_F(SuiteRenderTest, EveryBundledArbProgramRendersWhatTheReferenceComputes) {
    Pixels grid;
    for (int x = 5; x < 512; x += 63) {
        for (int y = 11; y < 768; y += 95) grid.push_back({x, y});
    }
    std::vector<fs::path> programs;
    for (const fs::directory_entry& entry :
         fs::directory_iterator(fs::path(KORVEX_SOURCE_DIR) / "bench/suite/ARB"))
        programs.push_back(entry.path());
    std::sort(programs.begin(), programs.end());
    ASSERT_FALSE(programs.empty());
    for (const fs::path& program : programs) {
        expectReference(programString(loadProgramText(program.string())), defaultBenchSettings,
                        program.filename().string(), grid);
    }
}

}  // namespace
