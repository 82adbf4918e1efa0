#pragma once
// The pool of 25 main fish in five species: which slots swim in which species, the species
// skins, the placement at start-up and the fish pass of every frame.

#include <GL/gl.h>
#include <cstdint>
#include <span>
#include <string>

#include "tank/fish/Fish.h"
#include "tank/fish/FishRules.h"
#include "tank/settings/AquariumSettings.h"

namespace quelmarine {

// Fish in use: the sum of the counts, a negative count as 0, at most the 25 slots.
int fishInUse(const std::int32_t counts[kFishSpecies]);
// Species of slot `slot`, or -1 when the slot is not in use. Species j holds the slots from
// counts[0] + ... + counts[j - 1] on, counts[j] of them.
int speciesOfSlot(const std::int32_t counts[kFishSpecies], int slot);

// The five species skins, packed assets FishSkin0 … FishSkin4 ("fish0" … "fish4").
void LoadSpeciesTextures(const std::string& assetFolder, GLuint textures[kFishSpecies]);

// Places all 25 slots with 14 draws of rand() each (x, y, z from draws 5, 6 and 7) and gives
// each the swimming box x -50 ... 50, y up to tankTop, z -80 ... -60.
void PlaceAllFish(std::span<Fish> pool, float tankTop, float tankBottom);

// The fish part of a frame's step: each fish in use steps, then FeedSteer (only in Feed mode),
// EatCheck and Crowd run for it.
void StepFishPass(std::span<Fish> pool, const std::int32_t counts[kFishSpecies], bool feedMode,
                  std::span<FoodTarget> food);
// The fish part of a frame's drawing (lighting on): each fish in use as its last step left it,
// with its species skin.
void DrawFishPass(std::span<const Fish> pool, const std::int32_t counts[kFishSpecies],
                  const GLuint textures[kFishSpecies]);

} // namespace quelmarine
