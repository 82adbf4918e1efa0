#pragma once
// The backdrop as the fixed camera sees it: whether its triangles cover the whole viewport, and
// how many window pixels one texel of its picture spans at the least. The frame uses both to
// leave out work that cannot show: the colour quad behind a backdrop that covers everything,
// and mipmap selection for a picture that is only ever magnified.

#include "tank/scene/BackdropSurface.h"
#include "tank/scene/TankBox.h"

namespace quelmarine {

// The camera of the frame: the frustum for the screen, the eye on the z axis looking down -z,
// and the viewport in pixels.
struct BackdropCamera {
    Frustum frustum;
    double eyeZ;
    int viewportWidth, viewportHeight;
};

// True when every pixel of the viewport, with `marginPixels` to spare on each side, lies inside
// the triangles the surface is drawn with.
bool backdropCoversViewport(const BackdropSurface& surface, const BackdropCamera& camera,
                            double marginPixels);

// The smallest number of window pixels that one texel of a `textureWidth` x `textureHeight`
// picture spans along either axis of the drawn surface (below 1: the picture is minified).
double backdropPixelsPerTexel(const BackdropSurface& surface, const BackdropCamera& camera,
                              int textureWidth, int textureHeight);

} // namespace quelmarine
