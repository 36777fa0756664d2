#include "fs/drive_rows.h"

namespace fs {

std::vector<std::string> DriveRootsOf(uint32_t logicalDriveMask) {
    std::vector<std::string> roots;
    for (int i = 0; i < 26; ++i) {
        if (logicalDriveMask & (1u << i))
            roots.push_back(std::string(1, static_cast<char>('A' + i)) + ":\\");
    }
    return roots;
}

bool IsListedDrive(platform::DriveKind kind) {
    return kind != platform::DriveKind::Unknown && kind != platform::DriveKind::NoRoot;
}

bool IsPreselectedDrive(platform::DriveKind kind, bool selectFixedDrives) {
    return selectFixedDrives && kind == platform::DriveKind::Fixed;
}

std::string DriveLetterOf(std::string_view caption) {
    // The last " (X:)" rather than the first " (": a volume label may hold " (" itself ("Backup (old)"),
    // and taking the character after it would name some other drive.
    for (size_t open = caption.rfind(" ("); open != std::string_view::npos;
         open = open == 0 ? std::string_view::npos : caption.rfind(" (", open - 1)) {
        if (open + 5 > caption.size() || caption.substr(open + 3, 2) != ":)")
            continue;
        char c = caption[open + 2];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c >= 'A' && c <= 'Z')
            return std::string(1, c);
    }
    return {};
}

std::string DriveLettersOf(const std::vector<int64_t>& rowData) {
    std::string letters;
    for (const int64_t data : rowData) {
        if (data >= 'a' && data <= 'z')
            letters += static_cast<char>(data - 'a' + 'A');
        else if (data >= 'A' && data <= 'Z')
            letters += static_cast<char>(data);
    }
    return letters;
}

}  // namespace fs
