#pragma once
// Process-wide markers that keep a second copy of the program from running.

#include "tank/platform/TerminationSignals.h"

#include <QLockFile>
#include <QString>
#include <memory>

namespace quelmarine {

class SingleInstanceMarker {
  public:
    // Takes the marker `name` in the private runtime folder. Stale markers of dead processes
    // are taken over.
    explicit SingleInstanceMarker(const QString& name);
    // False when another running copy holds the marker.
    bool acquired() const { return held; }
    // Gives the marker back (also done by the destructor, and by a termination request).
    void release();

  private:
    std::unique_ptr<QLockFile> lock;
    bool held = false;
    std::unique_ptr<RemovedOnTermination> removedOnTermination;
};

} // namespace quelmarine
