#include "usage/folder_list.h"

#include <gtest/gtest.h>

#include "fake_volumes.h"
#include "support/fake_disk.h"

namespace {

using fs_test::FakeTree;
using usage::ScanContext;
using usage::TFolderList;
using usage_test::FakeVolumes;
namespace attr = platform::attr;

struct Walker {
    FakeTree tree;
    FakeVolumes volumes;
    bool stop = false;
    uint64_t clusterSize = 4096;
    bool useCompressed = false;
    std::vector<std::string> events;
    std::function<void()> onYield;

    void Scan(TFolderList& list) {
        ScanContext context{tree, volumes, stop, clusterSize};
        context.useCompressed = useCompressed;
        context.progress = [this](const std::string& text) { events.push_back(text); };
        context.yield = [this] {
            events.push_back("yield, listings so far " + std::to_string(tree.listings));
            if (onYield)
                onYield();
        };
        list.Scan(context);
    }
};

std::vector<std::string> Names(const TFolderList& list) {
    std::vector<std::string> names;
    for (size_t i = 0; i < list.Count(); ++i)
        names.push_back(list.Name(i));
    return names;
}

const TFolderList& Sub(const TFolderList& list, const std::string& name) {
    for (size_t i = 0; i < list.Count(); ++i) {
        if (list.Name(i) == name)
            return *list.Data(i).SubList;
    }
    throw std::runtime_error("no entry " + name);
}

TEST(FolderScan, EmptyFoldersHoldOnlyTheParentEntry) {
    Walker walker;
    walker.tree.AddFolder("C:\\top");
    walker.tree.AddFolder("C:\\top\\empty");
    TFolderList top(nullptr, "C:\\top\\");
    walker.Scan(top);
    EXPECT_EQ(Names(top), (std::vector<std::string>{"\\empty"}));
    const TFolderList& empty = Sub(top, "\\empty");
    EXPECT_EQ(Names(empty), (std::vector<std::string>{".."}));
    EXPECT_EQ(empty.Path, "C:\\top\\empty\\");
    EXPECT_EQ(empty.Parent, &top);
    EXPECT_EQ(empty.Data(0).Owner, &empty);
    EXPECT_EQ(empty.Data(0).FileCount, 0);
    EXPECT_EQ(empty.Data(0).SubList, nullptr);
    EXPECT_EQ(empty.Data(0).ParentList(), &top);
    EXPECT_EQ(top.Data(0).ParentList(), nullptr);
    EXPECT_EQ(top.FolderCount, 1);
    EXPECT_EQ(top.FileCount, 0);
    EXPECT_EQ(top.ActualSize + top.AllocatedSize + top.SlackSize, 0u);
    EXPECT_EQ(top.LongestPathLength, 0);  // folder paths alone never count
    EXPECT_EQ(top.LongestPath, "");

    TFolderList nothing(nullptr, "C:\\top\\empty\\");
    walker.Scan(nothing);
    EXPECT_EQ(nothing.Count(), 0u);
}

TEST(FolderScan, FilesOnClustersAndEveryAttribute) {
    Walker walker;
    walker.tree.AddFolder("C:\\d");
    walker.tree.AddFile("C:\\d\\one", 1);
    walker.tree.AddFile("C:\\d\\cluster", 4096);
    walker.tree.AddFile("C:\\d\\empty", 0);
    walker.tree.AddFile("C:\\d\\hidden", 10, attr::kHidden);
    walker.tree.AddFile("C:\\d\\system", 4097, attr::kSystem | attr::kReadOnly);
    walker.tree.AddFolder("C:\\d\\Hid", attr::kDirectory | attr::kHidden | attr::kSystem);
    walker.tree.AddFile("C:\\d\\Hid\\in", 5000);
    TFolderList top(nullptr, "C:\\d\\");
    walker.Scan(top);

    ASSERT_EQ(Names(top), (std::vector<std::string>{"one", "cluster", "empty", "hidden", "system", "\\Hid"}));
    const auto expect = [&](size_t i, uint64_t actual, uint64_t allocated, uint64_t slack, int64_t files) {
        SCOPED_TRACE(top.Name(i));
        EXPECT_EQ(top.Data(i).ActualSize, actual);
        EXPECT_EQ(top.Data(i).AllocatedSize, allocated);
        EXPECT_EQ(top.Data(i).SlackSize, slack);
        EXPECT_EQ(top.Data(i).FileCount, files);
        EXPECT_EQ(top.Data(i).Owner, &top);
    };
    expect(0, 1, 4096, 4095, 1);
    expect(1, 4096, 4096, 0, 1);
    expect(2, 0, 0, 0, 1);
    expect(3, 10, 4096, 4086, 1);
    expect(4, 4097, 8192, 4095, 1);
    expect(5, 5000, 8192, 3192, 1);
    EXPECT_EQ(top.FileCount, 6);
    EXPECT_EQ(top.FolderCount, 1);
    EXPECT_EQ(top.ActualSize, 1u + 4096 + 10 + 4097 + 5000);
    EXPECT_EQ(top.AllocatedSize, 4096u * 7);
    EXPECT_EQ(top.SlackSize, top.AllocatedSize - top.ActualSize);

    EXPECT_EQ(usage::RoundUpToCluster(1, 12345), 12345u);
    EXPECT_EQ(usage::RoundUpToCluster(4096, 5ull << 30), 5ull << 30);
    EXPECT_EQ(usage::RoundUpToCluster(4096, (5ull << 30) + 1), (5ull << 30) + 4096);
}

TEST(FolderScan, OneYieldPerFolderBeforeItsListingAndRecordsInListingOrder) {
    Walker walker;
    walker.tree.AddFolder("C:\\t");
    walker.tree.AddFile("C:\\t\\z.txt", 3);
    walker.tree.AddFolder("C:\\t\\b");
    walker.tree.AddFile("C:\\t\\b\\x", 7);
    walker.tree.AddFolder("C:\\t\\b\\c");
    walker.tree.AddFile("C:\\t\\a.txt", 2);
    TFolderList top(nullptr, "C:\\t\\");
    walker.Scan(top);
    EXPECT_EQ(walker.events, (std::vector<std::string>{"Scanning C:\\t\\...", "yield, listings so far 0",
                                                       "Scanning C:\\t\\b\\...", "yield, listings so far 1",
                                                       "Scanning C:\\t\\b\\c\\...", "yield, listings so far 2"}));
    EXPECT_EQ(Names(top), (std::vector<std::string>{"z.txt", "\\b", "a.txt"}));
    const TFolderList& b = Sub(top, "\\b");
    EXPECT_EQ(Names(b), (std::vector<std::string>{"..", "x", "\\c"}));
    EXPECT_EQ(top.Data(1).FileCount, 1);
    EXPECT_EQ(top.Data(1).ActualSize, 7u);
    EXPECT_EQ(top.FolderCount, 2);
    EXPECT_EQ(top.FileCount, 3);
    EXPECT_EQ(Sub(b, "\\c").Path, "C:\\t\\b\\c\\");

    // A second walk of the same list starts from zero and keeps what stands in it.
    walker.Scan(top);
    EXPECT_EQ(top.FileCount, 3);
    EXPECT_EQ(top.Count(), 6u);
}

TEST(FolderScan, StopInADeepFolderKeepsWhatEachLevelHadCounted) {
    Walker walker;
    walker.tree.AddFolder("C:\\s");
    walker.tree.AddFile("C:\\s\\first", 100);
    walker.tree.AddFolder("C:\\s\\l1");
    walker.tree.AddFile("C:\\s\\l1\\f1", 10);
    walker.tree.AddFolder("C:\\s\\l1\\l2");
    walker.tree.AddFile("C:\\s\\l1\\l2\\f2", 20);
    walker.tree.AddFolder("C:\\s\\l1\\l2\\l3");
    walker.tree.AddFile("C:\\s\\l1\\l2\\l3\\never", 40);
    walker.tree.AddFile("C:\\s\\l1\\l2\\after2", 50);
    walker.tree.AddFile("C:\\s\\l1\\after1", 60);
    walker.tree.AddFile("C:\\s\\after0", 70);
    int yields = 0;
    walker.onYield = [&] {
        if (++yields == 4)  // the yield of l3
            walker.stop = true;
    };
    TFolderList top(nullptr, "C:\\s\\");
    walker.Scan(top);

    EXPECT_EQ(Names(top), (std::vector<std::string>{"first", "\\l1"}));
    const TFolderList& l1 = Sub(top, "\\l1");
    const TFolderList& l2 = Sub(l1, "\\l2");
    const TFolderList& l3 = Sub(l2, "\\l3");
    EXPECT_EQ(Names(l1), (std::vector<std::string>{"..", "f1", "\\l2"}));
    EXPECT_EQ(Names(l2), (std::vector<std::string>{"..", "f2", "\\l3"}));
    EXPECT_EQ(Names(l3), (std::vector<std::string>{".."}));
    EXPECT_EQ(walker.tree.listings, 3);  // the folder reached after Stop is not listed
    EXPECT_EQ(l2.FileCount, 1);
    EXPECT_EQ(l2.ActualSize, 20u);
    EXPECT_EQ(l1.FileCount, 2);
    EXPECT_EQ(l1.ActualSize, 30u);
    EXPECT_EQ(l1.FolderCount, 2);
    EXPECT_EQ(top.FileCount, 3);
    EXPECT_EQ(top.ActualSize, 130u);
    EXPECT_EQ(top.FolderCount, 3);
    EXPECT_EQ(top.Data(1).ActualSize, 30u);
}

TEST(FolderScan, LongestPathKeepsTheFirstOfEqualLengths) {
    Walker walker;
    walker.tree.AddFolder("C:\\p");
    walker.tree.AddFile("C:\\p\\abc", 1);
    walker.tree.AddFile("C:\\p\\xyz", 1);  // as long: the first stays
    walker.tree.AddFolder("C:\\p\\verylongfoldername");
    walker.tree.AddFolder("C:\\p\\s");
    walker.tree.AddFile("C:\\p\\s\\q", 1);  // "C:\p\s\q" is as long as "C:\p\abc": no change
    walker.tree.AddFolder("C:\\p\\t");
    walker.tree.AddFile("C:\\p\\t\\äö", 1);  // two characters, though four bytes
    walker.tree.AddFolder("C:\\p\\u");
    walker.tree.AddFile("C:\\p\\u\\qrs", 1);  // ten characters, fewer bytes than the one before
    walker.tree.AddFolder("C:\\p\\w");
    walker.tree.AddFile("C:\\p\\w\\xyz", 1);  // as long again: the first stays
    walker.tree.AddFile("C:\\p\\uv", 1);
    TFolderList top(nullptr, "C:\\p\\");
    walker.Scan(top);
    EXPECT_EQ(top.LongestPath, "C:\\p\\u\\qrs");
    EXPECT_EQ(top.LongestPathLength, 10);
    EXPECT_EQ(Sub(top, "\\t").LongestPath, "C:\\p\\t\\äö");
    EXPECT_EQ(Sub(top, "\\t").LongestPathLength, 9);
    EXPECT_EQ(Sub(top, "\\verylongfoldername").LongestPathLength, 0);

    Walker plain;
    plain.tree.AddFolder("C:\\p");
    plain.tree.AddFile("C:\\p\\abc", 1);
    plain.tree.AddFile("C:\\p\\xyz", 1);
    TFolderList two(nullptr, "C:\\p\\");
    plain.Scan(two);
    EXPECT_EQ(two.LongestPath, "C:\\p\\abc");
}

TEST(FolderScan, CompressedSizesOnlyWhenAskedAndKnown) {
    Walker walker;
    walker.tree.AddFolder("C:\\c");
    walker.tree.AddFile("C:\\c\\packed", 10000, usage::kCompressedAttribute);
    walker.tree.AddFile("C:\\c\\unknown", 10000, usage::kCompressedAttribute);
    walker.tree.AddFile("C:\\c\\plain", 10000);
    walker.volumes.compressedSizes["C:\\c\\packed"] = 3000;
    walker.volumes.compressedSizes["C:\\c\\plain"] = 1;
    TFolderList top(nullptr, "C:\\c\\");
    walker.Scan(top);
    EXPECT_EQ(top.ActualSize, 30000u);
    EXPECT_TRUE(walker.volumes.asked.empty());  // no file is opened unless asked

    walker.useCompressed = true;
    TFolderList compressed(nullptr, "C:\\c\\");
    walker.Scan(compressed);
    EXPECT_EQ(compressed.Data(0).ActualSize, 3000u);
    EXPECT_EQ(compressed.Data(0).AllocatedSize, 4096u);
    EXPECT_EQ(compressed.Data(1).ActualSize, 10000u);
    EXPECT_EQ(compressed.Data(2).ActualSize, 10000u);
    EXPECT_EQ(walker.volumes.asked,
              (std::vector<std::string>{"compressed C:\\c\\packed", "compressed C:\\c\\unknown"}));
}

TEST(FolderScan, LinkFoldersAreCountedButNotEntered) {
    Walker walker;
    walker.tree.AddFolder("C:\\r");
    walker.tree.AddFolder("C:\\r\\real");
    walker.tree.AddFile("C:\\r\\real\\f", 5);
    walker.tree.AddFolder("C:\\r\\junction", attr::kDirectory | attr::kReparsePoint);
    walker.tree.AddFile("C:\\r\\junction\\f", 5);
    walker.tree.AddFolder("C:\\r\\untagged", attr::kDirectory | attr::kReparsePoint);
    walker.tree.AddFile("C:\\r\\untagged\\f", 5);
    walker.tree.AddFolder("C:\\r\\cloud", attr::kDirectory | attr::kReparsePoint);
    walker.tree.AddFile("C:\\r\\cloud\\f", 5);
    TFolderList top(nullptr, "C:\\r\\");
    // The fake cannot tag entries itself; tag them through a listing wrapper.
    class Tagged : public platform::FileSystem {
      public:
        explicit Tagged(const FakeTree& inner) : inner_(inner) {}
        bool ForEachEntry(std::string_view folder,
                          const std::function<void(const platform::DirEntry&)>& fn) const override {
            return inner_.ForEachEntry(folder, [&](const platform::DirEntry& entry) {
                platform::DirEntry tagged = entry;
                if (entry.name == "junction")
                    tagged.reparseTag = platform::reparse::kMountPoint;
                if (entry.name == "cloud")
                    tagged.reparseTag = 0x9000001A;  // a placeholder, not another name for a folder
                fn(tagged);
            });
        }
        std::optional<platform::DirEntry> FindEntry(std::string_view path) const override {
            return inner_.FindEntry(path);
        }
        std::string CurrentDirectory() const override { return inner_.CurrentDirectory(); }

      private:
        const FakeTree& inner_;
    } tagged(walker.tree);
    bool stop = false;
    ScanContext context{tagged, walker.volumes, stop, 1};
    top.Scan(context);
    EXPECT_EQ(Names(top), (std::vector<std::string>{"\\real", "\\junction", "\\untagged", "\\cloud"}));
    EXPECT_EQ(top.FolderCount, 4);
    EXPECT_EQ(top.FileCount, 2);
    EXPECT_EQ(walker.tree.listings, 3);
    EXPECT_EQ(Names(Sub(top, "\\junction")), (std::vector<std::string>{".."}));
    EXPECT_EQ(top.Data(1).ActualSize, 0u);
}

TEST(FolderScan, ThePreviousTreeLivesUntilReleased) {
    Walker walker;
    walker.tree.AddFolder("C:\\o");
    walker.tree.AddFolder("C:\\o\\sub");
    walker.tree.AddFile("C:\\o\\sub\\f", 9);
    TFolderList top(nullptr, ".");
    top.Reset("C:\\o\\");
    walker.Scan(top);
    const TFolderList* shown = top.Data(0).SubList.get();
    const usage::TFolderData* record = &shown->Data(1);

    top.Reset("C:\\o\\sub\\");
    EXPECT_EQ(top.Count(), 0u);
    EXPECT_EQ(top.Path, "C:\\o\\sub\\");
    walker.Scan(top);
    // Still readable (the sanitizer would catch a freed list), and its way up leads to the top list.
    EXPECT_EQ(record->ActualSize, 9u);
    EXPECT_EQ(shown->Data(0).ParentList(), &top);
    top.ReleasePreviousTree();
    EXPECT_EQ(Names(top), (std::vector<std::string>{"f"}));
}

// A chain of folders deeper than a recursive walk could follow on a thread's stack.
class DeepChain : public platform::FileSystem {
  public:
    explicit DeepChain(size_t depth) : depth_(depth) {}
    bool ForEachEntry(std::string_view folder,
                      const std::function<void(const platform::DirEntry&)>& fn) const override {
        const size_t level = (folder.size() - 3) / 2;  // "C:\" then "a\" per level
        platform::DirEntry entry;
        entry.name = "f";
        entry.size = 1;
        fn(entry);
        if (level < depth_) {
            entry.name = "a";
            entry.attributes = platform::attr::kDirectory;
            fn(entry);
        }
        return true;
    }
    std::optional<platform::DirEntry> FindEntry(std::string_view) const override { return std::nullopt; }
    std::string CurrentDirectory() const override { return "C:\\"; }

  private:
    size_t depth_;
};

TEST(FolderScan, AVeryDeepTreeIsWalkedAndFreed) {
    constexpr size_t kDepth = 3000;
    DeepChain chain(kDepth);
    FakeVolumes volumes;
    bool stop = false;
    auto top = std::make_unique<TFolderList>(nullptr, "C:\\");
    top->Scan(ScanContext{chain, volumes, stop, 1});
    EXPECT_EQ(top->FolderCount, static_cast<int64_t>(kDepth));
    EXPECT_EQ(top->FileCount, static_cast<int64_t>(kDepth + 1));
    EXPECT_EQ(top->LongestPathLength, static_cast<int64_t>(3 + 2 * kDepth + 1));
    top.reset();
}

}  // namespace
