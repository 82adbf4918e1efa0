#pragma once
// Hearing what the program plays through the test's null sink while the event loop runs.

#include "PulseNullSink.h"

#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace testsupport {

// Starts recording the null sink at `rate`; once the recorder delivers, calls `change` and runs
// the event loop (and so the program's timers) until `ms` more of sound have been recorded:
// waiting for the samples, not for the clock, so a busy machine still gives the whole length.
inline std::vector<float> recordWhile(int rate, int ms, const std::function<void()>& change) {
    PulseNullSink::Recording recording(PulseNullSink::shared(), rate);
    EXPECT_TRUE(recording.started());
    EXPECT_TRUE(QTest::qWaitFor([&] { return recording.samplesSoFar() > 0; }, 5000))
        << "the recorder delivers nothing";
    QTest::qWait(100);
    const std::size_t wanted =
        recording.samplesSoFar() + std::size_t(ms) * std::size_t(rate) / 1000;
    change();
    EXPECT_TRUE(QTest::qWaitFor([&] { return recording.samplesSoFar() >= wanted; }, ms + 20000))
        << "the recorder fell behind";
    return recording.stop();
}

} // namespace testsupport
