#include "unnecessary/command_line.h"

#include "fs/mask_match.h"

namespace unnecessary {
namespace {

std::string LowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return lower;
}

bool StartsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsBlank(char c) {
    return static_cast<unsigned char>(c) <= ' ';
}

// "X:\" or "\\server\": the start of a path that does not depend on any current folder. No name can hold a
// ":" or a doubled backslash, so where one of these follows a blank a new path begins.
bool StartsFullPath(std::string_view text) {
    if (text.size() >= 3 && IsLetter(text[0]) && text[1] == ':' && text[2] == '\\')
        return true;
    if (text.size() < 4 || !StartsWith(text, "\\\\") || text[2] == '\\' || IsBlank(text[2]))
        return false;
    const size_t end = text.find_first_of("\\,", 2);
    return end != std::string_view::npos && text[end] == '\\';
}

bool IsFullPath(std::string_view path) {
    if (!StartsFullPath(path))
        return false;
    if (path[1] == ':')
        return true;
    const size_t afterServer = path.find('\\', 2);
    return path.find('\\', afterServer + 1) != std::string_view::npos;  // a share named too
}

bool IsWildcardFree(std::string_view text) {
    return text.find_first_of("*?") == std::string_view::npos;
}

struct ParsedItem {
    std::string text;
    size_t end = 0;  // where the item ends in the list
};

// A double-quoted item from its opening quote; pos ends after the closing one (or at the end of the list).
ParsedItem QuotedItem(std::string_view list, size_t& pos) {
    ParsedItem item;
    for (++pos; pos < list.size(); ++pos) {
        if (list[pos] != '"') {
            item.text += list[pos];
        } else if (pos + 1 < list.size() && list[pos + 1] == '"') {
            item.text += '"';
            ++pos;
        } else {
            ++pos;
            break;
        }
    }
    item.end = pos;
    return item;
}

// An item without quotes: up to a comma, or to blanks before a quote or a new full path.
ParsedItem PlainItem(std::string_view list, size_t& pos) {
    const size_t start = pos;
    size_t last = pos;
    while (pos < list.size() && list[pos] != ',') {
        if (!IsBlank(list[pos])) {
            last = ++pos;
            continue;
        }
        while (pos < list.size() && IsBlank(list[pos]))
            ++pos;
        if (pos < list.size() && (list[pos] == '"' || StartsFullPath(list.substr(pos))))
            break;
    }
    return {std::string(list.substr(start, last - start)), last};
}

std::vector<ParsedItem> ParseItems(std::string_view list) {
    std::vector<ParsedItem> items;
    size_t pos = 0;
    for (;;) {
        while (pos < list.size() && (IsBlank(list[pos]) || list[pos] == ','))
            ++pos;
        if (pos >= list.size())
            return items;
        ParsedItem item = list[pos] == '"' ? QuotedItem(list, pos) : PlainItem(list, pos);
        if (!item.text.empty())
            items.push_back(std::move(item));
    }
}

void Append(SpecItems& to, const SpecItems& from) {
    to.items.insert(to.items.end(), from.items.begin(), from.items.end());
    to.cutOff.insert(to.cutOff.end(), from.cutOff.begin(), from.cutOff.end());
}

// The files of folder whose names match pattern, or the one file the wildcard-free item names as written.
void AddMatches(const std::string& item, const platform::FileSystem& fileSystem, std::vector<SpecFile>& files) {
    const size_t split = item.find_last_of("\\:");
    const std::string folder = item.substr(0, split + 1);
    const std::string pattern = item.substr(split + 1);
    if (!IsFullPath(item) || pattern.empty() || !IsWildcardFree(folder))
        return;
    const auto isFile = [](const platform::DirEntry& entry) {
        return !(entry.attributes & (platform::attr::kDirectory | platform::attr::kVolumeLabel)) && entry.name != "." &&
               entry.name != "..";
    };
    const size_t before = files.size();
    const fs::Mask mask(pattern);
    fileSystem.ForEachEntry(folder, [&](const platform::DirEntry& entry) {
        if (isFile(entry) && mask.Matches(entry.name))
            files.push_back({folder + entry.name, entry.id});
    });
    if (files.size() > before || !IsWildcardFree(pattern))
        return;
    if (const auto entry = fileSystem.FindEntry(item); entry && isFile(*entry))
        files.push_back({folder + entry->name, entry->id});
}

}  // namespace

SpecItems SplitSpecList(std::string_view list) {
    SpecItems split;
    for (ParsedItem& item : ParseItems(list))
        (item.end <= kMaxSpecLength ? split.items : split.cutOff).push_back(std::move(item.text));
    return split;
}

CommandLine ParseCommandLine(const std::vector<std::string>& arguments) {
    CommandLine line;
    if (arguments.empty())
        return line;
    line.folder = arguments[0];
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string argument = LowerAscii(arguments[i]);
        if (argument == "-auto_delete")
            line.AutoDelete = true;
        else if (StartsWith(argument, "-keep="))
            Append(line.keep, SplitSpecList(std::string_view(argument).substr(6)));
        else if (StartsWith(argument, "-delete="))
            Append(line.remove, SplitSpecList(std::string_view(argument).substr(8)));
    }
    return line;
}

bool IsUnattendedRun(const CommandLine& line) {
    const auto given = [](const SpecItems& list) { return !list.items.empty() || !list.cutOff.empty(); };
    return line.AutoDelete || given(line.keep) || given(line.remove);
}

SpecExpansion ExpandSpecList(const std::vector<std::string>& items, const platform::FileSystem& fileSystem) {
    SpecExpansion expansion;
    for (const std::string& item : items) {
        const size_t before = expansion.files.size();
        AddMatches(item, fileSystem, expansion.files);
        if (expansion.files.size() == before)
            expansion.unmatched.push_back(item);
    }
    return expansion;
}

bool IsSupportedSystem(const SystemVersion& version) {
    return version.platformId == 1 || (version.platformId == 2 && version.major >= 4);
}

}  // namespace unnecessary
