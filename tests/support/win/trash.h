#pragma once

#include <windows.h>

#include <string>

namespace testing_support {

// The desktop's Trash, where the recycle bin of this system keeps files, as a Windows path.
std::string TrashFolder();

// Takes a recycled file out of the Trash again; true when it was there with the given contents.
bool TakeFromTrash(const std::string& name, const std::string& contents);

// Holds a file open as a program would that lets others read it but not delete it.
class HeldFile {
  public:
    explicit HeldFile(const std::string& path);
    ~HeldFile();
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool IsOpen() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

}  // namespace testing_support
