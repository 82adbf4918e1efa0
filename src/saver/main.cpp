// Quelmarine Fish 3D Screensaver for XScreenSaver: the aquarium on the window the daemon
// gives, without Qt.

#include "saver/CommandLine.h"
#include "saver/SaverRun.h"
#include "tank/platform/HeapArenas.h"
#include "tank/platform/ProgramNames.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv) {
    quelmarine::setUpHeap();
    using namespace quelmarine::saver;
    const std::string program = quelmarine::kProgramName;
    const ParsedCommandLine parsed = parseCommandLine(argc, argv);
    if (!parsed.ok) {
        std::fprintf(stderr, "%s\n", usageLine(program, parsed.error).c_str());
        return 1;
    }
    if (parsed.options.help) {
        std::fputs(helpText(program).c_str(), stdout);
        return 0;
    }
    return runSaver(parsed.options);
}
