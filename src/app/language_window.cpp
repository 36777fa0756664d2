#include "app/language_window.h"

#include "app/pictures.h"
#include "app/window_set.h"
#include "platform/program_folder.h"
#include "settings/keys.h"
#include "settings/settings_file.h"

namespace app {
namespace {

using widgets::Kind;

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name      kind                 place (96-DPI px)   caption
    {"Bevel1",   Kind::Bevel,         {0, 0, 337, 101}},
    {"Label1",   Kind::Label,         {8, 8, 0, 0},       "Voit vaihtaa kieltä aina kun haluat menemällä Asetuksiin."},
    {"Label2",   Kind::Label,         {8, 24, 0, 0},      "You can change language anytime you want by going to Options."},
    {"Suomi",    Kind::PictureButton, {8, 48, 75, 25},    "&Suomi"},
    {"Englanti", Kind::PictureButton, {248, 48, 75, 25},  "&English"},
};
// clang-format on

}  // namespace

TKieliIkkuna::TKieliIkkuna() {
    Create({"Valitse kieli/Choose language", 337, 101, widgets::FrameStyle::Dialog});
    FormCreate();
}

void TKieliIkkuna::FormCreate() {
    CreateControls(kControls);
    SetPicture("Suomi", FinnishFlag());
    SetPicture("Englanti", BritishFlag());
    for (const char* button : {"Suomi", "Englanti"})
        SetControlCursor(button, IDC_HAND);
    OnClick("Suomi", [this] { SuomiClick(); });
    OnClick("Englanti", [this] { EnglantiClick(); });
    if (PaaIkkuna && PaaIkkuna->LanguageText.empty()) {
        // The main window is still hidden, so the question is the program's only window on the taskbar.
        ShowInTaskbar(Handle());
        ShowModal();
    }
}

void TKieliIkkuna::FormShow() {
    DestroySplash();
}

void TKieliIkkuna::SuomiClick() {
    Choose(false);
}

void TKieliIkkuna::EnglantiClick() {
    Choose(true);
}

void TKieliIkkuna::Choose(bool english) {
    OptionsIkkuna->SetChecked("English", english);
    OptionsIkkuna->SetChecked("Suomi", !english);
    settings::SettingsFile file(platform::OptionsIniPath());
    // A failed write raises its error here, and the window stays open for another try.
    file.WriteFlag(settings::keys::kLanguage, english);
    SetModalResult(widgets::mrOk);
}

}  // namespace app
