// Motion at any frame rate: the tank steps every 10 ms of real time however often frames come,
// one step a frame when they come every 10 ms (early or late by a little), several when they
// are slow, never a jump after a stall; and the fish swim the same distance in the same time at
// 100, 60, 40, 25 and 10 frames a second.

#include "tank/scene/StepClock.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <vector>

#include "tank/scene/Scene.h"

namespace quelmarine {
namespace {

using Clock = StepClock::Clock;
using std::chrono::microseconds;

// The steps a clock gives for a first frame and one frame after each of `gaps`.
std::vector<int> stepsFor(const std::vector<microseconds>& gaps) {
    StepClock clock;
    Clock::time_point now{};
    std::vector<int> steps{clock.stepsDue(now)};
    for (microseconds gap : gaps) {
        now += gap;
        steps.push_back(clock.stepsDue(now));
    }
    return steps;
}

std::vector<microseconds> every(microseconds gap, int frames) {
    return std::vector<microseconds>(std::size_t(frames), gap);
}

int total(const std::vector<int>& steps) {
    int sum = 0;
    for (int s : steps)
        sum += s;
    return sum;
}

TEST(StepClock, StepsFollowRealTimeAtAnyFrameRate) {
    // Every 10 ms, and a timer that fires up to 4.9 ms early or late: one step each frame.
    for (int s : stepsFor(every(microseconds(10000), 300)))
        EXPECT_EQ(s, 1);
    std::mt19937 random(7);
    std::vector<microseconds> jittered;
    int late = 0;
    for (int i = 0; i < 300; ++i) {
        const int next = int(random() % 9801) - 4900;
        jittered.push_back(microseconds(10000 + next - late));
        late = next;
    }
    for (int s : stepsFor(jittered))
        EXPECT_EQ(s, 1);

    struct Rate {
        int gapUs, frames;
        int fewest, most; // steps a frame (after the first)
    };
    for (const Rate& rate : {Rate{40000, 150, 4, 4}, Rate{16667, 360, 1, 2}, Rate{4000, 1500, 0, 1},
                             Rate{100000, 60, 10, 10}}) {
        SCOPED_TRACE(rate.gapUs);
        const std::vector<int> steps = stepsFor(every(microseconds(rate.gapUs), rate.frames));
        for (std::size_t i = 1; i < steps.size(); ++i) {
            EXPECT_GE(steps[i], rate.fewest);
            EXPECT_LE(steps[i], rate.most);
        }
        // Six seconds of frames: 600 steps after the first frame's, give or take one.
        EXPECT_NEAR(total(steps) - 1, double(rate.gapUs) * rate.frames / 10000.0, 1.0);
    }

    // A two-second stall costs at most ten steps, and the frames after it are one step again.
    std::vector<microseconds> stall = every(microseconds(10000), 5);
    stall.push_back(microseconds(2000000));
    for (microseconds gap : every(microseconds(10000), 5))
        stall.push_back(gap);
    const std::vector<int> steps = stepsFor(stall);
    EXPECT_EQ(steps[6], StepClock::kMaxStepsPerFrame);
    for (std::size_t i = 7; i < steps.size(); ++i)
        EXPECT_EQ(steps[i], 1);
}

// How far each fish swims in the first `seconds` of a tank drawn every `gapUs` microseconds.
std::vector<float> distancesSwum(int gapUs, int seconds) {
    AquariumSettingsRecord settings{};
    settings.showTerra = 1;
    for (std::int32_t& count : settings.fishCount)
        count = 5;
    std::srand(3);
    auto scene = std::make_unique<Scene>();
    scene->Place(settings, 1280, 1024);
    StepClock clock;
    std::vector<float> distance(kFishPoolSize, 0.0f);
    const auto end = Clock::time_point{} + std::chrono::seconds(seconds);
    for (auto now = Clock::time_point{}; now < end; now += microseconds(gapUs)) {
        for (int step = clock.stepsDue(now); step > 0; --step) {
            float x[kFishPoolSize], y[kFishPoolSize], z[kFishPoolSize];
            for (int i = 0; i < kFishPoolSize; ++i)
                x[i] = scene->fishPool[i].x, y[i] = scene->fishPool[i].y,
                z[i] = scene->fishPool[i].z;
            scene->Step();
            for (int i = 0; i < kFishPoolSize; ++i) {
                const Fish& f = scene->fishPool[i];
                distance[i] += std::hypot(f.x - x[i], f.y - y[i], f.z - z[i]);
            }
        }
    }
    return distance;
}

TEST(StepClock, FishSwimAsFarInTheSameTimeAtEveryFrameRate) {
    constexpr int kSeconds = 8;
    const std::vector<float> reference = distancesSwum(10000, kSeconds);
    for (int gapUs : {16667, 25000, 40000, 100000}) {
        SCOPED_TRACE(gapUs);
        const std::vector<float> distance = distancesSwum(gapUs, kSeconds);
        float all = 0, allReference = 0;
        for (int i = 0; i < kFishPoolSize; ++i) {
            all += distance[i];
            allReference += reference[i];
        }
        EXPECT_NEAR(all / allReference, 1.0, 0.05);
        EXPECT_GT(allReference, 0.05f * kFishPoolSize * 100 * kSeconds) << "the fish hardly swam";
    }
}

} // namespace
} // namespace quelmarine
