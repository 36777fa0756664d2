#include "platform/win32/extended_path.h"

#include <windows.h>

#include "platform/exact_path.h"
#include "platform/win32/unicode.h"

namespace platform::win32 {
namespace {

std::wstring Extended(std::string_view utf8Path, NameForm form) {
    const std::string current = NeedsCurrentDirectory(utf8Path) ? CurrentDirectoryText() : std::string();
    return Widen(ExtendedPath(utf8Path, current, form));
}

}  // namespace

std::string CurrentDirectoryText() {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0)
            return {};
        if (length < buffer.size()) {
            buffer.resize(length);
            // Set in the extended form, the system gives it back so; read, it is always the plain one.
            return PlainPath(Narrow(buffer));
        }
        buffer.resize(length);
    }
}

std::wstring ExactPath(std::string_view utf8Path) {
    return Extended(utf8Path, NameForm::Exact);
}

std::wstring ClassicPath(std::string_view utf8Path) {
    return Extended(utf8Path, NameForm::Classic);
}

}  // namespace platform::win32
