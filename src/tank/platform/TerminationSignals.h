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

// While an object lives, a termination request waits: a file made and registered inside the
// section (a single-instance marker, between its creation and its registration) is never left
// behind. The request is carried out when the last section ends. Sections may nest.
class TerminationDeferred {
  public:
    TerminationDeferred();
    ~TerminationDeferred();
    TerminationDeferred(const TerminationDeferred&) = delete;
    TerminationDeferred& operator=(const TerminationDeferred&) = delete;
};

} // namespace quelmarine
