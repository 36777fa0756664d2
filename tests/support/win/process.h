#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace testing_support {

// A program started by a test; killed if it is still running when the object goes.
class ChildProcess {
  public:
    ChildProcess(const std::string& exePath, const std::string& arguments = "");
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD Id() const { return info_.dwProcessId; }
    // The exit code, or nothing if it has not ended within the time.
    std::optional<DWORD> WaitForExit(DWORD milliseconds);

  private:
    PROCESS_INFORMATION info_{};
};

// The folder of the running test executable, with a trailing backslash.
std::string TestExeFolder();
// The program under test: vireo.exe of the same build.
std::string VireoExePath();

// The top-level windows of a process that are visible, optionally of one caption.
int CountVisibleWindows(DWORD processId);
// Waits until the process shows a top-level window with the caption; nullptr when it does not in time.
HWND WaitForWindow(DWORD processId, const std::wstring& caption, DWORD milliseconds);

}  // namespace testing_support
