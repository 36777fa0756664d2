#include "registry/registry_removal.h"

#include <algorithm>

#include "base/error.h"
#include "base/texts.h"
#include "registry/reg_file.h"
#include "registry/utf16.h"

namespace registry {

using platform::RegistryDeletion;
using platform::RegistryRoot;

std::optional<KeyCell> SplitKeyCell(std::string_view cell) {
    const size_t colon = cell.find(':');
    if (colon == std::string_view::npos)
        return std::nullopt;
    KeyCell key;
    key.rootName = std::string(cell.substr(0, colon));
    if (key.rootName == "HKEY_CURRENT_USER")
        key.root = RegistryRoot::CurrentUser;
    else if (key.rootName == "HKEY_USERS")
        key.root = RegistryRoot::Users;
    else if (key.rootName == "HKEY_LOCAL_MACHINE")
        key.root = RegistryRoot::LocalMachine;
    else
        return std::nullopt;
    const size_t start = colon + 2;
    key.path = AddLeadingBackslash(start < cell.size() ? cell.substr(start) : std::string_view());
    return key;
}

std::string CountText(size_t count) {
    const std::string number = std::to_string(count);
    return base::Tx("Number of invalid references: " + number, "Virheellisiä viittauksia: " + number + "kpl");
}

namespace {

struct Pending {
    size_t row;
    KeyCell key;
    std::string name;
};

[[noreturn]] void CannotOpen(const std::string& path) {
    throw base::Error(base::Tx("Error opening registry key " + path, "Virhe avattaessa rekisterin avainta " + path));
}

void OpenRowKey(Reg& reg, const KeyCell& key) {
    reg.SetRootKey(key.root);
    if (!reg.OpenKey(key.path))
        CannotOpen(key.path);
}

std::string BackupPath(const BackupTarget& target) {
    std::string folder = target.programFolder;
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/')
        folder += '\\';
    const std::string name = BackupFileName(target.now);
    std::string path = folder + name;
    // Two removals within one second get names of their own.
    const auto exists = [&](const std::string& candidate) {
        return target.exists ? target.exists(candidate) : PathExists(candidate);
    };
    for (int n = 2; exists(path) && n < 1000; ++n)
        path = folder + name.substr(0, name.size() - 4) + " (" + std::to_string(n) + ").reg";
    return path;
}

std::string BackupWarning(const std::string& path) {
    return base::Tx(
        "Nothing was removed from the Registry: the backup copy of the selected entries could not be "
        "written to " +
            path +
            ".\n\nMake sure that the program's folder can be written to and that the disk has free space, "
            "then try again.",
        "Rekisteristä ei poistettu mitään: valittujen tietueiden varmuuskopiota ei voitu kirjoittaa "
        "tiedostoon " +
            path +
            ".\n\nVarmista, että ohjelman hakemistoon voi kirjoittaa ja että levyllä on tilaa, ja yritä "
            "uudelleen.");
}

}  // namespace

BackupTarget PlatformBackupTarget(std::string programFolder,
                                  const base::DateTime& now,
                                  platform::FileStore& store,
                                  const platform::FileSystem& files) {
    BackupTarget target{std::move(programFolder), now, {}, {}};
    target.write = [&store](const std::string& path, const std::string& bytes) {
        return store.ReplaceAll(path, bytes);
    };
    target.exists = [&files](const std::string& path) { return files.FindEntry(path).has_value(); };
    return target;
}

RemovalResult RemoveRows(Reg& reg, const std::vector<ResultRow>& rows, const BackupTarget& target) {
    RemovalResult result;
    std::vector<Pending> pending;
    std::vector<BackupValue> backup;
    for (size_t i = 0; i < rows.size(); ++i) {
        const auto key = SplitKeyCell(rows[i].key);
        if (!key)
            CannotOpen(rows[i].key);
        if (!CanBeReopened(key->path) || !CanBeReopened(rows[i].valueName)) {
            // Not to be mistaken for the value whose name it starts with; no backup line could hold it either.
            result.keptRows.push_back(i);
            ++result.keptUnsavable;
            continue;
        }
        OpenRowKey(reg, *key);
        const auto data = reg.ReadData(rows[i].valueName);
        if (!data) {
            result.removedRows.push_back(i);  // already gone, e.g. through the same key under another root
            continue;
        }
        // A value that no longer holds the text the user saw is not what was chosen; a name with a line break
        // could not be written to the backup.
        const bool changed = !IsTextType(data->type) || RegistryText(data->bytes) != rows[i].text;
        const bool unsavable = rows[i].valueName.find_first_of("\r\n") != std::string::npos;
        if (changed || unsavable) {
            result.keptRows.push_back(i);
            ++(changed ? result.keptChanged : result.keptUnsavable);
            continue;
        }
        pending.push_back({i, *key, rows[i].valueName});
        backup.push_back({key->rootName, key->path.substr(1), rows[i].valueName, data->type, data->bytes});
    }

    if (!backup.empty()) {
        const std::string path = BackupPath(target);
        const std::string bytes = RegFileBytes(backup);
        const bool written = target.write ? target.write(path, bytes) : WriteFileReplacing(path, bytes);
        if (!written) {
            RemovalResult failed;
            failed.backupFailed = true;
            failed.warning = BackupWarning(path);
            return failed;
        }
        result.backupPath = path;
    }

    for (const auto& item : pending) {
        OpenRowKey(reg, item.key);
        const RegistryDeletion deletion = reg.DeleteValue(item.name);
        if (deletion == RegistryDeletion::Failed) {
            result.keptRows.push_back(item.row);
            ++result.keptFailed;
        } else
            result.removedRows.push_back(item.row);
    }
    std::sort(result.removedRows.begin(), result.removedRows.end());
    std::sort(result.keptRows.begin(), result.keptRows.end());
    return result;
}

std::string KeptRowsText(const RemovalResult& result) {
    if (result.keptRows.empty())
        return {};
    const auto count = [](size_t n) { return std::to_string(n); };
    const bool one = result.keptRows.size() == 1;
    std::string english =
        count(result.keptRows.size()) + (one ? " selected entry was not removed and stays in the list:"
                                             : " selected entries were not removed and stay in the list:");
    std::string finnish =
        count(result.keptRows.size()) + (one ? " valittu tietue jäi poistamatta ja on yhä listassa:"
                                             : " valittua tietuetta jäi poistamatta ja ne ovat yhä listassa:");
    if (result.keptChanged > 0) {
        english += "\n- " + count(result.keptChanged) + " changed after the search";
        finnish += "\n- " + count(result.keptChanged) + " muuttui haun jälkeen";
    }
    if (result.keptFailed > 0) {
        english += "\n- " + count(result.keptFailed) + " could not be deleted (no permission or in use)";
        finnish += "\n- " + count(result.keptFailed) + " ei voitu poistaa (ei oikeutta tai käytössä)";
    }
    if (result.keptUnsavable > 0) {
        english += "\n- " + count(result.keptUnsavable) + " have a name that a backup file cannot hold";
        finnish += "\n- " + count(result.keptUnsavable) + " nimeä ei voi tallentaa varmuuskopioon";
    }
    return base::Tx(english, finnish);
}

}  // namespace registry
