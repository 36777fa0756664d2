#include "unnecessary/command_line.h"

#include "base/comma_text.h"
#include "fs/mask_match.h"
#include "settings/mask_list.h"

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

// "X:\" or "\\server\share\": a path that does not depend on any current folder.
bool IsFullPath(std::string_view path) {
    const bool drive = path.size() >= 3 && path[1] == ':' && path[2] == '\\' &&
                       ((path[0] >= 'a' && path[0] <= 'z') || (path[0] >= 'A' && path[0] <= 'Z'));
    return drive || (StartsWith(path, "\\\\") && path.find('\\', 2) != std::string_view::npos);
}

bool IsWildcardFree(std::string_view text) {
    return text.find_first_of("*?") == std::string_view::npos;
}

}  // namespace

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
            line.keepSpecs.push_back(CutSpecList(std::string_view(argument).substr(6)));
        else if (StartsWith(argument, "-delete="))
            line.deleteSpecs.push_back(CutSpecList(std::string_view(argument).substr(8)));
    }
    return line;
}

std::string CutSpecList(std::string_view list) {
    if (list.size() <= kMaxSpecLength)
        return std::string(list);
    std::vector<std::string> cut = base::FromCommaText(list.substr(0, kMaxSpecLength));
    const std::vector<std::string> whole = base::FromCommaText(list);
    const auto isSeparator = [](char c) { return c == ',' || static_cast<unsigned char>(c) <= ' '; };
    if (!cut.empty()) {
        const size_t last = cut.size() - 1;
        const bool complete = last < whole.size() && cut[last] == whole[last] &&
                              (isSeparator(list[kMaxSpecLength - 1]) || isSeparator(list[kMaxSpecLength]));
        if (!complete)
            cut.pop_back();
    }
    return base::ToCommaText(cut);
}

void ExpandSpecList(base::SortedStringList& list, std::string_view text, const platform::FileSystem& fileSystem) {
    const base::SortedStringList items = settings::MaskListFromText(text, base::CompareIgnoringAsciiCase);
    for (const auto& item : items) {
        const std::string& wanted = item.text;
        const size_t split = wanted.find_last_of("\\:");
        if (split == std::string::npos || !IsFullPath(wanted))
            continue;
        const std::string folder = wanted.substr(0, split + 1);
        const std::string pattern = wanted.substr(split + 1);
        if (pattern.empty() || !IsWildcardFree(folder))
            continue;
        const fs::Mask mask(pattern);
        fileSystem.ForEachEntry(folder, [&](const platform::DirEntry& entry) {
            if (entry.attributes & (platform::attr::kDirectory | platform::attr::kVolumeLabel))
                return;
            if (entry.name == "." || entry.name == ".." || !mask.Matches(entry.name))
                return;
            list.Add(folder + entry.name);
        });
    }
}

bool IsSupportedSystem(const SystemVersion& version) {
    return version.platformId == 1 || (version.platformId == 2 && version.major >= 4);
}

}  // namespace unnecessary
