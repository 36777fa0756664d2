#include "widgets/image_list.h"

namespace widgets {

ImageList MakeImageList(const Bitmap& picture) {
    ImageList list(ImageList_Create(picture.Width(), picture.Height(), ILC_COLOR32 | ILC_MASK, 1, 0));
    ImageList_AddMasked(list.Get(), picture.Handle(), Bitmap::kTransparent);
    return list;
}

}  // namespace widgets
