#pragma once
// Without a display to draw on, Qt's X platform plugin aborts the process with a page of
// advice. The program checks first and ends with one line on standard error instead.

namespace quelmarine {

// True when the window system Qt will use can be reached. Only the X platform (Qt's default
// here) is probed; other platforms chosen with QT_QPA_PLATFORM are left to Qt.
bool displayReachable();

// The one line printed when it cannot: "quelmarine: cannot open display <name>".
void reportNoDisplay();

} // namespace quelmarine
