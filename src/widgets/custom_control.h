#pragma once

#include <windows.h>

#include <commctrl.h>

namespace widgets {

// A control a window makes itself (a grid, a list view, a chart). The window it is adopted by hands it
// every notification it sends, and answers with what Notify returns.
class CustomControl {
  public:
    virtual ~CustomControl() = default;
    virtual HWND Handle() const = 0;
    virtual LRESULT Notify(const NMHDR& header) = 0;
};

}  // namespace widgets
