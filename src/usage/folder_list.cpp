#include "usage/folder_list.h"

#include <utility>

#include "base/text_case.h"

namespace usage {

using Entries = std::vector<std::unique_ptr<FolderEntry>>;

namespace {

// Moves every sub-list out of the entries, so lists can be destroyed one at a time: a deep tree
// destroyed recursively would run out of stack.
void TakeSubLists(Entries& entries, std::vector<std::unique_ptr<TFolderList>>& into) {
    for (auto& entry : entries) {
        if (entry->Data.SubList)
            into.push_back(std::move(entry->Data.SubList));
    }
}

void DestroyFlat(std::vector<std::unique_ptr<TFolderList>> pending) {
    while (!pending.empty()) {
        std::unique_ptr<TFolderList> list = std::move(pending.back());
        pending.pop_back();
        list->ReleasePreviousTree();
        for (size_t i = 0; i < list->Count(); ++i) {
            if (list->Data(i).SubList)
                pending.push_back(std::move(list->Data(i).SubList));
        }
    }
}

}  // namespace

TFolderData::TFolderData(int64_t fileCount,
                         uint64_t actual,
                         uint64_t allocated,
                         TFolderList* owner,
                         std::unique_ptr<TFolderList> subList)
    : ActualSize(actual),
      AllocatedSize(allocated),
      SlackSize(allocated > actual ? allocated - actual : 0),
      FileCount(fileCount),
      Owner(owner),
      SubList(std::move(subList)) {}

TFolderList* TFolderData::ParentList() const {
    return Owner ? Owner->Parent : nullptr;
}

TFolderList::TFolderList(TFolderList* parent, std::string path) : Path(std::move(path)), Parent(parent) {}

TFolderList::~TFolderList() {
    std::vector<std::unique_ptr<TFolderList>> pending;
    TakeSubLists(entries_, pending);
    for (auto& tree : previousTrees_)
        TakeSubLists(tree, pending);
    DestroyFlat(std::move(pending));
}

void TFolderList::Reset(std::string path) {
    if (!entries_.empty())
        previousTrees_.push_back(std::move(entries_));
    entries_.clear();
    Path = std::move(path);
}

void TFolderList::ReleasePreviousTree() {
    std::vector<std::unique_ptr<TFolderList>> pending;
    for (auto& tree : previousTrees_)
        TakeSubLists(tree, pending);
    previousTrees_.clear();
    DestroyFlat(std::move(pending));
}

TFolderData& TFolderList::Append(std::string name, TFolderData data) {
    entries_.push_back(std::make_unique<FolderEntry>(FolderEntry{std::move(name), std::move(data)}));
    return entries_.back()->Data;
}

TFolderData& TFolderList::AddEntry(std::string name, uint64_t actual, uint64_t allocated) {
    TFolderData& record = Append(std::move(name), TFolderData(1, actual, allocated, this, nullptr));
    ActualSize += actual;
    AllocatedSize += allocated;
    SlackSize += record.SlackSize;
    FileCount += 1;
    return record;
}

uint64_t RoundUpToCluster(uint64_t clusterSize, uint64_t size) {
    if (clusterSize <= 1 || size % clusterSize == 0)
        return size;
    return size - size % clusterSize + clusterSize;
}

// The walk, depth first in listing order, with its own stack of folders rather than the machine's, so
// a tree as deep as the longest path allows cannot overflow it.
class FolderWalk {
  public:
    explicit FolderWalk(const ScanContext& context) : context_(context) {}

    void Run(TFolderList& top) {
        Enter(top, nullptr);
        while (!frames_.empty())
            Step();
    }

  private:
    struct Frame {
        TFolderList* list;
        size_t pathLength;
        std::vector<platform::DirEntry> entries;
        size_t next = 0;
        std::unique_ptr<TFolderList> child;  // the subfolder being walked
        std::string childName;
    };

    // self: the folder's entry in its parent's listing, none for the top folder.
    void Enter(TFolderList& list, const platform::DirEntry* self) {
        list.ActualSize = list.AllocatedSize = list.SlackSize = 0;
        list.FileCount = list.FolderCount = 0;
        list.LongestPath.clear();
        list.LongestPathLength = 0;
        if (context_.progress)
            context_.progress("Scanning " + list.Path + "...");
        if (context_.yield)
            context_.yield();
        Frame frame{&list, base::SystemCharacterCount(list.Path), {}};
        // The yield is where Stop can be pressed; a folder reached after it is not listed.
        if (!context_.stop) {
            const auto keep = [&frame](const platform::DirEntry& entry) { frame.entries.push_back(entry); };
            if (self)
                context_.files.ForEachEntryOfListedFolder(list.Path, *self, keep);
            else
                context_.files.ForEachEntry(list.Path, keep);
        }
        frames_.push_back(std::move(frame));
    }

    void Step() {
        const size_t index = frames_.size() - 1;
        if (frames_[index].child) {
            AppendFolder(frames_[index]);
            StopIfAsked(frames_[index]);
        }
        Frame& frame = frames_[index];
        if (frame.next >= frame.entries.size()) {
            frames_.pop_back();
            return;
        }
        platform::DirEntry& entry = frame.entries[frame.next++];
        if ((entry.attributes & platform::attr::kDirectory) == 0) {
            AddFile(frame, entry);
            StopIfAsked(frame);
            return;
        }
        TFolderList& list = *frame.list;
        list.FolderCount += 1;
        frame.child = std::make_unique<TFolderList>(&list, list.Path + entry.name + "\\");
        frame.child->Append(std::string(kParentEntryName), TFolderData(0, 0, 0, frame.child.get(), nullptr));
        frame.childName = "\\" + entry.name;
        // Links (junctions, symbolic links, mount points) name folders counted elsewhere or above: counted as
        // folders but not entered, so nothing is counted twice and a loop cannot make the walk endless.
        if (!platform::IsNameSurrogate(entry)) {
            Enter(*frame.child, &entry);  // its record is appended when its walk has ended
        } else {
            AppendFolder(frame);
            StopIfAsked(frame);
        }
    }

    void StopIfAsked(Frame& frame) const {
        if (context_.stop)
            frame.next = frame.entries.size();
    }

    void AddFile(Frame& frame, platform::DirEntry& entry) const {
        TFolderList& list = *frame.list;
        uint64_t actual = entry.size;
        if (context_.useCompressed && (entry.attributes & kCompressedAttribute) != 0) {
            if (auto compressed = context_.volumes.CompressedSize(list.Path + entry.name))
                actual = *compressed;
        }
        const auto length = static_cast<int64_t>(frame.pathLength + base::SystemCharacterCount(entry.name));
        if (length > list.LongestPathLength) {
            list.LongestPath = list.Path + entry.name;
            list.LongestPathLength = length;
        }
        list.AddEntry(std::move(entry.name), actual, RoundUpToCluster(context_.clusterSize, actual));
    }

    static void AppendFolder(Frame& frame) {
        TFolderList& list = *frame.list;
        const TFolderList& child = *frame.child;
        TFolderData record(child.FileCount, child.ActualSize, child.AllocatedSize, &list, std::move(frame.child));
        record.SlackSize = child.SlackSize;
        list.Append(std::move(frame.childName), std::move(record));
        list.ActualSize += child.ActualSize;
        list.AllocatedSize += child.AllocatedSize;
        list.SlackSize += child.SlackSize;
        list.FolderCount += child.FolderCount;
        list.FileCount += child.FileCount;
        if (child.LongestPathLength > list.LongestPathLength) {
            list.LongestPathLength = child.LongestPathLength;
            list.LongestPath = child.LongestPath;
        }
    }

    const ScanContext& context_;
    std::vector<Frame> frames_;
};

void TFolderList::Scan(const ScanContext& context) {
    FolderWalk(context).Run(*this);
}

}  // namespace usage
