// Times full walks of a folder tree through TTreeScanner with the mask "*.*", hidden items included,
// no window: prints one line per run with folders, files and seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "fs/tree_scanner.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/win32/unicode.h"

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: tree_walk_bench <folder> [runs]\n");
        return 2;
    }
    const std::string root = platform::win32::Narrow(argv[1]);
    const int runs = argc > 2 ? _wtoi(argv[2]) : 3;
    fs::TTreeScanner scanner(platform::SystemFileSystem(), platform::LocaleTextOrder());
    scanner.SetFileMask("*.*");
    scanner.FindHiddenFiles = true;
    scanner.FindHiddenFolders = true;
    uint64_t folders = 0;
    uint64_t files = 0;
    uint64_t bytes = 0;
    scanner.OnDirectoryFound = [&](fs::TTreeScanner&) { ++folders; };
    scanner.OnFileFound = [&](fs::TTreeScanner& s) {
        ++files;
        bytes += s.FileSize();
    };
    scanner.Yield = [] {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    };
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    // The listings alone, for scale: the same folders through the same listing calls, nothing else.
    const auto listingsOnly = [&](const auto& self, const std::string& folder) -> void {
        ++folders;
        platform::SystemFileSystem().ForEachEntry(folder, [&](const platform::DirEntry& entry) {
            if (entry.attributes & platform::attr::kDirectory) {
                if (!(entry.attributes & platform::attr::kReparsePoint))
                    self(self, folder + entry.name + "\\");
            } else {
                ++files;
                bytes += entry.size;
            }
        });
    };
    for (int run = 0; run < runs; ++run) {
        folders = files = bytes = 0;
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        listingsOnly(listingsOnly, root.back() == '\\' ? root : root + "\\");
        QueryPerformanceCounter(&end);
        double seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
        std::printf("listings folders %llu files %llu bytes %llu seconds %.3f\n",
                    static_cast<unsigned long long>(folders), static_cast<unsigned long long>(files),
                    static_cast<unsigned long long>(bytes), seconds);
        std::fflush(stdout);

        // Alternating with the bare listings, so both see the same caches.
        folders = files = bytes = 0;
        scanner.SetInitialDirectory(root);
        QueryPerformanceCounter(&start);
        scanner.StartSearch();
        QueryPerformanceCounter(&end);
        seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
        std::printf("scanner folders %llu files %llu bytes %llu seconds %.3f\n",
                    static_cast<unsigned long long>(folders), static_cast<unsigned long long>(files),
                    static_cast<unsigned long long>(bytes), seconds);
        std::fflush(stdout);
    }
    return 0;
}
