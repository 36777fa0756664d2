#pragma once

#include <map>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace fs_test {

// A folder tree in memory, the one fake disk of the logic tests. Folders are keyed by their path with a
// trailing backslash; entries are listed in the order they were added, as a real listing need not be sorted.
// Every entry gets a file identity of its own (the volume serial follows the drive letter) and an allocated
// size of whole 4 KB clusters; Entry() changes any fact of an entry afterwards.
class FakeTree : public platform::FileSystem {
  public:
    std::string current = "C:\\work\\";
    base::TextOrder order = base::CompareIgnoringAsciiCase;
    mutable int listings = 0;
    mutable int lookups = 0;

    void AddFolder(const std::string& path, uint32_t attributes = platform::attr::kDirectory) {
        Add(path, attributes | platform::attr::kDirectory, 0);
        folders_[path + "\\"];
    }
    void AddFile(const std::string& path, uint64_t size = 1, uint32_t attributes = platform::attr::kArchive) {
        Add(path, attributes, size);
    }
    // A second name for an existing file: the same identity, size and times.
    void AddHardLink(const std::string& existing, const std::string& path) {
        platform::DirEntry entry = Entry(existing);
        entry.name = NameOf(path);
        folders_[FolderOf(path)].push_back(entry);
    }
    // A folder that is a reparse point with the given tag (0: a tag the system does not give).
    void AddReparseFolder(const std::string& path, uint32_t tag) {
        AddFolder(path, platform::attr::kDirectory | platform::attr::kReparsePoint);
        Entry(path).reparseTag = tag;
    }
    // A folder whose listing fails (no access), though its parent lists it.
    void MakeUnlistable(const std::string& folder) { unlistable_.insert(WithSeparator(folder)); }

    // The stored entry of path, to change its facts.
    platform::DirEntry& Entry(const std::string& path) {
        for (auto& entry : folders_[FolderOf(path)]) {
            if (entry.name == NameOf(path))
                return entry;
        }
        throw std::logic_error("no entry " + path);
    }

    bool ForEachEntry(std::string_view folder,
                      const std::function<void(const platform::DirEntry&)>& fn) const override {
        ++listings;
        const std::string key = WithSeparator(std::string(folder));
        const auto it = folders_.find(key);
        if (it == folders_.end() || unlistable_.count(key))
            return false;
        for (const auto& entry : it->second)
            fn(entry);
        return true;
    }
    std::optional<platform::DirEntry> FindEntry(std::string_view path) const override {
        ++lookups;
        std::string p(path);
        while (p.size() > 3 && p.back() == '\\')
            p.pop_back();
        const auto it = folders_.find(FolderOf(p));
        if (it == folders_.end())
            return std::nullopt;
        for (const auto& entry : it->second) {
            if (entry.name == NameOf(p))
                return entry;
        }
        return std::nullopt;
    }
    std::string CurrentDirectory() const override { return current; }
    base::TextOrder NameOrder() const override { return order; }

  private:
    static std::string FolderOf(const std::string& path) { return path.substr(0, path.find_last_of('\\') + 1); }
    static std::string NameOf(const std::string& path) { return path.substr(path.find_last_of('\\') + 1); }
    static std::string WithSeparator(std::string folder) {
        if (folder.empty() || folder.back() != '\\')
            folder += '\\';
        return folder;
    }

    void Add(const std::string& path, uint32_t attributes, uint64_t size) {
        platform::DirEntry entry;
        entry.name = NameOf(path);
        entry.attributes = attributes;
        entry.size = size;
        entry.allocatedSize = (size + 4095) / 4096 * 4096;
        entry.id.volumeSerial = path.empty() ? 0 : 0x1000u + static_cast<unsigned char>(path[0]);
        entry.id.low = ++lastId_;
        entry.id.known = true;
        folders_[FolderOf(path)].push_back(entry);
    }

    std::map<std::string, std::vector<platform::DirEntry>> folders_;
    std::set<std::string> unlistable_;
    uint64_t lastId_ = 0;
};

// A chain of folders, each holding one file and the next folder, made up as it is listed rather than
// stored, so a tree many thousands of levels deep costs no memory: root\d\d\...\d\, depth levels below root.
class FolderChain : public platform::FileSystem {
  public:
    FolderChain(std::string root, size_t depth) : root_(std::move(root)), depth_(depth) {}

    bool ForEachEntry(std::string_view folder,
                      const std::function<void(const platform::DirEntry&)>& fn) const override {
        if (folder.substr(0, root_.size()) != root_ || (folder.size() - root_.size()) % 2 != 0)
            return false;
        const size_t level = (folder.size() - root_.size()) / 2;
        platform::DirEntry file;
        file.name = "f.txt";
        file.size = level;
        file.attributes = platform::attr::kArchive;
        fn(file);
        if (level < depth_) {
            platform::DirEntry next;
            next.name = "d";
            next.attributes = platform::attr::kDirectory;
            fn(next);
        }
        return true;
    }
    std::optional<platform::DirEntry> FindEntry(std::string_view) const override { return std::nullopt; }
    std::string CurrentDirectory() const override { return root_; }

  private:
    std::string root_;
    size_t depth_;
};

}  // namespace fs_test
