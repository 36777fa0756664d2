#pragma once

#include <gtest/gtest.h>

#include <string>

#include "base/texts.h"
#include "duplicates/collection.h"
#include "duplicates/comparison.h"
#include "fake_files.h"
#include "fs/tree_scanner.h"

namespace dupes_test {

// A whole search (collection, then comparison) over fake files on drive C:.
class SearchTest : public ::testing::Test {
  protected:
    SearchTest() {
        base::SetFinnishUI(false);
        switches.CheckFileStamp = false;
        inputs.drives = "C";
        files.AddFolder("C:");
    }
    ~SearchTest() override { base::SetFinnishUI(false); }

    duplicates::Collection Collect() {
        fs::TTreeScanner scanner(files, order);
        return duplicates::Find_files_to_compare(inputs, switches, known, scanner, files, view, rows, order);
    }
    void Compare(duplicates::Collection& collection) {
        duplicates::Comparison comparison({files, view, rows, order, {}, LocalTime});
        comparison.Compare_files(collection, switches);
        counters = comparison.Counters();
    }
    std::vector<std::string> Search() {
        auto collection = Collect();
        Compare(collection);
        return rows.lines;
    }

    // Ticks of whole seconds as a local time, enough to tell stamps apart.
    static std::optional<base::DateTime> LocalTime(int64_t ticks) {
        const int64_t seconds = ticks / 10'000'000;
        base::DateTime when;
        when.year = 2001;
        when.month = 1;
        when.day = 1 + static_cast<int>(seconds / 86400 % 28);
        when.hour = static_cast<int>(seconds / 3600 % 24);
        when.minute = static_cast<int>(seconds / 60 % 60);
        when.second = static_cast<int>(seconds % 60);
        return when;
    }

    base::TextOrder order = base::CompareIgnoringAsciiCase;
    FakeFiles files;
    RecordingView view;
    RecordedRows rows;
    duplicates::SearchSwitches switches;
    duplicates::SearchInputs inputs;
    duplicates::TextSet known{duplicates::OrderLess{&order}};
    duplicates::DuplicateCounters counters;
};

}  // namespace dupes_test
