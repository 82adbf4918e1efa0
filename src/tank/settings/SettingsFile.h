#pragma once
// The settings file: where it lives, and reading and writing its keys. The path is rebuilt at
// every call. When there is no settings folder every read gives "" and every write fails, so the
// program runs on its in-memory defaults.

#include "tank/settings/IniDocument.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace quelmarine {

// The settings folder followed by "QuelmarineSet.ini"; "" when there is no settings folder.
std::string settingsFilePath();

// The settings file's text in memory, for programs that only read it: neither the file nor its
// folder is created. Empty when there is no file or it cannot be read.
IniDocument readSettingsDocument();

// One key, as a private-profile read returns it: "" when the file, section or key is absent or
// the value is empty, at most `limit` characters.
std::string readIniString(std::string_view section, std::string_view key,
                          std::size_t limit = kProfileReadLimit);

// `atoi` of readIniString.
std::int32_t readIniInt(std::string_view section, std::string_view key);

// Stores one key (replaced in place, or appended to its section), creating the section and the
// file when missing. False when the file could not be written; it is then left as it was.
bool writeIniString(std::string_view section, std::string_view key, std::string_view value);

// Stores an integer written with "%d".
bool writeIniInt(std::string_view section, std::string_view key, std::int32_t value);

// Reads the file once, lets `edit` read and write any number of keys in memory with the same
// rules, then stores the file once (atomically) if anything changed. True when the file holds
// the edited text afterwards (also when nothing changed); false when it could not be read or
// written, in which case it is left as it was. `edit` always runs: on an unreadable file it
// sees an empty document.
bool updateSettingsFile(const std::function<void(IniDocument&)>& edit);

} // namespace quelmarine
