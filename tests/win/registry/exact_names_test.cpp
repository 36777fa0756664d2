#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/path_probe.h"
#include "platform/registry.h"
#include "registry/reg.h"
#include "registry/registry_removal.h"
#include "registry/registry_scan.h"
#include "registry/utf16.h"
#include "registry_support.h"
#include "support/win/temp_folder.h"

using platform::RegistryRoot;
using registry::ResultRow;
using registry_test::TestKey;
using testing_support::TempFolder;

namespace {

std::vector<std::string> ValueNamesOf(const TestKey& key) {
    registry::Reg reg(platform::SystemRegistry());
    reg.SetRootKey(RegistryRoot::CurrentUser);
    EXPECT_TRUE(reg.OpenKey("\\" + key.Path()));
    std::vector<std::string> names = reg.GetValueNames();
    std::sort(names.begin(), names.end());
    return names;
}

registry::BackupTarget TargetIn(const TempFolder& folder) {
    registry::BackupTarget target;
    target.programFolder = folder.Path();
    target.now = base::DateTime{2026, 12, 9, 18, 0, 0};
    return target;
}

}  // namespace

TEST(RegistryExactNames, ALongTextWithDotDotNamingAFileIsLive) {
    TempFolder folder;
    const std::string deep = std::string(120, 'd');
    const std::string other = std::string(120, 'o');
    testing_support::WriteFile(folder / (deep + "\\REAL.DLL"), "x");
    testing_support::MakeFolder(folder / other);
    const std::string live = folder / (other + "\\..\\" + deep + "\\.\\REAL.DLL");
    const std::string dead = folder / (other + "\\..\\" + deep + "\\GONE.DLL");
    ASSERT_GE(live.size(), 260u);
    const auto& probe = platform::SystemPathProbe();
    EXPECT_TRUE(registry::IsLiveReference(live, probe));
    EXPECT_FALSE(registry::IsLiveReference(dead, probe));
    // Short texts follow the same rules: the last dots of a name are dropped as any program opening it would.
    EXPECT_TRUE(registry::IsLiveReference(folder / (deep + "\\REAL.DLL."), probe));
}

TEST(RegistryExactNames, ALoneSurrogateNameIsRemovedAsItselfOnly) {
    TempFolder program;
    TestKey key;
    const std::string lone = registry::Utf16ToUtf8(std::u16string(u"s") + char16_t(0xDC01));
    const std::string replaced = "s\xEF\xBF\xBD";  // "s" and U+FFFD: what a lossy conversion would make of it
    key.SetText("", lone, "C:\\NOSUCH\\LONE.DLL");
    key.SetText("", replaced, "C:\\NOSUCH\\LONE.DLL");
    ASSERT_EQ(ValueNamesOf(key), (std::vector<std::string>{lone, replaced}));

    registry::Reg reg(platform::SystemRegistry());
    const ResultRow row{"HKEY_CURRENT_USER: " + key.Path(), "", lone, "C:\\NOSUCH\\LONE.DLL"};
    const auto result = registry::RemoveRows(reg, {row}, TargetIn(program));
    EXPECT_EQ(result.removedRows, std::vector<size_t>{0});
    EXPECT_EQ(ValueNamesOf(key), std::vector<std::string>{replaced});
}

TEST(RegistryExactNames, ANameWithANulIsNeverRemovedInPlaceOfAnother) {
    TempFolder program;
    TestKey key;
    const std::string nulName("a\0b", 3);
    key.SetText("", "a", "C:\\NOSUCH\\A.DLL");
    key.SetText("", nulName, "C:\\NOSUCH\\A.DLL");
    ASSERT_EQ(ValueNamesOf(key), (std::vector<std::string>{"a", nulName}));

    registry::Reg reg(platform::SystemRegistry());
    const ResultRow row{"HKEY_CURRENT_USER: " + key.Path(), "", nulName, "C:\\NOSUCH\\A.DLL"};
    const auto result = registry::RemoveRows(reg, {row}, TargetIn(program));
    EXPECT_EQ(result.keptRows, std::vector<size_t>{0});
    EXPECT_TRUE(result.removedRows.empty());
    EXPECT_EQ(ValueNamesOf(key), (std::vector<std::string>{"a", nulName}));
}
