#include "app/window_set.h"

#include <array>
#include <optional>

#include "app/options_handover.h"
#include "app/pictures.h"
#include "platform/program_folder.h"
#include "platform/system.h"
#include "unnecessary/command_line.h"
#include "widgets/run_policy.h"
#include "widgets/window.h"

namespace app {

std::unique_ptr<TOdota> OdotaIkkuna;
std::unique_ptr<TPaaIkkuna> PaaIkkuna;
std::unique_ptr<registry::TRegistryIkkuna> RegistryIkkuna;
std::unique_ptr<settings::TOptionsIkkuna> OptionsIkkuna;
std::unique_ptr<widgets::TAboutBox> AboutBox;
std::unique_ptr<duplicates::TKaksoisIkkuna> KaksoisIkkuna;
std::unique_ptr<unnecessary::TBackupIkkuna> BackupIkkuna;
std::unique_ptr<usage::TKaavioIkkuna> KaavioIkkuna;
std::unique_ptr<TKieliIkkuna> KieliIkkuna;

void CreateWindows(const std::vector<std::string>& arguments) {
    PaaIkkuna = std::make_unique<TPaaIkkuna>();
    widgets::SetMainWindow(PaaIkkuna.get());
    // Every window shares the one window class, and so the icon.
    static const HICON bigIcon = MakeProgramIcon(GetSystemMetrics(SM_CXICON));
    static const HICON smallIcon = MakeProgramIcon(GetSystemMetrics(SM_CXSMICON));
    SetClassLongPtrW(PaaIkkuna->Handle(), GCLP_HICON, reinterpret_cast<LONG_PTR>(bigIcon));
    SetClassLongPtrW(PaaIkkuna->Handle(), GCLP_HICONSM, reinterpret_cast<LONG_PTR>(smallIcon));
    RegistryIkkuna = std::make_unique<registry::TRegistryIkkuna>();
    OptionsIkkuna = std::make_unique<settings::TOptionsIkkuna>();
    AboutBox = std::make_unique<widgets::TAboutBox>();
    AboutBox->SetHelpTopic(widgets::TAboutBox::kHelpTopic);
    KaksoisIkkuna = std::make_unique<duplicates::TKaksoisIkkuna>();
    ConnectDuplicateSwitches(*OptionsIkkuna, *KaksoisIkkuna);
    BackupIkkuna = std::make_unique<unnecessary::TBackupIkkuna>(arguments, platform::RunningSystemVersion());
    // An unattended run's search gives way once per folder; a measurement of argument 1 started then would
    // hold it up until the whole folder was measured, so the chart measures when it is opened instead.
    const bool unattended = unnecessary::IsUnattendedRun(unnecessary::ParseCommandLine(arguments));
    KaavioIkkuna = std::make_unique<usage::TKaavioIkkuna>(
        platform::OptionsIniPath(), arguments.empty() ? std::nullopt : std::optional<std::string>(arguments[0]),
        unattended ? usage::TKaavioIkkuna::FirstMeasurement::WhenOpened
                   : usage::TKaavioIkkuna::FirstMeasurement::AtStart);
    KaavioIkkuna->OtherRunInProgress = [] { return AnyRunInProgress(KaavioIkkuna.get()); };
    KieliIkkuna = std::make_unique<TKieliIkkuna>();
}

void DestroyWindows() {
    KieliIkkuna.reset();
    KaavioIkkuna.reset();
    BackupIkkuna.reset();
    if (KaksoisIkkuna) {
        KaksoisIkkuna.reset();
        // The switches the options window holds for the duplicate search follow that window's own keys.
        if (OptionsIkkuna)
            WriteDuplicateSwitchesAtEnd(*OptionsIkkuna);
    }
    AboutBox.reset();
    OptionsIkkuna.reset();
    RegistryIkkuna.reset();
    widgets::SetMainWindow(nullptr);
    PaaIkkuna.reset();
}

namespace {

std::array<widgets::Window*, 4> WindowsWithRuns() {
    return {RegistryIkkuna.get(), KaksoisIkkuna.get(), BackupIkkuna.get(), KaavioIkkuna.get()};
}

}  // namespace

void StopEveryRun() {
    for (widgets::Window* window : WindowsWithRuns())
        if (window && window->Run() && window->Run()->Running())
            window->Run()->AskToStop();
}

bool AnyRunInProgress(const widgets::Window* except) {
    for (const widgets::Window* window : WindowsWithRuns())
        if (window && window != except && window->Run() && window->Run()->Running())
            return true;
    return false;
}

void ShowInTaskbar(HWND window) {
    const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_EXSTYLE));
    SetWindowLongPtrW(window, GWL_EXSTYLE, (exStyle & ~WS_EX_TOOLWINDOW) | WS_EX_APPWINDOW);
}

void DestroySplash() noexcept {
    try {
        if (OdotaIkkuna) {
            OdotaIkkuna->Hide();
            OdotaIkkuna.reset();
        }
    } catch (...) {
    }
}

}  // namespace app
