#include "duplicates/comparison.h"

#include <algorithm>

#include "base/text_case.h"
#include "base/texts.h"
#include "duplicates/checksum.h"

namespace duplicates {
namespace {

// A run's files stay open from their checksum to their comparison; past this many, the rest are closed after
// their checksum and opened again when compared, so a huge run cannot use up the handles.
constexpr size_t kMaxOpenFiles = 256;

class ComparingScope {
  public:
    explicit ComparingScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~ComparingScope() { flag_ = false; }
    ComparingScope(const ComparingScope&) = delete;
    ComparingScope& operator=(const ComparingScope&) = delete;

  private:
    bool& flag_;
};

std::string Number(uint64_t value, const base::FormatSettings& format) {
    return base::FormatWholeNumber(static_cast<int64_t>(value), format);
}

}  // namespace

struct Comparison::Member {
    Candidate candidate;
    std::string path;
    int32_t checksum = 0;
    bool usable = true;
    OpenedFile opened;
    platform::FileId id;
};

std::string HeaderCaption() {
    return base::Tx("Duplicate files.....", "Duplikaatti tiedostot.....");
}

void Comparison::Update_compare_display() {
    context_.view.SetPanel(2, base::Tx("Bytes: ", "Tavuja: ") + Number(counters_.DuplicateBytes, context_.format));
    context_.view.SetPanel(3, base::Tx("Files: ", "Tiedostoja: ") + Number(counters_.DuplicateFiles, context_.format));
}

void Comparison::Compare_files(Collection& collection, const SearchSwitches& switches) {
    ComparingScope comparing(comparing_);
    switches_ = switches;
    counters_ = {};
    SearchView& view = context_.view;
    std::vector<Candidate>& candidates = collection.Candidates;
    view.ShowProgress(candidates.size() > 1 ? static_cast<int64_t>(candidates.size()) - 1 : 1);
    view.SetListCaption(base::Tx("Comparing files...", "Verrataan tiedostoja..."));
    context_.rows.Clear();

    // Taken from the end of the sorted list: sizes come in descending order, names likewise.
    std::vector<Member> run;
    int64_t processed = 0;
    while (!candidates.empty() && view.KeepGoing()) {
        const bool equal =
            !run.empty() && (!switches_.CheckFileSize || candidates.back().key == run.front().candidate.key);
        if (equal && run.size() == 1) {
            view.SetPanel(
                4, switches_.CheckFileSize
                       ? base::Tx("Comparing ", "Verrataan ") + Number(run.front().candidate.size, context_.format) +
                             base::Tx(" byte files...", " tavuisia tiedostoja...")
                       : base::Tx("Comparing files with the same name...", "Verrataan saman nimisiä tiedostoja..."));
        }
        if (!equal) {
            if (run.size() >= 2)
                CompareGroup(run, processed);
            run.clear();
        }
        AddToRun(run, candidates.back(), collection);
        candidates.pop_back();
        ++processed;
        view.ProcessMessages();
    }
    if (run.size() >= 2 && view.KeepGoing())
        CompareGroup(run, processed);
    run.clear();
    ShowEnd(collection.scanStopped);
    view.HideProgress();
    collection.Candidates.clear();
    collection.Folders.clear();
}

void Comparison::AddToRun(std::vector<Member>& run, const Candidate& candidate, const Collection& collection) {
    Member member;
    member.candidate = candidate;
    member.path = collection.PathOf(candidate);
    run.push_back(std::move(member));
    if (run.size() == 1) {
        openFiles_ = 0;
        return;  // a file of a size nobody else has is never opened
    }
    if (!switches_.CheckFileSize)
        return;
    if (run.size() == 2)
        PrepareSizeMember(run.front());
    PrepareSizeMember(run.back());
}

// The member's checksum: its DOS time stamp with the time-stamp switch, else the sum of its first bytes,
// which are kept for the comparison.
void Comparison::PrepareSizeMember(Member& member) {
    const Candidate& candidate = member.candidate;
    if (candidate.size == 0)
        return;
    if (switches_.CheckFileStamp) {
        const auto local = context_.localTime ? context_.localTime(candidate.writeTime) : std::nullopt;
        member.checksum = local ? DosStamp(*local) : 0;
        return;
    }
    member.opened.file = context_.reader.OpenListed(member.path, member.candidate.id);
    const auto& file = member.opened.file;
    if (!file || file->Facts().size != candidate.size || file->Facts().writeTime != candidate.writeTime) {
        member.usable = false;
        member.opened.file.reset();
        return;
    }
    member.opened.head.resize(static_cast<size_t>(std::min<uint64_t>(candidate.size, kChecksumWindow)));
    const auto got = member.opened.file->Read(0, member.opened.head);
    if (!got || *got != member.opened.head.size()) {
        member.usable = false;
        member.opened.file.reset();
        return;
    }
    member.checksum = WordSum(member.opened.head, candidate.size);
    if (openFiles_ >= kMaxOpenFiles)
        member.opened.file.reset();
    else
        ++openFiles_;
}

void Comparison::CompareGroup(std::vector<Member>& run, int64_t processed) {
    if (switches_.CheckFileSize)
        CompareSizeRun(run);
    else
        CompareNameRun(run);
    Update_compare_display();
    context_.view.SetProgress(processed);
    context_.rows.RunCompared(counters_.DuplicateFiles);
}

void Comparison::CompareSizeRun(std::vector<Member>& run) {
    std::stable_sort(run.begin(), run.end(), [this](const Member& a, const Member& b) {
        if (a.checksum != b.checksum)
            return a.checksum < b.checksum;
        return context_.order(a.path, b.path) < 0;
    });
    for (size_t first = 0; first < run.size();) {
        size_t end = first + 1;
        while (end < run.size() && run[end].checksum == run[first].checksum)
            ++end;
        std::vector<Member> same(std::make_move_iterator(run.begin() + first),
                                 std::make_move_iterator(run.begin() + end));
        CompareSameChecksum(same);
        for (size_t line = first; line < end; ++line) {
            context_.view.ProcessMessages();
            if (!context_.view.KeepGoing())
                return;
        }
        first = end;
    }
}

void Comparison::CompareSameChecksum(std::vector<Member>& members) {
    std::vector<std::vector<size_t>> parts;
    for (size_t i = 0; i < members.size(); ++i) {
        if (!members[i].usable)
            continue;
        // With "Same name", files of different names never match, so they are never read against each other.
        const auto samePart = std::find_if(parts.begin(), parts.end(), [&](const std::vector<size_t>& part) {
            return !switches_.CheckFileName ||
                   base::LowerCase(members[part.front()].candidate.name) == base::LowerCase(members[i].candidate.name);
        });
        if (samePart == parts.end())
            parts.push_back({i});
        else
            samePart->push_back(i);
    }
    std::vector<std::vector<size_t>> groups;
    for (const std::vector<size_t>& part : parts) {
        if (part.size() < 2)
            continue;
        for (auto& group : DistinctFiles(members, part))
            groups.push_back(std::move(group));
    }
    std::sort(groups.begin(), groups.end());
    for (const auto& group : groups)
        ListGroup(members, group);
}

// The files of a part that are still as listed, one path per file (two paths to one file count once), split
// into classes of identical content; indexes into members.
std::vector<std::vector<size_t>> Comparison::DistinctFiles(std::vector<Member>& members,
                                                           const std::vector<size_t>& indexes) {
    std::vector<size_t> distinct;
    for (const size_t i : indexes) {
        Member& member = members[i];
        if (!member.opened.file) {
            member.opened.file = context_.reader.OpenListed(member.path, member.candidate.id);
            const auto& file = member.opened.file;
            if (!file || file->Facts().size != member.candidate.size ||
                file->Facts().writeTime != member.candidate.writeTime) {
                member.opened.file.reset();
                continue;
            }
        }
        const platform::FileId& opened = member.opened.file->Facts().id;
        member.id = opened.known ? opened : member.candidate.id;
        const bool repeat =
            std::any_of(distinct.begin(), distinct.end(), [&](size_t d) { return members[d].id == member.id; });
        if (repeat)
            member.opened.file.reset();
        else
            distinct.push_back(i);
    }
    const uint64_t size = members[indexes.front()].candidate.size;
    if (size == 0) {
        for (const size_t i : distinct)
            members[i].opened.file.reset();
        if (distinct.size() < 2)
            return {};
        return {distinct};
    }
    std::vector<OpenedFile> files;
    for (const size_t i : distinct)
        files.push_back(std::move(members[i].opened));
    std::vector<std::vector<size_t>> classes = IdenticalClasses(files, size);
    for (auto& group : classes) {
        for (size_t& index : group)
            index = distinct[index];
    }
    return classes;
}

void Comparison::CompareNameRun(std::vector<Member>& run) {
    SearchView& view = context_.view;
    view.SetProgressMaximum(static_cast<int64_t>(run.size()) - 1);
    for (size_t first = 0; first < run.size();) {
        size_t end = first + 1;
        while (end < run.size() && context_.order(run[end].candidate.name, run[first].candidate.name) == 0)
            ++end;
        std::vector<size_t> group;
        for (size_t i = first; i < end && end - first >= 2; ++i) {
            Member& member = run[i];
            if (member.candidate.id.known) {
                member.id = member.candidate.id;
            } else if (const auto facts = context_.reader.Describe(member.path)) {
                member.id = facts->id;
            } else {
                continue;  // gone since it was listed
            }
            if (std::none_of(group.begin(), group.end(), [&](size_t g) { return run[g].id == member.id; }))
                group.push_back(i);
        }
        if (group.size() >= 2) {
            view.SetProgress(static_cast<int64_t>(first));
            ListGroup(run, group);
            Update_compare_display();
            view.SetPanel(4, base::Tx("Comparing files named: ", "Verrataan tiedostoja nimeltä: ") +
                                 base::UpperCase(run[first].candidate.name));
        }
        for (size_t line = first; line < end; ++line) {
            view.ProcessMessages();
            if (!view.KeepGoing())
                return;
        }
        first = end;
    }
}

void Comparison::ListGroup(const std::vector<Member>& members, const std::vector<size_t>& group) {
    ResultRows& rows = context_.rows;
    if (!rows.Empty())
        rows.AddBlankRow();
    rows.AddHeaderRow(HeaderCaption());
    for (const size_t i : group) {
        const Candidate& candidate = members[i].candidate;
        rows.AddFile({members[i].path, candidate.size, candidate.writeTime, candidate.attributes});
    }
    const uint64_t extra = group.size() - 1;
    counters_.DuplicateFiles += extra;
    if (switches_.CheckFileSize)
        counters_.DuplicateBytes += extra * members[group.front()].candidate.size;
}

void Comparison::ShowEnd(bool scanStopped) {
    SearchView& view = context_.view;
    view.SetListCaption(base::Tx("Duplicates were found...", "Duplikaatteja löytyi..."));
    std::string end = scanStopped ? "Scan interrupted" : base::Tx("Scan complete", "Tutkiminen suoritettu");
    if (!view.KeepGoing())
        end = base::Tx("Comparison interrupted", "Vertailu keskeytetty");
    view.SetPanel(4, end);
    if (counters_.DuplicateFiles > 0)
        view.SetPanel(1, base::Tx("Duplicates found...", "Duplikaatteja löytyi..."));
}

}  // namespace duplicates
