// The two programs side by side: time from process start to the first frame on the screen, and
// peak memory (resident set) over a few seconds of running. Each run is a separate process in
// its own settings and runtime folders.
#include "BenchSupport.h"
#include "support/TempDir.h"
#include "tank/platform/ProgramNames.h"
#include "tank/settings/SettingsKeys.h"

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <sstream>
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

// One start of the probe, with one extra environment entry unless `variable` is empty; what it
// printed: "first" (the first frame), "added" and "done" in seconds from the fork, "longest" in
// seconds. Empty on failure.
std::map<std::string, double> probeOnce(const std::string& config, const std::string& runtime,
                                        const std::string& variable, const std::string& value) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        return {};
    const long long started = monotonicNanoseconds();
    pid_t child = fork();
    if (child == 0) {
        dup2(pipeEnds[1], STDOUT_FILENO);
        close(pipeEnds[0]);
        setenv("XDG_CONFIG_HOME", config.c_str(), 1);
        setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
        if (!variable.empty())
            setenv(variable.c_str(), value.c_str(), 1);
        execl(QUELMARINE_STARTUP_PROBE, QUELMARINE_STARTUP_PROBE, nullptr);
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string text;
    char buffer[256];
    ssize_t count;
    while ((count = read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        text.append(buffer, std::size_t(count));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return {};
    std::map<std::string, double> values;
    std::istringstream in(text);
    long long first = 0;
    in >> first;
    values["first"] = double(first - started) * 1e-9;
    std::string label;
    long long v = 0;
    while (in >> label >> v)
        values[label] = double(label == "longest" ? v : v - started) * 1e-9;
    return values;
}

// Ten photos of 12 to 15 megapixels, half JPEG and half PNG, made once per run.
const std::vector<std::string>& tenPhotos(const std::string& folder) {
    static std::vector<std::string> photos;
    if (!photos.empty())
        return photos;
    const char* sizes[] = {"4000x3000", "4500x3000", "4240x3536", "4000x3000", "4500x3000"};
    for (int i = 0; i < 10; ++i) {
        const std::string path = folder + "photo" + std::to_string(i) + (i % 2 ? ".png" : ".jpg");
        const std::string command = "convert -size 400x300 -seed " + std::to_string(i + 1) +
                                    " plasma:fractal -blur 0x1 -resize " + sizes[i / 2] +
                                    "! -quality 90 '" + path + "' 2>/dev/null";
        if (std::system(command.c_str()) != 0)
            return photos;
        photos.push_back(path);
    }
    return photos;
}

std::string pictureSection(const std::vector<std::string>& paths) {
    std::string text = "[Custom Images]\nRandomImage=0\nCycImage=1\nRepeatImage=0\nOwnImage=1\n"
                       "ImageTime=5\nImageSum=" +
                       std::to_string(paths.size()) + "\n";
    for (std::size_t i = 0; i < paths.size(); ++i)
        text += "ImageList" + std::to_string(i) + "=" + paths[i] + "\n";
    return text;
}

// Start-up with ten saved photos and own pictures on: the first frame (the iteration time, to
// compare with BM_StartupToFirstFrame), when all ten are ready, and the longest wait of the
// user-interface thread meanwhile.
void BM_StartupWithTenPhotos(benchmark::State& state) {
    if (!std::getenv("DISPLAY"))
        return state.SkipWithError("no X server");
    static testsupport::TempDir media;
    const std::vector<std::string>& photos = tenPhotos(media.path());
    if (photos.size() != 10)
        return state.SkipWithError("the photos could not be made (convert)");
    testsupport::TempDir folders;
    const std::string config = folders.file("config"), runtime = folders.file("runtime");
    mkdir(config.c_str(), 0700);
    mkdir(runtime.c_str(), 0700);
    const std::string settingsFolder = config + "/" + quelmarine::kApplicationName;
    mkdir(settingsFolder.c_str(), 0700);
    testsupport::writeFile(settingsFolder + "/" + quelmarine::kSettingsFileName,
                           pictureSection(photos));
    std::vector<double> ready, longest;
    for (auto _ : state) {
        auto v = probeOnce(config, runtime, "QUELMARINE_PROBE_PICTURES", "10");
        if (!v.count("done"))
            return state.SkipWithError("the program did not load the ten photos");
        state.SetIterationTime(v["first"]);
        ready.push_back(v["done"]);
        longest.push_back(v["longest"]);
    }
    state.counters["all_ready_s"] = *std::max_element(ready.begin(), ready.end());
    state.counters["longest_wait_ms"] = 1000 * *std::max_element(longest.begin(), longest.end());
}
BENCHMARK(BM_StartupWithTenPhotos)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// "Add Image" of one 12-megapixel photo while the tank runs: the time until its row appears
// (the iteration time) and the longest wait of the user-interface thread meanwhile.
void BM_AddOnePhoto(benchmark::State& state) {
    if (!std::getenv("DISPLAY"))
        return state.SkipWithError("no X server");
    static testsupport::TempDir media;
    const std::vector<std::string>& photos = tenPhotos(media.path());
    if (photos.empty())
        return state.SkipWithError("the photos could not be made (convert)");
    testsupport::TempDir folders;
    const std::string config = folders.file("config"), runtime = folders.file("runtime");
    mkdir(config.c_str(), 0700);
    mkdir(runtime.c_str(), 0700);
    std::vector<double> longest;
    for (auto _ : state) {
        auto v = probeOnce(config, runtime, "QUELMARINE_PROBE_ADD", photos[0]);
        if (!v.count("done"))
            return state.SkipWithError("the photo was not added");
        state.SetIterationTime(v["done"] - v["added"]);
        longest.push_back(v["longest"]);
    }
    state.counters["longest_wait_ms"] = 1000 * *std::max_element(longest.begin(), longest.end());
}
BENCHMARK(BM_AddOnePhoto)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
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
