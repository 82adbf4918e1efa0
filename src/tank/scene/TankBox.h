#pragma once
// The world box of the scene; its width depends on the screen size.

namespace quelmarine {

struct TankBox {
    float tankLeft = 0, tankRight = 0;
    float tankTop = 21, tankBottom = -21, tankBack = -50;
};

// Half-width before widening: the table's value for the listed sizes; otherwise derived from
// the aspect ratio so that the backdrop (at z = -90) covers the whole visible width, and never
// less than the 4:3 value.
int tankHalfWidth(int screenWidth, int screenHeight);

// The box for a screen of this size in physical pixels (both widened by 20).
TankBox ComputeTankBox(int screenWidth, int screenHeight);

// The frame's viewing frustum for a screen of this size (near plane at 1, far at 1000).
struct Frustum {
    double left, right, bottom, top, nearPlane, farPlane;
};
Frustum frustumFor(int screenWidth, int screenHeight);

} // namespace quelmarine
