// Time from the "  Add/Delete Fish" command to the Fish Settings dialog's first paint on the
// screen, with the tank running behind it: the real program in a separate process, which opens
// the dialog nine times. Each iteration is one opening; the counter `first_ms` is the first
// opening of the run (the one that loads the picture).
#include <benchmark/benchmark.h>

#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

std::vector<double> openingTimes() {
    testsupport::TempDir folders;
    const std::string config = folders.file("config"), runtime = folders.file("runtime");
    mkdir(config.c_str(), 0700);
    mkdir(runtime.c_str(), 0700);
    const std::string command = "XDG_CONFIG_HOME='" + config + "' XDG_RUNTIME_DIR='" + runtime +
                                "' '" QUELMARINE_DIALOG_PROBE "' 2>/dev/null";
    std::vector<double> times;
    if (FILE* probe = popen(command.c_str(), "r")) {
        double ms = 0;
        while (std::fscanf(probe, "%lf", &ms) == 1)
            times.push_back(ms);
        pclose(probe);
    }
    return times;
}

void BM_FishDialogOpen(benchmark::State& state) {
    if (!std::getenv("DISPLAY"))
        return state.SkipWithError("no X server");
    const std::vector<double> times = openingTimes();
    if (times.size() < 9 || times.front() < 0)
        return state.SkipWithError("the dialog did not open");
    std::size_t next = 0;
    for (auto _ : state)
        state.SetIterationTime(times[next++ % times.size()] / 1000.0);
    state.counters["first_ms"] = times.front();
}
BENCHMARK(BM_FishDialogOpen)->UseManualTime()->Iterations(9)->Unit(benchmark::kMillisecond);

} // namespace
