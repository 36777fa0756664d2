#pragma once

#include <string>

#include "widgets/window.h"

namespace app {

// The program's home window; closing it ends the program.
class TPaaIkkuna : public widgets::Window {
  public:
    TPaaIkkuna();
    ~TPaaIkkuna() override;

    // The raw "Language/Kieli" text read at creation; empty means no language has been chosen yet.
    std::string LanguageText;
    int Tag = 0;  // 1 once the window has been activated for the first time

  protected:
    void FormActivate() override;

  private:
    void FormCreate();
    void FormDestroy();
};

// The message a second copy broadcasts to wake this one.
UINT InstanceMessage();

}  // namespace app
