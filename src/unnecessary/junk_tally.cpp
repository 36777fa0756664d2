#include "unnecessary/junk_tally.h"

namespace unnecessary {

int64_t KilobytesOf(uint64_t size) {
    return static_cast<int64_t>(size / 1024 + (size % 1024 != 0 ? 1 : 0));
}

void JunkTally::Add(uint64_t size) {
    ++FoundCount;
    TotalKB += KilobytesOf(size);
}

void JunkTally::Remove(uint64_t size) {
    TotalKB -= KilobytesOf(size);
    if (TotalKB < 0)
        TotalKB = 0;
}

RowFate FateOf(const fs::DeleteOutcome& outcome, fs::DeleteMethod method) {
    if (outcome.result == fs::DeleteResult::Gone)
        return RowFate::RemovedGone;
    return method == fs::DeleteMethod::Permanent ? RowFate::RemovedFailed : RowFate::Kept;
}

RowsDeleted DeleteChosenRows(const platform::FileOps& ops,
                             const std::vector<JunkRow>& rows,
                             fs::DeleteMethod method,
                             JunkTally& tally,
                             const std::function<void(const fs::DeleteOutcome&)>& onRefused) {
    std::vector<int> chosen;
    std::vector<std::string> paths;
    for (int row = static_cast<int>(rows.size()) - 1; row >= 0; --row) {
        if (rows[static_cast<size_t>(row)].selected) {
            chosen.push_back(row);
            paths.push_back(rows[static_cast<size_t>(row)].path);
        }
    }
    RowsDeleted result;
    size_t next = 0;
    fs::DeleteSelected(ops, paths, method, [&](const fs::DeleteOutcome& outcome) {
        const int row = chosen[next++];
        switch (FateOf(outcome, method)) {
            case RowFate::RemovedGone:
                tally.Remove(rows[static_cast<size_t>(row)].size);
                result.removedRows.push_back(row);
                break;
            case RowFate::RemovedFailed:
                if (onRefused)
                    onRefused(outcome);
                result.removedRows.push_back(row);
                break;
            case RowFate::Kept:
                result.leftInPlace.push_back(outcome);
                break;
        }
    });
    return result;
}

}  // namespace unnecessary
