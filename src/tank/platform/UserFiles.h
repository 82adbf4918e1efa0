#pragma once
// Checks on files the user names (pictures, music) before anything opens them.

#include <string>

namespace quelmarine {

// True when `path` names a regular file this process may read. Folders, FIFOs, sockets and
// devices are refused without being opened, so nothing can block or read endlessly.
bool isReadableRegularFile(const std::string& path);

} // namespace quelmarine
