#include "platform/program_folder.h"

namespace platform {

std::string FolderOfPath(std::string_view path) {
    const size_t cut = path.find_last_of("\\/");
    if (cut == std::string_view::npos)
        return {};
    return std::string(path.substr(0, cut + 1));
}

std::string FolderOfModulePath(std::string_view modulePath) {
    std::string folder = FolderOfPath(modulePath);
    const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    std::string head = folder.substr(0, 5);
    for (char& c : head)
        c = lower(c);
    if (head == "unix\\")
        folder.insert(0, "\\\\?\\");
    return folder;
}

std::string WithTrailingBackslash(std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    return folder;
}

std::string UserSettingsFolder(std::string_view appDataFolder) {
    if (appDataFolder.empty())
        return {};
    return WithTrailingBackslash(std::string(appDataFolder)) + "Vireo\\";
}

std::string ChooseSettingsFolder(const std::string& programFolder,
                                 const std::string& userFolder,
                                 const SettingsFolderProbe& probe) {
    if (userFolder.empty())
        return programFolder;
    if (probe.Holds(userFolder, kOptionsIniName))
        return userFolder;
    if (probe.MayWriteIn(programFolder) || !probe.MakeUserFolder(userFolder, programFolder))
        return programFolder;
    return userFolder;
}

}  // namespace platform
