#include "tank/fish/FoodFish.h"

#include <GL/gl.h>
#include <cmath>
#include <cstdlib>
#include <initializer_list>

namespace quelmarine {

namespace {

constexpr int kBodyWaveThreshold = 1; // the phase steps every third call
constexpr int kFlapThreshold = 10;    // every twelfth call
constexpr float kBodyWaveSpatialStep = 0.2617994f;
constexpr float kBodyWaveAmplitude = 0.05f;
constexpr float kBodyWavePhaseStep = 0.7853981f;
constexpr float kFlapPhaseStep = 0.5235987f;
constexpr float kFlapAmplitude = 0.005f;
constexpr float kFlapStepFanLegs = 0.098174766f;
constexpr float kFlapStepAntennae = 0.049087383f;
constexpr float kFlapStepSwimmeretsHead = 0.13089968f;
constexpr int kWanderAfter = 1000;

bool moves(const Vec3f& gain) {
    return gain.x != 0 || gain.y != 0 || gain.z != 0;
}

} // namespace

FoodFlapStates::FoodFlapStates() {
    for (WaveState* w : {&tailFan, &legs, &swimmerets, &antennae, &headFlutter})
        w->phaseStep = kFlapPhaseStep;
}

SwimRules foodSwimRules() {
    SwimRules rules;
    rules.minSpeed = 0.05f;
    rules.maxSpeed = 0.2f;
    rules.wallSpeed = 0.05f;
    rules.easeStepsBack = false;
    rules.nudgeModulo = 180;
    return rules;
}

void runFoodFlap(WaveState& wave, float spatialStep, float size, float* out, int count) {
    advanceWave(wave, kFlapThreshold);
    for (int i = 0; i < count; ++i)
        out[i] = float(i) * std::sin(float(i) * spatialStep + wave.phase) * size * kFlapAmplitude;
}

FoodFish::FoodFish() : Swimmer(foodSwimRules()) {
    speed = 0.05f;
    targetPitch = float(std::rand() % 45);
    targetHeading = std::rand() % 2 == 0 ? 0.0f : 180.0f;
    wanderTimer = std::rand() % 200;
    bodyWave.spatialStep = kBodyWaveSpatialStep;
    bodyWave.amplitude = kBodyWaveAmplitude;
    bodyWave.phaseStep = kBodyWavePhaseStep;
}

void FoodFish::ComputeBodyWave(float* out, int count) {
    advanceWave(bodyWave, kBodyWaveThreshold);
    for (int i = 0; i < count; ++i)
        out[i] =
            std::sin(float(i) * bodyWave.spatialStep + bodyWave.phase) * size * bodyWave.amplitude;
}

void FoodFish::ComputePose(FoodFishPose& pose, FoodFlapStates& flaps) {
    pose = FoodFishPose{};
    ComputeTurnYaw(pose.yaw, kFoodSegments, targetHeading, false);
    ComputeBodyWave(pose.wave, kFoodSegments);
    runFoodFlap(flaps.tailFan, kFlapStepFanLegs, size, pose.tailFan, 8);
    runFoodFlap(flaps.legs, kFlapStepFanLegs, size, pose.legs, 9);
    runFoodFlap(flaps.swimmerets, kFlapStepSwimmeretsHead, size, pose.swimmerets, 9);
    runFoodFlap(flaps.antennae, kFlapStepAntennae, size, pose.antennae, 12);
    runFoodFlap(flaps.headFlutter, kFlapStepSwimmeretsHead, size, pose.headFlutter, 12);
}

void FoodFish::Wander() {
    WanderStep(kWanderAfter, 500);
}

const float* foodPoseArray(const FoodFishPose& pose, FoodPoseArray which) {
    switch (which) {
    case FoodPoseArray::None:
        return nullptr;
    case FoodPoseArray::TailFan:
        return pose.tailFan;
    case FoodPoseArray::Legs:
        return pose.legs;
    case FoodPoseArray::Swimmerets:
        return pose.swimmerets;
    case FoodPoseArray::Antennae:
        return pose.antennae;
    case FoodPoseArray::HeadFlutter:
        return pose.headFlutter;
    }
    return nullptr;
}

PartMotion foodPartMotion(const FoodPartRule& rule, const FoodFishPose& pose) {
    PartMotion motion;
    motion.mirrorAxis = 0;
    if (rule.yawSegment < 0) {
        motion.turning = PartMotion::Turning::PerStrip;
        motion.yawList = pose.yaw;
    } else {
        motion.yaw = pose.yaw[rule.yawSegment];
    }
    if (rule.waveLift >= 0)
        motion.shift = {0, 0, pose.wave[rule.waveLift]};
    motion.columnValues = foodPoseArray(pose, rule.column);
    motion.columnGain = rule.columnGain;
    if (moves(rule.rowGain)) {
        motion.rowValues = pose.wave;
        motion.rowGain = rule.rowGain;
    }
    motion.mirrorFlipsColumn = rule.flapMirrors;
    return motion;
}

void FoodFish::DrawMesh(const FoodFishPose& pose) const {
    GlStripSink sink;
    DrawMeshTo(sink, pose);
}

void FoodFish::Step(FoodFlapStates& flaps) {
    ComputePose(shownPose, flaps);
    Wander();
    Move();
}

void FoodFish::Draw() const {
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);
    glRotatef(90, 0, 0, 1);
    DrawMesh(shownPose);
    glPopMatrix();
}

} // namespace quelmarine
