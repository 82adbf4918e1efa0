#pragma once
// Loading an INI file into memory and storing it back atomically.

#include "tank/settings/IniDocument.h"

#include <string>
#include <string_view>

namespace quelmarine {

enum class IniFileState {
    Loaded,    // the file was read
    Missing,   // there is no file yet: it reads as empty and may be created
    Unreadable // it exists but cannot be read (or there is no path): reads are empty, writes fail
};

struct LoadedIni {
    IniFileState state = IniFileState::Unreadable;
    IniDocument document;
};

// Files larger than this are not read (and so never rewritten).
inline constexpr std::size_t kMaxIniFileSize = 16u << 20;

LoadedIni loadIniFile(const std::string& path);

// Replaces the file with `bytes` so that it holds either the old or the new text, never a mix:
// a sibling temporary file is written, flushed to the disk and renamed over the file. On any
// failure the old file is left untouched, the temporary file is removed and false is returned.
// A symbolic link at `path` is followed, so the link stays in place.
bool writeFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporary copies of `path` that writeFileAtomically left behind in processes that
// were killed mid-write (and so could not remove them): those whose writer no longer runs.
// Returns how many were removed.
int removeAbandonedCopies(const std::string& path);

} // namespace quelmarine
