#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_text.h"

namespace settings {

// The INI text of Options.ini, read and changed the way the system's profile functions do it, but
// keeping every line it does not change byte for byte (its encoding and line end included).
class IniDocument {
  public:
    explicit IniDocument(const base::AnsiCodec& codec);
    // A file's bytes: as its byte-order mark says (UTF-8 or UTF-16), ANSI without one; in a UTF-8 file a
    // line that is no UTF-8 is read as ANSI. Any bytes at all are accepted.
    static IniDocument FromBytes(std::string_view bytes, const base::AnsiCodec& codec);
    std::string ToBytes() const;

    // The value of the first matching key of the first matching section (names without regard to letter
    // case), as the profile reader hands it out: blanks around it dropped, one pair of matching double or
    // single quotes removed, ended at a NUL. Not yet cut to length. Nothing when section or key is missing.
    std::optional<std::string> Find(std::string_view section, std::string_view key) const;

    // Replaces the value in place, or adds the key at the end of its section, or the section (with the
    // key) at the end of the text. The value is stored so that Find gives it back unchanged.
    void Set(std::string_view section, std::string_view key, std::string_view value);

    base::TextEncoding Encoding() const { return encoding_; }

  private:
    struct Line {
        std::string raw;   // the bytes in the file's encoding, without the line end
        std::string text;  // the same as UTF-8
        std::string end;   // "\r\n", "\n", "\r", or "" for a last line without one
    };

    std::string LineText(std::string_view raw) const;
    void MakeRoomFor(std::string_view text);
    Line MakeLine(std::string text) const;
    void SwitchToUtf8();

    const base::AnsiCodec* codec_;
    base::TextEncoding encoding_ = base::TextEncoding::Ansi;
    std::vector<Line> lines_;
};

// The form a value is written in: line breaks (which would start new lines in the file) become blanks,
// a NUL ends it, and a value that the reader would trim or unquote is put between double quotes, which
// the reader removes again.
std::string StoredValue(std::string_view value);

// The first count characters (code points) of a UTF-8 text.
std::string_view FirstCharacters(std::string_view utf8, size_t count);

}  // namespace settings
