#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace base {

// The system's ANSI code page, seen from the UTF-8 logic. On Windows this is CP_ACP.
class AnsiCodec {
  public:
    virtual ~AnsiCodec() = default;
    // Always valid UTF-8; bytes the code page does not define become U+FFFD.
    virtual std::string Decode(std::string_view ansi) const = 0;
    // Nothing when some character has no exact form in the code page (no best-fit look-alikes).
    virtual std::optional<std::string> Encode(std::string_view utf8) const = 0;
};

// How a text file of the program is stored: ANSI as on Windows, or UTF-8 behind a byte-order mark when
// the ANSI code page cannot hold its content. A file saved as UTF-16 with its mark (as Notepad's
// "Unicode") is read as such and stays so, as the system's own profile functions treat it.
enum class TextEncoding { Ansi, Utf8Bom, Utf16LeBom, Utf16BeBom };

inline constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";

bool StartsWithUtf8Bom(std::string_view bytes);
// The encoding a file's first bytes announce; Ansi when they announce none.
TextEncoding EncodingOf(std::string_view fileBytes);
// The mark that starts a file in this encoding (empty for Ansi).
std::string_view MarkOf(TextEncoding encoding);
bool IsUtf16(TextEncoding encoding);

// Valid UTF-8: every byte that does not belong to a well-formed sequence becomes U+FFFD.
std::string ValidUtf8(std::string_view bytes);
bool IsAscii(std::string_view bytes);

// Bytes of a file (or a part of one, without the mark) stored in the given encoding, as UTF-8 text.
std::string DecodeText(std::string_view bytes, TextEncoding encoding, const AnsiCodec& codec);
// UTF-8 text as bytes in the given encoding (without the mark); nothing when ANSI cannot hold it.
std::optional<std::string> EncodeText(std::string_view utf8, TextEncoding encoding, const AnsiCodec& codec);

struct FileText {
    std::string text;  // UTF-8
    TextEncoding encoding = TextEncoding::Ansi;
};

// A whole file: as its mark says (the mark removed), ANSI when it has none.
FileText DecodeFileText(std::string_view fileBytes, const AnsiCodec& codec);

// A whole file's bytes: ANSI when the code page holds the text, otherwise the mark and UTF-8. A file
// that had a mark keeps its encoding, so a user's own UTF-8 file is not turned back into ANSI.
std::string EncodeFileText(std::string_view utf8,
                           const AnsiCodec& codec,
                           TextEncoding current = TextEncoding::Ansi,
                           TextEncoding* chosen = nullptr);

}  // namespace base
