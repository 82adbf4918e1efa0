// The two programs side by side: time from process start to the first frame on the screen, and
// peak memory (resident set) over a few seconds of running. Each run is a separate process in
// its own settings and runtime folders.
#include "BenchSupport.h"
#include "support/TempDir.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

long long monotonicNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (long long)now.tv_sec * 1000000000LL + now.tv_nsec;
}

// Private settings and runtime folders for the runs of one benchmark.
struct Folders {
    Folders() {
        mkdir(config.c_str(), 0700);
        mkdir(runtime.c_str(), 0700);
    }
    testsupport::TempDir dir;
    std::string config = dir.file("config"), runtime = dir.file("runtime");
};

// Starts `program` with `arguments` in the given folders, standard output to `outputFd`.
pid_t startProgram(const Folders& folders, const char* program,
                   const std::vector<const char*>& arguments, int outputFd) {
    pid_t child = fork();
    if (child == 0) {
        if (outputFd >= 0)
            dup2(outputFd, STDOUT_FILENO);
        setenv("XDG_CONFIG_HOME", folders.config.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", folders.runtime.c_str(), 1);
        std::vector<char*> argv{const_cast<char*>(program)};
        for (const char* a : arguments)
            argv.push_back(const_cast<char*>(a));
        argv.push_back(nullptr);
        execv(program, argv.data());
        _exit(127);
    }
    return child;
}

// One start of a probe; the seconds from fork to its first frame, or a negative value.
double startOnce(const Folders& folders, const char* probe) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return -1;
    const long long started = monotonicNanoseconds();
    pid_t child = startProgram(folders, probe, {}, pipeEnds[1]);
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

void startupToFirstFrame(benchmark::State& state, const char* probe) {
    if (!std::getenv("DISPLAY"))
        return state.SkipWithError("no X server");
    Folders folders;
    startOnce(folders, probe); // the first start of the desktop program writes the settings
    for (auto _ : state) {
        const double seconds = startOnce(folders, probe);
        if (seconds < 0)
            return state.SkipWithError("the program did not show a frame");
        state.SetIterationTime(seconds);
    }
}

// Runs the real program for `seconds`, ends it with SIGTERM and reports its peak resident set.
void peakMemory(benchmark::State& state, const char* program,
                const std::vector<const char*>& arguments) {
    if (!std::getenv("DISPLAY"))
        return state.SkipWithError("no X server");
    constexpr unsigned kRunSeconds = 3;
    Folders folders;
    double peakMiB = 0;
    for (auto _ : state) {
        const pid_t child = startProgram(folders, program, arguments, -1);
        sleep(kRunSeconds);
        kill(child, SIGTERM);
        int status = 0;
        rusage usage{};
        wait4(child, &status, 0, &usage);
        peakMiB = double(usage.ru_maxrss) / 1024.0;
        state.SetIterationTime(kRunSeconds);
    }
    state.counters["peak_rss_MiB"] = peakMiB;
}

void BM_StartupToFirstFrame(benchmark::State& state) {
    startupToFirstFrame(state, QUELMARINE_STARTUP_PROBE);
}
BENCHMARK(BM_StartupToFirstFrame)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

void BM_SaverStartupToFirstFrame(benchmark::State& state) {
    startupToFirstFrame(state, QUELMARINE_SAVER_STARTUP_PROBE);
}
BENCHMARK(BM_SaverStartupToFirstFrame)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);

void BM_PeakMemoryDesktop(benchmark::State& state) {
    peakMemory(state, QUELMARINE_DESKTOP_PROGRAM, {});
}
BENCHMARK(BM_PeakMemoryDesktop)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void BM_PeakMemorySaver(benchmark::State& state) {
    peakMemory(state, QUELMARINE_SAVER_PROGRAM, {"-root"});
}
BENCHMARK(BM_PeakMemorySaver)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
