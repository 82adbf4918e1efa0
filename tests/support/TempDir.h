#pragma once
// A fresh private folder for one test, removed with everything in it when the object goes.

#include <string>

namespace testsupport {

class TempDir {
  public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // The folder's path, ending in '/'.
    const std::string& path() const { return dir; }
    std::string file(const std::string& name) const { return dir + name; }

  private:
    std::string dir;
};

// Whole-file helpers for tests.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);

} // namespace testsupport
