#include "widgets/gdi.h"

namespace widgets {

Bitmap::Bitmap(int width, int height, const std::function<void(HDC)>& draw) : width_(width), height_(height) {
    HDC screen = GetDC(nullptr);
    bitmap_.Reset(CreateCompatibleBitmap(screen, width, height));
    ReleaseDC(nullptr, screen);
    MemoryDC dc;
    SelectScope select(dc.Get(), bitmap_.Get());
    const RECT all{0, 0, width, height};
    Brush background(CreateSolidBrush(kTransparent));
    FillRect(dc.Get(), &all, background.Get());
    draw(dc.Get());
}

void Bitmap::Draw(HDC dc, int x, int y, int width, int height) const {
    MemoryDC source(dc);
    SelectScope select(source.Get(), bitmap_.Get());
    TransparentBlt(dc, x, y, width, height, source.Get(), 0, 0, width_, height_, kTransparent);
}

void Line(HDC dc, int width, COLORREF color, std::initializer_list<POINT> points) {
    Pen pen(CreatePen(PS_SOLID, width, color));
    SelectScope select(dc, pen.Get());
    bool first = true;
    for (const POINT& p : points) {
        if (first)
            MoveToEx(dc, p.x, p.y, nullptr);
        else
            LineTo(dc, p.x, p.y);
        first = false;
    }
}

COLORREF ColorOfSetting(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    return (bits & 0x80000000u) ? GetSysColor(static_cast<int>(bits & 0xFFu)) : static_cast<COLORREF>(bits);
}

Font MakeFont(UINT dpi, const wchar_t* face, int designPixelHeight, bool bold, bool italic) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW font = metrics.lfMessageFont;
    // The metrics come at the system DPI; scale them to the window's.
    const UINT systemDpi = GetDpiForSystem();
    font.lfHeight = MulDiv(font.lfHeight, static_cast<int>(dpi), static_cast<int>(systemDpi ? systemDpi : 96));
    if (face && *face)
        lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    if (designPixelHeight > 0)
        font.lfHeight = -MulDiv(designPixelHeight, static_cast<int>(dpi), 96);
    font.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic ? TRUE : FALSE;
    return Font(CreateFontIndirectW(&font));
}

}  // namespace widgets
