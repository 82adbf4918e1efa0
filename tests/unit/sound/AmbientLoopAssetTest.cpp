// The generated ambient loop, as the program packs it.

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

#include "unit/sound/WavSamples.h"

namespace quelmarine {
namespace {

TEST(AmbientLoopAsset, CalmLoopOfAFewSecondsThatJoinsWithoutAClick) {
    const char* dir = std::getenv("QUELMARINE_ASSET_DIR");
    ASSERT_NE(dir, nullptr) << "QUELMARINE_ASSET_DIR is not set";
    int rate = 0;
    const std::vector<float> s = testsupport::readWavMono16(std::string(dir) + "/Music.wav", rate);
    ASSERT_GT(rate, 0);
    const double seconds = double(s.size()) / rate;
    EXPECT_GE(seconds, 3.0);
    EXPECT_LE(seconds, 10.0);
    double sum = 0, energy = 0, peak = 0;
    std::vector<float> steps;
    for (std::size_t i = 0; i < s.size(); ++i) {
        sum += s[i];
        energy += double(s[i]) * s[i];
        peak = std::max(peak, double(std::fabs(s[i])));
        steps.push_back(std::fabs(s[(i + 1) % s.size()] - s[i]));
    }
    const double rms = std::sqrt(energy / double(s.size()));
    EXPECT_GT(rms, 0.05) << "hardly audible";
    EXPECT_LT(peak, 0.7) << "too loud for a background sound";
    EXPECT_LT(std::fabs(sum / double(s.size())), 0.03) << "offset from zero";
    // The step from the last sample to the first is an ordinary one, not a click.
    const float seamStep = steps.back();
    std::vector<float> sorted = steps;
    std::nth_element(sorted.begin(), sorted.begin() + sorted.size() * 99 / 100, sorted.end());
    EXPECT_LE(seamStep, sorted[sorted.size() * 99 / 100]);
    // No stretch of the loop falls silent or swells far above the rest.
    const std::size_t quarterSecond = std::size_t(rate) / 4;
    for (std::size_t from = 0; from + quarterSecond <= s.size(); from += quarterSecond) {
        double e = 0;
        for (std::size_t i = from; i < from + quarterSecond; ++i)
            e += double(s[i]) * s[i];
        const double partRms = std::sqrt(e / double(quarterSecond));
        EXPECT_GT(partRms, 0.3 * rms) << from;
        EXPECT_LT(partRms, 2.5 * rms) << from;
    }
}

} // namespace
} // namespace quelmarine
