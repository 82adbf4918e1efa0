#include "tank/environment/BubbleEmitter.h"
#include "tank/platform/Folders.h"

#include <GL/gl.h>
#include <cstdlib>
#include <cstring>
#include <gtest/gtest.h>
#include <vector>

#include "support/OffscreenGl.h"

namespace quelmarine {
namespace {

constexpr int kWidth = 200, kHeight = 160;

// Looks at the emitter's floor from the front: x -110 … 110, y -10 … 140.
class BubbleEmitterGl : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(gl.ok()) << "no offscreen OpenGL context (is an X server running?)";
        glViewport(0, 0, kWidth, kHeight);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-110, 110, -10, 140, -10, 10);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glEnable(GL_TEXTURE_2D);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        glEnable(GL_BLEND);
        glColor3ub(255, 255, 255);
        ASSERT_TRUE(emitter.Init(kBubblePool, privateRuntimeFolder()));
    }

    int litPixels() {
        std::vector<unsigned char> pixels(kWidth * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        int lit = 0;
        for (int i = 0; i < kWidth * kHeight; ++i)
            lit += (pixels[i * 4] | pixels[i * 4 + 1] | pixels[i * 4 + 2]) > 8 ? 1 : 0;
        return lit;
    }

    int drawnPixels(std::int32_t count) {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        stepAndDraw(count);
        glFinish();
        return litPixels();
    }

    void stepAndDraw(std::int32_t count) {
        emitter.Step(count);
        emitter.Draw();
    }

    std::vector<Particle> snapshot() {
        return {&emitter.particle(0), &emitter.particle(0) + emitter.poolSize()};
    }

    testsupport::OffscreenGl gl{kWidth, kHeight};
    BubbleEmitter emitter;
};

TEST_F(BubbleEmitterGl, InitLoadsTheSpriteIntoATexture) {
    ASSERT_NE(emitter.spriteTexture(), 0u);
    glBindTexture(GL_TEXTURE_2D, emitter.spriteTexture());
    GLint width = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    EXPECT_EQ(width, 32);
}

TEST_F(BubbleEmitterGl, DrawShowsTheActiveBubblesAndMovesOnlyThem) {
    // Spread the stream out first, as the view's warm-up does.
    for (int i = 0; i < 110; ++i)
        stepAndDraw(110);
    const std::vector<Particle> before = snapshot();
    const int few = drawnPixels(10);
    EXPECT_GT(few, 0);
    for (int i = 0; i < emitter.poolSize(); ++i)
        EXPECT_EQ(std::memcmp(&before[i], &emitter.particle(i), sizeof(Particle)) != 0, i < 10)
            << i;
    EXPECT_GT(drawnPixels(110), few);
}

TEST_F(BubbleEmitterGl, CountsOfNoneOrBelowDrawAndMoveNothing) {
    const std::vector<Particle> before = snapshot();
    for (std::int32_t count : {0, -1, -500}) {
        EXPECT_EQ(drawnPixels(count), 0) << count;
        EXPECT_EQ(emitter.activeCount, 0);
    }
    EXPECT_EQ(std::memcmp(before.data(), &emitter.particle(0), before.size() * sizeof(Particle)),
              0);
}

TEST_F(BubbleEmitterGl, CountAboveThePoolDrawsThePool) {
    EXPECT_GT(drawnPixels(100000), 0);
    EXPECT_EQ(emitter.activeCount, kBubblePool);
}

TEST_F(BubbleEmitterGl, StepSendsNothingAndDrawMovesNothing) {
    BubbleEmitter twin;
    std::srand(77);
    ASSERT_TRUE(emitter.InitParticles(kBubblePool));
    std::srand(77);
    ASSERT_TRUE(twin.InitParticles(kBubblePool));
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    std::srand(5);
    for (int i = 0; i < 110; ++i)
        twin.Step(60);
    const int afterSteps = std::rand();
    EXPECT_EQ(litPixels(), 0) << "a step sends nothing";
    std::srand(5);
    for (int i = 0; i < 110; ++i)
        stepAndDraw(60);
    EXPECT_EQ(std::rand(), afterSteps) << "drawing draws random numbers";
    EXPECT_EQ(std::memcmp(&twin.particle(0), &emitter.particle(0), 110 * sizeof(Particle)), 0)
        << "drawing moves the bubbles";
    EXPECT_GT(litPixels(), 0);
}

TEST_F(BubbleEmitterGl, UncolouredBubblesKeepTheCurrentColour) {
    emitter.setColored(false);
    glColor3ub(10, 20, 30);
    stepAndDraw(110);
    GLfloat colour[4] = {};
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_NEAR(colour[0], 10 / 255.0f, 1e-3f);
    emitter.setColored(true);
    stepAndDraw(110);
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[0], 1.0f) << "a coloured draw ends in white";
}

} // namespace
} // namespace quelmarine
