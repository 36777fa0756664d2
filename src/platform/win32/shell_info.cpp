#include "platform/shell_info.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/win32/unicode.h"

namespace platform {
namespace {

std::optional<std::string> TypeName(const std::wstring& path, DWORD attributes, UINT flags) {
    SHFILEINFOW info = {};
    if (!SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info), SHGFI_TYPENAME | flags))
        return std::nullopt;
    return win32::Narrow(info.szTypeName);
}

}  // namespace

std::optional<std::string> ShellTypeName(std::string_view path) {
    return TypeName(win32::Widen(path), 0, 0);
}

std::optional<std::string> ShellTypeNameByName(std::string_view name, uint32_t attributes) {
    return TypeName(win32::Widen(name), attributes, SHGFI_USEFILEATTRIBUTES);
}

}  // namespace platform
