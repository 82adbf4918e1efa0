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
    float tailFan[8] = {}, legs[9] = {}, swimmerets[9] = {}, antennae[12] = {};
    float headFlutter[12] = {}; // the antennal scales and the eyes
};

// The flap generators all food creatures share: the scene owns one set.
struct FoodFlapStates {
    FoodFlapStates();
    WaveState tailFan, legs, swimmerets, antennae, headFlutter;
};

// The swimming rules of the food creature.
SwimRules foodSwimRules();

class FoodFish : public Swimmer {
  public:
    FoodFish();

    // One step: pose arrays (advancing the turn, the body wave and the shared flaps), wander,
    // movement with the wall rules. `shownPose` keeps this step's picture.
    void Step(FoodFlapStates& flaps);
    // The creature as the last step left it (model space turned so that the head points to -x
    // at heading 0), at the translation the model-view matrix holds.
    void Draw() const;
    // Fills the pose (advancing the turn, the body wave and the shared flaps).
    void ComputePose(FoodFishPose& pose, FoodFlapStates& flaps);
    // Body wave: every third call the phase steps; out[i] = sin(i * 0.2617994 + phase) * size
    // * 0.05 for every segment.
    void ComputeBodyWave(float* out, int count);
    void Wander();

    void DrawMesh(const FoodFishPose& pose) const;
    template <typename Sink> void DrawMeshTo(Sink& sink, const FoodFishPose& pose) const;

    float size = 12.0f;
    WaveState bodyWave;
    FoodFishPose shownPose;
};

// One shared flap generator: every twelfth call the phase steps by 0.5235987; then
// out[i] = i * sin(i * spatialStep + phase) * size * 0.005.
void runFoodFlap(WaveState& wave, float spatialStep, float size, float* out, int count);

// How each mesh part of the food creature moves, as data: the body segment whose yaw turns it,
// the segment whose body wave lifts all of it, the pose array that displaces it per column (and
// along which axis), the axis along which each row rides the body wave, and whether its mirrored
// copy flaps the other way. Every part is mirrored across x.
enum class FoodPoseArray { None, TailFan, Legs, Swimmerets, Antennae, HeadFlutter };

struct FoodPartRule {
    int yawSegment;       // -1: each strip of rings turns by its own segment's yaw
    int waveLift;         // segment whose body wave shifts z of every vertex, or -1
    FoodPoseArray column; // per-column displacement
    Vec3f columnGain;     // its direction (and sign)
    Vec3f rowGain;        // each row moves by the body wave of its row this way (0: not)
    bool flapMirrors;     // the mirrored copy takes the column displacement with the other sign
};

inline constexpr FoodPartRule kFoodPartRules[kFoodFishPartCount] = {
    // The body: the rings ride the body wave up and down.
    {-1, -1, FoodPoseArray::None, {}, {0, 0, 1}, false},
    // The rostrum rides the wave of the head as a whole.
    {0, 0, FoodPoseArray::None, {}, {}, false},
    // The antennal scales flutter across their width and sway out and in as a pair.
    {0, -1, FoodPoseArray::HeadFlutter, {0, 0, 1}, {1, 0, 0}, false},
    {0, -1, FoodPoseArray::HeadFlutter, {0, 0, 1}, {-1, 0, 0}, false},
    // The eyes: the stalks reach out and in, the balls wobble along the stalk.
    {0, -1, FoodPoseArray::HeadFlutter, {1, 0, 0}, {1, 0, 0}, false},
    {0, -1, FoodPoseArray::HeadFlutter, {-1, 0, 0}, {-1, 0, 0}, false},
    // The long antennae whip up and down from the root.
    {0, -1, FoodPoseArray::Antennae, {0, 0, 1}, {}, false},
    {0, -1, FoodPoseArray::Antennae, {0, 0, 1}, {}, false},
    // The antennules ride the head's wave.
    {0, 0, FoodPoseArray::None, {}, {}, false},
    // Legs and swimmerets follow the body wave of their segment, swing fore and aft along
    // their length and feather their blades; the mirrored copy feathers the other way.
    {3, 3, FoodPoseArray::Legs, {1, 0, 0}, {0, 1, 0}, true},
    {3, 3, FoodPoseArray::Legs, {1, 0, 0}, {0, 1, 0}, true},
    {4, 4, FoodPoseArray::Legs, {1, 0, 0}, {0, 1, 0}, true},
    {4, 4, FoodPoseArray::Legs, {1, 0, 0}, {0, 1, 0}, true},
    {5, 5, FoodPoseArray::Legs, {1, 0, 0}, {0, 1, 0}, true},
    {5, 5, FoodPoseArray::Legs, {1, 0, 0}, {0, 1, 0}, true},
    {6, 6, FoodPoseArray::Legs, {1, 0, 0}, {0, 1, 0}, true},
    {7, 7, FoodPoseArray::Swimmerets, {1, 0, 0}, {0, 1, 0}, true},
    {8, 8, FoodPoseArray::Swimmerets, {1, 0, 0}, {0, 1, 0}, true},
    {9, 9, FoodPoseArray::Swimmerets, {1, 0, 0}, {0, 1, 0}, true},
    {10, 10, FoodPoseArray::Swimmerets, {1, 0, 0}, {0, 1, 0}, true},
    {11, 11, FoodPoseArray::Swimmerets, {1, 0, 0}, {0, 1, 0}, true},
    // The tail fan opens and closes sideways.
    {13, 13, FoodPoseArray::TailFan, {1, 0, 0}, {}, true},
    {13, 13, FoodPoseArray::TailFan, {1, 0, 0}, {}, true},
};

PartMotion foodPartMotion(const FoodPartRule& rule, const FoodFishPose& pose);

template <typename Sink> void FoodFish::DrawMeshTo(Sink& sink, const FoodFishPose& pose) const {
    for (int part = 0; part < kFoodFishPartCount; ++part)
        drawPart(sink, kFoodFishParts[part], foodPartMotion(kFoodPartRules[part], pose), size);
}

} // namespace quelmarine
