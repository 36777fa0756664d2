#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "base/format.h"
#include "duplicates/candidates.h"
#include "duplicates/content_classes.h"
#include "duplicates/search_view.h"
#include "platform/file_reader.h"

namespace duplicates {

// A file time (100 ns steps since 1601 UTC) as local date and time; nothing when it cannot be converted.
using LocalTimeOf = std::function<std::optional<base::DateTime>(int64_t)>;

// The counters of the status bar: files found to duplicate an earlier file of their group, and their bytes.
struct DuplicateCounters {
    uint64_t DuplicateFiles = 0;
    uint64_t DuplicateBytes = 0;
};

// What the comparison needs from around it.
struct CompareContext {
    const platform::FileReader& reader;
    SearchView& view;
    ResultRows& rows;
    const base::TextOrder& order;
    base::FormatSettings format;
    LocalTimeOf localTime;
};

// The second half of a search: takes the candidates in runs of equal key from the end, splits each run into
// groups of identical files and lists the groups.
class Comparison {
  public:
    explicit Comparison(CompareContext context) : context_(std::move(context)) {}

    // Consumes the collection's candidates and empties it.
    void Compare_files(Collection& collection, const SearchSwitches& switches);

    bool Comparing() const { return comparing_; }
    const DuplicateCounters& Counters() const { return counters_; }
    DuplicateCounters& Counters() { return counters_; }
    // Panels 2 and 3 from the counters.
    void Update_compare_display();

  private:
    struct Member;

    void AddToRun(std::vector<Member>& run, const Candidate& candidate, const Collection& collection);
    void PrepareSizeMember(Member& member);
    void CompareGroup(std::vector<Member>& run, int64_t processed);
    void CompareSizeRun(std::vector<Member>& run);
    void CompareNameRun(std::vector<Member>& run);
    void CompareSameChecksum(std::vector<Member>& members);
    std::vector<std::vector<size_t>> DistinctFiles(std::vector<Member>& members, const std::vector<size_t>& indexes);
    void ListGroup(const std::vector<Member>& members, const std::vector<size_t>& group);
    void ShowEnd(bool scanStopped);

    CompareContext context_;
    SearchSwitches switches_;
    DuplicateCounters counters_;
    bool comparing_ = false;
    size_t openFiles_ = 0;  // files of the current run kept open since their checksum
};

// The caption of a group's header row, in the interface language.
std::string HeaderCaption();

}  // namespace duplicates
