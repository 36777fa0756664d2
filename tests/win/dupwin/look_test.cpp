#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "base/texts.h"
#include "duplicates/duplicates_window.h"
#include "platform/program_folder.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "support/win/window_driver.h"
#include "widgets/dialogs.h"

namespace {

// Only on request (VIREO_LOOK=1): the window after a search of a small tree, held on screen for eight seconds.
TEST(DuplicatesWindowLook, HeldOnScreenAfterASearch) {
    if (!std::getenv("VIREO_LOOK"))
        GTEST_SKIP() << "set VIREO_LOOK=1 to hold the window on screen";
    base::SetFinnishUI(std::getenv("VIREO_LOOK_FI") != nullptr);
    testing_support::TempFolder program;
    testing_support::TempFolder tree;
    platform::SetProgramFolderForTests(program.Path());
    for (int i = 0; i < 4; ++i) {
        testing_support::WriteFile(tree / ("Photos\\holiday" + std::to_string(i) + ".jpg"), std::string(4000 + i, 'p'));
        testing_support::WriteFile(tree / ("Backup\\holiday" + std::to_string(i) + ".jpg"), std::string(4000 + i, 'p'));
    }
    testing_support::WriteFile(tree / "Docs\\report.doc", std::string(12000, 'd'));
    testing_support::WriteFile(tree / "Old\\report copy.doc", std::string(12000, 'd'));
    testing_support::WriteFile(tree / "Old\\report 2.doc", std::string(12000, 'd'));
    testing_support::TestDrive drive(testing_support::DriveType::Fixed, tree.Path());
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scoped(dialogs);
    {
        duplicates::TKaksoisIkkuna window;
        if (base::FinnishUI())
            window.ApplyTexts(duplicates::DuplicatesFinnishTexts());
        window.Switches.CheckFileStamp = false;
        window.Show();
        for (int waited = 0; !window.FirstShowingDone() && waited < 100; ++waited)
            testing_support::Pump(100);
        auto& disks = window.DiskListView1();
        for (int row = 0; row < disks.Count(); ++row)
            disks.SetSelected(row, false);
        for (int row = 0; row < disks.Count(); ++row) {
            disks.SetSelected(row, true);
            if (disks.GetSelectedDrives() == std::string(1, drive.Letter()))
                break;
            disks.SetSelected(row, false);
        }
        testing_support::Click(window, "Search");
        window.FileListView1().SetSelected(1, true);
        SetFocus(window.FileListView1().Handle());
        window.FileListView1Change();
        testing_support::Pump(8000);
        EXPECT_GT(window.FileListView1().Count(), 0);
    }
    platform::SetProgramFolderForTests("");
}

}  // namespace
