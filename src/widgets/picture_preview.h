#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "widgets/gdi.h"

namespace widgets {

// A preview beside the list of a file dialog: the .bmp, .emf or .wmf picture under the selection, shrunk
// to fit, with its size in pixels above it. Anything else (a folder, another kind of file, a file that
// cannot be read as its extension says) shows an empty frame.
class PicturePreview {
  public:
    PicturePreview();
    ~PicturePreview();
    PicturePreview(const PicturePreview&) = delete;
    PicturePreview& operator=(const PicturePreview&) = delete;

    // The controls the file dialog places to the right of its own, for OFN_ENABLETEMPLATEHANDLE.
    const DLGTEMPLATE* Template() const { return reinterpret_cast<const DLGTEMPLATE*>(template_.data()); }

    // The dialog made from the template: its controls are now there.
    void Attach(HWND panel);
    // Loads the picture of the file and shows it; an empty path or no picture clears the preview.
    void Show(const std::wstring& path);
    // Draws the frame when it is the item; false for any other item.
    bool DrawItem(const DRAWITEMSTRUCT& item) const;

    bool HasPicture() const { return bitmap_ || metafile_; }
    SIZE PictureSize() const { return size_; }
    // "width x height" in pixels, or empty without a picture.
    std::string SizeText() const;
    // Draws the picture shrunk into the box, centred, on the box's background.
    void Draw(HDC dc, const RECT& box) const;

    static constexpr int kSizeLabelId = 1201;
    static constexpr int kFrameId = 1202;

  private:
    void Clear();
    bool LoadBitmap(const std::wstring& path);
    bool LoadEnhancedMetafile(const std::string& bytes);
    bool LoadMetafile(const std::string& bytes);

    std::vector<WORD> template_;
    HWND panel_ = nullptr;
    GdiObject<HBITMAP> bitmap_;
    HENHMETAFILE metafile_ = nullptr;  // a .wmf picture is kept converted
    SIZE size_{0, 0};
};

}  // namespace widgets
