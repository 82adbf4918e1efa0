#pragma once
// The mouse's work in the scene: the interaction mode, the recorded press, and the passes of
// the frame that act on it. Clicks are only recorded by the window; the feeding pass finds the
// clicked world point by selection-mode picking against swaying strips and drops food there,
// and the fish picking pass finds the fish under the mouse for the touch and zoom modes.
//
// Selection mode draws immediate-mode geometry only: Mesa fails on display lists there.

#include <span>

#include "tank/fish/Fish.h"
#include "tank/fish/FoodItem.h"
#include "tank/scene/InteractionModes.h"
#include "tank/scene/PickingSelect.h"
#include "tank/scene/TankBox.h"

namespace quelmarine {

inline constexpr int kPickColumnCount = 101;
inline constexpr int kPickRowCount = 51;

struct PickPoint {
    float x = 0, y = 0, z = 0;
};

// What the window records of the mouse (client pixels, y downwards).
struct MouseState {
    int mouseX = 0, mouseY = 0;
    bool buttonDown = false;  // the left button is held (the cursor shows it)
    bool feedPending = false; // a feeding click waits to be placed
    bool pickPending = false; // a press in a fish mode waits for the next picking pass
    int mode = kModeFeedFish; // the id of the last command
};

class Picking {
  public:
    // The strips: columns from tankLeft in steps of 0.990099 at y 0, rows from tankBottom in
    // steps of (tankTop - tankBottom) * 0.02 at x 0, all at z -70.
    void PlaceGrid(const TankBox& tank);

    // World x (y) under the mouse: the first column (row) strip whose 15 x 15 pixel pick region
    // has a hit, or 0 when none has. The model-view matrix holds the frame's camera.
    float PickWorldX(int mouseX, int mouseY);
    float PickWorldY(int mouseX, int mouseY);

    // Feed mode, every frame: sways the strips, locates a pending click and, once both of its
    // coordinates are known, drops the first inactive food item there (x, y - 2, -70).
    void FeedingPass(MouseState& mouse, const TankBox& tank, std::span<FoodItem> food);

    // Touch and zoom modes, every frame: a pending press is consumed, and the first of the
    // `fishInUse` fish whose drawing hits the 20 x 20 pixel region under the mouse is touched
    // or zoomed. Each tested fish takes one more step and is tested as that step shows it, so a
    // click lands on where the fish is going. The index of the fish acted on, or -1.
    int FishPickingPass(MouseState& mouse, std::span<Fish> fish, int fishInUse);

    void SwayGrid(const TankBox& tank);

    PickPoint pickColumns[kPickColumnCount];
    PickPoint pickRows[kPickRowCount];
    bool gridSwayX = false; // true moves the columns right
    bool gridSwayY = true;  // true moves the rows up
    float clickX = 0, clickY = 0;
    bool haveClickX = false, haveClickY = false;
};

// The two strips, drawn at the current translation.
void drawColumnStrip();
void drawRowStrip();

} // namespace quelmarine
