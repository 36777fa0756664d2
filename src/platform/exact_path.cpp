#include "platform/exact_path.h"

#include <algorithm>
#include <vector>

namespace platform {
namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && IsLetter(path[0]) && path[1] == ':';
}

bool IsUnc(std::string_view path) {
    return path.size() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]);
}

bool IsAlreadyExtended(std::string_view path) {
    // \\?\ and \\.\ (and the native \??\) reach the system as they are.
    return path.size() >= 4 && IsSeparator(path[0]) && (IsSeparator(path[1]) || path[1] == '?') &&
           (path[2] == '?' || path[2] == '.') && IsSeparator(path[3]);
}

// The root of an absolute path ("C:\" or "\\server\share\") and the rest after it.
struct Rooted {
    std::string root;  // in the extended form
    std::string_view rest;
};

// Splits "\\server\share\rest" into its share root and the rest.
Rooted SplitUnc(std::string_view path) {
    size_t at = 2;
    std::string names[2];
    for (std::string& name : names) {
        while (at < path.size() && IsSeparator(path[at]))
            ++at;
        while (at < path.size() && !IsSeparator(path[at]))
            name += path[at++];
    }
    std::string root = "\\\\?\\UNC\\" + names[0];
    if (!names[1].empty())
        root += "\\" + names[1];
    return {root + "\\", path.substr(at)};
}

Rooted SplitAbsolute(std::string_view path) {
    if (IsUnc(path))
        return SplitUnc(path);
    return {"\\\\?\\" + std::string(1, path[0]) + ":\\", path.substr(2)};
}

// "C:" or "\\server\share" of an absolute path; empty for anything else.
std::string PlainRootOf(std::string_view path) {
    if (HasDrive(path))
        return std::string(path.substr(0, 2));
    if (!IsUnc(path))
        return {};
    const Rooted rooted = SplitUnc(path);
    return "\\\\" + rooted.root.substr(8, rooted.root.size() - 9);
}

std::string_view ClassicName(std::string_view name) {
    while (!name.empty() && (name.back() == '.' || name.back() == ' '))
        name.remove_suffix(1);
    return name;
}

// Adds the names of rest to names, resolving "." and "..".
void AddNames(std::string_view rest, NameForm form, std::vector<std::string_view>& names) {
    size_t at = 0;
    while (at <= rest.size()) {
        size_t end = at;
        while (end < rest.size() && !IsSeparator(rest[end]))
            ++end;
        std::string_view name = rest.substr(at, end - at);
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
        } else if (name != ".") {
            if (form == NameForm::Classic)
                name = ClassicName(name);
            if (!name.empty())
                names.push_back(name);
        }
        at = end + 1;
    }
}

// A name the classic rules take for a device ("con", "nul.txt", "com1"), whatever folder it stands in.
bool IsDeviceName(std::string_view name) {
    std::string base(name.substr(0, name.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    for (char& c : base)
        c = static_cast<char>(c | 0x20);
    if (base == "con" || base == "prn" || base == "aux" || base == "nul")
        return true;
    return base.size() == 4 && (base.rfind("com", 0) == 0 || base.rfind("lpt", 0) == 0) && base[3] >= '1' &&
           base[3] <= '9';
}

bool HasDeviceName(std::string_view path) {
    for (size_t start = 0; start <= path.size();) {
        const size_t end = std::min(path.find('\\', start), path.size());
        if (IsDeviceName(path.substr(start, end - start)))
            return true;
        start = end + 1;
    }
    return false;
}

}  // namespace

bool NeedsCurrentDirectory(std::string_view path) {
    if (path.empty() || IsUnc(path))
        return false;
    if (HasDrive(path))
        return path.size() == 2 || !IsSeparator(path[2]);
    return true;
}

std::string ExtendedPath(std::string_view path, std::string_view currentDirectory, NameForm form) {
    if (path.empty())
        return {};
    if (IsAlreadyExtended(path))
        return std::string(path);

    // Relative forms are first made absolute against the current directory, taken in its plain form: the
    // system may give it back extended when it was set so.
    std::string absolute;
    if (NeedsCurrentDirectory(path)) {
        const std::string plainBase = PlainPath(currentDirectory);
        if (IsAlreadyExtended(plainBase))
            return {};  // a volume or device name: no drive or share to take the path against
        const std::string_view base = plainBase;
        if (HasDrive(path)) {
            // "X:name": the current directory when it is on that drive, else the drive's root.
            const bool sameDrive = HasDrive(base) && (base[0] | 0x20) == (path[0] | 0x20);
            absolute = sameDrive ? std::string(base) : std::string(path.substr(0, 2)) + "\\";
            absolute.append("\\").append(path.substr(2));
        } else if (IsSeparator(path[0])) {
            // "\name": from the root of the current directory's drive or share.
            absolute = PlainRootOf(base) + std::string(path);
        } else {
            absolute = std::string(base) + "\\" + std::string(path);
        }
        if (NeedsCurrentDirectory(absolute))
            return {};  // no usable current directory
        path = absolute;
    }

    const Rooted rooted = SplitAbsolute(path);
    std::vector<std::string_view> names;
    AddNames(rooted.rest, form, names);
    std::string result = rooted.root;
    for (size_t i = 0; i < names.size(); ++i) {
        if (i > 0)
            result += '\\';
        result.append(names[i]);
    }
    return result;
}

std::string PlainPath(std::string_view path) {
    constexpr std::string_view kExtended = "\\\\?\\";
    constexpr std::string_view kUnc = "UNC\\";
    if (path.substr(0, kExtended.size()) != kExtended)
        return std::string(path);
    const std::string_view rest = path.substr(kExtended.size());
    if (rest.substr(0, kUnc.size()) == kUnc)
        return "\\\\" + std::string(rest.substr(kUnc.size()));
    if (HasDrive(rest))
        return std::string(rest);
    return std::string(path);  // a volume name or a device: no plain form
}

std::string CurrentDirectoryForm(std::string_view fullPath, size_t maxLength) {
    const std::string extended = ExtendedPath(fullPath, {});
    const std::string plain = PlainPath(extended);
    if (plain == extended || ExtendedPath(plain, {}, NameForm::Classic) != extended || HasDeviceName(plain))
        return extended;
    size_t units = 1;  // the closing backslash the system adds
    for (const unsigned char c : plain)
        units += ((c & 0xC0) != 0x80) + (c >= 0xF0);  // a lead byte, and a second unit beyond the basic plane
    return units <= maxLength ? plain : extended;
}

std::string PlainRoot(std::string_view path) {
    if (HasDrive(path))
        return path.size() == 2 || IsSeparator(path[2]) ? std::string(path.substr(0, 2)) + "\\" : std::string();
    if (!IsUnc(path) || IsAlreadyExtended(path))
        return {};
    const std::string root = PlainRootOf(path);  // "\\server\share", or "\\server" without a share
    return root.find('\\', 2) == std::string::npos ? std::string() : root + "\\";
}

std::string AbsolutePlainPath(std::string_view path, std::string_view currentDirectory) {
    const std::string extended = ExtendedPath(path, currentDirectory);
    return extended.empty() ? std::string(path) : PlainPath(extended);
}

}  // namespace platform
