#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/error.h"
#include "memory_store.h"
#include "settings/option_pages.h"

namespace {

using settings::ChartFlags;
using settings::Measure;
using settings::SpaceUsagePage;

constexpr char kPath[] = "C:\\Vireo\\Options.ini";

class OptionPages : public ::testing::Test {
  protected:
    settings::SettingsFile Open() { return settings::SettingsFile(kPath, store, codec); }
    // Whole lines of the file, each after the one before it.
    void ExpectInOrder(const std::vector<std::string>& lines) {
        const std::string text = "\n" + store.files[kPath];
        size_t at = 0;
        for (const auto& line : lines) {
            const size_t next = text.find("\n" + line + "\r\n", at);
            ASSERT_NE(next, std::string::npos) << line << " after position " << at << " in\n" << text;
            at = next;
        }
    }
    settings_test::MemoryStore store;
    settings_test::Latin1Codec codec;
};

ChartFlags NoFlags() {
    ChartFlags flags;
    flags.Actual = flags.Bytes = flags.Compressed = flags.DisplayFreeDiskSpace = false;
    return flags;
}

TEST(SpaceUsagePageForFlags, LaterFlagsOfAGroupWinAndAGroupWithoutFlagsKeepsItsChoice) {
    ChartFlags flags = NoFlags();
    flags.Actual = flags.Slack = true;
    flags.Bytes = flags.MB = true;
    flags.Compressed = flags.UnCompressed = true;
    const SpaceUsagePage page = settings::PageForFlags(flags, {});
    EXPECT_EQ(page.display, 2);
    EXPECT_EQ(page.unit, 2);
    EXPECT_EQ(page.measure, Measure::Uncompressed);
    EXPECT_FALSE(page.measureDisabled);
    EXPECT_FALSE(page.showFreeDisk);

    const SpaceUsagePage before{1, 3, Measure::Compressed, false, false};
    const SpaceUsagePage kept = settings::PageForFlags(NoFlags(), before);
    EXPECT_EQ(kept.display, 1);
    EXPECT_EQ(kept.unit, 3);
    EXPECT_EQ(kept.measure, Measure::Compressed);
}

TEST(SpaceUsagePageForFlags, DisabledChoosesUncompressedAndTheButtonsStayDisabledForGood) {
    ChartFlags flags;  // Compressed is set too: Disabled has the last word
    flags.Disabled = true;
    const SpaceUsagePage page = settings::PageForFlags(flags, {});
    EXPECT_EQ(page.measure, Measure::Uncompressed);
    EXPECT_TRUE(page.measureDisabled);

    ChartFlags later;
    later.Disabled = false;
    later.Compressed = true;
    const SpaceUsagePage next = settings::PageForFlags(later, page);
    EXPECT_TRUE(next.measureDisabled);
    EXPECT_EQ(next.measure, Measure::Compressed);
}

TEST(FlagsForSpaceUsagePage, AllClearedThenEachFromItsButtons) {
    const ChartFlags mb = settings::FlagsForPage({0, 2, Measure::Compressed, false, true});
    ChartFlags expected = NoFlags();
    expected.Actual = expected.MB = expected.Compressed = expected.DisplayFreeDiskSpace = true;
    EXPECT_EQ(mb, expected);

    // Uncompressed with both buttons disabled is the unavailable choice, not a choice.
    const ChartFlags disabled = settings::FlagsForPage({1, 3, Measure::Uncompressed, true, false});
    expected = NoFlags();
    expected.Allocated = expected.Count = expected.Disabled = true;
    EXPECT_EQ(disabled, expected);

    const ChartFlags uncompressed = settings::FlagsForPage({2, 1, Measure::Uncompressed, false, false});
    expected = NoFlags();
    expected.Slack = expected.KB = expected.UnCompressed = true;
    EXPECT_EQ(uncompressed, expected);

    // Shown again, each page is what it was.
    for (const SpaceUsagePage page : {SpaceUsagePage{0, 2, Measure::Compressed, false, true},
                                      SpaceUsagePage{1, 3, Measure::Uncompressed, true, false},
                                      SpaceUsagePage{2, 0, Measure::Uncompressed, false, true}})
        EXPECT_EQ(settings::PageForFlags(settings::FlagsForPage(page), {}), page);
}

TEST_F(OptionPages, DuplicateSwitchesReadTheirDefaultsAndWriteInTheEndOfRunOrder) {
    EXPECT_EQ(settings::ReadDuplicateSwitches(Open()), settings::DuplicateSwitches{});

    store.files[kPath] = "[duplicate FILE]\r\ncheckfilesize=0\r\nCheckFileName=1\r\nUseRecycleBin=0\r\n";
    settings::DuplicateSwitches switches = settings::ReadDuplicateSwitches(Open());
    EXPECT_FALSE(switches.CheckFileSize);
    EXPECT_TRUE(switches.CheckFileName);
    EXPECT_FALSE(switches.UseRecycleBin);
    EXPECT_TRUE(switches.FloppyIsMaster);

    store.files.clear();
    switches.SkipEmptyFiles = false;
    settings::SettingsFile file = Open();
    settings::DuplicateSwitchKeys(switches).WriteAll(file, [] { ADD_FAILURE() << "no write fails here"; });
    ExpectInOrder({"[Duplicate file]", "FloppyIsMaster=1", "UseRecycleBin=0", "SkipSysbckupFolder=1",
                   "CheckFileStamp=1", "CheckFileName=1", "CheckFileSize=0", "SkipEmptyFiles=0",
                   "SkipDesktopFolders=1"});
}

TEST_F(OptionPages, ConfirmedChoicesAreWrittenInTheirOrderAndAFailedWriteEndsThem) {
    store.files[kPath] = "; kept\r\n[General]\r\nLanguage/Kieli=1\r\n";
    settings::ConfirmedChoices choices;
    choices.English = false;
    choices.duplicates.FloppyIsMaster = false;
    choices.duplicates.CheckFileName = true;
    choices.chart = settings::FlagsForPage({0, 2, Measure::Uncompressed, true, true});
    choices.NormalSearch = false;
    settings::SettingsFile file = Open();
    settings::WriteConfirmedChoices(file, choices);
    ExpectInOrder({"; kept", "[General]", "Language/Kieli=0", "[Duplicate file]", "FloppyIsMaster=0", "UseRecycleBin=1",
                   "SkipSysbckupFolder=1", "CheckFileStamp=1", "CheckFileName=1", "CheckFileSize=1", "SkipEmptyFiles=1",
                   "SkipDesktopFolders=1", "[Chart]", "Compressed=0", "UnCompressed=0", "Disabled=1",
                   "[Backups, temps deleter]", "Normal_search=0"});
    EXPECT_EQ(store.files[kPath].find("MB="), std::string::npos) << "the unit waits for the end of the run";

    store.readOnly.insert(kPath);
    const std::string before = store.files[kPath];
    choices.English = true;
    try {
        settings::WriteConfirmedChoices(file, choices);
        ADD_FAILURE() << "a read-only file takes no write";
    } catch (const base::Error& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Unable to write to ") + kPath);
    }
    EXPECT_EQ(store.files[kPath], before);
}

}  // namespace
