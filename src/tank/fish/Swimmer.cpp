#include "tank/fish/Swimmer.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace quelmarine {

namespace {
constexpr float kDegreesToRadians = 0.017453292f;
} // namespace

bool headsMinusX(float h) {
    return (h >= 0 && h <= 90) || (h >= 270 && h <= 360) || (h >= -90 && h <= 0) ||
           (h >= -360 && h <= -270);
}

bool headsPlusZ(float h) {
    return (h >= 0 && h <= 180) || (h >= -360 && h <= -180);
}

void Swimmer::SetBounds(float left, float right, float yTop, float yBottom, float back,
                        float front) {
    xMin = left;
    xMax = right;
    yMax = yTop + 10;
    yMin = yBottom + 5;
    zMin = back;
    zMax = front;
}

bool Swimmer::turning() const {
    return std::fabs(heading - targetHeading) > 0.1f;
}

void Swimmer::Turn(float amount, bool dir, TurnKind kind) {
    if (turning())
        return;
    auto sided = [&](float r) { targetHeading += (dir != movingMinusX) ? r : -r; };
    switch (kind) {
    case TurnKind::Random: {
        const float r = float(std::rand() % 170);
        targetHeading += targetHeading > 180 ? -r : r;
        break;
    }
    case TurnKind::Reverse:
        targetHeading += targetHeading > 180 ? -180.0f : 180.0f;
        break;
    case TurnKind::Nudge:
        sided(float(std::rand() % rules.nudgeModulo));
        break;
    case TurnKind::Dodge:
        if (InDepthBand()) {
            if (targetHeading > 0 && targetHeading <= 180)
                targetHeading += 90;
            else if (targetHeading > 180)
                targetHeading -= 90;
            else if (targetHeading >= -180)
                targetHeading -= 90;
            else
                targetHeading += 90;
        }
        break;
    case TurnKind::Sidestep:
        sided(float(10 + std::rand() % 10));
        break;
    case TurnKind::GiveWay:
        targetHeading += dir == movingMinusX ? -180.0f : 180.0f;
        break;
    case TurnKind::Steer:
        sided(float(int(std::fabs(amount))));
        break;
    }
    targetHeading = std::clamp(targetHeading, -360.0f, 360.0f);
}

void Swimmer::Tilt(float amount, bool dir, TiltKind kind) {
    switch (kind) {
    case TiltKind::Steer:
        if (targetPitch + amount > 90 || targetPitch - amount < -90)
            return;
        targetPitch += dir ? amount : -amount;
        break;
    case TiltKind::Random: {
        const float r = float(15 + std::rand() % 15);
        targetPitch += targetPitch > 0 ? -r : r;
        break;
    }
    case TiltKind::Mirror:
        targetPitch = -targetPitch;
        break;
    case TiltKind::Step:
        targetPitch += dir ? 1.0f : -1.0f;
        break;
    }
    targetPitch = std::clamp(targetPitch, -45.0f, 45.0f);
}

float Swimmer::WanderStep(int wanderAfter, int restartSpan) {
    if (wanderTimer++ <= wanderAfter)
        return -1.0f;
    wanderTimer = std::rand() % restartSpan;
    const float v = 0.1f * float(1 + std::rand() % 4);
    EaseSpeed(0.05f, v);
    if (std::fabs(heading - targetHeading) < 0.01f) {
        if (z > -75 && z < -60)
            Turn(0, true, TurnKind::Random);
        if (z > -90 && z < -75)
            Turn(0, false, TurnKind::Random);
        Tilt(0, false, TiltKind::Random);
    }
    return v;
}

void Swimmer::EaseSpeed(float step, float target) {
    if (rules.easeStepsBack) {
        if (speed < target)
            speed += step;
        if (speed > target)
            speed -= step;
    } else if (speed < target) {
        speed += step;
    } else if (speed > target) {
        speed -= step;
    }
    speed = std::clamp(speed, rules.minSpeed, rules.maxSpeed);
}

bool Swimmer::InDepthBand() const {
    return (z > -75 && z < -60) || (z > -90 && z < -75);
}

void Swimmer::UpdateDirectionFlags() {
    movingMinusX = headsMinusX(heading);
    movingPlusX = !movingMinusX;
    movingPlusZ = headsPlusZ(heading);
    movingMinusZ = !movingPlusZ;
    pitchUp = pitch > 0;
    pitchDown = pitch < 0;
    aimMinusX = headsMinusX(targetHeading);
    aimPlusX = !aimMinusX;
    aimPlusZ = headsPlusZ(targetHeading);
    aimMinusZ = !aimPlusZ;
    aimUp = targetPitch > 0;
    aimDown = targetPitch < 0;
}

void Swimmer::Move() {
    if (heading > 360)
        heading = 180;
    if (heading < -360)
        heading = -180;
    UpdateDirectionFlags();
    const bool sideWall = lastWall == Wall::Left || lastWall == Wall::Right;
    if (std::fabs(heading - targetHeading) > 15 && sideWall)
        return;
    const float a = heading * kDegreesToRadians, b = targetPitch * kDegreesToRadians;
    const float dx = std::fabs(std::cos(a) * speed), dz = std::fabs(std::sin(a) * speed);
    if (movingMinusX) {
        if (lastWall != Wall::Left)
            x -= dx;
    } else if (lastWall != Wall::Right) {
        x += dx;
    }
    if (movingPlusZ) {
        if (lastWall != Wall::Front)
            z += dz;
    } else {
        z -= dz;
    }
    y += std::sin(b) * speed;
    ApplyWalls();
}

void Swimmer::ApplyWalls() {
    const float slow = rules.wallSpeed;
    lastWall = Wall::None;
    if (x < xMin + 10 || x > xMax - 10)
        EaseSpeed(0.01f, slow);
    if (x < xMin && aimMinusX) {
        Turn(0, false, TurnKind::Reverse);
        lastWall = Wall::Left;
        x += 0.1f;
    }
    if (x > xMax && aimPlusX) {
        Turn(0, false, TurnKind::Reverse);
        lastWall = Wall::Right;
        x -= 0.1f;
    }
    if (z < zMin + 2) {
        EaseSpeed(0.1f, slow);
        if (aimMinusZ) {
            Turn(0, false, TurnKind::Nudge);
            z = zMin + 2;
        } else if (movingMinusZ) {
            // Already aimed forward but still swinging round (a turn toward a target near 0
            // steps one degree every third frame): hold the back line instead of swimming
            // through the back of the tank behind the picture.
            z = zMin + 2;
        }
    }
    // The fixed front band: only a swimmer whose position is relative to a point in the
    // middle of the tank (the food fish) ever gets here.
    if (z > -20) {
        if (z < -8) {
            EaseSpeed(0.1f, slow);
            if (aimMinusZ)
                Turn(0, false, TurnKind::Nudge);
        }
        if (z < -9)
            z = -9;
    }
    if (z > zMax - 5)
        EaseSpeed(0.01f, slow);
    if (z > zMax && aimPlusZ) {
        Turn(0, true, TurnKind::Nudge);
        lastWall = Wall::Front;
    }
    if (y >= yMax) {
        Tilt(0, false, TiltKind::Mirror);
        y = yMax;
        lastWall = Wall::Top;
        EaseSpeed(0.1f, slow);
    }
    if (y <= yMin) {
        Tilt(0, true, TiltKind::Mirror);
        y = yMin;
        lastWall = Wall::Bottom;
        EaseSpeed(0.1f, slow);
    }
}

void Swimmer::EasePitch() {
    if (pitch < targetPitch)
        pitch += 1;
    if (pitch > targetPitch)
        pitch -= 1;
}

void Swimmer::ComputeTurnYaw(float* yaw, int count, float target, bool copyFirst) {
    const bool wallSnap = lastWall == Wall::Left || lastWall == Wall::Right;
    if (std::fabs(turnTarget - target) > 0.01f) {
        turnReached = false;
        turnSettled = false;
        turnTarget = target;
    }
    float step = 10;
    if (std::fabs(target) < 10)
        step = 3;
    if (std::fabs(target) < 5)
        step = 1;
    if (eating)
        step = 10;
    if (wallSnap)
        step = target;

    if (turnTick++ > 1) {
        turnTick = 0;
        if (!turnReached) {
            if (heading < target) {
                heading += step;
                if (heading > target)
                    heading = target;
            } else {
                heading -= step;
                if (heading < target)
                    heading = target;
            }
            if (int(heading - target) == 0)
                turnReached = true;
        }
    }

    if (!turnReached) {
        const float spread = std::fabs(heading - turnTarget) / float(count - 1);
        for (int i = 0; i < count; ++i) {
            if (heading < target)
                yaw[i] = heading - float(i) * spread;
            else if (heading > target)
                yaw[i] = heading + float(i) * spread;
            else
                yaw[i] = heading;
            segmentYaw[i] = int(yaw[i]);
        }
        if (copyFirst) {
            yaw[0] = yaw[1];
            segmentYaw[0] = segmentYaw[1];
        }
        if (wallSnap) {
            for (int i = 0; i < count; ++i) {
                yaw[i] = target;
                segmentYaw[i] = int(target);
            }
            heading = targetHeading;
        }
    }

    if (turnReached && !turnSettled) {
        const int catchUp = eating ? 10 : 2;
        const int goal = int(target);
        bool changed = false;
        for (int i = 0; i < count; ++i) {
            const int before = segmentYaw[i];
            int& s = segmentYaw[i];
            if (float(s) < target) {
                s += catchUp;
                if (float(s) > target)
                    s = goal;
            }
            if (float(s) > target) {
                s -= catchUp;
                if (float(s) < target)
                    s = goal;
            }
            changed = changed || s != before;
        }
        if (!changed)
            turnSettled = true;
    }

    if (turnReached)
        for (int i = 0; i < count; ++i)
            yaw[i] = float(segmentYaw[i]);
}

} // namespace quelmarine
