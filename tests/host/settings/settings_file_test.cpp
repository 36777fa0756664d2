#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include "base/error.h"
#include "memory_store.h"
#include "settings/keys.h"
#include "settings/mask_list.h"

namespace {

namespace keys = settings::keys;
using settings::SettingsFile;

const std::string kPath = "C:\\Program Files\\Vireo\\Options.ini";

class SettingsFileTest : public testing::Test {
  protected:
    SettingsFile Open() { return SettingsFile(kPath, store_, codec_); }
    void Put(const std::string& bytes) { store_.files[kPath] = bytes; }
    const std::string& File() { return store_.files[kPath]; }

    settings_test::MemoryStore store_;
    settings_test::Latin1Codec codec_;
};

TEST_F(SettingsFileTest, LanguageReadsAsTextAndAsFlag) {
    Put("[General]\r\nLanguage/Kieli=yes\r\n");
    auto ini = Open();
    // Not empty, so no first-run window; not a number, so the flag falls back to its default.
    EXPECT_EQ(ini.ReadText(keys::kLanguageText), "yes");
    EXPECT_TRUE(ini.ReadFlag(keys::kLanguage));
    EXPECT_FALSE(ini.ReadFlag(keys::kLanguage, false));

    Put("[General]\r\nLanguage/Kieli=2\r\n");
    EXPECT_TRUE(ini.ReadFlag(keys::kLanguage, false));
    Put("[General]\r\nLanguage/Kieli=0\r\n");
    EXPECT_FALSE(ini.ReadFlag(keys::kLanguage));
    Put("[General]\r\nLanguage/Kieli=0x10\r\n");
    EXPECT_TRUE(ini.ReadFlag(keys::kLanguage, false));
}

TEST_F(SettingsFileTest, RepeatIntervalEncodings) {
    auto ini = Open();
    const std::pair<const char*, int32_t> cases[] = {
        {"0x1E", 30},
        {"0X1e", 30},
        {"$1E", 30},
        {"abc", 10},
        {"", 10},
        {"0x", 10},
        {"30", 30},
        {"-7", -7},
        {"+7", 7},
        {"1.5", 10},
        {"12a", 10},
        {"$", 10},
        {"$FFFFFFFF", -1},
        {"2147483647", 2147483647},
        {"2147483648", 10},
        {"-2147483648", INT32_MIN},
        {"-2147483649", 10},
        {"$100000000", 10},
    };
    for (const auto& [text, expected] : cases) {
        Put(std::string("[Chart]\r\nRepeatInterval=") + text + "\r\n");
        EXPECT_EQ(ini.ReadInteger(keys::kRepeatInterval), expected) << text;
    }
    store_.files.clear();
    EXPECT_EQ(ini.ReadInteger(keys::kRepeatInterval), 10);
}

TEST_F(SettingsFileTest, MaskListsSortAndDropRepeats) {
    const base::TextOrder order = base::CompareIgnoringAsciiCase;
    Put("[Backups, temps deleter]\r\nFilesToFind=*.TMP,*.tmp,*.bak\r\nExtraFilesToFind=*.fts *.gid\r\n");
    auto ini = Open();
    EXPECT_EQ(settings::ReadMaskList(ini, keys::kFilesToFind, order).Texts(),
              (std::vector<std::string>{"*.bak", "*.TMP"}));
    // Blanks separate items just as commas do.
    EXPECT_EQ(settings::ReadMaskList(ini, keys::kExtraFilesToFind, order).Texts(),
              settings::MaskListFromText("*.fts,*.gid", order).Texts());
    EXPECT_EQ(settings::ReadMaskList(ini, keys::kAvoidTheseFiles, order).Texts(),
              (std::vector<std::string>{"folders.nch", "user.dmp"}));
    EXPECT_EQ(settings::MaskListFromText(keys::kFilesToFind.fallback, order).Count(), 16);
    EXPECT_EQ(settings::MaskListFromText("\"my file.tmp\" *.a,*.A", order).Texts(),
              (std::vector<std::string>{"*.a", "my file.tmp"}));
}

TEST_F(SettingsFileTest, LongValuesAreCutAt2047Characters) {
    const std::string longValue(3000, 'a');
    Put("[Duplicate file]\r\nFileMask=" + longValue + "\r\n");
    auto ini = Open();
    EXPECT_EQ(ini.ReadText(keys::kFileMask), std::string(2047, 'a'));

    // Characters, not bytes: a cut never splits a character.
    std::string umlauts;
    for (int i = 0; i < 3000; ++i)
        umlauts += "\xC3\xA4";
    Put("\xEF\xBB\xBF[Duplicate file]\r\nFileMask=" + umlauts + "\r\n");
    EXPECT_EQ(ini.ReadText(keys::kFileMask), umlauts.substr(0, 2 * 2047));

    // A 100,000-character line is read cut and kept whole when another key is written.
    const std::string huge(100000, 'x');
    const std::string before = "[Chart]\r\nPieChartColours=" + huge + "\r\n";
    Put(before);
    EXPECT_EQ(ini.ReadText(keys::kPieChartColours), std::string(2047, 'x'));
    ini.WriteFlag(keys::kBytes, true);
    EXPECT_EQ(File(), before + "Bytes=1\r\n");
}

TEST_F(SettingsFileTest, NamesMatchWithoutLetterCaseAndValuesAreTrimmedAndUnquoted) {
    Put("[dUPLICATE fILE]\r\n"
        "  filemask  =   *.doc   \r\n"
        "foldersToIgnore=\"quoted, with blanks \"\r\n"
        "rootfolder='\\data'\r\n"
        "CheckFileName=\"1'\r\n"
        "FloppyIsMaster=\t0\t\r\n"
        "UseRecycleBin=\r\n");
    auto ini = Open();
    EXPECT_EQ(ini.ReadText(keys::kFileMask), "*.doc");
    EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), "quoted, with blanks ");
    EXPECT_EQ(ini.ReadText(keys::kRootFolder), "\\data");
    EXPECT_EQ(ini.ReadText(keys::kCheckFileName.section, keys::kCheckFileName.name, ""), "\"1'");
    EXPECT_FALSE(ini.ReadFlag(keys::kFloppyIsMaster));
    // A key that is there with nothing after "=" is an empty text, not the default.
    EXPECT_EQ(ini.ReadText(keys::kDuplicatesUseRecycleBin.section, keys::kDuplicatesUseRecycleBin.name, "x"), "");
    EXPECT_TRUE(ini.ReadFlag(keys::kDuplicatesUseRecycleBin));
    // The default is handed out without trailing blanks, as the system does.
    EXPECT_EQ(ini.ReadText("Duplicate file", "Missing", "default  "), "default");
}

TEST_F(SettingsFileTest, WriteReplacesInPlaceKeepingEveryOtherLine) {
    const std::string head =
        "; written by hand\r\n"
        "stray line before any section\r\n"
        "\r\n"
        "[chart]\r\n"
        "Colour=red\r\n"
        "  bytes =  0\r\n"
        "KB=1\n"
        "\r\n"
        "[Chart]\r\n"
        "Bytes=5\r\n"
        "[Other]\r\n"
        "Unknown = \"kept\"\r\n";
    const std::string tail = "# no line end at the end";
    Put(head + tail);
    auto ini = Open();
    ini.WriteFlag(keys::kBytes, true);
    std::string expected = head + tail;
    expected.replace(expected.find("  bytes =  0"), 12, "  bytes =  1");
    EXPECT_EQ(File(), expected);
    // The first of two sections of one name is the one read and written.
    EXPECT_TRUE(ini.ReadFlag(keys::kBytes));
    EXPECT_FALSE(ini.ReadFlag(keys::kKB.section, "Nothing", false));
    EXPECT_TRUE(ini.ReadFlag(keys::kKB));
}

TEST_F(SettingsFileTest, KeysBeforeTheFirstSectionBelongToNone) {
    Put("Bytes=0\r\nLanguage/Kieli=0\r\n[Chart]\r\nKB=1\r\n");
    auto ini = Open();
    EXPECT_TRUE(ini.ReadFlag(keys::kBytes));
    EXPECT_TRUE(ini.ReadFlag(keys::kLanguage));
    EXPECT_EQ(ini.ReadText(keys::kFonts, "Bytes", "none"), "none");
    ini.WriteFlag(keys::kBytes, false);
    EXPECT_EQ(File(), "Bytes=0\r\nLanguage/Kieli=0\r\n[Chart]\r\nKB=1\r\nBytes=0\r\n");
}

TEST_F(SettingsFileTest, MissingKeysAndSectionsAreAppended) {
    Put("[Chart]\r\nBytes=1\r\n\r\n[General]\r\nLanguage/Kieli=1");
    auto ini = Open();
    ini.WriteFlag(keys::kKB, false);
    ini.WriteFlag(keys::kLanguage, false);
    ini.WriteText(keys::kDirectoryMask, "\\Temp");
    ini.WriteFlag(keys::kMB, true);
    ini.WriteText(keys::kRootFolder, "\\");
    EXPECT_EQ(File(),
              "[Chart]\r\nBytes=1\r\nKB=0\r\nMB=1\r\n\r\n"
              "[General]\r\nLanguage/Kieli=0\r\n\r\n"
              "[Backups, temps deleter]\r\nDirectoryMask=\\Temp\r\n\r\n"
              "[Duplicate file]\r\nRootFolder=\\\r\n");

    // A header without keys takes its first key right below it; a last line without a line end gets one.
    Put("[Chart]\r\n[General]");
    ini.WriteFlag(keys::kCount, true);
    ini.WriteFlag(keys::kLanguage, true);
    EXPECT_EQ(File(), "[Chart]\r\nCount=1\r\n[General]\r\nLanguage/Kieli=1\r\n");
}

TEST_F(SettingsFileTest, FirstRunFileHoldsTheSectionsInTheOrderOfTheirFirstWrites) {
    auto ini = Open();
    EXPECT_EQ(ini.ReadText(keys::kLanguage.section, keys::kLanguage.name, ""), "");
    EXPECT_TRUE(store_.files.empty());
    ini.WriteFlag(keys::kLanguage, false);  // the first-run window chose Finnish

    // Program end, in the order the windows are destroyed (an NT-family system).
    const bool nt = true;
    ini.WriteFlag(keys::Compressed(nt), ini.ReadFlag(keys::Compressed(nt)));
    ini.WriteFlag(keys::kUnCompressed, ini.ReadFlag(keys::kUnCompressed));
    ini.WriteFlag(keys::Disabled(nt), ini.ReadFlag(keys::Disabled(nt)));
    for (const auto& key : {keys::kBytes, keys::kKB, keys::kMB, keys::kCount, keys::kDisplayFreeDiskSpace})
        ini.WriteFlag(key, ini.ReadFlag(key));
    ini.WriteText(keys::kDirectoryMask, ini.ReadText(keys::kDirectoryMask));
    for (const auto& key : {keys::kIgnoreHiddenFiles, keys::kIgnoreReadOnlyFiles, keys::kIgnoreSystemFiles,
                            keys::kIgnoreZeroLengthFiles, keys::kBackupsUseRecycleBin})
        ini.WriteFlag(key, ini.ReadFlag(key));
    for (const auto& key : {keys::kFoldersToIgnore, keys::kFileMask, keys::kRootFolder})
        ini.WriteText(key, ini.ReadText(key));
    for (const auto& key :
         {keys::kFloppyIsMaster, keys::kDuplicatesUseRecycleBin, keys::kSkipSysbckupFolder, keys::kCheckFileStamp,
          keys::kCheckFileName, keys::kCheckFileSize, keys::kSkipEmptyFiles, keys::kSkipDesktopFolders})
        ini.WriteFlag(key, ini.ReadFlag(key));

    EXPECT_EQ(File(),
              "[General]\r\nLanguage/Kieli=0\r\n"
              "\r\n[Chart]\r\nCompressed=1\r\nUnCompressed=0\r\nDisabled=0\r\nBytes=1\r\nKB=0\r\nMB=0\r\n"
              "Count=0\r\nDisplayFreeDiskSpace=1\r\n"
              "\r\n[Backups, temps deleter]\r\nDirectoryMask=\\\r\nIgnoreHiddenFiles=1\r\nIgnoreReadOnlyFiles=1\r\n"
              "IgnoreSystemFiles=1\r\nIgnoreZeroLengthFiles=1\r\nUseRecycleBin=1\r\n"
              "\r\n[Duplicate file]\r\nFoldersToIgnore=\r\nFileMask=*.*\r\nRootFolder=\\\r\nFloppyIsMaster=1\r\n"
              "UseRecycleBin=1\r\nSkipSysbckupFolder=1\r\nCheckFileStamp=1\r\nCheckFileName=0\r\nCheckFileSize=1\r\n"
              "SkipEmptyFiles=1\r\nSkipDesktopFolders=1\r\n");
    EXPECT_FALSE(ini.ReadFlag(keys::kLanguage));
}

TEST_F(SettingsFileTest, SystemDependentDefaults) {
    auto ini = Open();
    EXPECT_TRUE(ini.ReadFlag(keys::Disabled(false)));
    EXPECT_FALSE(ini.ReadFlag(keys::Compressed(false)));
    EXPECT_FALSE(ini.ReadFlag(keys::Disabled(true)));
    EXPECT_TRUE(ini.ReadFlag(keys::Compressed(true)));
}

TEST_F(SettingsFileTest, EmptyNamedSectionHoldsTheFonts) {
    Put("[Chart]\r\nBytes=1\r\n[]\r\nPieChartFont.Size=12\r\nListboxFont.Bold=1\r\n");
    auto ini = Open();
    EXPECT_EQ(ini.ReadInteger(keys::kFonts, keys::FontKey(keys::kPieChartFont, keys::kFontSize), 8), 12);
    EXPECT_TRUE(ini.ReadFlag(keys::kFonts, keys::FontKey(keys::kListboxFont, keys::kFontBold), false));
    EXPECT_EQ(ini.ReadText(keys::kFonts, keys::FontKey(keys::kListboxFont, keys::kFontName), "Arial"), "Arial");
    // Keys of other sections are not seen through the empty name.
    EXPECT_EQ(ini.ReadText(keys::kFonts, "Bytes", "none"), "none");

    Put("[Chart]\r\nBytes=1\r\n");
    ini.WriteText(keys::kFonts, "ListboxFont.Name", "Tahoma");
    EXPECT_EQ(File(), "[Chart]\r\nBytes=1\r\n\r\n[]\r\nListboxFont.Name=Tahoma\r\n");
}

TEST_F(SettingsFileTest, ValuesComeBackAsWritten) {
    auto ini = Open();
    // Comma texts with quoted items start and end with a quote; blanks at the ends would be trimmed.
    const std::string values[] = {"\"Program Files\"", "\"\"", "'x'", " lead", "trail ", "\"a\",b", "", "\"", "plain"};
    for (const auto& value : values) {
        ini.WriteText(keys::kFoldersToIgnore, value);
        EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), value) << value;
    }
    ini.WriteText(keys::kFoldersToIgnore, "\"Program Files\"");
    EXPECT_EQ(File(), "[Duplicate file]\r\nFoldersToIgnore=\"\"Program Files\"\"\r\n");
    // A line break in a value cannot start a line of its own.
    ini.WriteText(keys::kFileMask, "*.a\r\n[General]\r\nLanguage/Kieli=0");
    EXPECT_EQ(ini.ReadText(keys::kFileMask), "*.a  [General]  Language/Kieli=0");
    EXPECT_EQ(ini.ReadText(keys::kLanguage.section, keys::kLanguage.name, ""), "");
}

TEST_F(SettingsFileTest, BinaryAndNulFilledFilesGiveDefaults) {
    std::string binary;
    uint32_t seed = 12345;
    for (int i = 0; i < 65536; ++i) {
        seed = seed * 1103515245u + 12345u;
        binary += static_cast<char>(seed >> 24);
    }
    for (const std::string& junk : {binary, std::string(4096, '\0')}) {
        Put(junk);
        auto ini = Open();
        EXPECT_EQ(ini.ReadText(keys::kFileMask), "*.*");
        EXPECT_EQ(ini.ReadInteger(keys::kRepeatInterval), 10);
        EXPECT_TRUE(ini.ReadFlag(keys::kFloppyIsMaster));
        ini.WriteFlag(keys::kFloppyIsMaster, false);
        EXPECT_FALSE(ini.ReadFlag(keys::kFloppyIsMaster));
        // The junk is left as it was; the new section follows it.
        EXPECT_EQ(File().substr(0, junk.size()), junk);
    }
    // A NUL ends a value.
    Put(std::string("[Chart]\r\nRepeatInterval=15\0 garbage\r\n", 34));
    EXPECT_EQ(Open().ReadInteger(keys::kRepeatInterval), 15);
}

TEST_F(SettingsFileTest, Utf8FileWithMarkStaysUtf8) {
    Put("\xEF\xBB\xBF[Duplicate file]\r\nFoldersToIgnore=K\xC3\xA4ytt\xC3\xA4j\xC3\xA4t\r\n");
    auto ini = Open();
    EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), "K\xC3\xA4ytt\xC3\xA4j\xC3\xA4t");
    ini.WriteText(keys::kFileMask, "*.\xC3\xA4");
    EXPECT_EQ(
        File(),
        "\xEF\xBB\xBF[Duplicate file]\r\nFoldersToIgnore=K\xC3\xA4ytt\xC3\xA4j\xC3\xA4t\r\nFileMask=*.\xC3\xA4\r\n");
    // Without the mark the same bytes are ANSI.
    Put("[Duplicate file]\r\nFoldersToIgnore=\xC3\xA4\r\n");
    EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), "\xC3\x83\xC2\xA4");
}

TEST_F(SettingsFileTest, Utf16FileStaysUtf16) {
    const auto utf16 = [](std::string_view ascii) {
        std::string bytes = "\xFF\xFE";
        for (const char c : ascii) {
            bytes += c;
            bytes += '\0';
        }
        return bytes;
    };
    Put(utf16("[General]\r\nLanguage/Kieli=0\r\n"));
    auto ini = Open();
    EXPECT_FALSE(ini.ReadFlag(keys::kLanguage));
    ini.WriteFlag(keys::kLanguage, true);
    ini.WriteText(keys::kFileMask, "*.txt");
    EXPECT_EQ(File(), utf16("[General]\r\nLanguage/Kieli=1\r\n\r\n[Duplicate file]\r\nFileMask=*.txt\r\n"));
}

TEST_F(SettingsFileTest, ValueTheCodePageCannotHoldTurnsTheFileIntoUtf8) {
    Put("[Duplicate file]\r\nFoldersToIgnore=\xE4ij\xE4\r\n");  // Latin-1 "äijä"
    auto ini = Open();
    EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), "\xC3\xA4ij\xC3\xA4");
    ini.WriteText(keys::kRootFolder, "\\\xC3\xA5");  // "å" fits: the file stays ANSI
    EXPECT_EQ(File(), "[Duplicate file]\r\nFoldersToIgnore=\xE4ij\xE4\r\nRootFolder=\\\xE5\r\n");
    ini.WriteText(keys::kFileMask, "\xE6\x97\xA5\xE6\x9C\xAC.txt");  // "日本.txt" does not
    // The mark comes first; the lines the program did not change keep their ANSI bytes.
    EXPECT_EQ(File(),
              "\xEF\xBB\xBF[Duplicate file]\r\nFoldersToIgnore=\xE4ij\xE4\r\nRootFolder=\\\xE5\r\n"
              "FileMask=\xE6\x97\xA5\xE6\x9C\xAC.txt\r\n");
    EXPECT_EQ(ini.ReadText(keys::kFileMask), "\xE6\x97\xA5\xE6\x9C\xAC.txt");
    EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), "\xC3\xA4ij\xC3\xA4");
    EXPECT_EQ(ini.ReadText(keys::kRootFolder), "\\\xC3\xA5");
    // A kept line that is written again is written as UTF-8; the others stay as they were.
    ini.WriteText(keys::kFoldersToIgnore, "\xC3\xB6");
    EXPECT_EQ(File(),
              "\xEF\xBB\xBF[Duplicate file]\r\nFoldersToIgnore=\xC3\xB6\r\nRootFolder=\\\xE5\r\n"
              "FileMask=\xE6\x97\xA5\xE6\x9C\xAC.txt\r\n");
    EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), "\xC3\xB6");
    EXPECT_EQ(ini.ReadText(keys::kRootFolder), "\\\xC3\xA5");
}

TEST_F(SettingsFileTest, ChangingToUtf8KeepsCommentsAndUnknownKeysByteForByte) {
    // A comment and a key of another program, with bytes that are neither UTF-8 nor all printable.
    const std::string kept = "; \xA9 \x81\xFE\r\n[Other]\r\nName=\xC6\xD8\xC5\r\n";
    Put(kept);
    auto ini = Open();
    ini.WriteText(keys::kFileMask, "\xD0\x96");  // a Cyrillic letter: no Latin-1 form
    EXPECT_EQ(File(), "\xEF\xBB\xBF" + kept + "\r\n[Duplicate file]\r\nFileMask=\xD0\x96\r\n");
    EXPECT_EQ(ini.ReadText("Other", "Name", ""), "\xC3\x86\xC3\x98\xC3\x85");
    // A line of a UTF-8 file that an editor saved in ANSI is read as ANSI, not as replacement characters.
    Put("\xEF\xBB\xBF[Duplicate file]\r\nFoldersToIgnore=T\xE4m\xE4\r\nFileMask=\xC3\xA4\r\n");
    EXPECT_EQ(ini.ReadText(keys::kFoldersToIgnore), "T\xC3\xA4m\xC3\xA4");
    EXPECT_EQ(ini.ReadText(keys::kFileMask), "\xC3\xA4");
}

TEST_F(SettingsFileTest, FailedWriteRaisesAndLeavesTheFileAsItWas) {
    const std::string before = "[General]\r\nLanguage/Kieli=1\r\n";
    Put(before);
    auto ini = Open();
    store_.readOnly.insert(kPath);
    try {
        ini.WriteFlag(keys::kLanguage, false);
        FAIL() << "no error";
    } catch (const base::Error& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + kPath);
    }
    EXPECT_EQ(File(), before);

    // A file that is there but cannot be read is not replaced by one holding a single value.
    store_.readOnly.clear();
    store_.unreadable.insert(kPath);
    EXPECT_TRUE(ini.ReadFlag(keys::kLanguage.section, keys::kLanguage.name, true));
    EXPECT_THROW(ini.WriteFlag(keys::kLanguage, false), base::Error);
    EXPECT_EQ(File(), before);

    // Nor is a file far too large to be settings.
    store_.unreadable.clear();
    const std::string huge = before + std::string(settings::kSettingsFileByteLimit, 'x');
    Put(huge);
    EXPECT_FALSE(ini.ReadFlag(keys::kLanguage, false));
    EXPECT_THROW(ini.WriteFlag(keys::kLanguage, false), base::Error);
    EXPECT_EQ(File(), huge);
    EXPECT_EQ(store_.writes, 0);
}

}  // namespace
