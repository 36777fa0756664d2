#include <windows.h>

#include <gtest/gtest.h>

#include "platform/win32/unicode.h"
#include "support/win/process.h"
#include "support/win/temp_folder.h"

using namespace testing_support;
using platform::win32::Widen;

namespace {

// A copy of the program in a folder of its own, with a language already chosen so no first-run
// question stands in the way.
class InstalledCopy {
  public:
    InstalledCopy() {
        exe_ = folder_ / "vireo.exe";
        CopyFileW(Widen(VireoExePath()).c_str(), Widen(exe_).c_str(), FALSE);
        WriteFile(folder_ / "Options.ini", "[General]\r\nLanguage/Kieli=1\r\n");
    }
    const std::string& Exe() const { return exe_; }

  private:
    TempFolder folder_;
    std::string exe_;
};

}  // namespace

TEST(SingleInstance, SecondCopyWakesTheFirstAndEndsWithZero) {
    InstalledCopy copy;
    ChildProcess first(copy.Exe());
    HWND main = WaitForWindow(first.Id(), L"Vireo 1.5 by Lumoworks", 20000);
    ASSERT_NE(main, nullptr) << "the first copy never showed its main window";

    ShowWindow(main, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(main));

    {
        ChildProcess second(copy.Exe());
        const auto code = second.WaitForExit(15000);
        ASSERT_TRUE(code.has_value()) << "the second copy did not end";
        EXPECT_EQ(*code, 0u);
    }
    EXPECT_FALSE(IsIconic(main)) << "the first copy was not restored";
    EXPECT_TRUE(IsWindowVisible(main));

    // A second copy while the first is in front changes nothing visible there.
    const int windowsBefore = CountVisibleWindows(first.Id());
    {
        ChildProcess second(copy.Exe());
        const auto code = second.WaitForExit(15000);
        ASSERT_TRUE(code.has_value());
        EXPECT_EQ(*code, 0u);
    }
    EXPECT_FALSE(IsIconic(main));
    EXPECT_EQ(CountVisibleWindows(first.Id()), windowsBefore);

    // Closing the main window ends the program.
    PostMessageW(main, WM_CLOSE, 0, 0);
    const auto code = first.WaitForExit(15000);
    ASSERT_TRUE(code.has_value()) << "closing the main window did not end the program";
    EXPECT_EQ(*code, 0u);
}
