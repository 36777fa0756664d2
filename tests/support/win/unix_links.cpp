#include "support/win/unix_links.h"

#include <windows.h>

#include <cstdio>

#include "platform/win32/extended_path.h"
#include "platform/win32/unicode.h"
#include "support/win/test_drives.h"

namespace testing_support {
namespace {

using platform::win32::ExactPath;
using platform::win32::Widen;

std::string WithoutTrailingSeparator(std::string path) {
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

// Runs /bin/ln with the given option on Windows paths: target exists, linkPath does not yet.
bool RunLn(const char* option, const std::string& target, const std::string& linkPath) {
    const std::string link = WithoutTrailingSeparator(linkPath);
    const std::string unixTarget = UnixPathOf(WithoutTrailingSeparator(target));
    // The link's folder exists; its name does not yet, so ask for the folder's Linux path.
    const size_t slash = link.find_last_of('\\');
    const std::string unixLink = UnixPathOf(link.substr(0, slash)) + "/" + link.substr(slash + 1);
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

}  // namespace testing_support
