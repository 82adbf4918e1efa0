#pragma once
// Where the program keeps its files on Linux.

#include <string>

namespace quelmarine {

// The private runtime folder for asset files, ending in '/': $XDG_RUNTIME_DIR/QuelmarineScr/,
// else <temp>/QuelmarineScr-<uid>/. Created with mode 0700 when missing. Empty when it cannot be
// made, or when it is a link, not owned by this user, or open to others.
std::string privateRuntimeFolder();
// What the user is told, once, when there is no runtime folder for the asset files.
inline constexpr const char* kNoRuntimeFolderMessage = "Error Find TempPath.";
inline constexpr const char* kNoRuntimeFolderCaption = "ERROR";

// The settings folder, ending in '/': $XDG_CONFIG_HOME/QuelmarineScr/ (default
// ~/.config/QuelmarineScr/), created when missing. Empty when it cannot be made.
std::string settingsFolder();

// Where the settings folder is, without creating it; empty when there is no home folder.
std::string settingsFolderPath();

// Programs that run several copies at once (the screensaver, one per monitor) keep their asset
// files in a folder of their own inside the private runtime folder: "saver-<pid>/", private
// like it. Empty when it cannot be made.
inline constexpr const char* kProcessFolderPrefix = "saver-";
std::string processAssetFolder();
// Removes this process's folder and everything in it.
void removeProcessAssetFolder();
// Removes the folders of processes that no longer run (one killed before it could clean up).
void removeStaleProcessFolders();

// True when the system's temporary folder exists.
bool temporaryFolderExists();

// Makes `path` a private folder (mode 0700, owned by this user, not a link); false when it
// cannot be made so. Exposed for tests.
bool ensurePrivateFolder(const std::string& path);

} // namespace quelmarine
