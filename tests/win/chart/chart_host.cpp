#include "chart_host.h"

#include "widgets/window.h"

namespace chart_test {

namespace {
constexpr widgets::ControlSpec kControls[] = {{"Kaavio", widgets::Kind::Custom, {8, 8, 460, 380}}};
}

ChartHost::ChartHost() {
    Create({"Chart test", 476, 396});
    CreateControls(kControls);
    chart_ = std::make_unique<widgets::TPieChart>(Frame(), 901, ControlRect("Kaavio"), Dpi());
    AdoptControl("Kaavio", chart_->Handle());
}

void AddSampleSlices(widgets::TPieChart& chart) {
    chart.SetTitle("Space usage");
    chart.AddSlice(0, " ", RGB(255, 255, 255));
    chart.AddSlice(30, "windows 29%", RGB(0, 255, 255));
    chart.AddSlice(20, "program files 19%", RGB(0, 128, 0));
    chart.AddSlice(12, "users 12%", RGB(255, 0, 255));
    chart.AddSlice(7, "temp 7%", RGB(0, 0, 255));
    chart.AddSlice(6.2, "games 6%", RGB(255, 255, 0));
    chart.AddSlice(3, " ", RGB(0, 255, 0));
    chart.AddSlice(25, "(c: free space) 24%", kNavy);
    chart.AddSlice(5, " ", RGB(255, 0, 0));
}

int Pixels::Count(COLORREF color) const {
    int count = 0;
    for (COLORREF c : colors)
        count += c == color;
    return count;
}

POINT Pixels::InsideOf(COLORREF color) const {
    for (int y = 2; y + 2 < height; ++y) {
        for (int x = 2; x + 2 < width; ++x) {
            bool all = true;
            for (int dy = -2; dy <= 2 && all; ++dy)
                for (int dx = -2; dx <= 2 && all; ++dx)
                    all = At(x + dx, y + dy) == color;
            if (all)
                return {x, y};
        }
    }
    return {-1, -1};
}

Pixels RenderWith(int width, int height, void (*draw)(HDC, void*), void* context) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    draw(dc, context);
    GdiFlush();
    Pixels pixels{width, height, {}};
    const auto* raw = static_cast<const DWORD*>(bits);
    for (int i = 0; i < width * height; ++i)
        pixels.colors.push_back(RGB(raw[i] >> 16 & 0xFF, raw[i] >> 8 & 0xFF, raw[i] & 0xFF));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixels;
}

void PumpFor(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
}

}  // namespace chart_test
