// Time from process start to the first frame on the screen: the real program's start-up,
// run as a separate process each time, in its own settings and runtime folders.
#include "BenchSupport.h"
#include "support/TempDir.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

// One start of the probe; the seconds from fork to its first frame, or a negative value.
double startOnce(const std::string& config, const std::string& runtime) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const long long started = monotonicNanoseconds();
    pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        execl(QUELMARINE_STARTUP_PROBE, QUELMARINE_STARTUP_PROBE, nullptr);
        _exit(127);
    }
    close(pipeEnds[1]);
    char buffer[64] = {};
    ssize_t count = read(pipeEnds[0], buffer, sizeof buffer - 1);
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (count <= 0 || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return double(std::atoll(buffer) - started) * 1e-9;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    if (!std::getenv("DISPLAY"))
        return state.SkipWithError("no X server");
    testsupport::TempDir folders;
    const std::string config = folders.file("config"), runtime = folders.file("runtime");
    mkdir(config.c_str(), 0700);
    mkdir(runtime.c_str(), 0700);
    startOnce(config, runtime); // the first start writes the settings file
    for (auto _ : state) {
        const double seconds = startOnce(config, runtime);
        if (seconds < 0)
            return state.SkipWithError("the program did not show a frame");
        state.SetIterationTime(seconds);
    }
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

} // namespace
