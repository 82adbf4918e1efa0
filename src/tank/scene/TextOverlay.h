#pragma once
// The help text that floats in the scene for 100 frames after start-up and after F1.

#include <cstdint>

namespace quelmarine {

class OutlineFont;

inline constexpr std::int32_t kOverlayFrames = 100;

// Counts one frame of a shown overlay and hides it once its frames are used up; true when it
// is to be drawn on this frame. Hiding it by hand (F1) leaves the count alone.
bool stepOverlayClock(bool& overlayVisible, std::int32_t& frames);

// One frame of a shown overlay, right after the buffers are cleared: the four lines in front
// of the camera, in white and untextured.
void DrawOverlay(OutlineFont& font);

} // namespace quelmarine
