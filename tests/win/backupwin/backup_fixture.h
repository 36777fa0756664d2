#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "app/finnish.h"
#include "base/texts.h"
#include "platform/program_folder.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"
#include "support/win/window_driver.h"
#include "unnecessary/backup_window.h"
#include "widgets/dialogs.h"

namespace backup_test {

using Texts = std::vector<std::string>;

inline void SetAttributes(const std::string& path, DWORD attributes) {
    SetFileAttributesW(platform::win32::Widen(path).c_str(), attributes);
}

// The window on a fixed test drive of its own, with its settings in a folder of the test's.
class BackupWindow : public ::testing::Test {
  protected:
    BackupWindow() : drive(testing_support::DriveType::Fixed, tree.Path()), scope(dialogs) {
        base::SetFinnishUI(false);
        platform::SetProgramFolderForTests(program.Path());
    }
    ~BackupWindow() override {
        window.reset();
        base::SetFinnishUI(false);
        platform::SetProgramFolderForTests("");
    }

    // Made as at start, then shown; returns once the start timer has ticked.
    void Open(std::vector<std::string> arguments = {}, platform::SystemVersion system = {2, 10, 0}) {
        window = std::make_unique<unnecessary::TBackupIkkuna>(std::move(arguments), system);
        window->Show();
        WaitForStart();
    }
    void WaitForStart() {
        for (int waited = 0; !window->Started() && waited < 200; ++waited)
            testing_support::Pump(50);
        ASSERT_TRUE(window->Started());
    }
    void ChooseOnlyTestDrive() {
        ASSERT_TRUE(testing_support::ChooseOnlyDrive(window->DiskListView1(), drive.Letter()))
            << "the test drive is not listed";
    }
    void ChooseNoDrive() {
        auto& disks = window->DiskListView1();
        for (int row = 0; row < disks.Count(); ++row)
            disks.SetSelected(row, false);
    }
    std::string At(const std::string& relative) const { return drive.Root() + relative; }
    void Write(const std::string& relative, size_t bytes) {
        testing_support::WriteFile(tree / relative, std::string(bytes, 'j'));
    }
    void Search() { testing_support::Click(*window, "btnFind"); }

    // The listed paths in name order (the list itself is sorted by size).
    Texts Listed() const {
        Texts paths;
        auto& files = window->FileListView1();
        for (int row = 0; row < files.Count(); ++row)
            paths.push_back(files.Text(row));
        std::sort(paths.begin(), paths.end());
        return paths;
    }
    int RowOf(const std::string& path) const {
        auto& files = window->FileListView1();
        for (int row = 0; row < files.Count(); ++row) {
            if (files.Text(row) == path)
                return row;
        }
        return -1;
    }
    // Chooses the rows as a click in the list does.
    void Choose(const Texts& paths) {
        auto& files = window->FileListView1();
        for (int row = 0; row < files.Count(); ++row)
            files.SetSelected(row, std::find(paths.begin(), paths.end(), files.Text(row)) != paths.end());
        window->FileListView1Click();
    }
    std::string Status() const { return window->Text("StatusBar1"); }

    testing_support::TempFolder program;
    testing_support::TempFolder tree;
    testing_support::TestDrive drive;
    widgets::ScriptedDialogs dialogs;
    widgets::ScopedDialogs scope;
    testing_support::FailOnEscapedErrors failOnErrors;
    std::unique_ptr<unnecessary::TBackupIkkuna> window;
};

}  // namespace backup_test
