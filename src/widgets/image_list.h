#pragma once

#include <windows.h>

#include <commctrl.h>

#include <utility>

#include "widgets/gdi.h"

namespace widgets {

// Owns an image list and destroys it when it goes.
class ImageList {
  public:
    ImageList() = default;
    explicit ImageList(HIMAGELIST list) : list_(list) {}
    ~ImageList() { Reset(); }
    ImageList(ImageList&& other) noexcept : list_(std::exchange(other.list_, nullptr)) {}
    ImageList& operator=(ImageList&& other) noexcept {
        if (this != &other) {
            Reset();
            list_ = std::exchange(other.list_, nullptr);
        }
        return *this;
    }
    ImageList(const ImageList&) = delete;
    ImageList& operator=(const ImageList&) = delete;

    HIMAGELIST Get() const { return list_; }
    void Reset() {
        if (list_)
            ImageList_Destroy(list_);
        list_ = nullptr;
    }

  private:
    HIMAGELIST list_ = nullptr;
};

// One image of the picture's size, its transparent colour masked out.
ImageList MakeImageList(const Bitmap& picture);

}  // namespace widgets
