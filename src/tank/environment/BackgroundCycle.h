#pragma once
// Which of the user's pictures is the background now: the background dialog's list of texture
// names, its play mode and its 200 ms tick, without any window. The desktop dialog and the
// screensaver share it.

#include "tank/environment/CustomImageList.h"

#include <cstdint>

namespace quelmarine {

class BackgroundCycle {
  public:
    static constexpr int kTickMilliseconds = 200;

    // Appends a picture's texture name. False, and nothing added, when the list is full. The
    // first picture added while the switch is on starts the cycling.
    bool addPicture(std::int32_t texture);
    // The "Use your own image" switch: on starts the cycling, off stops it.
    void setOwnImage(bool on);
    void setMode(CycleMode newMode) { mode = newMode; }

    void startCycling();
    void stopCycling();

    // One 200 ms tick with the interval text's value in seconds: the first tick after the
    // cycling starts switches at once, later ones every interval (rounded up to the tick).
    // True when the current picture was chosen anew.
    bool Tick(std::int32_t intervalSeconds);

    // The dialog's pick: −1 with no pictures or when not cycling; a click selects `row`;
    // otherwise the next one by the mode.
    std::int32_t pickPicture(int row, bool fromClick);

    std::int32_t currentTexture() const { return current; }
    // The row marked "ON", −1 for none.
    int currentRow() const { return rowOn; }
    int pictureCount() const { return count; }
    bool isCycling() const { return cycling; }
    bool ownImage() const { return switchOn; }

  private:
    int rowOf(std::int32_t texture) const;

    std::int32_t textures[kMaxCustomPictures] = {};
    int count = 0;
    std::int32_t current = 0;
    bool cycling = false;
    bool switchOn = false;
    CycleMode mode = CycleMode::RepeatOne;
    std::int32_t tickCounter = -1;
    int rowOn = -1;
};

} // namespace quelmarine
