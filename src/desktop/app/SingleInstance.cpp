#include "desktop/app/SingleInstance.h"

#include "tank/platform/Folders.h"

namespace quelmarine {

SingleInstanceMarker::SingleInstanceMarker(const QString& name) {
    const std::string folder = privateRuntimeFolder();
    if (folder.empty()) {
        held = true; // nowhere private to keep a marker: run without one
        return;
    }
    lock = std::make_unique<QLockFile>(QString::fromStdString(folder) + name + ".lock");
    lock->setStaleLockTime(0); // only a dead owner makes a marker stale, never its age
    // A termination request between the marker's creation and its registration waits.
    const TerminationDeferred deferred;
    held = lock->tryLock(0);
    if (held)
        removedOnTermination =
            std::make_unique<RemovedOnTermination>(lock->fileName().toStdString());
}

void SingleInstanceMarker::release() {
    if (lock && held)
        lock->unlock();
    removedOnTermination.reset();
}

} // namespace quelmarine
