#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/application.h"
#include "app/window_set.h"
#include "base/texts.h"
#include "platform/program_folder.h"
#include "platform/win32/unicode.h"
#include "support/win/temp_folder.h"

namespace testing_support {

// The program's windows made as at start, with the program folder in a folder of the test's own, which
// is also the current folder, so the space usage window measures only what the test puts there.
class ShellTest : public testing::Test {
  protected:
    void SetUp() override {
        platform::SetProgramFolderForTests(folder_.Path());
        wchar_t current[MAX_PATH] = {};
        GetCurrentDirectoryW(MAX_PATH, current);
        previousFolder_ = current;
        SetCurrentDirectoryW(platform::win32::Widen(folder_.Path()).c_str());
        // A pointer left over the main window's place would show its info panel at once.
        SetCursorPos(0, 0);
    }
    void TearDown() override {
        app::DestroyWindows();
        app::DestroySplash();
        base::SetFinnishUI(false);
        platform::SetProgramFolderForTests("");
        SetCurrentDirectoryW(previousFolder_.c_str());
    }

    void WriteOptions(const std::string& text) { WriteFile(folder_ / "Options.ini", text); }
    std::string Options() const {
        std::string text;
        ReadFile(folder_ / "Options.ini", text);
        return text;
    }
    void Start() {
        app::InstallErrorHook();
        app::OdotaIkkuna = std::make_unique<app::TOdota>();
        app::OdotaIkkuna->ShowSplash();
        app::CreateWindows();
        app::PaaIkkuna->Show();
        widgets::ProcessMessages();
    }
    app::TPaaIkkuna& Main() { return *app::PaaIkkuna; }

    TempFolder folder_;

  private:
    std::wstring previousFolder_;
};

}  // namespace testing_support
