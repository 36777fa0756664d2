#include <windows.h>

#include <utility>

#include "app/application.h"
#include "app/global_error.h"
#include "app/window_set.h"
#include "platform/system.h"
#include "widgets/error_hook.h"
#include "widgets/help.h"
#include "widgets/window.h"

namespace app {
namespace {

std::string helpFile;

// Wakes the copy that is already running. The broadcast waits for every window, but not for ever for a
// window that has stopped responding, so a hung program elsewhere cannot keep this copy alive.
void WakeRunningCopy() {
    // This copy was just started by the user and may take the foreground; the running copy may not unless
    // it is handed that right, and it must bring its window to the front.
    AllowSetForegroundWindow(ASFW_ANY);
    const UINT message = RegisterWindowMessageW(L"Vireo");
    DWORD_PTR result = 0;
    SendMessageTimeoutW(HWND_BROADCAST, message, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG, 5000, &result);
}

}  // namespace

const std::string& HelpFile() {
    return helpFile;
}

void SetHelpFile(std::string path) {
    helpFile = std::move(path);
}

void InstallErrorHook() {
    static TGlobaaliVirheK errorHandler;
    widgets::SetErrorHook([] { errorHandler.AppException(); });
}

void InstallHelpHandler() {
    widgets::SetHelpHandler([](int topic) { widgets::OpenHelpTopic(HelpFile(), topic); });
}

int RunProgram() {
    // Held until the process ends; the system releases it then.
    CreateMutexW(nullptr, FALSE, L"Vireo");
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        WakeRunningCopy();
        return 0;
    }

    InstallErrorHook();

    OdotaIkkuna = std::make_unique<TOdota>();
    OdotaIkkuna->ShowSplash();

    SetHelpFile("VireoE.htm");
    InstallHelpHandler();
    CreateWindows(platform::ProgramArguments());

    PaaIkkuna->Show();
    const int exitCode = widgets::RunMessageLoop();
    DestroyWindows();
    DestroySplash();
    return exitCode;
}

}  // namespace app
