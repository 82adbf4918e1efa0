#include "tank/fish/FishRules.h"

#include <cmath>

namespace quelmarine {

namespace {

constexpr double kRadiansToDegrees = 180.0 * 0.3183099014828645;

float slope(float a, float b, float e, float f) {
    const float run = a - b;
    return std::fabs(run) <= 0.0001f ? (e - f) * 10000.0f : (e - f) / run;
}

} // namespace

float LineAngle(float a, float b, float c, float d, float e, float f, float g, float h) {
    const float p = slope(a, b, e, f), q = slope(c, d, g, h);
    const float denominator = 1 + p * q;
    const double tangent = std::fabs(denominator) <= 0.0001f ? std::fabs((q - p) * 10000.0f)
                                                             : std::fabs((q - p) / denominator);
    return float(std::atan(tangent) * kRadiansToDegrees);
}

float ClimbAngle(float fx, float fy) {
    if (fx == 0 && fy == 0)
        return 0;
    if (std::fabs(fx) < 0.0001f)
        return fy < 0 ? 270.0f : 90.0f;
    if (std::fabs(fy) < 0.0001f)
        return fx > 0 ? 0.0f : 180.0f;
    const int t = int(std::atan(std::fabs(fy / fx)) * kRadiansToDegrees);
    return float(fx > 0 && fy > 0 ? t : 90 - t);
}

void FeedSteer(std::span<Fish> fish, int i, std::span<const FoodTarget> food) {
    Fish& f = fish[i];
    f.SetEating(false);
    for (const FoodTarget& item : food) {
        if (!item.active)
            continue;
        const float nx = f.nose[0], ny = f.nose[1], nz = f.nose[2];
        if (std::fabs(nx - item.x) < 10 && std::fabs(ny - item.y) < 10) {
            f.SetEating(true);
            f.EaseSpeed(0.1f, 0.2f);
            const float climb = ClimbAngle(item.x, item.y);
            const float turn = LineAngle(nx, f.x, f.x, item.x, nz, f.z, f.z, item.z);
            if (turn < 1) {
                f.Tilt(climb, ny <= item.y, TiltKind::Steer);
            } else {
                if ((f.movingMinusX && nx > item.x) || (f.movingPlusX && nx < item.x))
                    f.Turn(turn, nz > item.z, TurnKind::Steer);
                if ((f.movingMinusX && nx < item.x) || (f.movingPlusX && nx > item.x))
                    f.Turn(180 - turn, true, TurnKind::Steer);
            }
        }
        if (std::fabs(nx - item.x) < 3 && std::fabs(ny - item.y) < 3)
            f.EaseSpeed(0.1f, 0.1f);
    }
}

void EatCheck(std::span<Fish> fish, int i, std::span<FoodTarget> food) {
    const Fish& f = fish[i];
    for (FoodTarget& item : food) {
        if (!item.active || !item.alive)
            continue;
        if (std::fabs(f.nose[0] - item.x) < 1.5f && std::fabs(f.nose[1] - item.y) < 1.5f &&
            std::fabs(f.nose[2] - item.z) < 2.0f) {
            item.alive = false;
            item.eaten = true;
        }
    }
}

void Crowd(std::span<Fish> fish, int i) {
    Fish& a = fish[i];
    a.crowded = false;
    for (int j = 0; j < int(fish.size()); ++j) {
        if (j == i)
            continue;
        Fish& b = fish[j];
        if (!a.hasBoxes || !b.hasBoxes || !boxesOverlap(a.reachBox, b.reachBox))
            continue;
        a.crowded = b.crowded = true;
        const float m = LineAngle(a.nose[0], a.x, b.nose[0], b.x, a.nose[1], a.y, b.nose[1], b.y);
        const float n = LineAngle(a.nose[0], a.x, b.nose[0], b.x, a.nose[2], a.z, b.nose[2], b.z);
        // The lower fish dips, the upper one climbs.
        const bool aLower = a.y <= b.y;
        a.Tilt(0, !aLower, TiltKind::Step);
        b.Tilt(0, aLower, TiltKind::Step);
        if (m > 50 || n > 50) {
            const bool aNearer = a.z <= b.z;
            a.Turn(0, !aNearer, TurnKind::Sidestep);
            b.Turn(0, aNearer, TurnKind::Sidestep);
        } else if ((a.aimMinusX && b.aimPlusX) || (a.aimPlusX && b.aimMinusX)) {
            Fish& smaller = a.size < b.size ? a : b;
            smaller.Turn(0, true, TurnKind::GiveWay);
        } else {
            const bool aInFront = a.aimMinusX ? a.x <= b.x : a.x >= b.x;
            Fish& front = aInFront ? a : b;
            Fish& behind = aInFront ? b : a;
            front.EaseSpeed(0.1f, behind.speed + 0.1f);
            behind.EaseSpeed(0.1f, front.speed - 0.1f);
        }
    }
}

void TouchResponse(Fish& fish) {
    fish.Turn(0, true, TurnKind::Dodge);
}

void ZoomResponse(Fish& fish, bool zoomIn) {
    fish.Resize(2, zoomIn);
}

} // namespace quelmarine
