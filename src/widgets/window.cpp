#include "widgets/window.h"

#include <commctrl.h>

#include <algorithm>

#include "platform/win32/unicode.h"
#include "widgets/caption_bar.h"
#include "widgets/error_hook.h"
#include "widgets/image_list.h"

using platform::win32::Narrow;
using platform::win32::Widen;

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
    std::function<void()> click;
    std::function<void()> change;
    std::function<void()> mouseMove;
    std::function<LRESULT(const NMHDR&)> notify;
    HCURSOR cursor = nullptr;
    bool shown = true;  // as the table or the program wants it, whatever page is showing
    bool autoSize = false;
    int activePage = 0;  // of a Tabs control
    int pageIndex = 0;   // of a TabPage
};

namespace {

constexpr wchar_t kWindowClass[] = L"VireoWindow";
constexpr wchar_t kFrameClass[] = L"VireoFrame";
constexpr UINT kFirstControlId = 100;

Window* mainWindow = nullptr;
std::function<void(int)> helpHandler;

// Where the first page of a Tabs control starts, below its tab row, in design pixels.
constexpr int kPageLeft = 4;
constexpr int kPageTop = 24;

HINSTANCE Instance() {
    return GetModuleHandleW(nullptr);
}

void RegisterClasses() {
    static bool registered = false;
    if (registered)
        return;
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                       ICC_LISTVIEW_CLASSES | ICC_TAB_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    registered = true;
}

void RegisterClass(const wchar_t* name, WNDPROC proc) {
    WNDCLASSEXW wc{sizeof wc};
    if (GetClassInfoExW(Instance(), name, &wc))
        return;
    wc = WNDCLASSEXW{sizeof wc};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = Instance();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = name;
    wc.hIcon = LoadIconW(Instance(), MAKEINTRESOURCEW(1));
    RegisterClassExW(&wc);
}

DWORD StyleOf(FrameStyle style) {
    switch (style) {
        case FrameStyle::Main:
            return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
        case FrameStyle::Dialog:
            return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
        case FrameStyle::Sizeable:
            return WS_OVERLAPPEDWINDOW;
        case FrameStyle::Splash:
            return WS_POPUP;
    }
    return WS_OVERLAPPEDWINDOW;
}

// A message for one of our windows goes through IsDialogMessage first, so Tab and Enter work in them.
void Dispatch(MSG& msg) {
    HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
    wchar_t className[32] = {};
    if (root)
        GetClassNameW(root, className, 32);
    const bool ours = root && lstrcmpW(className, kWindowClass) == 0;
    if (ours && msg.message == WM_KEYDOWN && msg.wParam == VK_F1) {
        auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(root, GWLP_USERDATA));
        if (window && window->HelpTopic() != 0 && helpHandler)
            helpHandler(window->HelpTopic());
        return;
    }
    if (ours && IsDialogMessageW(root, &msg))
        return;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
}

struct DisabledWindows {
    std::vector<HWND> windows;
};

BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM param) {
    auto* data = reinterpret_cast<std::pair<HWND, DisabledWindows*>*>(param);
    if (hwnd != data->first && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        EnableWindow(hwnd, FALSE);
        data->second->windows.push_back(hwnd);
    }
    return TRUE;
}

}  // namespace

Window::Window() = default;

Window::~Window() {
    if (mainWindow == this)
        mainWindow = nullptr;
    for (const auto& [id, timer] : timers_)
        KillTimer(hwnd_, id);
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        SetWindowLongPtrW(frame_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::Create(const FormSpec& form) {
    RegisterClasses();
    RegisterClass(kWindowClass, TopProc);
    RegisterClass(kFrameClass, FrameProc);
    frameWidth_ = form.frameWidth;
    frameHeight_ = form.frameHeight;
    const DWORD style = StyleOf(form.style);
    DWORD exStyle = WS_EX_CONTROLPARENT;
    if (form.topmost)
        exStyle |= WS_EX_TOPMOST;
    if (form.style == FrameStyle::Splash)
        exStyle |= WS_EX_TOOLWINDOW;
    // The main window owns every other window, so they stay above it and share its taskbar button.
    HWND owner = (mainWindow && form.style != FrameStyle::Splash) ? mainWindow->Handle() : nullptr;
    hwnd_ = CreateWindowExW(exStyle, kWindowClass, Widen(form.caption).c_str(), style, CW_USEDEFAULT, CW_USEDEFAULT,
                            100, 100, owner, nullptr, Instance(), this);
    dpi_ = GetDpiForWindow(hwnd_);
    if (dpi_ == 0)
        dpi_ = 96;
    frame_ = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                             Scale(frameWidth_), Scale(frameHeight_), hwnd_, nullptr, Instance(), this);
    messageFont_ = MakeFont(dpi_, nullptr, 0, false, false);
    tooltip_ =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr, Instance(), nullptr);
    SendMessageW(tooltip_, TTM_SETMAXTIPWIDTH, 0, Scale(400));

    RECT rect{0, 0, Scale(frameWidth_), Scale(frameHeight_)};
    AdjustWindowRectExForDpi(&rect, style, FALSE, exStyle, dpi_);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(hwnd_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
    if (form.style != FrameStyle::Splash)
        InstallCaptionBar(hwnd_);
}

void Window::CreateControls(std::span<const ControlSpec> controls) {
    for (const auto& entry : controls)
        MakeControl(entry);
    ApplyFonts();
    StackControls();
    UpdatePageVisibility();
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

void Window::SetTabOrder(std::initializer_list<std::string_view> names) {
    HWND previous = nullptr;
    for (const auto name : names) {
        HWND control = Control(name);
        if (previous)
            SetWindowPos(control, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        previous = control;
    }
}

void Window::MoveControl(std::string_view name, int designLeft, int designTop) {
    auto& data = Require(name);
    data.place.left = designLeft;
    data.place.top = designTop;
    const RECT r = ScaledRect(data.place);
    SetWindowPos(data.hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

Place Window::ControlPlace(std::string_view name) const {
    return Require(name).place;
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

void Window::MakeControl(const ControlSpec& entry) {
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

    const wchar_t* className = WC_STATICW;
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | entry.style;
    DWORD exStyle = 0;
    const bool previousIsRadio =
        !controls_.empty() && controls_.back()->kind == Kind::RadioButton && controls_.back()->parent == data->parent;
    switch (entry.kind) {
        case Kind::Label:
            style |= SS_NOTIFY;
            break;
        case Kind::Button:
            className = WC_BUTTONW;
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case Kind::PictureButton:
            className = WC_BUTTONW;
            style |= BS_PUSHBUTTON | WS_TABSTOP;
            break;
        case Kind::CheckBox:
            className = WC_BUTTONW;
            style |= BS_AUTOCHECKBOX | WS_TABSTOP;
            break;
        case Kind::RadioButton:
            className = WC_BUTTONW;
            style |= BS_AUTORADIOBUTTON;
            if (!previousIsRadio)
                style |= WS_GROUP | WS_TABSTOP;
            break;
        case Kind::GroupBox:
            className = WC_BUTTONW;
            style |= BS_GROUPBOX;
            break;
        case Kind::Edit:
            className = WC_EDITW;
            style |= ES_AUTOHSCROLL | WS_TABSTOP;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case Kind::ListBox:
            className = WC_LISTBOXW;
            style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
            exStyle |= WS_EX_CLIENTEDGE;
            break;
        case Kind::ComboBox:
            className = WC_COMBOBOXW;
            style |= CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP;
            break;
        case Kind::Panel:
        case Kind::Bevel:
            style |= SS_OWNERDRAW | SS_NOTIFY;
            break;
        case Kind::Tabs:
            className = WC_TABCONTROLW;
            style |= WS_TABSTOP;
            break;
        case Kind::TabPage:
            break;
        case Kind::Image:
            style |= SS_OWNERDRAW | SS_NOTIFY;
            break;
        case Kind::ProgressBar:
            className = PROGRESS_CLASSW;
            break;
        case Kind::StatusBar:
            className = STATUSCLASSNAMEW;
            style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
            break;
        case Kind::Custom:
            break;
    }
    if (entry.kind != Kind::RadioButton && !(entry.style & WS_GROUP))
        style |= WS_GROUP;
    if (entry.kind == Kind::TabPage) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        std::wstring caption = Widen(entry.caption ? entry.caption : "");
        item.pszText = caption.data();
        SendMessageW(data->parent->hwnd, TCM_INSERTITEMW, data->pageIndex, reinterpret_cast<LPARAM>(&item));
    } else if (entry.kind != Kind::Custom) {
        const RECT rect = ScaledRect(data->place);
        data->hwnd = CreateWindowExW(exStyle, className, Widen(entry.caption ? entry.caption : "").c_str(), style,
                                     rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, frame_,
                                     reinterpret_cast<HMENU>(static_cast<UINT_PTR>(data->id)), Instance(), nullptr);
        SetWindowSubclass(data->hwnd, ControlSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
        AddTooltip(*data);
    }
    controls_.push_back(std::move(data));
}

void Window::AdoptControl(std::string_view name, HWND control) {
    auto& data = Require(name);
    data.hwnd = control;
    SetWindowSubclass(control, ControlSubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(messageFont_.Get()), TRUE);
    AddTooltip(data);
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

int Window::Scale(int designPixels) const {
    return MulDiv(designPixels, static_cast<int>(dpi_), 96);
}

RECT Window::ScaledRect(const Place& place) const {
    return RECT{Scale(place.left), Scale(place.top), Scale(place.left + place.width), Scale(place.top + place.height)};
}

RECT Window::ControlRect(std::string_view name) const {
    return ScaledRect(Require(name).place);
}

void Window::LayOut() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const int designWidth = Scale(frameWidth_);
    const int designHeight = Scale(frameHeight_);
    const int width = std::max<int>(client.right, designWidth);
    const int height = std::max<int>(client.bottom, designHeight);
    scroll_.x = std::clamp<int>(scroll_.x, 0, std::max<int>(0, designWidth - client.right));
    scroll_.y = std::clamp<int>(scroll_.y, 0, std::max<int>(0, designHeight - client.bottom));
    SetWindowPos(frame_, nullptr, -scroll_.x, -scroll_.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateScrollBars();
}

void Window::UpdateScrollBars() {
    RECT client{};
    GetClientRect(hwnd_, &client);
    const auto update = [&](int bar, int design, int page, int position) {
        SCROLLINFO info{sizeof info, SIF_ALL | SIF_DISABLENOSCROLL};
        info.nMin = 0;
        info.nMax = design - 1;
        info.nPage = static_cast<UINT>(page);
        info.nPos = position;
        if (design <= page) {
            ShowScrollBar(hwnd_, bar, FALSE);
        } else {
            ShowScrollBar(hwnd_, bar, TRUE);
            SetScrollInfo(hwnd_, bar, &info, TRUE);
        }
    };
    update(SB_HORZ, Scale(frameWidth_), client.right, scroll_.x);
    update(SB_VERT, Scale(frameHeight_), client.bottom, scroll_.y);
}

void Window::Scroll(int bar, WORD request) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(hwnd_, bar, &info);
    int position = info.nPos;
    const int line = Scale(16);
    switch (request) {
        case SB_LINEUP:
            position -= line;
            break;
        case SB_LINEDOWN:
            position += line;
            break;
        case SB_PAGEUP:
            position -= static_cast<int>(info.nPage);
            break;
        case SB_PAGEDOWN:
            position += static_cast<int>(info.nPage);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            position = info.nTrackPos;
            break;
        case SB_TOP:
            position = 0;
            break;
        case SB_BOTTOM:
            position = info.nMax;
            break;
        default:
            return;
    }
    (bar == SB_HORZ ? scroll_.x : scroll_.y) = position;
    LayOut();
}

void Window::Show() {
    if (!Visible())
        FormShow();
    ShowWindow(hwnd_, SW_SHOW);
    UpdateWindow(hwnd_);
}

void Window::Hide() {
    ShowWindow(hwnd_, SW_HIDE);
}

bool Window::Visible() const {
    return IsWindowVisible(hwnd_) != FALSE;
}

void Window::Close() {
    SendMessageW(hwnd_, WM_CLOSE, 0, 0);
}

int Window::ShowModal() {
    DisabledWindows disabled;
    std::pair<HWND, DisabledWindows*> param{hwnd_, &disabled};
    EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&param));
    modalResult_ = mrNone;
    inModalLoop_ = true;
    Show();
    SetForegroundWindow(hwnd_);
    MSG msg;
    while (true) {
        if (modalResult_ != mrNone) {
            if (CanClose())
                break;
            modalResult_ = mrNone;
        }
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1) {
            // The program is ending: leave the loop and let the outer loop see the quit too.
            PostQuitMessage(static_cast<int>(msg.wParam));
            if (modalResult_ == mrNone)
                modalResult_ = mrCancel;
            break;
        }
        Dispatch(msg);
    }
    // Enable the others before hiding, or the system activates some other program's window.
    for (HWND other : disabled.windows)
        EnableWindow(other, TRUE);
    inModalLoop_ = false;
    Hide();
    FormClose();
    return modalResult_;
}

void Window::SetCaption(std::string_view caption) {
    SetWindowTextW(hwnd_, Widen(caption).c_str());
}

std::string Window::Caption() const {
    wchar_t buffer[512] = {};
    GetWindowTextW(hwnd_, buffer, 512);
    return Narrow(buffer);
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

std::string Window::Text(std::string_view name) const {
    HWND control = Control(name);
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

void Window::OnChange(std::string_view name, std::function<void()> handler) {
    Require(name).change = std::move(handler);
}

void Window::OnMouseMove(std::string_view name, std::function<void()> handler) {
    if (name.empty())
        frameMouseMove_ = std::move(handler);
    else
        Require(name).mouseMove = std::move(handler);
}

void Window::OnNotify(std::string_view name, std::function<LRESULT(const NMHDR&)> handler) {
    Require(name).notify = std::move(handler);
}

UINT_PTR Window::StartTimer(UINT milliseconds, bool repeating, std::function<void()> handler) {
    const UINT_PTR id = nextTimer_++;
    timers_[id] = {repeating, std::move(handler)};
    SetTimer(hwnd_, id, milliseconds, nullptr);
    return id;
}

void Window::StopTimer(UINT_PTR id) {
    KillTimer(hwnd_, id);
    timers_.erase(id);
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

LRESULT Window::HandleColor(HDC dc, HWND control) {
    const ControlData* data = FindByHandle(control);
    if (!data)
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    // A control without its own background takes the one of the panel it sits on.
    const ControlData* back = data;
    while (back && !back->hasBackColor)
        back = back->parent;
    if (data->hasTextColor)
        ::SetTextColor(dc, data->textColor);
    if (data->kind == Kind::Edit || data->kind == Kind::ListBox) {
        if (!data->hasBackColor)
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    if (back) {
        SetBkColor(dc, back->backColor);
        return reinterpret_cast<LRESULT>(back->backBrush.Get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT Window::HandleFrame(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (FrameMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
        case WM_COMMAND:
            if (lParam)
                HandleCommand(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY: {
            const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
            ControlData* data = FindByHandle(header.hwndFrom);
            if (data && data->kind == Kind::Tabs && header.code == TCN_SELCHANGE) {
                data->activePage = static_cast<int>(SendMessageW(data->hwnd, TCM_GETCURSEL, 0, 0));
                UpdatePageVisibility();
                if (data->change)
                    data->change();
                return 0;
            }
            if (data && data->notify)
                return data->notify(header);
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return HandleColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            ControlData* drawn = FindByHandle(item.hwndItem);
            if (drawn && (drawn->kind == Kind::Panel || drawn->kind == Kind::Bevel)) {
                RECT r = item.rcItem;
                FillRect(item.hDC, &r, reinterpret_cast<HBRUSH>(HandleColor(item.hDC, item.hwndItem)));
                DrawEdge(item.hDC, &r, drawn->kind == Kind::Panel ? EDGE_RAISED : EDGE_ETCHED, BF_RECT);
                return TRUE;
            }
            if (ControlData* data = drawn; data && data->picture) {
                const RECT& r = item.rcItem;
                FillRect(item.hDC, &r, reinterpret_cast<HBRUSH>(HandleColor(item.hDC, item.hwndItem)));
                data->picture->Draw(item.hDC, r.left, r.top, r.right - r.left, r.bottom - r.top);
            }
            return TRUE;
        }
        case WM_MOUSEMOVE:
            if (frameMouseMove_)
                frameMouseMove_();
            break;
        case WM_PAINT: {
            PAINTSTRUCT paint;
            HDC dc = BeginPaint(frame_, &paint);
            FormPaint(dc);
            EndPaint(frame_, &paint);
            return 0;
        }
        default:
            break;
    }
    return DefWindowProcW(frame_, message, wParam, lParam);
}

LRESULT Window::DefaultMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Window::WindowMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    return DefaultMessage(message, wParam, lParam);
}

LRESULT Window::HandleTop(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // The dialog manager sends Enter on a focused button here, to the top window.
            if (lParam) {
                HandleCommand(LOWORD(wParam), HIWORD(wParam));
                return 0;
            }
            break;
        case WM_CLOSE:
            if (inModalLoop_) {
                if (modalResult_ == mrNone)
                    modalResult_ = mrCancel;
                return 0;
            }
            if (CanClose()) {
                Hide();
                FormClose();
                if (mainWindow == this)
                    PostQuitMessage(0);
            }
            return 0;
        case WM_SIZE:
            if (frame_)
                LayOut();
            break;
        case WM_HSCROLL:
        case WM_VSCROLL:
            if (lParam == 0) {
                Scroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam));
                return 0;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE)
                FormActivate();
            break;
        case WM_TIMER: {
            const auto it = timers_.find(wParam);
            if (it == timers_.end())
                break;
            auto handler = it->second.second;
            if (!it->second.first)
                StopTimer(wParam);
            handler();
            return 0;
        }
        case WM_DPICHANGED: {
            dpi_ = HIWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            messageFont_ = MakeFont(dpi_, nullptr, 0, false, false);
            for (const auto& control : controls_) {
                if (!control->hwnd)
                    continue;
                const RECT r = ScaledRect(control->place);
                SetWindowPos(control->hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            ApplyFonts();
            SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                         suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
            LayOut();
            return 0;
        }
        default:
            break;
    }
    return WindowMessage(message, wParam, lParam);
}

LRESULT CALLBACK Window::TopProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        EnableNonClientDpiScaling(hwnd);
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window || !window->hwnd_)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return window->HandleTop(message, wParam, lParam);
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
}

LRESULT CALLBACK Window::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window || !window->frame_)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    try {
        return window->HandleFrame(message, wParam, lParam);
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
}

LRESULT CALLBACK
Window::ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR owner) {
    try {
        if (message == WM_MOUSEMOVE) {
            auto* window = reinterpret_cast<Window*>(owner);
            if (ControlData* data = window->FindByHandle(hwnd); data && data->mouseMove)
                data->mouseMove();
        } else if (message == WM_SETCURSOR) {
            auto* window = reinterpret_cast<Window*>(owner);
            if (ControlData* data = window->FindByHandle(hwnd); data && data->cursor) {
                ::SetCursor(data->cursor);
                return TRUE;
            }
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(hwnd, ControlSubclassProc, 1);
        }
        return DefSubclassProc(hwnd, message, wParam, lParam);
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
}

void ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        Dispatch(msg);
    }
}

int RunMessageLoop() {
    MSG msg;
    BOOL got;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) != 0 && got != -1)
        Dispatch(msg);
    return got == 0 ? static_cast<int>(msg.wParam) : 1;
}

void SetHelpHandler(std::function<void(int topic)> handler) {
    helpHandler = std::move(handler);
}

void SetMainWindow(Window* window) {
    mainWindow = window;
}

Window* MainWindow() {
    return mainWindow;
}

}  // namespace widgets
