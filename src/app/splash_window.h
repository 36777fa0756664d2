#pragma once

#include "widgets/window.h"

namespace app {

// The start-up splash: a borderless, topmost banner with the product's name and version, shown while
// the other windows are made.
class TOdota : public widgets::Window {
  public:
    TOdota();
    void ShowSplash();

  protected:
    bool Intercept(const widgets::Message& message, LRESULT& result) override;
};

}  // namespace app
