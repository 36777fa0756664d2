#include "widgets/pie_chart.h"

#include <algorithm>

#include "platform/file_store.h"
#include "platform/win32/unicode.h"
#include "usage/chart_file.h"
#include "widgets/gdi.h"

namespace widgets {
namespace {

// The screen's device context for one scope.
class ScreenDC {
  public:
    ScreenDC() : dc_(GetDC(nullptr)) {}
    ~ScreenDC() { ReleaseDC(nullptr, dc_); }
    ScreenDC(const ScreenDC&) = delete;
    ScreenDC& operator=(const ScreenDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

class EnhancedMetafile {
  public:
    explicit EnhancedMetafile(HENHMETAFILE handle) : handle_(handle) {}
    ~EnhancedMetafile() {
        if (handle_)
            DeleteEnhMetaFile(handle_);
    }
    EnhancedMetafile(const EnhancedMetafile&) = delete;
    EnhancedMetafile& operator=(const EnhancedMetafile&) = delete;
    HENHMETAFILE Get() const { return handle_; }

  private:
    HENHMETAFILE handle_;
};

class Metafile {
  public:
    explicit Metafile(HMETAFILE handle) : handle_(handle) {}
    ~Metafile() {
        if (handle_)
            DeleteMetaFile(handle_);
    }
    Metafile(const Metafile&) = delete;
    Metafile& operator=(const Metafile&) = delete;
    HMETAFILE Get() const { return handle_; }

  private:
    HMETAFILE handle_;
};

bool IsPrinter(HDC dc) {
    return GetObjectType(dc) == OBJ_DC && GetDeviceCaps(dc, TECHNOLOGY) != DT_RASDISPLAY;
}

// Maps the chart onto the page: as large as fits inside a margin, centred across, at the top.
void MapOntoPage(HDC dc, SIZE chart) {
    const int pageWidth = GetDeviceCaps(dc, HORZRES);
    const int pageHeight = GetDeviceCaps(dc, VERTRES);
    const int margin = std::min(pageWidth, pageHeight) / 20;
    const double scale = std::min(static_cast<double>(pageWidth - 2 * margin) / chart.cx,
                                  static_cast<double>(pageHeight - 2 * margin) / chart.cy);
    const int width = static_cast<int>(chart.cx * scale);
    const int height = static_cast<int>(chart.cy * scale);
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, chart.cx, chart.cy, nullptr);
    SetViewportExtEx(dc, width, height, nullptr);
    SetViewportOrgEx(dc, (pageWidth - width) / 2, margin, nullptr);
}

bool HasArea(SIZE size) {
    return size.cx > 0 && size.cy > 0;
}

}  // namespace

bool TPieChart::Print(HDC printer, std::string_view jobName) const {
    const SIZE chart = ClientSize();
    if (!printer || !HasArea(chart))
        return false;
    const bool job = IsPrinter(printer);
    if (job) {
        const std::wstring name = platform::win32::Widen(jobName);
        DOCINFOW document{};
        document.cbSize = sizeof document;
        document.lpszDocName = name.c_str();
        if (StartDocW(printer, &document) <= 0)
            return false;
        if (StartPage(printer) <= 0) {
            AbortDoc(printer);
            return false;
        }
    }
    const int saved = SaveDC(printer);
    MapOntoPage(printer, chart);
    Draw(printer);
    RestoreDC(printer, saved);
    if (job && (EndPage(printer) <= 0 || EndDoc(printer) <= 0))
        return false;
    return true;
}

ChartSaveOutcome TPieChart::SaveByName(const std::string& path) const {
    const auto format = usage::ChartFormatOfName(path);
    if (!format)
        return ChartSaveOutcome::InvalidFormat;
    bool saved = false;
    switch (*format) {
        case usage::ChartFileFormat::Bitmap:
            saved = SaveBitmap(path);
            break;
        case usage::ChartFileFormat::Metafile:
            saved = SaveMetafile(path);
            break;
        case usage::ChartFileFormat::EnhancedMetafile:
            saved = SaveEnhancedMetafile(path);
            break;
    }
    return saved ? ChartSaveOutcome::Saved : ChartSaveOutcome::Failed;
}

bool TPieChart::SaveBitmap(const std::string& path) const {
    const SIZE size = ClientSize();
    if (!HasArea(size))
        return false;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = size.cy;  // bottom row first, as the file keeps them
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    GdiObject<HBITMAP> picture(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!picture || !bits)
        return false;
    MemoryDC canvas;
    {
        SelectScope usePicture(canvas.Get(), picture.Get());
        Draw(canvas.Get());
        GdiFlush();
    }
    const size_t rowSize = (static_cast<size_t>(size.cx) * 3 + 3) / 4 * 4;
    const std::string_view rows(static_cast<const char*>(bits), rowSize * static_cast<size_t>(size.cy));
    return platform::SystemFileStore().ReplaceAll(path, usage::BitmapFileBytes(size.cx, size.cy, rows));
}

bool TPieChart::SaveEnhancedMetafile(const std::string& path) const {
    const SIZE size = ClientSize();
    if (!HasArea(size))
        return false;
    ScreenDC screen;
    // The frame is in hundredths of a millimetre, from the screen's own size per pixel.
    const RECT frame{
        0, 0, MulDiv(size.cx, GetDeviceCaps(screen.Get(), HORZSIZE) * 100, GetDeviceCaps(screen.Get(), HORZRES)),
        MulDiv(size.cy, GetDeviceCaps(screen.Get(), VERTSIZE) * 100, GetDeviceCaps(screen.Get(), VERTRES))};
    HDC recorder = CreateEnhMetaFileW(screen.Get(), nullptr, &frame, L"Vireo\0Space usage\0");
    if (!recorder)
        return false;
    Draw(recorder);
    const EnhancedMetafile metafile(CloseEnhMetaFile(recorder));
    const UINT length = metafile.Get() ? GetEnhMetaFileBits(metafile.Get(), 0, nullptr) : 0;
    if (length == 0)
        return false;
    std::string bytes(length, '\0');
    if (GetEnhMetaFileBits(metafile.Get(), length, reinterpret_cast<BYTE*>(bytes.data())) != length)
        return false;
    return platform::SystemFileStore().ReplaceAll(path, bytes);
}

bool TPieChart::SaveMetafile(const std::string& path) const {
    const SIZE size = ClientSize();
    if (!HasArea(size) || size.cx > 32767 || size.cy > 32767)
        return false;
    HDC recorder = CreateMetaFileW(nullptr);
    if (!recorder)
        return false;
    // A player scales the picture from these extents onto the place it gives it.
    SetMapMode(recorder, MM_ANISOTROPIC);
    SetWindowOrgEx(recorder, 0, 0, nullptr);
    SetWindowExtEx(recorder, size.cx, size.cy, nullptr);
    Draw(recorder);
    const Metafile metafile(CloseMetaFile(recorder));
    const UINT length = metafile.Get() ? GetMetaFileBitsEx(metafile.Get(), 0, nullptr) : 0;
    if (length == 0)
        return false;
    std::string bytes(length, '\0');
    if (GetMetaFileBitsEx(metafile.Get(), length, bytes.data()) != length)
        return false;
    return platform::SystemFileStore().ReplaceAll(
        path, usage::PlaceableMetafileBytes(bytes, size.cx, size.cy, static_cast<int>(content_.dpi)));
}

}  // namespace widgets
