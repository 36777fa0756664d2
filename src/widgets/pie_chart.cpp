#include "widgets/pie_chart.h"

#include <windowsx.h>

#include "widgets/error_hook.h"
#include "widgets/gdi.h"

namespace widgets {
namespace {

constexpr wchar_t kClassName[] = L"VireoPieChart";

void RegisterChartClass(WNDPROC proc) {
    WNDCLASSEXW type{};
    type.cbSize = sizeof type;
    type.style = CS_HREDRAW | CS_VREDRAW;
    type.lpfnWndProc = proc;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    type.lpszClassName = kClassName;
    RegisterClassExW(&type);  // fails harmlessly once the class exists
}

}  // namespace

TPieChart::TPieChart(HWND parent, int id, const RECT& bounds, UINT dpi) {
    content_.dpi = dpi ? dpi : 96;
    content_.radius = MulDiv(kDefaultRadius, static_cast<int>(content_.dpi), 96);
    RegisterChartClass(Proc);
    hwnd_ = CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, bounds.left, bounds.top,
                            bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), this);
}

TPieChart::~TPieChart() {
    // The parent may already have taken its children down with it.
    if (hwnd_ && IsWindow(hwnd_)) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void TPieChart::Clear() {
    content_.slices.clear();
    Redraw();
}

void TPieChart::AddSlice(double value, std::string_view label, COLORREF color) {
    content_.slices.push_back({value, std::string(label), color});
    Redraw();
}

void TPieChart::SetTitle(std::string_view title) {
    content_.title = title;
    Redraw();
}

void TPieChart::SetLabelFont(const PieLabelFont& font) {
    content_.labelFont = font;
    Redraw();
}

void TPieChart::SetRadius(int designPixels) {
    content_.radius = MulDiv(designPixels, static_cast<int>(content_.dpi), 96);
    Redraw();
}

SIZE TPieChart::ClientSize() const {
    RECT client{};
    if (hwnd_)
        GetClientRect(hwnd_, &client);
    return {client.right, client.bottom};
}

int TPieChart::SliceAt(POINT client) const {
    const PieLayout layout = LayOutPie(content_, ClientSize());
    return usage::SliceAt(layout.shapes, {client.x + 0.5, client.y + 0.5});
}

int TPieChart::SliceUnderPointer() const {
    POINT pointer{};
    if (!hwnd_ || !GetCursorPos(&pointer) || !ScreenToClient(hwnd_, &pointer))
        return -1;
    return SliceAt(pointer);
}

void TPieChart::Draw(HDC dc) const {
    DrawPie(dc, content_, LayOutPie(content_, ClientSize()));
}

void TPieChart::Redraw() {
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, FALSE);
}

void TPieChart::Paint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    const SIZE size = ClientSize();
    if (size.cx > 0 && size.cy > 0) {
        // Drawn off screen first, so the pie does not flicker as it is built up.
        MemoryDC buffer(dc);
        GdiObject<HBITMAP> picture(CreateCompatibleBitmap(dc, size.cx, size.cy));
        SelectScope usePicture(buffer.Get(), picture.Get());
        Draw(buffer.Get());
        BitBlt(dc, 0, 0, size.cx, size.cy, buffer.Get(), 0, 0, SRCCOPY);
    }
    EndPaint(hwnd_, &paint);
}

LRESULT CALLBACK TPieChart::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<TPieChart*>(create->lpCreateParams)->hwnd_ = hwnd;
    }
    auto* chart = reinterpret_cast<TPieChart*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    try {
        if (chart)
            return chart->Handle(message, wParam, lParam);
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT TPieChart::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            Paint();
            return 0;
        case WM_MOUSEMOVE:
            if (OnMouseMove)
                OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_NCDESTROY: {
            const HWND hwnd = hwnd_;
            SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
            hwnd_ = nullptr;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        }
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace widgets
