#pragma once
// What the Fish Settings dialog edits: the five counts as read from the settings file (shown
// as they are, without limits), the selected species, and the commands Add, Delete, Random and
// Clear. Cells are 100 x 90 pixels, side by side along the top of the picture.

#include <array>
#include <cstdint>

#include "tank/settings/AquariumSettings.h"

namespace quelmarine {

class FishCountEditor {
  public:
    static constexpr int kCellWidth = 100, kCellHeight = 90;
    // Below this y a click only clears the selection.
    static constexpr int kPictureBandBottom = 450;

    struct CellBox {
        int left, top, right, bottom;
    };
    // The box of species `index`'s cell in client pixels.
    static CellBox cell(int index);

    std::array<std::int32_t, kFishSpecies> counts{10, 10, 10, 10, 10};
    int selection = -1;
    int previousSelection = -1;

    // Every count from the "Fish Number" section of the settings file (empty reads as 0).
    void load();
    // Writes Fish0 ... Fish4 (one atomic store of the file), then hands the counts to the
    // running tank. The tank gets them even when the file cannot be written.
    void save() const;

    long total() const;
    // A left press at client point (x, y): selects the species under it or clears the
    // selection.
    void press(int x, int y);
    // The commands; each returns whether any count changed.
    bool add();
    bool remove();
    bool randomize(); // also clears the selection
    bool clear();
};

} // namespace quelmarine
