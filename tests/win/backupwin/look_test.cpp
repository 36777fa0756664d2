#include <cstdlib>

#include "backup_fixture.h"

namespace backup_test {
namespace {

// Only on request (VIREO_LOOK=1, VIREO_LOOK_FI=1 for Finnish): the window after a search, with a row chosen,
// held on screen for eight seconds.
TEST_F(BackupWindow, HeldOnScreenAfterASearch) {
    if (!std::getenv("VIREO_LOOK"))
        GTEST_SKIP() << "set VIREO_LOOK=1 to hold the window on screen";
    const bool finnish = std::getenv("VIREO_LOOK_FI") != nullptr;
    base::SetFinnishUI(finnish);
    for (const char* path : {"Temp\\~WRL0001.tmp", "Temp\\report.bak", "Projects\\app\\app.ncb",
                             "Projects\\app\\app.pch", "Projects\\app\\Debug\\vc60.pdb.bak", "Documents\\letter.~doc"})
        Write(path, 5000 + std::string(path).size() * 1000);
    window =
        std::make_unique<unnecessary::TBackupIkkuna>(std::vector<std::string>{}, platform::SystemVersion{2, 10, 0});
    if (finnish)
        window->UseFinnishTexts();
    app::FollowStatusLabel(*window, "Label3", "Label1");
    window->Show();
    WaitForStart();
    ChooseOnlyTestDrive();
    Search();
    window->FileListView1().SetSelected(1, true);
    SetFocus(window->FileListView1().Handle());
    window->FileListView1Click();
    testing_support::Pump(8000);
    EXPECT_GT(window->FileListView1().Count(), 0);
}

}  // namespace
}  // namespace backup_test
