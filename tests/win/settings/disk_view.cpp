#include "disk_view.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"

namespace settings_test {

std::vector<std::string> NamesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(platform::win32::ExactPath(folder + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::wstring name = data.cFileName;
        if (name != L"." && name != L"..")
            names.push_back(platform::win32::Narrow(name));
    } while (FindNextFileW(find, &data));
    FindClose(find);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Content(const std::string& path) {
    std::string bytes;
    EXPECT_TRUE(testing_support::ReadFile(path, bytes)) << path;
    return bytes;
}

}  // namespace settings_test
