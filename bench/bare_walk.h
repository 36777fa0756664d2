#pragma once

#include <windows.h>

#include <string>

// The floor every walk is measured against: a plain FindFirstFileExW listing of each folder, large fetches,
// basic information only, nothing kept but the counts. Folders that are reparse points are not entered.
struct BareCounts {
    unsigned long long folders = 0;
    unsigned long long files = 0;
    unsigned long long bytes = 0;
};

inline void WalkBare(const std::wstring& folder, BareCounts& counts) {
    ++counts.folders;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW((folder + L"*").c_str(), FindExInfoBasic, &data, FindExSearchNameMatch, nullptr,
                                   FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const wchar_t* name = data.cFileName;
        if (name[0] == L'.' && (name[1] == 0 || (name[1] == L'.' && name[2] == 0)))
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
                WalkBare(folder + name + L"\\", counts);
        } else {
            ++counts.files;
            counts.bytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        }
    } while (FindNextFileW(find, &data));
    FindClose(find);
}
