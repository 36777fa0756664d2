#include <gtest/gtest.h>

#include "fs/delete_selected.h"
#include "support/fake_file_ops.h"

using namespace fs;
using fs_test::FakeOps;
using platform::PathKind;

namespace {

std::vector<DeleteResult> Results(const std::vector<DeleteOutcome>& outcomes) {
    std::vector<DeleteResult> results;
    for (const auto& outcome : outcomes)
        results.push_back(outcome.result);
    return results;
}

constexpr auto Gone = DeleteResult::Gone;
constexpr auto StillThere = DeleteResult::StillThere;
constexpr auto Failed = DeleteResult::Failed;

}  // namespace

TEST(DeleteSelected, RecycleBinIsOneShellOperationOverTheFilesThatAreThere) {
    FakeOps ops;
    ops.disk = {{"C:\\t\\b.bak", PathKind::File}, {"C:\\t\\a.tmp", PathKind::File}, {"C:\\t\\dir", PathKind::Folder}};
    const std::vector<std::string> paths = {"C:\\t\\b.bak", "C:\\t\\gone.tmp", "C:\\t\\a.tmp", "C:\\t\\dir",
                                            "C:\\t\\b.bak"};
    std::vector<std::string> heard;
    const auto outcomes =
        DeleteSelected(ops, paths, DeleteMethod::RecycleBin, [&](const DeleteOutcome& o) { heard.push_back(o.path); });

    // One operation, each file once, in the order given; the missing file and the folder never handed over.
    ASSERT_EQ(ops.recycled.size(), 1u);
    EXPECT_EQ(ops.recycled[0], (std::vector<std::string>{"C:\\t\\b.bak", "C:\\t\\a.tmp"}));
    EXPECT_EQ(Results(outcomes), (std::vector<DeleteResult>{Gone, Gone, Gone, Gone, Gone}));
    EXPECT_EQ(heard, paths);
    EXPECT_EQ(ops.disk.count("C:\\t\\dir"), 1u);  // a folder in the file's place is left alone
}

TEST(DeleteSelected, RecycleBinReportsEveryFileStillThereWhateverTheShellSaid) {
    FakeOps ops;
    ops.disk = {{"C:\\a", PathKind::File}, {"C:\\b", PathKind::File}};
    ops.trashRefuses = {"C:\\b"};

    // The shell says it failed: its code and words go with the file left behind.
    ops.shellAnswer = {true, 0x78, false, "Access denied."};
    auto outcomes = DeleteSelected(ops, {"C:\\a", "C:\\b"}, DeleteMethod::RecycleBin);
    EXPECT_EQ(Results(outcomes), (std::vector<DeleteResult>{Gone, StillThere}));
    EXPECT_EQ(outcomes[1].reason.code, 0x78u);
    EXPECT_EQ(outcomes[1].reason.text, "Access denied.");

    // The shell says all went well: the file still there is not reported deleted.
    ops.shellAnswer = {true, 0, false, ""};
    outcomes = DeleteSelected(ops, {"C:\\b"}, DeleteMethod::RecycleBin);
    EXPECT_EQ(Results(outcomes), std::vector<DeleteResult>{StillThere});
    EXPECT_FALSE(outcomes[0].reason.text.empty());

    // Cancelled part way.
    ops.shellAnswer = {true, 0, true, ""};
    outcomes = DeleteSelected(ops, {"C:\\b"}, DeleteMethod::RecycleBin);
    EXPECT_EQ(Results(outcomes), std::vector<DeleteResult>{StillThere});
    EXPECT_NE(outcomes[0].reason.text.find("cancelled"), std::string::npos);

    // Cannot tell afterwards: never taken as gone.
    ops.shellAnswer = {true, 0, false, ""};
    ops.unknownAfterRecycle = {"C:\\b"};
    outcomes = DeleteSelected(ops, {"C:\\b"}, DeleteMethod::RecycleBin);
    EXPECT_EQ(Results(outcomes), std::vector<DeleteResult>{StillThere});
    EXPECT_EQ(outcomes[0].reason.code, 5u);
}

TEST(DeleteSelected, RecycleBinNeverHandsTheShellAPathItWouldNameOtherwise) {
    FakeOps ops;
    const std::string longPath = "C:\\" + std::string(300, 'x') + ".tmp";
    ops.disk = {{longPath, PathKind::File},
                {"C:\\t\\a.", PathKind::File},
                {"C:\\t\\a", PathKind::File},
                {"C:\\t\\locked", PathKind::Unknown},
                {"C:\\t\\ok.bak", PathKind::File}};
    const auto outcomes =
        DeleteSelected(ops, {longPath, "C:\\t\\a.", "C:\\t\\locked", "C:\\t\\ok.bak"}, DeleteMethod::RecycleBin);
    EXPECT_EQ(Results(outcomes), (std::vector<DeleteResult>{Failed, Failed, Failed, Gone}));
    ASSERT_EQ(ops.recycled.size(), 1u);
    EXPECT_EQ(ops.recycled[0], std::vector<std::string>{"C:\\t\\ok.bak"});
    EXPECT_EQ(outcomes[2].reason.code, 5u);
    EXPECT_NE(outcomes[0].reason.text.find("permanently"), std::string::npos);
    // "a" beside "a." is untouched, and so is everything refused.
    EXPECT_EQ(ops.disk.size(), 4u);

    // Nothing left to hand over: the shell is not asked at all.
    ops.recycled.clear();
    EXPECT_EQ(Results(DeleteSelected(ops, {"C:\\t\\a.", "C:\\t\\none"}, DeleteMethod::RecycleBin)),
              (std::vector<DeleteResult>{Failed, Gone}));
    EXPECT_TRUE(ops.recycled.empty());
}

TEST(DeleteSelected, RecycleBinLeavesAloneWhatTheBinWouldNotTakeAndTheShellWouldDeleteForGood) {
    FakeOps ops;
    ops.disk = {{"N:\\share.tmp", PathKind::File},
                {"R:\\stick.tmp", PathKind::File},
                {"C:\\huge.iso", PathKind::File},
                {"D:\\off.bak", PathKind::File},
                {"C:\\ok.bak", PathKind::File}};
    ops.noBin = {{"N:\\share.tmp", platform::RecycleBinAnswer::NoBin},
                 {"R:\\stick.tmp", platform::RecycleBinAnswer::NoBin},
                 {"C:\\huge.iso", platform::RecycleBinAnswer::TooLarge},
                 {"D:\\off.bak", platform::RecycleBinAnswer::TurnedOff}};
    const auto outcomes = DeleteSelected(
        ops, {"N:\\share.tmp", "R:\\stick.tmp", "C:\\huge.iso", "D:\\off.bak", "C:\\ok.bak"}, DeleteMethod::RecycleBin);

    EXPECT_EQ(Results(outcomes), (std::vector<DeleteResult>{Failed, Failed, Failed, Failed, Gone}));
    ASSERT_EQ(ops.recycled.size(), 1u);
    EXPECT_EQ(ops.recycled[0], std::vector<std::string>{"C:\\ok.bak"});
    EXPECT_EQ(ops.disk.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(outcomes[i].reason.code, 0u);
        EXPECT_NE(outcomes[i].reason.text.find("deleted permanently"), std::string::npos) << outcomes[i].reason.text;
    }
    EXPECT_NE(outcomes[0].reason.text.find("no recycle bin"), std::string::npos);
    EXPECT_NE(outcomes[2].reason.text.find("larger"), std::string::npos);
    EXPECT_NE(outcomes[3].reason.text.find("at once"), std::string::npos);

    // Deleting for good is the user's choice, and then the bin is not asked.
    EXPECT_EQ(Results(DeleteSelected(ops, {"N:\\share.tmp"}, DeleteMethod::Permanent)),
              std::vector<DeleteResult>{Gone});
}

TEST(DeleteSelected, PermanentDeletionGoesFileByFileAndTellsEachOutcomeBeforeTheNext) {
    FakeOps ops;
    ops.disk = {{"C:\\a", PathKind::File},     {"C:\\open", PathKind::File},    {"C:\\b", PathKind::File},
                {"C:\\dir", PathKind::Folder}, {"C:\\pending", PathKind::File}, {"C:\\racy", PathKind::File}};
    ops.refuseDelete["C:\\open"] = {32, "The process cannot access the file because it is being used."};
    ops.keepAfterDelete = {"C:\\pending"};
    ops.vanishOnDelete = {"C:\\racy"};
    const auto outcomes =
        DeleteSelected(ops, {"C:\\a", "C:\\open", "C:\\b", "C:\\missing", "C:\\dir", "C:\\pending", "C:\\racy"},
                       DeleteMethod::Permanent, [&](const DeleteOutcome& o) { ops.log.push_back("heard " + o.path); });

    EXPECT_EQ(Results(outcomes), (std::vector<DeleteResult>{Gone, Failed, Gone, Gone, Gone, StillThere, Gone}));
    EXPECT_EQ(outcomes[1].reason.code, 32u);
    EXPECT_EQ(outcomes[1].reason.text, "The process cannot access the file because it is being used.");
    EXPECT_FALSE(outcomes[5].reason.text.empty());
    // The failure is heard before the next file is touched; missing files and folders are never deleted.
    EXPECT_EQ(ops.log, (std::vector<std::string>{"delete C:\\a", "heard C:\\a", "delete C:\\open", "heard C:\\open",
                                                 "delete C:\\b", "heard C:\\b", "heard C:\\missing", "heard C:\\dir",
                                                 "delete C:\\pending", "heard C:\\pending", "delete C:\\racy",
                                                 "heard C:\\racy"}));
    EXPECT_TRUE(ops.recycled.empty());
    EXPECT_EQ(ops.disk.count("C:\\open"), 1u);
    EXPECT_EQ(ops.disk.count("C:\\dir"), 1u);
}

TEST(DeleteSelected, WhichPathsTheShellNamesExactly) {
    EXPECT_TRUE(ShellCanNameExactly("C:\\Temp\\a.tmp", 259));
    EXPECT_TRUE(ShellCanNameExactly("d:\\x y\\päivä.bak", 259));
    EXPECT_TRUE(ShellCanNameExactly("\\\\server\\share\\a.tmp", 259));
    for (const char* path : {"C:\\Temp\\a.", "C:\\Temp\\a ", "C:\\Temp\\..\\a", "C:\\Temp\\.\\a", "C:\\Temp\\\\a",
                             "\\\\?\\C:\\a.tmp", "\\\\.\\C:\\a", "Temp\\a.tmp", "C:a.tmp", "C:\\a.tmp:stream",
                             "C:/Temp/a.tmp", "C:\\Temp\\a*.tmp", "C:\\Temp\\", "1:\\a", ""})
        EXPECT_FALSE(ShellCanNameExactly(path, 259)) << path;

    // The limit counts UTF-16 units, not bytes.
    const std::string name(255, 'a');
    EXPECT_TRUE(ShellCanNameExactly("C:\\" + name, 258));
    EXPECT_FALSE(ShellCanNameExactly("C:\\" + name, 257));
    EXPECT_EQ(Utf16Length("päivä"), 5u);
    EXPECT_EQ(Utf16Length("☃"), 1u);
    EXPECT_EQ(Utf16Length("\xF0\x9F\x98\x80"), 2u);  // outside the basic plane: a surrogate pair
}
