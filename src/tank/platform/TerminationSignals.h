#pragma once
// Termination requests (SIGTERM, SIGINT, SIGHUP) end the process at once with exit status 0,
// after removing the files that must not outlive it: files the running operation has made and
// not yet removed (an unpacked asset, a settings file's temporary copy) and the single-instance
// markers. Code registers such a file for as long as it exists; the signal handler only
// unlinks the registered paths and ends the process, both safe inside a signal handler.

#include <string>

namespace quelmarine {

// Installs the handler; called once, first thing in main.
void installTerminationHandler();

// Registers `path` (absolute; an empty path registers nothing) while the object lives.
class RemovedOnTermination {
  public:
    explicit RemovedOnTermination(const std::string& path);
    ~RemovedOnTermination();
    RemovedOnTermination(const RemovedOnTermination&) = delete;
    RemovedOnTermination& operator=(const RemovedOnTermination&) = delete;

  private:
    int slot = -1;
};

} // namespace quelmarine
