#include "widgets/parent_hook.h"

#include <commctrl.h>

#include "widgets/error_hook.h"

namespace widgets {

ParentHook::ParentHook(HWND parent, Handler handler) : parent_(parent), handler_(std::move(handler)) {
    if (parent_)
        SetWindowSubclass(parent_, Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
}

ParentHook::~ParentHook() {
    if (parent_ && IsWindow(parent_))
        RemoveWindowSubclass(parent_, Proc, reinterpret_cast<UINT_PTR>(this));
}

LRESULT CALLBACK ParentHook::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR owner) {
    try {
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, Proc, id);
            reinterpret_cast<ParentHook*>(owner)->parent_ = nullptr;
        } else if (LRESULT result = 0;
                   reinterpret_cast<ParentHook*>(owner)->handler_(message, wParam, lParam, result)) {
            return result;
        }
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace widgets
