#pragma once
// The names the program goes by, each written once.

namespace quelmarine {

// The application's name: the desktop window's title, the Qt application name and the profile's
// application, the settings folder and the runtime folder, and the caption of some messages.
inline constexpr const char* kApplicationName = "QuelmarineScr";
// The command's name: the start of every line the programs print on standard error, and the
// caption of the saver's messages.
inline constexpr const char* kProgramName = "quelmarine";
// The saver for idle daemons, on the PATH: the command, and the start of its messages.
inline constexpr const char* kIdleSaverName = "quelmarine-saver";
// The name the saver's window and the sound stream are shown under.
inline constexpr const char* kProgramTitle = "Quelmarine";

} // namespace quelmarine
