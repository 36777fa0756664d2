#include "fs_test_support.h"

#include <cstdio>
#include <stdexcept>

#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "support/win/test_drives.h"

namespace fs_test {

using platform::win32::ExactPath;
using platform::win32::Widen;

void SetAttributes(const std::string& path, DWORD attributes) {
    if (!SetFileAttributesW(ExactPath(path).c_str(), attributes))
        throw std::runtime_error("cannot set attributes of " + path);
}

namespace {

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

// Runs /bin/ln with the given option on Windows paths: target exists, linkPath does not yet.
bool RunLn(const char* option, const std::string& target, const std::string& linkPath) {
    const std::string link = WithoutTrailingSeparator(linkPath);
    const std::string unixTarget = testing_support::UnixPathOf(WithoutTrailingSeparator(target));
    // The link's folder exists; its name does not yet, so ask for the folder's Linux path.
    const size_t slash = link.find_last_of('\\');
    const std::string unixLink = testing_support::UnixPathOf(link.substr(0, slash)) + "/" + link.substr(slash + 1);
    std::wstring command = Widen(std::string("/bin/ln ") + option + " \"" + unixTarget + "\" \"" + unixLink + "\"");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    // No drive maps the Linux root in the test prefix; Wine's \\?\unix form reaches it anyway.
    if (!CreateProcessW(L"\\\\?\\unix\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        std::fprintf(stderr, "cannot start /bin/ln: error %lu\n", GetLastError());
        return false;
    }
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The handle of a Linux process may be signalled before it has run, so wait for the link itself.
    for (int i = 0; i < 100; ++i) {
        if (GetFileAttributesW(ExactPath(link).c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(50);
    }
    std::fprintf(stderr, "link %s not made\n", unixLink.c_str());
    return false;
}

}  // namespace

bool MakeSymbolicLink(const std::string& target, const std::string& linkPath) {
    if (!RunLn("-s", target, linkPath))
        return false;
    const DWORD attributes = GetFileAttributesW(ExactPath(WithoutTrailingSeparator(linkPath)).c_str());
    if (!(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        std::fprintf(stderr, "link %s is no reparse point (attributes %lx)\n", linkPath.c_str(), attributes);
    return (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
}

bool MakeHardLink(const std::string& existing, const std::string& linkPath) {
    return RunLn("", existing, linkPath);
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
