#pragma once
// The rules that run between fish draws: steering to food, eating it, keeping clear of each
// other, and the angle helpers they use.

#include <span>

#include "tank/fish/Fish.h"

namespace quelmarine {

// What the rules need of one food item: its last drawn world position, whether the frame loop
// draws it (`active`) and whether it is still uneaten (`alive`). `EatCheck` clears `alive` and
// sets `eaten` on the item a fish eats; the owner of the food items then eats the real item.
struct FoodTarget {
    float x = 0, y = 0, z = 0;
    bool active = false;
    bool alive = false;
    bool eaten = false;
};

// Angle in degrees, 0 ... 90, between the line through (a, e) and (b, f) and the line through
// (c, g) and (d, h).
float LineAngle(float a, float b, float c, float d, float e, float f, float g, float h);
// Whole-degree climb angle toward a food position (world x and y only).
float ClimbAngle(float fx, float fy);

// Feed mode: fish `i` steers toward active food within 10 units of its nose.
void FeedSteer(std::span<Fish> fish, int i, std::span<const FoodTarget> food);
// Fish `i` eats the active, uneaten food items its nose touches.
void EatCheck(std::span<Fish> fish, int i, std::span<FoodTarget> food);
// Fish `i` and every other fish whose reach boxes overlap its own make room for each other.
void Crowd(std::span<Fish> fish, int i);

// The clicks of the touch and zoom modes on a fish.
void TouchResponse(Fish& fish);
void ZoomResponse(Fish& fish, bool zoomIn);

} // namespace quelmarine
