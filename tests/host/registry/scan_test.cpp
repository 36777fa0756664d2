#include <gtest/gtest.h>

#include "base/error.h"
#include "base/texts.h"
#include "fakes.h"
#include "registry/registry_scan.h"

using platform::ProbeDriveType;
using platform::RegistryRoot;
using registry::ResultRow;

namespace {

// 2001-03-07 14:05:09 UTC as a FILETIME.
constexpr uint64_t kMarch2001 = 126284475090000000ull;

struct Scan : testing::Test {
    Scan() {
        probe.drives = {{'C', ProbeDriveType::Fixed}};
        probe.AddFolder("C:\\WINDOWS");
    }

    // Runs the scan over the given roots and records everything the window would see.
    size_t Run(const std::vector<registry::ScanRoot>& roots) {
        registry::ScanHooks hooks;
        hooks.status = [this](const std::string& text) { events.push_back("status " + text); };
        hooks.yield = [this] {
            events.push_back("yield");
            if (++yields == stopAfterYields)
                stopScan = true;  // as the Stop button does, during a yield
        };
        hooks.addRow = [this](const ResultRow& row, bool first) {
            rows.push_back(row);
            firstHits.push_back(first);
        };
        registry::RegistryScan scan(reg, probe, settings, hooks, stopScan);
        return scan.ScanRegistry(roots);
    }

    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& row : rows)
            texts.push_back(row.text);
        return texts;
    }

    fakes::FakeRegistry registry;
    registry::Reg reg{registry};
    fakes::FakeProbe probe;
    base::FormatSettings settings;
    bool stopScan = true;  // left over from an earlier scan; the scan clears it
    int yields = 0;
    int stopAfterYields = -1;
    std::vector<std::string> events;
    std::vector<ResultRow> rows;
    std::vector<bool> firstHits;
};

const std::vector<registry::ScanRoot> kTestRoots{
    {RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "\\Test"},
    {RegistryRoot::LocalMachine, "HKEY_LOCAL_MACHINE", "\\Software"},
};

TEST_F(Scan, WalksDepthFirstPreOrderInEnumerationOrder) {
    auto& user = registry.Root(RegistryRoot::CurrentUser);
    user.Key("Test").SetString("in start key", "C:\\DEAD\\0.DLL");
    user.Key("Test\\B").SetString("b", "C:\\DEAD\\1.DLL");
    user.Key("Test\\B\\Z").SetString("bz", "C:\\DEAD\\2.DLL");
    user.Key("Test\\B\\A").SetString("ba", "C:\\DEAD\\3.DLL");
    user.Key("Test\\B").SetString("b2", "C:\\DEAD\\4.DLL");  // after its subkeys were made, still listed first
    user.Key("Test\\A").SetString("a", "C:\\DEAD\\5.DLL");
    user.Key("Outside").SetString("x", "C:\\DEAD\\6.DLL");
    auto& machine = registry.Root(RegistryRoot::LocalMachine);
    machine.Key("Software").SetString("direct", "C:\\DEAD\\7.DLL");
    machine.Key("Software\\V").SetString("v", "C:\\DEAD\\8.DLL");
    machine.Key("System\\W").SetString("w", "C:\\DEAD\\9.DLL");

    EXPECT_EQ(Run(kTestRoots), 6u);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"C:\\DEAD\\1.DLL", "C:\\DEAD\\4.DLL", "C:\\DEAD\\2.DLL",
                                                 "C:\\DEAD\\3.DLL", "C:\\DEAD\\5.DLL", "C:\\DEAD\\8.DLL"}));
    EXPECT_EQ(rows[0].key, "HKEY_CURRENT_USER: Test\\B");
    EXPECT_EQ(rows[2].key, "HKEY_CURRENT_USER: Test\\B\\Z");
    EXPECT_EQ(rows[5].key, "HKEY_LOCAL_MACHINE: Software\\V");
    EXPECT_EQ(firstHits, (std::vector<bool>{true, false, false, false, false, false}));
    EXPECT_FALSE(stopScan);
}

TEST_F(Scan, RowsCarryKeyTimeNameAndText) {
    auto& key = registry.Root(RegistryRoot::CurrentUser).Key("Test\\App\\DefaultIcon");
    key.lastWriteTime = kMarch2001;
    key.SetString("", "C:\\NOSUCHDIR\\A.DLL");
    key.SetString("C:\\NOSUCHDIR\\A.DLL", "");
    key.SetString("live", "C:\\WINDOWS");
    settings.dateSeparator = '.';
    settings.timeSeparator = '.';

    Run(kTestRoots);
    ASSERT_EQ(rows.size(), 2u);
    const ResultRow expected{"HKEY_CURRENT_USER: Test\\App\\DefaultIcon", "03.07.2001 02.05PM", "",
                             "C:\\NOSUCHDIR\\A.DLL"};
    EXPECT_EQ(rows[0].key, expected.key);
    EXPECT_EQ(rows[0].lastModification, expected.lastModification);
    EXPECT_EQ(rows[0].valueName, expected.valueName);
    EXPECT_EQ(rows[0].text, expected.text);
    EXPECT_EQ(rows[1].valueName, "C:\\NOSUCHDIR\\A.DLL");
    EXPECT_EQ(rows[1].text, "");
}

TEST_F(Scan, OnlyTextValuesAreExaminedEachWithOneStatusAndYield) {
    auto& key = registry.Root(RegistryRoot::CurrentUser).Key("Test\\Mixed");
    key.SetString("sz", "C:\\NOSUCHDIR");
    key.SetRaw("dword", 4, std::string(4, '\0'));
    key.SetString("multi", "C:\\NOSUCHDIR", 7);
    key.SetRaw("binary", 3, "C:\\NOSUCHDIR");
    key.SetString("expand", "C:\\NOSUCHDIR", 2);
    key.SetString("env", "%SystemRoot%\\NOSUCH.DLL", 2);
    registry.Root(RegistryRoot::CurrentUser).Key("Test\\Empty");

    Run(kTestRoots);
    EXPECT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].valueName, "sz");
    EXPECT_EQ(rows[1].valueName, "expand");
    EXPECT_EQ(events, (std::vector<std::string>{"status Analyzing: Mixed", "yield", "status Analyzing: Mixed", "yield",
                                                "status Analyzing: Mixed", "yield"}));
    base::SetFinnishUI(true);
    events.clear();
    Run(kTestRoots);
    base::SetFinnishUI(false);
    EXPECT_EQ(events.front(), "status Analysoidaan: Mixed");
}

TEST_F(Scan, StopDuringTheWalkKeepsTheRowsAndSkipsTheRemainingRoots) {
    auto& user = registry.Root(RegistryRoot::CurrentUser);
    user.Key("Test\\A").SetString("1", "C:\\DEAD\\1.DLL");
    user.Key("Test\\A").SetString("2", "C:\\DEAD\\2.DLL");
    user.Key("Test\\A\\Deep").SetString("3", "C:\\DEAD\\3.DLL");
    user.Key("Test\\B").SetString("4", "C:\\DEAD\\4.DLL");
    registry.Root(RegistryRoot::LocalMachine).Key("Software\\V").SetString("v", "C:\\DEAD\\5.DLL");

    stopAfterYields = 2;
    EXPECT_EQ(Run(kTestRoots), 1u);
    EXPECT_EQ(Texts(), std::vector<std::string>{"C:\\DEAD\\1.DLL"});  // the value after the yield is not read
    EXPECT_TRUE(stopScan);
    EXPECT_EQ(yields, 2);
}

TEST_F(Scan, AParentThatCannotBeOpenedAgainEndsTheScanWithAnError) {
    auto& user = registry.Root(RegistryRoot::CurrentUser);
    user.Key("Test\\Hive\\A").SetString("1", "C:\\DEAD\\1.DLL");
    user.Key("Test\\Hive\\B").SetString("2", "C:\\DEAD\\2.DLL");
    // Opens: the start key, Hive, A; the reopen of Hive fails.
    registry.failOpensAfter = 3;
    try {
        Run(kTestRoots);
        FAIL() << "no error";
    } catch (const base::Error& error) {
        EXPECT_STREQ(error.what(), "Can not open key \\Test\\Hive");
    }
    EXPECT_EQ(Texts(), std::vector<std::string>{"C:\\DEAD\\1.DLL"});

    base::SetFinnishUI(true);
    registry.opens = 0;
    rows.clear();
    EXPECT_THROW(
        {
            try {
                Run(kTestRoots);
            } catch (const base::Error& error) {
                EXPECT_STREQ(error.what(), "Avainta \\Test\\Hive ei voitu avata!");
                throw;
            }
        },
        base::Error);
    base::SetFinnishUI(false);
}

TEST_F(Scan, KeysThatCannotBeOpenedAreSkippedWithTheirSubtrees) {
    auto& user = registry.Root(RegistryRoot::CurrentUser);
    user.Key("Test\\Locked\\Below").SetString("1", "C:\\DEAD\\1.DLL");
    user.Key("Test\\Locked").denied = true;
    user.Key("Test\\Open").SetString("2", "C:\\DEAD\\2.DLL");
    const std::vector<registry::ScanRoot> roots{{RegistryRoot::CurrentUser, "HKEY_CURRENT_USER", "\\Test"},
                                                {RegistryRoot::Users, "HKEY_USERS", "\\Missing"}};
    EXPECT_EQ(Run(roots), 1u);
    EXPECT_EQ(Texts(), std::vector<std::string>{"C:\\DEAD\\2.DLL"});
}

TEST_F(Scan, EachSubkeyCostsTwoOpens) {
    auto& user = registry.Root(RegistryRoot::CurrentUser);
    for (int i = 0; i < 50; ++i)
        user.Key("Test\\K" + std::to_string(i) + "\\L").SetString("v", "C:\\WINDOWS");
    Run(kTestRoots);
    EXPECT_EQ(registry.opens, 1 + 2 * 100 + 0 /* HKLM\Software does not exist here */);
}

TEST(LastModification, UtcTimeOnTheTwelveHourClock) {
    base::FormatSettings settings;
    EXPECT_EQ(registry::LastModificationText(kMarch2001, settings), "03/07/2001 02:05PM");
    EXPECT_EQ(registry::LastModificationText(0, settings), "01/01/1601 12:00AM");
    // 2024-02-29 12:30 UTC: noon is 12 PM, and the leap day is counted.
    EXPECT_EQ(registry::LastModificationText(133536834000000000ull, settings), "02/29/2024 12:30PM");
}

}  // namespace
