#pragma once
// The main fish: its mesh animation (turning spread, body wave, fin flaps, jaws), its pitch,
// wandering, movement, wall rules and collision boxes. `Step` advances it one step and keeps
// what that step shows; `Draw` draws it so, at the translation the frame's model-view matrix
// already holds (the fish's `shown.position`).

#include "tank/fish/FishMeshTables.h"
#include "tank/fish/PartDrawing.h"
#include "tank/fish/Swimmer.h"
#include "tank/fish/WaveGenerator.h"

namespace quelmarine {

// The per-frame arrays that bend the mesh (degrees; displacements already times the size).
struct FishPose {
    float yaw[10] = {};
    float wave[10] = {};
    float jawUpper[5] = {};
    float jawLower[7] = {};
    float dorsalFront[11] = {}, dorsalRear[6] = {}, pectoral[10] = {}, pelvic[7] = {};
    float anal[6] = {}, tail[15] = {};
};

// What one step leaves for drawing: the bent mesh, and where and how the fish is shown (where
// it was before the step moved it on).
struct FishFrame {
    FishPose pose;
    Vec3f position;
    float heading = 0, pitch = 0;
    int size = 6;
};

// An axis-aligned box: {xMax, xMin, yMax, yMin, zMax, zMin}.
struct FishBox {
    float xMax = 0, xMin = 0, yMax = 0, yMin = 0, zMax = 0, zMin = 0;
};

bool boxesOverlap(const FishBox& a, const FishBox& b);

class Fish : public Swimmer {
  public:
    Fish();

    // One step: pose arrays, pitch, wander, movement, boxes; `shown` keeps this step's picture.
    void Step();
    // The fish as the last step left it; the translation to `shown.position` is already made.
    void Draw() const;
    // The ten mesh parts for `pose` at this size, through OpenGL.
    void DrawMesh(const FishPose& pose) const;
    // The same vertex stream into any strip sink (see PartDrawing.h).
    template <typename Sink> void DrawMeshTo(Sink& sink, const FishPose& pose) const;

    // Fills every array of the pose for this frame (advancing the generators and the turn).
    void ComputePose(FishPose& pose);
    void ComputeBodyWave(float* out, int count);
    // Jaw opening per column; `lower` selects the lower jaw, which also runs the mouth timer.
    void ComputeJaw(float* out, int count, bool lower);
    void SetSwimStyle(float speedTarget, bool shut);

    void SetBounds(float xMin, float xMax, float yTop, float yBottom, float zMin, float zMax);
    void Wander();
    void Resize(float amount, bool grow);
    void SetEating(bool value) { eating = value; }
    // Nose, tail, body box and reach box from the position, the size and the targets.
    void UpdateBoxes();

    int size = 6;
    bool mouthShut = true;

    // The dorsal fin's front and rear share one generator.
    WaveState bodyWave, dorsalFlap, pectoralFlap, pelvicFlap, analFlap, tailFlap;
    int lowerJawTick = 0; // the mouth timer
    float jawAmplitude = 0.003f;

    // Collision box per unit size.
    float boxLength = 1.0f, boxWidth = 0.36675f, boxHeight = 0.331898f;
    FishBox bodyBox, reachBox;
    float nose[3] = {}, tail[3] = {};
    bool hasBoxes = false; // false until the fish has stepped once
    bool crowded = false;
    FishFrame shown;
};

// How each mesh part of the main fish moves, as data: the body segment(s) whose yaw turns it,
// the pose array that displaces it per column (on which rows, along which axes), the body-wave
// segment that shifts all of it sideways, and whether its mirrored copy flaps the other way.
enum class PoseArray {
    None,
    Wave,
    JawUpper,
    JawLower,
    DorsalFront,
    DorsalRear,
    Pectoral,
    Pelvic,
    Anal,
    Tail
};

struct FishPartRule {
    int yawSegment;   // -1: every body column turns by its own segment's yaw
    int yawSegment2;  // a second segment to average with, or -1
    PoseArray column; // per-column displacement
    Vec3f gain;       // its direction (and sign)
    unsigned rows;    // rows it moves (bit r = row r)
    int waveShift;    // body-wave segment added to y of every vertex, or -1
    bool flapMirrors; // the mirrored copy takes the column displacement with the other sign
};

inline constexpr unsigned kAllRows = ~0u, kRow0 = 1u << 0, kRow1 = 1u << 1;

inline constexpr FishPartRule kFishPartRules[kFishPartCount] = {
    {-1, -1, PoseArray::Wave, {0, 1, 0}, kAllRows, -1, false},     // body
    {0, -1, PoseArray::JawUpper, {0, 0, 1}, kAllRows, -1, false},  // upper jaw
    {0, -1, PoseArray::JawLower, {0, 0, -1}, kAllRows, -1, false}, // lower jaw
    {4, 5, PoseArray::DorsalFront, {1, 1, 0}, kRow1, -1, false},   // dorsal fin, front
    {7, -1, PoseArray::DorsalRear, {0, 1, 0}, kRow1, 7, false},    // dorsal fin, rear
    {4, -1, PoseArray::Pectoral, {0, 1, 1}, kRow0, -1, true},      // pectoral fins
    {4, -1, PoseArray::Pelvic, {0, 1, 0}, kRow0, -1, true},        // pelvic fins
    {7, -1, PoseArray::Anal, {0, 1, 0}, kRow1, 7, false},          // anal fin
    {9, -1, PoseArray::Tail, {0, 1, 0}, kRow0, 9, false},          // tail fin
    {0, -1, PoseArray::None, {0, 0, 0}, 0, -1, false},             // eyes
};

const float* poseArray(const FishPose& pose, PoseArray which);
PartMotion partMotion(const FishPartRule& rule, const FishPose& pose);

// The ten mesh parts bent by `pose`, at `size`.
template <typename Sink> void drawFishMesh(Sink& sink, const FishPose& pose, int size) {
    for (int part = 0; part < kFishPartCount; ++part)
        drawPart(sink, kFishParts[part], partMotion(kFishPartRules[part], pose), float(size));
}

template <typename Sink> void Fish::DrawMeshTo(Sink& sink, const FishPose& pose) const {
    drawFishMesh(sink, pose, size);
}

} // namespace quelmarine
