#include <windows.h>

#include <gtest/gtest.h>

#include "base/error.h"
#include "platform/file_store.h"
#include "platform/file_system.h"
#include "platform/registry.h"
#include "platform/win32/unicode.h"
#include "registry/reg.h"
#include "registry/reg_file.h"
#include "registry/registry_removal.h"
#include "registry_support.h"
#include "support/win/temp_folder.h"

using platform::RegistryRoot;
using registry::ResultRow;
using registry_test::StringBytes;
using registry_test::TestKey;
using testing_support::TempFolder;

namespace {

struct Stored {
    std::string relative;
    std::string name;
    DWORD type;
    std::string bytes;
};

ResultRow RowOf(const TestKey& key, const std::string& relative, const std::string& name, const std::string& text) {
    return {"HKEY_CURRENT_USER: " + key.Path() + "\\" + relative, "", name, text};
}

registry::BackupTarget TargetIn(const TempFolder& folder) {
    registry::BackupTarget target;
    target.programFolder = folder.Path();
    target.now = base::DateTime{2026, 12, 9, 14, 30, 5};
    return target;
}

// Puts the values of a backup file back through the registry functions, the way importing it would.
void Import(const std::vector<registry::BackupValue>& values) {
    for (const auto& value : values) {
        ASSERT_EQ(value.rootName, "HKEY_CURRENT_USER");
        registry_test::SetExactly(HKEY_CURRENT_USER, value.path, value.name, value.type, value.bytes);
    }
}

TEST(RegistryRemoval, RemovesTheValuesAndItsBackupBringsThemBack) {
    TempFolder program;
    TestKey key;
    const std::vector<Stored> stored{
        {"App", "", REG_SZ, StringBytes("C:\\VireoNoSuch\\A.DLL")},
        {"App", "say \"hi\" \\ back", REG_SZ, StringBytes("C:\\VireoNoSuch\\\"Q\"\\")},
        {"App", "expand", REG_EXPAND_SZ, StringBytes("C:\\VireoNoSuch")},
        {"App", "unterminated", REG_SZ, StringBytes("C:\\VireoNoSuch\\U.DLL").substr(0, 40)},
        {"App", "odd length", REG_SZ, StringBytes("C:\\VireoNoSuch\\O.DLL").substr(0, 41)},
        {"App\\Sub", "S\xC3\xA4hk\xC3\xB6", REG_SZ, StringBytes("C:\\VireoNoSuch\\\xE2\x82\xAC.DLL")},
    };
    for (const auto& value : stored)
        key.Set(value.relative, value.name, value.type, value.bytes);
    key.SetText("App", "untouched", "C:\\VireoNoSuch\\KEEP.DLL");

    std::vector<ResultRow> rows;
    registry::Reg reg(platform::SystemRegistry());
    for (const auto& value : stored) {
        reg.SetRootKey(RegistryRoot::CurrentUser);
        ASSERT_TRUE(reg.OpenKey("\\" + key.Path() + "\\" + value.relative));
        rows.push_back(RowOf(key, value.relative, value.name, *reg.ReadString(value.name)));
    }
    const auto result = registry::RemoveRows(reg, rows, TargetIn(program));
    ASSERT_FALSE(result.backupFailed);
    EXPECT_EQ(result.removedRows, (std::vector<size_t>{0, 1, 2, 3, 4, 5}));
    for (const auto& value : stored)
        EXPECT_FALSE(key.HasValue(value.relative, value.name)) << value.name;
    EXPECT_TRUE(key.HasValue("App", "untouched"));
    // Keys are never removed, also when they are left empty.
    HKEY sub = nullptr;
    EXPECT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, platform::win32::Widen(key.Path() + "\\App\\Sub").c_str(), 0, KEY_READ, &sub),
        ERROR_SUCCESS);
    RegCloseKey(sub);

    EXPECT_EQ(result.backupPath, program / "Registry backup 2026-12-09 14.30.05.reg");
    std::string file;
    ASSERT_TRUE(testing_support::ReadFile(result.backupPath, file));
    EXPECT_EQ(file.substr(0, 2), "\xFF\xFE");
    EXPECT_FALSE(testing_support::FileExists(result.backupPath + ".tmp"));
    const auto parsed = registry::ParseRegFile(file);
    ASSERT_TRUE(parsed);
    Import(*parsed);
    for (const auto& value : stored) {
        DWORD type = 0;
        std::string bytes;
        ASSERT_TRUE(key.Get(value.relative, value.name, type, bytes)) << value.name;
        EXPECT_EQ(type, value.type) << value.name;
        EXPECT_EQ(bytes, value.bytes) << value.name;
    }

    // A second removal in the same second gets a backup of its own.
    const auto again = registry::RemoveRows(reg, {rows[0]}, TargetIn(program));
    EXPECT_EQ(again.backupPath, program / "Registry backup 2026-12-09 14.30.05 (2).reg");
}

TEST(RegistryRemoval, ARowWhoseValueIsAlreadyGoneIsPassedOver) {
    TempFolder program;
    TestKey key;
    key.SetText("App", "a", "C:\\VireoNoSuch\\A.DLL");
    key.SetText("App", "b", "C:\\VireoNoSuch\\B.DLL");
    // The same value as seen through HKEY_USERS, where the current user's hive is listed too.
    std::string usersPath;
    HKEY users = nullptr;
    wchar_t name[256];
    for (DWORD i = 0; RegEnumKeyW(HKEY_USERS, i, name, 256) == ERROR_SUCCESS; ++i) {
        const std::string candidate = platform::win32::Narrow(name) + "\\" + key.Path() + "\\App";
        if (RegOpenKeyExW(HKEY_USERS, platform::win32::Widen(candidate).c_str(), 0, KEY_READ, &users) ==
            ERROR_SUCCESS) {
            RegCloseKey(users);
            usersPath = candidate;
            break;
        }
    }
    ASSERT_FALSE(usersPath.empty());
    const std::vector<ResultRow> rows{
        RowOf(key, "App", "a", "C:\\VireoNoSuch\\A.DLL"),
        {"HKEY_USERS: " + usersPath, "", "a", "C:\\VireoNoSuch\\A.DLL"},
        RowOf(key, "App", "deleted elsewhere", "C:\\VireoNoSuch\\D.DLL"),
        RowOf(key, "App", "b", "C:\\VireoNoSuch\\B.DLL"),
    };
    registry::Reg reg(platform::SystemRegistry());
    const auto result = registry::RemoveRows(reg, rows, TargetIn(program));
    EXPECT_EQ(result.removedRows, (std::vector<size_t>{0, 1, 2, 3}));
    EXPECT_TRUE(result.keptRows.empty());
    EXPECT_FALSE(key.HasValue("App", "a"));
    EXPECT_FALSE(key.HasValue("App", "b"));
}

TEST(RegistryRemoval, NothingIsDeletedWithoutAWrittenBackup) {
    TempFolder program;
    TestKey key;
    key.SetText("App", "a", "C:\\VireoNoSuch\\A.DLL");
    registry::Reg reg(platform::SystemRegistry());
    auto target = TargetIn(program);
    target.programFolder = program / "not made";
    const auto result = registry::RemoveRows(reg, {RowOf(key, "App", "a", "C:\\VireoNoSuch\\A.DLL")}, target);
    EXPECT_TRUE(result.backupFailed);
    EXPECT_TRUE(result.removedRows.empty());
    EXPECT_TRUE(key.HasValue("App", "a"));
    EXPECT_NE(result.warning.find(program / "not made\\Registry backup"), std::string::npos);

    // A key that is gone ends the removal with the error the window's hook receives.
    EXPECT_THROW(registry::RemoveRows(reg, {RowOf(key, "Gone", "a", "x")}, TargetIn(program)), base::Error);
}

// The backup is looked for and written under the program folder's exact path, as every other file: here a
// folder whose name ends with a dot, deep enough to pass the classic length limit.
TEST(RegistryRemoval, BackupGoesUnderTheProgramFoldersExactLongPath) {
    TempFolder base;
    const std::string folder = base / (std::string(120, 'd') + "\\" + std::string(120, 'e') + "\\odd.");
    testing_support::MakeFolder(folder);
    ASSERT_TRUE(testing_support::FileExists(folder));
    TestKey key;
    key.SetText("App", "a", "C:\\VireoNoSuch\\A.DLL");
    key.SetText("App", "b", "C:\\VireoNoSuch\\B.DLL");
    registry::Reg reg(platform::SystemRegistry());
    const auto target = registry::PlatformBackupTarget(folder, base::DateTime{2026, 12, 9, 14, 30, 5},
                                                       platform::SystemFileStore(), platform::SystemFileSystem());

    const auto result = registry::RemoveRows(reg, {RowOf(key, "App", "a", "C:\\VireoNoSuch\\A.DLL")}, target);
    ASSERT_FALSE(result.backupFailed) << result.warning;
    EXPECT_EQ(result.backupPath, folder + "\\Registry backup 2026-12-09 14.30.05.reg");
    EXPECT_FALSE(key.HasValue("App", "a"));
    std::string file;
    ASSERT_TRUE(testing_support::ReadFile(result.backupPath, file));
    const auto parsed = registry::ParseRegFile(file);
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 1u);
    EXPECT_EQ((*parsed)[0].name, "a");
    // Nothing went to the folder without its dot.
    EXPECT_FALSE(testing_support::FileExists(folder.substr(0, folder.size() - 1)));

    // The first backup is seen there: the next one in the same second gets a name of its own.
    const auto again = registry::RemoveRows(reg, {RowOf(key, "App", "b", "C:\\VireoNoSuch\\B.DLL")}, target);
    ASSERT_FALSE(again.backupFailed) << again.warning;
    EXPECT_EQ(again.backupPath, folder + "\\Registry backup 2026-12-09 14.30.05 (2).reg");
    EXPECT_TRUE(testing_support::FileExists(result.backupPath));
}

TEST(RegistryAccessor, OpensWithoutCreatingAndReadsStringsWhole) {
    TestKey key;
    key.Set("K", "no nul", REG_SZ, StringBytes("C:\\ABC").substr(0, 12));
    key.Set("K", "odd", REG_EXPAND_SZ, StringBytes("C:\\ABC").substr(0, 13));
    key.Set("K", "inner nul", REG_SZ, StringBytes("C:\\A") + StringBytes("hidden"));
    const std::string big(100000, 'x');
    key.SetText("K", "big", big);
    key.Set("K\\Child", "n", REG_DWORD, std::string(4, '\0'));

    registry::Reg reg(platform::SystemRegistry());
    reg.SetRootKey(RegistryRoot::CurrentUser);
    ASSERT_TRUE(reg.OpenKey("\\" + key.Path()));
    EXPECT_EQ(reg.CurrentPath(), key.Path());
    ASSERT_TRUE(reg.OpenKey("K"));
    EXPECT_EQ(reg.CurrentPath(), key.Path() + "\\K");
    EXPECT_TRUE(reg.HasSubKeys());
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"Child"});
    EXPECT_EQ(reg.ReadString("no nul"), "C:\\ABC");
    EXPECT_EQ(reg.ReadString("odd"), "C:\\ABC");
    EXPECT_EQ(reg.ReadString("inner nul"), "C:\\A");
    EXPECT_EQ(reg.ReadString("big"), big);
    EXPECT_EQ(reg.GetDataType("odd"), static_cast<uint32_t>(REG_EXPAND_SZ));
    EXPECT_FALSE(reg.OpenKey("Missing"));
    EXPECT_EQ(reg.CurrentPath(), key.Path() + "\\K");
    HKEY missing = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, platform::win32::Widen(key.Path() + "\\K\\Missing").c_str(), 0, KEY_READ,
                            &missing),
              ERROR_FILE_NOT_FOUND);
    ASSERT_TRUE(reg.OpenKey("\\"));
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_FALSE(reg.GetKeyNames().empty());
}

}  // namespace
