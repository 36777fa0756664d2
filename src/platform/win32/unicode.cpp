#include "platform/win32/unicode.h"

#include <windows.h>

#include "platform/wtf8.h"

namespace platform::win32 {

std::wstring Widen(std::string_view utf8) {
    return Wtf8ToWide(utf8);
}

std::string Narrow(std::wstring_view utf16) {
    return Utf16ToWtf8(utf16);
}

}  // namespace platform::win32
