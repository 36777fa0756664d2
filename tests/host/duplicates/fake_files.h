#pragma once

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "duplicates/search_view.h"
#include "platform/file_reader.h"
#include "support/fake_disk.h"

namespace dupes_test {

// Deterministic bytes that differ from seed to seed.
inline std::string Bytes(size_t count, uint32_t seed) {
    std::string bytes(count, '\0');
    uint32_t state = seed * 2654435761u + 1;
    for (char& c : bytes) {
        state = state * 1664525u + 1013904223u;
        c = static_cast<char>(state >> 24);
    }
    return bytes;
}

// Files with content in memory: a folder tree for the walk and a reader for the comparison. Two paths made
// with Link are one file. Counts what the comparison does to the files.
class FakeFiles : public platform::FileSystem, public platform::FileReader {
  public:
    struct Stored {
        std::string bytes;
        int64_t writeTime = 0;  // as the listing and the open file give it
        platform::FileId id;
        bool locked = false;        // locked against reading by another program
        bool shrinkOnRead = false;  // loses its second half at the first read
    };

    mutable int opens = 0;
    mutable int describes = 0;
    mutable uint64_t bytesRead = 0;
    mutable int openNow = 0;
    mutable int mostOpen = 0;
    bool listingGivesIds = false;

    std::shared_ptr<Stored> Add(const std::string& path, std::string bytes, int64_t writeTime = 0) {
        auto stored = std::make_shared<Stored>();
        stored->bytes = std::move(bytes);
        stored->writeTime = writeTime;
        stored->id = {7, ++nextId_, 0, true};
        tree_.AddFile(path, stored->bytes.size());
        files_[path] = stored;
        return stored;
    }
    void AddFolder(const std::string& path) { tree_.AddFolder(path); }
    // Another path to the same file (a hard link, a second drive letter).
    void Link(const std::string& path, const std::string& existing) {
        files_[path] = files_.at(existing);
        tree_.AddFile(path, files_[path]->bytes.size());
    }
    Stored& At(const std::string& path) { return *files_.at(path); }

    bool ForEachEntry(std::string_view folder,
                      const std::function<void(const platform::DirEntry&)>& fn) const override {
        return tree_.ForEachEntry(folder, [&](const platform::DirEntry& entry) { fn(Described(folder, entry)); });
    }
    std::optional<platform::DirEntry> FindEntry(std::string_view path) const override {
        auto entry = tree_.FindEntry(path);
        if (!entry)
            return entry;
        const std::string p(path);
        return Described(p.substr(0, p.find_last_of('\\') + 1), *entry);
    }
    std::string CurrentDirectory() const override { return tree_.CurrentDirectory(); }

    std::unique_ptr<platform::ReadableFile> Open(std::string_view path) const override;
    std::optional<platform::FileFacts> Describe(std::string_view path) const override {
        ++describes;
        const auto it = files_.find(std::string(path));
        if (it == files_.end())
            return std::nullopt;
        return Facts(*it->second);
    }

  private:
    static platform::FileFacts Facts(const Stored& stored) {
        return {stored.bytes.size(), stored.writeTime, stored.id};
    }
    platform::DirEntry Described(std::string_view folder, const platform::DirEntry& listed) const {
        platform::DirEntry entry = listed;
        std::string path(folder);
        if (path.empty() || path.back() != '\\')
            path += '\\';
        const auto it = files_.find(path + entry.name);
        if (it != files_.end()) {
            entry.writeTime = it->second->writeTime;
            entry.id = listingGivesIds ? it->second->id : platform::FileId{};
        }
        return entry;
    }

    fs_test::FakeTree tree_;
    std::map<std::string, std::shared_ptr<Stored>> files_;
    uint64_t nextId_ = 100;
};

class FakeOpenFile : public platform::ReadableFile {
  public:
    FakeOpenFile(const FakeFiles& owner, std::shared_ptr<FakeFiles::Stored> stored)
        : owner_(owner), stored_(std::move(stored)), facts_{stored_->bytes.size(), stored_->writeTime, stored_->id} {
        owner_.mostOpen = std::max(owner_.mostOpen, ++owner_.openNow);
    }
    ~FakeOpenFile() override { --owner_.openNow; }

    const platform::FileFacts& Facts() const override { return facts_; }
    std::optional<size_t> Read(uint64_t offset, std::span<unsigned char> buffer) override {
        std::string& bytes = stored_->bytes;
        const size_t available = offset < bytes.size() ? bytes.size() - offset : 0;
        const size_t count = std::min(available, buffer.size());
        if (count > 0)
            std::memcpy(buffer.data(), bytes.data() + offset, count);
        owner_.bytesRead += count;
        if (stored_->shrinkOnRead) {
            bytes.resize(bytes.size() / 2);
            stored_->shrinkOnRead = false;
        }
        return count;
    }

  private:
    const FakeFiles& owner_;
    std::shared_ptr<FakeFiles::Stored> stored_;
    platform::FileFacts facts_;
};

inline std::unique_ptr<platform::ReadableFile> FakeFiles::Open(std::string_view path) const {
    const auto it = files_.find(std::string(path));
    if (it == files_.end() || it->second->locked)
        return nullptr;
    ++opens;
    return std::make_unique<FakeOpenFile>(*this, it->second);
}

// Records what a search shows; stops it after a given number of yields.
class RecordingView : public duplicates::SearchView {
  public:
    std::map<int, std::string> panels;
    std::vector<std::string> panel4History;
    std::string listCaption;
    std::vector<std::string> notices;
    int yields = 0;
    int stopAfterYields = -1;
    bool keepGoing = true;
    bool progressShown = false;
    int64_t progressMaximum = 0;

    void SetPanel(int panel, const std::string& text) override {
        panels[panel] = text;
        if (panel == 4)
            panel4History.push_back(text);
    }
    void SetListCaption(const std::string& text) override { listCaption = text; }
    void ShowNotice(const std::string& text) override { notices.push_back(text); }
    void ShowProgress(int64_t maximum) override {
        progressShown = true;
        progressMaximum = maximum;
    }
    void SetProgressMaximum(int64_t maximum) override { progressMaximum = maximum; }
    void SetProgress(int64_t) override {}
    void HideProgress() override { progressShown = false; }
    void ProcessMessages() override {
        if (++yields == stopAfterYields)
            keepGoing = false;
    }
    bool KeepGoing() const override { return keepGoing; }
};

inline const std::string kHeader = "# Duplicate files.....";

// The result list as lines: "" for a blank row, "# caption" for a header, the path for a file.
class RecordedRows : public duplicates::ResultRows {
  public:
    std::vector<std::string> lines;
    size_t pathPrefix = 0;  // characters dropped from the front of each path

    void Clear() override { lines.clear(); }
    bool Empty() const override { return lines.empty(); }
    void AddBlankRow() override { lines.push_back(""); }
    void AddHeaderRow(const std::string& caption) override { lines.push_back("# " + caption); }
    void AddFile(const duplicates::FoundFile& file) override { lines.push_back(file.path.substr(pathPrefix)); }
    void RunCompared(uint64_t) override {}
};

}  // namespace dupes_test
