#include "tank/scene/TankBox.h"

#include <algorithm>
#include <cmath>

namespace quelmarine {

namespace {

struct ListedSize {
    int width, height, halfWidth;
};

constexpr ListedSize kListedSizes[] = {
    {800, 600, 29},  {1024, 768, 29}, {1280, 960, 29},  {1280, 1024, 29},
    {1440, 900, 35}, {1600, 900, 38}, {1680, 1050, 34},
};

constexpr int kSmallestHalfWidth = 29;  // the 4:3 value
constexpr float kWidening = 20.0f;      // added on both sides of every box
constexpr float kBackdropDistance = 80; // camera (z = -10) to backdrop (z = -90)
constexpr double kFrustumHalf = 0.4;    // frustum half-extent at the near plane (distance 1)
constexpr float kSwayAllowance = 1.0f;  // the backdrop's top corners sway inwards by up to 0.5

} // namespace

int tankHalfWidth(int screenWidth, int screenHeight) {
    for (const ListedSize& size : kListedSizes)
        if (size.width == screenWidth && size.height == screenHeight)
            return size.halfWidth;
    if (screenWidth <= 0 || screenHeight <= 0)
        return kSmallestHalfWidth;
    // The frustum's horizontal half-extent is K·w/h on landscape screens and K on portrait ones.
    const float aspect = std::max(1.0f, float(screenWidth) / float(screenHeight));
    const float visibleHalf = kBackdropDistance * float(kFrustumHalf) * aspect;
    const int needed = int(std::ceil(visibleHalf - kWidening + kSwayAllowance));
    return std::max(kSmallestHalfWidth, needed);
}

TankBox ComputeTankBox(int screenWidth, int screenHeight) {
    const float half = float(tankHalfWidth(screenWidth, screenHeight));
    TankBox box;
    box.tankLeft = -half - kWidening;
    box.tankRight = half + kWidening;
    return box;
}

Frustum frustumFor(int screenWidth, int screenHeight) {
    const double w = screenWidth > 0 ? screenWidth : 1, h = screenHeight > 0 ? screenHeight : 1;
    const double k = kFrustumHalf;
    if (w > h)
        return {-k * w / h, k * w / h, -k, k, 1.0, 1000.0};
    return {-k, k, -k * h / w, k * h / w, 1.0, 1000.0};
}

} // namespace quelmarine
