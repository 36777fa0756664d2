#include "platform/win32/unicode.h"

#include <windows.h>

#include "platform/win32/extended_path.h"
#include "platform/wtf8.h"

namespace platform::win32 {

std::wstring Widen(std::string_view utf8) {
    return Wtf8ToWide(utf8);
}

std::string Narrow(std::wstring_view utf16) {
    return Utf16ToWtf8(utf16);
}

std::wstring LongPath(std::string_view utf8Path) {
    // 248 rather than MAX_PATH: CreateDirectoryW already refuses shorter paths than the file functions do.
    // A shorter path is left to the classic rules; a longer one gets what those rules would have done
    // ("..", ".", doubled backslashes resolved), which the \\?\ form no longer does for it.
    if (utf8Path.size() < 248 || utf8Path.rfind("\\\\?\\", 0) == 0)
        return Widen(utf8Path);
    return ClassicPath(utf8Path);
}

}  // namespace platform::win32
