#include "widgets/window.h"

#include <commctrl.h>
#include <windowsx.h>

#include "platform/win32/unicode.h"
#include "widgets/caption_bar.h"
#include "widgets/control_data.h"
#include "widgets/error_hook.h"
#include "widgets/message_loop.h"
#include "widgets/run_policy.h"

using platform::win32::Narrow;
using platform::win32::Widen;

namespace widgets {
namespace {

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

BOOL CALLBACK DisableOthers(HWND hwnd, LPARAM param) {
    auto* data = reinterpret_cast<std::pair<HWND, std::vector<HWND>*>*>(param);
    if (hwnd != data->first && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd)) {
        EnableWindow(hwnd, FALSE);
        data->second->push_back(hwnd);
    }
    return TRUE;
}

// Every procedure of the layer ends here: an error escaping a handler goes to the error hook.
template <typename Handle>
LRESULT Guarded(Handle&& handle) {
    try {
        return handle();
    } catch (...) {
        ReportEscapedError();
        return 0;
    }
}

}  // namespace

Window::Window() = default;

Window::~Window() {
    if (MainWindow() == this)
        SetMainWindow(nullptr);
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
    Window* main = MainWindow();
    HWND owner = (main && form.style != FrameStyle::Splash) ? main->Handle() : nullptr;
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

// The close box, Escape without a cancel button and Close() come here. During a run the run is asked to
// stop, and the window closes once it has returned.
bool Window::CloseRequest() {
    if (run_ && run_->Running()) {
        run_->AskToStopAndClose();
        return false;
    }
    if (inModalLoop_) {
        if (modalResult_ == mrNone)
            modalResult_ = mrCancel;
        return false;
    }
    if (!CanClose())
        return false;
    Hide();
    FormClose();
    if (MainWindow() == this)
        PostQuitMessage(0);
    return true;
}

int Window::ShowModal() {
    std::vector<HWND> disabled;
    std::pair<HWND, std::vector<HWND>*> param{hwnd_, &disabled};
    EnumThreadWindows(GetCurrentThreadId(), DisableOthers, reinterpret_cast<LPARAM>(&param));
    modalResult_ = mrNone;
    inModalLoop_ = true;
    Show();
    SetForegroundWindow(hwnd_);
    while (true) {
        if (modalResult_ != mrNone) {
            if (CanClose())
                break;
            modalResult_ = mrNone;
        }
        if (!WaitAndDispatch()) {
            // The program is ending: leave the loop and let the outer loop see the quit too.
            if (modalResult_ == mrNone)
                modalResult_ = mrCancel;
            break;
        }
    }
    // Enable the others before hiding, or the system activates some other program's window.
    for (HWND other : disabled)
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

void Window::SetDefaultButton(std::string_view name) {
    Require(name);
    defaultButton_ = name;
}

void Window::SetCancelButton(std::string_view name) {
    Require(name);
    cancelButton_ = name;
}

// The dialog manager sends Enter as IDOK and Escape as IDCANCEL, without a control.
bool Window::HandleDialogKey(WORD id) {
    const std::string& button = id == IDOK ? defaultButton_ : id == IDCANCEL ? cancelButton_ : std::string();
    if (!button.empty()) {
        if (IsWindowEnabled(Control(button)))
            SendMessageW(Control(button), BM_CLICK, 0, 0);
        return true;
    }
    // Without a cancel button Escape acts as the close box when the window says so, and always during a
    // run, which it asks to stop.
    if (id == IDCANCEL && (escapeCloses_ || (run_ && run_->Running()))) {
        CloseRequest();
        return true;
    }
    return false;
}

LRESULT Window::HandleTop(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            // The dialog manager sends Enter on a focused button here, to the top window.
            if (lParam)
                HandleCommand(LOWORD(wParam), HIWORD(wParam));
            else
                HandleDialogKey(LOWORD(wParam));
            return 0;
        case WM_CLOSE:
            CloseRequest();
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
        case WM_DPICHANGED:
            DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        default:
            break;
    }
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT Window::HandleFrame(UINT message, WPARAM wParam, LPARAM lParam) {
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
            if (data && data->custom)
                return data->custom->Notify(header);
            break;
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
            return HandleColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_DRAWITEM:
            return DrawControl(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)) ? TRUE : FALSE;
        case WM_MOUSEMOVE:
            if (framePointerMove_)
                framePointerMove_(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
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

LRESULT Window::HandleControl(ControlData& data, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            if (data.pointerMove)
                data.pointerMove(POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            break;
        case WM_LBUTTONDBLCLK:
            if (data.doubleClick) {
                const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
                data.doubleClick();
                return result;
            }
            break;
        case WM_KILLFOCUS:
            if (data.focusLost) {
                const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
                data.focusLost();
                return result;
            }
            break;
        case WM_ERASEBKGND:
            // A group box paints only its frame and caption; its inside would keep whatever was on screen
            // before (a page shown earlier, a longer caption), so it is filled with the frame's colour first.
            if (data.kind == Kind::GroupBox) {
                RECT client{};
                GetClientRect(hwnd, &client);
                auto brush = reinterpret_cast<HBRUSH>(
                    SendMessageW(GetParent(hwnd), WM_CTLCOLORSTATIC, wParam, reinterpret_cast<LPARAM>(hwnd)));
                FillRect(reinterpret_cast<HDC>(wParam), &client, brush ? brush : GetSysColorBrush(COLOR_BTNFACE));
                return TRUE;
            }
            break;
        case WM_SETCURSOR:
            if (data.cursor) {
                ::SetCursor(data.cursor);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
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
    return Guarded([&] {
        LRESULT result = 0;
        if (window->Intercept(Message{message, wParam, lParam}, result))
            return result;
        return window->HandleTop(message, wParam, lParam);
    });
}

LRESULT CALLBACK Window::FrameProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* window = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!window || !window->frame_)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    return Guarded([&] {
        LRESULT result = 0;
        if (window->Intercept(Message{message, wParam, lParam}, result))
            return result;
        return window->HandleFrame(message, wParam, lParam);
    });
}

LRESULT CALLBACK
Window::ControlSubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR owner) {
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(hwnd, ControlSubclassProc, 1);
    auto* window = reinterpret_cast<Window*>(owner);
    ControlData* data = window->FindByHandle(hwnd);
    if (!data)
        return DefSubclassProc(hwnd, message, wParam, lParam);
    return Guarded([&] { return window->HandleControl(*data, hwnd, message, wParam, lParam); });
}

}  // namespace widgets
