// Reading and changing a table control by name, and the handlers that answer its commands.

#include <windows.h>

#include <commctrl.h>

#include "platform/win32/unicode.h"
#include "widgets/control_data.h"
#include "widgets/window.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace widgets {

std::string Window::Text(std::string_view name) const {
    const auto& data = Require(name);
    if (data.kind == Kind::TabPage) {
        wchar_t caption[256] = {};
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption;
        item.cchTextMax = 256;
        SendMessageW(data.parent->hwnd, TCM_GETITEMW, data.pageIndex, reinterpret_cast<LPARAM>(&item));
        return Narrow(caption);
    }
    HWND control = data.hwnd;
    const int length = GetWindowTextLengthW(control);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control, text.data(), length + 1);
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
}

void Window::SetText(std::string_view name, std::string_view text) {
    auto& data = Require(name);
    if (data.kind == Kind::TabPage) {
        std::wstring caption = Widen(text);
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = caption.data();
        SendMessageW(data.parent->hwnd, TCM_SETITEMW, data.pageIndex, reinterpret_cast<LPARAM>(&item));
        return;
    }
    SetWindowTextW(data.hwnd, Widen(text).c_str());
    FitLabel(data);
}

std::string Window::Hint(std::string_view name) const {
    return Narrow(Require(name).hint);
}

void Window::SetHint(std::string_view name, std::string_view hint) {
    auto& data = Require(name);
    const bool had = !data.hint.empty();
    data.hint = Widen(hint);
    if (had) {
        TTTOOLINFOW tool{};
        tool.cbSize = sizeof tool;
        tool.hwnd = frame_;
        tool.uId = reinterpret_cast<UINT_PTR>(data.hwnd);
        tool.lpszText = data.hint.data();
        SendMessageW(tooltip_, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    } else {
        AddTooltip(data);
    }
}

bool Window::Checked(std::string_view name) const {
    return SendMessageW(Control(name), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Window::SetChecked(std::string_view name, bool checked) {
    HWND control = Control(name);
    const bool was = SendMessageW(control, BM_GETCHECK, 0, 0) == BST_CHECKED;
    SendMessageW(control, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    // A change made by the program runs the click handler too, as a user's click would.
    auto& data = Require(name);
    if (was != checked && data.click && data.kind == Kind::CheckBox)
        data.click();
    if (checked && data.kind == Kind::RadioButton) {
        for (const auto& other : controls_) {
            if (other.get() != &data && other->kind == Kind::RadioButton && other->parent == data.parent)
                SendMessageW(other->hwnd, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

bool Window::Enabled(std::string_view name) const {
    return IsWindowEnabled(Control(name)) != FALSE;
}

void Window::SetEnabled(std::string_view name, bool enabled) {
    EnableWindow(Control(name), enabled ? TRUE : FALSE);
}

bool Window::ControlVisible(std::string_view name) const {
    return Require(name).shown;
}

void Window::SetVisible(std::string_view name, bool visible) {
    Require(name).shown = visible;
    UpdatePageVisibility();
}

void Window::SetFont(std::string_view name, const FontSpec& font) {
    auto& data = Require(name);
    data.fontSpec = font;
    data.ownFont = true;
    data.font = MakeFont(dpi_, font.face.empty() ? nullptr : Widen(font.face).c_str(), font.pixelHeight, font.bold,
                         font.italic);
    SendMessageW(data.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(data.font.Get()), TRUE);
    FitLabel(data);
}

void Window::SetTextColor(std::string_view name, COLORREF color) {
    auto& data = Require(name);
    data.hasTextColor = true;
    data.textColor = color;
    InvalidateRect(data.hwnd, nullptr, TRUE);
}

void Window::SetBackColor(std::string_view name, COLORREF color) {
    auto& data = Require(name);
    data.hasBackColor = true;
    data.backColor = color;
    data.backBrush.Reset(CreateSolidBrush(color));
    InvalidateRect(data.hwnd, nullptr, TRUE);
}

void Window::SetPicture(std::string_view name, std::shared_ptr<const Bitmap> picture) {
    auto& data = Require(name);
    data.picture = std::move(picture);
    if (data.kind == Kind::PictureButton) {
        data.images = data.picture ? MakeImageList(*data.picture) : ImageList();
        BUTTON_IMAGELIST list{};
        list.himl = data.images.Get();
        list.margin = RECT{Scale(4), 0, 0, 0};
        list.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
        SendMessageW(data.hwnd, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
    }
    InvalidateRect(data.hwnd, nullptr, TRUE);
}

void Window::SetControlCursor(std::string_view name, const wchar_t* systemCursor) {
    Require(name).cursor = LoadCursorW(nullptr, systemCursor);
}

std::shared_ptr<const Bitmap> Window::Picture(std::string_view name) const {
    return Require(name).picture;
}

void Window::Focus(std::string_view name) {
    SetFocus(Control(name));
}

void Window::ApplyTexts(std::span<const TextSpec> texts) {
    for (const auto& text : texts) {
        if (!text.name || !*text.name) {
            SetCaption(text.caption);
            continue;
        }
        if (text.caption)
            SetText(text.name, text.caption);
        if (text.hint)
            SetHint(text.name, text.hint);
    }
}

void Window::OnClick(std::string_view name, std::function<void()> handler) {
    Require(name).click = std::move(handler);
}

void Window::OnDoubleClick(std::string_view name, std::function<void()> handler) {
    Require(name).doubleClick = std::move(handler);
}

void Window::OnChange(std::string_view name, std::function<void()> handler) {
    Require(name).change = std::move(handler);
}

void Window::OnFocusLost(std::string_view name, std::function<void()> handler) {
    Require(name).focusLost = std::move(handler);
}

void Window::OnMouseMove(std::string_view name, std::function<void()> handler) {
    OnPointerMove(name, [handler = std::move(handler)](POINT) { handler(); });
}

void Window::OnPointerMove(std::string_view name, std::function<void(POINT)> handler) {
    if (name.empty())
        framePointerMove_ = std::move(handler);
    else
        Require(name).pointerMove = std::move(handler);
}

void Window::OnNotify(std::string_view name, std::function<LRESULT(const NMHDR&)> handler) {
    Require(name).notify = std::move(handler);
}

void Window::HandleCommand(WORD id, WORD code) {
    if (id < kFirstControlId || id - kFirstControlId >= controls_.size())
        return;
    ControlData& control = *controls_[id - kFirstControlId];
    switch (control.kind) {
        case Kind::Edit:
            if (code == EN_CHANGE && control.change)
                control.change();
            return;
        case Kind::ListBox:
        case Kind::ComboBox:
            if (code == 1 /* LBN_SELCHANGE, CBN_SELCHANGE */ && control.change)
                control.change();
            return;
        default:
            if (code == BN_CLICKED && control.click)
                control.click();
            return;
    }
}

}  // namespace widgets
