#pragma once
// One live food item: a food creature swimming about its drop point. Twenty of them belong to
// the scene; an item steps and is drawn while `active`, is eaten by a fish (`alive` 0),
// becomes inactive at its next step and waits for a feeding click to drop it again.

#include <GL/gl.h>
#include <span>
#include <string>

#include "tank/fish/FishRules.h"
#include "tank/fish/FoodFish.h"

namespace quelmarine {

inline constexpr int kFoodItemCount = 20;

class FoodItem {
  public:
    // Active, with a random drop point: x -30 ... 29, y -15 ... 14, z -70.
    FoodItem();
    virtual ~FoodItem() = default;

    // Alive again at the drop point, showing `picture` (the food picture every item shares:
    // it is loaded once, never per item).
    void Init(GLuint picture);
    // New drop point, then Init with the item's picture.
    void Drop(float x, float y, float z);
    // Steps a live item's creature (with the flap generators every item shares) and records
    // where it is shown; an eaten item becomes inactive.
    void Step(FoodFlapStates& flaps);
    // A live item as its last step left it: unlit, scaled to 0.15.
    void Draw() const;
    // Eaten: not alive, the creature back at the drop point.
    void Eat();

    float alive = 0;
    GLuint texture = 0;
    float worldPos[3] = {0, 0, 0}; // after the last step
    float basePos[3] = {0, 0, 0};
    Vec3f shownPos; // where the last step showed it (before it moved on)
    FoodFish fish;
    bool active = true;
};

// Loads the food picture (the packed asset FoodPicture, "fish17") into a new texture; once per
// context.
GLuint LoadFoodPicture(const std::string& assetFolder);

// Drops the first inactive item at (x, y, z) and activates it; false (nothing dropped) when all
// items are active.
bool DropFood(std::span<FoodItem> food, float x, float y, float z);

// What the feeding and eating rules see of each item: its last drawn position, `active` and
// whether it is alive.
void FillFoodTargets(std::span<const FoodItem> food, std::span<FoodTarget> targets);
// Eats every item whose target the rules marked as eaten.
void EatMarkedFood(std::span<FoodItem> food, std::span<const FoodTarget> targets);

} // namespace quelmarine
