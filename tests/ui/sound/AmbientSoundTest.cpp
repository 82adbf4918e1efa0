// The ambient loop as the user hears it: played by the real player into a private PulseAudio
// null sink and recorded from the sink's monitor.

#include "LoopFit.h"
#include "PulseNullSink.h"
#include "RecordWhile.h"

#include <QTest>
#include <QTimer>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "desktop/sound/AmbientSound.h"
#include "support/TempDir.h"
#include "tank/ProcessState.h"
#include "tank/platform/Folders.h"
#include "unit/sound/WavSamples.h"

namespace quelmarine {
namespace {

using testsupport::PulseNullSink;

class AmbientSoundPlayback : public ::testing::Test {
  protected:
    void SetUp() override {
        PulseNullSink& sink = PulseNullSink::shared();
        if (!sink.ok())
            GTEST_SKIP() << "no PulseAudio server could be started here: " << sink.failure();
        setenv("XDG_RUNTIME_DIR", runtime.path().c_str(), 1);
        loop = loopSamples();
        ASSERT_GT(loop.size(), std::size_t(kRate)) << "the ambient loop asset is missing";
        musicPlaying = true;
        ambientRestart = true;
        // The view's frame timer: one tick every 10 ms.
        QObject::connect(&frames, &QTimer::timeout, [this] { sound.Tick(); });
        frames.start(10);
    }

    std::vector<float> record(int ms, const std::function<void()>& change) {
        return testsupport::recordWhile(kRate, ms, change);
    }

    bool assetFilesLeft() const {
        const std::string folder = runtime.path() + "QuelmarineScr/";
        return testsupport::fileExists(folder + "Music.wav") ||
               testsupport::fileExists(folder + "Music.ad");
    }

    testsupport::TempDir runtime;
    std::vector<float> loop;
    AmbientSound sound{privateRuntimeFolder()};
    QTimer frames;
};

TEST_F(AmbientSoundPlayback, LoopsWithoutSeamAtTheVolumeOfTheSettings) {
    AquariumSettings.volume = 32767; // the default: wave-output level 32768 of 65535
    // Own music goes off: the next tick starts the loop once; later ticks leave it alone.
    const std::vector<float> rec =
        record(int(1000.0 * loop.size() / kRate) + 1500, [] { musicPlaying = false; });
    EXPECT_FALSE(ambientRestart);
    EXPECT_FALSE(assetFilesLeft()) << "the unpacked sound must be gone once it plays";

    const std::size_t window = kRate / 4;
    const std::size_t start = findLoopStart(rec, loop, window);
    ASSERT_GT(rec.size(), start + loop.size() + kRate / 2) << "recording too short";
    // The first pass of the loop: present, at half of full scale.
    const Fit first = fitLoop(rec, start, loop, 0, loop.size() - kRate / 2);
    EXPECT_NEAR(first.gain, 32768.0 / 65535.0, 0.06);
    EXPECT_LT(first.rest, 0.15);
    EXPECT_GT(rms(rec, start, loop.size()), 0.3 * rms(loop, 0, loop.size()));
    // Half a second either side of the loop point still follows the repeated loop sample by
    // sample: no gap, no restart, no click where the end joins the start.
    const Fit seam =
        fitLoop(rec, start + loop.size() - kRate / 2, loop, loop.size() - kRate / 2, kRate);
    std::printf("measured: gain %.4f, rest %.4f in the first pass; gain %.4f, rest %.4f across "
                "the loop point\n",
                first.gain, first.rest, seam.gain, seam.rest);
    EXPECT_NEAR(seam.gain, first.gain, 0.03);
    EXPECT_LT(seam.rest, first.rest + 0.05);
    // The largest step between neighbouring samples near the loop point is like the loop's own.
    double seamStep = 0, ownStep = 0;
    for (std::size_t k = start + loop.size() - 200; k < start + loop.size() + 200; ++k)
        seamStep = std::max(seamStep, double(std::fabs(rec[k + 1] - rec[k])));
    for (std::size_t k = 0; k + 1 < loop.size(); ++k)
        ownStep = std::max(ownStep, double(std::fabs(loop[k + 1] - loop[k])));
    std::printf("measured: largest step %.4f near the loop point, %.4f in the scaled loop\n",
                seamStep, first.gain * ownStep);
    EXPECT_LT(seamStep, first.gain * ownStep * 1.2);
}

TEST_F(AmbientSoundPlayback, StopsWhileOwnMusicIsOnAndRestartsAtTheNewVolume) {
    AquariumSettings.volume = 0; // loudest
    std::vector<float> rec = record(1500, [] { musicPlaying = false; });
    std::size_t start = findLoopStart(rec, loop, kRate / 4);
    ASSERT_GT(rec.size(), start + kRate);
    EXPECT_NEAR(fitLoop(rec, start, loop, 0, kRate).gain, 1.0, 0.1);

    // Own music on: the ticks stop the loop (and keep stopping it).
    musicPlaying = true;
    EXPECT_TRUE(QTest::qWaitFor([] { return ambientRestart; }, 5000));
    rec = record(1000, [] {});
    const double silence = rms(rec, 0, rec.size());
    EXPECT_LT(silence, 0.002) << "the ambient loop still plays";

    // Own music off again: the loop starts from its beginning, at the volume now set.
    AquariumSettings.volume = 49151; // a quarter of full scale
    rec = record(1500, [] { musicPlaying = false; });
    start = findLoopStart(rec, loop, kRate / 4);
    ASSERT_GT(rec.size(), start + kRate);
    const Fit restarted = fitLoop(rec, start, loop, 0, kRate);
    std::printf("measured: silence rms %.5f, restarted gain %.4f rest %.4f\n", silence,
                restarted.gain, restarted.rest);
    EXPECT_NEAR(restarted.gain, 16384.0 / 65535.0, 0.04);
    EXPECT_LT(restarted.rest, 0.2);
}

} // namespace
} // namespace quelmarine
