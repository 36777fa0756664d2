#include "widgets/caption_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>

#include "widgets/gdi.h"

namespace widgets {
namespace {

constexpr UINT_PTR kSubclassId = 0x56435042;  // "VCPB"
constexpr int kSteps = 64;
constexpr wchar_t kMarker[] = L"VireoCaptionBar";  // set while the bar is installed

struct BarState {
    std::wstring applicationName;
    bool active = false;
    // The layout is found by hit testing, which is too slow for every paint; it is kept until the
    // window's size, style or DPI changes.
    CaptionBarLayout layout;
    SIZE measuredSize{-1, -1};
    LONG_PTR measuredStyle = 0;
    UINT measuredDpi = 0;
    // Where the system really draws each button inside its hit area, found from the first paint after
    // the layout was measured; until then the whole hit area is left to the system.
    RECT drawnButtons[4]{};
    bool buttonsFound = false;
};

bool IsButtonHit(LRESULT hit) {
    return hit == HTCLOSE || hit == HTMAXBUTTON || hit == HTMINBUTTON || hit == HTHELP;
}

bool IsCaptionHit(LRESULT hit) {
    return hit == HTCAPTION || hit == HTSYSMENU || IsButtonHit(hit);
}

bool Empty(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// Turns off the compositor's drawing of the frame, which would hide whatever is painted over the
// caption; loaded at run time so the program still starts where dwmapi.dll is missing.
void UseClassicFrame(HWND window) {
    using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static const SetAttribute set = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        return dwm ? reinterpret_cast<SetAttribute>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmSetWindowAttribute")))
                   : nullptr;
    }();
    if (!set)
        return;
    constexpr DWORD kNcRenderingPolicy = 2;  // DWMWA_NCRENDERING_POLICY
    const DWORD disabled = 1;                // DWMNCRP_DISABLED
    set(window, kNcRenderingPolicy, &disabled, sizeof disabled);
}

HICON SmallIcon(HWND window) {
    auto icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_SMALL, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, ICON_BIG, 0));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICONSM));
    if (!icon)
        icon = reinterpret_cast<HICON>(GetClassLongPtrW(window, GCLP_HICON));
    if (!icon)
        icon = LoadIconW(nullptr, IDI_APPLICATION);
    return icon;
}

Font CaptionFont(UINT dpi, bool bold) {
    LOGFONTW face{};
    face.lfHeight = -MulDiv(8, static_cast<int>(dpi), 72);
    face.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    face.lfCharSet = DEFAULT_CHARSET;
    face.lfQuality = CLEARTYPE_QUALITY;
    face.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    lstrcpynW(face.lfFaceName, L"Tahoma", LF_FACESIZE);
    return Font(CreateFontIndirectW(&face));
}

std::wstring WindowCaption(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(0, length)));
    return text;
}

int ColorDistance(COLORREF a, COLORREF b) {
    return std::abs(GetRValue(a) - GetRValue(b)) + std::abs(GetGValue(a) - GetGValue(b)) +
           std::abs(GetBValue(a) - GetBValue(b));
}

// The part of a button's hit area that the system drew as the button, read back from what it has just
// painted: in each column, pixels that differ from the caption's own colour at the area's bottom row.
// When that row is not caption background (a button that reaches down to the edge), the whole area is
// the button's.
RECT DrawnButton(HDC dc, const RECT& hit, COLORREF background) {
    const int width = hit.right - hit.left;
    const int height = hit.bottom - hit.top;
    if (width <= 0 || height <= 0)
        return hit;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    GdiObject<HBITMAP> copy(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!copy || !bits)
        return hit;
    MemoryDC memory(dc);
    {
        SelectScope select(memory.Get(), copy.Get());
        BitBlt(memory.Get(), 0, 0, width, height, dc, hit.left, hit.top, SRCCOPY);
    }
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    const auto at = [&](int x, int y) {
        const DWORD p = pixels[y * width + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    };
    RECT found{width, height, 0, 0};
    for (int x = 0; x < width; ++x) {
        const COLORREF columnBackground = at(x, height - 1);
        if (ColorDistance(columnBackground, background) > 60)
            return hit;
        for (int y = 0; y < height; ++y) {
            if (at(x, y) != columnBackground) {
                found.left = std::min<LONG>(found.left, x);
                found.top = std::min<LONG>(found.top, y);
                found.right = std::max<LONG>(found.right, x + 1);
                found.bottom = std::max<LONG>(found.bottom, y + 1);
            }
        }
    }
    if (found.right <= found.left)
        return hit;
    OffsetRect(&found, hit.left, hit.top);
    return found;
}

const CaptionBarLayout& CurrentLayout(HWND window, BarState& state) {
    RECT rect{};
    GetWindowRect(window, &rect);
    const SIZE size{rect.right - rect.left, rect.bottom - rect.top};
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE) ^ (GetWindowLongPtrW(window, GWL_EXSTYLE) << 1);
    const UINT dpi = GetDpiForWindow(window);
    if (size.cx != state.measuredSize.cx || size.cy != state.measuredSize.cy || style != state.measuredStyle ||
        dpi != state.measuredDpi) {
        state.layout = MeasureCaptionBar(window);
        state.measuredSize = size;
        state.measuredStyle = style;
        state.measuredDpi = dpi;
        state.buttonsFound = false;
    }
    return state.layout;
}

void PaintBar(HWND window, BarState& state) {
    if (IsIconic(window) || !IsWindowVisible(window))
        return;
    const CaptionBarLayout& layout = CurrentLayout(window, state);
    if (Empty(layout.bar))
        return;
    HDC dc = GetWindowDC(window);
    if (!dc)
        return;
    const int saved = SaveDC(dc);
    if (!state.buttonsFound && layout.buttonCount > 0) {
        int leftmost = layout.bar.right;
        for (int i = 0; i < layout.buttonCount; ++i)
            leftmost = std::min<int>(leftmost, layout.buttons[i].left);
        const COLORREF background = GetPixel(dc, std::max<int>(layout.bar.left, leftmost - 1), layout.bar.bottom - 1);
        for (int i = 0; i < layout.buttonCount; ++i)
            state.drawnButtons[i] = DrawnButton(dc, layout.buttons[i], background);
        state.buttonsFound = true;
    }
    IntersectClipRect(dc, layout.bar.left, layout.bar.top, layout.bar.right, layout.bar.bottom);
    for (int i = 0; i < layout.buttonCount; ++i) {
        const RECT& b = state.buttonsFound ? state.drawnButtons[i] : layout.buttons[i];
        ExcludeClipRect(dc, b.left, b.top, b.right, b.bottom);
    }

    const RECT& bar = layout.bar;
    const int width = bar.right - bar.left;
    for (int step = 0; step < kSteps; ++step) {
        const RECT band{bar.left + width * step / kSteps, bar.top, bar.left + width * (step + 1) / kSteps, bar.bottom};
        Brush brush(CreateSolidBrush(CaptionBarColor(state.active, step)));
        FillRect(dc, &band, brush.Get());
    }

    int textLeft = bar.left + MulDiv(4, static_cast<int>(GetDpiForWindow(window)), 96);
    if (!Empty(layout.icon)) {
        const UINT dpi = GetDpiForWindow(window);
        const int cx = GetSystemMetricsForDpi(SM_CXSMICON, dpi);
        const int cy = GetSystemMetricsForDpi(SM_CYSMICON, dpi);
        const RECT& r = layout.icon;
        DrawIconEx(dc, r.left + (r.right - r.left - cx) / 2, r.top + (r.bottom - r.top - cy) / 2, SmallIcon(window), cx,
                   cy, 0, nullptr, DI_NORMAL);
        textLeft = r.right + MulDiv(2, static_cast<int>(dpi), 96);
    }
    int textRight = bar.right;
    for (int i = 0; i < layout.buttonCount; ++i)
        textRight = std::min<int>(textRight, layout.buttons[i].left);
    textRight -= MulDiv(4, static_cast<int>(GetDpiForWindow(window)), 96);

    const CaptionParts parts = SplitCaption(WindowCaption(window), state.applicationName);
    const UINT dpi = GetDpiForWindow(window);
    Font bold = CaptionFont(dpi, true);
    Font regular = CaptionFont(dpi, false);
    SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, state.active ? RGB(255, 255, 255) : RGB(192, 192, 192));
    RECT text{textLeft, bar.top, textRight, bar.bottom};
    const UINT format = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (text.right > text.left) {
        {
            SelectScope font(dc, bold.Get());
            RECT measured = text;
            DrawTextW(dc, parts.bold.c_str(), static_cast<int>(parts.bold.size()), &measured, format | DT_CALCRECT);
            DrawTextW(dc, parts.bold.c_str(), static_cast<int>(parts.bold.size()), &text, format);
            text.left = std::min(text.right, measured.right);
        }
        SelectScope font(dc, regular.Get());
        if (text.right > text.left)
            DrawTextW(dc, parts.regular.c_str(), static_cast<int>(parts.regular.size()), &text, format);
    }
    RestoreDC(dc, saved);
    ReleaseDC(window, dc);
}

LRESULT CALLBACK BarProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    auto* state = reinterpret_cast<BarState*>(data);
    switch (message) {
        case WM_NCACTIVATE: {
            state->active = wParam != FALSE;
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            PaintBar(window, *state);
            return result;
        }
        case WM_NCPAINT:
        case WM_SETTEXT:
        case WM_SETICON:
        case WM_NCMOUSEMOVE:
        case WM_NCMOUSELEAVE:
        case WM_NCLBUTTONUP:
        case WM_SYSCOMMAND:
        case WM_THEMECHANGED: {
            // The system draws the frame and the buttons first (and redraws its own caption on several of
            // these); the bar goes over it afterwards.
            const LRESULT result = DefSubclassProc(window, message, wParam, lParam);
            PaintBar(window, *state);
            return result;
        }
        case WM_NCDESTROY:
            RemoveWindowSubclass(window, BarProc, kSubclassId);
            RemovePropW(window, kMarker);
            delete state;
            return DefSubclassProc(window, message, wParam, lParam);
        default:
            return DefSubclassProc(window, message, wParam, lParam);
    }
}

}  // namespace

COLORREF CaptionBarColor(bool active, int step) {
    step = std::clamp(step, 0, kSteps - 1);
    const COLORREF from = active ? RGB(0, 0, 128) : RGB(128, 128, 128);
    const COLORREF to = active ? RGB(0, 0, 255) : RGB(192, 192, 192);
    const auto mix = [&](int a, int b) { return a + (b - a) * step / (kSteps - 1); };
    return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
               mix(GetBValue(from), GetBValue(to)));
}

CaptionParts SplitCaption(std::wstring_view caption, std::wstring_view applicationName) {
    if (applicationName.empty())
        return {L"", std::wstring(caption)};
    const bool startsWithName = caption.substr(0, applicationName.size()) == applicationName &&
                                (caption.size() == applicationName.size() || caption[applicationName.size()] == L' ');
    if (startsWithName)
        return {std::wstring(applicationName), std::wstring(caption.substr(applicationName.size()))};
    if (caption.empty())
        return {std::wstring(applicationName), L""};
    return {std::wstring(applicationName), L" - " + std::wstring(caption)};
}

CaptionBarLayout MeasureCaptionBar(HWND window) {
    CaptionBarLayout layout;
    if ((GetWindowLongPtrW(window, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
        return layout;
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT client{};
    GetClientRect(window, &client);
    POINT clientTop{0, 0};
    ClientToScreen(window, &clientTop);
    const int width = rect.right - rect.left;
    const int captionBottom = clientTop.y - rect.top;  // the caption lies above the client area
    if (width <= 0 || captionBottom <= 0)
        return layout;
    const auto hit = [&](int x, int y) {
        return SendMessageW(window, WM_NCHITTEST, 0, MAKELPARAM(rect.left + x, rect.top + y));
    };

    // The band's height, down a column away from the icon and the buttons.
    const int column = width / 2;
    int top = -1;
    int bottom = -1;
    for (int y = 0; y < captionBottom; ++y) {
        if (IsCaptionHit(hit(column, y))) {
            if (top < 0)
                top = y;
            bottom = y + 1;
        }
    }
    if (top < 0)
        return layout;

    // Across its middle: where the caption starts and ends, the icon, and each button.
    const int row = (top + bottom) / 2;
    int left = -1;
    int right = -1;
    LRESULT previous = HTNOWHERE;
    for (int x = 0; x < width; ++x) {
        const LRESULT h = hit(x, row);
        if (IsCaptionHit(h)) {
            if (left < 0)
                left = x;
            right = x + 1;
        }
        if (h == HTSYSMENU) {
            if (Empty(layout.icon))
                layout.icon = RECT{x, top, x + 1, bottom};
            layout.icon.right = x + 1;
        }
        if (IsButtonHit(h)) {
            if (h != previous && layout.buttonCount < static_cast<int>(std::size(layout.buttons))) {
                layout.buttons[layout.buttonCount++] = RECT{x, top, x + 1, bottom};
            }
            if (layout.buttonCount > 0)
                layout.buttons[layout.buttonCount - 1].right = x + 1;
        }
        previous = h;
    }
    // A button's own height, so the bar also fills the band around it.
    for (int i = 0; i < layout.buttonCount; ++i) {
        RECT& b = layout.buttons[i];
        const int x = (b.left + b.right) / 2;
        const LRESULT kind = hit(x, row);
        int buttonTop = row;
        while (buttonTop > top && hit(x, buttonTop - 1) == kind)
            --buttonTop;
        int buttonBottom = row + 1;
        while (buttonBottom < bottom && hit(x, buttonBottom) == kind)
            ++buttonBottom;
        b.top = buttonTop;
        b.bottom = buttonBottom;
    }
    layout.bar = RECT{left, top, right, bottom};
    return layout;
}

void InstallCaptionBar(HWND topLevelWindow, std::wstring_view applicationName) {
    if (!topLevelWindow || HasCaptionBar(topLevelWindow))
        return;
    auto* state = new BarState;
    state->applicationName = std::wstring(applicationName);
    state->active = GetActiveWindow() == topLevelWindow;
    if (!SetWindowSubclass(topLevelWindow, BarProc, kSubclassId, reinterpret_cast<DWORD_PTR>(state))) {
        delete state;
        return;
    }
    SetPropW(topLevelWindow, kMarker, reinterpret_cast<HANDLE>(state));
    UseClassicFrame(topLevelWindow);
    SetWindowPos(topLevelWindow, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool HasCaptionBar(HWND window) {
    return window && GetPropW(window, kMarker) != nullptr;
}

}  // namespace widgets
