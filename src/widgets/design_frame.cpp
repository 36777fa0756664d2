// The design frame: the client area holds the frame at its design size scaled to the monitor's DPI,
// stretched when the window is larger and scrolled when it is smaller.

#include <algorithm>

#include "widgets/control_data.h"
#include "widgets/window.h"

namespace widgets {

int Window::Scale(int designPixels) const {
    return MulDiv(designPixels, static_cast<int>(dpi_), 96);
}

RECT Window::ScaledRect(const Place& place) const {
    return RECT{Scale(place.left), Scale(place.top), Scale(place.left + place.width), Scale(place.top + place.height)};
}

void Window::LayOut() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int designWidth = Scale(frameWidth_);
    const int designHeight = Scale(frameHeight_);
    const int width = std::max<int>(client.right, designWidth);
    const int height = std::max<int>(client.bottom, designHeight);
    scroll_.x = std::clamp<int>(scroll_.x, 0, std::max<int>(0, designWidth - client.right));
    scroll_.y = std::clamp<int>(scroll_.y, 0, std::max<int>(0, designHeight - client.bottom));
    SetWindowPos(frame_, nullptr, -scroll_.x, -scroll_.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateScrollBars();
}

void Window::UpdateScrollBars() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const auto update = [&](int bar, int design, int page, int position) {
        SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL};
        info.nMin = 0;
        info.nMax = design - 1;
        info.nPage = static_cast<UINT>(page);
        info.nPos = position;
        if (design <= page) {
            ShowScrollBar(hwnd_, bar, FALSE);
        } else {
            ShowScrollBar(hwnd_, bar, TRUE);
            SetScrollInfo(hwnd_, bar, &info, TRUE);
        }
    };
    update(SB_HORZ, Scale(frameWidth_), client.right, scroll_.x);
    update(SB_VERT, Scale(frameHeight_), client.bottom, scroll_.y);
}

void Window::Scroll(int bar, WORD request) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(hwnd_, bar, &info);
    int position = info.nPos;
    const int line = Scale(16);
    switch (request) {
        case SB_LINEUP:
            position -= line;
            break;
        case SB_LINEDOWN:
            position += line;
            break;
        case SB_PAGEUP:
            position -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            position += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = info.nMax;
            break;
        default:
            return;
    }
    (bar == SB_HORZ ? scroll_.x : scroll_.y) = position;
    LayOut();
}

void Window::DpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    messageFont_ = MakeFont(dpi_, nullptr, 0, false, false);
    for (const auto& control : controls_) {
        if (!control->hwnd)
            continue;
        const RECT r = ScaledRect(control->place);
        SetWindowPos(control->hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    ApplyFonts();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

}  // namespace widgets
