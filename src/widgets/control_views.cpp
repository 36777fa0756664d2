#include "widgets/control_views.h"

#include <commctrl.h>

#include <vector>

#include "platform/win32/unicode.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace widgets {

LRESULT ControlView::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageW(Handle(), message, wParam, lParam);
}

void StatusBar::SetPanels(std::initializer_list<int> designWidths) {
    std::vector<int> edges;
    int right = 0;
    for (const int width : designWidths) {
        right += window_->Scale(width);
        edges.push_back(width < 0 ? -1 : right);
    }
    Send(SB_SETPARTS, edges.size(), reinterpret_cast<LPARAM>(edges.data()));
}

int StatusBar::PanelCount() const {
    return static_cast<int>(Send(SB_GETPARTS, 0, 0));
}

std::string StatusBar::PanelText(int panel) const {
    const int length = LOWORD(Send(SB_GETTEXTLENGTHW, panel, 0));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    Send(SB_GETTEXTW, panel, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
}

void StatusBar::SetPanelText(int panel, std::string_view text) {
    Send(SB_SETTEXTW, panel, reinterpret_cast<LPARAM>(Widen(text).c_str()));
}

void StatusBar::SetPanelTexts(int first, std::span<const std::string> texts) {
    Send(WM_SETREDRAW, FALSE);
    for (size_t i = 0; i < texts.size(); ++i)
        SetPanelText(first + static_cast<int>(i), texts[i]);
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

RECT StatusBar::PanelRect(int panel) const {
    RECT rect{};
    Send(SB_GETRECT, panel, reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(Handle(), window_->Frame(), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void ProgressBar::SetRange(int minimum, int maximum) {
    Send(PBM_SETRANGE32, minimum, maximum);
}

int ProgressBar::Maximum() const {
    return static_cast<int>(Send(PBM_GETRANGE, FALSE, 0));
}

int ProgressBar::Position() const {
    return static_cast<int>(Send(PBM_GETPOS));
}

void ProgressBar::SetPosition(int position) {
    Send(PBM_SETPOS, position);
}

int ItemList::Count() const {
    return static_cast<int>(Send(Message(LB_GETCOUNT, CB_GETCOUNT)));
}

std::string ItemList::Item(int index) const {
    const LRESULT length = Send(Message(LB_GETTEXTLEN, CB_GETLBTEXTLEN), index);
    if (length < 0)
        return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    Send(Message(LB_GETTEXT, CB_GETLBTEXT), index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(length));
    return Narrow(text);
}

LPARAM ItemList::Data(int index) const {
    return Send(Message(LB_GETITEMDATA, CB_GETITEMDATA), index);
}

int ItemList::Add(std::string_view text, LPARAM data) {
    const int index =
        static_cast<int>(Send(Message(LB_ADDSTRING, CB_ADDSTRING), 0, reinterpret_cast<LPARAM>(Widen(text).c_str())));
    if (index >= 0)
        Send(Message(LB_SETITEMDATA, CB_SETITEMDATA), index, data);
    return index;
}

void ItemList::Delete(int index) {
    Send(Message(LB_DELETESTRING, CB_DELETESTRING), index);
}

void ItemList::Clear() {
    Send(Message(LB_RESETCONTENT, CB_RESETCONTENT));
}

int ItemList::ItemIndex() const {
    const LRESULT index = Send(Message(LB_GETCURSEL, CB_GETCURSEL));
    return index < 0 ? -1 : static_cast<int>(index);
}

void ItemList::SetItemIndex(int index) {
    Send(Message(LB_SETCURSEL, CB_SETCURSEL), index);
}

void ItemList::OnSelectionChange(std::function<void()> handler) {
    window_->OnChange(name_, std::move(handler));
}

void ItemList::BeginUpdate() {
    Send(WM_SETREDRAW, FALSE);
}

void ItemList::EndUpdate() {
    Send(WM_SETREDRAW, TRUE);
    InvalidateRect(Handle(), nullptr, TRUE);
}

void ListBox::OnDoubleClick(std::function<void()> handler) {
    window_->OnDoubleClick(name_, std::move(handler));
}

int ListBox::ItemAt(POINT point) const {
    const LRESULT hit = Send(LB_ITEMFROMPOINT, 0, MAKELPARAM(point.x, point.y));
    if (HIWORD(hit) != 0 || LOWORD(hit) >= Count())
        return -1;
    return LOWORD(hit);
}

}  // namespace widgets
