#pragma once
// The fixed camera looking into the tank: the frustum from the screen size and the eye at
// (0, 0, -10 + 5 + cameraZOffset) looking down -z. Leaves the model-view matrix selected.

namespace quelmarine {

void SetProjectionAndCamera(int screenWidth, int screenHeight, float cameraZOffset = -5.0f);

// The eye's z coordinate for this camera offset.
double cameraEyeZ(float cameraZOffset);

} // namespace quelmarine
