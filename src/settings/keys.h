#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Every section and key of Options.ini with its default, so that no window spells one out itself.
namespace settings {

struct TextKey {
    std::string_view section;
    std::string_view name;
    std::string_view fallback;
};

struct IntegerKey {
    std::string_view section;
    std::string_view name;
    int32_t fallback;
};

struct FlagKey {
    std::string_view section;
    std::string_view name;
    bool fallback;
};

namespace keys {

inline constexpr std::string_view kGeneral = "General";
inline constexpr std::string_view kDuplicateFile = "Duplicate file";
inline constexpr std::string_view kBackupsTempsDeleter = "Backups, temps deleter";
inline constexpr std::string_view kChart = "Chart";
// The fonts of the space-usage window live in the section with the empty name, the line "[]".
inline constexpr std::string_view kFonts = "";

// "General". True is English. Read first as text with an empty default: empty means no language has
// been chosen yet. As a flag its default is the state of the options window's English button.
inline constexpr FlagKey kLanguage{kGeneral, "Language/Kieli", true};
inline constexpr TextKey kLanguageText{kGeneral, "Language/Kieli", ""};

// "Duplicate file"
inline constexpr TextKey kFoldersToIgnore{kDuplicateFile, "FoldersToIgnore", ""};
inline constexpr TextKey kFileMask{kDuplicateFile, "FileMask", "*.*"};
inline constexpr TextKey kRootFolder{kDuplicateFile, "RootFolder", "\\"};
inline constexpr FlagKey kFloppyIsMaster{kDuplicateFile, "FloppyIsMaster", true};
inline constexpr FlagKey kSkipSysbckupFolder{kDuplicateFile, "SkipSysbckupFolder", true};
inline constexpr FlagKey kCheckFileStamp{kDuplicateFile, "CheckFileStamp", true};
inline constexpr FlagKey kCheckFileName{kDuplicateFile, "CheckFileName", false};
inline constexpr FlagKey kCheckFileSize{kDuplicateFile, "CheckFileSize", true};
inline constexpr FlagKey kSkipEmptyFiles{kDuplicateFile, "SkipEmptyFiles", true};
inline constexpr FlagKey kSkipDesktopFolders{kDuplicateFile, "SkipDesktopFolders", true};
inline constexpr FlagKey kDuplicatesUseRecycleBin{kDuplicateFile, "UseRecycleBin", true};

// "Backups, temps deleter"
inline constexpr TextKey kDirectoryMask{kBackupsTempsDeleter, "DirectoryMask", "\\"};
inline constexpr FlagKey kIgnoreHiddenFiles{kBackupsTempsDeleter, "IgnoreHiddenFiles", true};
inline constexpr FlagKey kIgnoreReadOnlyFiles{kBackupsTempsDeleter, "IgnoreReadOnlyFiles", true};
inline constexpr FlagKey kIgnoreSystemFiles{kBackupsTempsDeleter, "IgnoreSystemFiles", true};
inline constexpr FlagKey kIgnoreZeroLengthFiles{kBackupsTempsDeleter, "IgnoreZeroLengthFiles", true};
inline constexpr FlagKey kBackupsUseRecycleBin{kBackupsTempsDeleter, "UseRecycleBin", true};
// Mask lists: read through ReadMaskList, never written.
inline constexpr TextKey kFilesToFind{
    kBackupsTempsDeleter, "FilesToFind",
    "*.tmp,~*.*,*.~*,*.?~?,*.aps,*.bak,*.bk?,*.bsc,*.dmp,*.ilk,*.pch,*.rws,*.sbr,backup*.wbk,*.$$$,*.ncb"};
inline constexpr TextKey kExtraFilesToFind{kBackupsTempsDeleter, "ExtraFilesToFind", "*.fts,*.gid,*.mtx,*.nch"};
inline constexpr TextKey kAvoidTheseFiles{kBackupsTempsDeleter, "AvoidTheseFiles", "folders.nch,user.dmp"};
// True searches with FilesToFind, false with ExtraFilesToFind.
inline constexpr FlagKey kNormalSearch{kBackupsTempsDeleter, "Normal_search", true};

// "Chart"
inline constexpr FlagKey kUnCompressed{kChart, "UnCompressed", false};
inline constexpr std::string_view kDisabledName = "Disabled";
inline constexpr std::string_view kCompressedName = "Compressed";
inline constexpr FlagKey kAllocated{kChart, "Allocated", false};
inline constexpr FlagKey kSlack{kChart, "Slack", false};
inline constexpr FlagKey kActual{kChart, "Actual", true};
inline constexpr FlagKey kBytes{kChart, "Bytes", true};
inline constexpr FlagKey kKB{kChart, "KB", false};
inline constexpr FlagKey kMB{kChart, "MB", false};
inline constexpr FlagKey kCount{kChart, "Count", false};
inline constexpr TextKey kPieChartColours{kChart, "PieChartColours", ""};
inline constexpr FlagKey kRightClickFolder{kChart, "RightClickFolder", true};
inline constexpr FlagKey kDisplayFreeDiskSpace{kChart, "DisplayFreeDiskSpace", true};
inline constexpr FlagKey kRepeatedScan{kChart, "RepeatedScan", false};
// Minutes between rescans.
inline constexpr IntegerKey kRepeatInterval{kChart, "RepeatInterval", 10};

// The compressed/uncompressed choice exists only on the NT family.
constexpr FlagKey Disabled(bool isNtFamily) {
    return {kChart, kDisabledName, !isNtFamily};
}
constexpr FlagKey Compressed(bool isNtFamily) {
    return {kChart, kCompressedName, isNtFamily};
}

// Section kFonts: a font is five keys, prefix + suffix; each defaults to the font as the window is designed.
inline constexpr std::string_view kPieChartFont = "PieChartFont";
inline constexpr std::string_view kListboxFont = "ListboxFont";
inline constexpr std::string_view kFontName = ".Name";      // text
inline constexpr std::string_view kFontSize = ".Size";      // integer, points
inline constexpr std::string_view kFontColor = ".Color";    // integer colour value
inline constexpr std::string_view kFontBold = ".Bold";      // flag
inline constexpr std::string_view kFontItalic = ".Italic";  // flag

inline std::string FontKey(std::string_view prefix, std::string_view suffix) {
    return std::string(prefix) + std::string(suffix);
}

}  // namespace keys
}  // namespace settings
