#include "usage/display_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "base/texts.h"
#include "fake_volumes.h"
#include "support/fake_disk.h"

namespace {

using usage::DisplayedList;
using usage::DisplayOptions;
using usage::TFolderList;

// A measured tree: files and folders added through the fake disk, walked with clusters of 4096 bytes.
class Measured {
  public:
    explicit Measured(std::string top = "C:\\m") : top_(top) { tree_.AddFolder(top); }
    Measured& File(const std::string& path, uint64_t size) {
        tree_.AddFile(top_ + "\\" + path, size);
        return *this;
    }
    Measured& Folder(const std::string& path) {
        tree_.AddFolder(top_ + "\\" + path);
        return *this;
    }
    // Runs the walk; a free-space entry of the given size goes first, as at a drive root.
    TFolderList& Scan(std::optional<uint64_t> freeSpace = std::nullopt) {
        list_.Reset(top_ + "\\");
        if (freeSpace)
            list_.AddEntry("(" + top_.substr(0, 2) + " free space)", *freeSpace, *freeSpace);
        bool stop = false;
        list_.Scan(usage::ScanContext{tree_, volumes_, stop, 4096});
        return list_;
    }

  private:
    std::string top_;
    fs_test::FakeTree tree_;
    usage_test::FakeVolumes volumes_;
    TFolderList list_{nullptr, "."};
};

DisplayedList Show(const TFolderList& list, DisplayOptions options = {}) {
    auto shown = usage::Display_list(&list, options);
    EXPECT_TRUE(shown.has_value());
    return shown ? *shown : DisplayedList{};
}

std::vector<std::string> Lines(const DisplayedList& shown) {
    std::vector<std::string> lines;
    for (const auto& line : shown.SortList)
        lines.push_back(line.Text);
    return lines;
}

std::vector<std::string> Labels(const DisplayedList& shown) {
    std::vector<std::string> labels;
    for (const auto& slice : shown.Slices)
        labels.push_back(slice.Label);
    return labels;
}

TEST(DisplayList, LabelsFromSixPercentWithHalvesToEven) {
    Measured m;
    m.File("Ten", 100).File("Few", 59).File("Rest", 841);
    DisplayedList shown = Show(m.Scan());
    EXPECT_EQ(Labels(shown), (std::vector<std::string>{"ten 10%", " ", "rest 84%"}));
    EXPECT_EQ(shown.Slices[1].Value, 59);
    EXPECT_EQ(shown.Nimet, (std::vector<std::string>{"ten", "few", "rest"}));
    EXPECT_EQ(shown.Luvut, (std::vector<std::string>{"100", "59", "841"}));
    EXPECT_EQ(Lines(shown), (std::vector<std::string>{"841   rest", "100   ten", "59   few"}));

    Measured halves;
    halves.File("a", 125).File("b", 135).File("c", 740);
    EXPECT_EQ(Labels(Show(halves.Scan())), (std::vector<std::string>{"a 12%", "b 14%", "c 74%"}));

    Measured nothing;
    nothing.File("zero", 0).File("also", 0);
    EXPECT_EQ(Labels(Show(nothing.Scan())), (std::vector<std::string>{" ", " "}));  // total 0: no labels
}

TEST(DisplayList, SixteenColoursInTurnAndTheParentEntryWhiteAndLast) {
    Measured m;
    for (int i = 0; i < 17; ++i)
        m.File(std::string("f").append(std::to_string(i)), 1);
    DisplayedList shown = Show(m.Scan());
    ASSERT_EQ(shown.Slices.size(), 17u);
    const std::vector<uint32_t> expected = {0xFFFFFF, 0x00FFFF, 0x008000, 0xFF00FF, 0x0000FF, 0xFFFF00,
                                            0x00FF00, 0xFF0000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0xFFFF00,
                                            0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF, 0xFFFFFF};
    for (size_t i = 0; i < 17; ++i)
        EXPECT_EQ(shown.Slices[i].Colour, expected[i]) << i;

    Measured tree;
    tree.Folder("Sub").File("Sub\\Big", 50).File("Sub\\zero", 0).File("Sub\\Mid", 20);
    TFolderList& top = tree.Scan();
    DisplayedList sub = Show(*top.Data(0).SubList);
    EXPECT_EQ(sub.Nimet[0], "..");
    EXPECT_EQ(sub.Slices[0].Colour, 0xFFFFFFu);
    EXPECT_EQ(sub.Slices[0].Value, 0);
    const auto lines = Lines(sub);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0], "50   big");
    EXPECT_EQ(lines[1], "20   mid");
    EXPECT_TRUE((lines[2] == "0   .." && lines[3] == "0   zero") || (lines[2] == "0   zero" && lines[3] == "0   .."));
    EXPECT_TRUE(sub.UpEnabled);
    EXPECT_FALSE(Show(top).UpEnabled);
}

TEST(DisplayList, TheFreeSpaceSliceIsNavyAndCountsOnlyInTheTip) {
    Measured m("D:");
    m.File("a", 1000).File("b", 3000);
    TFolderList& top = m.Scan(uint64_t{6000});
    DisplayOptions options;
    options.FolderPath = "D:\\";
    options.FreeBytes = 6000;
    DisplayedList shown = Show(top, options);
    EXPECT_EQ(shown.Slices[0].Colour, usage::kNavy);
    EXPECT_EQ(shown.Slices[0].Label, "(d: free space) 60%");
    EXPECT_EQ(shown.Slices[1].Colour, 0x00FFFFu);
    EXPECT_EQ(Lines(shown), (std::vector<std::string>{"6000   (d: free space)", "3000   b", "1000   a"}));
    EXPECT_EQ(shown.Panels[0], "Bytes: 4,000");
    EXPECT_EQ(shown.Panels[1], "Files: 2");
    EXPECT_EQ(shown.TipTotal, 10000);
    EXPECT_EQ(usage::SliceTip(shown, 2, options.units, false), "b 3000 (30%)");

    // Below the root, or with the free space hidden, the tip total is the list's own.
    options.FolderPath = "D:\\x";
    EXPECT_EQ(Show(top, options).TipTotal, 4000);

    // Named in another language than the one now in force: it takes its turn's colour.
    base::SetFinnishUI(true);
    options.FolderPath = "D:\\";
    EXPECT_EQ(Show(top, options).Slices[0].Colour, 0xFFFFFFu);
    base::SetFinnishUI(false);
}

TEST(DisplayList, UnitsAndMeasuresWithTheirPrecedence) {
    Measured m;
    m.File("a", 1065).File("b", 1034).File("c", 3000).Folder("s").File("s\\x", 1).File("s\\y", 1);
    TFolderList& top = m.Scan();
    DisplayOptions options;

    options.units = {false, true, false, false};  // KB: 1.04 and 1.01 both show 1.0 and tie
    DisplayedList kb = Show(top, options);
    EXPECT_EQ(Lines(kb), (std::vector<std::string>{"2.9   c", "1.0   b", "1.0   a", "0.0   \\s"}));
    EXPECT_DOUBLE_EQ(kb.DisplayedSum, 4.9);
    EXPECT_EQ(kb.Luvut[0], "1065");
    EXPECT_EQ(usage::SliceTip(kb, 0, options.units, false), "a 1.0 (21%)");

    options.units = {true, true, true, false};  // bytes text wins
    EXPECT_EQ(Show(top, options).SortList[0].Text, "3000   c");
    options.units = {false, true, true, false};  // MB over KB
    EXPECT_EQ(Show(top, options).SortList[0].Text, "0.003   c");
    options.units = {false, false, false, true};  // count: files, whatever the measure
    DisplayedList count = Show(top, options);
    EXPECT_EQ(Lines(count), (std::vector<std::string>{"2   \\s", "1   c", "1   a", "1   b"}));
    EXPECT_EQ(count.DisplayedSum, 5);
    EXPECT_EQ(count.Panels[0], "Bytes: 5,101");  // the total stays in bytes
    EXPECT_EQ(usage::SliceTip(count, 3, options.units, false), "\\s 2 (40%)");
    options.units = {false, false, true, true};  // count text wins over MB
    EXPECT_EQ(Show(top, options).SortList[0].Text, "2   \\s");
    options.units = {false, false, false, false};  // no unit at all: bytes
    EXPECT_EQ(Show(top, options).SortList[0].Text, "3000   c");

    options.units = {};
    options.measure = {true, true, false};  // the last one set: allocated
    DisplayedList allocated = Show(top, options);
    EXPECT_EQ(allocated.Luvut, (std::vector<std::string>{"4096", "4096", "4096", "8192"}));
    EXPECT_EQ(allocated.Panels[0], "Bytes: 20,480");
    options.measure = {true, true, true};  // slack
    EXPECT_EQ(Show(top, options).Luvut, (std::vector<std::string>{"3031", "3062", "1096", "8190"}));
    options.measure = {false, false, false};  // none: every value 0, the total is the running one
    DisplayedList none = Show(top, options);
    EXPECT_EQ(none.Luvut, (std::vector<std::string>{"0", "0", "0", "0"}));
    EXPECT_EQ(none.Panels[0], "Bytes: 0");
}

TEST(DisplayList, StatusTextsCaptionAndLongestPathInBothLanguages) {
    Measured m;
    m.Folder("Sub").File("Sub\\name.txt", 1234567);
    TFolderList& top = m.Scan();
    DisplayOptions options;
    options.format.thousandSeparator = ".";
    DisplayedList shown = Show(top, options);
    EXPECT_EQ(shown.Panels, (std::array<std::string, 4>{"Bytes: 1.234.567", "Files: 1", "Folders: 1", "C:\\m\\...."}));
    EXPECT_EQ(shown.Caption, "Space usage - C:\\m\\");
    EXPECT_EQ(shown.MaxPathCaption, "Max path: 17");
    EXPECT_EQ(shown.MaxPathHint, "Most characters in path name is 17 at C:\\m\\Sub\\name.txt");
    EXPECT_EQ(shown.Nimet, (std::vector<std::string>{"\\sub"}));

    base::SetFinnishUI(true);
    shown = Show(top, options);
    base::SetFinnishUI(false);
    EXPECT_EQ(shown.Panels,
              (std::array<std::string, 4>{"Tavuja: 1.234.567", "Tiedostoja: 1", "Kansioita: 1", "C:\\m\\...."}));
    EXPECT_EQ(shown.Caption, "Tilan käyttö - C:\\m\\");
    EXPECT_EQ(shown.MaxPathCaption, "Eniten merkkejä: 17");
    EXPECT_EQ(shown.MaxPathHint, "Suurimman polun nimessä oli 17 merkkiä, polku on C:\\m\\Sub\\name.txt");

    EXPECT_EQ(usage::Display_list(nullptr, options), std::nullopt);
    EXPECT_EQ(usage::LiveStatusPanels(top, "Scanning C:\\m\\...", options.format),
              (std::array<std::string, 3>{"Files: 1", "Folders: 1", "Scanning C:\\m\\..."}));
}

TEST(DisplayList, TipsReadSixtyFourBitValues) {
    Measured m;
    m.File("Big", 5ull << 30).File("Other", 5ull << 30);
    DisplayOptions options;
    DisplayedList shown = Show(m.Scan(), options);
    EXPECT_EQ(usage::SliceTip(shown, 0, options.units, false), "big 5368709120 (50%)");
    options.units = {false, false, true, false};
    EXPECT_EQ(usage::SliceTip(shown, 1, options.units, false), "other 5120.000 (50%)");
    EXPECT_EQ(usage::SliceTip(shown, 1, options.units, true), "");  // during a run
    EXPECT_EQ(usage::SliceTip(shown, std::nullopt, options.units, false), "");
    EXPECT_EQ(usage::SliceTip(shown, 2, options.units, false), "");
    EXPECT_EQ(usage::SliceTip(DisplayedList{}, 0, options.units, false), "");
}

TEST(DisplayList, NavigationByRecord) {
    Measured m;
    m.File("top.txt", 1).Folder("Sub").File("Sub\\in.txt", 2).Folder("Sub\\Deep");
    TFolderList& top = m.Scan();
    const TFolderList* sub = usage::ListOnDoubleClick(&top.Data(1));
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(sub->Path, "C:\\m\\Sub\\");
    EXPECT_EQ(usage::ListOnDoubleClick(&sub->Data(1)), &top);  // a file goes up
    EXPECT_EQ(usage::ListOnDoubleClick(&sub->Data(0)), &top);  // so does ".."
    const TFolderList* deep = usage::ListOnDoubleClick(&sub->Data(2));
    ASSERT_NE(deep, nullptr);
    EXPECT_EQ(usage::ListOnDoubleClick(&deep->Data(0)), sub);
    EXPECT_EQ(usage::ListOnDoubleClick(&top.Data(0)), nullptr);  // nothing above the top
    EXPECT_EQ(usage::ListOnDoubleClick(nullptr), nullptr);

    DisplayedList shown = Show(*sub);
    EXPECT_EQ(shown.SortList[0].Pair.Data, &sub->Data(1));
    EXPECT_EQ(usage::LineHint(shown.SortList[0].Text), "in.txt");
    EXPECT_EQ(usage::LineHint("1.0   a name with blanks "), "a name with blanks");
}

TEST(QuickSort, LargestFirstWithTiesWhereThePartitioningLeavesThem) {
    usage::TStringListWithDouble list;
    for (const char* name : {"a", "b", "c"})
        list.push_back({name, {nullptr, 1.0}});
    usage::QuickSort(list, 0, 2);
    EXPECT_EQ(list[0].Text + list[1].Text + list[2].Text, "cba");

    std::mt19937 random(12345);
    list.clear();
    std::vector<double> values;
    for (int i = 0; i < 2000; ++i) {
        values.push_back(static_cast<double>(random() % 50));
        list.push_back({std::to_string(i), {nullptr, values.back()}});
    }
    usage::QuickSort(list, 0, static_cast<int>(list.size()) - 1);
    std::vector<double> sorted;
    for (const auto& line : list) {
        EXPECT_EQ(values[std::stoul(line.Text)], line.Pair.Value);  // string and pair moved together
        sorted.push_back(line.Pair.Value);
    }
    std::sort(values.begin(), values.end(), std::greater<>());
    EXPECT_EQ(sorted, values);
}

}  // namespace
