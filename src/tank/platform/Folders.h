#pragma once
// Where the program keeps its files on Linux.

#include <string>

namespace quelmarine {

// The private runtime folder for asset files, ending in '/': $XDG_RUNTIME_DIR/QuelmarineScr/,
// else <temp>/QuelmarineScr-<uid>/. Created with mode 0700 when missing. Empty when it cannot be
// made, or when it is a link, not owned by this user, or open to others.
std::string privateRuntimeFolder();

// The settings folder, ending in '/': $XDG_CONFIG_HOME/QuelmarineScr/ (default
// ~/.config/QuelmarineScr/), created when missing. Empty when it cannot be made.
std::string settingsFolder();

// True when the system's temporary folder exists.
bool temporaryFolderExists();

// Makes `path` a private folder (mode 0700, owned by this user, not a link); false when it
// cannot be made so. Exposed for tests.
bool ensurePrivateFolder(const std::string& path);

} // namespace quelmarine
