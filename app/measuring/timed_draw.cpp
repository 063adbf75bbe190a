#include "app/measuring/timed_draw.h"

#include <algorithm>

#include "app/test_textures.h"
#include "bench/marlune_glwindow.h"
#include "bench/marlune_timer.h"
#include "gl/GL.h"
#include "gl/GLext.h"

namespace {

struct Corner {
    float x, y, s, t;
};
// The order in which the quad's vertices are issued.
constexpr Corner quad[4] = {
    {-1.0f, -1.0f, 0.0f, 0.0f},
    {-1.0f, 1.0f, 0.0f, static_cast<float>(frameHeight)},
    {1.0f, 1.0f, static_cast<float>(frameWidth), static_cast<float>(frameHeight)},
    {1.0f, -1.0f, static_cast<float>(frameWidth), 0.0f},
};

void drawPlainQuad() {
    gl::glBegin(glenum::QUADS);
    for (const Corner& corner : quad) gl::glVertex2f(corner.x, corner.y);
    gl::glEnd();
}

// 22 calls: glBegin, then per vertex four texture coordinates and the
// vertex, then glEnd.
void drawTexturedQuad() {
    gl::glBegin(glenum::QUADS);
    for (const Corner& corner : quad) {
        gl::glMultiTexCoord2fARB(glenum::TEXTURE0_ARB, corner.s, corner.t);
        gl::glMultiTexCoord2fARB(glenum::TEXTURE1_ARB, corner.s, corner.t);
        gl::glMultiTexCoord2fARB(glenum::TEXTURE2_ARB, corner.s, corner.t);
        gl::glMultiTexCoord2fARB(glenum::TEXTURE3_ARB, corner.s, corner.t);
        gl::glVertex2f(corner.x, corner.y);
    }
    gl::glEnd();
}

void bindImageTextures() {
    const GLenum target = testTextures.target;
    gl::glEnable(target);
    gl::glActiveTextureARB(glenum::TEXTURE0_ARB);
    gl::glBindTexture(target, testTextures.imageTextures[0]);
    gl::glEnable(target);
    gl::glActiveTextureARB(glenum::TEXTURE1_ARB);
    gl::glBindTexture(target, testTextures.imageTextures[1]);
    gl::glEnable(target);
    gl::glActiveTextureARB(glenum::TEXTURE2_ARB);
    gl::glBindTexture(target, testTextures.imageTextures[2]);
}

std::uint64_t queryResult(GLuint query, bool results64) {
    if (results64) {
        GLuint64 count = 0;
        gl::glGetQueryObjectui64v(query, glenum::QUERY_RESULT_ARB, &count);
        return count;
    }
    GLuint count = 0;
    gl::glGetQueryObjectuivARB(query, glenum::QUERY_RESULT_ARB, &count);
    return count;
}

// The quad that makes the driver build the shader variant of the timed state
// (bound textures, texture coordinates, the query when counting) before the
// timer runs.
void warmUpTimedState(bool counting, GLuint query) {
    if (counting) gl::glBeginQueryARB(glenum::SAMPLES_PASSED_ARB, query);
    drawTexturedQuad();
    if (counting) gl::glEndQueryARB(glenum::SAMPLES_PASSED_ARB);
    gl::glFinish();
}

void drawQuads(int iterations, const SubmissionObserver& observer) {
    for (int submitted = 0; submitted < iterations;) {
        const int stride = std::min(submissionStride, iterations - submitted);
        for (int i = 0; i < stride; ++i) drawTexturedQuad();
        submitted += stride;
        if (observer) observer(submitted);
    }
}

}  // namespace

void setInitialDrawState() {
    const GLenum front = pixelBufferDrawBuffer(glenum::FRONT);
    gl::glDrawBuffer(front);
    gl::glReadBuffer(front);
    gl::glDisable(glenum::DEPTH_TEST);
    gl::glClear(glenum::COLOR_BUFFER_BIT | glenum::DEPTH_BUFFER_BIT);
}

FragmentCounting prepareFragmentCounting() {
    FragmentCounting counting;
    counting.occlusionQuery = gl::loadExtension("GL_ARB_occlusion_query") || gl::loadCoreOcclusionQuery();
    counting.results64 = counting.occlusionQuery && gl::loadExtension("GL_ARB_timer_query");
    return counting;
}

DrawnSection timedDraw(int iterations, const FragmentCounting& fragmentCounting,
                       const SubmissionObserver& observer) {
    const bool counting = fragmentCounting.occlusionQuery;
    gl::glViewport(0, 0, frameWidth, frameHeight);
    gl::glScissor(0, 0, frameWidth, frameHeight);
    drawPlainQuad();
    gl::glFinish();
    bindImageTextures();
    GLuint queries[2] = {0, 0};
    if (counting) gl::glGenQueriesARB(2, queries);
    warmUpTimedState(counting, queries[0]);

    startTimer();
    if (counting) gl::glBeginQueryARB(glenum::SAMPLES_PASSED_ARB, queries[1]);
    drawQuads(iterations, observer);
    if (counting) gl::glEndQueryARB(glenum::SAMPLES_PASSED_ARB);
    gl::glFinish();
    DrawnSection section{stopTimer(), std::nullopt};

    if (counting) {
        section.fragments = queryResult(queries[1], fragmentCounting.results64);
        gl::glDeleteQueriesARB(2, queries);
    }
    return section;
}
