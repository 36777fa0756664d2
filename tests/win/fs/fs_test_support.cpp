#include "fs_test_support.h"

#include <stdexcept>

#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"

namespace fs_test {

using platform::win32::ExactPath;

void SetAttributes(const std::string& path, DWORD attributes) {
    if (!SetFileAttributesW(ExactPath(path).c_str(), attributes))
        throw std::runtime_error("cannot set attributes of " + path);
}

void SetLocalWriteTime(const std::string& path, WORD year, WORD month, WORD day, WORD hour, WORD minute) {
    SYSTEMTIME local = {};
    local.wYear = year;
    local.wMonth = month;
    local.wDay = day;
    local.wHour = hour;
    local.wMinute = minute;
    SYSTEMTIME utc;
    FILETIME time;
    if (!TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !SystemTimeToFileTime(&utc, &time))
        throw std::runtime_error("bad time");
    HANDLE file = CreateFileW(ExactPath(path).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot open " + path);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

ParentWindow::ParentWindow() {
    static const ATOM atom = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"VireoFsTestParent";
        return RegisterClassW(&windowClass);
    }();
    hwnd_ = CreateWindowExW(0, MAKEINTATOM(atom), L"fs test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 480, nullptr, nullptr,
                            GetModuleHandleW(nullptr), nullptr);
    if (!hwnd_)
        throw std::runtime_error("no parent window");
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK ParentWindow::Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<ParentWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (message == WM_NOTIFY && self && self->onNotify) {
        LRESULT result = 0;
        if (self->onNotify(*reinterpret_cast<const NMHDR*>(lParam), result))
            return result;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

ParentWindow::~ParentWindow() {
    DestroyWindow(hwnd_);
}

}  // namespace fs_test
