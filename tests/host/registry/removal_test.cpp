#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "base/error.h"
#include "base/texts.h"
#include "fakes.h"
#include "registry/reg_file.h"
#include "registry/registry_removal.h"
#include "registry/utf16.h"

using platform::RegistryRoot;
using registry::BackupValue;
using registry::ResultRow;

namespace {

std::string Utf16(const std::u16string& text) {
    return fakes::Utf16Bytes(text);
}

TEST(SplitKeyCell, GivesTheRootAndTheAbsolutePath) {
    const auto machine = registry::SplitKeyCell("HKEY_LOCAL_MACHINE: Software\\Classes\\xfile\\DefaultIcon");
    ASSERT_TRUE(machine);
    EXPECT_EQ(machine->root, RegistryRoot::LocalMachine);
    EXPECT_EQ(machine->path, "\\Software\\Classes\\xfile\\DefaultIcon");
    const auto users = registry::SplitKeyCell("HKEY_USERS: S-1-5-21\\Software:Odd");
    ASSERT_TRUE(users);
    EXPECT_EQ(users->root, RegistryRoot::Users);
    EXPECT_EQ(users->path, "\\S-1-5-21\\Software:Odd");  // only the first colon separates
    EXPECT_EQ(registry::SplitKeyCell("HKEY_CURRENT_USER: ")->path, "\\");
    EXPECT_FALSE(registry::SplitKeyCell("HKEY_CLASSES_ROOT: x"));
    EXPECT_FALSE(registry::SplitKeyCell("hkey_users: x"));
    EXPECT_FALSE(registry::SplitKeyCell("no colon"));
}

TEST(CountText, InBothLanguages) {
    EXPECT_EQ(registry::CountText(12), "Number of invalid references: 12");
    base::SetFinnishUI(true);
    EXPECT_EQ(registry::CountText(12), "Virheellisiä viittauksia: 12kpl");
    EXPECT_EQ(registry::CountText(0), "Virheellisiä viittauksia: 0kpl");
    base::SetFinnishUI(false);
}

TEST(RegFile, WritesRegeditsFormatExactly) {
    const std::vector<BackupValue> values{
        {"HKEY_CURRENT_USER", "Software\\Test", "", 1, Utf16(u"C:\\OLD\\A.DLL") + std::string(2, '\0')},
        {"HKEY_CURRENT_USER", "Software\\Test", "say \"hi\"\\", 1, Utf16(u"\"C:\\X\"") + std::string(2, '\0')},
        {"HKEY_CURRENT_USER", "Software\\Test", "exp", 2, Utf16(u"%A%") + std::string(2, '\0')},
        {"HKEY_USERS", "S\\K", "raw", 1, Utf16(u"AB")},
    };
    const std::string expected = Utf16(
        u"\uFEFFWindows Registry Editor Version 5.00\r\n"
        u"\r\n"
        u"[HKEY_CURRENT_USER\\Software\\Test]\r\n"
        u"@=\"C:\\\\OLD\\\\A.DLL\"\r\n"
        u"\"say \\\"hi\\\"\\\\\"=\"\\\"C:\\\\X\\\"\"\r\n"
        u"\"exp\"=hex(2):25,00,41,00,25,00,00,00\r\n"
        u"\r\n"
        u"[HKEY_USERS\\S\\K]\r\n"
        u"\"raw\"=hex(1):41,00,42,00\r\n"
        u"\r\n");
    EXPECT_EQ(registry::RegFileBytes(values), expected);
}

TEST(RegFile, LongDataIsWrappedAndEverythingReadsBack) {
    std::u16string longText;
    for (int i = 0; i < 300; ++i)
        longText += static_cast<char16_t>(u'A' + i % 26);
    const std::vector<BackupValue> values{
        {"HKEY_CURRENT_USER", "Software\\T", "long", 2, Utf16(longText) + std::string(2, '\0')},
        {"HKEY_CURRENT_USER", "Software\\T", "ends in backslash", 1, Utf16(u"C:\\DIR\\") + std::string(2, '\0')},
        {"HKEY_CURRENT_USER", "Software\\T", "line\tbreak", 1, Utf16(u"a\r\nb") + std::string(2, '\0')},
        {"HKEY_LOCAL_MACHINE", "Software\\\u00c4", "\u00e4\u20ac", 1,
         Utf16(u"C:\\\u00c4\U0001F600.DLL") + std::string(2, '\0')},
        {"HKEY_LOCAL_MACHINE", "Software\\\u00c4", "odd", 1, std::string("A\0B", 3)},
        {"HKEY_LOCAL_MACHINE", "Software\\\u00c4", "n", 4, std::string("\x78\x56\x34\x12", 4)},
        {"HKEY_LOCAL_MACHINE", "Software\\\u00c4", "empty", 3, ""},
    };
    const std::string bytes = registry::RegFileBytes(values);
    const std::u16string text = registry::UnitsOf(bytes);
    size_t lineStart = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == u'\n') {
            EXPECT_LE(i - lineStart, 81u);
            lineStart = i + 1;
        }
    }
    EXPECT_NE(text.find(u"\"n\"=dword:12345678\r\n"), std::u16string::npos);
    const auto parsed = registry::ParseRegFile(bytes);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(*parsed, values);
}

TEST(RegFile, RejectsWhatIsNotABackup) {
    const auto file = [](const std::u16string& text) { return "\xFF\xFE" + Utf16(text); };
    EXPECT_FALSE(registry::ParseRegFile(""));
    EXPECT_FALSE(registry::ParseRegFile("Windows Registry Editor Version 5.00\r\n"));  // not UTF-16
    EXPECT_FALSE(registry::ParseRegFile(file(u"REGEDIT4\r\n")));
    const std::u16string header = u"Windows Registry Editor Version 5.00\r\n";
    EXPECT_FALSE(registry::ParseRegFile(file(header + u"\"a\"=\"b\"\r\n")));  // a value outside any key
    EXPECT_FALSE(registry::ParseRegFile(file(header + u"[-HKEY_CURRENT_USER\\X]\r\n")));
    EXPECT_FALSE(registry::ParseRegFile(file(header + u"[HKEY_CURRENT_USER\\X]\r\n\"a\"=-\r\n")));
    EXPECT_FALSE(registry::ParseRegFile(file(header + u"[HKEY_CURRENT_USER\\X]\r\n\"a\"=hex:4\r\n")));
    EXPECT_FALSE(registry::ParseRegFile(file(header + u"[HKEY_CURRENT_USER\\X]\r\n\"a\"=hex:41,\\\r\n")));
    EXPECT_FALSE(registry::ParseRegFile(file(header + u"[HKEY_CURRENT_USER\\X]\r\n\"a=\"b\"\r\n")));
    const auto empty = registry::ParseRegFile(file(header + u"\r\n; comment\r\n[HKEY_USERS\\X]\r\n"));
    ASSERT_TRUE(empty);
    EXPECT_TRUE(empty->empty());
}

struct Removal : testing::Test {
    Removal() {
        auto& key = registry.Root(RegistryRoot::CurrentUser).Key("Software\\Test\\App");
        key.SetString("a", "C:\\DEAD\\A.DLL");
        key.SetString("b", "C:\\DEAD\\B.DLL", 2);
        key.SetString("keep", "C:\\DEAD\\K.DLL");
        registry.Root(RegistryRoot::CurrentUser).Key("Software\\Test\\App\\Sub");
        target.programFolder = "C:\\Vireo";
        target.now = base::DateTime{2026, 12, 9, 13, 5, 7};
        target.write = [this](const std::string& path, const std::string& bytes) {
            writtenPath = path;
            written = bytes;
            return writeSucceeds;
        };
    }
    static ResultRow Row(const std::string& name, const std::string& text) {
        return {"HKEY_CURRENT_USER: Software\\Test\\App", "", name, text};
    }
    std::vector<std::string> ValueNames() {
        std::vector<std::string> names;
        for (const auto& [name, data] : registry.Root(RegistryRoot::CurrentUser).Key("Software\\Test\\App").values)
            names.push_back(name);
        return names;
    }

    fakes::FakeRegistry registry;
    registry::Reg reg{registry};
    registry::BackupTarget target;
    bool writeSucceeds = true;
    std::string writtenPath;
    std::string written;
};

TEST_F(Removal, DeletesOnlyTheValuesAfterSavingThem) {
    const auto result = registry::RemoveRows(reg, {Row("a", "C:\\DEAD\\A.DLL"), Row("b", "C:\\DEAD\\B.DLL")}, target);
    EXPECT_FALSE(result.backupFailed);
    EXPECT_EQ(result.removedRows, (std::vector<size_t>{0, 1}));
    EXPECT_TRUE(result.keptRows.empty());
    EXPECT_EQ(ValueNames(), std::vector<std::string>{"keep"});
    EXPECT_NE(registry.Root(RegistryRoot::CurrentUser).Key("Software\\Test\\App").Find("Sub"), nullptr);
    EXPECT_EQ(writtenPath, "C:\\Vireo\\Registry backup 2026-12-09 13.05.07.reg");
    EXPECT_EQ(result.backupPath, writtenPath);
    const auto saved = registry::ParseRegFile(written);
    ASSERT_TRUE(saved);
    const std::vector<BackupValue> expected{
        {"HKEY_CURRENT_USER", "Software\\Test\\App", "a", 1, Utf16(u"C:\\DEAD\\A.DLL") + std::string(2, '\0')},
        {"HKEY_CURRENT_USER", "Software\\Test\\App", "b", 2, Utf16(u"C:\\DEAD\\B.DLL") + std::string(2, '\0')},
    };
    EXPECT_EQ(*saved, expected);
}

TEST_F(Removal, ARowWhoseValueIsGoneIsRemovedWithoutComplaint) {
    const std::vector<ResultRow> rows{Row("a", "C:\\DEAD\\A.DLL"), Row("a", "C:\\DEAD\\A.DLL"), Row("gone", "x")};
    const auto result = registry::RemoveRows(reg, rows, target);
    EXPECT_EQ(result.removedRows, (std::vector<size_t>{0, 1, 2}));
    EXPECT_EQ(ValueNames(), (std::vector<std::string>{"b", "keep"}));

    // Nothing left to save: no backup file at all.
    written.clear();
    writtenPath.clear();
    const auto again = registry::RemoveRows(reg, {Row("a", "C:\\DEAD\\A.DLL")}, target);
    EXPECT_EQ(again.removedRows, std::vector<size_t>{0});
    EXPECT_TRUE(writtenPath.empty());
    EXPECT_TRUE(again.backupPath.empty());
}

TEST_F(Removal, AValueChangedSinceTheScanIsLeftAlone) {
    auto& key = registry.Root(RegistryRoot::CurrentUser).Key("Software\\Test\\App");
    key.values[0].second = platform::RegistryData{1, Utf16(u"C:\\WINDOWS\\A.DLL") + std::string(2, '\0')};
    key.values[1].second = platform::RegistryData{4, std::string(4, '\0')};
    const auto result = registry::RemoveRows(
        reg, {Row("a", "C:\\DEAD\\A.DLL"), Row("b", "C:\\DEAD\\B.DLL"), Row("keep", "C:\\DEAD\\K.DLL")}, target);
    EXPECT_EQ(result.removedRows, std::vector<size_t>{2});
    EXPECT_EQ(result.keptRows, (std::vector<size_t>{0, 1}));
    EXPECT_EQ(ValueNames(), (std::vector<std::string>{"a", "b"}));
}

TEST_F(Removal, KeptRowsAreCountedByReasonAndTold) {
    auto& key = registry.Root(RegistryRoot::CurrentUser).Key("Software\\Test\\App");
    key.values[0].second = platform::RegistryData{1, Utf16(u"C:\\WINDOWS\\A.DLL") + std::string(2, '\0')};
    key.values.push_back({"two\nlines", platform::RegistryData{1, Utf16(u"C:\\DEAD\\N.DLL") + std::string(2, '\0')}});
    const auto result = registry::RemoveRows(
        reg, {Row("a", "C:\\DEAD\\A.DLL"), Row("b", "C:\\DEAD\\B.DLL"), Row("two\nlines", "C:\\DEAD\\N.DLL")}, target);
    EXPECT_EQ(result.removedRows, std::vector<size_t>{1});
    EXPECT_EQ(result.keptRows, (std::vector<size_t>{0, 2}));
    EXPECT_EQ(result.keptChanged, 1u);
    EXPECT_EQ(result.keptUnsavable, 1u);
    EXPECT_EQ(result.keptFailed, 0u);
    EXPECT_EQ(registry::KeptRowsText(result),
              "2 selected entries were not removed and stay in the list:\n"
              "- 1 changed after the search\n"
              "- 1 have a name that a backup file cannot hold");
    base::SetFinnishUI(true);
    const std::string finnish = registry::KeptRowsText(result);
    base::SetFinnishUI(false);
    EXPECT_EQ(finnish.rfind("2 valittua tietuetta jäi poistamatta", 0), 0u) << finnish;

    registry::RemovalResult clean;
    clean.removedRows = {0};
    EXPECT_EQ(registry::KeptRowsText(clean), "");
}

TEST_F(Removal, NamesThatCannotBeReopenedExactlyAreNeverRemoved) {
    // The system's calls would cut these names at their NUL and reach "a" or the key "App" instead.
    const std::string nulName("a\0b", 3);
    auto& key = registry.Root(RegistryRoot::CurrentUser).Key("Software\\Test\\App");
    key.SetString(nulName, "C:\\DEAD\\A.DLL");
    registry.Root(RegistryRoot::CurrentUser)
        .Key("Software\\Test\\App")
        .Key(std::string("x\0y", 3))
        .SetString("v", "C:\\DEAD\\V.DLL");
    const ResultRow inNulKey{"HKEY_CURRENT_USER: Software\\Test\\App\\" + std::string("x\0y", 3), "", "v",
                             "C:\\DEAD\\V.DLL"};
    // A name with a lone surrogate reopens exactly, so it goes like any other.
    const std::string loneName = registry::Utf16ToUtf8(std::u16string(u"s") + char16_t(0xDC01));
    key.SetString(loneName, "C:\\DEAD\\S.DLL");
    const auto result = registry::RemoveRows(
        reg, {Row(nulName, "C:\\DEAD\\A.DLL"), inNulKey, Row(loneName, "C:\\DEAD\\S.DLL")}, target);
    EXPECT_EQ(result.keptRows, (std::vector<size_t>{0, 1}));
    EXPECT_EQ(result.removedRows, (std::vector<size_t>{2}));
    EXPECT_EQ(result.keptUnsavable, 2u);
    EXPECT_EQ(ValueNames(), (std::vector<std::string>{"a", "b", "keep", nulName}));
    EXPECT_FALSE(reg.OpenKey(inNulKey.key.substr(19)));
    EXPECT_FALSE(reg.ReadData(nulName));
}

TEST_F(Removal, NothingIsDeletedWhenTheBackupCannotBeWritten) {
    writeSucceeds = false;
    const auto result = registry::RemoveRows(reg, {Row("a", "C:\\DEAD\\A.DLL"), Row("b", "C:\\DEAD\\B.DLL")}, target);
    EXPECT_TRUE(result.backupFailed);
    EXPECT_TRUE(result.removedRows.empty());
    EXPECT_EQ(ValueNames(), (std::vector<std::string>{"a", "b", "keep"}));
    EXPECT_NE(result.warning.find("Nothing was removed from the Registry"), std::string::npos);
    EXPECT_NE(result.warning.find(writtenPath), std::string::npos);
    base::SetFinnishUI(true);
    const auto finnish = registry::RemoveRows(reg, {Row("a", "C:\\DEAD\\A.DLL")}, target);
    base::SetFinnishUI(false);
    EXPECT_EQ(finnish.warning.rfind("Rekisteristä ei poistettu mitään", 0), 0u);
}

TEST_F(Removal, AKeyThatCannotBeOpenedEndsTheRemovalBeforeAnythingIsDeleted) {
    ResultRow lost{"HKEY_CURRENT_USER: Software\\Test\\Gone", "", "x", "C:\\DEAD\\X.DLL"};
    try {
        registry::RemoveRows(reg, {Row("a", "C:\\DEAD\\A.DLL"), lost}, target);
        FAIL() << "no error";
    } catch (const base::Error& error) {
        EXPECT_STREQ(error.what(), "Error opening registry key \\Software\\Test\\Gone");
    }
    EXPECT_EQ(ValueNames(), (std::vector<std::string>{"a", "b", "keep"}));
    EXPECT_TRUE(written.empty());
    base::SetFinnishUI(true);
    try {
        registry::RemoveRows(reg, {lost}, target);
    } catch (const base::Error& error) {
        EXPECT_STREQ(error.what(), "Virhe avattaessa rekisterin avainta \\Software\\Test\\Gone");
    }
    base::SetFinnishUI(false);
}

TEST(WriteFileReplacing, WritesWholeFilesAndFailsCleanly) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("vireo-registry-" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(folder);
    const std::string path = (folder / "backup.reg").string();
    EXPECT_TRUE(registry::WriteFileReplacing(path, std::string("\xFF\xFE\0a", 4)));
    std::string content;
    {
        std::ifstream in(path, std::ios::binary);
        content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    EXPECT_EQ(content, std::string("\xFF\xFE\0a", 4));
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
    EXPECT_FALSE(registry::WriteFileReplacing((folder / "no such folder" / "x.reg").string(), "x"));
    std::filesystem::remove_all(folder);
}

}  // namespace

namespace {

// Damaged backups (cut short, bytes changed) are refused or read without harm, never crash.
TEST(RegFile, DamagedFilesAreHandledSafely) {
    const std::vector<BackupValue> values{
        {"HKEY_CURRENT_USER", "Software\\T", "a\"b", 1, Utf16(u"C:\\X\\") + std::string(2, '\0')},
        {"HKEY_CURRENT_USER", "Software\\T", "", 2, Utf16(std::u16string(60, u'x')) + std::string(2, '\0')},
        {"HKEY_USERS", "S\\K", "n", 4, std::string(4, '\x7f')},
    };
    const std::string bytes = registry::RegFileBytes(values);
    size_t parsed = 0;
    for (size_t cut = 0; cut < bytes.size(); ++cut) {
        if (registry::ParseRegFile(bytes.substr(0, cut)))
            ++parsed;
    }
    for (size_t at = 2; at < bytes.size(); ++at) {
        for (const char c : {'\0', '\\', '"', '[', '\n', '\xD8'}) {
            std::string damaged = bytes;
            damaged[at] = c;
            registry::ParseRegFile(damaged);
        }
    }
    EXPECT_GT(parsed, 0u);  // cuts at line ends still read
    EXPECT_EQ(registry::ParseRegFile(bytes), values);
}

}  // namespace
