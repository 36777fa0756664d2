#include "widgets/picture_preview.h"

#include <dlgs.h>

#include <string_view>

#include "platform/file_store.h"
#include "platform/win32/unicode.h"
#include "usage/chart_file.h"

namespace widgets {
namespace {

constexpr uint64_t kLargestPictureFile = 64ull * 1024 * 1024;

// Dialog units of the panel: a size line over the frame, as tall as the dialog's list usually is.
constexpr short kGap = 6;
constexpr short kWidth = 120;
constexpr short kHeight = 180;
constexpr short kLineHeight = 10;

class TemplateWriter {
  public:
    explicit TemplateWriter(std::vector<WORD>& words) : words_(words) {}

    void Dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void Word(WORD value) { words_.push_back(value); }
    void Text(std::wstring_view text) {
        words_.insert(words_.end(), text.begin(), text.end());
        words_.push_back(0);
    }
    // Items start on a double-word boundary.
    void Align() {
        if (words_.size() % 2 != 0)
            words_.push_back(0);
    }
    void Box(short x, short y, short cx, short cy) {
        for (short value : {x, y, cx, cy})
            Word(static_cast<WORD>(value));
    }
    void Static(DWORD style, short x, short y, short cx, short cy, WORD id) {
        Align();
        Dword(WS_CHILD | style);
        Dword(0);
        Box(x, y, cx, cy);
        Word(id);
        Word(0xFFFF);
        Word(0x0082);  // the static class
        Text(L"");
        Word(0);  // no creation data
    }

  private:
    std::vector<WORD>& words_;
};

// The system places its own controls where stc32 stands and moves the controls to its right further
// right by as much as they need; stc32 is as tall as the panel, so nothing is moved down.
std::vector<WORD> PanelTemplate() {
    std::vector<WORD> words;
    TemplateWriter out(words);
    out.Dword(WS_CHILD | WS_CLIPSIBLINGS | DS_3DLOOK | DS_CONTROL | DS_SETFONT);
    out.Dword(0);
    out.Word(3);
    out.Box(0, 0, static_cast<short>(kGap + kWidth + kGap), kHeight);
    out.Word(0);  // no menu
    out.Word(0);  // the standard class
    out.Text(L"");
    out.Word(8);
    out.Text(L"MS Shell Dlg");
    out.Static(SS_LEFT, 0, 0, 1, kHeight, stc32);
    out.Static(WS_VISIBLE | SS_CENTER | SS_NOPREFIX, kGap, 0, kWidth, kLineHeight, PicturePreview::kSizeLabelId);
    out.Static(WS_VISIBLE | SS_OWNERDRAW, kGap, kLineHeight + 2, kWidth, kHeight - kLineHeight - 2 - kGap,
               PicturePreview::kFrameId);
    return words;
}

SIZE PixelSizeOf(HENHMETAFILE metafile) {
    ENHMETAHEADER header{};
    if (!GetEnhMetaFileHeader(metafile, sizeof header, &header) || header.szlMillimeters.cx <= 0 ||
        header.szlMillimeters.cy <= 0)
        return {0, 0};
    // The frame is in hundredths of a millimetre of the device the picture was made on.
    const auto pixels = [](LONG frame, LONG devicePixels, LONG deviceMillimetres) {
        return static_cast<LONG>((static_cast<double>(frame) * devicePixels) / (deviceMillimetres * 100.0) + 0.5);
    };
    return {pixels(header.rclFrame.right - header.rclFrame.left, header.szlDevice.cx, header.szlMillimeters.cx),
            pixels(header.rclFrame.bottom - header.rclFrame.top, header.szlDevice.cy, header.szlMillimeters.cy)};
}

}  // namespace

PicturePreview::PicturePreview() : template_(PanelTemplate()) {}

PicturePreview::~PicturePreview() {
    Clear();
}

void PicturePreview::Attach(HWND panel) {
    panel_ = panel;
    Show(L"");
}

void PicturePreview::Clear() {
    bitmap_.Reset();
    if (metafile_)
        DeleteEnhMetaFile(metafile_);
    metafile_ = nullptr;
    size_ = {0, 0};
}

void PicturePreview::Show(const std::wstring& path) {
    Clear();
    const std::string name = platform::win32::Narrow(path);
    if (const auto format = usage::ChartFormatOfName(name)) {
        std::string bytes;
        const bool read =
            *format != usage::ChartFileFormat::Bitmap &&
            platform::SystemFileStore().ReadAll(name, bytes, kLargestPictureFile) == platform::ReadStatus::Read;
        switch (*format) {
            case usage::ChartFileFormat::Bitmap:
                LoadBitmap(path);
                break;
            case usage::ChartFileFormat::EnhancedMetafile:
                if (read)
                    LoadEnhancedMetafile(bytes);
                break;
            case usage::ChartFileFormat::Metafile:
                if (read)
                    LoadMetafile(bytes);
                break;
        }
    }
    if (size_.cx <= 0 || size_.cy <= 0)
        Clear();
    if (!panel_)
        return;
    SetDlgItemTextW(panel_, kSizeLabelId, platform::win32::Widen(SizeText()).c_str());
    InvalidateRect(GetDlgItem(panel_, kFrameId), nullptr, TRUE);
}

bool PicturePreview::LoadBitmap(const std::wstring& path) {
    bitmap_.Reset(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    BITMAP facts{};
    if (!bitmap_ || !GetObjectW(bitmap_.Get(), sizeof facts, &facts))
        return false;
    size_ = {facts.bmWidth, facts.bmHeight < 0 ? -facts.bmHeight : facts.bmHeight};
    return true;
}

bool PicturePreview::LoadEnhancedMetafile(const std::string& bytes) {
    metafile_ = SetEnhMetaFileBits(static_cast<UINT>(bytes.size()), reinterpret_cast<const BYTE*>(bytes.data()));
    if (!metafile_)
        return false;
    size_ = PixelSizeOf(metafile_);
    return true;
}

bool PicturePreview::LoadMetafile(const std::string& bytes) {
    const auto placeable = usage::ReadPlaceableMetafile(bytes);
    std::string_view records = bytes;
    METAFILEPICT picture{};
    if (placeable) {
        records = placeable->metafile;
        // The picture's size in hundredths of a millimetre, from its units per inch.
        picture.mm = MM_ANISOTROPIC;
        picture.xExt = MulDiv(placeable->width, 2540, placeable->unitsPerInch);
        picture.yExt = MulDiv(placeable->height, 2540, placeable->unitsPerInch);
    }
    metafile_ = SetWinMetaFileBits(static_cast<UINT>(records.size()), reinterpret_cast<const BYTE*>(records.data()),
                                   nullptr, placeable ? &picture : nullptr);
    if (!metafile_)
        return false;
    size_ = PixelSizeOf(metafile_);
    return true;
}

std::string PicturePreview::SizeText() const {
    if (!HasPicture())
        return {};
    return std::to_string(size_.cx) + " x " + std::to_string(size_.cy);
}

void PicturePreview::Draw(HDC dc, const RECT& box) const {
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    if (!HasPicture())
        return;
    const usage::PicturePlace place = usage::FitPicture(size_.cx, size_.cy, box.right - box.left, box.bottom - box.top);
    if (place.width <= 0)
        return;
    const RECT target{box.left + place.left, box.top + place.top, box.left + place.left + place.width,
                      box.top + place.top + place.height};
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, box.left, box.top, box.right, box.bottom);
    if (bitmap_) {
        MemoryDC source(dc);
        SelectScope use(source.Get(), bitmap_.Get());
        SetStretchBltMode(dc, HALFTONE);
        SetBrushOrgEx(dc, 0, 0, nullptr);
        StretchBlt(dc, target.left, target.top, place.width, place.height, source.Get(), 0, 0, size_.cx, size_.cy,
                   SRCCOPY);
    } else {
        PlayEnhMetaFile(dc, metafile_, &target);
    }
    RestoreDC(dc, saved);
}

bool PicturePreview::DrawItem(const DRAWITEMSTRUCT& item) const {
    if (item.CtlID != kFrameId)
        return false;
    RECT inside = item.rcItem;
    DrawEdge(item.hDC, &inside, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
    Draw(item.hDC, inside);
    return true;
}

}  // namespace widgets
