#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "widgets/pie_chart_draw.h"

namespace widgets {

enum class ChartSaveOutcome { Saved, InvalidFormat, Failed };

// A three-dimensional pie chart control on a parent: one series of slices, each with its value, label and
// colour, under a title; no legend, axes or frame. The picture is the same on screen, on paper and in the
// .bmp, .wmf and .emf files it saves.
class TPieChart {
  public:
    // The radius is the largest the pie gets, in design pixels (96 per inch), as the window lays it out.
    static constexpr int kDefaultRadius = 90;

    TPieChart(HWND parent, int id, const RECT& bounds, UINT dpi);
    ~TPieChart();
    TPieChart(const TPieChart&) = delete;
    TPieChart& operator=(const TPieChart&) = delete;

    HWND Handle() const { return hwnd_; }

    // The series
    void Clear();
    void AddSlice(double value, std::string_view label, COLORREF color);
    int SliceCount() const { return static_cast<int>(content_.slices.size()); }
    const PieSlice& Slice(int index) const { return content_.slices.at(static_cast<size_t>(index)); }

    void SetTitle(std::string_view title);
    const std::string& Title() const { return content_.title; }
    void SetLabelFont(const PieLabelFont& font);
    const PieLabelFont& LabelFont() const { return content_.labelFont; }
    void SetRadius(int designPixels);
    // The series' colour-source text, kept as given for whoever sets the colours.
    void SetColorSource(std::string_view source) { colorSource_ = source; }
    const std::string& ColorSource() const { return colorSource_; }

    // The slice under a point of the control's client area, or -1.
    int SliceAt(POINT client) const;
    // The slice under the mouse pointer, or -1.
    int SliceUnderPointer() const;
    // Called with the client position whenever the pointer moves over the chart.
    std::function<void(POINT)> OnMouseMove;

    // Prints the chart on one page, as large as fits. A device context that is not a printer's (a metafile)
    // gets the page drawn without a print job.
    bool Print(HDC printer, std::string_view jobName) const;

    // Writes the chart, at its size on screen, in the format the name's extension asks for.
    ChartSaveOutcome SaveByName(const std::string& path) const;
    bool SaveBitmap(const std::string& path) const;
    bool SaveMetafile(const std::string& path) const;
    bool SaveEnhancedMetafile(const std::string& path) const;

    SIZE ClientSize() const;
    // The chart drawn on a device context in chart units (client pixels) from (0, 0).
    void Draw(HDC dc) const;

  private:
    static LRESULT CALLBACK Proc(HWND, UINT, WPARAM, LPARAM);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Paint();
    void Redraw();

    HWND hwnd_ = nullptr;
    PieContent content_;
    std::string colorSource_;
};

}  // namespace widgets
