#include <gtest/gtest.h>

#include "platform/system.h"
#include "unnecessary/command_line.h"

namespace {

using Texts = std::vector<std::string>;

TEST(ProgramArguments, SplitAsTheSystemSplitsAfterTheProgramsName) {
    EXPECT_EQ(platform::ArgumentsOf(L""), Texts{});
    EXPECT_EQ(platform::ArgumentsOf(L"\"C:\\Program Files\\Vireo\\vireo.exe\""), Texts{});
    EXPECT_EQ(platform::ArgumentsOf(L"\"C:\\Program Files\\Vireo\\vireo.exe\" \\Temp -AUTO_DELETE"),
              (Texts{"\\Temp", "-AUTO_DELETE"}));
    // Quotes hold blanks together; names outside ASCII come through as UTF-8.
    EXPECT_EQ(platform::ArgumentsOf(L"vireo.exe \"\\Työt ja muut\" \"-keep=c:\\a b\\x.bak\"  -delete=c:\\ä\\*.log"),
              (Texts{"\\Ty\xC3\xB6t ja muut", "-keep=c:\\a b\\x.bak", "-delete=c:\\\xC3\xA4\\*.log"}));
}

TEST(RunningSystem, IsOneTheUnnecessaryFilesWindowAccepts) {
    const platform::SystemVersion version = platform::RunningSystemVersion();
    EXPECT_EQ(version.platformId, 2u);
    EXPECT_GE(version.major, 5u);
    EXPECT_TRUE(unnecessary::IsSupportedSystem(version));
}

}  // namespace
