#pragma once
// The saver's connection to the X server, shared by the XScreenSaver host's window and the
// stand-alone saver's X11 back end.

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

#include "saver/CommandLine.h"

namespace quelmarine::saver {

// Opens the display the options name (else $DISPLAY). Once open, a lost connection (the server
// ended) removes this process's asset folder and ends the process with status 1. Null, with
// `error` set, when it cannot be opened.
Display* openSaverDisplay(const SaverOptions& options, std::string& error);

// The visual the tank is drawn with: double-buffered RGB with 8 bits a channel and a 24-bit
// depth buffer. Null, with `error` set, when the screen has none; else free it with XFree.
XVisualInfo* chooseSaverVisual(Display* display, int screen, std::string& error);

} // namespace quelmarine::saver
