#include "fs/delete_selected.h"

#include <set>

#include "base/texts.h"

namespace fs {
namespace {

using platform::PathKind;
using platform::SystemReason;

SystemReason OurReason(std::string_view english, std::string_view finnish) {
    return {0, base::Tx(english, finnish)};
}

DeleteOutcome Outcome(const std::string& path, DeleteResult result, SystemReason reason = {}) {
    return {path, result, std::move(reason)};
}

// The file is gone once no file is there; a folder now at the path is not the file, and is left alone.
bool NoFileAt(const platform::PathState& state) {
    return state.kind == PathKind::Missing || state.kind == PathKind::Folder;
}

// After an operation that reported no failure: gone only when the check finds no file.
DeleteOutcome Checked(const platform::FileOps& ops, const std::string& path, const SystemReason& ifStillThere) {
    const platform::PathState after = ops.StateOf(path);
    if (NoFileAt(after))
        return Outcome(path, DeleteResult::Gone);
    if (after.kind == PathKind::Unknown)
        return Outcome(path, DeleteResult::StillThere, after.reason);
    return Outcome(path, DeleteResult::StillThere, ifStillThere);
}

DeleteOutcome DeleteOne(const platform::FileOps& ops, const std::string& path) {
    const platform::PathState before = ops.StateOf(path);
    if (NoFileAt(before))
        return Outcome(path, DeleteResult::Gone);
    // An unknown state is tried too: the plain delete never removes a folder.
    const SystemReason refused = ops.DeleteForGood(path);
    if (refused.code != 0 || !refused.text.empty()) {
        if (NoFileAt(ops.StateOf(path)))
            return Outcome(path, DeleteResult::Gone);  // removed meanwhile by someone else
        return Outcome(path, DeleteResult::Failed, refused);
    }
    return Checked(ops, path,
                   OurReason("The file is marked for deletion and goes when the last program using it closes it.",
                             "Tiedosto poistuu, kun viimeinen sitä käyttävä ohjelma sulkee sen."));
}

std::vector<DeleteOutcome> DeletePermanently(const platform::FileOps& ops,
                                             const std::vector<std::string>& paths,
                                             const std::function<void(const DeleteOutcome&)>& onEach) {
    std::vector<DeleteOutcome> outcomes;
    for (const std::string& path : paths) {
        outcomes.push_back(DeleteOne(ops, path));
        if (onEach)
            onEach(outcomes.back());
    }
    return outcomes;
}

SystemReason ReasonAfterRecycle(const platform::RecycleReport& report) {
    if (report.result != 0)
        return {report.result, report.resultText};
    if (report.aborted)
        return OurReason("The move to the recycle bin was cancelled.", "Siirto roskakoriin peruttiin.");
    return OurReason("The recycle bin did not take the file.", "Roskakori ei ottanut tiedostoa vastaan.");
}

SystemReason NoBinReason(platform::RecycleBinAnswer answer) {
    switch (answer) {
        case platform::RecycleBinAnswer::TooLarge:
            return OurReason(
                "The file is larger than the recycle bin of its drive holds; it can be deleted "
                "permanently.",
                "Tiedosto on suurempi kuin sen aseman roskakoriin mahtuu; sen voi poistaa pysyvästi.");
        case platform::RecycleBinAnswer::TurnedOff:
            return OurReason(
                "The recycle bin of this drive is set to delete files at once; the file can be "
                "deleted permanently.",
                "Tämän aseman roskakori on asetettu poistamaan tiedostot heti; tiedoston voi poistaa "
                "pysyvästi.");
        default:
            return OurReason(
                "This drive has no recycle bin (a network, removable or similar drive); the file can "
                "be deleted permanently.",
                "Tällä asemalla ei ole roskakoria (verkko-, siirrettävä tai vastaava asema); tiedoston "
                "voi poistaa pysyvästi.");
    }
}

std::vector<DeleteOutcome> Recycle(const platform::FileOps& ops,
                                   const std::vector<std::string>& paths,
                                   const std::function<void(const DeleteOutcome&)>& onEach) {
    // First what each path holds: only files the shell can name exactly are handed over, each once.
    std::vector<DeleteOutcome> outcomes(paths.size());
    std::vector<bool> handedOver(paths.size(), false);
    std::vector<std::string> toShell;
    std::set<std::string> seen;
    const size_t maxLength = ops.MaxRecyclePath();
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string& path = paths[i];
        const platform::PathState state = ops.StateOf(path);
        if (NoFileAt(state)) {
            outcomes[i] = Outcome(path, DeleteResult::Gone);
        } else if (state.kind == PathKind::Unknown) {
            outcomes[i] = Outcome(path, DeleteResult::Failed, state.reason);
        } else if (!ShellCanNameExactly(path, maxLength)) {
            outcomes[i] = Outcome(
                path, DeleteResult::Failed,
                OurReason("The recycle bin cannot take this path (too long, or a name ending in a dot or a blank); "
                          "it can be deleted permanently.",
                          "Roskakori ei voi ottaa tätä polkua (liian pitkä, tai nimi päättyy pisteeseen tai "
                          "välilyöntiin); sen voi poistaa pysyvästi."));
        } else if (const auto bin = ops.RecycleBinFor(path); bin != platform::RecycleBinAnswer::Takes) {
            // The shell would delete it for good without a word: the user chooses that, not this method.
            outcomes[i] = Outcome(path, DeleteResult::Failed, NoBinReason(bin));
        } else {
            handedOver[i] = true;
            if (seen.insert(path).second)
                toShell.push_back(path);
        }
    }
    const platform::RecycleReport report = toShell.empty() ? platform::RecycleReport{} : ops.Recycle(toShell);
    const SystemReason stillThere = ReasonAfterRecycle(report);
    for (size_t i = 0; i < paths.size(); ++i) {
        if (handedOver[i])
            outcomes[i] = Checked(ops, paths[i], stillThere);
        if (onEach)
            onEach(outcomes[i]);
    }
    return outcomes;
}

bool IsPlainName(std::string_view name) {
    if (name.empty() || name == "." || name == "..")
        return false;
    if (name.back() == '.' || name.back() == ' ')
        return false;
    return name.find_first_of("*?\"<>|") == std::string_view::npos;
}

}  // namespace

size_t Utf16Length(std::string_view utf8) {
    size_t length = 0;
    for (unsigned char c : utf8) {
        if ((c & 0xC0) != 0x80)
            ++length;  // each lead byte starts one character
        if (c >= 0xF0)
            ++length;  // beyond the basic plane: a surrogate pair
    }
    return length;
}

bool ShellCanNameExactly(std::string_view path, size_t maxLength) {
    if (Utf16Length(path) > maxLength || path.find('/') != std::string_view::npos)
        return false;
    std::string_view rest;
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        const char drive = path[0];
        if (!((drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z')))
            return false;
        rest = path.substr(3);
    } else if (path.rfind("\\\\", 0) == 0 && path.rfind("\\\\?\\", 0) != 0 && path.rfind("\\\\.\\", 0) != 0) {
        rest = path.substr(2);  // \\server\share\...
    } else {
        return false;
    }
    if (rest.find(':') != std::string_view::npos)
        return false;  // a stream name
    for (size_t start = 0;;) {
        const size_t end = rest.find('\\', start);
        if (!IsPlainName(rest.substr(start, end - start)))
            return false;
        if (end == std::string_view::npos)
            return true;
        start = end + 1;
    }
}

std::vector<DeleteOutcome> DeleteSelected(const platform::FileOps& ops,
                                          const std::vector<std::string>& paths,
                                          DeleteMethod method,
                                          const std::function<void(const DeleteOutcome&)>& onEach) {
    if (method == DeleteMethod::Permanent)
        return DeletePermanently(ops, paths, onEach);
    return Recycle(ops, paths, onEach);
}

std::string LeftInPlaceText(const std::vector<fs::DeleteOutcome>& outcomes) {
    std::string text = base::Tx("These files could not be moved to the recycle bin and are still listed:\n",
                                "Näitä tiedostoja ei voitu siirtää roskakoriin, ja ne ovat yhä listassa:\n");
    for (const auto& outcome : outcomes) {
        text += "\n" + outcome.path;
        if (!outcome.reason.text.empty())
            text += " - " + outcome.reason.text;
    }
    return text;
}

}  // namespace fs
