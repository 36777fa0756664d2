#pragma once

// What the window layer keeps about one control; shared by the layer's own files only.

#include <functional>
#include <memory>
#include <string>

#include "widgets/image_list.h"
#include "widgets/window.h"

namespace widgets {

struct Window::ControlData {
    std::string name;
    Kind kind = Kind::Custom;
    Place place;  // design pixels, relative to the frame
    HWND hwnd = nullptr;
    UINT id = 0;
    std::wstring hint;
    ControlData* parent = nullptr;
    FontSpec fontSpec;
    bool ownFont = false;
    Font font;
    bool hasTextColor = false;
    COLORREF textColor = 0;
    bool hasBackColor = false;
    COLORREF backColor = 0;
    Brush backBrush;
    std::shared_ptr<const Bitmap> picture;
    ImageList images;
    CustomControl* custom = nullptr;
    std::function<void()> click;
    std::function<void()> doubleClick;
    std::function<void()> change;
    std::function<void()> focusLost;
    std::function<void(POINT)> pointerMove;
    std::function<LRESULT(const NMHDR&)> notify;
    HCURSOR cursor = nullptr;
    bool shown = true;  // as the table or the program wants it, whatever page is showing
    bool autoSize = false;
    int activePage = 0;  // of a Tabs control
    int pageIndex = 0;   // of a TabPage
};

// The first command id of a table's controls; a control's id is this plus its place in the table.
inline constexpr UINT kFirstControlId = 100;

}  // namespace widgets
