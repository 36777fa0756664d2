// Builds a large registry subtree and times the dead-reference scan over it.
//   registry_bench populate   makes HKCU\Software\VireoBench: 100 keys of 999 subkeys, 3 text values each
//   registry_bench scan N     walks it N times and prints the time of each walk and the keys per second

#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "platform/path_probe.h"
#include "platform/registry.h"
#include "registry/registry_scan.h"

namespace {

constexpr const wchar_t* kBenchKey = L"Software\\VireoBench";
constexpr int kTopKeys = 100;
constexpr int kSubkeys = 999;  // 100 + 100 * 999 = 100,000 keys
constexpr int kValuesPerKey = 3;

// The texts a real registry holds, with one in twenty a dead file or folder reference.
std::wstring TextFor(unsigned n) {
    switch (n % 20) {
        case 0:
            return L"C:\\VireoBenchGone\\App" + std::to_wstring(n) + L"\\module.dll";
        case 1:
            return L"C:\\windows\\system32\\kernel32.dll";
        case 2:
            return L"\"C:\\Program Files\\Vendor\\app.exe\" /background";
        case 3:
            return L"C:\\windows\\system32\\shell32.dll,-" + std::to_wstring(n % 300);
        case 4:
            return L"C:\\windows";
        case 5:
            return L"%SystemRoot%\\system32\\svchost.exe -k netsvcs";
        case 6:
            return L"{" + std::to_wstring(n) + L"-0000-11D2-A8E9-00104B365C9F}";
        case 7:
            return L"C:\\windows\\system32\\vbscript.dll\\3";
        default:
            return L"Value text " + std::to_wstring(n);
    }
}

int Populate() {
    RegDeleteTreeW(HKEY_CURRENT_USER, kBenchKey);
    unsigned n = 0;
    for (int top = 0; top < kTopKeys; ++top) {
        HKEY topKey = nullptr;
        const std::wstring topPath = std::wstring(kBenchKey) + L"\\Group" + std::to_wstring(top);
        if (RegCreateKeyExW(HKEY_CURRENT_USER, topPath.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &topKey,
                            nullptr) != ERROR_SUCCESS)
            return 1;
        auto fill = [&](HKEY key) {
            for (int v = 0; v < kValuesPerKey; ++v, ++n) {
                const std::wstring text = TextFor(n);
                const std::wstring name = L"Value" + std::to_wstring(v);
                RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                               static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
            }
        };
        fill(topKey);
        for (int sub = 0; sub < kSubkeys; ++sub) {
            HKEY subKey = nullptr;
            const std::wstring name = L"Entry" + std::to_wstring(sub);
            if (RegCreateKeyExW(topKey, name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &subKey, nullptr) !=
                ERROR_SUCCESS)
                return 1;
            fill(subKey);
            RegCloseKey(subKey);
        }
        RegCloseKey(topKey);
    }
    std::printf("made %d keys with %u string values\n", kTopKeys + kTopKeys * kSubkeys, n);
    return 0;
}

double ProcessCpuSeconds() {
    FILETIME created, exited, kernel, user;
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(kernel) + ticks(user)) / 1e7;
}

int Scan(int runs) {
    const int keys = kTopKeys + kTopKeys * kSubkeys;
    std::vector<double> seconds;
    for (int run = 0; run < runs; ++run) {
        bool stopScan = false;
        size_t values = 0;
        size_t rows = 0;
        registry::ScanHooks hooks;
        // What the window does per value and per row, less the painting.
        std::string status;
        hooks.status = [&](const std::string& text) { status = text; };
        hooks.yield = [&] { ++values; };
        hooks.addRow = [&](const registry::ResultRow&, bool) { ++rows; };
        base::FormatSettings settings;
        registry::Reg reg(platform::SystemRegistry());
        registry::RegistryScan scan(reg, platform::SystemPathProbe(), settings, hooks, stopScan);
        const registry::ScanRoot root{platform::RegistryRoot::CurrentUser, "HKEY_CURRENT_USER",
                                      "\\Software\\VireoBench"};
        const double cpuBefore = ProcessCpuSeconds();
        const auto start = std::chrono::steady_clock::now();
        const size_t found = scan.ScanRegistry({root});
        const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        seconds.push_back(elapsed);
        std::printf(
            "run %d: %.2f s (%.2f s CPU in the scanning process), %zu text values, %zu dead references "
            "(%zu rows), %.0f keys/s\n",
            run + 1, elapsed, ProcessCpuSeconds() - cpuBefore, values, found, rows, keys / elapsed);
    }
    std::sort(seconds.begin(), seconds.end());
    const double median = seconds[seconds.size() / 2];
    std::printf("median: %.2f s for %d keys: %.0f keys/s\n", median, keys, keys / median);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 2 && std::strcmp(argv[1], "populate") == 0)
        return Populate();
    if (argc >= 2 && std::strcmp(argv[1], "scan") == 0)
        return Scan(argc >= 3 ? std::max(1, std::atoi(argv[2])) : 3);
    std::fprintf(stderr, "usage: registry_bench populate | scan [runs]\n");
    return 2;
}
