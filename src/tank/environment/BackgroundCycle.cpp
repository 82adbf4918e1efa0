#include "tank/environment/BackgroundCycle.h"

#include <cstdlib>

namespace quelmarine {

bool BackgroundCycle::addPicture(std::int32_t texture) {
    if (count >= kMaxCustomPictures)
        return false;
    textures[count++] = texture;
    if (count == 1 && switchOn)
        startCycling();
    return true;
}

void BackgroundCycle::setOwnImage(bool on) {
    switchOn = on;
    if (on)
        startCycling();
    else if (cycling)
        stopCycling();
}

void BackgroundCycle::startCycling() {
    cycling = true;
    tickCounter = -1;
}

void BackgroundCycle::stopCycling() {
    rowOn = -1;
    cycling = false;
}

int BackgroundCycle::rowOf(std::int32_t texture) const {
    for (int i = 0; i < count; ++i)
        if (textures[i] == texture)
            return i;
    return count;
}

std::int32_t BackgroundCycle::pickPicture(int row, bool fromClick) {
    if (count == 0 || !cycling)
        return -1;
    if (fromClick) {
        rowOn = row;
        return textures[row];
    }
    switch (mode) {
    case CycleMode::RepeatOne:
        // -1 (no picture, left by a tick on an empty list) counts as none: the first picture
        // added afterwards must show, not the empty name for ever.
        return current > 0 ? current : textures[0];
    case CycleMode::RepeatAll:
        return textures[(rowOf(current) + 1) % count];
    case CycleMode::Random:
        return textures[std::rand() % count];
    }
    return -1;
}

bool BackgroundCycle::Tick(std::int32_t intervalSeconds) {
    if (!cycling)
        return false;
    tickCounter += 1;
    if (tickCounter != 0 &&
        std::int64_t(tickCounter) * kTickMilliseconds < std::int64_t(intervalSeconds) * 1000)
        return false;
    current = pickPicture(0, false);
    tickCounter = 0;
    if (current != 0) {
        const int row = rowOf(current);
        rowOn = row < count ? row : -1;
    }
    return true;
}

} // namespace quelmarine
