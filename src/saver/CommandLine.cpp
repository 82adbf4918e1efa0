#include "saver/CommandLine.h"

#include <algorithm>
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

using Value = std::optional<std::string>;

std::string setWindowId(SaverOptions& options, const Value& text) {
    if (!text)
        return "-window-id needs a window id";
    options.windowId = parseWindowId(*text);
    if (options.windowId == 0)
        return "'" + *text + "' is no window id";
    options.target = DrawTarget::WindowId;
    return {};
}

std::string setDelay(SaverOptions& options, const Value& text) {
    if (!text || !parseDelay(*text, options.delayMicroseconds))
        return "--delay needs microseconds from 0 to " + std::to_string(kLargestDelayMicroseconds);
    return {};
}

std::string setDisplay(SaverOptions& options, const Value& text) {
    if (!text || text->empty())
        return "-display needs a display name";
    options.display = *text;
    return {};
}

// The options: to add one, add a row.
const CommandLineOption kOptions[] = {
    {.name = "root",
     .dashes = Dashes::OneAndTwo,
     .setFlag = [](SaverOptions& options) { options.target = DrawTarget::Root; },
     .help = "draw on $XSCREENSAVER_WINDOW (the screensaver's window),\n"
             "or on the root window when it is not set",
     .xscreensaverOnly = true},
    {.name = "window-id",
     .argument = "ID",
     .orPrevious = true,
     .setValue = setWindowId,
     .help = "draw on the window ID (hex with 0x, or decimal)",
     .xscreensaverOnly = true},
    {.name = "window",
     .orPrevious = true,
     .setFlag = [](SaverOptions& options) { options.target = DrawTarget::OwnWindow; },
     .help = "open a window of its own (the default; for trying it out)",
     .xscreensaverOnly = true},
    {.name = "delay",
     .dashes = Dashes::Two,
     .argument = "MICROSECONDS",
     .setValue = setDelay,
     .help = "time from one frame to the next (default 33333: 30 a second)"},
    {.name = "fps",
     .dashes = Dashes::Two,
     .setFlag = [](SaverOptions& options) { options.showFps = true; },
     .help = "show the frame rate"},
    {.name = "sound",
     .dashes = Dashes::Two,
     .setFlag = [](SaverOptions& options) { options.sound = true; },
     .help = "play the ambient sound (silent without it)"},
    {.name = "display",
     .argument = "NAME",
     .setValue = setDisplay,
     .help = "the X display to use (default $DISPLAY)"},
    {.name = "help",
     .alias = "h",
     .dashes = Dashes::Two,
     .setFlag = [](SaverOptions& options) { options.help = true; },
     .help = "show this text"},
};
static_assert(kDefaultDelayMicroseconds == 33333, "the help of --delay names the default");

const CommandLineOption* findOption(std::string_view name, Host host) {
    for (const CommandLineOption& option : kOptions) {
        if (readBy(option, host) && !name.empty() && (name == option.name || name == option.alias))
            return &option;
    }
    return nullptr;
}

// The option as the usage line writes it ("-window-id ID"), or with both dashes where --help
// writes them ("-root, --root").
std::string spelled(const CommandLineOption& option, bool bothDashes) {
    const std::string name(option.name);
    std::string text = (option.dashes == Dashes::Two ? "--" : "-") + name;
    if (bothDashes && option.dashes == Dashes::OneAndTwo)
        text += ", --" + name;
    if (!option.argument.empty())
        text += " " + std::string(option.argument);
    return text;
}

} // namespace

std::span<const CommandLineOption> commandLineOptions() {
    return kOptions;
}

bool readBy(const CommandLineOption& option, Host host) {
    return host == Host::XScreenSaver || !option.xscreensaverOnly;
}

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

ParsedCommandLine parseCommandLine(int argc, const char* const* argv, Host host) {
    ParsedCommandLine result;
    auto failed = [&](std::string error) {
        result.error = std::move(error);
        return result;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string word = argv[i];
        std::string_view inlineValue;
        const bool hasInlineValue = word.find('=') != std::string::npos;
        const CommandLineOption* option = findOption(optionName(word, inlineValue), host);
        if (!option || (option->setFlag && hasInlineValue))
            return failed("unknown option '" + word + "'");
        if (option->setFlag) {
            option->setFlag(result.options);
            continue;
        }
        // The value: after '=', else the next word.
        Value value;
        if (hasInlineValue)
            value = std::string(inlineValue);
        else if (i + 1 < argc)
            value = argv[++i];
        std::string error = option->setValue(result.options, value);
        if (!error.empty())
            return failed(std::move(error));
    }
    result.ok = true;
    return result;
}

std::string usageLine(const std::string& program, const std::string& error, Host host) {
    std::string line = program + ": " + error + "; usage: " + program;
    bool first = true, choice = false;
    for (const CommandLineOption& option : kOptions) {
        if (!readBy(option, host))
            continue;
        if (option.orPrevious && choice)
            line += " | ";
        else
            line += (first ? " [" : "] [");
        first = false;
        choice = true;
        line += spelled(option, false);
    }
    return line + "]";
}

std::string helpText(const std::string& program, Host host) {
    std::size_t widest = 0;
    for (const CommandLineOption& option : kOptions)
        if (readBy(option, host))
            widest = std::max(widest, spelled(option, true).size());
    const std::string indent(2 + widest + 3, ' '); // where the help column starts
    const char* what =
        host == Host::XScreenSaver
            ? "Quelmarine Fish 3D Screensaver: the aquarium for XScreenSaver.\n"
            : "Quelmarine Fish 3D Screensaver: the aquarium on every screen, for idle daemons.\n"
              "Any key, button or mouse movement ends it, as SIGTERM and SIGINT do.\n";
    std::string text = "Usage: " + program + " [OPTION]...\n" + what + "\n";
    for (const CommandLineOption& option : kOptions) {
        if (!readBy(option, host))
            continue;
        std::string line = "  " + spelled(option, true);
        line.resize(indent.size(), ' ');
        for (const char c : option.help)
            line += c == '\n' ? "\n" + indent : std::string(1, c);
        text += line + "\n";
    }
    return text +
           "\n"
           "It shows the settings of the desktop program (quelmarine) and never changes them.\n";
}

} // namespace quelmarine::saver
