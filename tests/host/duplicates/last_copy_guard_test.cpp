#include <gtest/gtest.h>

#include "base/texts.h"
#include "duplicates/last_copy_guard.h"
#include "fake_files.h"

namespace dupes_test {
namespace {

using duplicates::GroupPathsAround;
using duplicates::ReasonToKeep;
using Paths = std::vector<std::string>;

const Paths kCaptions = {"Duplicate files.....",       "C:\\a1", "C:\\a2", "",
                         "Duplikaatti tiedostot.....", "C:\\b1", "C:\\b2", "C:\\b3"};

TEST(LastCopyGuard, AGroupIsTheRunOfFileRowsAroundTheRow) {
    EXPECT_EQ(GroupPathsAround(kCaptions, 1), (Paths{"C:\\a1", "C:\\a2"}));
    EXPECT_EQ(GroupPathsAround(kCaptions, 2), (Paths{"C:\\a1", "C:\\a2"}));
    EXPECT_EQ(GroupPathsAround(kCaptions, 6), (Paths{"C:\\b1", "C:\\b2", "C:\\b3"}));
    EXPECT_EQ(GroupPathsAround(kCaptions, 7), (Paths{"C:\\b1", "C:\\b2", "C:\\b3"}));
    // Header, blank and out-of-range rows belong to no group.
    EXPECT_EQ(GroupPathsAround(kCaptions, 0), Paths{});
    EXPECT_EQ(GroupPathsAround(kCaptions, 3), Paths{});
    EXPECT_EQ(GroupPathsAround(kCaptions, 4), Paths{});
    EXPECT_EQ(GroupPathsAround(kCaptions, 8), Paths{});
    // A group at the top of a list that lost its header still ends at the blank row.
    EXPECT_EQ(GroupPathsAround({"C:\\x", "C:\\y", "", "C:\\z"}, 0), (Paths{"C:\\x", "C:\\y"}));
}

class LastCopyGuardTest : public ::testing::Test {
  protected:
    LastCopyGuardTest() { base::SetFinnishUI(false); }
    ~LastCopyGuardTest() override { base::SetFinnishUI(false); }

    std::optional<std::string> Reason(const std::string& path) const { return ReasonToKeep(files, path, group); }

    FakeFiles files;
    Paths group = {"C:\\a", "C:\\b", "C:\\c"};
};

TEST_F(LastCopyGuardTest, AFileGoesOnlyWhileAnotherFileHoldsItsBytes) {
    const std::string content = Bytes(200'000, 1);
    files.Add("C:\\a", content);
    files.Add("C:\\b", content);
    files.Add("C:\\c", content);
    EXPECT_EQ(Reason("C:\\a"), std::nullopt);

    // One twin differs in its last byte, the other is still identical.
    files.At("C:\\b").bytes.back() ^= 1;
    EXPECT_EQ(Reason("C:\\a"), std::nullopt);

    // Neither twin holds the same bytes: one differs, one grew by a byte of the same value.
    files.At("C:\\c").bytes += content.back();
    const auto changed = Reason("C:\\a");
    ASSERT_TRUE(changed.has_value());
    EXPECT_EQ(*changed,
              "The file was not deleted: no other file of its group holds the same contents any more:\n\nC:\\a");
}

TEST_F(LastCopyGuardTest, TheSameFileUnderAnotherNameOrAMissingTwinIsNoCopy) {
    files.Add("C:\\a", "same bytes");
    files.Link("C:\\b", "C:\\a");
    group = {"C:\\a", "C:\\b", "C:\\gone"};
    const auto reason = Reason("C:\\b");
    ASSERT_TRUE(reason.has_value());
    EXPECT_EQ(*reason, "The file was not deleted: it is the last copy of its group left on the disk:\n\nC:\\b");

    base::SetFinnishUI(true);
    EXPECT_EQ(Reason("C:\\b"), "Tiedostoa ei poistettu: se on ryhmänsä viimeinen kopio levyllä:\n\nC:\\b");
}

TEST_F(LastCopyGuardTest, ATwinLockedAgainstReadingCannotVouchForTheFile) {
    files.Add("C:\\a", "same bytes");
    files.Add("C:\\b", "same bytes")->locked = true;
    group = {"C:\\a", "C:\\b"};
    const auto reason = Reason("C:\\a");
    ASSERT_TRUE(reason.has_value());
    EXPECT_NE(reason->find("last copy"), std::string::npos) << *reason;
}

TEST_F(LastCopyGuardTest, AnUnreadableFileStaysAndAMissingOneHasNothingToKeep) {
    files.Add("C:\\a", "same bytes")->locked = true;
    files.Add("C:\\b", "same bytes");
    group = {"C:\\a", "C:\\b", "C:\\c"};
    const auto reason = Reason("C:\\a");
    ASSERT_TRUE(reason.has_value());
    EXPECT_EQ(*reason,
              "The file was not deleted: it cannot be read, so it cannot be checked against its duplicates:\n\nC:\\a");

    // Gone already: nothing is deleted, so its row may go.
    EXPECT_EQ(Reason("C:\\c"), std::nullopt);
}

TEST_F(LastCopyGuardTest, EmptyFilesAreCopiesOfEachOther) {
    files.Add("C:\\a", "");
    files.Add("C:\\b", "");
    group = {"C:\\a", "C:\\b"};
    EXPECT_EQ(Reason("C:\\b"), std::nullopt);
}

}  // namespace
}  // namespace dupes_test
