#include "unnecessary/junk_texts.h"

#include "base/texts.h"

namespace unnecessary {

using base::Tx;

std::string SearchingFolderText(std::string_view folder) {
    return Tx("Searching ", "Etsitään ") + std::string(folder) + "...";
}

std::string SearchingText() {
    return Tx("Searching unnecessary files...", "Etsitään turhia tiedostoja...");
}

std::string TotalSizeText(int64_t totalKB) {
    return std::to_string(totalKB < 0 ? 0 : totalKB) + Tx(" Kb", " Kt");
}

std::string FoundText(int64_t foundCount) {
    const std::string count = std::to_string(foundCount);
    return Tx(count + " unnecessary files found!", "Turhia tiedostoja löytynyt " + count + "kpl!");
}

std::string FoundAfterDeleteText(int64_t rowsLeft) {
    const std::string count = std::to_string(rowsLeft);
    return Tx(count + " unnecessary files found!", "Turhia tiedostoja löydetty " + count + "kpl!");
}

std::string NoFilesFoundText() {
    return Tx("No files found!", "Tiedostoja ei löytynyt!");
}

std::string CaptionText(std::string_view driveLetters) {
    return CaptionText(driveLetters, base::FinnishUI());
}

std::string CaptionText(std::string_view driveLetters, bool finnish) {
    std::string caption = finnish ? "Turhat tiedostot - " : "Unnecessary files - ";
    for (char letter : driveLetters) {
        caption += letter;
        caption += ": ";
    }
    return caption;
}

std::string DeleteHintText(bool useRecycleBin) {
    if (useRecycleBin)
        return Tx("Deletes selected file(s) to a recycle bin", "Poistaa valitut tiedostot roskakoriin");
    return Tx("Deletes selected file(s) PERMANENTLY", "Poistaa valitut tiedostot PYSYVÄSTI");
}

std::string UnableToDeleteText(std::string_view path, std::string_view reason) {
    std::string text = Tx("Unable to delete the file: \n\n", "Tiedostoa ei pystytä poistamaan:\n\n") +
                       std::string(path) +
                       Tx("\n\nMaybe this file is in use, or is write-protected?",
                          "\n\nEhkä tämä tiedosto on käytössä, tai se on kirjoitussuojattu?");
    if (!reason.empty())
        text += "\n\n" + std::string(reason);
    return text;
}

std::string UnsupportedSystemText() {
    return Tx(
        "This section of Vireo requires Windows 95/98 or NT 4 to run.\r"
        "Your system does not appear to meet this requirement!",
        "Tämä osa Vireo:sta vaatii Windows 95/98 tai NT 4:n toimiakseen.\r"
        "Sinun systeemisi ei näytä pysyvän täyttämään tätä vaatimusta!");
}

std::string UnusedMasksText(const std::vector<std::string>& masks) {
    std::string text = Tx("Masks not used, as they match any name: ", "Maskeja ei käytetä (sopivat kaikkiin nimiin): ");
    for (size_t i = 0; i < masks.size(); ++i)
        text += (i > 0 ? " " : "") + masks[i];
    return text;
}

std::string KeepNotFoundStatusText() {
    return Tx("Nothing deleted: a file to keep was not found.",
              "Mitään ei poistettu: säilytettävää tiedostoa ei löytynyt.");
}

std::string KeepNotFoundText(const std::vector<std::string>& items) {
    std::string text = Tx("Nothing was deleted, because these files to keep (-keep=) were not found:\n",
                          "Mitään ei poistettu, koska näitä säilytettäviä tiedostoja (-keep=) ei löytynyt:\n");
    for (const std::string& item : items)
        text += "\n" + item;
    return text + Tx("\n\nThe files found are listed in the Unnecessary files window.",
                     "\n\nLöydetyt tiedostot ovat Turhat tiedostot -ikkunan listassa.");
}

}  // namespace unnecessary
