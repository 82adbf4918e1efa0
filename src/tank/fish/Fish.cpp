#include "tank/fish/Fish.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quelmarine {

namespace {

constexpr float kDegreesToRadians = 0.017453292f;
constexpr double kBoxDegreesToRadians = 0.017453291681077746;
constexpr int kWanderAfter = 400;

// Phase-step thresholds: the generators step once every threshold + 2 calls.
constexpr int kDorsalThreshold = 5, kPectoralThreshold = 2, kPelvicThreshold = 3,
              kAnalThreshold = 5, kTailThreshold = 5;

WaveState wave(float spatialStep, float amplitude, float phaseStep) {
    WaveState w;
    w.spatialStep = spatialStep;
    w.amplitude = amplitude;
    w.phaseStep = phaseStep;
    return w;
}

} // namespace

bool boxesOverlap(const FishBox& a, const FishBox& b) {
    return a.xMin <= b.xMax && b.xMin <= a.xMax && a.yMin <= b.yMax && b.yMin <= a.yMax &&
           a.zMin <= b.zMax && b.zMin <= a.zMax;
}

Fish::Fish()
    : bodyWave(wave(0.2617994f, 0.01f, 0.7853981f)),
      dorsalFlap(wave(0.19634953f, 0.005f, 0.5235987f)),
      pectoralFlap(wave(0.19634953f, 0.03f, 0.7853981f)),
      pelvicFlap(wave(0.19634953f, 0.03f, 0.7853981f)),
      analFlap(wave(0.19634953f, 0.01f, 0.5235987f)),
      tailFlap(wave(0.31415924f, 0.02f, 0.7853981f)) {
    targetPitch = float(std::rand() % 45);
    targetHeading = float(std::rand() % 180);
    wanderTimer = std::rand() % 200;
    lowerJawTick = std::rand() % 15;
}

void Fish::SetBounds(float left, float right, float yTop, float yBottom, float back, float front) {
    Swimmer::SetBounds(left, right, yTop, yBottom, back, front);
    boxLength = 1.0f;
    boxWidth = 0.36675f;
    boxHeight = 0.331898f;
    bodyBox = FishBox{};
    reachBox = FishBox{};
    crowded = false;
}

void Fish::ComputeBodyWave(float* out, int count) {
    runBodyWave(bodyWave, float(size), out, count);
}

void Fish::ComputeJaw(float* out, int count, bool lower) {
    for (int i = 0; i < count - 1; ++i)
        out[i] = mouthShut ? 0.0f : float(size) * jawAmplitude * float(count - i);
    if (!lower)
        return;
    const int before = lowerJawTick++;
    if (before > 15 + std::rand() % 10) {
        lowerJawTick = 0;
        mouthShut = !mouthShut;
    }
}

void Fish::ComputePose(FishPose& pose) {
    pose = FishPose{};
    const float s = float(size);
    ComputeJaw(pose.jawLower, 7, true);
    ComputeJaw(pose.jawUpper, 5, false);
    ComputeTurnYaw(pose.yaw, 10, targetHeading, true);
    ComputeBodyWave(pose.wave, 10);
    runFlapGenerator(dorsalFlap, kDorsalThreshold, s, pose.dorsalFront, 11);
    runFlapGenerator(dorsalFlap, kDorsalThreshold, s, pose.dorsalRear, 6);
    runFlapGenerator(pectoralFlap, kPectoralThreshold, s, pose.pectoral, 10);
    runFlapGenerator(pelvicFlap, kPelvicThreshold, s, pose.pelvic, 7);
    runFlapGenerator(analFlap, kAnalThreshold, s, pose.anal, 6);
    runFlapGenerator(tailFlap, kTailThreshold, s, pose.tail, 15);
}

void Fish::SetSwimStyle(float speedTarget, bool shut) {
    mouthShut = shut;
    const float m = speedTarget >= 0.2f ? 1.5f : 1.0f;
    bodyWave.spatialStep = 0.2617994f;
    bodyWave.phaseStep = 0.7853981f * m;
    dorsalFlap.spatialStep = 0.6283185f;
    dorsalFlap.amplitude = 0.015f * m;
    dorsalFlap.phaseStep = 0.39269906f * m;
    pectoralFlap.spatialStep = 0.19634953f;
    pectoralFlap.amplitude = 0.01f * m;
    pectoralFlap.phaseStep = 0.52359873f * m;
}

void Fish::Wander() {
    if (crowded || eating)
        return;
    const float v = WanderStep(kWanderAfter, 200);
    if (v < 0)
        return;
    mouthShut = !mouthShut;
    SetSwimStyle(v, mouthShut);
}

void Fish::Resize(float amount, bool grow) {
    size = std::clamp(int(float(size) + (grow ? amount : -amount)), 3, 9);
}

void Fish::UpdateBoxes() {
    const double s = size, g = s * boxLength * 0.5;
    const double p = targetPitch * kBoxDegreesToRadians, h = targetHeading * kBoxDegreesToRadians;
    const float hh = float(g * std::fabs(std::sin(p)));
    const float l = float(g * std::fabs(std::sin(h)));
    const float o = float(std::fabs(std::cos(p)) * s * boxHeight * 0.5);
    const float r = float(std::fabs(std::cos(h)) * s * boxWidth * 0.5);
    const float t = float(g * std::fabs(std::cos(h) * std::cos(p)));

    nose[0] = movingMinusX ? x - t : x + t;
    tail[0] = movingMinusX ? x + t : x - t;
    nose[1] = pitchUp ? y + hh : y - hh;
    tail[1] = pitchUp ? y - hh : y + hh;
    nose[2] = movingMinusZ ? z - l : z + l;
    tail[2] = movingMinusZ ? z + l : z - l;

    const float vertical = std::max(hh, o), lateral = std::max(l, r);
    bodyBox.xMin = std::min(nose[0], tail[0]);
    bodyBox.xMax = std::max(nose[0], tail[0]);
    bodyBox.yMin = y - vertical;
    bodyBox.yMax = y + vertical;
    bodyBox.zMin = z - lateral;
    bodyBox.zMax = z + lateral;

    const float growX = float(g), growY = float(s * boxHeight * 0.25),
                growZ = float(s * boxWidth * 0.25);
    reachBox = {bodyBox.xMax + growX, bodyBox.xMin - growX, bodyBox.yMax + growY,
                bodyBox.yMin - growY, bodyBox.zMax + growZ, bodyBox.zMin - growZ};
    hasBoxes = true;
}

const float* poseArray(const FishPose& pose, PoseArray which) {
    switch (which) {
    case PoseArray::None:
        return nullptr;
    case PoseArray::Wave:
        return pose.wave;
    case PoseArray::JawUpper:
        return pose.jawUpper;
    case PoseArray::JawLower:
        return pose.jawLower;
    case PoseArray::DorsalFront:
        return pose.dorsalFront;
    case PoseArray::DorsalRear:
        return pose.dorsalRear;
    case PoseArray::Pectoral:
        return pose.pectoral;
    case PoseArray::Pelvic:
        return pose.pelvic;
    case PoseArray::Anal:
        return pose.anal;
    case PoseArray::Tail:
        return pose.tail;
    }
    return nullptr;
}

PartMotion partMotion(const FishPartRule& rule, const FishPose& pose) {
    PartMotion motion;
    if (rule.yawSegment < 0) {
        motion.turning = PartMotion::Turning::PerColumn;
        motion.yawList = pose.yaw;
    } else if (rule.yawSegment2 < 0) {
        motion.yaw = pose.yaw[rule.yawSegment];
    } else {
        motion.yaw = (pose.yaw[rule.yawSegment] + pose.yaw[rule.yawSegment2]) * 0.5f;
    }
    motion.columnValues = poseArray(pose, rule.column);
    motion.columnGain = rule.gain;
    motion.columnRows = rule.rows;
    if (rule.waveShift >= 0)
        motion.shift = {0, pose.wave[rule.waveShift], 0};
    motion.mirrorFlipsColumn = rule.flapMirrors;
    return motion;
}

void Fish::DrawMesh(const FishPose& pose) const {
    GlStripSink sink;
    DrawMeshTo(sink, pose);
}

void Fish::Step() {
    shown.position = {x, y, z};
    ComputePose(shown.pose);
    EasePitch();
    shown.heading = heading;
    shown.pitch = pitch;
    shown.size = size;
    Wander();
    Move();
    UpdateBoxes();
}

void Fish::Draw() const {
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);
    const float h = shown.heading * kDegreesToRadians;
    glRotatef(-shown.pitch, std::sin(h), -std::cos(h), 0);
    GlStripSink sink;
    drawFishMesh(sink, shown.pose, shown.size);
    glPopMatrix();
}

} // namespace quelmarine
