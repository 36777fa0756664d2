#pragma once

#include <string>
#include <string_view>

#include "widgets/window.h"

namespace app {

// The first-run question for the interface language, in both languages at once.
class TKieliIkkuna : public widgets::Window {
  public:
    TKieliIkkuna();

    void SuomiClick();
    void EnglantiClick();

  protected:
    void FormShow() override;

  private:
    void FormCreate();
    void WidenToFitTexts();
    void Choose(bool english);
};

// The message, in both languages, for a language choice that could not be written to the file at path.
std::string UnsavedLanguageText(std::string_view path);

}  // namespace app
