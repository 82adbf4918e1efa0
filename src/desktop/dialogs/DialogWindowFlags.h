#pragma once
// How the program's dialogs present themselves to a window manager: a title bar with a close
// box and nothing else, no minimise or maximise button (Motif hints, which most window managers
// follow). Minimising a dialog minimises the window it belongs to as well in some window
// managers, and that would take the full-screen tank away with it; where a window manager
// offers the button all the same (openbox does, for every dialog), the frame's MinimiseGuard
// brings both back at once.

#include <Qt>

class QWidget;

namespace quelmarine {

Qt::WindowFlags dialogWindowFlags();

// Gives `dialog` those flags (before it is shown).
void useDialogWindowFlags(QWidget* dialog);

} // namespace quelmarine
