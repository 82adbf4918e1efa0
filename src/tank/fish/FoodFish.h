#pragma once
// The food creature: a tiny glass shrimp that swims about its drop point. It shares the main
// fish's part matrix, turning spread, movement and wall rules (Swimmer), with slower speeds, no
// step back in EaseSpeed, wide nudges, no pitch and no mouth. Its five flap generators are
// shared by every food creature, so the flaps run faster the more of them swim.

#include "tank/fish/FoodFishMeshTables.h"
#include "tank/fish/PartDrawing.h"
#include "tank/fish/Swimmer.h"
#include "tank/fish/WaveGenerator.h"

namespace quelmarine {

inline constexpr int kFoodSegments = 14;

// The per-frame arrays of one food creature (degrees; displacements already times the size).
struct FoodFishPose {
    float yaw[kFoodSegments] = {};
    float wave[kFoodSegments] = {};
    float flapQ[8] = {}, flapS[9] = {}, flapP[9] = {}, flapT[12] = {}, flapU[12] = {};
};

// The flap generators all food creatures share.
struct FoodFlapStates {
    WaveState q, s, p, t, u;
};
FoodFlapStates& foodFlapStates();
// Back to the start values (phase 0, tick 0).
void resetFoodFlapStates();

// The swimming rules of the food creature.
SwimRules foodSwimRules();

class FoodFish : public Swimmer {
  public:
    FoodFish();

    // Draws the creature (model space turned so that the head points to -x at heading 0) and
    // steps it: arrays, wander, mesh, movement with the wall rules.
    void Draw();
    // Fills the pose (advancing the turn, the body wave and the shared flaps).
    void ComputePose(FoodFishPose& pose);
    // Body wave: every third call the phase steps; out[i] = sin(i * 0.2617994 + phase) * size
    // * 0.05 for every segment.
    void ComputeBodyWave(float* out, int count);
    void Wander();

    void DrawMesh(const FoodFishPose& pose);
    template <typename Sink> void DrawMeshTo(Sink& sink, const FoodFishPose& pose);

    float size = 12.0f;
    WaveState bodyWave;
};

// One shared flap generator: every twelfth call the phase steps by 0.5235987; then
// out[i] = i * sin(i * spatialStep + phase) * size * 0.005.
void runFoodFlap(WaveState& wave, float spatialStep, float size, float* out, int count);

template <typename Sink> void FoodFish::DrawMeshTo(Sink& sink, const FoodFishPose& pose) {
    const float s = size;
    const auto draw = [&](FoodFishPart part, const PartMotion& motion) {
        drawPart(sink, *this, kFoodFishParts[part], motion, s);
    };

    // The body: each strip of ring sections turns with its own segment and every ring rides
    // the body wave up and down.
    PartMotion body;
    body.turning = PartMotion::Turning::PerStrip;
    body.yawList = pose.yaw;
    body.rowValues = pose.wave;
    body.rowGain = {0, 0, 1};
    body.mirrorAxis = 0;
    draw(kFoodBody, body);

    // Head pieces that ride the wave of the head as a whole.
    PartMotion head;
    head.yaw = pose.yaw[0];
    head.shift = {0, 0, pose.wave[0]};
    head.mirrorAxis = 0;
    draw(kFoodRostrum, head);

    // Antennal scales flutter across their width and sway out and in as a mirror-image pair.
    PartMotion scale;
    scale.yaw = pose.yaw[0];
    scale.columnValues = pose.flapU;
    scale.columnGain = {0, 0, 1};
    scale.rowValues = pose.wave;
    scale.rowGain = {1, 0, 0};
    scale.mirrorAxis = 0;
    draw(kFoodScaleRight, scale);
    scale.rowGain = {-1, 0, 0};
    draw(kFoodScaleLeft, scale);

    // Eyes: the stalks reach out and in, the balls wobble along the stalk.
    PartMotion eye = scale;
    eye.columnGain = {1, 0, 0};
    eye.rowGain = {1, 0, 0};
    draw(kFoodEyeRight, eye);
    eye.columnGain = {-1, 0, 0};
    eye.rowGain = {-1, 0, 0};
    draw(kFoodEyeLeft, eye);

    // The long antennae whip up and down from the root.
    PartMotion antenna;
    antenna.yaw = pose.yaw[0];
    antenna.columnValues = pose.flapT;
    antenna.columnGain = {0, 0, 1};
    antenna.mirrorAxis = 0;
    draw(kFoodAntennaRight, antenna);
    draw(kFoodAntennaLeft, antenna);

    draw(kFoodAntennule, head);

    // Legs and swimmerets: each follows the body wave of its segment, swings fore and aft
    // along its length and feathers its blade; the mirrored copy feathers the other way.
    struct Limb {
        FoodFishPart part;
        int segment;
        const float* flap;
    };
    const Limb limbs[] = {
        {kFoodLegA, 3, pose.flapS},        {kFoodLegB, 3, pose.flapS},
        {kFoodLegC, 4, pose.flapS},        {kFoodLegD, 4, pose.flapS},
        {kFoodLegE, 5, pose.flapS},        {kFoodSwimmeretA, 5, pose.flapS},
        {kFoodSwimmeretB, 6, pose.flapS},  {kFoodSwimmeretC, 7, pose.flapP},
        {kFoodSwimmeretD, 8, pose.flapP},  {kFoodSwimmeretE, 9, pose.flapP},
        {kFoodSwimmeretF, 10, pose.flapP}, {kFoodSwimmeretG, 11, pose.flapP},
    };
    for (const Limb& limb : limbs) {
        PartMotion motion;
        motion.yaw = pose.yaw[limb.segment];
        motion.shift = {0, 0, pose.wave[limb.segment]};
        motion.rowValues = pose.wave;
        motion.rowGain = {0, 1, 0};
        motion.columnValues = limb.flap;
        motion.columnGain = {1, 0, 0};
        motion.mirrorAxis = 0;
        motion.mirrorFlipsColumn = true;
        draw(limb.part, motion);
    }

    // The tail fan opens and closes sideways.
    PartMotion fan;
    fan.yaw = pose.yaw[13];
    fan.shift = {0, 0, pose.wave[13]};
    fan.columnValues = pose.flapQ;
    fan.columnGain = {1, 0, 0};
    fan.mirrorAxis = 0;
    fan.mirrorFlipsColumn = true;
    draw(kFoodTailOuter, fan);
    draw(kFoodTailInner, fan);
}

} // namespace quelmarine
