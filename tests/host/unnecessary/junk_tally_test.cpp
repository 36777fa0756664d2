#include <gtest/gtest.h>

#include "base/texts.h"
#include "support/fake_file_ops.h"
#include "unnecessary/junk_tally.h"
#include "unnecessary/junk_texts.h"

using namespace unnecessary;
using fs::DeleteMethod;
using fs_test::FakeOps;
using platform::PathKind;

namespace {

// Restores the interface language a test switched.
class Finnish {
  public:
    Finnish() { base::SetFinnishUI(true); }
    ~Finnish() { base::SetFinnishUI(false); }
};

std::vector<JunkRow> Rows(FakeOps& ops, const std::vector<std::pair<std::string, uint64_t>>& files) {
    std::vector<JunkRow> rows;
    for (const auto& [path, size] : files) {
        ops.disk[path] = PathKind::File;
        rows.push_back({path, size, true});
    }
    return rows;
}

}  // namespace

TEST(JunkTally, EachFileCountsWholeKilobytesUpwardIn64Bits) {
    EXPECT_EQ(KilobytesOf(0), 0);
    EXPECT_EQ(KilobytesOf(1), 1);
    EXPECT_EQ(KilobytesOf(1024), 1);
    EXPECT_EQ(KilobytesOf(1025), 2);
    EXPECT_EQ(KilobytesOf(5'000'000'000ULL), 4'882'813);

    JunkTally tally;
    tally.Add(1600);
    EXPECT_EQ(tally.FoundCount, 1);
    EXPECT_EQ(tally.TotalKB, 2);
    tally.Add(5'000'000'000ULL);  // past 2 GiB the total stays right
    EXPECT_EQ(tally.TotalKB, 4'882'815);
    tally.Remove(5'000'000'000ULL);
    tally.Remove(1600);
    EXPECT_EQ(tally.TotalKB, 0);
    tally.Remove(1600);
    EXPECT_EQ(tally.TotalKB, 0);
}

TEST(JunkTally, RecycleBinRemovesTheRowsWhoseFilesWentAndKeepsTheOthersChosen) {
    FakeOps ops;
    std::vector<JunkRow> rows = Rows(ops, {{"C:\\a.tmp", 1600},
                                           {"C:\\b.tmp", 3000},
                                           {"C:\\c.tmp", 10},
                                           {"C:\\refused.tmp", 2048},
                                           {"C:\\meanwhile.tmp", 1}});
    rows[2].selected = false;
    ops.trashRefuses = {"C:\\refused.tmp"};
    ops.disk.erase("C:\\meanwhile.tmp");  // removed by another program
    JunkTally tally;
    for (const auto& row : rows)
        tally.Add(row.size);
    ASSERT_EQ(tally.TotalKB, 2 + 3 + 1 + 2 + 1);

    int refusals = 0;
    const RowsDeleted deleted =
        DeleteChosenRows(ops, rows, DeleteMethod::RecycleBin, tally, [&](const fs::DeleteOutcome&) { ++refusals; });
    EXPECT_EQ(deleted.removedRows, (std::vector<int>{4, 1, 0}));
    ASSERT_EQ(deleted.leftInPlace.size(), 1u);
    EXPECT_EQ(fs::LeftInPlaceText(deleted.leftInPlace),
              "These files could not be moved to the recycle bin and are still listed:\n\nC:\\refused.tmp - The "
              "recycle bin did not take the file.");
    EXPECT_EQ(tally.TotalKB, 1 + 2);
    EXPECT_EQ(refusals, 0);
    ASSERT_EQ(ops.recycled.size(), 1u);
    EXPECT_EQ(ops.recycled[0], (std::vector<std::string>{"C:\\refused.tmp", "C:\\b.tmp", "C:\\a.tmp"}));
    EXPECT_EQ(ops.disk.count("C:\\c.tmp"), 1u);
}

TEST(JunkTally, PermanentDeletionWarnsRemovesTheRowAndKeepsTheSizeOfAFileItCouldNotDelete) {
    FakeOps ops;
    std::vector<JunkRow> rows = Rows(ops, {{"C:\\next.tmp", 1024}, {"C:\\open.tmp", 4096}, {"C:\\gone.tmp", 1600}});
    ops.refuseDelete["C:\\open.tmp"] = {32, "in use"};
    ops.disk.erase("C:\\gone.tmp");
    JunkTally tally;
    for (const auto& row : rows)
        tally.Add(row.size);

    std::vector<std::string> warned;
    const RowsDeleted deleted =
        DeleteChosenRows(ops, rows, DeleteMethod::Permanent, tally, [&](const fs::DeleteOutcome& o) {
            warned.push_back(o.path);
            // The warning comes before the next file is deleted.
            EXPECT_EQ(ops.disk.count("C:\\next.tmp"), 1u);
        });
    EXPECT_EQ(deleted.removedRows, (std::vector<int>{2, 1, 0}));
    EXPECT_TRUE(deleted.leftInPlace.empty());
    EXPECT_EQ(warned, std::vector<std::string>{"C:\\open.tmp"});
    EXPECT_EQ(tally.TotalKB, 4);  // the open file's share stays
    EXPECT_EQ(ops.disk.count("C:\\next.tmp"), 0u);
}

TEST(JunkTexts, BothLanguages) {
    EXPECT_EQ(FoundText(12), "12 unnecessary files found!");
    EXPECT_EQ(FoundAfterDeleteText(3), "3 unnecessary files found!");
    EXPECT_EQ(TotalSizeText(2), "2 Kb");
    EXPECT_EQ(TotalSizeText(-5), "0 Kb");
    EXPECT_EQ(CaptionText("CD"), "Unnecessary files - C: D: ");
    EXPECT_EQ(SearchingFolderText("C:\\Temp"), "Searching C:\\Temp...");
    EXPECT_EQ(NoFilesFoundText(), "No files found!");
    EXPECT_EQ(DeleteHintText(false), "Deletes selected file(s) PERMANENTLY");
    EXPECT_EQ(UnableToDeleteText("C:\\a.tmp", ""),
              "Unable to delete the file: \n\nC:\\a.tmp\n\nMaybe this file is in use, or is write-protected?");
    EXPECT_EQ(UnsupportedSystemText().find('\r'),
              std::string("This section of Vireo requires Windows 95/98 or NT 4 to run.").size());

    const Finnish finnish;
    EXPECT_EQ(FoundText(12), "Turhia tiedostoja löytynyt 12kpl!");
    EXPECT_EQ(FoundAfterDeleteText(3), "Turhia tiedostoja löydetty 3kpl!");
    EXPECT_EQ(TotalSizeText(2), "2 Kt");
    EXPECT_EQ(CaptionText("C"), "Turhat tiedostot - C: ");
    EXPECT_EQ(SearchingFolderText("C:\\"), "Etsitään C:\\...");
    EXPECT_EQ(NoFilesFoundText(), "Tiedostoja ei löytynyt!");
    EXPECT_EQ(DeleteHintText(true), "Poistaa valitut tiedostot roskakoriin");
    EXPECT_EQ(UnableToDeleteText("C:\\a.tmp", "Käytössä."),
              "Tiedostoa ei pystytä poistamaan:\n\nC:\\a.tmp\n\nEhkä tämä tiedosto on käytössä, tai se on "
              "kirjoitussuojattu?\n\nKäytössä.");
    EXPECT_EQ(UnusedMasksText({"*", "*.*"}), "Maskeja ei käytetä (sopivat kaikkiin nimiin): * *.*");
    EXPECT_EQ(KeepNotFoundStatusText(), "Mitään ei poistettu: säilytettävää tiedostoa ei löytynyt.");
    EXPECT_NE(KeepNotFoundText({"c:\\x.bak"}).find("(-keep=) ei löytynyt:\n\nc:\\x.bak\n\n"), std::string::npos);
}
