#include "registry_support.h"

#include <atomic>
#include <stdexcept>

#include "platform/win32/unicode.h"

using platform::win32::Widen;

namespace registry_test {

TestKey::TestKey() {
    static std::atomic<int> counter{0};
    path_ = "Software\\VireoRegistryTest-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(counter++);
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path_).c_str());
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Widen(path_).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw std::runtime_error("cannot make the test key");
    RegCloseKey(key);
}

TestKey::~TestKey() {
    RegDeleteTreeW(HKEY_CURRENT_USER, Widen(path_).c_str());
}

registry::ScanRoot TestKey::Root() const {
    return {platform::RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "\\" + path_};
}

namespace {
std::wstring Below(const std::string& base, const std::string& relative) {
    return Widen(relative.empty() ? base : base + "\\" + relative);
}
}  // namespace

void SetExactly(HKEY root, const std::string& path, const std::string& name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, Widen(path).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        throw std::runtime_error("cannot make key " + path);
    // Wine's RegSetValueExW lengthens string data that does not end in a NUL (reading past the buffer), so
    // the data goes in through the native call, which stores it as given.
    struct CountedString {
        USHORT length;
        USHORT maximumLength;
        PWSTR buffer;
    };
    using SetValue = LONG(WINAPI*)(HANDLE, CountedString*, ULONG, ULONG, const void*, ULONG);
    const auto setValue = reinterpret_cast<SetValue>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtSetValueKey")));
    std::wstring wide = Widen(name);
    CountedString counted{static_cast<USHORT>(wide.size() * sizeof(wchar_t)),
                          static_cast<USHORT>(wide.size() * sizeof(wchar_t)), wide.data()};
    const LONG status = setValue(key, &counted, 0, type, bytes.data(), static_cast<ULONG>(bytes.size()));
    RegCloseKey(key);
    if (status != 0)
        throw std::runtime_error("cannot write value " + name);
}

void TestKey::Set(const std::string& relative, const std::string& name, DWORD type, const std::string& bytes) const {
    SetExactly(HKEY_CURRENT_USER, relative.empty() ? path_ : path_ + "\\" + relative, name, type, bytes);
}

void TestKey::SetText(const std::string& relative, const std::string& name, const std::string& text, DWORD type) const {
    Set(relative, name, type, StringBytes(text));
}

bool TestKey::Get(const std::string& relative, const std::string& name, DWORD& type, std::string& bytes) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Below(path_, relative).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    DWORD size = 0;
    const std::wstring wide = Widen(name);
    LONG result = RegQueryValueExW(key, wide.c_str(), nullptr, &type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        bytes.assign(size, '\0');
        result = RegQueryValueExW(key, wide.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(bytes.data()), &size);
        bytes.resize(size);
    }
    RegCloseKey(key);
    return result == ERROR_SUCCESS;
}

bool TestKey::HasValue(const std::string& relative, const std::string& name) const {
    DWORD type = 0;
    std::string bytes;
    return Get(relative, name, type, bytes);
}

std::string StringBytes(const std::string& text) {
    const std::wstring wide = Widen(text);
    std::string bytes(reinterpret_cast<const char*>(wide.c_str()), (wide.size() + 1) * sizeof(wchar_t));
    return bytes;
}

int RunUnix(const std::string& program, const std::vector<std::string>& arguments) {
    // Wine starts a Linux program given by its \\?\unix\ path.
    std::wstring application = L"\\\\?\\unix" + Widen(program);
    for (auto& c : application) {
        if (c == L'/')
            c = L'\\';
    }
    std::wstring commandLine = L"\"" + application + L"\"";
    for (const auto& argument : arguments)
        commandLine += L" \"" + Widen(argument) + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return -1;
    WaitForSingleObject(process.hProcess, 30000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<int>(code);
}

}  // namespace registry_test
