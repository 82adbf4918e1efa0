#include "tank/sound/AmbientLoop.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace quelmarine {
namespace {

class MockOutput : public AmbientOutput {
  public:
    MOCK_METHOD(void, startAmbientSound, (), (override));
    MOCK_METHOD(void, stopAmbientSound, (), (override));
};

class AmbientLoopTest : public ::testing::Test {
  protected:
    // The process starts with both flags set.
    void SetUp() override {
        musicPlaying = true;
        ambientRestart = true;
    }
    void ticks(int n) {
        for (int i = 0; i < n; ++i)
            ambientSoundTick(output);
    }
    ::testing::StrictMock<MockOutput> output;
};

TEST_F(AmbientLoopTest, SilentUntilOwnMusicIsReportedOffAndStoppedOnEveryTickMeanwhile) {
    EXPECT_CALL(output, stopAmbientSound()).Times(3);
    ticks(3);
    EXPECT_TRUE(ambientRestart);
}

TEST_F(AmbientLoopTest, StartsOnceWhenOwnMusicGoesOff) {
    musicPlaying = false;
    EXPECT_CALL(output, startAmbientSound()).Times(1);
    ticks(50);
    EXPECT_FALSE(ambientRestart);
}

TEST_F(AmbientLoopTest, OwnMusicOnStopsTheLoopAndOffStartsItAgain) {
    ::testing::InSequence order;
    EXPECT_CALL(output, startAmbientSound());
    EXPECT_CALL(output, stopAmbientSound()).Times(4);
    EXPECT_CALL(output, startAmbientSound());
    musicPlaying = false;
    ticks(5);
    musicPlaying = true;
    ticks(4);
    EXPECT_TRUE(ambientRestart);
    musicPlaying = false;
    ticks(5);
    EXPECT_FALSE(ambientRestart);
}

TEST(AmbientVolume, SettingZeroIsLoudestAndTheTopIsSilent) {
    EXPECT_EQ(waveOutputLevel(0), 65535);
    EXPECT_EQ(waveOutputLevel(65535), 0);
    EXPECT_EQ(waveOutputLevel(32767), 32768); // the default setting
    EXPECT_EQ(waveOutputLevel(-10), 65535);
    EXPECT_EQ(waveOutputLevel(70000), 0);
    EXPECT_FLOAT_EQ(ambientGain(0), 1.0f);
    EXPECT_FLOAT_EQ(ambientGain(65535), 0.0f);
    EXPECT_NEAR(ambientGain(32767), 0.5f, 0.0001f);
    EXPECT_NEAR(ambientGain(49151), 0.25f, 0.0001f);
}

} // namespace
} // namespace quelmarine
