#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "chart_host.h"
#include "platform/file_system.h"
#include "support/win/temp_folder.h"
#include "widgets/drive_combo_box.h"
#include "widgets/folder_list_box.h"
#include "widgets/window.h"

using namespace chart_test;
using testing_support::MakeFolder;
using testing_support::TempFolder;
using testing_support::WriteFile;
using widgets::FolderRow;

namespace {

constexpr int kDriveId = 910, kFolderId = 911;

constexpr widgets::ControlSpec kControls[] = {
    {"Asema", widgets::Kind::Custom, {8, 8, 200, 22}},
    {"Hakemisto", widgets::Kind::Custom, {8, 40, 200, 250}},
};

// The two boxes as the space-usage window holds them: made on its frame, adopted, linked.
class BoxesHost : public widgets::Window {
  public:
    BoxesHost() {
        Create({"Folder test", 220, 300});
        CreateControls(kControls);
        folders = std::make_unique<widgets::TFolderListBox>(Frame(), kFolderId, ControlRect("Hakemisto"), Dpi());
        drives = std::make_unique<widgets::TDriveComboBox>(Frame(), kDriveId, ControlRect("Asema"));
        AdoptControl("Hakemisto", folders->Handle());
        AdoptControl("Asema", drives->Handle());
        drives->LinkFolderBox(folders.get());
        folders->OnChange = [this] { ++folderChanges; };
        drives->OnChange = [this] { ++driveChanges; };
    }
    // As the user picks a line of the drop-down list: the control tells its parent.
    void PickDrive(char letter) {
        for (int i = 0; i < drives->Count(); ++i) {
            if (drives->DriveAt(i) == letter) {
                SendMessageW(drives->Handle(), CB_SETCURSEL, i, 0);
                SendMessageW(Frame(), WM_COMMAND, MAKEWPARAM(kDriveId, CBN_SELCHANGE),
                             reinterpret_cast<LPARAM>(drives->Handle()));
                return;
            }
        }
        ADD_FAILURE() << "drive " << letter << " is not listed";
    }
    std::unique_ptr<widgets::TFolderListBox> folders;
    std::unique_ptr<widgets::TDriveComboBox> drives;
    int folderChanges = 0;
    int driveChanges = 0;
};

std::string CurrentDirectory() {
    return platform::SystemFileSystem().CurrentDirectory();
}

void ExpectRows(const std::vector<FolderRow>& rows, const std::vector<FolderRow>& expected) {
    ASSERT_EQ(rows.size(), expected.size());
    for (size_t i = 0; i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].name, expected[i].name) << i;
        EXPECT_EQ(rows[i].indent, expected[i].indent) << i;
        EXPECT_EQ(rows[i].open, expected[i].open) << i;
    }
}

void DoubleClick(HWND list, int row) {
    RECT item{};
    SendMessageW(list, LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&item));
    POINT p{(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &p);
    SetCursorPos(p.x, p.y);
    INPUT inputs[4]{};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, inputs, sizeof(INPUT));
    PumpFor(300);
}

class DriveAndFolderBoxes : public ::testing::Test {
  protected:
    void SetUp() override {
        saved = CurrentDirectory();
        MakeFolder(disk / "Alpha");
        MakeFolder(disk / "beta");
        MakeFolder(disk / "gamma\\inner");
        MakeFolder(disk / "gamma\\Deeper");
        WriteFile(disk / "file.txt", "not a folder");
        WriteFile(disk / "gamma\\inner.txt", "not a folder");
    }
    void TearDown() override { SetCurrentDirectoryW(std::wstring(saved.begin(), saved.end()).c_str()); }
    std::string saved;
    TempFolder disk;
};

// The test prefix cannot take away again a drive that a program has looked at through the shell, so these
// tests use the drives the run already has: C: and the build folder as CD drive V:.
std::string ListableDrives() {
    std::string letters;
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
        const UINT type = GetDriveTypeW(root);
        if (type == DRIVE_REMOVABLE || type == DRIVE_FIXED || type == DRIVE_REMOTE || type == DRIVE_CDROM)
            letters += letter;
    }
    return letters;
}

std::string WithoutTrailingBackslash(std::string path) {
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

}  // namespace

TEST(FolderRows, PathFoldersThenSubfoldersOneStepIn) {
    ExpectRows(widgets::FolderRowsOf("C:\\", {"a", "b"}), {{"C:\\", 0, true}, {"a", 1, false}, {"b", 1, false}});
    const std::vector<FolderRow> rows = widgets::FolderRowsOf("C:\\Users\\me", {"Desktop"});
    ExpectRows(rows, {{"C:\\", 0, true}, {"Users", 1, true}, {"me", 2, true}, {"Desktop", 3, false}});
    EXPECT_EQ(widgets::FolderOfRow("C:\\Users\\me", rows, 0), "C:\\");
    EXPECT_EQ(widgets::FolderOfRow("C:\\Users\\me", rows, 1), "C:\\Users");
    EXPECT_EQ(widgets::FolderOfRow("C:\\Users\\me", rows, 2), "C:\\Users\\me");
    EXPECT_EQ(widgets::FolderOfRow("C:\\Users\\me", rows, 3), "C:\\Users\\me\\Desktop");
    EXPECT_EQ(widgets::FolderOfRow("C:\\Users\\me", rows, 4), "");
    EXPECT_EQ(widgets::FolderOfRow("C:\\", widgets::FolderRowsOf("C:\\", {"a"}), 1), "C:\\a");
    const std::vector<FolderRow> share = widgets::FolderRowsOf("\\\\server\\share\\docs", {});
    ExpectRows(share, {{"\\\\server\\share\\", 0, true}, {"docs", 1, true}});
    EXPECT_EQ(widgets::FolderOfRow("\\\\server\\share\\docs", share, 1), "\\\\server\\share\\docs");
    EXPECT_TRUE(widgets::FolderRowsOf("relative\\path", {}).empty());
}

TEST_F(DriveAndFolderBoxes, DriveBoxListsTheFloppyFixedNetworkAndCdDrivesInOrder) {
    BoxesHost host;
    host.drives->RefreshDrives();
    std::string letters;
    for (int i = 0; i < host.drives->Count(); ++i)
        letters += host.drives->DriveAt(i);
    EXPECT_EQ(letters, ListableDrives());
    EXPECT_NE(letters.find('C'), std::string::npos);
    // The drive shown is the folder box's.
    EXPECT_EQ(host.drives->Drive(), host.folders->Drive());
}

TEST_F(DriveAndFolderBoxes, ChoosingADriveShowsItsFoldersAndMakesItCurrent) {
    BoxesHost host;
    ASSERT_TRUE(host.folders->SetDirectory(disk.Path()));
    host.drives->RefreshDrives();
    const std::string others = ListableDrives();
    const size_t other = others.find_first_not_of('C');
    if (other == std::string::npos)
        GTEST_SKIP() << "no drive besides C:";
    const char letter = others[other];
    host.PickDrive(letter);
    EXPECT_EQ(host.drives->Drive(), letter);
    EXPECT_EQ(host.folders->Drive(), letter);
    EXPECT_EQ(CurrentDirectory().substr(0, 3), std::string(1, letter) + ":\\");
    EXPECT_EQ(WithoutTrailingBackslash(CurrentDirectory()), host.folders->Directory());
    ASSERT_FALSE(host.folders->Rows().empty());
    EXPECT_EQ(host.folders->Rows()[0].name, std::string(1, letter) + ":\\");
    EXPECT_EQ(host.folderChanges, 1);
    EXPECT_EQ(host.driveChanges, 1);

    // Back on C:, the folder box returns to the folder it showed there.
    host.PickDrive('C');
    EXPECT_EQ(host.folders->Directory(), WithoutTrailingBackslash(disk.Path()));
    EXPECT_EQ(host.folderChanges, 2);
    // A folder set in code shows its drive in the drive box too, without a change reported.
    ASSERT_TRUE(host.folders->SetDirectory(std::string(1, letter) + ":\\"));
    EXPECT_EQ(host.drives->Drive(), letter);
    EXPECT_EQ(host.folderChanges, 2);
    EXPECT_EQ(host.driveChanges, 2);
}

TEST_F(DriveAndFolderBoxes, OpeningALineGoesThereAndReportsTheChange) {
    BoxesHost host;
    const std::string top = WithoutTrailingBackslash(disk.Path());
    ASSERT_TRUE(host.folders->SetDirectory(top));
    EXPECT_EQ(host.folderChanges, 0) << "setting the folder in code is not the user's change";
    const std::vector<FolderRow> rows = host.folders->Rows();
    ASSERT_GE(rows.size(), 4u);
    const size_t depth = rows.size() - 3;  // the path's lines, then Alpha, beta, gamma
    EXPECT_EQ(rows[depth - 1].open, true);
    ExpectRows({rows.begin() + static_cast<long>(depth), rows.end()}, {{"Alpha", static_cast<int>(depth), false},
                                                                       {"beta", static_cast<int>(depth), false},
                                                                       {"gamma", static_cast<int>(depth), false}});
    EXPECT_EQ(WithoutTrailingBackslash(CurrentDirectory()), top);
    host.Show();
    PumpFor(200);

    DoubleClick(host.folders->Handle(), static_cast<int>(depth + 2));  // gamma
    EXPECT_EQ(host.folders->Directory(), top + "\\gamma");
    EXPECT_EQ(WithoutTrailingBackslash(CurrentDirectory()), top + "\\gamma");
    const std::vector<FolderRow> inGamma = host.folders->Rows();
    ASSERT_EQ(inGamma.size(), depth + 3);
    ExpectRows({inGamma.begin() + static_cast<long>(depth), inGamma.end()},
               {{"gamma", static_cast<int>(depth), true},
                {"Deeper", static_cast<int>(depth) + 1, false},
                {"inner", static_cast<int>(depth) + 1, false}});
    EXPECT_EQ(host.folderChanges, 1);

    // Enter on the line above goes back up.
    SendMessageW(host.folders->Handle(), LB_SETCURSEL, depth - 1, 0);
    SendMessageW(host.folders->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(host.folders->Directory(), top);
    EXPECT_EQ(host.folderChanges, 2);

    // A folder that is gone leaves everything as it was.
    EXPECT_FALSE(host.folders->SetDirectory(top + "\\missing"));
    EXPECT_EQ(host.folders->Directory(), top);
    EXPECT_EQ(WithoutTrailingBackslash(CurrentDirectory()), top);
}

TEST_F(DriveAndFolderBoxes, FoldersEndingInADotOrDeeperThanTheOldLimitOpenAsThemselves) {
    BoxesHost host;
    MakeFolder(disk / "dots\\a\\only in a");
    MakeFolder(disk / "dots\\a.\\only in a-dot");
    const std::string dots = disk / "dots";
    ASSERT_TRUE(host.folders->SetDirectory(dots + "\\a."));
    EXPECT_EQ(host.folders->Directory(), dots + "\\a.");
    ASSERT_FALSE(host.folders->Rows().empty());
    EXPECT_EQ(host.folders->Rows().back().name, "only in a-dot");

    std::string deep = disk.Path();
    while (deep.size() < 300)
        deep += "a-rather-long-folder-name\\";
    MakeFolder(deep + "leaf");
    ASSERT_TRUE(host.folders->SetDirectory(deep));
    EXPECT_EQ(host.folders->Directory(), WithoutTrailingBackslash(deep));
    EXPECT_EQ(host.folders->Rows().back().name, "leaf");
}
