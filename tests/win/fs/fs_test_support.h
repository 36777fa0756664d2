#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "support/win/unix_links.h"

namespace fs_test {

void SetAttributes(const std::string& path, DWORD attributes);
using testing_support::MakeHardLink;
using testing_support::MakeSymbolicLink;
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
