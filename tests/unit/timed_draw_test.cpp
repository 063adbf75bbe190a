#include "app/measuring/timed_draw.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/test_textures.h"
#include "bench/marlune_timer.h"
#include "tests/support/console_capture.h"
#include "tests/support/fake_platform.h"
#include "tests/support/recording_gl.h"
#include "tests/unit/fake_extensions.h"

namespace {

using recording_gl::call;
using recording_gl::calls;

// Each counter reading lands in the call log, so the log shows where the
// timed section starts and ends; every reading is 1 ms after the last.
std::int64_t counterNow = 0;
std::int64_t oneMegahertz() { return 1000000; }
std::int64_t loggedCounter() {
    calls().push_back("counter");
    return counterNow += 1000;
}

GLuint64 samplesToReport = 0;
void KVX_APIENTRY reportSamples64(GLuint, GLenum pname, GLuint64* count) {
    calls().push_back(call("glGetQueryObjectui64v", pname));
    *count = samplesToReport;
}
void KVX_APIENTRY reportSamples32(GLuint, GLenum pname, GLuint* count) {
    calls().push_back(call("glGetQueryObjectuivARB", pname));
    *count = static_cast<GLuint>(samplesToReport);
}
void KVX_APIENTRY nameQueries(GLsizei count, GLuint* ids) {
    calls().push_back(call("glGenQueriesARB", count));
    for (GLsizei i = 0; i < count; ++i) ids[i] = 7 + static_cast<GLuint>(i);
}

class TimedDrawTest : public ::testing::Test {
protected:
    void SetUp() override {
        platform_.operations.counterFrequency = oneMegahertz;
        platform_.operations.counterValue = loggedCounter;
        platform_.install();
        resetTimer();
        savedTextures_ = testTextures;
        testTextures.imageTextures[0] = 11;
        testTextures.imageTextures[1] = 12;
        testTextures.imageTextures[2] = 13;
        gl::glGenQueriesARB = nameQueries;
        gl::glGetQueryObjectui64v = reportSamples64;
        gl::glGetQueryObjectuivARB = reportSamples32;
    }
    void TearDown() override {
        resetTimer();
        testTextures = savedTextures_;
    }

    // The log entries from `first` (inclusive) to `last` (exclusive).
    static std::vector<std::string> between(std::size_t first, std::size_t last) {
        return {calls().begin() + static_cast<long>(first), calls().begin() + static_cast<long>(last)};
    }
    static std::size_t indexOf(const std::string& entry, std::size_t from = 0) {
        const auto found = std::find(calls().begin() + static_cast<long>(from), calls().end(), entry);
        return static_cast<std::size_t>(found - calls().begin());
    }

    recording_gl::Install fakes_;
    FakePlatform platform_;
    TestTextures savedTextures_;
};

// glBegin, four times (four texture coordinates and a vertex), glEnd.
std::vector<std::string> texturedQuad() {
    const float corners[4][4] = {{-1, -1, 0, 0}, {-1, 1, 0, 768}, {1, 1, 512, 768}, {1, -1, 512, 0}};
    std::vector<std::string> quad = {call("glBegin", glenum::QUADS)};
    for (const auto& c : corners) {
        for (GLenum unit = glenum::TEXTURE0_ARB; unit <= glenum::TEXTURE3_ARB; ++unit)
            quad.push_back(call("glMultiTexCoord2fARB", unit, c[2], c[3]));
        quad.push_back(call("glVertex2f", c[0], c[1]));
    }
    quad.push_back(call("glEnd"));
    return quad;
}

std::vector<std::string> repeated(const std::vector<std::string>& block, int times) {
    std::vector<std::string> all;
    for (int i = 0; i < times; ++i) all.insert(all.end(), block.begin(), block.end());
    return all;
}

TEST_F(TimedDrawTest, TimesExactlyTwentyTwoCallsPerIterationAndTheFinalFinish) {
    EXPECT_EQ(texturedQuad().size(), 22u);
    const DrawnSection section = timedDraw(3, {});

    const std::size_t start = indexOf("counter");
    const std::size_t stop = indexOf("counter", start + 1);
    ASSERT_LT(stop, calls().size());
    std::vector<std::string> timed = repeated(texturedQuad(), 3);
    timed.push_back(call("glFinish"));
    EXPECT_EQ(between(start + 1, stop), timed);
    EXPECT_EQ(stop, calls().size() - 1) << "nothing after the timer stops";
    EXPECT_DOUBLE_EQ(section.elapsedMs, 1.0);
    EXPECT_EQ(section.fragments, std::nullopt);
}

TEST_F(TimedDrawTest, WarmsUpAndBindsTheImagesBeforeTheTimerStarts) {
    timedDraw(1, {});
    std::vector<std::string> expected = {
        call("glViewport", 0, 0, 512, 768),
        call("glScissor", 0, 0, 512, 768),
        call("glBegin", glenum::QUADS),
        call("glVertex2f", -1.0f, -1.0f),
        call("glVertex2f", -1.0f, 1.0f),
        call("glVertex2f", 1.0f, 1.0f),
        call("glVertex2f", 1.0f, -1.0f),
        call("glEnd"),
        call("glFinish"),
        call("glEnable", glenum::TEXTURE_RECTANGLE_NV),
        call("glActiveTextureARB", glenum::TEXTURE0_ARB),
        call("glBindTexture", glenum::TEXTURE_RECTANGLE_NV, 11),
        call("glEnable", glenum::TEXTURE_RECTANGLE_NV),
        call("glActiveTextureARB", glenum::TEXTURE1_ARB),
        call("glBindTexture", glenum::TEXTURE_RECTANGLE_NV, 12),
        call("glEnable", glenum::TEXTURE_RECTANGLE_NV),
        call("glActiveTextureARB", glenum::TEXTURE2_ARB),
        call("glBindTexture", glenum::TEXTURE_RECTANGLE_NV, 13),
    };
    // The timed state's own quad, even with nothing to count.
    const std::vector<std::string> warmUp = texturedQuad();
    expected.insert(expected.end(), warmUp.begin(), warmUp.end());
    expected.push_back(call("glFinish"));
    expected.push_back("counter");
    EXPECT_EQ(between(0, expected.size()), expected);
}

TEST_F(TimedDrawTest, NoIterationsTimeOnlyTheFinish) {
    timedDraw(0, {});
    const std::size_t start = indexOf("counter");
    EXPECT_EQ(between(start + 1, calls().size()), (std::vector<std::string>{call("glFinish"), "counter"}));
}

TEST_F(TimedDrawTest, CountsTheTimedFragmentsInOneQueryAfterAThrowawayWarmUpQuery) {
    samplesToReport = 2 * 393216;
    const DrawnSection section = timedDraw(2, {true, true});

    const std::size_t start = indexOf("counter");
    const std::size_t stop = indexOf("counter", start + 1);
    const std::size_t warmUp = indexOf(call("glBeginQueryARB", glenum::SAMPLES_PASSED_ARB, 7));
    ASSERT_LT(warmUp, start);
    std::vector<std::string> warmUpQuery = texturedQuad();
    warmUpQuery.insert(warmUpQuery.begin(), call("glBeginQueryARB", glenum::SAMPLES_PASSED_ARB, 7));
    warmUpQuery.push_back(call("glEndQueryARB", glenum::SAMPLES_PASSED_ARB));
    warmUpQuery.push_back(call("glFinish"));
    EXPECT_EQ(between(warmUp, start), warmUpQuery);

    std::vector<std::string> timed = repeated(texturedQuad(), 2);
    timed.insert(timed.begin(), call("glBeginQueryARB", glenum::SAMPLES_PASSED_ARB, 8));
    timed.push_back(call("glEndQueryARB", glenum::SAMPLES_PASSED_ARB));
    timed.push_back(call("glFinish"));
    EXPECT_EQ(between(start + 1, stop), timed);

    EXPECT_EQ(indexOf(call("glGetQueryObjectui64v", glenum::QUERY_RESULT_ARB)), stop + 1);
    EXPECT_EQ(section.fragments, 2u * 393216u);
}

TEST_F(TimedDrawTest, ReadsThe32BitCountWithoutTheTimerQuery) {
    samplesToReport = 1000;
    EXPECT_EQ(timedDraw(1, {true, false}).fragments, 1000u);
    EXPECT_EQ(recording_gl::countCalls("glGetQueryObjectui64v"), 0);
    EXPECT_EQ(recording_gl::countCalls("glGetQueryObjectuivARB"), 1);
}

struct CountingCase {
    const char* extensions;
    bool occlusionQuery;
    bool results64;
};

void PrintTo(const CountingCase& c, std::ostream* out) { *out << "\"" << c.extensions << "\""; }

class PrepareFragmentCounting : public TimedDrawTest, public ::testing::WithParamInterface<CountingCase> {};

TEST_P(PrepareFragmentCounting, FollowsTheQueryExtensionsSilently) {
    FakeExtensions extensions(GetParam().extensions, "");
    ConsoleCapture console;
    const FragmentCounting counting = prepareFragmentCounting();
    EXPECT_EQ(console.text(), "");
    EXPECT_EQ(counting.occlusionQuery, GetParam().occlusionQuery);
    EXPECT_EQ(counting.results64, GetParam().results64);
}

INSTANTIATE_TEST_SUITE_P(
    Extensions, PrepareFragmentCounting,
    ::testing::Values(CountingCase{"", false, false}, CountingCase{"GL_ARB_occlusion_query", true, false},
                      CountingCase{"GL_ARB_timer_query", false, false},
                      CountingCase{"GL_ARB_occlusion_query GL_ARB_timer_query", true, true}));

// A driver of OpenGL 1.5 or later that does not list the extension still
// counts, through the core entry points; an older one does not.
TEST_F(TimedDrawTest, CountsThroughTheCoreQueryFromOpenGL15) {
    const struct {
        const char* version;
        bool counts;
    } cases[] = {
        {"1.5.0 Vendor", true}, {"4.5 (Compatibility Profile) Mesa", true}, {"1.4", false}, {"", false}};
    for (const auto& c : cases) {
        FakeExtensions extensions("GL_ARB_timer_query", "", c.version);
        const FragmentCounting counting = prepareFragmentCounting();
        EXPECT_EQ(counting.occlusionQuery, c.counts) << c.version;
        EXPECT_EQ(counting.results64, c.counts) << c.version;
        if (!c.counts) continue;
        samplesToReport = 1000;
        EXPECT_EQ(timedDraw(1, counting).fragments, 1000u);
        EXPECT_EQ(recording_gl::countCalls("glBeginQueryARB"), 2)
            << "the core entry points took the ARB slots";
        recording_gl::calls().clear();
    }
}

}  // namespace
