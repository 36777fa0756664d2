#include "base/help_url.h"

namespace base {
namespace {

// Characters a path segment of a URL may hold as they are (RFC 3986 unreserved and sub-delims, ':' and '@').
bool KeptAsIs(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
        case '-':
        case '.':
        case '_':
        case '~':
        case '!':
        case '$':
        case '&':
        case '\'':
        case '(':
        case ')':
        case '*':
        case '+':
        case ',':
        case ';':
        case '=':
        case ':':
        case '@':
        case '/':
            return true;
        default:
            return false;
    }
}

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size())
        return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char a = text[i];
        if (a >= 'a' && a <= 'z')
            a = static_cast<char>(a - 'a' + 'A');
        if (a != prefix[i])
            return false;
    }
    return true;
}

}  // namespace

std::string HelpTopicAnchor(int topic) {
    return "topic" + std::to_string(topic);
}

std::string HelpTopicUrl(std::string_view helpFile, int topic) {
    std::string path(helpFile);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    std::string_view rest = path;
    std::string url = "file:///";
    if (StartsWith(rest, "//?/") || StartsWith(rest, "//./")) {
        rest.remove_prefix(4);
        if (StartsWithNoCase(rest, "UNC/")) {
            rest.remove_prefix(4);
            url = "file://";
        }
    } else if (StartsWith(rest, "//")) {
        rest.remove_prefix(2);
        url = "file://";  // the server becomes the URL's host
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    for (const char ch : rest) {
        const auto c = static_cast<unsigned char>(ch);
        if (KeptAsIs(c)) {
            url += ch;
        } else {
            url += '%';
            url += kHex[c >> 4];
            url += kHex[c & 15];
        }
    }
    if (topic > 0)
        url.append("#").append(HelpTopicAnchor(topic));
    return url;
}

}  // namespace base
