// Times the unnecessary-file search with the default masks over a folder tree, no window, next to the bare
// Win32 listings of the same folders; prints one line per run of each and writes the found paths to a file.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bare_walk.h"
#include "base/comma_text.h"
#include "platform/file_system.h"
#include "platform/locale.h"
#include "platform/win32/unicode.h"
#include "settings/keys.h"
#include "unnecessary/junk_search.h"

namespace {

double Seconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpMessages() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: junk_search_bench <folder> <runs> <found-list-file>\n");
        return 2;
    }
    std::string root = platform::win32::Narrow(argv[1]);
    if (root.size() > 3 && root.back() == '\\')
        root.pop_back();
    const int runs = _wtoi(argv[2]);
    const platform::FileSystem& fileSystem = platform::SystemFileSystem();

    // Everything the masks match, as find lists it: no attribute, empty-file or avoided-name rule.
    unnecessary::SearchRules rules;
    rules.masks = base::FromCommaText(settings::keys::kFilesToFind.fallback);
    rules.IgnoreAttributes = 0;
    rules.IgnoreZeroLengthFiles = false;
    const unnecessary::JunkSearch search(fileSystem, platform::LocaleTextOrder());

    std::vector<std::string> found;
    uint64_t folders = 0;
    for (int run = 0; run < runs; ++run) {
        BareCounts bare;
        LARGE_INTEGER start;
        LARGE_INTEGER end;
        QueryPerformanceCounter(&start);
        WalkBare(platform::win32::Widen(root.back() == '\\' ? root : root + "\\"), bare);
        QueryPerformanceCounter(&end);
        std::printf("listings folders %llu files %llu seconds %.3f\n", bare.folders, bare.files, Seconds(start, end));
        std::fflush(stdout);

        found.clear();
        folders = 0;
        QueryPerformanceCounter(&start);
        search.SearchFolder(
            root, rules,
            [&](const std::string&) {
                ++folders;
                PumpMessages();
                return true;
            },
            [&](const unnecessary::FoundFile& file) { found.push_back(file.path); });
        QueryPerformanceCounter(&end);
        std::printf("search folders %llu found %llu seconds %.3f\n", static_cast<unsigned long long>(folders),
                    static_cast<unsigned long long>(found.size()), Seconds(start, end));
        std::fflush(stdout);
    }
    FILE* out = _wfopen(argv[3], L"wb");
    if (!out)
        return 1;
    for (const std::string& path : found)
        std::fprintf(out, "%s\n", path.c_str());
    std::fclose(out);
    return 0;
}
