#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fs/delete_selected.h"

namespace unnecessary {

// The texts the unnecessary-files window builds at run time, in the interface language.

std::string SearchingFolderText(std::string_view folder);  // status bar, one per folder
std::string SearchingText();                               // status label while searching
std::string TotalSizeText(int64_t totalKB);                // "12 Kb"
std::string FoundText(int64_t foundCount);                 // after a search with results
std::string FoundAfterDeleteText(int64_t rowsLeft);        // after a deletion that left rows
std::string NoFilesFoundText();
std::string CaptionText(std::string_view driveLetters);  // "Unnecessary files - C: D: "
std::string CaptionText(std::string_view driveLetters, bool finnish);
std::string DeleteHintText(bool useRecycleBin);
// The warning when a file cannot be deleted for good; reason is the system's, shown when given.
std::string UnableToDeleteText(std::string_view path, std::string_view reason);
std::string UnsupportedSystemText();
// The note on masks of the settings that are not used because they match every file.
std::string UnusedMasksText(const std::vector<std::string>& masks);
// An unattended run that deleted nothing because files to keep were not found: the status, and the warning
// naming the items.
std::string KeepNotFoundStatusText();
std::string KeepNotFoundText(const std::vector<std::string>& items);

}  // namespace unnecessary
