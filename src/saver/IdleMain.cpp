// quelmarine-saver: the aquarium on every screen, for idle daemons (swayidle, hypridle,
// xss-lock, xautolock), on Wayland or X11, without Qt. It ends on any input or signal.

#include "saver/CommandLine.h"
#include "saver/IdleSaverRun.h"
#include "tank/platform/HeapArenas.h"
#include "tank/platform/ProgramNames.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    quelmarine::setUpHeap();
    using namespace quelmarine::saver;
    const std::string program = quelmarine::kIdleSaverName;
    const ParsedCommandLine parsed = parseCommandLine(argc, argv, Host::IdleDaemon);
    if (!parsed.ok) {
        std::fprintf(stderr, "%s\n", usageLine(program, parsed.error, Host::IdleDaemon).c_str());
        return 1;
    }
    if (parsed.options.help) {
        std::fputs(helpText(program, Host::IdleDaemon).c_str(), stdout);
        return 0;
    }
    return runIdleSaver(parsed.options);
}
