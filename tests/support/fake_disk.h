#pragma once

#include <map>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace fs_test {

// A folder tree in memory, the one fake disk of the logic tests. Folders are keyed by their path with a trailing backslash; entries are listed
// in the order they were added, as a real listing need not be sorted.
class FakeTree : public platform::FileSystem {
  public:
    std::string current = "C:\\work\\";
    mutable int listings = 0;

    void AddFolder(const std::string& path, uint32_t attributes = platform::attr::kDirectory) {
        Add(path, attributes | platform::attr::kDirectory, 0);
        folders_[path + "\\"];
    }
    void AddFile(const std::string& path, uint64_t size = 1, uint32_t attributes = platform::attr::kArchive) {
        Add(path, attributes, size);
    }

    bool ForEachEntry(std::string_view folder,
                      const std::function<void(const platform::DirEntry&)>& fn) const override {
        ++listings;
        const auto it = folders_.find(std::string(folder));
        if (it == folders_.end())
            return false;
        for (const auto& entry : it->second)
            fn(entry);
        return true;
    }
    std::optional<platform::DirEntry> FindEntry(std::string_view path) const override {
        const std::string p(path);
        const size_t slash = p.find_last_of('\\');
        const auto it = folders_.find(p.substr(0, slash + 1));
        if (it == folders_.end())
            return std::nullopt;
        for (const auto& entry : it->second) {
            if (entry.name == p.substr(slash + 1))
                return entry;
        }
        return std::nullopt;
    }
    std::string CurrentDirectory() const override { return current; }

  private:
    void Add(const std::string& path, uint32_t attributes, uint64_t size) {
        const size_t slash = path.find_last_of('\\');
        platform::DirEntry entry;
        entry.name = path.substr(slash + 1);
        entry.attributes = attributes;
        entry.size = size;
        folders_[path.substr(0, slash + 1)].push_back(entry);
    }

    std::map<std::string, std::vector<platform::DirEntry>> folders_;
};

}  // namespace fs_test
