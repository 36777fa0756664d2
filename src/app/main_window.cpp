#include "app/main_window.h"

#include "app/application.h"
#include "app/window_set.h"

namespace app {
namespace {

UINT instanceMessage = 0;
WNDPROC OldWndProc = nullptr;

// Answers a second copy of the program: restore this one and bring it to the front.
LRESULT CALLBACK MainWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (instanceMessage != 0 && message == instanceMessage) {
        SendMessageW(hwnd, WM_SYSCOMMAND, SC_RESTORE, 0);
        SetForegroundWindow(hwnd);
        return 0;
    }
    return CallWindowProcW(OldWndProc, hwnd, message, wParam, lParam);
}

}  // namespace

UINT InstanceMessage() {
    return instanceMessage;
}

TPaaIkkuna::TPaaIkkuna() {
    Create({kApplicationTitle, 417, 281, widgets::FrameStyle::Main});
    FormCreate();
}

TPaaIkkuna::~TPaaIkkuna() {
    FormDestroy();
}

void TPaaIkkuna::FormCreate() {
    instanceMessage = RegisterWindowMessageW(L"Vireo");
    OldWndProc =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&MainWndProc)));
}

void TPaaIkkuna::FormDestroy() {
    if (OldWndProc)
        SetWindowLongPtrW(Handle(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWndProc));
    OldWndProc = nullptr;
}

void TPaaIkkuna::FormActivate() {
    if (Tag == 0) {
        Tag = 1;
        DestroySplash();
    }
}

}  // namespace app
