#pragma once
// The savers' command line, in XScreenSaver's conventions: every option may be written with one
// dash or two, and options that take a value accept it as the next word or after '='. The
// options are one table (commandLineOptions()): the parser, the usage line and --help of both
// savers are made from it, so that an option is one row.

#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quelmarine::saver {

// Where the saver draws.
enum class DrawTarget {
    OwnWindow, // a window of its own, for trying it out (the default, and -window)
    Root,      // $XSCREENSAVER_WINDOW when set (the daemon's window), else the root window
    WindowId   // the window given with -window-id
};

inline constexpr long kDefaultDelayMicroseconds = 33333; // 30 frames a second
inline constexpr long kLargestDelayMicroseconds = 10000000;

struct SaverOptions {
    DrawTarget target = DrawTarget::OwnWindow;
    unsigned long windowId = 0;
    long delayMicroseconds = kDefaultDelayMicroseconds;
    bool showFps = false;
    bool sound = false;
    bool help = false;
    std::string display; // -display NAME; empty: $DISPLAY

    friend bool operator==(const SaverOptions&, const SaverOptions&) = default;
};

// The two programs that read the table: the XScreenSaver host, which draws on a window it is
// given, and quelmarine-saver, which covers every screen itself for an idle daemon.
enum class Host { XScreenSaver, IdleDaemon };

// How the usage line and --help write an option: with one dash as X programs do (-root), with
// two as GNU programs do (--fps), or, in --help, both (-root, --root). Either is read.
enum class Dashes { One, Two, OneAndTwo };

// One row of the option table.
struct CommandLineOption {
    std::string_view name = {};  // without its dashes
    std::string_view alias = {}; // another name for it ("h" for "help"), or empty
    Dashes dashes = Dashes::One;
    std::string_view argument = {}; // what its value is called (e.g. "ID"); empty for a flag
    bool orPrevious = false;        // the usage line offers it as a choice with the row before
    // A flag (which refuses "=value"): what it sets.
    void (*setFlag)(SaverOptions&) = nullptr;
    // An option with a value: sets it from the value (none when the command line ends before
    // it) and returns what was wrong with it, or empty.
    std::string (*setValue)(SaverOptions&, const std::optional<std::string>& value) = nullptr;
    std::string_view help = {};    // its lines in --help, with '\n' between them
    bool xscreensaverOnly = false; // only the XScreenSaver host reads it (it names a window)
};

// Whether `host` reads the option.
bool readBy(const CommandLineOption& option, Host host);

// The saver's options, in the order of the usage line and --help.
std::span<const CommandLineOption> commandLineOptions();

struct ParsedCommandLine {
    bool ok = false;
    SaverOptions options;
    std::string error; // what was wrong, when not ok
};

// Reads the options `host` knows; any other is refused as unknown.
ParsedCommandLine parseCommandLine(int argc, const char* const* argv,
                                   Host host = Host::XScreenSaver);

// A window id as XScreenSaver writes it: "0x" followed by hex digits, or decimal digits. 0 when
// the text is no window id.
unsigned long parseWindowId(const std::string& text);

// The one-line message for a wrong command line.
std::string usageLine(const std::string& program, const std::string& error,
                      Host host = Host::XScreenSaver);
// What --help prints.
std::string helpText(const std::string& program, Host host = Host::XScreenSaver);

} // namespace quelmarine::saver
