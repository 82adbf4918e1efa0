#pragma once
// A private folder for the files one fuzz target writes, on a memory file system when there is
// one, removed when the process ends normally.

#include <string>
#include <string_view>

namespace fuzzsupport {

// The folder, ending in '/'; made at the first call.
const std::string& scratchFolder();

// Writes `bytes` to `path`, replacing it; aborts when that fails (the fuzz run is broken then).
void writeWholeFile(const std::string& path, std::string_view bytes);

// The whole file, or nothing (and `exists` false) when it cannot be opened.
std::string readWholeFile(const std::string& path, bool& exists);

// The number of entries in the folder other than "." and "..".
int folderEntries(const std::string& folder);

} // namespace fuzzsupport
