#pragma once

#include <windows.h>

#include <functional>

#include "support/win/window_driver.h"

namespace testing_support {

// Clicks a button with the real pointer and acts once, as the user, from inside the modal loop of the
// window it opens, when that window has settled; returns only after that and after the window has had a
// moment to close. Gives up waiting after ten seconds, so a window that never settles fails its test
// instead of hanging it.
class ModalUser {
  public:
    static void ClickAndAct(HWND button, std::function<bool()> settled, std::function<void()> action) {
        settled_ = std::move(settled);
        action_ = std::move(action);
        acted_ = false;
        ticksLeft_ = 200;
        SetTimer(nullptr, 0, 50, Tick);
        PointerClick(button);
        while (!acted_)
            Pump(50);
        Pump(150);
    }

  private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR id, DWORD) {
        if (!settled_() && --ticksLeft_ > 0)
            return;
        KillTimer(nullptr, id);
        // Acted before the user's action, so a nested modal loop it starts does not tick here again.
        acted_ = true;
        action_();
    }

    static inline std::function<bool()> settled_;
    static inline std::function<void()> action_;
    static inline bool acted_ = false;
    static inline int ticksLeft_ = 0;
};

}  // namespace testing_support
