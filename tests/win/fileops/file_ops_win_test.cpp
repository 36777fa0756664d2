#include <windows.h>

#include <gtest/gtest.h>

#include "fs/delete_selected.h"
#include "platform/file_ops.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "support/win/trash.h"

using namespace testing_support;
using fs::DeleteMethod;
using fs::DeleteResult;
using platform::PathKind;

namespace {

const platform::FileOps& Ops() {
    return platform::SystemFileOps();
}

// A name no earlier run has left in the Trash.
std::string UniqueName(const std::string& stem) {
    return stem + "-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(GetTickCount64()) + ".tmp";
}

// "twin." beside "twin": a name the shell and the classic path rules would tidy into its neighbour's. Only
// its exact form reaches it.
std::wstring ExactForm(const std::string& path) {
    return L"\\\\?\\" + platform::win32::Widen(path);
}

bool MakeDottedTwin(const TempFolder& folder) {
    WriteFile(folder / "twin", "neighbour");
    const HANDLE file =
        CreateFileW(ExactForm(folder / "twin.").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    CloseHandle(file);
    return true;
}

void MakeReadOnly(const std::string& path) {
    SetFileAttributesW(platform::win32::Widen(path).c_str(), FILE_ATTRIBUTE_READONLY);
}

}  // namespace

TEST(FileOps, StateOfFilesFoldersAndMissingPaths) {
    TempFolder folder;
    WriteFile(folder / "a.tmp", "a");
    MakeFolder(folder / "sub");
    EXPECT_EQ(Ops().StateOf(folder / "a.tmp").kind, PathKind::File);
    EXPECT_EQ(Ops().StateOf(folder / "sub").kind, PathKind::Folder);
    EXPECT_EQ(Ops().StateOf(folder / "none.tmp").kind, PathKind::Missing);
    EXPECT_EQ(Ops().StateOf(folder / "no\\such\\x.tmp").kind, PathKind::Missing);
    EXPECT_EQ(Ops().MaxRecyclePath(), 259u);
}

TEST(FileOps, RecycledFilesArriveInTheTrashAndLeaveTheirFolder) {
    TempFolder folder;
    const std::string first = UniqueName("first");
    const std::string second = UniqueName("second");
    WriteFile(folder / first, "first file");
    WriteFile(folder / second, "second file");
    WriteFile(folder / "unselected.tmp", "stays");
    MakeReadOnly(folder / second);

    const auto outcomes = fs::DeleteSelected(Ops(), {folder / second, folder / first}, DeleteMethod::RecycleBin);

    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[0].result, DeleteResult::Gone) << outcomes[0].reason.text;
    EXPECT_EQ(outcomes[1].result, DeleteResult::Gone) << outcomes[1].reason.text;
    EXPECT_FALSE(FileExists(folder / first));
    EXPECT_FALSE(FileExists(folder / second));
    EXPECT_TRUE(FileExists(folder / "unselected.tmp"));
    EXPECT_TRUE(TakeFromTrash(first, "first file")) << TrashFolder();
    EXPECT_TRUE(TakeFromTrash(second, "second file"));
}

TEST(FileOps, OnlyFixedDrivesHaveARecycleBinAndFilesElsewhereAreNotDeletedByIt) {
    TempFolder fixedFolder, removableFolder, networkFolder;
    TestDrive fixed(DriveType::Fixed, fixedFolder.Path());
    TestDrive removable(DriveType::Removable, removableFolder.Path());
    TestDrive network(DriveType::Network, networkFolder.Path());
    const std::string onStick = UniqueName("stick");
    const std::string onShare = UniqueName("share");
    const std::string onFixed = UniqueName("fixed");
    WriteFile(removableFolder / onStick, "on a stick");
    WriteFile(networkFolder / onShare, "on a share");
    WriteFile(fixedFolder / onFixed, "on a fixed drive");

    EXPECT_EQ(Ops().RecycleBinFor(removable.Root() + onStick), platform::RecycleBinAnswer::NoBin);
    EXPECT_EQ(Ops().RecycleBinFor(network.Root() + onShare), platform::RecycleBinAnswer::NoBin);
    EXPECT_EQ(Ops().RecycleBinFor(fixed.Root() + onFixed), platform::RecycleBinAnswer::Takes);

    const auto outcomes =
        fs::DeleteSelected(Ops(), {removable.Root() + onStick, network.Root() + onShare, fixed.Root() + onFixed},
                           DeleteMethod::RecycleBin);
    ASSERT_EQ(outcomes.size(), 3u);
    EXPECT_EQ(outcomes[0].result, DeleteResult::Failed);
    EXPECT_EQ(outcomes[1].result, DeleteResult::Failed);
    EXPECT_NE(outcomes[0].reason.text.find("no recycle bin"), std::string::npos) << outcomes[0].reason.text;
    EXPECT_EQ(outcomes[2].result, DeleteResult::Gone) << outcomes[2].reason.text;
    EXPECT_TRUE(FileExists(removableFolder / onStick));
    EXPECT_TRUE(FileExists(networkFolder / onShare));
    EXPECT_FALSE(TakeFromTrash(onStick, "on a stick"));
    EXPECT_FALSE(TakeFromTrash(onShare, "on a share"));
    EXPECT_TRUE(TakeFromTrash(onFixed, "on a fixed drive"));
}

TEST(FileOps, RecycleBinOutcomesAreTheTruthForHeldAndUnnameableFiles) {
    TempFolder folder;
    const std::string held = UniqueName("held");
    WriteFile(folder / held, "held open");
    ASSERT_TRUE(MakeDottedTwin(folder));
    const std::string longPath = folder / (std::string(120, 'd') + "\\" + std::string(150, 'f') + ".tmp");
    WriteFile(longPath, "long");

    HeldFile open(folder / held);
    ASSERT_TRUE(open.IsOpen());
    const auto outcomes =
        fs::DeleteSelected(Ops(), {folder / held, folder / "twin.", longPath}, DeleteMethod::RecycleBin);
    ASSERT_EQ(outcomes.size(), 3u);

    // Whether the system lets a held file go to the recycle bin or not, what is reported is what happened.
    if (outcomes[0].result == DeleteResult::Gone) {
        EXPECT_FALSE(FileExists(folder / held));
        EXPECT_TRUE(TakeFromTrash(held, "held open"));
    } else {
        EXPECT_EQ(outcomes[0].result, DeleteResult::StillThere);
        EXPECT_TRUE(FileExists(folder / held));
        EXPECT_FALSE(outcomes[0].reason.text.empty());
    }
    EXPECT_EQ(outcomes[1].result, DeleteResult::Failed);
    EXPECT_EQ(outcomes[2].result, DeleteResult::Failed);
    EXPECT_NE(outcomes[2].reason.text.find("permanently"), std::string::npos) << outcomes[2].reason.text;
    EXPECT_EQ(Ops().StateOf(folder / "twin.").kind, PathKind::File);
    EXPECT_TRUE(FileExists(folder / "twin"));
    EXPECT_TRUE(FileExists(longPath));
    DeleteFileW(ExactForm(folder / "twin.").c_str());
}

TEST(FileOps, PermanentDeletionReportsReadOnlyAndHeldFilesAndGoesOn) {
    TempFolder folder;
    WriteFile(folder / "readonly.bak", "r");
    MakeReadOnly(folder / "readonly.bak");
    WriteFile(folder / "held.bak", "h");
    WriteFile(folder / "plain.bak", "p");
    ASSERT_TRUE(MakeDottedTwin(folder));
    const std::string longPath = folder / (std::string(120, 'd') + "\\" + std::string(150, 'f') + ".tmp");
    WriteFile(longPath, "long");

    HeldFile open(folder / "held.bak");
    ASSERT_TRUE(open.IsOpen());
    std::vector<std::string> heard;
    const auto outcomes =
        fs::DeleteSelected(Ops(),
                           {folder / "readonly.bak", folder / "held.bak", folder / "plain.bak", folder / "gone.bak",
                            folder / "twin.", longPath},
                           DeleteMethod::Permanent, [&](const fs::DeleteOutcome& o) { heard.push_back(o.path); });

    ASSERT_EQ(outcomes.size(), 6u);
    EXPECT_EQ(outcomes[0].result, DeleteResult::Failed);
    EXPECT_EQ(outcomes[0].reason.code, static_cast<uint32_t>(ERROR_ACCESS_DENIED));
    EXPECT_FALSE(outcomes[0].reason.text.empty());
    EXPECT_EQ(outcomes[1].result, DeleteResult::Failed);
    EXPECT_EQ(outcomes[1].reason.code, static_cast<uint32_t>(ERROR_SHARING_VIOLATION));
    EXPECT_EQ(outcomes[2].result, DeleteResult::Gone);
    EXPECT_EQ(outcomes[3].result, DeleteResult::Gone);
    EXPECT_EQ(outcomes[4].result, DeleteResult::Gone);
    EXPECT_EQ(outcomes[5].result, DeleteResult::Gone);
    EXPECT_EQ(heard.size(), 6u);

    // Refused files are still there; the dotted name went as itself, not as its neighbour.
    EXPECT_TRUE(FileExists(folder / "readonly.bak"));
    EXPECT_TRUE(FileExists(folder / "held.bak"));
    EXPECT_FALSE(FileExists(folder / "plain.bak"));
    EXPECT_EQ(Ops().StateOf(folder / "twin.").kind, PathKind::Missing);
    EXPECT_TRUE(FileExists(folder / "twin"));
    EXPECT_FALSE(FileExists(longPath));
}
