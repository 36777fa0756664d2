#include <gtest/gtest.h>

#include "fs/mask_match.h"

using fs::MatchesMask;

namespace {

struct Case {
    const char* mask;
    const char* name;
    bool matches;
};

void ExpectAll(const std::vector<Case>& cases) {
    for (const auto& c : cases)
        EXPECT_EQ(MatchesMask(c.name, c.mask), c.matches) << "mask " << c.mask << " name " << c.name;
}

}  // namespace

TEST(MaskMatch, StarAndCase) {
    ExpectAll({
        {"*.txt", "notes.txt", true},
        {"*.txt", "NOTES.TXT", true},
        {"*.TXT", "notes.txt", true},
        {"*.txt", ".txt", true},
        {"*.txt", "notes.txt.bak", false},
        {"*.txt", "notestxt", false},
        {"~*.*", "~WRL0001.tmp", true},
        {"~*.*", "~lock", true},
        {"~*.*", "a~b.tmp", false},
        {"*.$$$", "setup.$$$", true},
        {"*.$$$", "setup.$$", false},
        {"backup*.wbk", "Backup of report.wbk", true},
        {"backup*.wbk", "backup.wbk", true},
        {"backup*.wbk", "mybackup.wbk", false},
        {"*.~*", "file.~1", true},
        {"*.~*", "file~.txt", false},
        {"a*b*c", "aXXbYYc", true},
        {"a*b*c", "aXXcYYb", false},
    });
}

TEST(MaskMatch, QuestionMarkMayMatchNothingAtTheEndOrBeforeADot) {
    ExpectAll({
        {"*.bk?", "x.bk", true},
        {"*.bk?", "x.bk1", true},
        {"*.bk?", "x.bk12", false},
        {"*.bk?", "x.b", false},
        {"*.???", "readme.c", true},
        {"*.???", "readme.", true},
        {"*.???", "readme.cppx", false},
        {"a?.txt", "a.txt", true},
        {"a?.txt", "ab.txt", true},
        {"a?.txt", "abc.txt", false},
        {"a?c", "ac", false},  // in the middle "?" needs a character
        {"a?c", "abc", true},
        {"*.?~?", "x.b~k", true},
        {"*.?~?", "x.~", false},
    });
}

TEST(MaskMatch, StarDotStarMatchesNamesWithAndWithoutADot) {
    ExpectAll({
        {"*.*", "README", true},
        {"*.*", "a.b.c", true},
        {"*.*", ".profile", true},
        {"*", "anything.at.all", true},
        {"file.*", "file", true},
        {"file.*", "file.txt", true},
        {"file.*", "files", false},
        {"*.", "Makefile", true},
        {"*.", "notes.txt", false},
    });
}

// The 8.3 alias is never consulted: these pairs match through the alias on a real volume.
TEST(MaskMatch, LongNameOnly) {
    ExpectAll({
        {"*.tmp", "report.tmpl", false},
        {"*.bak", "x.bakup", false},
        {"*.htm", "index.html", false},
        {"*.tmp", "report.tmp", true},
    });
}

TEST(MaskMatch, NonAsciiNamesFoldCase) {
    ExpectAll({
        {"*.txt", "Päivä.TXT", true},
        {"PÄIVÄ*", "päiväkirja.doc", true},
        {"?ljy.txt", "Öljy.txt", true},  // one character, two bytes
        {"ЖУРНАЛ.*", "журнал.log", true},
        {"*.tmp", "bad\xff.tmp", true},
        {"bad\xfe.tmp", "bad\xff.tmp", false},
    });
}

TEST(MaskMatch, EmptyMaskMatchesNothing) {
    EXPECT_FALSE(MatchesMask("a.txt", ""));
    std::vector<fs::Mask> masks;
    EXPECT_FALSE(fs::MatchesAnyMask("a.txt", masks));
    masks.emplace_back("*.doc");
    masks.emplace_back("*.TXT");
    EXPECT_TRUE(fs::MatchesAnyMask("a.txt", masks));
    EXPECT_FALSE(fs::MatchesAnyMask("a.xls", masks));
}

TEST(MaskMatch, LongNamesBeyondTheScratchBuffer) {
    const std::string name = std::string(700, 'x') + ".tmp";
    EXPECT_TRUE(MatchesMask(name, "*.tmp"));
    EXPECT_TRUE(MatchesMask(name, "x*x.t?p"));
    EXPECT_FALSE(MatchesMask(name, "*.tmpl"));
}
