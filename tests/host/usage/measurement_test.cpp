#include "usage/measurement.h"

#include <gtest/gtest.h>

#include "base/texts.h"
#include "fake_volumes.h"
#include "host/settings/memory_store.h"
#include "support/fake_disk.h"

namespace {

using fs_test::FakeTree;
using usage::MeasurementSetup;
using usage::PrepareMeasurement;
using usage_test::FakeVolumes;

struct FinnishFor {
    explicit FinnishFor(bool finnish) { base::SetFinnishUI(finnish); }
    ~FinnishFor() { base::SetFinnishUI(false); }
};

TEST(MeasurementSetup, FolderRootAndClusterSize) {
    FakeTree tree;
    tree.current = "E:\\Current";
    FakeVolumes volumes;
    MeasurementSetup setup = PrepareMeasurement("D:\\Data", "F:\\box", tree, volumes);
    EXPECT_EQ(setup.Folder, "D:\\Data\\");
    EXPECT_EQ(setup.Root, "D:\\");
    EXPECT_EQ(setup.ClusterSize, 4096u);
    EXPECT_FALSE(setup.VolumeCompresses);
    // The parameter block is asked for on the 95/98 family only.
    EXPECT_EQ(volumes.asked, (std::vector<std::string>{"geometry D:\\", "free D:\\", "compresses D:\\"}));

    EXPECT_EQ(PrepareMeasurement("", "F:\\box", tree, volumes).Folder, "E:\\Current\\");
    tree.current = "";
    EXPECT_EQ(PrepareMeasurement("", "F:\\box\\", tree, volumes).Folder, "F:\\box\\");
    EXPECT_EQ(PrepareMeasurement("C:\\", "", tree, volumes).Root, "C:\\");

    volumes.compresses = true;
    volumes.geometry.reset();
    setup = PrepareMeasurement("D:\\Data", "", tree, volumes);
    EXPECT_EQ(setup.ClusterSize, 1u);  // sizes are then not rounded
    EXPECT_TRUE(setup.VolumeCompresses);
    volumes.geometry = platform::ClusterGeometry{0, 0};
    EXPECT_EQ(PrepareMeasurement("D:\\Data", "", tree, volumes).ClusterSize, 1u);
}

TEST(MeasurementSetup, FoldersWithoutTheirDriveAndSharesAskTheirOwnVolume) {
    FakeTree tree;
    tree.current = "E:\\Current";
    FakeVolumes volumes;
    // As the unnecessary-files window means argument 1: the folder on the current drive.
    MeasurementSetup setup = PrepareMeasurement("\\Temp", "", tree, volumes);
    EXPECT_EQ(setup.Folder, "E:\\Temp\\");
    EXPECT_EQ(setup.Root, "E:\\");
    EXPECT_EQ(setup.ClusterSize, 4096u);
    EXPECT_EQ(PrepareMeasurement("Temp", "", tree, volumes).Folder, "E:\\Current\\Temp\\");

    volumes.asked.clear();
    volumes.compresses = true;
    setup = PrepareMeasurement("\\\\server\\share\\x", "", tree, volumes);
    EXPECT_EQ(setup.Folder, "\\\\server\\share\\x\\");
    EXPECT_EQ(setup.Root, "\\\\server\\share\\");
    EXPECT_EQ(setup.ClusterSize, 4096u);
    EXPECT_TRUE(setup.VolumeCompresses);
    EXPECT_EQ(volumes.asked, (std::vector<std::string>{"geometry \\\\server\\share\\", "free \\\\server\\share\\",
                                                       "compresses \\\\server\\share\\"}));

    // A folder whose volume cannot be known asks nothing and is measured unrounded.
    tree.current = "";
    volumes.asked.clear();
    setup = PrepareMeasurement("Temp", "", tree, volumes);
    EXPECT_EQ(setup.Root, "");
    EXPECT_EQ(setup.ClusterSize, 1u);
    EXPECT_FALSE(setup.VolumeCompresses);
    EXPECT_TRUE(volumes.asked.empty());
}

TEST(MeasurementSetup, TheProbeOnThe9xFamily) {
    FakeTree tree;
    FakeVolumes volumes;
    volumes.windows9x = true;
    volumes.parameterBlockClusterSize = 32768;
    EXPECT_EQ(PrepareMeasurement("A:\\x", "", tree, volumes).ClusterSize, 32768u);
    volumes.parameterBlockClusterSize.reset();
    EXPECT_EQ(PrepareMeasurement("A:\\x", "", tree, volumes).ClusterSize, 4096u);

    // Without the free-space query the probe fails and leaves the cluster size alone.
    volumes.freeSpace.reset();
    volumes.parameterBlockClusterSize = 32768;
    uint64_t freeBytes = 7;
    uint64_t clusterSize = 512;
    EXPECT_FALSE(usage::QueryDriveSpace(volumes, "A:\\", freeBytes, clusterSize));
    EXPECT_EQ(clusterSize, 512u);
    EXPECT_EQ(freeBytes, 7u);
    volumes.freeSpace = platform::FreeSpace{10, 20};
    EXPECT_TRUE(usage::QueryDriveSpace(volumes, "A:\\", freeBytes, clusterSize));
    EXPECT_EQ(freeBytes, 20u);
    EXPECT_EQ(clusterSize, 32768u);
}

class FreeSpaceEntry : public testing::Test {
  protected:
    std::optional<uint64_t> Start(const std::string& folder, bool display) {
        setup_ = PrepareMeasurement(folder, "", tree_, volumes_);
        top_.Reset(setup_.Folder);
        return usage::AddFreeSpaceEntry(top_, setup_, display, volumes_, &file_, choice_);
    }
    void Scan() {
        bool stop = false;
        top_.Scan(usage::ScanContext{tree_, volumes_, stop, setup_.ClusterSize});
    }

    FakeTree tree_;
    FakeVolumes volumes_;
    MeasurementSetup setup_;
    usage::TFolderList top_{nullptr, "."};
    settings_test::MemoryStore store_;
    settings_test::Latin1Codec codec_;
    settings::SettingsFile file_{"C:\\Vireo\\Options.ini", store_, codec_};
    usage::CompressionChoice choice_;
};

TEST_F(FreeSpaceEntry, FirstAtADriveRootInTheLanguageInForce) {
    tree_.AddFolder("d:");
    tree_.AddFile("d:\\a", 100);
    volumes_.freeSpace = platform::FreeSpace{5ull << 32, 6ull << 32};
    EXPECT_EQ(Start("d:\\", true), 5ull << 32);
    Scan();
    ASSERT_EQ(top_.Count(), 2u);
    EXPECT_EQ(top_.Name(0), "(d: free space)");
    EXPECT_EQ(top_.Data(0).ActualSize, 5ull << 32);
    EXPECT_EQ(top_.Data(0).AllocatedSize, 5ull << 32);
    EXPECT_EQ(top_.Data(0).SlackSize, 0u);
    EXPECT_EQ(top_.Data(0).FileCount, 1);
    EXPECT_EQ(top_.FileCount, 1);  // real files only
    EXPECT_EQ(top_.ActualSize, 100u);

    FinnishFor finnish(true);
    Start("D:\\", true);
    EXPECT_EQ(top_.Name(0), "(D: vapaata tilaa)");
}

TEST_F(FreeSpaceEntry, NoneBelowARootWhenSwitchedOffOrWhenUnreadable) {
    EXPECT_EQ(Start("D:\\sub", true), std::nullopt);
    EXPECT_EQ(top_.Count(), 0u);
    EXPECT_EQ(Start("D:\\", false), std::nullopt);
    EXPECT_EQ(top_.Count(), 0u);
    volumes_.freeSpace.reset();
    EXPECT_EQ(Start("D:\\", true), std::nullopt);
    EXPECT_EQ(top_.Count(), 0u);
}

TEST_F(FreeSpaceEntry, TheCompressionKeysAreReadAgainUnlessDisabled) {
    store_.files["C:\\Vireo\\Options.ini"] = "[Chart]\r\nCompressed=1\r\nUnCompressed=1\r\n";
    Start("D:\\", true);
    EXPECT_TRUE(choice_.Compressed);
    EXPECT_TRUE(choice_.UnCompressed);
    EXPECT_FALSE(choice_.Disabled);  // absent: keeps its value

    store_.files["C:\\Vireo\\Options.ini"] = "[Chart]\r\nCompressed=0\r\nDisabled=1\r\n";
    Start("D:\\sub", true);  // not a root: nothing read
    EXPECT_TRUE(choice_.Compressed);
    Start("D:\\", true);
    EXPECT_FALSE(choice_.Compressed);
    EXPECT_TRUE(choice_.Disabled);
    store_.files["C:\\Vireo\\Options.ini"] = "[Chart]\r\nCompressed=1\r\nDisabled=0\r\n";
    Start("D:\\", true);
    EXPECT_FALSE(choice_.Compressed);  // disabled: not read again
}

TEST(ScanProgress, FinnishRewrite) {
    EXPECT_EQ(usage::ScanProgress("Scanning C:\\Työ\\ÄÖ..."), "Scanning C:\\Työ\\ÄÖ...");
    FinnishFor finnish(true);
    EXPECT_EQ(usage::ScanProgress("Scanning C:\\Työ\\ÄÖ Dir..."), "Tutkitaan c:\\työ\\äö dir...");
    EXPECT_EQ(usage::ScanProgress("SCANNING X"), "Tutkitaan x");
    EXPECT_EQ(usage::ScanProgress("Scan C:\\"), "Scan C:\\");
    EXPECT_EQ(usage::ScanProgress("Other"), "Other");
}

}  // namespace
