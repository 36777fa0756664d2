#include "duplicates/list_files.h"

#include "base/comma_text.h"
#include "base/text_case.h"
#include "base/texts.h"

namespace duplicates {
namespace {

// Plain decimal digits; 18 of them at most, which no file size reaches and no sum of them overflows.
std::optional<int64_t> SizeOf(std::string_view text) {
    if (text.empty() || text.size() > 18)
        return std::nullopt;
    int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

bool Replace(platform::FileStore& store, const std::string& path, std::string_view text, const base::AnsiCodec& codec) {
    return store.ReplaceAll(path, base::EncodeFileText(text, codec));
}

}  // namespace

bool HasSubItems(const ListRow& row) {
    for (int column = 1; column < fs::kFileColumnCount; ++column) {
        if (!row[static_cast<size_t>(column)].empty())
            return true;
    }
    return false;
}

bool IsFilePathCaption(std::string_view caption) {
    return caption.size() >= 3 && caption[1] == ':';
}

std::string DuplicateListText(const std::vector<ListRow>& rows) {
    std::string text;
    for (const auto& row : rows) {
        // A caption always goes in quotes; a quote inside (no path holds one) is doubled so the line reads back.
        text += base::QuotedItem(row[fs::kNameColumn]);
        if (HasSubItems(row)) {
            text += ',';
            text += base::ToCommaText(std::vector<std::string>(row.begin() + 1, row.end()));
        }
        text += "\r\n";
    }
    return text;
}

std::string DuplicatePathsText(const std::vector<ListRow>& rows) {
    std::string text;
    for (const auto& row : rows) {
        if (IsFilePathCaption(row[fs::kNameColumn]))
            text += row[fs::kNameColumn] + "\r\n";
    }
    return text;
}

SaveOutcome SaveLists(const std::vector<ListRow>& rows,
                      const std::string& folder,
                      platform::FileStore& store,
                      const base::AnsiCodec& codec) {
    if (rows.empty())
        return SaveOutcome::NothingToSave;
    if (!Replace(store, folder + kDuplicateListName, DuplicateListText(rows), codec))
        return SaveOutcome::ListNotWritten;
    if (!Replace(store, folder + kDuplicatePathsName, DuplicatePathsText(rows), codec))
        return SaveOutcome::PathsNotWritten;
    return SaveOutcome::Saved;
}

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

ListFileLines ReadListFile(const std::string& path, const platform::FileStore& store, const base::AnsiCodec& codec) {
    std::string bytes;
    switch (store.ReadAll(path, bytes, kListFileByteLimit)) {
        case platform::ReadStatus::Missing:
            return {ListFileStatus::Missing, {}};
        case platform::ReadStatus::Failed:
            return {ListFileStatus::Unreadable, {}};
        case platform::ReadStatus::Read:
            break;
    }
    return {ListFileStatus::Read, SplitLines(base::DecodeFileText(bytes, codec).text)};
}

ReloadedList RowsFromListLines(const std::vector<std::string>& lines, const LineProgress& progress) {
    ReloadedList list;
    list.rows.reserve(lines.size());
    bool previousWasFileRow = false;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (progress)
            progress(i);
        const std::vector<std::string> fields = base::FromCommaText(lines[i]);
        ListRow row;
        for (size_t field = 0; field < fields.size() && field < row.size(); ++field)
            row[field] = std::string(base::Trimmed(fields[field]));
        const bool fileRow = fields.size() > 1 && !row[fs::kNameColumn].empty();
        // Only a file row after a file row counts: a header line straight after a group (a hand-edited list)
        // is no duplicate.
        if (previousWasFileRow && fileRow) {
            ++list.duplicateFiles;
            if (const auto size = SizeOf(row[fs::kSizeColumn]))
                list.duplicateBytes += *size;
        }
        previousWasFileRow = fileRow;
        list.rows.push_back(std::move(row));
    }
    return list;
}

std::optional<std::vector<std::string>> ReadSkipList(const std::string& folder,
                                                     const platform::FileStore& store,
                                                     const base::AnsiCodec& codec) {
    ListFileLines file = ReadListFile(folder + kSkipListName, store, codec);
    if (file.status != ListFileStatus::Read)
        return std::nullopt;
    std::vector<std::string> paths;
    for (const auto& line : file.lines) {
        std::string path(base::Trimmed(line));
        if (!path.empty())
            paths.push_back(std::move(path));
    }
    return paths;
}

std::optional<int64_t> ListFileWriteTime(const platform::FileSystem& files, const std::string& path) {
    const auto entry = files.FindEntry(path);
    if (!entry || (entry->attributes & platform::attr::kDirectory) != 0)
        return std::nullopt;
    return entry->writeTime;
}

std::string PreviousRunText(const base::DateTime& written, const base::FormatSettings& settings) {
    return base::FormatDateTime(base::Tx("\"previous run on\" yyyy-mmm-dd \"at\" hh:nn:ss",
                                         "\"viimeksi käynnistetty\" yyyy-mmm-dd \",\" hh:nn:ss"),
                                written, settings);
}

Question SkipListQuestion(std::string_view dateText) {
    const std::string date(dateText);
    return {base::Tx("Find duplicate files - known duplicates to skip list found",
                     "Etsi duplikaatit - ohitettavien duplikaattien lista löydetty"),
            base::Tx("A list of known duplicate files to skip was found from a\r" + date +
                         "\r\rReloading that list will prevent these known duplicates from being found again."
                         "\r\rDo you want to reload that list?",
                     "Lista tunnetuista ohitettavista duplikaateista löytyi\r" + date +
                         "\r\rListan lataaminen estää näiden tunnettujen duplikaattien uudelleen löytämisen."
                         "\r\rHaluatko ladata listan?")};
}

Question DuplicateListQuestion(std::string_view dateText) {
    const std::string date(dateText);
    return {base::Tx("Find duplicate files - previous list found", "Etsi duplikaatit - edellinen lista löytyi"),
            base::Tx("A list of duplicate files was found from a\r" + date +
                         "\r\rReloading that list will save time.\r\rDo you want to reload that list?",
                     "Lista duplikaateista löytyi\r" + date +
                         "\r\rListan lataaminen säästää aikaa.\r\rHaluatko ladata listan?")};
}

std::string ReloadedPanelText() {
    return base::Tx("Duplicates read from file...", "Duplikaatit luettu tiedostosta...");
}

std::string ReloadedCaptionText() {
    return base::Tx("Old duplicates loaded", "Vanhat duplikaatit ladattu");
}

std::string UnreadableListText(std::string_view path) {
    const std::string file(path);
    return base::Tx("The list of duplicate files " + file +
                        " could not be read. It is left as it is; search again to make a new list.",
                    "Duplikaattien listaa " + file +
                        " ei voitu lukea. Se jätetään ennalleen; etsi uudelleen tehdäksesi uuden listan.");
}

}  // namespace duplicates
