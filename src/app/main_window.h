#pragma once

#include <string>

#include "app/options_handover.h"
#include "widgets/window.h"

namespace app {

// The program's home: one button per tool down the left, an info panel on the right that welcomes the
// user and explains the tool under the pointer. Closing it ends the program.
class TPaaIkkuna : public widgets::Window {
  public:
    static constexpr int kHelpTopic = 101;

    TPaaIkkuna();
    ~TPaaIkkuna() override;

    // The raw "Language/Kieli" text read at creation; empty means no language has been chosen yet.
    std::string LanguageText;
    int Tag = 0;  // 1 once the window has been activated for the first time

    // Switches every window to its Finnish texts; run at most once, from the first show.
    void DoSuomi();

    void ShowInfo(std::string_view button);
    void HideInfo();

    // The unnecessary-files window's members as the options window exchanges them.
    UnnecessaryFilesMembers& UnnecessaryMembers() { return unnecessary_; }

  protected:
    void FormShow() override;
    void FormActivate() override;
    void FormClose() override;

  private:
    void FormCreate();
    void FormDestroy();
    void SettingsClick();

    bool shownBefore_ = false;
    BackupWindowMembers unnecessary_;
};

// The message a second copy broadcasts to wake this one.
UINT InstanceMessage();

}  // namespace app
