#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <set>

#include "base/error.h"
#include "base/texts.h"
#include "platform/path_probe.h"
#include "platform/registry.h"
#include "platform/win32/unicode.h"
#include "registry/registry_removal.h"
#include "registry/registry_scan.h"
#include "registry_support.h"
#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"

using platform::RegistryRoot;
using registry::ResultRow;
using registry_test::StringBytes;
using registry_test::TestKey;
using testing_support::DriveType;
using testing_support::TempFolder;
using testing_support::TestDrive;

namespace {

struct ScanRun {
    std::vector<ResultRow> rows;
    std::vector<bool> firstHits;
    size_t count = 0;
    int yields = 0;
};

// The scan as the window runs it, over the given roots, on the machine's registry and disks.
ScanRun Scan(const std::vector<registry::ScanRoot>& roots, int stopAfterYields = -1) {
    ScanRun run;
    bool stopScan = false;
    base::FormatSettings settings;
    registry::ScanHooks hooks;
    hooks.yield = [&] {
        if (++run.yields == stopAfterYields)
            stopScan = true;
    };
    hooks.addRow = [&](const ResultRow& row, bool first) {
        run.rows.push_back(row);
        run.firstHits.push_back(first);
    };
    registry::Reg reg(platform::SystemRegistry());
    registry::RegistryScan scan(reg, platform::SystemPathProbe(), settings, hooks, stopScan);
    run.count = scan.ScanRegistry(roots);
    return run;
}

std::set<std::string> NamesOf(const std::vector<ResultRow>& rows) {
    std::set<std::string> names;
    for (const auto& row : rows)
        names.insert(row.valueName);
    return names;
}

TEST(RegistryScan, ReportsExactlyTheDeadLocalReferences) {
    TempFolder folder;
    testing_support::WriteFile(folder / "live\\APP.EXE", "x");
    TempFolder cdFolder;
    TempFolder netFolder;
    TestDrive cd(DriveType::CdRom, cdFolder.Path());
    TestDrive net(DriveType::Network, netFolder.Path());
    const std::string dead = folder / "gone\\APP.DLL";
    const std::string deadFolder = folder / "gone";

    TestKey key;
    key.SetText("", "in the start key", dead);
    key.SetText("App", "dead file", dead);
    key.SetText("App", "dead folder", deadFolder);
    key.SetText("App", "dead folder slash", deadFolder + "\\");
    key.SetText("App", dead, "");
    key.SetText("App", "missing in live folder", folder / "live\\NOSUCH.DLL");
    key.SetText("App", "live file", folder / "live\\APP.EXE");
    key.SetText("App", "live folder", folder / "live");
    key.SetText("App", "quoted", "\"" + dead + "\"");
    key.SetText("App", "with switch", dead + " /S");
    key.SetText("App", "with icon index", dead + ",0");
    key.SetText("App", "list", dead + ";" + dead);
    key.SetText("App", "floppy", "A:\\NOSUCH\\X.TXT");
    key.SetText("App", "floppy b", "B:\\NOSUCH");
    key.SetText("App", "variable", "%SystemRoot%\\NOSUCH.DLL", REG_EXPAND_SZ);
    key.SetText("App", "cd-rom", cd.Root() + "NOSUCH\\SETUP.EXE");
    key.SetText("App", "network", net.Root() + "NOSUCH.DLL");
    key.SetText("App", "drive root", "C:\\");
    key.SetText("App\\Deeper", "expand", deadFolder, REG_EXPAND_SZ);
    key.Set("App\\Deeper", "multi", REG_MULTI_SZ, StringBytes(deadFolder) + std::string(2, '\0'));
    key.Set("App\\Deeper", "dword", REG_DWORD, std::string(4, '\0'));
    key.Set("App\\Deeper", "binary", REG_BINARY, StringBytes(deadFolder));
    key.Set("App\\Deeper", "unterminated", REG_SZ, StringBytes(dead).substr(0, dead.size() * 2));

    const ScanRun run = Scan({key.Root()});
    EXPECT_EQ(NamesOf(run.rows), (std::set<std::string>{"dead file", "dead folder", "dead folder slash", dead,
                                                        "missing in live folder", "expand", "unterminated"}));
    ASSERT_EQ(run.count, run.rows.size());
    // The key's own values come before those of its subkey.
    EXPECT_EQ(run.rows.back().key, "HKEY_CURRENT_USER: " + key.Path() + "\\App\\Deeper");
    EXPECT_TRUE(run.firstHits.front());
    EXPECT_EQ(std::count(run.firstHits.begin(), run.firstHits.end(), true), 1);
    // One yield per text value examined: 17 in App, 2 in Deeper; none for the start key's own value.
    EXPECT_EQ(run.yields, 19);
}

TEST(RegistryScan, ARowCarriesTheKeysWriteTimeInUtc) {
    TestKey key;
    key.SetText("Icon", "", "C:\\VireoNoSuchFolder\\A.DLL");
    const ScanRun run = Scan({key.Root()});
    ASSERT_EQ(run.rows.size(), 1u);
    EXPECT_EQ(run.rows[0].key, "HKEY_CURRENT_USER: " + key.Path() + "\\Icon");
    EXPECT_EQ(run.rows[0].valueName, "");
    EXPECT_EQ(run.rows[0].text, "C:\\VireoNoSuchFolder\\A.DLL");

    HKEY icon = nullptr;
    ASSERT_EQ(
        RegOpenKeyExW(HKEY_CURRENT_USER, platform::win32::Widen(key.Path() + "\\Icon").c_str(), 0, KEY_READ, &icon),
        ERROR_SUCCESS);
    FILETIME written{};
    RegQueryInfoKeyW(icon, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     &written);
    RegCloseKey(icon);
    SYSTEMTIME utc{};
    FileTimeToSystemTime(&written, &utc);
    char expected[32];
    const int hour = utc.wHour % 12 == 0 ? 12 : utc.wHour % 12;
    std::snprintf(expected, sizeof expected, "%02d/%02d/%04d %02d:%02d%s", utc.wMonth, utc.wDay, utc.wYear, hour,
                  utc.wMinute, utc.wHour < 12 ? "AM" : "PM");
    EXPECT_EQ(run.rows[0].lastModification, expected);
}

TEST(RegistryScan, ThreeCharacterFolderTextsOnAFixedDriveAreTestedAsFolders) {
    TempFolder folder;
    TestDrive fixed(DriveType::Fixed, folder.Path());
    TempFolder cdFolder;
    TestDrive cd(DriveType::CdRom, cdFolder.Path());
    TestKey key;
    key.SetText("Drive", "system root", "C:\\");
    key.SetText("Drive", "fixed root", fixed.Root());
    key.SetText("Drive", "fixed root missing folder", fixed.Root() + "GONE");
    key.SetText("Drive", "cd root missing folder", cd.Root() + "GONE");
    // (A fixed drive whose root is missing cannot be made here: the drive stops being fixed.)
    EXPECT_EQ(NamesOf(Scan({key.Root()}).rows), std::set<std::string>{"fixed root missing folder"});
}

namespace {
// A Linux program started from Wine may still be running when its handle says it has ended: wait until
// the folder listing shows what it made.
bool WaitForEntry(const std::string& folder, const std::string& name) {
    const std::wstring path = platform::win32::Widen(folder + name);
    for (int tries = 0; tries < 100; ++tries) {
        SetLastError(0);
        if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        const DWORD error = GetLastError();
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
            return true;  // there, though it cannot be looked into
        Sleep(50);
    }
    return false;
}
}  // namespace

TEST(RegistryScan, AFolderThatExistsButCannotBeEnteredIsLive) {
    TempFolder folder;
    testing_support::MakeFolder(folder / "real\\");
    testing_support::WriteFile(folder / "real\\x.txt", "x");
    // A link that points at itself: the folder test of a plain walk fails on it, yet it is not missing.
    const std::string loop = testing_support::UnixPathOf(folder.Path()) + "loop";
    registry_test::RunUnix("/bin/ln", {"-s", "loop", loop});
    const std::string fifo = testing_support::UnixPathOf(folder.Path()) + "real/pipe.dat";
    registry_test::RunUnix("/usr/bin/mkfifo", {fifo});
    ASSERT_TRUE(WaitForEntry(folder.Path(), "loop"));
    ASSERT_TRUE(WaitForEntry(folder / "real\\", "pipe.dat"));
    const std::wstring loopPath = platform::win32::Widen(folder / "loop");
    ASSERT_FALSE(SetCurrentDirectoryW(loopPath.c_str()));
    ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
    ASSERT_EQ(GetFileAttributesW(platform::win32::Widen(folder / "real\\pipe.dat").c_str()), INVALID_FILE_ATTRIBUTES);

    TestKey key;
    key.SetText("App", "loop", folder / "loop");
    key.SetText("App", "inside loop", folder / "loop\\APP.EXE");
    key.SetText("App", "pipe", folder / "real\\pipe.dat");
    key.SetText("App", "really gone", folder / "real\\gone.dat");
    const ScanRun run = Scan({key.Root()});
    EXPECT_EQ(NamesOf(run.rows), std::set<std::string>{"really gone"});
}

TEST(RegistryScan, ASystemFileOfThirtyTwoBitSoftwareIsLookedForInItsOwnFolder) {
    wchar_t system[MAX_PATH + 1];
    wchar_t wow[MAX_PATH + 1];
    GetSystemDirectoryW(system, MAX_PATH + 1);
    ASSERT_GT(GetSystemWow64DirectoryW(wow, MAX_PATH + 1), 0u);
    const std::string name = "VireoWow" + std::to_string(GetCurrentProcessId()) + ".dll";
    const std::string wowFile = platform::win32::Narrow(wow) + "\\" + name;
    testing_support::WriteFile(wowFile, "MZ");
    TestKey key;
    key.SetText("App", "only in the 32-bit folder", platform::win32::Narrow(system) + "\\" + name);
    key.SetText("App", "in neither", platform::win32::Narrow(system) + "\\Gone" + name);
    const ScanRun run = Scan({key.Root()});
    DeleteFileW(platform::win32::Widen(wowFile).c_str());
    EXPECT_EQ(NamesOf(run.rows), std::set<std::string>{"in neither"});
}

TEST(RegistryScan, StopDuringTheWalkKeepsTheRowsFoundSoFar) {
    TestKey key;
    for (int i = 0; i < 5; ++i)
        key.SetText("K" + std::to_string(i), "v", "C:\\VireoNoSuch\\" + std::to_string(i) + ".DLL");
    TestKey other;
    other.SetText("K", "v", "C:\\VireoNoSuch\\OTHER.DLL");
    const ScanRun run = Scan({key.Root(), other.Root()}, 3);
    EXPECT_EQ(run.yields, 3);
    ASSERT_EQ(run.rows.size(), 2u);
    EXPECT_EQ(run.rows[0].text, "C:\\VireoNoSuch\\0.DLL");
    EXPECT_EQ(run.rows[1].text, "C:\\VireoNoSuch\\1.DLL");
}

TEST(RegistryScan, TheFinnishCountOfTwelveResults) {
    TestKey key;
    for (int i = 0; i < 12; ++i)
        key.SetText("K\\" + std::to_string(i), "v", "C:\\VireoNoSuch\\" + std::to_string(i));
    base::SetFinnishUI(true);
    const ScanRun run = Scan({key.Root()});
    const std::string count = registry::CountText(run.count);
    base::SetFinnishUI(false);
    EXPECT_EQ(count, "Virheellisiä viittauksia: 12kpl");
}

TEST(RegistryScan, TheWholeDefaultRegistryIsWalkedWithoutError) {
    ScanRun run;
    ASSERT_NO_THROW(run = Scan(registry::ProgramScanRoots()));
    EXPECT_GT(run.yields, 1000);  // thousands of text values in a fresh prefix
    EXPECT_EQ(run.count, run.rows.size());
    for (const auto& row : run.rows) {
        EXPECT_TRUE(row.key.rfind("HKEY_CURRENT_USER: ", 0) == 0 || row.key.rfind("HKEY_USERS: ", 0) == 0 ||
                    row.key.rfind("HKEY_LOCAL_MACHINE: Software\\", 0) == 0)
            << row.key;
    }
    std::printf("default registry: %d text values, %zu dead references\n", run.yields, run.count);
    for (const auto& row : run.rows)
        std::printf("  %s | %s | %s\n", row.key.c_str(), row.valueName.c_str(), row.text.c_str());
}

}  // namespace
