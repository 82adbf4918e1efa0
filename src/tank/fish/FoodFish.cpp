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
constexpr float kFlapStepQS = 0.098174766f;
constexpr float kFlapStepT = 0.049087383f;
constexpr float kFlapStepPU = 0.13089968f;
constexpr int kWanderAfter = 1000;

FoodFlapStates freshFlapStates() {
    FoodFlapStates states;
    for (WaveState* w : {&states.q, &states.s, &states.p, &states.t, &states.u})
        w->phaseStep = kFlapPhaseStep;
    return states;
}

} // namespace

FoodFlapStates& foodFlapStates() {
    static FoodFlapStates states = freshFlapStates();
    return states;
}

void resetFoodFlapStates() {
    foodFlapStates() = freshFlapStates();
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

void FoodFish::ComputePose(FoodFishPose& pose) {
    pose = FoodFishPose{};
    FoodFlapStates& flaps = foodFlapStates();
    ComputeTurnYaw(pose.yaw, kFoodSegments, targetHeading, false);
    ComputeBodyWave(pose.wave, kFoodSegments);
    runFoodFlap(flaps.q, kFlapStepQS, size, pose.flapQ, 8);
    runFoodFlap(flaps.s, kFlapStepQS, size, pose.flapS, 9);
    runFoodFlap(flaps.p, kFlapStepPU, size, pose.flapP, 9);
    runFoodFlap(flaps.t, kFlapStepT, size, pose.flapT, 12);
    runFoodFlap(flaps.u, kFlapStepPU, size, pose.flapU, 12);
}

void FoodFish::Wander() {
    WanderStep(kWanderAfter, 500);
}

void FoodFish::DrawMesh(const FoodFishPose& pose) {
    GlStripSink sink;
    DrawMeshTo(sink, pose);
}

void FoodFish::Draw() {
    FoodFishPose pose;
    ComputePose(pose);
    glPushMatrix();
    glRotatef(-90, 1, 0, 0);
    glRotatef(90, 0, 0, 1);
    Wander();
    DrawMesh(pose);
    Move();
    glPopMatrix();
}

} // namespace quelmarine
