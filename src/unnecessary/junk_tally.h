#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "fs/delete_selected.h"

namespace unnecessary {

// Each listed file's share of the total: its size taken upward to a whole kilobyte (1,600 bytes count 2).
int64_t KilobytesOf(uint64_t size);

// The counters beside the found list.
struct JunkTally {
    int64_t FoundCount = 0;
    int64_t TotalKB = 0;

    void Add(uint64_t size);
    // Takes off what Add put on for a file that has gone; never below zero.
    void Remove(uint64_t size);
};

// One listed row as the deletion sees it: its path, the size it was listed with, whether it is chosen.
struct JunkRow {
    std::string path;
    uint64_t size = 0;
    bool selected = false;
};

// What becomes of a chosen row after its file's deletion outcome.
enum class RowFate {
    RemovedGone,    // the file is gone: the row goes and its size comes off the total
    RemovedFailed,  // permanent deletion refused: the user is told, the row goes, its size stays in the total
    Kept,           // recycle bin: the file is still there, so the row stays listed and chosen
};

RowFate FateOf(const fs::DeleteOutcome& outcome, fs::DeleteMethod method);

struct RowsDeleted {
    std::vector<int> removedRows;                // from the highest index down: remove them in this order
    std::vector<fs::DeleteOutcome> leftInPlace;  // recycle bin: files still there, their rows kept and chosen
};

// Deletes the chosen rows' files, from the last row to the first, each chosen row once, and keeps the
// counters: a gone file's size comes off the total. onRefused hears each permanent deletion that failed,
// before the next file is deleted (the window's warning).
RowsDeleted DeleteChosenRows(const platform::FileOps& ops,
                             const std::vector<JunkRow>& rows,
                             fs::DeleteMethod method,
                             JunkTally& tally,
                             const std::function<void(const fs::DeleteOutcome&)>& onRefused);

}  // namespace unnecessary
