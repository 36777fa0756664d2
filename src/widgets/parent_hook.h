#pragma once

#include <windows.h>

#include <functional>

namespace widgets {

// Lets a control see what it sends its parent (WM_COMMAND, WM_DRAWITEM) before the parent's own window
// procedure does, whatever window the parent is. The handler returns true when it has answered.
class ParentHook {
  public:
    using Handler = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;

    ParentHook(HWND parent, Handler handler);
    ~ParentHook();
    ParentHook(const ParentHook&) = delete;
    ParentHook& operator=(const ParentHook&) = delete;

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

    HWND parent_;
    Handler handler_;
};

}  // namespace widgets
