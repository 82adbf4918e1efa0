#pragma once
// Dialog boxes are laid out in dialog units, converted with the base units of an 8-point
// MS Sans Serif dialog: a horizontal unit is 1.5 pixels and a vertical one 1.625 (rounded at
// each edge, as the classic conversion does). And the dialog font: the desktop's sans serif
// face, at the largest size that lets every caption fit its box.

#include <QFont>
#include <QRect>
#include <QString>
#include <vector>

namespace quelmarine {

// One unit edge to pixels, rounded half away from zero.
int dialogUnitsToPixelsX(int units);
int dialogUnitsToPixelsY(int units);
// A box (x, y, width, height) in dialog units to pixels; the edges are converted, so boxes
// that touch in units touch in pixels.
QRect dialogUnitsToPixels(int x, int y, int width, int height);

struct CaptionBox {
    QString caption; // "&" marks an access key and takes no room
    QSize box;       // pixels
};

// The desktop's sans serif face at the largest size (8 points or smaller, in steps of half a
// point, down to 6) at which every caption fits its box on one line.
QFont fittedDialogFont(const std::vector<CaptionBox>& captions);

} // namespace quelmarine
