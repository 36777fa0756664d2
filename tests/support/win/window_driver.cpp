#include "support/win/window_driver.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <exception>

#include "platform/win32/unicode.h"
#include "widgets/error_hook.h"

namespace testing_support {

void Click(const widgets::Window& window, const char* button) {
    PostMessageW(window.Control(button), BM_CLICK, 0, 0);
    widgets::ProcessMessages();
}

void Pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        widgets::ProcessMessages();
        Sleep(5);
    } while (GetTickCount() - start < milliseconds);
}

void MovePointerTo(HWND control, POINT clientPoint) {
    ClientToScreen(control, &clientPoint);
    SetCursorPos(clientPoint.x, clientPoint.y);
    // A relative move of nothing makes the system send the move at the pointer's new place.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    SendInput(1, &input, sizeof input);
    Pump(50);
}

ActOnText::ActOnText(HWND control, int n, std::function<void()> action)
    : control_(control), n_(n), action_(std::move(action)) {
    SetWindowSubclass(control_, Proc, 77, reinterpret_cast<DWORD_PTR>(this));
}

ActOnText::~ActOnText() {
    RemoveWindowSubclass(control_, Proc, 77);
}

LRESULT CALLBACK ActOnText::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<ActOnText*>(data);
    if (message == WM_SETTEXT || message == SB_SETTEXTW) {
        const auto* text = reinterpret_cast<const wchar_t*>(lParam);
        self->texts.push_back(platform::win32::Narrow(text ? text : L""));
        if (static_cast<int>(self->texts.size()) == self->n_)
            self->action_();
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

FailOnEscapedErrors::FailOnEscapedErrors() {
    widgets::SetErrorHook([] {
        try {
            throw;
        } catch (const std::exception& error) {
            ADD_FAILURE() << "an error escaped a handler: " << error.what();
        } catch (...) {
            ADD_FAILURE() << "an error escaped a handler";
        }
    });
}

FailOnEscapedErrors::~FailOnEscapedErrors() {
    widgets::SetErrorHook(nullptr);
}

}  // namespace testing_support
