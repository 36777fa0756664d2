#pragma once

#include <string>

namespace testing_support {

// A fresh, empty folder for one test (UTF-8 path with a trailing backslash), removed with all its
// contents when the object goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& relative) const { return path_ + relative; }

  private:
    std::string path_;
};

// Writes a file (creating missing folders on the way); bytes exactly as given.
void WriteFile(const std::string& path, const std::string& bytes);
// The whole file, or nothing when it cannot be read.
bool ReadFile(const std::string& path, std::string& bytes);
bool FileExists(const std::string& path);
void MakeFolder(const std::string& path);
void RemoveTree(const std::string& path);

}  // namespace testing_support
