#include "platform/ansi_codec.h"

#include <windows.h>

#include "platform/win32/unicode.h"

namespace platform {
namespace {

class SystemCodec : public base::AnsiCodec {
  public:
    std::string Decode(std::string_view ansi) const override {
        if (ansi.empty())
            return {};
        const int size = static_cast<int>(ansi.size());
        const int length = MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, nullptr, 0);
        if (length <= 0)
            return base::ValidUtf8(ansi);
        std::wstring wide(static_cast<size_t>(length), L'\0');
        MultiByteToWideChar(CP_ACP, 0, ansi.data(), size, wide.data(), length);
        return win32::Narrow(wide);
    }

    std::optional<std::string> Encode(std::string_view utf8) const override {
        if (utf8.empty())
            return std::string();
        const std::wstring wide = win32::Widen(utf8);
        const int size = static_cast<int>(wide.size());
        // UTF-8 and UTF-7 as the ANSI code page take neither flag nor lpUsedDefaultChar.
        const UINT codePage = GetACP();
        const bool plain = codePage == CP_UTF8 || codePage == CP_UTF7;
        const DWORD flags = plain ? 0 : WC_NO_BEST_FIT_CHARS;
        BOOL usedDefault = FALSE;
        BOOL* usedDefaultOut = plain ? nullptr : &usedDefault;
        const int length = WideCharToMultiByte(CP_ACP, flags, wide.data(), size, nullptr, 0, nullptr, usedDefaultOut);
        if (length <= 0 || usedDefault)
            return std::nullopt;
        std::string result(static_cast<size_t>(length), '\0');
        WideCharToMultiByte(CP_ACP, flags, wide.data(), size, result.data(), length, nullptr, usedDefaultOut);
        if (usedDefault)
            return std::nullopt;
        // A character that was already U+FFFD in the text, or that came back different, cannot be held.
        if (Decode(result) != Narrow(wide))
            return std::nullopt;
        return result;
    }

  private:
    static std::string Narrow(const std::wstring& wide) { return win32::Narrow(wide); }
};

}  // namespace

const base::AnsiCodec& SystemAnsiCodec() {
    static SystemCodec codec;
    return codec;
}

}  // namespace platform
