// Times measurements of a folder tree through TFolderList::Scan with no window, next to the bare Win32
// listings of the same folders, alternating: one line per run with folders, files, bytes and seconds.
// The first measurement also prints the peak working set it reached and the bytes its tree holds per file.
#include <windows.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include "bare_walk.h"
#include "base/throttle.h"
#include "platform/file_system.h"
#include "platform/volume_info.h"
#include "platform/win32/unicode.h"
#include "usage/folder_list.h"
#include "usage/measurement.h"

namespace {

using Counts = BareCounts;

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

size_t PeakWorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.PeakWorkingSetSize;
}

size_t WorkingSet() {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof(counters));
    return counters.WorkingSetSize;
}

void Print(const char* kind, const Counts& counts, double seconds) {
    std::printf("%s folders %llu files %llu bytes %llu seconds %.3f\n", kind, counts.folders, counts.files,
                counts.bytes, seconds);
    std::fflush(stdout);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: usage_scan_bench <folder> [runs]\n");
        return 2;
    }
    const std::string folder = platform::win32::Narrow(argv[1]);
    const int runs = argc > 2 ? _wtoi(argv[2]) : 3;
    const auto& files = platform::SystemFileSystem();
    const auto& volumes = platform::SystemVolumeInfo();
    const usage::MeasurementSetup setup = usage::PrepareMeasurement(folder, "", files, volumes);
    std::printf("cluster %llu\n", static_cast<unsigned long long>(setup.ClusterSize));
    const std::wstring wideFolder = platform::win32::Widen(setup.Folder);

    const auto pumpMessages = [] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    };
    for (int run = 0; run < 2 * runs; ++run) {
        // Even runs yield once per folder as the window does, looking at the message queue at most every
        // base::kMessagePumpInterval; odd ones do not, to show what the yields cost.
        const bool yields = run % 2 == 0;
        const size_t before = WorkingSet();
        auto top = std::make_unique<usage::TFolderList>(nullptr, ".");
        top->Reset(setup.Folder);
        bool stop = false;
        usage::ScanContext context{files, volumes, stop, setup.ClusterSize};
        context.progress = [](const std::string&) {};
        base::Throttle pump(base::kMessagePumpInterval);
        if (yields)
            context.yield = [&pump, &pumpMessages] {
                if (pump.Due())
                    pumpMessages();
            };
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        top->Scan(context);
        QueryPerformanceCounter(&end);
        const Counts measured{static_cast<unsigned long long>(top->FolderCount) + 1,
                              static_cast<unsigned long long>(top->FileCount), top->ActualSize};
        Print(yields ? "scan" : "scan-without-yields", measured, Seconds(start, end));
        if (run == 0) {
            const size_t peak = PeakWorkingSet();
            std::printf("memory peak-working-set %zu tree %zu bytes-per-file %.1f\n", peak, WorkingSet() - before,
                        static_cast<double>(WorkingSet() - before) / static_cast<double>(measured.files));
        }
        top.reset();

        Counts bare;
        QueryPerformanceCounter(&start);
        WalkBare(wideFolder, bare);
        QueryPerformanceCounter(&end);
        Print("listings", bare, Seconds(start, end));
    }
    return 0;
}
