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

void ClickPointerAt(HWND control, POINT clientPoint) {
    MovePointerTo(control, clientPoint);
    INPUT inputs[2]{};
    inputs[0].type = inputs[1].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, inputs, sizeof(INPUT));
    Pump(50);
}

bool ChooseOnlyDrive(widgets::TDiskListView& disks, char letter) {
    for (int row = 0; row < disks.Count(); ++row)
        disks.SetSelected(row, false);
    for (int row = 0; row < disks.Count(); ++row) {
        disks.SetSelected(row, true);
        if (disks.GetSelectedDrives() == std::string(1, letter))
            return true;
        disks.SetSelected(row, false);
    }
    return false;
}

void PointerClick(HWND control) {
    RECT r{};
    GetClientRect(control, &r);
    ClickPointerAt(control, {(r.left + r.right) / 2, (r.top + r.bottom) / 2});
}

namespace {

// The room a push button's picture takes beside its caption: the picture with its margins, the button's
// inner edge on both sides, and a blank of a few pixels on each side of the caption, which is centred in
// what the picture leaves.
int PictureWidth(HWND button) {
    BUTTON_IMAGELIST pictures{};
    if (!SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&pictures)) || !pictures.himl)
        return 0;
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(pictures.himl, &width, &height);
    constexpr int kInnerEdge = 2;
    constexpr int kBlank = 3;
    return width + pictures.margin.left + pictures.margin.right + 2 * kInnerEdge + 2 * kBlank;
}

}  // namespace

int CaptionWidth(HWND control) {
    wchar_t text[512] = {};
    GetWindowTextW(control, text, 512);
    HDC dc = GetDC(control);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, text, -1, &r, DT_CALCRECT | DT_SINGLELINE);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    const LONG style = GetWindowLongW(control, GWL_STYLE);
    wchar_t kind[32] = {};
    GetClassNameW(control, kind, 32);
    const bool button = lstrcmpiW(kind, L"Button") == 0;
    const LONG type = style & BS_TYPEMASK;
    const bool box = button && (type == BS_AUTOCHECKBOX || type == BS_CHECKBOX || type == BS_AUTORADIOBUTTON ||
                                type == BS_RADIOBUTTON);
    if (box)
        return r.right + GetSystemMetrics(SM_CXMENUCHECK) + 6;
    const bool push = button && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
    return r.right + (push ? PictureWidth(control) : 0);
}

void ExpectCaptionsFit(const widgets::Window& window, std::initializer_list<const char*> names) {
    RECT client{};
    GetClientRect(window.Frame(), &client);
    for (const char* name : names) {
        HWND control = window.Control(name);
        if (!IsWindowVisible(control))
            continue;
        RECT r{};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, window.Frame(), reinterpret_cast<POINT*>(&r), 2);
        EXPECT_TRUE(r.left >= client.left && r.top >= client.top && r.right <= client.right &&
                    r.bottom <= client.bottom)
            << name << " leaves the window";
        EXPECT_LE(CaptionWidth(control), r.right - r.left) << name << "'s caption is cut off";
    }
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
