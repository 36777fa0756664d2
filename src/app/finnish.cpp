#include "app/finnish.h"

#include "app/window_set.h"

namespace app {
namespace {

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

std::span<const widgets::TextSpec> MainWindowFinnishTexts() {
    return kMainWindowFinnish;
}

void ApplyFinnishTexts() {
    // One line per window, in the order the texts are set.
    PaaIkkuna->ApplyTexts(MainWindowFinnishTexts());
    AboutBox->ApplyTexts(widgets::kAboutBoxFinnish);
    RegistryIkkuna->ApplyTexts(registry::RegistryFinnishTexts());
    // The space usage window comes here when it exists.
    OptionsIkkuna->ApplyTexts(settings::OptionsFinnishTexts());
    // Then the unnecessary-files window and the duplicate files window.
}

}  // namespace app
