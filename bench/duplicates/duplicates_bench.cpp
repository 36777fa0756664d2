// Times the duplicate search engine (collection and comparison, no window) on one drive, and the floor of
// the same work under Wine: the bare listings, one open and one 512-byte read of every file that shares
// its size with another, and one read of the rest of every file that has a twin. Prints one line each per
// run and writes the groups found, one per line as tab-separated paths below the root.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "duplicates/collection.h"
#include "duplicates/comparison.h"
#include "platform/file_reader.h"
#include "platform/locale.h"
#include "platform/win32/unicode.h"

namespace {

struct Tally {
    uint64_t opens = 0;
    uint64_t bytes = 0;
};

class CountedFile final : public platform::ReadableFile {
  public:
    CountedFile(std::unique_ptr<platform::ReadableFile> file, Tally& tally) : file_(std::move(file)), tally_(tally) {}
    const platform::FileFacts& Facts() const override { return file_->Facts(); }
    std::optional<size_t> Read(uint64_t offset, std::span<unsigned char> buffer) override {
        const auto got = file_->Read(offset, buffer);
        tally_.bytes += got.value_or(0);
        return got;
    }

  private:
    std::unique_ptr<platform::ReadableFile> file_;
    Tally& tally_;
};

class CountingReader final : public platform::FileReader {
  public:
    explicit CountingReader(Tally& tally) : tally_(tally) {}
    std::unique_ptr<platform::ReadableFile> Open(std::string_view path) const override {
        auto file = platform::SystemFileReader().Open(path);
        if (!file)
            return nullptr;
        ++tally_.opens;
        return std::make_unique<CountedFile>(std::move(file), tally_);
    }
    std::optional<platform::FileFacts> Describe(std::string_view path) const override {
        return platform::SystemFileReader().Describe(path);
    }

  private:
    Tally& tally_;
};

class BenchView final : public duplicates::SearchView {
  public:
    void SetPanel(int, const std::string&) override {}
    void SetListCaption(const std::string&) override {}
    void ShowNotice(const std::string&) override {}
    void ShowProgress(int64_t) override {}
    void SetProgressMaximum(int64_t) override {}
    void SetProgress(int64_t) override {}
    void HideProgress() override {}
    // What the window's yield costs: a look at the message queue.
    void ProcessMessages() override {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
    bool KeepGoing() const override { return true; }
};

class GroupRows final : public duplicates::ResultRows {
  public:
    std::vector<std::vector<std::string>> groups;

    void Clear() override { groups.clear(); }
    bool Empty() const override { return groups.empty(); }
    void AddBlankRow() override {}
    void AddHeaderRow(const std::string&) override { groups.emplace_back(); }
    void AddFile(const duplicates::FoundFile& file) override { groups.back().push_back(file.path); }
    void RunCompared(uint64_t) override {}
};

double Seconds(const LARGE_INTEGER& start) {
    LARGE_INTEGER now;
    LARGE_INTEGER frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

struct Listed {
    std::string path;
    uint64_t size;
};

// The walk's folders as the scanner sees them (no hidden, system or link folders), every file listed.
void ListTree(const std::string& folder, std::vector<Listed>& files) {
    namespace attr = platform::attr;
    platform::SystemFileSystem().ForEachEntry(folder, [&](const platform::DirEntry& entry) {
        if (entry.attributes & attr::kDirectory) {
            if (!(entry.attributes & (attr::kReparsePoint | attr::kHidden | attr::kSystem)))
                ListTree(folder + entry.name + "\\", files);
        } else {
            files.push_back({folder + entry.name, entry.size});
        }
    });
}

// The floor: listings, then an open and a 512-byte read of every file sharing its size, then a read of the
// rest of every file that has a twin.
void MeasureFloor(const std::string& root, const std::vector<std::vector<std::string>>& groups) {
    std::vector<Listed> files;
    LARGE_INTEGER start = Now();
    ListTree(root, files);
    const double listing = Seconds(start);

    std::map<uint64_t, int> bySize;
    for (const Listed& file : files)
        ++bySize[file.size];
    std::vector<std::string> twins;
    for (const auto& group : groups)
        twins.insert(twins.end(), group.begin(), group.end());
    std::sort(twins.begin(), twins.end());
    std::vector<unsigned char> head(512);
    std::vector<unsigned char> rest(1 << 20);
    uint64_t opened = 0;
    uint64_t bytes = 0;
    start = Now();
    for (const Listed& file : files) {
        if (file.size == 0 || bySize[file.size] < 2)
            continue;
        auto open = platform::SystemFileReader().Open(file.path);
        if (!open)
            continue;
        ++opened;
        bytes += open->Read(0, head).value_or(0);
        if (!std::binary_search(twins.begin(), twins.end(), file.path))
            continue;
        for (uint64_t offset = head.size(); offset < file.size; offset += rest.size())
            bytes += open->Read(offset, rest).value_or(0);
    }
    const double io = Seconds(start);
    std::printf("floor seconds %.3f listings %.3f reads %.3f files %zu opened %llu bytes %llu\n", listing + io, listing,
                io, files.size(), static_cast<unsigned long long>(opened), static_cast<unsigned long long>(bytes));
    std::fflush(stdout);
}

std::vector<std::vector<std::string>> RunEngine(const std::string& root) {
    Tally tally;
    CountingReader reader(tally);
    BenchView view;
    GroupRows rows;
    const base::TextOrder order = platform::LocaleTextOrder();
    duplicates::SearchSwitches switches;
    // The tree's copies keep their own times, and folders holding desktop.ini are part of it.
    switches.CheckFileStamp = false;
    switches.SkipDesktopFolders = false;
    duplicates::SearchInputs inputs;
    inputs.drives = root.substr(0, 1);
    duplicates::TextSet known{duplicates::OrderLess{&order}};
    fs::TTreeScanner scanner(platform::SystemFileSystem(), order);

    const LARGE_INTEGER start = Now();
    duplicates::Collection collection = duplicates::Find_files_to_compare(
        inputs, switches, known, scanner, platform::SystemFileSystem(), view, rows, order);
    const double collecting = Seconds(start);
    const size_t candidates = collection.Candidates.size();
    duplicates::Comparison comparison(
        {reader, view, rows, order, platform::SystemFormatSettings(), platform::LocalDateTimeOf});
    comparison.Compare_files(collection, switches);
    const double total = Seconds(start);
    std::printf(
        "engine seconds %.3f collection %.3f comparison %.3f candidates %zu opened %llu bytes %llu "
        "groups %zu duplicate_files %llu duplicate_bytes %llu\n",
        total, collecting, total - collecting, candidates, static_cast<unsigned long long>(tally.opens),
        static_cast<unsigned long long>(tally.bytes), rows.groups.size(),
        static_cast<unsigned long long>(comparison.Counters().DuplicateFiles),
        static_cast<unsigned long long>(comparison.Counters().DuplicateBytes));
    std::fflush(stdout);
    return rows.groups;
}

void WriteGroups(const std::string& root, const std::vector<std::vector<std::string>>& groups, const wchar_t* out) {
    FILE* file = _wfopen(out, L"wb");
    if (!file)
        return;
    for (const auto& group : groups) {
        std::string line;
        for (const std::string& path : group) {
            std::string relative = path.substr(root.size());
            std::replace(relative.begin(), relative.end(), '\\', '/');
            line += (line.empty() ? "" : "\t") + relative;
        }
        std::fprintf(file, "%s\n", line.c_str());
    }
    std::fclose(file);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: duplicates_bench <drive root, e.g. T:\\> <runs> <groups file>\n");
        return 2;
    }
    const std::string root = platform::win32::Narrow(argv[1]);
    const int runs = _wtoi(argv[2]);
    std::vector<std::vector<std::string>> groups;
    for (int run = 0; run < runs; ++run) {
        // Alternating, so the engine and the floor see the same caches.
        groups = RunEngine(root);
        MeasureFloor(root, groups);
    }
    WriteGroups(root, groups, argv[3]);
    return 0;
}
