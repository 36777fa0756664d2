#include <windows.h>

#include <gtest/gtest.h>

#include "support/win/temp_folder.h"
#include "support/win/test_drives.h"

using namespace testing_support;

TEST(TestHarness, PrefixHasNoDriveOntoTheLinuxRoot) {
    EXPECT_EQ(GetDriveTypeW(L"Z:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    EXPECT_EQ(GetDriveTypeW(L"C:\\"), static_cast<UINT>(DRIVE_FIXED));
}

TEST(TestHarness, DrivesOfEachTypePointAtTheTestsOwnFolder) {
    TempFolder folder;
    WriteFile(folder / "probe.txt", "x");
    for (const auto type : {DriveType::CdRom, DriveType::Network, DriveType::Removable, DriveType::Fixed}) {
        char letter = 0;
        {
            TestDrive drive(type, folder.Path());
            letter = drive.Letter();
            const std::wstring root{static_cast<wchar_t>(letter), L':', L'\\'};
            EXPECT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(type));
            EXPECT_TRUE(FileExists(drive.Root() + "probe.txt"));
        }
        const std::wstring root{static_cast<wchar_t>(letter), L':', L'\\'};
        EXPECT_EQ(GetDriveTypeW(root.c_str()), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
    }
}
