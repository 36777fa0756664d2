// Times full walks of a folder tree through TTreeScanner with the mask "*.*", hidden items included,
// no window, next to walks by the file system's listings alone and by a plain FindFirstFileExW walk: prints
// one line per walk with folders, files and seconds.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bare_walk.h"
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
    // The listings alone, for scale: the same folders through the same listing calls, nothing else. Each
    // subfolder is listed with its entry from its parent's listing, as the walks do.
    const auto listingsOnly = [&](const auto& self, const std::string& folder,
                                  const platform::DirEntry& folderEntry) -> void {
        ++folders;
        std::vector<platform::DirEntry> subfolders;
        platform::SystemFileSystem().ForEachEntryOfListedFolder(folder, folderEntry,
                                                                [&](const platform::DirEntry& entry) {
                                                                    if (entry.attributes & platform::attr::kDirectory) {
                                                                        if (!platform::IsNameSurrogate(entry))
                                                                            subfolders.push_back(entry);
                                                                    } else {
                                                                        ++files;
                                                                        bytes += entry.size;
                                                                    }
                                                                });
        for (const platform::DirEntry& subfolder : subfolders)
            self(self, folder + subfolder.name + "\\", subfolder);
    };
    const std::wstring wideRoot = platform::win32::Widen(root.back() == '\\' ? root : root + "\\");
    for (int run = 0; run < runs; ++run) {
        // The classic search walk the listings replaced: names, attributes, sizes and times, no identities.
        BareCounts bare;
        LARGE_INTEGER searchStart;
        LARGE_INTEGER searchEnd;
        QueryPerformanceCounter(&searchStart);
        WalkBare(wideRoot, bare);
        QueryPerformanceCounter(&searchEnd);
        std::printf("search folders %llu files %llu bytes %llu seconds %.3f\n", bare.folders, bare.files, bare.bytes,
                    static_cast<double>(searchEnd.QuadPart - searchStart.QuadPart) / frequency.QuadPart);
        std::fflush(stdout);

        folders = files = bytes = 0;
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        const std::string top = root.back() == '\\' ? root : root + "\\";
        listingsOnly(listingsOnly, top, platform::SystemFileSystem().FindEntry(top).value_or(platform::DirEntry()));
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
