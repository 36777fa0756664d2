// The colours of the table's controls and the painting of the owner-drawn ones (panels, bevels, pictures).

#include "widgets/control_data.h"
#include "widgets/window.h"

namespace widgets {

LRESULT Window::HandleColor(HDC dc, HWND control) {
    const ControlData* data = FindByHandle(control);
    if (!data)
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    // A control without its own background takes the one of the panel it sits on.
    const ControlData* back = data;
    while (back && !back->hasBackColor)
        back = back->parent;
    if (data->hasTextColor)
        ::SetTextColor(dc, data->textColor);
    if (data->kind == Kind::Edit || data->kind == Kind::ListBox) {
        if (!data->hasBackColor)
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    if (back) {
        SetBkColor(dc, back->backColor);
        return reinterpret_cast<LRESULT>(back->backBrush.Get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

bool Window::DrawControl(const DRAWITEMSTRUCT& item) {
    const ControlData* drawn = FindByHandle(item.hwndItem);
    if (!drawn)
        return false;
    RECT r = item.rcItem;
    const auto fill = [&] { FillRect(item.hDC, &r, reinterpret_cast<HBRUSH>(HandleColor(item.hDC, item.hwndItem))); };
    if (drawn->kind == Kind::Panel || drawn->kind == Kind::Bevel) {
        fill();
        DrawEdge(item.hDC, &r, drawn->kind == Kind::Panel ? EDGE_RAISED : EDGE_ETCHED, BF_RECT);
    } else if (drawn->picture) {
        fill();
        drawn->picture->Draw(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    return true;
}

}  // namespace widgets
