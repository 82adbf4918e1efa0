#pragma once
// Where a dialog opens when another one is already open: beside it, never on top of it.

#include <QRect>

namespace quelmarine {

struct DialogPlaces {
    QRect opening; // the frame of the dialog that opens
    QRect open;    // the frame of the dialog already open (moved only when it must make room)
};

// Places a dialog whose frame is `opening` (its wanted place, centred) beside the open dialog
// `open`, both in `area` (the screen's available part), `gap` pixels apart: where it is, when
// the two do not meet; else on whichever side of the open one has room; else the open one
// moves over just far enough for the two to stand side by side; and on a screen too narrow
// for both, the new one lies a title bar's height below and right of the open one, its title
// and the open one's both in sight.
DialogPlaces placeBeside(QRect opening, QRect open, QRect area, int gap, int titleHeight);

} // namespace quelmarine
