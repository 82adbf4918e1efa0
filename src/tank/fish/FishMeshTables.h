#pragma once
// The ten mesh parts of the main fish, in drawing order (data in FishMeshTables.cpp, generated
// by tools/fishmesh/fishmesh.py). Model space: head at -x, y lateral (the y <= 0 half is
// stored), z up; positions are scaled by the fish's size when drawn.

#include "tank/fish/MeshTable.h"

namespace quelmarine {

enum FishPart {
    kFishBody,
    kFishUpperJaw,
    kFishLowerJaw,
    kFishDorsalFront,
    kFishDorsalRear,
    kFishPectoral,
    kFishPelvic,
    kFishAnal,
    kFishTail,
    kFishEyes,
    kFishPartCount
};

extern const MeshTable kFishParts[kFishPartCount];

} // namespace quelmarine
