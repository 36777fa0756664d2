#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "chart_host.h"
#include "platform/file_system.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "widgets/drive_combo_box.h"
#include "widgets/folder_list_box.h"
#include "widgets/window.h"

using namespace chart_test;
using testing_support::DriveType;
using testing_support::MakeFolder;
using testing_support::TempFolder;
using testing_support::TestDrive;
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
    // The current directory leaves the test's drives before they are taken away: a drive still in use stays
    // defined for the later test programs of the run.
    void TearDown() override {
        SetCurrentDirectoryW(std::wstring(saved.begin(), saved.end()).c_str());
        drives.clear();
    }
    const TestDrive& AddDrive(DriveType type, const std::string& folder) {
        drives.push_back(std::make_unique<TestDrive>(type, folder));
        return *drives.back();
    }
    std::string saved;
    TempFolder disk;
    TempFolder floppy, network, cd;
    std::vector<std::unique_ptr<TestDrive>> drives;
};

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

TEST_F(DriveAndFolderBoxes, DriveBoxListsFloppyFixedNetworkAndCdDrives) {
    // The test prefix cannot take floppy, network and CD drives away again, so the run's own CD drive (the
    // build folder) is used when there is one.
    const TestDrive& fixedDrive = AddDrive(DriveType::Fixed, disk.Path());
    const TestDrive& floppyDrive = AddDrive(DriveType::Removable, floppy.Path());
    const TestDrive& networkDrive = AddDrive(DriveType::Network, network.Path());
    char cdLetter = 0;
    for (char letter = 'D'; letter <= 'Z' && !cdLetter; ++letter) {
        const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
        if (GetDriveTypeW(root) == DRIVE_CDROM)
            cdLetter = letter;
    }
    if (!cdLetter)
        cdLetter = AddDrive(DriveType::CdRom, cd.Path()).Letter();
    BoxesHost host;
    host.drives->RefreshDrives();
    std::string letters;
    for (int i = 0; i < host.drives->Count(); ++i)
        letters += host.drives->DriveAt(i);
    for (const char letter : {fixedDrive.Letter(), floppyDrive.Letter(), networkDrive.Letter(), cdLetter})
        EXPECT_NE(letters.find(letter), std::string::npos) << letter << " in " << letters;
    EXPECT_TRUE(std::is_sorted(letters.begin(), letters.end())) << letters;
    // The drive shown is the folder box's.
    EXPECT_EQ(host.drives->Drive(), host.folders->Drive());
}

TEST_F(DriveAndFolderBoxes, ChoosingADriveShowsItsFoldersAndMakesItCurrent) {
    const TestDrive& drive = AddDrive(DriveType::Fixed, disk.Path());
    BoxesHost host;
    host.drives->RefreshDrives();
    host.PickDrive(drive.Letter());
    EXPECT_EQ(host.drives->Drive(), drive.Letter());
    EXPECT_EQ(host.folders->Directory(), drive.Root());
    EXPECT_EQ(CurrentDirectory(), drive.Root());
    ExpectRows(host.folders->Rows(),
               {{drive.Root(), 0, true}, {"Alpha", 1, false}, {"beta", 1, false}, {"gamma", 1, false}});
    EXPECT_EQ(SendMessageW(host.folders->Handle(), LB_GETCOUNT, 0, 0), 4);
    EXPECT_EQ(host.folderChanges, 1);
    EXPECT_EQ(host.driveChanges, 1);
}

TEST_F(DriveAndFolderBoxes, OpeningALineGoesThereAndReportsTheChange) {
    const TestDrive& drive = AddDrive(DriveType::Fixed, disk.Path());
    BoxesHost host;
    ASSERT_TRUE(host.folders->SetDirectory(drive.Root()));
    EXPECT_EQ(host.folderChanges, 0) << "setting the folder in code is not the user's change";
    host.Show();
    PumpFor(200);

    DoubleClick(host.folders->Handle(), 3);  // gamma
    EXPECT_EQ(host.folders->Directory(), drive.Root() + "gamma");
    EXPECT_EQ(CurrentDirectory(), drive.Root() + "gamma");
    ExpectRows(host.folders->Rows(),
               {{drive.Root(), 0, true}, {"gamma", 1, true}, {"Deeper", 2, false}, {"inner", 2, false}});
    EXPECT_EQ(host.folderChanges, 1);

    // Enter on the root line goes back up.
    SendMessageW(host.folders->Handle(), LB_SETCURSEL, 0, 0);
    SendMessageW(host.folders->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_EQ(host.folders->Directory(), drive.Root());
    EXPECT_EQ(host.folderChanges, 2);

    // A folder that is gone leaves everything as it was.
    EXPECT_FALSE(host.folders->SetDirectory(drive.Root() + "missing"));
    EXPECT_EQ(host.folders->Directory(), drive.Root());
    EXPECT_EQ(CurrentDirectory(), drive.Root());
}
