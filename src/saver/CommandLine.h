#pragma once
// The screensaver's command line, in XScreenSaver's conventions: every option may be written
// with one dash or two, and options that take a value accept it as the next word or after '='.

#include <string>

namespace quelmarine::saver {

// Where the saver draws.
enum class DrawTarget {
    OwnWindow, // a window of its own, for trying it out (the default, and -window)
    Root,      // $XSCREENSAVER_WINDOW when set (the daemon's window), else the root window
    WindowId   // the window given with -window-id
};

inline constexpr long kDefaultDelayMicroseconds = 10000;
inline constexpr long kLargestDelayMicroseconds = 10000000;

struct SaverOptions {
    DrawTarget target = DrawTarget::OwnWindow;
    unsigned long windowId = 0;
    long delayMicroseconds = kDefaultDelayMicroseconds;
    bool showFps = false;
    bool sound = false;
    bool help = false;
    std::string display; // -display NAME; empty: $DISPLAY
};

struct ParsedCommandLine {
    bool ok = false;
    SaverOptions options;
    std::string error; // what was wrong, when not ok
};

ParsedCommandLine parseCommandLine(int argc, const char* const* argv);

// A window id as XScreenSaver writes it: "0x" followed by hex digits, or decimal digits. 0 when
// the text is no window id.
unsigned long parseWindowId(const std::string& text);

// The one-line message for a wrong command line.
std::string usageLine(const std::string& program, const std::string& error);
// What --help prints.
std::string helpText(const std::string& program);

} // namespace quelmarine::saver
