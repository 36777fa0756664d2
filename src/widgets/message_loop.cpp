#include "widgets/message_loop.h"

#include "widgets/window.h"

namespace widgets {
namespace {

Window* mainWindow = nullptr;
std::function<void(int)> helpHandler;

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

}  // namespace

bool WaitAndDispatch() {
    MSG msg;
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) {
        PostQuitMessage(static_cast<int>(msg.wParam));
        return false;
    }
    Dispatch(msg);
    return true;
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
