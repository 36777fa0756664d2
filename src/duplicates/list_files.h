#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/file_text.h"
#include "base/format.h"
#include "fs/file_rows.h"
#include "platform/file_store.h"
#include "platform/file_system.h"

namespace duplicates {

// The list files kept beside Options.ini. The folder is given with its trailing backslash.
inline constexpr char kDuplicateListName[] = "Duplicat.log";
inline constexpr char kDuplicatePathsName[] = "NewDupli.log";
inline constexpr char kSkipListName[] = "SkipDupl.log";

// A list file larger than this is no list of ours: it reads as unreadable, and nothing is loaded from it.
inline constexpr uint64_t kListFileByteLimit = 256u * 1024 * 1024;

// A row of the result list as the file list view holds it: the Name column is the caption, the other six
// are sub-items. Blank and header rows have no sub-items (all six empty).
using ListRow = fs::RowTexts;

bool HasSubItems(const ListRow& row);
// A file row's caption: at least three characters with a colon second ("C:\...").
bool IsFilePathCaption(std::string_view caption);

// The files' contents as UTF-8 text, one line per row ended by CR LF.
std::string DuplicateListText(const std::vector<ListRow>& rows);
std::string DuplicatePathsText(const std::vector<ListRow>& rows);

enum class SaveOutcome {
    NothingToSave,    // no rows: the files of an earlier run stay as they are
    Saved,            // both files replaced
    ListNotWritten,   // Duplicat.log could not be replaced; NewDupli.log was not touched
    PathsNotWritten,  // Duplicat.log was replaced, NewDupli.log could not be
};

// Writes Duplicat.log and then NewDupli.log, each replacing the old file whole (through a temporary file),
// NewDupli.log only after Duplicat.log was written. Each is ANSI, or UTF-8 with a mark when the code page
// cannot hold its text.
SaveOutcome SaveLists(const std::vector<ListRow>& rows,
                      const std::string& folder,
                      platform::FileStore& store,
                      const base::AnsiCodec& codec);

// A list file's lines, as it is stored (ANSI, or as its mark says). Line ends may be CR LF, LF or CR; a last
// line ending in one gives no extra empty line.
std::vector<std::string> SplitLines(std::string_view text);

enum class ListFileStatus { Read, Missing, Unreadable };

struct ListFileLines {
    ListFileStatus status = ListFileStatus::Missing;
    std::vector<std::string> lines;
};

ListFileLines ReadListFile(const std::string& path, const platform::FileStore& store, const base::AnsiCodec& codec);

// The rows of a reloaded Duplicat.log and what they add to the counters. A file row that follows a file row
// counts once, with its size (second field); a size that is no number adds nothing to the bytes.
struct ReloadedList {
    std::vector<ListRow> rows;
    int64_t duplicateFiles = 0;
    int64_t duplicateBytes = 0;
};

// Called before each line with its index, as the reload moves its progress bar.
using LineProgress = std::function<void(size_t line)>;

ReloadedList RowsFromListLines(const std::vector<std::string>& lines, const LineProgress& progress = {});

// SkipDupl.log's paths: blanks around a line trimmed, empty lines left out. Nothing when the file cannot be
// read, so the known duplicates stay as they were.
std::optional<std::vector<std::string>> ReadSkipList(const std::string& folder,
                                                     const platform::FileStore& store,
                                                     const base::AnsiCodec& codec);

// The last-write time of a list file that exists as a file; nothing for a missing one or a folder of that
// name, which gets no reload question.
std::optional<int64_t> ListFileWriteTime(const platform::FileSystem& files, const std::string& path);

// "previous run on 2026-Dec-08 at 14:05:09", or its Finnish form, in the interface language.
std::string PreviousRunText(const base::DateTime& written, const base::FormatSettings& settings);

struct Question {
    std::string title;
    std::string text;  // lines broken by CR
};

Question SkipListQuestion(std::string_view dateText);
Question DuplicateListQuestion(std::string_view dateText);

// The texts after a reload, and the message when Duplicat.log exists but cannot be read.
std::string ReloadedPanelText();
std::string ReloadedCaptionText();
std::string UnreadableListText(std::string_view path);

}  // namespace duplicates
