#include "PulseNullSink.h"

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

extern char** environ;

namespace testsupport {

pid_t spawnProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                   const std::string& stdoutFile) {
    std::vector<std::string> envStrings;
    for (char** e = environ; *e; ++e)
        envStrings.emplace_back(*e);
    for (const auto& entry : extraEnv) {
        const std::string key = entry.substr(0, entry.find('=') + 1);
        std::erase_if(envStrings, [&](const std::string& s) { return s.rfind(key, 0) == 0; });
        envStrings.push_back(entry);
    }
    std::vector<char*> args, env;
    for (const auto& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    for (const auto& e : envStrings)
        env.push_back(const_cast<char*>(e.c_str()));
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    if (!stdoutFile.empty())
        posix_spawn_file_actions_addopen(&actions, 1, stdoutFile.c_str(),
                                         O_WRONLY | O_CREAT | O_TRUNC, 0600);
    else
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int result = posix_spawnp(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    return result == 0 ? pid : -1;
}

namespace {

bool waitForExit(pid_t pid, std::chrono::milliseconds limit, int* status = nullptr) {
    const auto end = std::chrono::steady_clock::now() + limit;
    int s = 0;
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &s, WNOHANG) == pid) {
            if (status)
                *status = s;
            return true;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
}

void endProcess(pid_t pid) {
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    if (!waitForExit(pid, std::chrono::milliseconds(3000))) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace

PulseNullSink& PulseNullSink::shared() {
    static PulseNullSink sink;
    return sink;
}

PulseNullSink::PulseNullSink() {
    if (folder.path().empty()) {
        why = "no temporary folder for the PulseAudio server";
        return;
    }
    const std::string dir = folder.path();
    // The server keeps its cookie, state and socket in the folder; as root it warns that it is
    // meant for ordinary users but runs a per-user server all the same.
    const std::vector<std::string> env = {"HOME=" + dir, "XDG_RUNTIME_DIR=" + dir,
                                          "XDG_CONFIG_HOME=" + dir, "XDG_STATE_HOME=" + dir,
                                          "PULSE_RUNTIME_PATH=" + dir};
    server = spawnProcess(
        {"pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
         "--disable-shm=yes", "--log-target=stderr",
         std::string("--load=module-null-sink sink_name=") + kSinkName + " rate=44100 channels=2",
         "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socketPath()},
        env);
    if (server <= 0) {
        why = "pulseaudio could not be started (is it installed?)";
        return;
    }
    // Ready once a client can talk to it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        int status = 0;
        if (waitpid(server, &status, WNOHANG) == server) {
            server = -1;
            why = "pulseaudio ended at start-up";
            return;
        }
        struct stat info {};
        if (stat(socketPath().c_str(), &info) == 0) {
            const pid_t probe = spawnProcess({"pactl", "-s", "unix:" + socketPath(), "info"}, {});
            int probeStatus = 0;
            if (probe > 0 && waitForExit(probe, std::chrono::milliseconds(3000), &probeStatus) &&
                WIFEXITED(probeStatus) && WEXITSTATUS(probeStatus) == 0) {
                setenv("PULSE_SERVER", ("unix:" + socketPath()).c_str(), 1);
                return;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    endProcess(server);
    server = -1;
    why = "pulseaudio did not accept clients within 5 s";
}

PulseNullSink::~PulseNullSink() {
    endProcess(server);
}

PulseNullSink::Recording::Recording(const PulseNullSink& sink, int rate)
    : file(sink.folder.file("recording.raw")) {
    recorder = spawnProcess({"parec", "-s", "unix:" + sink.socketPath(),
                             std::string("--device=") + kSinkName + ".monitor", "--format=s16le",
                             "--rate=" + std::to_string(rate), "--channels=1", "--raw",
                             "--latency-msec=20"},
                            {}, file);
}

PulseNullSink::Recording::~Recording() {
    endProcess(recorder);
}

std::size_t PulseNullSink::Recording::samplesSoFar() const {
    struct stat info {};
    return stat(file.c_str(), &info) == 0 ? std::size_t(info.st_size) / 2 : 0;
}

std::vector<float> PulseNullSink::Recording::stop() {
    endProcess(recorder);
    recorder = -1;
    std::ifstream in(file, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    std::vector<float> samples(bytes.size() / 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        const auto v = std::int16_t(std::uint16_t(std::uint8_t(bytes[2 * i])) |
                                    std::uint16_t(std::uint8_t(bytes[2 * i + 1]) << 8));
        samples[i] = float(v) / 32768.0f;
    }
    return samples;
}

} // namespace testsupport
