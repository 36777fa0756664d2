#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace fs_test {

void SetAttributes(const std::string& path, DWORD attributes);
// A Linux symbolic link at linkPath pointing at target (both Windows paths); Wine shows it as a reparse
// point. False when the link could not be made.
bool MakeSymbolicLink(const std::string& target, const std::string& linkPath);
// A second name for an existing file, made by Linux's ln. False when it could not be made.
bool MakeHardLink(const std::string& existing, const std::string& linkPath);
// Sets a file's last-write time to the given local time.
void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour, WORD minute);

// A hidden top-level window to put the controls on; forwards WM_NOTIFY to a handler.
class ParentWindow {
  public:
    ParentWindow();
    ~ParentWindow();
    ParentWindow(const ParentWindow&) = delete;
    ParentWindow& operator=(const ParentWindow&) = delete;
    HWND Handle() const { return hwnd_; }

    std::function<bool(const NMHDR&, LRESULT&)> onNotify;

  private:
    static LRESULT CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_;
};

}  // namespace fs_test
