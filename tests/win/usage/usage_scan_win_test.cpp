#include <windows.h>

#include <gtest/gtest.h>

#include "base/texts.h"
#include "platform/file_system.h"
#include "platform/volume_info.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "usage/display_list.h"
#include "usage/measurement.h"

using namespace testing_support;
using platform::win32::Widen;
using usage::TFolderList;

namespace {

struct Outcome {
    usage::MeasurementSetup setup;
    std::optional<uint64_t> freeBytes;
    int yields = 0;
};

// A measurement as the window makes it, with no window.
Outcome Measure(TFolderList& top, const std::string& folder, bool displayFreeDiskSpace = true) {
    const auto& volumes = platform::SystemVolumeInfo();
    Outcome run;
    run.setup = usage::PrepareMeasurement(folder, "", platform::SystemFileSystem(), volumes);
    top.Reset(run.setup.Folder);
    usage::CompressionChoice choice;
    run.freeBytes = usage::AddFreeSpaceEntry(top, run.setup, displayFreeDiskSpace, volumes, nullptr, choice);
    bool stop = false;
    usage::ScanContext context{platform::SystemFileSystem(), volumes, stop, run.setup.ClusterSize};
    context.yield = [&run] { ++run.yields; };
    top.Scan(context);
    top.ReleasePreviousTree();
    return run;
}

const usage::TFolderData* Find(const TFolderList& list, const std::string& name) {
    for (size_t i = 0; i < list.Count(); ++i) {
        if (list.Name(i) == name)
            return &list.Data(i);
    }
    return nullptr;
}

// A Linux symbolic link made by ln, as a user's tools make them; Wine shows it as a reparse point.
bool LinkWithLn(const std::string& target, const std::string& linkPath) {
    const size_t slash = linkPath.find_last_of('\\');
    const std::string unixLink = UnixPathOf(linkPath.substr(0, slash)) + "/" + linkPath.substr(slash + 1);
    std::wstring command = Widen("/bin/ln -s \"" + target + "\" \"" + unixLink + "\"");
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(L"\\\\?\\unix\\bin\\ln", command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // The handle of a Linux process may be signalled before it has run: wait for the link itself.
    for (int i = 0; i < 100; ++i) {
        if (GetFileAttributesW(Widen(linkPath).c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        Sleep(50);
    }
    return false;
}

}  // namespace

TEST(UsageScanOnDisk, SizesOnTheVolumesClustersAndEveryAttribute) {
    TempFolder folder;
    WriteFile(folder / "one", "x");
    WriteFile(folder / "empty", "");
    WriteFile(folder / "full", std::string(4096, 'f'));
    WriteFile(folder / "hidden", "hh");
    WriteFile(folder / "sub\\inner", "iii");
    WriteFile(folder / "sys\\s", "ss");
    SetFileAttributesW(Widen(folder / "hidden").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW(Widen(folder / "sys").c_str(), FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_SYSTEM);

    TFolderList top(nullptr, ".");
    const Outcome run = Measure(top, folder.Path().substr(0, folder.Path().size() - 1));
    const uint64_t cluster = run.setup.ClusterSize;
    ASSERT_GT(cluster, 1u);  // the volume reports its clusters
    EXPECT_EQ(run.setup.Folder, folder.Path());
    EXPECT_EQ(run.yields, 3);
    EXPECT_EQ(top.Count(), 6u);
    EXPECT_EQ(top.FileCount, 6);
    EXPECT_EQ(top.FolderCount, 2);
    EXPECT_EQ(top.ActualSize, 1u + 4096 + 2 + 3 + 2);
    ASSERT_NE(Find(top, "one"), nullptr);
    EXPECT_EQ(Find(top, "one")->AllocatedSize, cluster);
    EXPECT_EQ(Find(top, "one")->SlackSize, cluster - 1);
    EXPECT_EQ(Find(top, "empty")->AllocatedSize, 0u);
    EXPECT_EQ(Find(top, "full")->SlackSize, usage::RoundUpToCluster(cluster, 4096) - 4096);
    ASSERT_NE(Find(top, "\\sys"), nullptr);
    EXPECT_EQ(Find(top, "\\sys")->FileCount, 1);
    EXPECT_EQ(top.LongestPath, folder / "sub\\inner");
}

TEST(UsageScanOnDisk, ALinkLoopIsCountedOnceAndNotEntered) {
    TempFolder folder;
    WriteFile(folder / "a\\file", "12345");
    ASSERT_TRUE(LinkWithLn("..", folder / "a\\loop"));
    ASSERT_TRUE(LinkWithLn(UnixPathOf(folder / "a"), folder / "again"));

    TFolderList top(nullptr, ".");
    const Outcome run = Measure(top, folder.Path());
    EXPECT_EQ(top.FileCount, 1);
    EXPECT_EQ(top.ActualSize, 5u);
    EXPECT_EQ(top.FolderCount, 3);  // a, its loop, and the second name of a
    EXPECT_EQ(run.yields, 2);
    const usage::TFolderData* a = Find(top, "\\a");
    ASSERT_NE(a, nullptr);
    const usage::TFolderData* loop = Find(*a->SubList, "\\loop");
    ASSERT_NE(loop, nullptr);
    EXPECT_EQ(loop->ActualSize, 0u);
    EXPECT_EQ(loop->SubList->Count(), 1u);  // only ".."
}

TEST(UsageScanOnDisk, AFiveGigabyteSparseFileIsMeasuredWhole) {
    TempFolder folder;
    const std::string path = folder / "sparse.bin";
    {
        HANDLE file = CreateFileW(Widen(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        LARGE_INTEGER end;
        end.QuadPart = 5LL << 30;
        const bool sized = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
        CloseHandle(file);
        ASSERT_TRUE(sized);
    }
    WriteFile(folder / "small", "abc");

    TFolderList top(nullptr, ".");
    const Outcome run = Measure(top, folder.Path());
    const uint64_t fiveGiB = 5ull << 30;
    EXPECT_EQ(Find(top, "sparse.bin")->ActualSize, fiveGiB);
    EXPECT_EQ(top.ActualSize, fiveGiB + 3);
    EXPECT_EQ(top.AllocatedSize, fiveGiB + run.setup.ClusterSize);

    usage::DisplayOptions options;
    options.FolderPath = folder.Path();
    const auto shown = usage::Display_list(&top, options);
    ASSERT_TRUE(shown);
    const size_t sparse = shown->Nimet[0] == "sparse.bin" ? 0 : 1;
    EXPECT_EQ(usage::SliceTip(*shown, sparse, options.units, false), "sparse.bin 5368709120 (100%)");
    EXPECT_EQ(shown->SortList[0].Text, "5368709120   sparse.bin");
    EXPECT_EQ(shown->Slices[sparse].Label, "sparse.bin 100%");
}

TEST(UsageScanOnDisk, TheFreeSpaceEntryAtADriveRoot) {
    TempFolder folder;
    WriteFile(folder / "data\\f", "1234");
    TestDrive drive(DriveType::Fixed, folder.Path());
    const auto free = platform::SystemVolumeInfo().FreeBytes(drive.Root());
    ASSERT_TRUE(free);

    TFolderList top(nullptr, ".");
    Outcome run = Measure(top, drive.Root());
    ASSERT_TRUE(run.freeBytes);
    const std::string drivePart = drive.Root().substr(0, 2);
    const std::string english = std::string("(").append(drivePart).append(" free space)");
    ASSERT_GE(top.Count(), 2u);
    EXPECT_EQ(top.Name(0), english);
    EXPECT_GT(top.Data(0).ActualSize, 0u);
    EXPECT_EQ(top.FileCount, 1);
    EXPECT_EQ(top.ActualSize, 4u);

    base::SetFinnishUI(true);
    run = Measure(top, drive.Root());
    base::SetFinnishUI(false);
    EXPECT_EQ(top.Name(0), std::string("(").append(drivePart).append(" vapaata tilaa)"));

    Measure(top, drive.Root(), false);
    EXPECT_EQ(top.Name(0), "\\data");
}

TEST(UsageScanOnDisk, VolumeAnswers) {
    TempFolder folder;
    WriteFile(folder / "f", std::string(10000, 'x'));
    const auto& volumes = platform::SystemVolumeInfo();
    const auto size = volumes.CompressedSize(folder / "f");
    ASSERT_TRUE(size);
    EXPECT_GE(*size, 10000u);  // an uncompressed file: what it takes on disk
    EXPECT_FALSE(volumes.CompressedSize(folder / "missing"));
    // Each file by its exact name, at any depth.
    WriteFile(folder / "f.", "dot");
    EXPECT_EQ(volumes.CompressedSize(folder / "f."), 3u);
    std::string deep = folder.Path();
    while (deep.size() < 300)
        deep += "a-rather-long-folder-name\\";
    WriteFile(deep + "g", "far");
    EXPECT_EQ(volumes.CompressedSize(deep + "g"), 3u);
    EXPECT_FALSE(volumes.Geometry("Q:\\"));
    EXPECT_FALSE(volumes.FreeBytes("Q:\\"));
    EXPECT_FALSE(volumes.IsWindows9xFamily());
    EXPECT_FALSE(volumes.ParameterBlockClusterSize(folder.Path().substr(0, 3)));
}
