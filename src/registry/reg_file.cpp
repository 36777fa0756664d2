#include "registry/reg_file.h"

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "registry/utf16.h"

namespace registry {
namespace {

constexpr std::u16string_view kHeader = u"Windows Registry Editor Version 5.00";
constexpr size_t kLineWidth = 80;

std::u16string Escaped(std::string_view text) {
    std::u16string out;
    for (const char16_t c : Utf8ToUtf16(text)) {
        if (c == u'\\' || c == u'"')
            out += u'\\';
        out += c;
    }
    return out;
}

std::u16string Ascii(std::string_view text) {
    return std::u16string(text.begin(), text.end());
}

std::string Hex2(unsigned value) {
    static const char kDigits[] = "0123456789abcdef";
    return {kDigits[(value >> 4) & 0xF], kDigits[value & 0xF]};
}

// A REG_SZ whose data is one NUL-terminated text without control characters can be written as text and
// read back to the same bytes; any other is written as hex(1) so that nothing is lost.
bool IsCleanString(std::string_view bytes) {
    if (bytes.size() < 2 || bytes.size() % 2 != 0)
        return false;
    const std::u16string units = UnitsOf(bytes);
    if (units.back() != u'\0')
        return false;
    for (size_t i = 0; i + 1 < units.size(); ++i) {
        if (units[i] < 0x20)
            return false;
    }
    return true;
}

void AppendHex(std::u16string& out, size_t lineStart, std::string_view bytes) {
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::u16string item = Ascii(Hex2(static_cast<unsigned char>(bytes[i])));
        if (i + 1 < bytes.size())
            item += u',';
        // Long data is continued on indented lines, the way the system's own export writes it.
        if (out.size() - lineStart + item.size() > kLineWidth - 3 && i > 0) {
            out += u"\\\r\n  ";
            lineStart = out.size() - 2;
        }
        out += item;
    }
}

void AppendValue(std::u16string& out, const BackupValue& value) {
    const size_t lineStart = out.size();
    if (value.name.empty())
        out += u"@";
    else
        out.append(u"\"").append(Escaped(value.name)).append(u"\"");
    out += u'=';
    if (value.type == 1 && IsCleanString(value.bytes)) {
        std::u16string units = UnitsOf(value.bytes);
        units.pop_back();
        out += u'"';
        for (const char16_t c : units) {
            if (c == u'\\' || c == u'"')
                out += u'\\';
            out += c;
        }
        out += u'"';
    } else if (value.type == 4 && value.bytes.size() == 4) {
        out += u"dword:";
        for (int i = 3; i >= 0; --i)
            out += Ascii(Hex2(static_cast<unsigned char>(value.bytes[static_cast<size_t>(i)])));
    } else {
        if (value.type == 3) {
            out += u"hex:";
        } else {
            char kind[16];
            std::snprintf(kind, sizeof kind, "hex(%x):", static_cast<unsigned>(value.type));
            out += Ascii(kind);
        }
        AppendHex(out, lineStart, value.bytes);
    }
    out += u"\r\n";
}

// --- reading ---

std::u16string_view Trimmed(std::u16string_view line) {
    while (!line.empty() && (line.back() == u' ' || line.back() == u'\t' || line.back() == u'\r'))
        line.remove_suffix(1);
    while (!line.empty() && (line.front() == u' ' || line.front() == u'\t'))
        line.remove_prefix(1);
    return line;
}

std::vector<std::u16string_view> Lines(std::u16string_view text) {
    std::vector<std::u16string_view> lines;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = text.find(u'\n', start);
        lines.push_back(text.substr(start, (end == std::u16string_view::npos ? text.size() : end) - start));
        if (end == std::u16string_view::npos)
            break;
        start = end + 1;
    }
    return lines;
}

// A quoted text at pos (which holds the opening quote); pos ends past the closing quote.
std::optional<std::u16string> Quoted(std::u16string_view line, size_t& pos) {
    std::u16string text;
    for (++pos; pos < line.size(); ++pos) {
        char16_t c = line[pos];
        if (c == u'"') {
            ++pos;
            return text;
        }
        if (c == u'\\') {
            if (++pos >= line.size())
                return std::nullopt;
            c = line[pos];
        }
        text += c;
    }
    return std::nullopt;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

std::optional<std::string> HexBytes(std::u16string_view data) {
    std::string bytes;
    size_t pos = 0;
    while (pos < data.size()) {
        const char16_t c = data[pos];
        if (c == u',' || c == u' ' || c == u'\t' || c == u'\r') {
            ++pos;
            continue;
        }
        const int high = HexDigit(c);
        const int low = pos + 1 < data.size() ? HexDigit(data[pos + 1]) : -1;
        if (high < 0 || low < 0)
            return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
        pos += 2;
    }
    return bytes;
}

bool StartsWith(std::u16string_view text, std::u16string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

}  // namespace

std::string RegFileBytes(const std::vector<BackupValue>& values) {
    std::u16string out;
    out += kHeader;
    out += u"\r\n";
    const BackupValue* previous = nullptr;
    for (const auto& value : values) {
        if (!previous || previous->rootName != value.rootName || previous->path != value.path) {
            out += u"\r\n[" + Utf8ToUtf16(value.rootName);
            if (!value.path.empty())
                out.append(u"\\").append(Utf8ToUtf16(value.path));
            out += u"]\r\n";
        }
        AppendValue(out, value);
        previous = &value;
    }
    out += u"\r\n";
    return "\xFF\xFE" + BytesOf(out);
}

std::optional<std::vector<BackupValue>> ParseRegFile(std::string_view bytes) {
    if (bytes.size() < 2 || bytes[0] != '\xFF' || bytes[1] != '\xFE')
        return std::nullopt;
    const std::u16string text = UnitsOf(bytes.substr(2));
    const std::vector<std::u16string_view> lines = Lines(text);
    size_t index = 0;
    while (index < lines.size() && Trimmed(lines[index]).empty())
        ++index;
    if (index == lines.size() || Trimmed(lines[index]) != kHeader)
        return std::nullopt;
    ++index;

    std::vector<BackupValue> values;
    std::optional<std::pair<std::string, std::string>> key;
    for (; index < lines.size(); ++index) {
        const std::u16string_view line = Trimmed(lines[index]);
        if (line.empty() || line.front() == u';')
            continue;
        if (line.front() == u'[') {
            if (line.back() != u']' || line.size() < 3 || line[1] == u'-')
                return std::nullopt;
            const std::u16string_view inner = line.substr(1, line.size() - 2);
            const size_t slash = inner.find(u'\\');
            key.emplace(Utf16ToUtf8(inner.substr(0, slash)),
                        slash == std::u16string_view::npos ? std::string() : Utf16ToUtf8(inner.substr(slash + 1)));
            continue;
        }
        if (!key)
            return std::nullopt;
        BackupValue value;
        value.rootName = key->first;
        value.path = key->second;
        size_t pos = 0;
        if (line.front() == u'@') {
            pos = 1;
        } else if (line.front() == u'"') {
            const auto name = Quoted(line, pos);
            if (!name)
                return std::nullopt;
            value.name = Utf16ToUtf8(*name);
        } else {
            return std::nullopt;
        }
        while (pos < line.size() && line[pos] == u' ')
            ++pos;
        if (pos >= line.size() || line[pos] != u'=')
            return std::nullopt;
        std::u16string_view data = Trimmed(line.substr(pos + 1));
        if (!data.empty() && data.front() == u'"') {
            size_t at = 0;
            const auto string = Quoted(data, at);
            if (!string || at != data.size())
                return std::nullopt;
            value.type = 1;
            value.bytes = BytesOf(*string + u'\0');
        } else if (StartsWith(data, u"dword:")) {
            const auto digits = data.substr(6);
            if (digits.size() != 8)
                return std::nullopt;
            const auto big = HexBytes(digits);
            if (!big)
                return std::nullopt;
            value.type = 4;
            value.bytes = std::string(big->rbegin(), big->rend());
        } else if (StartsWith(data, u"hex")) {
            const size_t colon = data.find(u':');
            if (colon == std::u16string_view::npos)
                return std::nullopt;
            const std::u16string_view kind = data.substr(3, colon - 3);
            if (kind.empty()) {
                value.type = 3;
            } else {
                if (kind.size() < 3 || kind.front() != u'(' || kind.back() != u')')
                    return std::nullopt;
                uint32_t type = 0;
                for (const char16_t c : kind.substr(1, kind.size() - 2)) {
                    const int digit = HexDigit(c);
                    if (digit < 0 || type > 0x0FFFFFFF)
                        return std::nullopt;
                    type = type * 16 + static_cast<uint32_t>(digit);
                }
                value.type = type;
            }
            std::u16string hex(data.substr(colon + 1));
            // Continued on the next lines while a line ends with a backslash.
            while (!hex.empty() && hex.back() == u'\\') {
                hex.pop_back();
                if (++index >= lines.size() || Trimmed(lines[index]).empty())
                    return std::nullopt;  // cut off in the middle of the data
                hex += Trimmed(lines[index]);
            }
            const auto decoded = HexBytes(hex);
            if (!decoded)
                return std::nullopt;
            value.bytes = *decoded;
        } else {
            return std::nullopt;
        }
        values.push_back(std::move(value));
    }
    return values;
}

std::string BackupFileName(const base::DateTime& when) {
    char name[64];
    std::snprintf(name, sizeof name, "Registry backup %04d-%02d-%02d %02d.%02d.%02d.reg", when.year, when.month,
                  when.day, when.hour, when.minute, when.second);
    return name;
}

namespace {
std::filesystem::path FsPath(const std::string& utf8) {
    return std::filesystem::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}
}  // namespace

bool PathExists(const std::string& path) {
    std::error_code error;
    return std::filesystem::exists(FsPath(path), error);
}

bool WriteFileReplacing(const std::string& path, const std::string& bytes) {
    const std::filesystem::path target = FsPath(path);
    const std::filesystem::path temporary = FsPath(path + ".tmp");
    std::error_code error;
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::filesystem::remove(temporary, error);
            return false;
        }
    }
    if (std::filesystem::file_size(temporary, error) != bytes.size() || error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return false;
    }
    return true;
}

}  // namespace registry
