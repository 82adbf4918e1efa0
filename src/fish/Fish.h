#pragma once
// The main fish: its mesh animation (turning spread, body wave, fin flaps, jaws), its pitch,
// wandering, movement, wall rules and collision boxes. `Draw` draws the fish and advances it one
// step; the frame's model-view matrix already holds the fish's translation.

#include "fish/FishMeshTables.h"
#include "fish/PartDrawing.h"
#include "fish/Swimmer.h"
#include "fish/WaveGenerator.h"

namespace quelmarine {

// The per-frame arrays that bend the mesh (degrees; displacements already times the size).
struct FishPose {
    float yaw[10] = {};
    float wave[10] = {};
    float jawUpper[5] = {};
    float jawLower[7] = {};
    float flapC[11] = {}, flapD[6] = {}, flapE[10] = {}, flapF[7] = {}, flapG[6] = {};
    float flapH[15] = {};
};

// An axis-aligned box: {xMax, xMin, yMax, yMin, zMax, zMin}.
struct FishBox {
    float xMax = 0, xMin = 0, yMax = 0, yMin = 0, zMax = 0, zMin = 0;
};

bool boxesOverlap(const FishBox& a, const FishBox& b);

class Fish : public Swimmer {
  public:
    Fish();

    // Draws the fish and steps it: arrays, pitch, wander, mesh, movement, boxes.
    void Draw();
    // The ten mesh parts for `pose`, through OpenGL.
    void DrawMesh(const FishPose& pose);
    // The same vertex stream into any strip sink (see PartDrawing.h).
    template <typename Sink> void DrawMeshTo(Sink& sink, const FishPose& pose);

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

    WaveState bodyWave, flapCD, flapE, flapF, flapG, flapH;
    int lowerJawTick = 0; // the mouth timer
    float jawAmplitude = 0.003f;

    // Collision box per unit size.
    float boxLength = 1.0f, boxWidth = 0.36675f, boxHeight = 0.331898f;
    FishBox bodyBox, reachBox;
    float nose[3] = {}, tail[3] = {};
    bool hasBoxes = false; // false until the fish has been drawn once
    bool crowded = false;
};

template <typename Sink> void Fish::DrawMeshTo(Sink& sink, const FishPose& pose) {
    const float s = float(size);
    PartMotion body;
    body.turning = PartMotion::Turning::PerColumn;
    body.yawList = pose.yaw;
    body.columnValues = pose.wave;
    body.columnGain = {0, 1, 0};
    drawPart(sink, *this, kFishParts[kFishBody], body, s);

    PartMotion jaw;
    jaw.yaw = pose.yaw[0];
    jaw.columnValues = pose.jawUpper;
    jaw.columnGain = {0, 0, 1};
    drawPart(sink, *this, kFishParts[kFishUpperJaw], jaw, s);
    jaw.columnValues = pose.jawLower;
    jaw.columnGain = {0, 0, -1};
    drawPart(sink, *this, kFishParts[kFishLowerJaw], jaw, s);

    // Fins: rows are numbered from 0 here; the outer edge is the row that flaps.
    PartMotion dorsal;
    dorsal.yaw = (pose.yaw[4] + pose.yaw[5]) * 0.5f;
    dorsal.columnValues = pose.flapC;
    dorsal.columnGain = {1, 1, 0};
    dorsal.columnRows = 1u << 1;
    drawPart(sink, *this, kFishParts[kFishDorsalFront], dorsal, s);

    PartMotion softFin;
    softFin.yaw = pose.yaw[7];
    softFin.shift = {0, pose.wave[7], 0};
    softFin.columnValues = pose.flapD;
    softFin.columnGain = {0, 1, 0};
    softFin.columnRows = 1u << 1;
    drawPart(sink, *this, kFishParts[kFishDorsalRear], softFin, s);

    PartMotion pectoral;
    pectoral.yaw = pose.yaw[4];
    pectoral.columnValues = pose.flapE;
    pectoral.columnGain = {0, 1, 1};
    pectoral.columnRows = 1u << 0;
    pectoral.mirrorFlipsColumn = true;
    drawPart(sink, *this, kFishParts[kFishPectoral], pectoral, s);

    PartMotion pelvic = pectoral;
    pelvic.columnValues = pose.flapF;
    pelvic.columnGain = {0, 1, 0};
    drawPart(sink, *this, kFishParts[kFishPelvic], pelvic, s);

    softFin.columnValues = pose.flapG;
    drawPart(sink, *this, kFishParts[kFishAnal], softFin, s);

    PartMotion tailFin;
    tailFin.yaw = pose.yaw[9];
    tailFin.shift = {0, pose.wave[9], 0};
    tailFin.columnValues = pose.flapH;
    tailFin.columnGain = {0, 1, 0};
    tailFin.columnRows = 1u << 0;
    drawPart(sink, *this, kFishParts[kFishTail], tailFin, s);

    PartMotion eyes;
    eyes.yaw = pose.yaw[0];
    drawPart(sink, *this, kFishParts[kFishEyes], eyes, s);
}

} // namespace quelmarine
