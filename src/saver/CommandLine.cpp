#include "saver/CommandLine.h"

#include <cerrno>
#include <cstdlib>
#include <string_view>

namespace quelmarine::saver {

namespace {

// The option's name without its one or two leading dashes and without "=value"; empty when the
// word is not an option.
std::string_view optionName(std::string_view word, std::string_view& inlineValue) {
    if (word.size() < 2 || word[0] != '-')
        return {};
    word.remove_prefix(word[1] == '-' ? 2 : 1);
    const std::size_t equals = word.find('=');
    if (equals != std::string_view::npos) {
        inlineValue = word.substr(equals + 1);
        word = word.substr(0, equals);
    }
    return word;
}

bool parseDelay(const std::string& text, long& delay) {
    if (text.empty() || text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    errno = 0;
    const long value = std::strtol(text.c_str(), nullptr, 10);
    if (errno != 0 || value > kLargestDelayMicroseconds)
        return false;
    delay = value;
    return true;
}

} // namespace

unsigned long parseWindowId(const std::string& text) {
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    const std::string digits = hex ? text.substr(2) : text;
    const char* allowed = hex ? "0123456789abcdefABCDEF" : "0123456789";
    if (digits.empty() || digits.size() > 16 ||
        digits.find_first_not_of(allowed) != std::string::npos)
        return 0;
    errno = 0;
    const unsigned long id = std::strtoul(digits.c_str(), nullptr, hex ? 16 : 10);
    return errno == 0 ? id : 0;
}

ParsedCommandLine parseCommandLine(int argc, const char* const* argv) {
    ParsedCommandLine result;
    SaverOptions& options = result.options;
    auto failed = [&](std::string error) {
        result.error = std::move(error);
        return result;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        std::string_view inlineValue;
        bool hasInlineValue = word.find('=') != std::string::npos;
        const std::string name(optionName(word, inlineValue));
        // The value of an option that takes one: after '=', else the next word.
        auto value = [&](std::string& out) {
            if (hasInlineValue) {
                out = std::string(inlineValue);
                return true;
            }
            if (i + 1 >= argc)
                return false;
            out = argv[++i];
            return true;
        };
        std::string text;
        if (name == "root" && !hasInlineValue) {
            options.target = DrawTarget::Root;
        } else if (name == "window" && !hasInlineValue) {
            options.target = DrawTarget::OwnWindow;
        } else if (name == "window-id") {
            if (!value(text))
                return failed("-window-id needs a window id");
            options.windowId = parseWindowId(text);
            if (options.windowId == 0)
                return failed("'" + text + "' is no window id");
            options.target = DrawTarget::WindowId;
        } else if (name == "delay") {
            if (!value(text) || !parseDelay(text, options.delayMicroseconds))
                return failed("--delay needs microseconds from 0 to " +
                              std::to_string(kLargestDelayMicroseconds));
        } else if (name == "display") {
            if (!value(text) || text.empty())
                return failed("-display needs a display name");
            options.display = text;
        } else if (name == "fps" && !hasInlineValue) {
            options.showFps = true;
        } else if (name == "sound" && !hasInlineValue) {
            options.sound = true;
        } else if ((name == "help" || name == "h") && !hasInlineValue) {
            options.help = true;
        } else {
            return failed("unknown option '" + word + "'");
        }
    }
    result.ok = true;
    return result;
}

std::string usageLine(const std::string& program, const std::string& error) {
    return program + ": " + error + "; usage: " + program +
           " [-root | -window | -window-id ID] [--delay MICROSECONDS] [--fps] [--sound] [--help]";
}

std::string helpText(const std::string& program) {
    return "Usage: " + program +
           " [OPTION]...\n"
           "Quelmarine Fish 3D Screensaver: the aquarium for XScreenSaver.\n"
           "\n"
           "  -root, --root          draw on $XSCREENSAVER_WINDOW (the screensaver's window),\n"
           "                         or on the root window when it is not set\n"
           "  -window-id ID          draw on the window ID (hex with 0x, or decimal)\n"
           "  -window                open a window of its own (the default; for trying it out)\n"
           "  --delay MICROSECONDS   pause between frames (default 10000)\n"
           "  --fps                  show the frame rate\n"
           "  --sound                play the ambient sound (silent without it)\n"
           "  -display NAME          the X display to use (default $DISPLAY)\n"
           "  --help                 show this text\n"
           "\n"
           "It shows the settings of the desktop program (quelmarine) and never changes them.\n";
}

} // namespace quelmarine::saver
