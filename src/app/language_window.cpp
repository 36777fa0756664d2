#include "app/language_window.h"

#include <algorithm>

#include "app/pictures.h"
#include "app/window_set.h"
#include "base/error.h"
#include "platform/program_folder.h"
#include "settings/keys.h"
#include "settings/settings_file.h"
#include "widgets/dialogs.h"

namespace app {
namespace {

using widgets::Kind;

constexpr int kFrameWidth = 337;
constexpr int kFrameHeight = 101;
constexpr int kMargin = 8;

// clang-format off
constexpr widgets::ControlSpec kControls[] = {
    // name      kind                 place (96-DPI px)   caption
    {"Bevel1",   Kind::Bevel,         {0, 0, kFrameWidth, kFrameHeight}},
    {"Label1",   Kind::Label,         {8, 8, 0, 0},       "Voit vaihtaa kieltä aina kun haluat menemällä Asetuksiin."},
    {"Label2",   Kind::Label,         {8, 24, 0, 0},      "You can change language anytime you want by going to Options."},
    {"Suomi",    Kind::PictureButton, {8, 48, 75, 25},    "&Suomi"},
    {"Englanti", Kind::PictureButton, {248, 48, 75, 25},  "&English"},
};
// clang-format on

}  // namespace

std::string UnsavedLanguageText(std::string_view path) {
    const std::string file(path);
    return "Vireo could not save the language to\n" + file +
           "\nPlease check that the file is not read-only and choose again.\n\n"
           "Vireo ei voinut tallentaa kieltä tiedostoon\n" +
           file + "\nTarkista, ettei tiedosto ole kirjoitussuojattu, ja valitse uudelleen.";
}

TKieliIkkuna::TKieliIkkuna() {
    Create({"Valitse kieli/Choose language", kFrameWidth, kFrameHeight, widgets::FrameStyle::Dialog});
    FormCreate();
}

void TKieliIkkuna::FormCreate() {
    CreateControls(kControls);
    WidenToFitTexts();
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

// A system font wider than the design's would cut the lines off at the frame's right edge, and the
// question must be read whole: the window grows by what they need, and the English button keeps to its edge.
void TKieliIkkuna::WidenToFitTexts() {
    int needed = kFrameWidth;
    for (const char* label : {"Label1", "Label2"}) {
        const widgets::Place place = ControlPlace(label);
        needed = std::max(needed, place.left + place.width + kMargin);
    }
    const int extra = needed - kFrameWidth;
    if (extra == 0)
        return;
    const widgets::Place english = ControlPlace("Englanti");
    MoveControl("Englanti", english.left + extra, english.top);
    SetWindowPos(Control("Bevel1"), nullptr, 0, 0, Scale(needed), Scale(kFrameHeight),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    RECT rect{0, 0, Scale(needed), Scale(kFrameHeight)};
    AdjustWindowRectExForDpi(&rect, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE,
                             static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE)), Dpi());
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(Handle(), nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
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
    const std::string path = platform::OptionsIniPath();
    try {
        settings::SettingsFile file(path);
        file.WriteFlag(settings::keys::kLanguage, english);
    } catch (const base::Error&) {
        // The window stays open for another try; closed instead, this run uses the choice just made.
        widgets::AppDialogs().Message(UnsavedLanguageText(path), widgets::MessageKind::Error,
                                      widgets::MessageButtons::Ok);
        return;
    }
    SetModalResult(widgets::mrOk);
}

}  // namespace app
