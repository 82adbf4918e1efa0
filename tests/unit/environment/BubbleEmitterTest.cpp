#include "tank/environment/BubbleEmitter.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <set>
#include <vector>

namespace quelmarine {
namespace {

bool isWhole(float v) {
    return v == std::floor(v);
}

bool sameState(const Particle& a, const Particle& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

class BubbleEmitterTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(emitter.InitParticles(kBubblePool)); }
    BubbleEmitter emitter;
};

TEST_F(BubbleEmitterTest, FirstBirthsSpreadBelowTheFloorWithGentleRise) {
    EXPECT_EQ(emitter.poolSize(), 110);
    EXPECT_EQ(emitter.activeCount, 110);
    std::set<float> xs, sizes;
    for (int i = 0; i < emitter.poolSize(); ++i) {
        const Particle& p = emitter.particle(i);
        EXPECT_TRUE(isWhole(p.x) && p.x >= -100 && p.x <= 99) << p.x;
        EXPECT_GE(p.y, -1.0f);
        EXPECT_LE(p.y, -0.959f);
        EXPECT_GE(p.z, 0.0f);
        EXPECT_LE(p.z, 0.0251f);
        EXPECT_LE(std::fabs(p.vx), 8999 * 0.000007f + 1e-6f);
        EXPECT_GE(p.vy, 0.0f);
        EXPECT_LE(p.vy, 8999 * 0.000042f / 3 + 1e-6f); // a third of a rebirth's rise
        EXPECT_GE(p.vz, 0.0f);
        EXPECT_LE(p.vz, 0.009f);
        EXPECT_EQ(p.ax, 0.0f);
        EXPECT_EQ(p.ay, 0.00083333329f);
        EXPECT_EQ(p.az, 0.0f);
        EXPECT_EQ(p.life, 200.0f);
        EXPECT_NEAR(std::fmod(p.fade / 0.05f + 0.5f, 1.0f), 0.5f, 0.01f);
        EXPECT_LE(p.fade, 2.451f);
        EXPECT_GE(p.size, 0.2f - 1e-6f);
        EXPECT_LE(p.size, 2.1f + 1e-6f);
        for (float c : {p.red, p.green, p.blue})
            EXPECT_TRUE(isWhole(c) && c >= 0 && c <= 254) << c;
        xs.insert(p.x);
        sizes.insert(p.size);
    }
    EXPECT_GT(xs.size(), 50u);
    EXPECT_GT(sizes.size(), 10u);
}

TEST_F(BubbleEmitterTest, UpdateMovesThenAcceleratesThenFades) {
    Particle& p = emitter.particle(0);
    p = Particle{};
    p.x = 1;
    p.y = 2;
    p.z = 3;
    p.vx = 0.5f;
    p.vy = 0.25f;
    p.vz = -0.125f;
    p.ay = 0.01f;
    p.life = 100;
    p.fade = 1.5f;
    emitter.Update();
    EXPECT_FLOAT_EQ(p.x, 1.5f);
    EXPECT_FLOAT_EQ(p.y, 2.25f);
    EXPECT_FLOAT_EQ(p.z, 2.875f);
    EXPECT_FLOAT_EQ(p.vy, 0.26f);
    EXPECT_FLOAT_EQ(p.life, 98.5f);
}

TEST_F(BubbleEmitterTest, UnfadingBubbleLivesUntilItReachesTheTop) {
    Particle& p = emitter.particle(5);
    p.y = 0;
    p.vy = 1;
    p.ay = 0;
    p.fade = 0;
    p.life = 200;
    const float size = p.size;
    int steps = 0;
    while (p.y > 0 || steps == 0) {
        emitter.Update();
        ++steps;
        ASSERT_LT(steps, 1000);
        if (p.y >= 100) {
            EXPECT_EQ(p.life, 200.0f);
        }
    }
    // Reborn on the step that took it to 130, just below the floor again, with its size kept.
    EXPECT_EQ(steps, 130);
    EXPECT_LE(p.y, -0.959f);
    EXPECT_EQ(p.size, size);
    EXPECT_EQ(p.life, 200.0f);
}

TEST_F(BubbleEmitterTest, RebirthWhenLifeRunsOutOrItSinksTooFar) {
    Particle& dying = emitter.particle(0);
    dying.y = 10;
    dying.vy = 0;
    dying.ay = 0;
    dying.life = 1.0f;
    dying.fade = 1.0f;
    Particle& sinking = emitter.particle(1);
    sinking.y = -20;
    sinking.vy = -5;
    sinking.ay = 0;
    sinking.life = 200;
    sinking.fade = 0;
    emitter.Update();
    EXPECT_EQ(dying.life, 200.0f);
    EXPECT_LT(dying.y, 0.0f);
    EXPECT_EQ(sinking.life, 200.0f);
    EXPECT_GT(sinking.y, -1.01f);
}

TEST_F(BubbleEmitterTest, RebirthRisesFasterAndDriftsDeeperThanFirstBirth) {
    float fastestRise = 0, deepestDrift = 0;
    for (int round = 0; round < 20; ++round) {
        for (int i = 0; i < emitter.poolSize(); ++i) {
            Particle& p = emitter.particle(i);
            const float size = p.size;
            emitter.Rebirth(p);
            EXPECT_EQ(p.size, size);
            EXPECT_LE(p.vy, 8999 * 0.000042f + 1e-6f);
            EXPECT_LE(p.vz, 0.09f);
            EXPECT_LE(p.z, 0.009f);
            fastestRise = std::max(fastestRise, p.vy);
            deepestDrift = std::max(deepestDrift, p.vz);
        }
    }
    EXPECT_GT(fastestRise, 0.3f);
    EXPECT_GT(deepestDrift, 0.05f);
}

TEST_F(BubbleEmitterTest, ParticlesBeyondTheActiveCountKeepTheirState) {
    std::vector<Particle> before(&emitter.particle(0), &emitter.particle(0) + emitter.poolSize());
    emitter.activeCount = 40;
    emitter.Update();
    for (int i = 0; i < 40; ++i)
        EXPECT_FALSE(sameState(emitter.particle(i), before[i])) << i;
    for (int i = 40; i < emitter.poolSize(); ++i)
        EXPECT_TRUE(sameState(emitter.particle(i), before[i])) << i;
}

TEST_F(BubbleEmitterTest, NoActiveParticlesMoveNothingWhateverTheCount) {
    std::vector<Particle> before(&emitter.particle(0), &emitter.particle(0) + emitter.poolSize());
    for (std::int32_t count : {0, -1, -40}) {
        emitter.activeCount = count;
        emitter.Update();
        for (int i = 0; i < emitter.poolSize(); ++i)
            ASSERT_TRUE(sameState(emitter.particle(i), before[i])) << count << " " << i;
    }
    // More than the pool moves the pool and nothing beyond it.
    emitter.activeCount = 500;
    emitter.Update();
    EXPECT_FALSE(sameState(emitter.particle(109), before[109]));
}

TEST(BubbleDrawCount, SettingIsHeldWithinItsRange) {
    EXPECT_EQ(bubbleDrawCount(0), 110);
    EXPECT_EQ(bubbleDrawCount(100), 10); // the default setting
    EXPECT_EQ(bubbleDrawCount(110), 0);
    EXPECT_EQ(bubbleDrawCount(111), 0);
    EXPECT_EQ(bubbleDrawCount(1000000), 0);
    EXPECT_EQ(bubbleDrawCount(-1), 110);
    EXPECT_EQ(bubbleDrawCount(-2147483647 - 1), 110);
}

TEST(ParticleSystemPool, InitAllocatesAZeroedPoolAndRefusesNegativeSizes) {
    BubbleEmitter emitter;
    EXPECT_FALSE(emitter.InitParticles(-3));
    EXPECT_EQ(emitter.poolSize(), 0);
    ASSERT_TRUE(emitter.ParticleSystem::Init(4));
    EXPECT_EQ(emitter.activeCount, 4);
    EXPECT_EQ(emitter.particle(3).vy, 0.0f);
    EXPECT_TRUE(emitter.isColored());
}

} // namespace
} // namespace quelmarine
