#pragma once
// Command ids of the popup menu. The view's mode is the id of the last command it received;
// the first four give left clicks a meaning.

namespace quelmarine {

inline constexpr int kCommandAddDeleteFish = 1034;
inline constexpr int kModeTouchFish = 1035;
inline constexpr int kModeFeedFish = 1036;
inline constexpr int kModeZoomInFish = 1037;
inline constexpr int kModeZoomOutFish = 1038;
inline constexpr int kCommandExit = 1042;
inline constexpr int kCommandCustomMusic = 1050;
inline constexpr int kCommandCustomBackground = 1052;

inline constexpr bool isFishPickingMode(int mode) {
    return mode == kModeTouchFish || mode == kModeZoomInFish || mode == kModeZoomOutFish;
}

} // namespace quelmarine
