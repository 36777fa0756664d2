#include "app/finnish.h"

#include "app/window_set.h"

namespace app {
namespace {

// The room between the short Finnish status label and the text that follows it.
constexpr int kStatusGap = 7;

// clang-format off
constexpr widgets::TextSpec kMainWindowFinnish[] = {
    {"Label1",        "ervetuloa Vireo 1.5:seen!"},
    {"Label2",        "Vireoillä voit nopeuttaa konettasi ja saada lisää levytilaa poistamalla vialliset rekisteri "
                      "tietueet, turhat tiedostot ja tiedostot joita on enemmän kuin yksi. Paina F1 saadaksesi apua."},
    {"Sulje",         "&Sulje",            "Sulje Vireo"},
    {"Tietoa",        "&Tietoa",           "Tietoa Vireoista"},
    {"Settings",      "&Asetukset",        "Muokkaa asetuksia"},
    {"Kaytto",        "T&ilan käyttö",     "Katso kiinnostavaa tietoa koneesi tilan käytöstä"},
    {"Backups",       "T&urhat tiedostot", "Etsii turhat tiedostot kuten varakopiot, väliaikaiset tiedostot (temps) jne."},
    {"Kaksois",       "&Duplikaatit",      "Etsii tiedostot joita on enemmän kuin yksi kappale"},
    {"RegistryClean", "&Puhdista rekisteri", "Etsii vialliset rekisteri tiedot"},
};
// clang-format on

}  // namespace

void FollowStatusLabel(widgets::Window& window, const char* statusLabel, const char* follower) {
    const widgets::Place status = window.ControlPlace(statusLabel);
    window.MoveControl(follower, status.left + status.width + kStatusGap, window.ControlPlace(follower).top);
}

std::span<const widgets::TextSpec> MainWindowFinnishTexts() {
    return kMainWindowFinnish;
}

void ApplyFinnishTexts() {
    // One line per window, in the order the texts are set.
    PaaIkkuna->ApplyTexts(MainWindowFinnishTexts());
    AboutBox->ApplyTexts(widgets::kAboutBoxFinnish);
    RegistryIkkuna->ApplyTexts(registry::RegistryFinnishTexts());
    KaavioIkkuna->UseFinnishTexts();
    OptionsIkkuna->ApplyTexts(settings::OptionsFinnishTexts());
    BackupIkkuna->UseFinnishTexts();
    FollowStatusLabel(*BackupIkkuna, "Label3", "Label1");
    KaksoisIkkuna->UseFinnishTexts();
    FollowStatusLabel(*KaksoisIkkuna, "Label3", "lblFileListCaption");
}

}  // namespace app
