// The control table: each entry becomes a control through the traits of its kind, found again by name.

#include <windows.h>

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "platform/win32/unicode.h"
#include "widgets/control_data.h"
#include "widgets/window.h"

using platform::win32::Widen;

namespace widgets {
namespace {

// Where the first page of a Tabs control starts, below its tab row, in design pixels.
constexpr int kPageLeft = 4;
constexpr int kPageTop = 24;

struct KindTraits {
    Kind kind;
    const wchar_t* className;  // nullptr: no window of its own
    DWORD style;
    DWORD exStyle;
};

// In the order of Kind. A Bevel is not SS_NOTIFY, so the pointer passes through it to what lies beneath.
constexpr KindTraits kTraits[] = {
    {Kind::Label, WC_STATICW, SS_NOTIFY, 0},
    {Kind::Button, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0},
    {Kind::PictureButton, WC_BUTTONW, BS_PUSHBUTTON | WS_TABSTOP, 0},
    {Kind::CheckBox, WC_BUTTONW, BS_AUTOCHECKBOX | WS_TABSTOP, 0},
    {Kind::RadioButton, WC_BUTTONW, BS_AUTORADIOBUTTON, 0},
    {Kind::GroupBox, WC_BUTTONW, BS_GROUPBOX, 0},
    {Kind::Edit, WC_EDITW, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {Kind::ListBox, WC_LISTBOXW, LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE},
    {Kind::ComboBox, WC_COMBOBOXW, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0},
    {Kind::Panel, WC_STATICW, SS_OWNERDRAW | SS_NOTIFY, 0},
    {Kind::Bevel, WC_STATICW, SS_OWNERDRAW, 0},
    {Kind::Image, WC_STATICW, SS_OWNERDRAW | SS_NOTIFY, 0},
    {Kind::ProgressBar, PROGRESS_CLASSW, 0, 0},
    {Kind::StatusBar, STATUSCLASSNAMEW, CCS_NOPARENTALIGN | CCS_NORESIZE, 0},
    {Kind::Tabs, WC_TABCONTROLW, WS_TABSTOP, 0},
    {Kind::TabPage, nullptr, 0, 0},
    {Kind::Custom, nullptr, 0, 0},
};

constexpr bool TraitsInKindOrder() {
    for (size_t i = 0; i < std::size(kTraits); ++i) {
        if (static_cast<size_t>(kTraits[i].kind) != i)
            return false;
    }
    return std::size(kTraits) == static_cast<size_t>(Kind::Custom) + 1;
}
static_assert(TraitsInKindOrder(), "one traits row per kind, in the order of Kind");

const KindTraits& TraitsOf(Kind kind) {
    return kTraits[static_cast<size_t>(kind)];
}

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

}  // namespace

void Window::CreateControls(std::span<const ControlSpec> controls) {
    for (const auto& entry : controls)
        MakeControl(entry);
    ApplyFonts();
    StackControls();
    for (const auto& entry : controls)
        ApplyInitialState(entry);
    UpdatePageVisibility();
}

void Window::MakeControl(const ControlSpec& entry) {
    if (Find(entry.name))
        throw std::logic_error("two controls named " + std::string(entry.name));
    auto data = std::make_unique<ControlData>();
    data->name = entry.name;
    data->kind = entry.kind;
    data->place = entry.place;
    data->id = kFirstControlId + static_cast<UINT>(controls_.size());
    data->hint = Widen(entry.hint ? entry.hint : "");
    if (entry.parent) {
        data->parent = &Require(entry.parent);
        data->place.left += data->parent->place.left;
        data->place.top += data->parent->place.top;
        if (data->parent->kind == Kind::Tabs) {
            data->place.left += kPageLeft;
            data->place.top += kPageTop;
        }
    }
    if (entry.kind == Kind::TabPage) {
        int pages = 0;
        for (const auto& other : controls_)
            pages += other->kind == Kind::TabPage && other->parent == data->parent ? 1 : 0;
        data->pageIndex = pages;
    }
    data->autoSize = entry.kind == Kind::Label && entry.place.width == 0 && entry.place.height == 0;

    const KindTraits& traits = TraitsOf(entry.kind);
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | traits.style | entry.style;
    // A run of radio buttons on one parent is one group, entered by Tab at its first button.
    const bool previousIsRadio =
        !controls_.empty() && controls_.back()->kind == Kind::RadioButton && controls_.back()->parent == data->parent;
    if (entry.kind == Kind::RadioButton && !previousIsRadio)
        style |= WS_GROUP | WS_TABSTOP;
    if (entry.kind != Kind::RadioButton)
        style |= WS_GROUP;
    const std::wstring caption = Widen(entry.caption ? entry.caption : "");
    if (entry.kind == Kind::TabPage) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        std::wstring text = caption;
        item.pszText = text.data();
        SendMessageW(data->parent->hwnd, TCM_INSERTITEMW, data->pageIndex, reinterpret_cast<LPARAM>(&item));
    } else if (traits.className) {
        const RECT rect = ScaledRect(data->place);
        data->hwnd = CreateWindowExW(traits.exStyle, traits.className, caption.c_str(), style, rect.left, rect.top,
                                     rect.right - rect.left, rect.bottom - rect.top, frame_,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(data->id)), Instance(), nullptr);
        SetWindowSubclass(data->hwnd, ControlSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
        AddTooltip(*data);
    }
    controls_.push_back(std::move(data));
}

void Window::ApplyInitialState(const ControlSpec& entry) {
    ControlData& data = Require(entry.name);
    if (entry.initially & kHidden)
        data.shown = false;
    if ((entry.initially & kDisabled) && data.hwnd)
        EnableWindow(data.hwnd, FALSE);
    if ((entry.initially & kChecked) && data.hwnd)
        SendMessageW(data.hwnd, BM_SETCHECK, BST_CHECKED, 0);
}

void Window::AdoptControl(std::string_view name, HWND control) {
    auto& data = Require(name);
    data.hwnd = control;
    SetWindowSubclass(control, ControlSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont_.Get()), TRUE);
    AddTooltip(data);
}

void Window::AdoptControl(std::string_view name, CustomControl& control) {
    AdoptControl(name, control.Handle());
    Require(name).custom = &control;
    // Made after the table, it would lie beneath the panel it sits on.
    SetWindowPos(control.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

Window::ControlData* Window::Find(std::string_view name) const {
    for (const auto& control : controls_) {
        if (control->name == name)
            return control.get();
    }
    return nullptr;
}

Window::ControlData* Window::FindByHandle(HWND control) const {
    for (const auto& data : controls_) {
        if (data->hwnd == control)
            return data.get();
    }
    return nullptr;
}

Window::ControlData& Window::Require(std::string_view name) const {
    ControlData* data = Find(name);
    if (!data)
        throw std::logic_error("no control named " + std::string(name));
    return *data;
}

HWND Window::Control(std::string_view name) const {
    return Require(name).hwnd;
}

bool Window::HasControl(std::string_view name) const {
    return Find(name) != nullptr;
}

// Tab order follows the stacking order, so the controls are stacked in table order, except that a panel
// or group box goes right below the last control placed on it and a picture below the controls after it,
// or they would paint over them.
void Window::StackControls() {
    const size_t count = controls_.size();
    std::vector<double> key(count);
    for (size_t i = count; i-- > 0;) {
        key[i] = std::max(key[i], static_cast<double>(i));
        if (controls_[i]->kind == Kind::Bevel)
            key[i] = static_cast<double>(count) + 1;
        // A picture lies beneath the texts drawn over it on the same panel.
        if (controls_[i]->kind == Kind::Image) {
            for (size_t j = i + 1; j < count; ++j) {
                if (controls_[j]->parent == controls_[i]->parent)
                    key[i] = std::max(key[i], key[j] + 0.25);
            }
        }
        if (ControlData* parent = controls_[i]->parent) {
            for (size_t p = 0; p < i; ++p) {
                if (controls_[p].get() == parent)
                    key[p] = std::max(key[p], key[i] + 0.5);
            }
        }
    }
    std::vector<size_t> order(count);
    for (size_t i = 0; i < count; ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return key[a] < key[b]; });
    HWND previous = HWND_TOP;
    for (const size_t i : order) {
        HWND control = controls_[i]->hwnd;
        if (!control)
            continue;
        SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

void Window::SetTabOrder(std::initializer_list<std::string_view> names) {
    HWND previous = nullptr;
    for (const auto name : names) {
        HWND control = Control(name);
        if (previous)
            SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

const Window::ControlData* Window::PageOf(const ControlData& control) const {
    for (const ControlData* up = control.parent; up; up = up->parent) {
        if (up->kind == Kind::TabPage)
            return up;
    }
    return nullptr;
}

void Window::UpdatePageVisibility() {
    for (const auto& control : controls_) {
        if (!control->hwnd)
            continue;
        bool visible = control->shown;
        if (const ControlData* page = PageOf(*control))
            visible = visible && page->parent->activePage == page->pageIndex;
        const bool now = (GetWindowLongW(control->hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (visible != now)
            ShowWindow(control->hwnd, visible ? SW_SHOWNA : SW_HIDE);
    }
}

int Window::ActivePage(std::string_view tabs) const {
    return Require(tabs).activePage;
}

void Window::ShowPage(std::string_view tabs, int page) {
    auto& data = Require(tabs);
    data.activePage = page;
    SendMessageW(data.hwnd, TCM_SETCURSEL, page, 0);
    UpdatePageVisibility();
}

void Window::MoveControl(std::string_view name, int designLeft, int designTop) {
    auto& data = Require(name);
    data.place.left = designLeft;
    data.place.top = designTop;
    const RECT r = ScaledRect(data.place);
    SetWindowPos(data.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void Window::PlaceOver(std::string_view name, const RECT& framePixels) {
    auto& data = Require(name);
    const auto design = [&](LONG pixels) { return MulDiv(pixels, 96, static_cast<int>(dpi_)); };
    data.place = Place{design(framePixels.left), design(framePixels.top), design(framePixels.right - framePixels.left),
                       design(framePixels.bottom - framePixels.top)};
    SetWindowPos(data.hwnd, HWND_TOP, framePixels.left, framePixels.top, framePixels.right - framePixels.left,
                 framePixels.bottom - framePixels.top, SWP_NOACTIVATE);
}

Place Window::ControlPlace(std::string_view name) const {
    return Require(name).place;
}

RECT Window::ControlRect(std::string_view name) const {
    return ScaledRect(Require(name).place);
}

void Window::AddTooltip(ControlData& control) {
    if (control.hint.empty() || !control.hwnd)
        return;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = frame_;
    tool.uId = reinterpret_cast<UINT_PTR>(control.hwnd);
    tool.lpszText = control.hint.data();
    SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void Window::ApplyFonts() {
    for (auto& control : controls_) {
        if (!control->hwnd)
            continue;
        HFONT font = messageFont_.Get();
        if (control->ownFont) {
            const auto& entry = control->fontSpec;
            control->font = MakeFont(dpi_, entry.face.empty() ? nullptr : Widen(entry.face).c_str(), entry.pixelHeight,
                                     entry.bold, entry.italic);
            font = control->font.Get();
        }
        SendMessageW(control->hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        FitLabel(*control);
    }
}

void Window::FitLabel(ControlData& control) {
    if (!control.autoSize || !control.hwnd)
        return;
    const int length = GetWindowTextLengthW(control.hwnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(control.hwnd, text.data(), length + 1);
    HDC dc = GetDC(control.hwnd);
    HFONT font = reinterpret_cast<HFONT>(SendMessageW(control.hwnd, WM_GETFONT, 0, 0));
    RECT rect{0, 0, 0, 0};
    {
        SelectScope select(dc, font);
        DrawTextW(dc, text.c_str(), length, &rect, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
    }
    ReleaseDC(control.hwnd, dc);
    control.place.width = MulDiv(rect.right, 96, static_cast<int>(dpi_)) + 1;
    control.place.height = MulDiv(rect.bottom, 96, static_cast<int>(dpi_));
    const RECT r = ScaledRect(control.place);
    SetWindowPos(control.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace widgets
