#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "fs/date_formats.h"
#include "fs/drive_rows.h"
#include "fs/file_rows.h"

using namespace fs;

namespace {

class FakeVersion : public platform::VersionResource {
  public:
    std::vector<platform::VersionTranslation> translations;
    std::map<std::string, std::string> strings;
    std::vector<platform::VersionTranslation> Translations() const override { return translations; }
    std::optional<std::string> StringValue(std::string_view subBlock) const override {
        const auto it = strings.find(std::string(subBlock));
        if (it == strings.end())
            return std::nullopt;
        return it->second;
    }
};

RowTexts Row(std::string name, std::string size, std::string modified = "", std::string type = "") {
    RowTexts row;
    row[kNameColumn] = std::move(name);
    row[kSizeColumn] = std::move(size);
    row[kTypeColumn] = std::move(type);
    row[kModifiedColumn] = std::move(modified);
    return row;
}

std::vector<std::string> SortedNames(std::vector<RowTexts> rows, const SortOrder& order) {
    RowCompareContext context;
    context.textOrder = base::CompareIgnoringAsciiCase;
    context.now = {2030, 1, 1, 12, 0, 0, 0};
    std::stable_sort(rows.begin(), rows.end(),
                     [&](const RowTexts& a, const RowTexts& b) { return CompareRows(a, b, order, context) < 0; });
    std::vector<std::string> names;
    for (const auto& row : rows)
        names.push_back(row[kNameColumn]);
    return names;
}

}  // namespace

TEST(FileRows, CellTexts) {
    EXPECT_EQ(AttributeText(0), "    ");
    EXPECT_EQ(AttributeText(0x1 | 0x2 | 0x4 | 0x20), "RHSA");
    EXPECT_EQ(AttributeText(0x2 | 0x20 | 0x10), " H A");
    EXPECT_EQ(SizeText(0), "0");
    EXPECT_EQ(SizeText(5'000'000'000ULL), "5000000000");

    UseFileListDateFormats();
    base::FormatSettings dots;
    dots.dateSeparator = '.';
    dots.timeSeparator = '.';
    EXPECT_EQ(ModifiedText(base::DateTime{2001, 5, 17, 14, 5, 0, 0}, base::FormatSettings{}), "2001/05/17 14:05");
    EXPECT_EQ(ModifiedText(base::DateTime{2001, 5, 17, 14, 5, 0, 0}, dots), "2001.05.17 14.05");
    EXPECT_EQ(ModifiedText(base::DateTime{2001, 5, 17, 0, 0, 0, 0}, base::FormatSettings{}), "2001/05/17");
    EXPECT_EQ(ModifiedText(base::DateTime{2001, 5, 17, 0, 0, 1, 0}, base::FormatSettings{}), "2001/05/17 00:00");
    EXPECT_EQ(ModifiedText(std::nullopt, base::FormatSettings{}), "");
}

TEST(FileRows, VersionTextThroughTheFirstTranslation) {
    FakeVersion version;
    version.strings["\\StringFileInfo\\040904b0\\FileVersion"] = "1.2.3.4";
    version.strings["\\StringFileInfo\\040b04e4\\FileVersion"] = "finnish";
    EXPECT_EQ(FileVersionText(&version, "FileVersion"), "");  // no translation table
    version.translations = {{0x0409, 0x04b0}, {0x040b, 0x04e4}};
    EXPECT_EQ(FileVersionText(&version, "FileVersion"), "1.2.3.4");
    EXPECT_EQ(FileVersionText(&version, "ProductVersion"), "");
    version.translations = {{0x040b, 0x04e4}, {0x0409, 0x04b0}};
    EXPECT_EQ(FileVersionText(&version, "FileVersion"), "finnish");
    EXPECT_EQ(FileVersionText(nullptr, "FileVersion"), "");
    EXPECT_EQ(VersionStringBlock({0x0C0A, 0x0001}, "X"), "\\StringFileInfo\\0c0a0001\\X");
}

TEST(FileRows, SortBySizeNameAndModified) {
    UseFileListDateFormats();
    const std::vector<RowTexts> rows = {
        Row("b.txt", "300", "2001/05/17 14:05"), Row("A.txt", "20", "2001/05/17"),
        Row("c.txt", "big", "2001/05/17 14:04"),    // not a number: size 0
        Row("_x.txt", "4000000000", "not a date"),  // not a date: now
    };
    SortOrder order;
    EXPECT_EQ(order.column, kSizeColumn);
    EXPECT_TRUE(order.ascending);
    EXPECT_EQ(SortedNames(rows, order), (std::vector<std::string>{"c.txt", "A.txt", "b.txt", "_x.txt"}));
    order.Click(kSizeColumn);  // a fresh list's first Size click: descending
    EXPECT_FALSE(order.ascending);
    EXPECT_EQ(SortedNames(rows, order), (std::vector<std::string>{"_x.txt", "b.txt", "A.txt", "c.txt"}));
    order.Click(kNameColumn);
    EXPECT_TRUE(order.ascending);
    // A to Z fold to upper case, so "_" (after "Z") sorts after the letters.
    EXPECT_EQ(SortedNames(rows, order), (std::vector<std::string>{"A.txt", "b.txt", "c.txt", "_x.txt"}));
    order.Click(kModifiedColumn);
    EXPECT_EQ(SortedNames(rows, order), (std::vector<std::string>{"A.txt", "c.txt", "b.txt", "_x.txt"}));
    order.Click(kModifiedColumn);
    EXPECT_EQ(SortedNames(rows, order), (std::vector<std::string>{"_x.txt", "b.txt", "c.txt", "A.txt"}));
}

TEST(FileRows, TextColumnsAndOutOfRange) {
    const std::vector<RowTexts> rows = {Row("1", "0", "", "text document"), Row("2", "0", "", "Application"),
                                        Row("3", "0", "", "")};
    SortOrder order;
    order.Click(kTypeColumn);
    EXPECT_EQ(SortedNames(rows, order), (std::vector<std::string>{"3", "2", "1"}));
    EXPECT_EQ(SizeOfText("-12"), -12);
    EXPECT_EQ(SizeOfText(" 12"), 0);
    EXPECT_EQ(SizeOfText("99999999999999999999"), 0);
    EXPECT_EQ(SizeOfText(""), 0);
    order.column = 9;
    RowCompareContext context;
    EXPECT_EQ(CompareRows(rows[0], rows[1], order, context), 0);
}

TEST(DriveRows, LettersFromCaptions) {
    EXPECT_EQ(DriveLetterOf("System (C:)"), "C");
    EXPECT_EQ(DriveLetterOf("cd (d:)"), "D");
    EXPECT_EQ(DriveLetterOf("D:"), "");
    EXPECT_EQ(DriveLetterOf("Local Disk (C)"), "");
    // A label holding " (" of its own still yields the drive's letter.
    EXPECT_EQ(DriveLetterOf("Backup (old) (E:)"), "E");
    EXPECT_EQ(DriveLetterOf("x (y (F:)"), "F");
    // The choice comes from each row's letter, however its caption reads.
    EXPECT_EQ(DriveLettersOf({'C', 'd', 'Z'}), "CDZ");
    EXPECT_EQ(DriveLettersOf({0, '1', 'C' + 256, -1, 'E'}), "E");
    EXPECT_EQ(DriveLettersOf({}), "");
}

TEST(DriveRows, WhichDrivesAreListedAndChosen) {
    EXPECT_EQ(DriveRootsOf((1u << 2) | (1u << 3) | (1u << 25)), (std::vector<std::string>{"C:\\", "D:\\", "Z:\\"}));
    EXPECT_TRUE(DriveRootsOf(0).empty());
    using platform::DriveKind;
    EXPECT_FALSE(IsListedDrive(DriveKind::Unknown));
    EXPECT_FALSE(IsListedDrive(DriveKind::NoRoot));
    for (auto kind :
         {DriveKind::Removable, DriveKind::Fixed, DriveKind::Remote, DriveKind::CdRom, DriveKind::RamDisk}) {
        EXPECT_TRUE(IsListedDrive(kind));
        EXPECT_EQ(IsPreselectedDrive(kind, true), kind == DriveKind::Fixed);
        EXPECT_FALSE(IsPreselectedDrive(kind, false));
    }
}
