#include "duplicates/list_files.h"

#include <gtest/gtest.h>

#include "../settings/memory_store.h"
#include "base/texts.h"
#include "support/fake_disk.h"

namespace {

using duplicates::ListFileStatus;
using duplicates::ListRow;
using duplicates::SaveOutcome;

const std::string kFolder = "C:\\Program Files\\Vireo\\";
const std::string kListPath = kFolder + "Duplicat.log";
const std::string kPathsPath = kFolder + "NewDupli.log";

ListRow Row(std::string caption) {
    ListRow row;
    row[fs::kNameColumn] = std::move(caption);
    return row;
}

ListRow FileRow(std::string path, std::string size, std::string attr = "   A") {
    return {std::move(path), std::move(size), "Text Document", "2001/05/17 14:05", std::move(attr), "", ""};
}

// A saved search: a blank row before every group but the first, a header row, the group's files.
std::vector<ListRow> OneGroupOfThree(const std::string& header = "Duplicate files.....") {
    return {Row(header), FileRow("C:\\a\\x.txt", "1000"), FileRow("C:\\b\\x.txt", "1000"),
            FileRow("D:\\c d\\x.txt", "1000", "R  A")};
}

class ListFiles : public testing::Test {
  protected:
    void TearDown() override { base::SetFinnishUI(false); }

    duplicates::ReloadedList Reload() {
        const auto file = duplicates::ReadListFile(kListPath, store_, codec_);
        EXPECT_EQ(file.status, ListFileStatus::Read);
        return duplicates::RowsFromListLines(file.lines);
    }

    settings_test::MemoryStore store_;
    settings_test::Latin1Codec codec_;
};

TEST_F(ListFiles, OneGroupOfThreeIsSavedLineByLineAndReloadsWithItsCounts) {
    auto rows = OneGroupOfThree();
    rows.insert(rows.begin(), Row(""));  // a blank row saves as two quotes
    ASSERT_EQ(duplicates::SaveLists(rows, kFolder, store_, codec_), SaveOutcome::Saved);
    EXPECT_EQ(store_.files[kListPath],
              "\"\"\r\n"
              "\"Duplicate files.....\"\r\n"
              "\"C:\\a\\x.txt\",1000,\"Text Document\",\"2001/05/17 14:05\",\"   A\",,\r\n"
              "\"C:\\b\\x.txt\",1000,\"Text Document\",\"2001/05/17 14:05\",\"   A\",,\r\n"
              "\"D:\\c d\\x.txt\",1000,\"Text Document\",\"2001/05/17 14:05\",\"R  A\",,\r\n");
    EXPECT_EQ(store_.files[kPathsPath], "C:\\a\\x.txt\r\nC:\\b\\x.txt\r\nD:\\c d\\x.txt\r\n");

    std::vector<size_t> progress;
    const auto file = duplicates::ReadListFile(kListPath, store_, codec_);
    const auto list = duplicates::RowsFromListLines(file.lines, [&](size_t line) { progress.push_back(line); });
    EXPECT_EQ(progress, (std::vector<size_t>{0, 1, 2, 3, 4}));
    EXPECT_EQ(list.duplicateFiles, 2);
    EXPECT_EQ(list.duplicateBytes, 2000);
    ASSERT_EQ(list.rows.size(), rows.size());
    // The same rows, only the Attr column loses its leading blanks.
    rows[2][fs::kAttrColumn] = "A";
    rows[3][fs::kAttrColumn] = "A";
    EXPECT_EQ(list.rows, rows);
    EXPECT_EQ(list.rows[4][fs::kAttrColumn], "R  A");
}

TEST_F(ListFiles, SeveralGroupsCountEveryFileAfterEachGroupsFirst) {
    std::vector<ListRow> rows = OneGroupOfThree();
    rows.push_back(Row(""));
    rows.push_back(Row("Duplicate files....."));
    rows.push_back(FileRow("E:\\big.bin", "5000000000"));
    rows.push_back(FileRow("E:\\big2.bin", "5000000000"));
    ASSERT_EQ(duplicates::SaveLists(rows, kFolder, store_, codec_), SaveOutcome::Saved);
    const auto list = Reload();
    EXPECT_EQ(list.duplicateFiles, 3);
    EXPECT_EQ(list.duplicateBytes, 2000 + 5000000000LL) << "sizes are 64-bit";
}

TEST_F(ListFiles, FinnishListReloadsWithItsFinnishHeaders) {
    base::SetFinnishUI(true);
    std::vector<ListRow> rows = OneGroupOfThree("Duplikaatti tiedostot.....");
    rows[1][fs::kTypeColumn] = "Tekstitiedosto";
    rows[2][fs::kNameColumn] = "C:\\Työ\\ä.txt";
    ASSERT_EQ(duplicates::SaveLists(rows, kFolder, store_, codec_), SaveOutcome::Saved);
    // ANSI holds the Finnish letters: no mark, one byte each.
    EXPECT_EQ(store_.files[kListPath].substr(0, 30), "\"Duplikaatti tiedostot.....\"\r\n");
    EXPECT_NE(store_.files[kPathsPath].find("C:\\Ty\xF6\\\xE4.txt\r\n"), std::string::npos);

    const auto list = Reload();
    ASSERT_EQ(list.rows.size(), 4u);
    EXPECT_EQ(list.rows[0][fs::kNameColumn], "Duplikaatti tiedostot.....");
    EXPECT_FALSE(duplicates::HasSubItems(list.rows[0])) << "a header row stays a row without sub-items";
    EXPECT_EQ(list.rows[2][fs::kNameColumn], "C:\\Työ\\ä.txt");
    EXPECT_EQ(list.duplicateFiles, 2);
    EXPECT_EQ(list.duplicateBytes, 2000);
}

TEST_F(ListFiles, PathsTheCodePageCannotHoldAreWrittenAsUtf8WithAMark) {
    std::vector<ListRow> rows = OneGroupOfThree();
    rows[2][fs::kNameColumn] = "C:\\Документы\\x.txt";
    ASSERT_EQ(duplicates::SaveLists(rows, kFolder, store_, codec_), SaveOutcome::Saved);
    EXPECT_EQ(store_.files[kListPath].substr(0, 3), "\xEF\xBB\xBF");
    EXPECT_EQ(store_.files[kPathsPath].substr(0, 3), "\xEF\xBB\xBF");
    const auto list = Reload();
    ASSERT_EQ(list.rows.size(), 4u);
    EXPECT_EQ(list.rows[2][fs::kNameColumn], "C:\\Документы\\x.txt");
    EXPECT_EQ(list.duplicateFiles, 2);

    // A list holding only what ANSI can hold is plain ANSI again.
    ASSERT_EQ(duplicates::SaveLists(OneGroupOfThree(), kFolder, store_, codec_), SaveOutcome::Saved);
    EXPECT_EQ(store_.files[kListPath].substr(0, 1), "\"");
}

TEST_F(ListFiles, EmptyListOrAFailedWriteLeavesTheOtherFilesAsTheyWere) {
    store_.files[kListPath] = "old list\r\n";
    store_.files[kPathsPath] = "old paths\r\n";
    EXPECT_EQ(duplicates::SaveLists({}, kFolder, store_, codec_), SaveOutcome::NothingToSave);
    EXPECT_EQ(store_.writes, 0);

    store_.readOnly.insert(kListPath);
    EXPECT_EQ(duplicates::SaveLists(OneGroupOfThree(), kFolder, store_, codec_), SaveOutcome::ListNotWritten);
    EXPECT_EQ(store_.files[kListPath], "old list\r\n");
    EXPECT_EQ(store_.files[kPathsPath], "old paths\r\n") << "NewDupli.log follows only a written Duplicat.log";

    store_.readOnly = {kPathsPath};
    EXPECT_EQ(duplicates::SaveLists(OneGroupOfThree(), kFolder, store_, codec_), SaveOutcome::PathsNotWritten);
    EXPECT_NE(store_.files[kListPath], "old list\r\n");
    EXPECT_EQ(store_.files[kPathsPath], "old paths\r\n");
}

TEST_F(ListFiles, OddListFilesGiveAClearOutcomeAndEveryLineARow) {
    EXPECT_EQ(duplicates::ReadListFile(kListPath, store_, codec_).status, ListFileStatus::Missing);
    store_.files[kListPath] = "\"x\"\r\n";
    store_.unreadable.insert(kListPath);
    EXPECT_EQ(duplicates::ReadListFile(kListPath, store_, codec_).status, ListFileStatus::Unreadable);
    store_.unreadable.clear();

    // Mixed line ends, an unclosed quote, a size that is no number, a header straight after a file row, too
    // many fields, a NUL, an empty line and a last line without its line end.
    store_.files[kListPath] = std::string(
                                  "\"Duplicate files.....\"\n"
                                  "\"C:\\a.txt\",10,t,d,A,,\r"
                                  "\"C:\\b.txt\",ten,t,d,A,,\r\n"
                                  "\"C:\\c.txt\",-5,t\r\n"
                                  "\"C:\\c2.txt\",9999999999999999999,t\r\n"
                                  "\"Duplicate files.....\"\r\n"
                                  "\"C:\\d.txt\",7,t,d,A,1,2,3,4,5\r\n"
                                  "\"C:\\e.txt,7,t\r\n"
                                  "\r\n"
                                  "\"C:\\f.txt\",1") +
                              '\0' + "9,t";
    const auto list = Reload();
    ASSERT_EQ(list.rows.size(), 10u);
    EXPECT_EQ(list.duplicateFiles, 3) << "b, c and c2 follow a file row; the rest follow a header or start a group";
    EXPECT_EQ(list.duplicateBytes, 0) << "neither \"ten\", \"-5\" nor a 19-digit number is a size";
    EXPECT_EQ(list.rows[6][fs::kProdVerColumn], "2") << "fields beyond the columns are dropped";
    EXPECT_EQ(list.rows[7][fs::kNameColumn], "C:\\e.txt,7,t") << "an unclosed quote takes the rest of the line";
    EXPECT_FALSE(duplicates::HasSubItems(list.rows[8]));
    EXPECT_EQ(list.rows[9][fs::kSizeColumn], "1") << "a NUL ends the line";

    // A file of line ends only, and an empty file.
    store_.files[kListPath] = "\r\n\r\n";
    EXPECT_EQ(Reload().rows.size(), 2u);
    store_.files[kListPath] = "";
    EXPECT_TRUE(Reload().rows.empty());
}

TEST_F(ListFiles, SkipListIsReadTrimmedAndNeverWritten) {
    const std::string skipPath = kFolder + "SkipDupl.log";
    EXPECT_FALSE(duplicates::ReadSkipList(kFolder, store_, codec_).has_value());
    // UTF-16 as Notepad saves it, with a blank line and blanks around a path.
    store_.files[skipPath] = std::string(
        "\xFF\xFE"
        "C\0:\0\\\0a\0\r\0\n\0\r\0\n\0 \0C\0:\0\\\0b\0 \0",
        30);
    EXPECT_EQ(duplicates::ReadSkipList(kFolder, store_, codec_), (std::vector<std::string>{"C:\\a", "C:\\b"}));
    store_.unreadable.insert(skipPath);
    EXPECT_FALSE(duplicates::ReadSkipList(kFolder, store_, codec_).has_value());

    ASSERT_EQ(duplicates::SaveLists(OneGroupOfThree(), kFolder, store_, codec_), SaveOutcome::Saved);
    EXPECT_EQ(store_.writes, 2);
}

TEST_F(ListFiles, OnlyAListFileThatIsAFileGetsAQuestion) {
    fs_test::FakeTree tree;
    tree.AddFolder("C:\\v");
    tree.AddFile("C:\\v\\Duplicat.log");
    tree.AddFolder("C:\\v\\SkipDupl.log");
    EXPECT_TRUE(duplicates::ListFileWriteTime(tree, "C:\\v\\Duplicat.log").has_value());
    EXPECT_FALSE(duplicates::ListFileWriteTime(tree, "C:\\v\\SkipDupl.log").has_value());
    EXPECT_FALSE(duplicates::ListFileWriteTime(tree, "C:\\v\\NewDupli.log").has_value());
}

TEST_F(ListFiles, QuestionsNameThePreviousRunInTheInterfaceLanguage) {
    const base::DateTime written{2026, 12, 8, 14, 5, 9};
    base::FormatSettings settings;
    EXPECT_EQ(duplicates::PreviousRunText(written, settings), "previous run on 2026-Dec-08 at 14:05:09");
    const auto english = duplicates::DuplicateListQuestion("previous run on 2026-Dec-08 at 14:05:09");
    EXPECT_EQ(english.title, "Find duplicate files - previous list found");
    EXPECT_EQ(english.text,
              "A list of duplicate files was found from a\rprevious run on 2026-Dec-08 at 14:05:09\r\r"
              "Reloading that list will save time.\r\rDo you want to reload that list?");

    base::SetFinnishUI(true);
    settings.shortMonthNames[11] = "joulu";
    settings.timeSeparator = '.';
    const std::string date = duplicates::PreviousRunText(written, settings);
    EXPECT_EQ(date, "viimeksi käynnistetty 2026-joulu-08 , 14.05.09");
    const auto skip = duplicates::SkipListQuestion(date);
    EXPECT_EQ(skip.title, "Etsi duplikaatit - ohitettavien duplikaattien lista löydetty");
    EXPECT_EQ(skip.text, "Lista tunnetuista ohitettavista duplikaateista löytyi\r" + date +
                             "\r\rListan lataaminen estää näiden tunnettujen duplikaattien uudelleen löytämisen.\r\r"
                             "Haluatko ladata listan?");
    EXPECT_EQ(duplicates::ReloadedCaptionText(), "Vanhat duplikaatit ladattu");
}

}  // namespace
