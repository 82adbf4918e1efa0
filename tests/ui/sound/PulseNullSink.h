#pragma once
// A private PulseAudio server with one null sink, for tests that must hear what the program
// plays, and a recorder of that sink's monitor. The server runs as a child of the test process
// with its own folders; PULSE_SERVER points this process (and so Qt) at it.

#include <string>
#include <sys/types.h>
#include <vector>

#include "support/TempDir.h"

namespace testsupport {

class PulseNullSink {
  public:
    static constexpr const char* kSinkName = "quelmarine_test";

    // Starts the server (once per process); see ok() and failure().
    static PulseNullSink& shared();
    ~PulseNullSink();

    bool ok() const { return server > 0; }
    const std::string& failure() const { return why; }
    std::string socketPath() const { return folder.file("native"); }

    // Records the monitor of the null sink, as mono 16-bit samples at `rate`, until stop().
    class Recording {
      public:
        Recording(const PulseNullSink& sink, int rate);
        ~Recording();
        bool started() const { return recorder > 0; }
        // The samples the recorder has written so far.
        std::size_t samplesSoFar() const;
        // Ends the recording and returns its samples in [-1, 1].
        std::vector<float> stop();

      private:
        pid_t recorder = -1;
        std::string file;
    };

  private:
    PulseNullSink();
    TempDir folder;
    pid_t server = -1;
    std::string why;
};

// Spawns `argv` with extra environment entries; -1 when it cannot be started.
pid_t spawnProcess(const std::vector<std::string>& argv, const std::vector<std::string>& extraEnv,
                   const std::string& stdoutFile = "");

} // namespace testsupport
