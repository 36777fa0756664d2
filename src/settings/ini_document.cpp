#include "settings/ini_document.h"

namespace settings {
namespace {

// Ctrl-Z counts as a blank too: old editors end a text file with one.
bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n' || c == '\x1a';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

enum class Kind { Other, Section, Key };

struct Parsed {
    Kind kind = Kind::Other;
    std::string_view name;
    size_t valueStart = 0;  // a key's value: from here (blanks after "=" skipped) to the end of the line
};

Parsed Classify(std::string_view text) {
    Parsed parsed;
    size_t start = 0;
    while (start < text.size() && IsBlank(text[start]))
        ++start;
    if (start < text.size() && text[start] == '[') {
        parsed.kind = Kind::Section;
        const size_t close = text.rfind(']');
        const size_t stop = close == std::string_view::npos || close < start ? text.size() : close;
        parsed.name = Trimmed(text.substr(start + 1, stop - start - 1));
        return parsed;
    }
    const size_t equals = text.find('=', start);
    if (equals == std::string_view::npos)
        return parsed;
    parsed.kind = Kind::Key;
    parsed.name = Trimmed(text.substr(start, equals - start));
    parsed.valueStart = equals + 1;
    while (parsed.valueStart < text.size() && IsBlank(text[parsed.valueStart]))
        ++parsed.valueStart;
    return parsed;
}

std::string ReadValue(std::string_view raw) {
    std::string_view value = Trimmed(raw);
    if (value.size() >= 2 && IsQuote(value.front()) && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value.substr(0, value.find('\0')));
}

}  // namespace

std::string StoredValue(std::string_view value) {
    std::string stored(value.substr(0, value.find('\0')));
    for (char& c : stored) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    const bool trimmed = !stored.empty() && (IsBlank(stored.front()) || IsBlank(stored.back()));
    const bool unquoted = stored.size() >= 2 && IsQuote(stored.front()) && stored.back() == stored.front();
    if (trimmed || unquoted) {
        stored.insert(stored.begin(), '"');
        stored.push_back('"');
    }
    return stored;
}

std::string_view FirstCharacters(std::string_view utf8, size_t count) {
    size_t pos = 0;
    for (size_t seen = 0; pos < utf8.size(); ++pos) {
        if ((static_cast<unsigned char>(utf8[pos]) & 0xC0) != 0x80 && seen++ == count)
            break;
    }
    return utf8.substr(0, pos);
}

IniDocument::IniDocument(const base::AnsiCodec& codec) : codec_(&codec) {}

IniDocument IniDocument::FromBytes(std::string_view bytes, const base::AnsiCodec& codec) {
    IniDocument document(codec);
    document.encoding_ = base::EncodingOf(bytes);
    bytes.remove_prefix(base::MarkOf(document.encoding_).size());
    // A UTF-16 file is split into lines as UTF-8 and put together again when written.
    const bool utf16 = base::IsUtf16(document.encoding_);
    const std::string decoded = utf16 ? base::DecodeText(bytes, document.encoding_, codec) : std::string();
    if (utf16)
        bytes = decoded;
    size_t pos = 0;
    while (pos < bytes.size()) {
        const size_t stop = bytes.find_first_of("\r\n", pos);
        Line line;
        line.raw = std::string(bytes.substr(pos, stop == std::string_view::npos ? std::string_view::npos : stop - pos));
        if (stop == std::string_view::npos) {
            pos = bytes.size();
        } else {
            const size_t endLength = bytes.substr(stop, 2) == "\r\n" ? 2 : 1;
            line.end = std::string(bytes.substr(stop, endLength));
            pos = stop + endLength;
        }
        line.text = utf16 ? line.raw : document.LineText(line.raw);
        document.lines_.push_back(std::move(line));
    }
    return document;
}

std::string IniDocument::ToBytes() const {
    std::string body;
    for (const Line& line : lines_)
        body += line.raw + line.end;
    std::string bytes(base::MarkOf(encoding_));
    if (base::IsUtf16(encoding_))
        bytes += base::EncodeText(body, encoding_, *codec_).value_or(std::string());
    else
        bytes += body;
    return bytes;
}

std::optional<std::string> IniDocument::Find(std::string_view section, std::string_view key) const {
    bool inSection = false;
    for (const Line& line : lines_) {
        const Parsed parsed = Classify(line.text);
        if (parsed.kind == Kind::Section) {
            // Only the first section of a name counts, as with the system's reader.
            if (inSection)
                return std::nullopt;
            inSection = SameName(parsed.name, section);
        } else if (inSection && parsed.kind == Kind::Key && SameName(parsed.name, key)) {
            return ReadValue(std::string_view(line.text).substr(parsed.valueStart));
        }
    }
    return std::nullopt;
}

void IniDocument::MakeRoomFor(std::string_view text) {
    // The code page cannot hold this text: the whole file becomes UTF-8 rather than losing it.
    if (encoding_ == base::TextEncoding::Ansi && !base::EncodeText(text, encoding_, *codec_))
        SwitchToUtf8();
}

IniDocument::Line IniDocument::MakeLine(std::string text) const {
    Line line;
    line.end = "\r\n";
    line.raw = base::IsUtf16(encoding_) ? text : base::EncodeText(text, encoding_, *codec_).value_or(text);
    line.text = std::move(text);
    return line;
}

std::string IniDocument::LineText(std::string_view raw) const {
    // A UTF-8 file that was ANSI before keeps the lines nobody changed as they were: a line that is no
    // UTF-8 is one of those.
    if (encoding_ == base::TextEncoding::Utf8Bom && base::ValidUtf8(raw) != raw)
        return codec_->Decode(raw);
    return base::DecodeText(raw, encoding_, *codec_);
}

void IniDocument::SwitchToUtf8() {
    // Only the mark changes: the lines not written keep their bytes, and LineText reads them back.
    encoding_ = base::TextEncoding::Utf8Bom;
}

void IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    const std::string stored = StoredValue(value);
    MakeRoomFor(stored);
    MakeRoomFor(section);
    MakeRoomFor(key);
    size_t sectionAt = lines_.size();
    size_t lastFilled = 0;  // the last non-blank line of the section, its header included
    for (size_t i = 0; i < lines_.size(); ++i) {
        const Parsed parsed = Classify(lines_[i].text);
        if (sectionAt == lines_.size()) {
            if (parsed.kind == Kind::Section && SameName(parsed.name, section)) {
                sectionAt = i;
                lastFilled = i;
            }
            continue;
        }
        if (parsed.kind == Kind::Section)
            break;
        if (parsed.kind == Kind::Key && SameName(parsed.name, key)) {
            std::string end = lines_[i].end;
            Line line = MakeLine(lines_[i].text.substr(0, parsed.valueStart) + stored);
            line.end = std::move(end);
            lines_[i] = std::move(line);
            return;
        }
        if (!Trimmed(lines_[i].text).empty())
            lastFilled = i;
    }

    Line keyLine = MakeLine(std::string(key) + "=" + stored);
    if (sectionAt != lines_.size()) {
        if (lines_[lastFilled].end.empty())
            lines_[lastFilled].end = "\r\n";
        lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(lastFilled) + 1, std::move(keyLine));
        return;
    }
    std::string headerText = "[";
    headerText.append(section).append("]");
    Line header = MakeLine(std::move(headerText));
    if (!lines_.empty()) {
        if (lines_.back().end.empty())
            lines_.back().end = "\r\n";
        if (!Trimmed(lines_.back().text).empty())
            lines_.push_back(MakeLine(""));
    }
    lines_.push_back(std::move(header));
    lines_.push_back(std::move(keyLine));
}

}  // namespace settings
