#include "registry/registry_scan.h"

#include "base/error.h"
#include "base/texts.h"
#include "registry/utf16.h"

namespace registry {

using platform::ProbeOutcome;
using platform::RegistryRoot;

const std::vector<ScanRoot>& ProgramScanRoots() {
    static const std::vector<ScanRoot> roots{
        {RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "\\"},
        {RegistryRoot::Users, "HKEY_USERS", "\\"},
        {RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE", "\\Software"},
    };
    return roots;
}

RegistryScan::RegistryScan(Reg& reg,
                           const platform::PathProbe& probe,
                           const base::FormatSettings& settings,
                           ScanHooks hooks,
                           bool& stopScan)
    : reg_(reg), drives_(probe), settings_(settings), hooks_(std::move(hooks)), StopScan(stopScan) {}

platform::ProbeOutcome RegistryScan::DriveCache::Attributes(std::string_view path) const {
    return probe_.Attributes(path);
}

platform::ProbeOutcome RegistryScan::DriveCache::Find(std::string_view path) const {
    return probe_.Find(path);
}

platform::ProbeDriveType RegistryScan::DriveCache::DriveType(std::string_view root) const {
    const unsigned index = static_cast<unsigned char>(root[0]);
    if (!known_[index]) {
        types_[index] = probe_.DriveType(root);
        known_[index] = true;
    }
    return types_[index];
}

size_t RegistryScan::ScanRegistry(const std::vector<ScanRoot>& roots) {
    StopScan = false;
    FirstHit = true;
    results_ = 0;
    drives_.Forget();
    for (const auto& root : roots) {
        if (StopScan)
            break;
        rootName_ = root.name;
        reg_.SetRootKey(root.root);
        // A start key that cannot be opened leaves no key open, so the walk below finds nothing.
        if (reg_.OpenKey(root.startPath))
            ScanKeys();
    }
    return results_;
}

void RegistryScan::ScanKeys() {
    const std::string parentPath = reg_.CurrentPath();
    const std::vector<std::string> subkeys = reg_.GetKeyNames();
    for (const auto& name : subkeys) {
        if (reg_.OpenKey(name)) {
            ScanValues(name);
            if (StopScan)
                break;
            if (reg_.HasSubKeys())
                ScanKeys();
        }
        if (StopScan)
            break;
        const std::string parent = AddLeadingBackslash(parentPath);
        if (!reg_.OpenKey(parent))
            throw base::Error(base::Tx("Can not open key " + parent, "Avainta " + parent + " ei voitu avata!"));
    }
}

void RegistryScan::ScanValues(const std::string& keyName) {
    const std::string statusText = base::Tx("Analyzing: ", "Analysoidaan: ") + keyName;
    for (const auto& value : reg_.GetValues()) {
        if (!IsTextType(value.type))
            continue;
        if (hooks_.status)
            hooks_.status(statusText);
        if (hooks_.yield)
            hooks_.yield();
        if (StopScan)
            break;
        const std::string text = RegistryText(value.textBytes);
        if (IsLiveReference(value.name, drives_) && IsLiveReference(text, drives_))
            continue;
        AddRow(value.name, text);
    }
}

void RegistryScan::AddRow(const std::string& name, const std::string& text) {
    ResultRow row;
    row.key = rootName_ + ": " + reg_.CurrentPath();
    if (const auto info = reg_.GetKeyInfo())
        row.lastModification = LastModificationText(info->lastWriteTime, settings_);
    row.valueName = name;
    row.text = text;
    const bool first = FirstHit;
    FirstHit = false;
    ++results_;
    if (hooks_.addRow)
        hooks_.addRow(row, first);
}

namespace {

bool HasAny(std::string_view text, char c) {
    return text.find(c) != std::string_view::npos;
}

// A "not there" verdict from the attributes query is checked once more by listing, which reaches entries
// the query refuses: the path is only called missing when both agree.
bool IsMissing(std::string_view path, const platform::PathProbe& probe, bool canList) {
    const ProbeOutcome attributes = probe.Attributes(path);
    if (attributes != ProbeOutcome::Missing)
        return false;
    return !canList || probe.Find(path) == ProbeOutcome::Missing;
}

}  // namespace

bool IsLiveReference(std::string_view text, const platform::PathProbe& probe) {
    if (text.size() < 3)
        return true;
    char drive = text[0];
    if (drive >= 'a' && drive <= 'z')
        drive = static_cast<char>(drive - 'a' + 'A');
    if (drive < 'C' || drive > 'Z')
        return true;
    if (HasAny(text, ';') || HasAny(text, ',') || HasAny(text, ' '))
        return true;
    if (text[1] != ':' || text[2] != '\\')
        return true;
    const std::string root{text[0], ':', '\\'};
    if (probe.DriveType(root) != platform::ProbeDriveType::Fixed)
        return true;

    // A type library is registered as its file followed by "\" and the resource number, e.g.
    // C:\WINDOWS\SYSTEM32\VBSCRIPT.DLL\3; it is the file that must exist, not a folder of that name.
    if (const size_t slash = text.find_last_of('\\'); slash + 1 < text.size() && slash > 2) {
        const std::string_view last = text.substr(slash + 1);
        const std::string_view file = text.substr(0, slash);
        const size_t fileMark = file.find_last_of(".\\:");
        if (last.find_first_not_of("0123456789") == std::string_view::npos && file[fileMark] == '.')
            text = file;
    }

    const size_t mark = text.find_last_of(".\\:");
    const bool hasExtension = text[mark] == '.';
    if (!hasExtension) {
        // A folder. A trailing backslash would make the query fail for a file of that name, which is no
        // dead reference either; a drive root keeps its own.
        std::string_view folder = text;
        while (folder.size() > 3 && folder.back() == '\\')
            folder.remove_suffix(1);
        return !IsMissing(folder, probe, folder.size() > 3);
    }
    const size_t lastSeparator = text.find_last_of("\\:");
    const std::string_view folder = text.substr(0, lastSeparator + 1);
    if (IsMissing(folder, probe, false))
        return false;
    return !IsMissing(text, probe, true);
}

std::string AddLeadingBackslash(std::string_view path) {
    if (path.empty() || path.front() != '\\')
        return std::string("\\").append(path);
    return std::string(path);
}

base::DateTime DateTimeOfFileTime(uint64_t fileTime) {
    const uint64_t totalMs = fileTime / 10000;
    const uint64_t msOfDay = totalMs % 86400000;
    // Days since 1601-01-01, counted from 0000-03-01 for the civil calendar computation.
    const int64_t days = static_cast<int64_t>(totalMs / 86400000) + 584694;
    const int64_t era = days / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthShifted = (5 * dayOfYear + 2) / 153;
    base::DateTime when;
    when.day = static_cast<int>(dayOfYear - (153 * monthShifted + 2) / 5 + 1);
    when.month = static_cast<int>(monthShifted < 10 ? monthShifted + 3 : monthShifted - 9);
    when.year = static_cast<int>(yearOfEra + era * 400 + (when.month <= 2 ? 1 : 0));
    when.hour = static_cast<int>(msOfDay / 3600000);
    when.minute = static_cast<int>(msOfDay / 60000 % 60);
    when.second = static_cast<int>(msOfDay / 1000 % 60);
    when.millisecond = static_cast<int>(msOfDay % 1000);
    return when;
}

std::string LastModificationText(uint64_t fileTime, const base::FormatSettings& settings) {
    return base::FormatDateTime("mm/dd/yyyy hh:mmAM/PM", DateTimeOfFileTime(fileTime), settings);
}

}  // namespace registry
