#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"
#include "platform/volume_info.h"

namespace usage {

class TFolderList;

// One entry of a folder list: a file, a whole subfolder, the parent entry or the free-space entry.
// A record owns its sub-list.
struct TFolderData {
    TFolderData(int64_t fileCount,
                uint64_t actual,
                uint64_t allocated,
                TFolderList* owner,
                std::unique_ptr<TFolderList> subList);

    // The list above the one holding this record; nothing at the top.
    TFolderList* ParentList() const;

    uint64_t ActualSize = 0;
    uint64_t AllocatedSize = 0;
    uint64_t SlackSize = 0;
    int64_t FileCount = 0;
    TFolderList* Owner = nullptr;
    std::unique_ptr<TFolderList> SubList;
};

struct FolderEntry {
    std::string Name;
    TFolderData Data;
};

// What the walk needs from its caller. stop is read after every entry and after every yield.
struct ScanContext {
    const platform::FileSystem& files;
    const platform::VolumeInfo& volumes;
    const bool& stop;
    uint64_t clusterSize = 1;
    std::function<void(const std::string&)> progress;
    std::function<void()> yield;  // once per folder, before it is listed
    bool useCompressed = false;
};

inline constexpr std::string_view kParentEntryName = "..";
inline constexpr uint32_t kCompressedAttribute = 0x800;

// The entries of one folder, in the order they were added, with the totals of everything below it.
// Records keep their addresses while entries are added, so a shown list stays valid while it fills.
class TFolderList {
  public:
    TFolderList(TFolderList* parent, std::string path);
    TFolderList(const TFolderList&) = delete;
    TFolderList& operator=(const TFolderList&) = delete;
    ~TFolderList();

    // Empties the list and sets its path. The entries taken out (and every list below them) stay alive
    // until ReleasePreviousTree, so a list of the previous run that is still shown stays valid.
    void Reset(std::string path);
    void ReleasePreviousTree();

    // Appends a file entry and adds it to the totals.
    TFolderData& AddEntry(std::string name, uint64_t actual, uint64_t allocated);

    // Measures everything below Path into this list and, recursively, into new lists for the subfolders.
    void Scan(const ScanContext& context);

    size_t Count() const { return entries_.size(); }
    const std::string& Name(size_t index) const { return entries_[index]->Name; }
    TFolderData& Data(size_t index) const { return entries_[index]->Data; }

    uint64_t ActualSize = 0;
    uint64_t AllocatedSize = 0;
    uint64_t SlackSize = 0;
    int64_t FileCount = 0;
    int64_t FolderCount = 0;
    std::string Path;
    TFolderList* Parent = nullptr;
    std::string LongestPath;
    int64_t LongestPathLength = 0;

  private:
    friend class FolderWalk;
    TFolderData& Append(std::string name, TFolderData data);

    std::vector<std::unique_ptr<FolderEntry>> entries_;
    std::vector<std::vector<std::unique_ptr<FolderEntry>>> previousTrees_;
};

// The space a file of the given size takes in clusters of the given size.
uint64_t RoundUpToCluster(uint64_t clusterSize, uint64_t size);

}  // namespace usage
