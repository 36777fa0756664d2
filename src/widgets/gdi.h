#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <utility>

namespace widgets {

// Owns one GDI object and deletes it when it goes.
template <typename Handle>
class GdiObject {
  public:
    GdiObject() = default;
    explicit GdiObject(Handle handle) : handle_(handle) {}
    ~GdiObject() { Reset(); }
    GdiObject(GdiObject&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}
    GdiObject& operator=(GdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            handle_ = std::exchange(other.handle_, nullptr);
        }
        return *this;
    }
    GdiObject(const GdiObject&) = delete;
    GdiObject& operator=(const GdiObject&) = delete;

    Handle Get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (handle_)
            DeleteObject(handle_);
        handle_ = handle;
    }

  private:
    Handle handle_ = nullptr;
};

using Font = GdiObject<HFONT>;
using Brush = GdiObject<HBRUSH>;
using Pen = GdiObject<HPEN>;

// A picture drawn by the program. Pixels of the transparent colour are not painted when it is drawn.
class Bitmap {
  public:
    static constexpr COLORREF kTransparent = RGB(255, 0, 255);

    Bitmap(int width, int height, const std::function<void(HDC)>& draw);
    int Width() const { return width_; }
    int Height() const { return height_; }
    HBITMAP Handle() const { return bitmap_.Get(); }

    // Draws the picture at (x, y), stretched to width x height, leaving transparent pixels alone.
    void Draw(HDC dc, int x, int y, int width, int height) const;

  private:
    int width_;
    int height_;
    GdiObject<HBITMAP> bitmap_;
};

// A polyline of the given pen width and colour through the points.
void Line(HDC dc, int width, COLORREF color, std::initializer_list<POINT> points);

// The system's message font at the given DPI, optionally with another face, size or weight.
Font MakeFont(UINT dpi, const wchar_t* face, int designPixelHeight, bool bold, bool italic);
// A colour as the settings keep it: 0x00BBGGRR, or a system colour's index with the top bit set.
COLORREF ColorOfSetting(int32_t value);

// Selects an object into a device context for one scope.
class SelectScope {
  public:
    SelectScope(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectScope() { SelectObject(dc_, old_); }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

  private:
    HDC dc_;
    HGDIOBJ old_;
};

// A memory device context, deleted when it goes.
class MemoryDC {
  public:
    explicit MemoryDC(HDC compatibleWith = nullptr) : dc_(CreateCompatibleDC(compatibleWith)) {}
    ~MemoryDC() { DeleteDC(dc_); }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

  private:
    HDC dc_;
};

}  // namespace widgets
