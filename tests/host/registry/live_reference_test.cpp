#include <gtest/gtest.h>

#include "fakes.h"
#include "registry/registry_scan.h"

using platform::ProbeDriveType;
using platform::ProbeOutcome;
using registry::IsLiveReference;

namespace {

// C: is fixed and holds C:\WINDOWS with KERNEL32.DLL, not C:\OLDAPP.
struct LiveReference : testing::Test {
    LiveReference() {
        probe.drives = {{'A', ProbeDriveType::Removable}, {'C', ProbeDriveType::Fixed}, {'D', ProbeDriveType::CdRom},
                        {'N', ProbeDriveType::Remote},    {'Q', ProbeDriveType::Fixed}, {'R', ProbeDriveType::RamDisk}};
        probe.AddFile("C:\\WINDOWS\\KERNEL32.DLL");
        probe.AddFile("C:\\WINDOWS\\README");
    }
    bool Live(std::string_view text) const { return IsLiveReference(text, probe); }
    fakes::FakeProbe probe;
};

TEST_F(LiveReference, TheRulesExamples) {
    EXPECT_FALSE(Live("C:\\OLDAPP\\APP.EXE"));
    EXPECT_FALSE(Live("C:\\OLDAPP"));
    EXPECT_FALSE(Live("C:\\WINDOWS\\NOSUCH.DLL"));
    EXPECT_TRUE(Live("C:\\WINDOWS\\"));
    EXPECT_TRUE(Live("C:\\WINDOWS"));
    EXPECT_TRUE(Live("c:\\windows\\kernel32.dll"));
    EXPECT_TRUE(Live("C:\\OLDAPP\\APP.EXE,1"));
    EXPECT_TRUE(Live("\"C:\\OLDAPP\\APP.EXE\""));
    EXPECT_TRUE(Live("C:\\Program Files\\X"));
    EXPECT_TRUE(Live("A:\\X.TXT"));
    EXPECT_TRUE(Live("%WINDIR%\\X.DLL"));
}

TEST_F(LiveReference, TextsThatAreNotPlainLocalPathsAreNeverJudged) {
    probe.asked.clear();
    for (const char* text : {"", "C:", "Q\\", "B:\\NOSUCH.DLL", "1:\\X", "\\\\SERVER\\SHARE\\X.DLL", "C:\\OLD;D:\\X",
                             "C:\\OLDAPP\\A.DLL,0", "C:\\OLDAPP\\A.DLL /S", "C:OLDAPP\\A.DLL", "C/\\OLDAPP",
                             "D:\\NOSUCH.DLL", "N:\\NOSUCH\\X.DLL", "R:\\NOSUCH", "Z:\\NOSUCH.DLL"}) {
        EXPECT_TRUE(Live(text)) << text;
    }
    // Only the drive type was asked for: nothing on disk was looked at.
    for (const auto& question : probe.asked)
        EXPECT_EQ(question.rfind("attributes", 0), std::string::npos) << question;
}

TEST_F(LiveReference, FoldersAndFilesAreToldApartByTheExtension) {
    EXPECT_FALSE(Live("C:\\WINDOWS\\NOSUCHDIR"));
    EXPECT_FALSE(Live("C:\\WINDOWS\\NOSUCHDIR\\"));
    EXPECT_FALSE(Live("C:\\WINDOWS.OLD\\"));   // the last mark is the backslash: a folder
    EXPECT_TRUE(Live("C:\\WINDOWS\\README"));  // an existing file without extension is no dead folder
    EXPECT_FALSE(Live("C:\\WINDOWS\\KERNEL32.DLL\\X.DLL"));
    probe.attributes["Q:\\"] = ProbeOutcome::Exists;
    EXPECT_TRUE(Live("Q:\\"));  // three characters on a fixed drive: tested as a folder (the root)
    probe.attributes["Q:\\"] = ProbeOutcome::Missing;
    EXPECT_FALSE(Live("Q:\\"));
}

TEST_F(LiveReference, ATypeLibrarysResourceNumberIsNotAFolder) {
    EXPECT_TRUE(Live("C:\\WINDOWS\\KERNEL32.DLL\\2"));
    EXPECT_TRUE(Live("C:\\WINDOWS\\KERNEL32.DLL\\12"));
    EXPECT_FALSE(Live("C:\\WINDOWS\\NOSUCH.DLL\\2"));
    EXPECT_FALSE(Live("C:\\OLDAPP\\APP.TLB\\1"));
    EXPECT_FALSE(Live("C:\\WINDOWS\\2"));                // a folder named by a number is a folder
    EXPECT_FALSE(Live("C:\\WINDOWS\\KERNEL32.DLL\\X"));  // only a number follows a type library
}

TEST_F(LiveReference, OnlyNotThereOutcomesMakeAReferenceDead) {
    // A folder that exists but refuses to be looked into, a file that cannot be queried.
    probe.attributes["C:\\LOCKED"] = ProbeOutcome::Failed;
    probe.attributes["C:\\LOCKED\\"] = ProbeOutcome::Failed;
    probe.attributes["C:\\LOCKED\\APP.EXE"] = ProbeOutcome::Failed;
    probe.attributes["C:\\WINDOWS\\PAGEFILE.SYS"] = ProbeOutcome::Failed;
    EXPECT_TRUE(Live("C:\\LOCKED"));
    EXPECT_TRUE(Live("C:\\LOCKED\\APP.EXE"));
    EXPECT_TRUE(Live("C:\\WINDOWS\\PAGEFILE.SYS"));

    // An entry the attributes query calls missing but a listing finds is not offered for deletion.
    probe.listed.insert("C:\\WINDOWS\\ODD.DLL");
    EXPECT_TRUE(Live("C:\\WINDOWS\\ODD.DLL"));
    probe.listed.insert("C:\\WINDOWS\\ODDDIR");
    EXPECT_TRUE(Live("C:\\WINDOWS\\ODDDIR\\"));
}

TEST(AddLeadingBackslash, PutsOneInFrontWhenMissing) {
    EXPECT_EQ(registry::AddLeadingBackslash(""), "\\");
    EXPECT_EQ(registry::AddLeadingBackslash("Software\\X"), "\\Software\\X");
    EXPECT_EQ(registry::AddLeadingBackslash("\\Software"), "\\Software");
}

}  // namespace
