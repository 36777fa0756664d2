#include "support/win/process.h"

#include <stdexcept>
#include <vector>

#include "platform/win32/unicode.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace testing_support {

ChildProcess::ChildProcess(const std::string& exePath, const std::string& arguments) {
    std::wstring commandLine = L"\"" + Widen(exePath) + L"\"";
    if (!arguments.empty())
        commandLine += L" " + Widen(arguments);
    STARTUPINFOW startup{sizeof startup};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info_))
        throw std::runtime_error("cannot start " + exePath);
}

ChildProcess::~ChildProcess() {
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(info_.hProcess, 99);
        WaitForSingleObject(info_.hProcess, 5000);
    }
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

std::optional<DWORD> ChildProcess::WaitForExit(DWORD milliseconds) {
    if (WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

std::string TestExeFolder() {
    std::vector<wchar_t> buffer(32768);
    const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    std::string path = Narrow(std::wstring_view(buffer.data(), length));
    return path.substr(0, path.rfind('\\') + 1);
}

std::string VireoExePath() {
    // Test executables live in <build>\tests\, the program in <build>\.
    std::string folder = TestExeFolder();
    folder.pop_back();
    return folder.substr(0, folder.rfind('\\') + 1) + "vireo.exe";
}

namespace {
struct WindowQuery {
    DWORD processId;
    const std::wstring* caption;
    int count = 0;
    HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != query->processId || !IsWindowVisible(hwnd))
        return TRUE;
    ++query->count;
    if (query->caption) {
        wchar_t text[256] = {};
        GetWindowTextW(hwnd, text, 256);
        if (*query->caption == text)
            query->found = hwnd;
    }
    return TRUE;
}
}  // namespace

int CountVisibleWindows(DWORD processId) {
    WindowQuery query{processId, nullptr};
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&query));
    return query.count;
}

HWND WaitForWindow(DWORD processId, const std::wstring& caption, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    do {
        WindowQuery query{processId, &caption};
        EnumWindows(Visit, reinterpret_cast<LPARAM>(&query));
        if (query.found)
            return query.found;
        Sleep(50);
    } while (GetTickCount() - start < milliseconds);
    return nullptr;
}

}  // namespace testing_support
