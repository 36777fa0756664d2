#pragma once

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

}  // namespace app
