#include "duplicates/search_folders.h"

#include "base/comma_text.h"
#include "base/text_case.h"
#include "base/texts.h"

namespace duplicates {
namespace {

bool HasNonBlank(std::string_view text) {
    return !base::Trimmed(text).empty();
}

// Normalised, sorted and without repeats; empty items are dropped.
base::SortedStringList NormalisedItems(std::string_view text, const base::TextOrder& order) {
    base::SortedStringList items(order, base::Repeats::Drop);
    for (const std::string& item : base::FromCommaText(text)) {
        if (HasNonBlank(item))
            items.Add(NormalisedFolder(item));
    }
    return items;
}

std::string NestedNotice(const std::string& inner, const std::string& outer) {
    return base::Tx("Folder: " + base::UpperCase(inner) + " is already included in \nfolder: " +
                        base::UpperCase(outer) + " and will therefore be removed.",
                    "Kansio: " + base::UpperCase(inner) + " sisältyy jo \nkansioon: " + base::UpperCase(outer) +
                        " ja siksi se poistetaan.");
}

}  // namespace

std::string NormalisedFolder(std::string_view item) {
    std::string folder = base::LowerCase(base::Trimmed(item));
    if (folder.empty() || folder.front() != '\\')
        folder.insert(folder.begin(), '\\');
    if (folder.back() != '\\')
        folder.push_back('\\');
    return folder;
}

FoldersToSearch NormaliseFoldersToSearch(std::string_view text, const base::TextOrder& order) {
    base::SortedStringList items = NormalisedItems(text, order);
    if (items.Empty())
        items.Add("\\");
    FoldersToSearch result;
    for (int i = 0; i < items.Count(); ++i) {
        const std::string outer = items.Text(i);
        for (int j = i + 1; j < items.Count();) {
            // Every item ends with a backslash, so \doc\ never swallows \docs\.
            if (items.Text(j).starts_with(outer)) {
                result.notices.push_back(NestedNotice(items.Text(j), outer));
                items.Delete(j);
            } else {
                ++j;
            }
        }
    }
    result.folders = items.Texts();
    result.commaText = base::ToCommaText(result.folders);
    return result;
}

SkipFolderList NormaliseSkipFolders(std::string_view text, const base::TextOrder& order) {
    SkipFolderList result;
    for (const auto& entry : NormalisedItems(text, order)) {
        if (entry.text.size() >= 3)
            result.folders.push_back(entry.text);
    }
    result.commaText = base::ToCommaText(result.folders);
    return result;
}

}  // namespace duplicates
