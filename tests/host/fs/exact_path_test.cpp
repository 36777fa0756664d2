#include <gtest/gtest.h>

#include "platform/exact_path.h"

using platform::ExtendedPath;
using platform::NameForm;

TEST(ExtendedPath, AbsolutePathsResolveDotsAndDoubledSeparators) {
    const std::string cwd = "D:\\work";
    EXPECT_EQ(ExtendedPath("C:\\a\\b\\..\\c\\.\\d.txt", cwd), "\\\\?\\C:\\a\\c\\d.txt");
    EXPECT_EQ(ExtendedPath("C:\\\\a\\\\\\b\\", cwd), "\\\\?\\C:\\a\\b");
    EXPECT_EQ(ExtendedPath("C:/a/b/", cwd), "\\\\?\\C:\\a\\b");
    EXPECT_EQ(ExtendedPath("C:\\", cwd), "\\\\?\\C:\\");            // a root keeps its backslash
    EXPECT_EQ(ExtendedPath("C:\\..\\..\\x", cwd), "\\\\?\\C:\\x");  // never above the drive
    EXPECT_EQ(ExtendedPath("C:\\a\\..", cwd), "\\\\?\\C:\\");
    EXPECT_EQ(ExtendedPath("", cwd), "");
}

TEST(ExtendedPath, TrailingDotsAndBlanksAreKeptExactlyOrDroppedAsClassicPathsDo) {
    const std::string cwd = "C:\\";
    EXPECT_EQ(ExtendedPath("C:\\f\\a.", cwd), "\\\\?\\C:\\f\\a.");
    EXPECT_EQ(ExtendedPath("C:\\f\\a ", cwd), "\\\\?\\C:\\f\\a ");
    EXPECT_EQ(ExtendedPath("C:\\f.\\a. .", cwd), "\\\\?\\C:\\f.\\a. .");
    EXPECT_EQ(ExtendedPath("C:\\f.\\a. .", cwd, NameForm::Classic), "\\\\?\\C:\\f\\a");
    EXPECT_EQ(ExtendedPath("C:\\Program Files \\App\\..\\x.exe ", cwd, NameForm::Classic),
              "\\\\?\\C:\\Program Files\\x.exe");
    EXPECT_EQ(ExtendedPath("C:\\a\\...\\b", cwd, NameForm::Classic), "\\\\?\\C:\\a\\b");
}

TEST(ExtendedPath, RelativeFormsTakeTheCurrentDirectory) {
    const std::string cwd = "D:\\work\\sub";
    EXPECT_TRUE(platform::NeedsCurrentDirectory("x.txt"));
    EXPECT_TRUE(platform::NeedsCurrentDirectory("C:x.txt"));
    EXPECT_TRUE(platform::NeedsCurrentDirectory("\\x.txt"));
    EXPECT_FALSE(platform::NeedsCurrentDirectory("C:\\x.txt"));
    EXPECT_FALSE(platform::NeedsCurrentDirectory("\\\\server\\share\\x"));
    EXPECT_EQ(ExtendedPath("x.txt", cwd), "\\\\?\\D:\\work\\sub\\x.txt");
    EXPECT_EQ(ExtendedPath("..\\x.txt", cwd), "\\\\?\\D:\\work\\x.txt");
    EXPECT_EQ(ExtendedPath("d:x.txt", cwd), "\\\\?\\D:\\work\\sub\\x.txt");
    EXPECT_EQ(ExtendedPath("C:x.txt", cwd), "\\\\?\\C:\\x.txt");
    EXPECT_EQ(ExtendedPath("\\x.txt", cwd), "\\\\?\\D:\\x.txt");
    EXPECT_EQ(ExtendedPath("\\x.txt", "\\\\srv\\share\\dir"), "\\\\?\\UNC\\srv\\share\\x.txt");
    EXPECT_EQ(ExtendedPath(".", cwd), "\\\\?\\D:\\work\\sub");
    EXPECT_EQ(ExtendedPath("x.txt", ""), "");  // nothing to take it against
}

TEST(ExtendedPath, SharesAndPathsAlreadyExtended) {
    const std::string cwd = "C:\\";
    EXPECT_EQ(ExtendedPath("\\\\srv\\share\\a\\..\\b", cwd), "\\\\?\\UNC\\srv\\share\\b");
    EXPECT_EQ(ExtendedPath("\\\\srv\\share\\..\\..\\b", cwd), "\\\\?\\UNC\\srv\\share\\b");  // the share stays
    EXPECT_EQ(ExtendedPath("//srv/share/", cwd), "\\\\?\\UNC\\srv\\share\\");
    EXPECT_EQ(ExtendedPath("\\\\?\\C:\\a.\\..\\b", cwd), "\\\\?\\C:\\a.\\..\\b");  // given exactly: untouched
    EXPECT_EQ(ExtendedPath("\\\\.\\PhysicalDrive0", cwd), "\\\\.\\PhysicalDrive0");
}

TEST(PlainPath, ReadsBackWhatTheExtendedFormNames) {
    using platform::PlainPath;
    const std::string cwd = "C:\\";
    for (const std::string path : {"C:\\", "C:\\a.\\b ", "\\\\srv\\share\\", "\\\\srv\\share\\x"})
        EXPECT_EQ(PlainPath(ExtendedPath(path, cwd)), path);
    EXPECT_EQ(PlainPath(ExtendedPath("C:\\a\\..\\b\\\\c\\", cwd)), "C:\\b\\c");
    EXPECT_EQ(PlainPath("\\\\?\\Volume{1234}\\x"), "\\\\?\\Volume{1234}\\x");  // no plain form
    EXPECT_EQ(PlainPath("\\\\.\\PhysicalDrive0"), "\\\\.\\PhysicalDrive0");
    EXPECT_EQ(PlainPath("D:\\plain"), "D:\\plain");
}

TEST(ExtendedPath, ACurrentDirectoryInTheExtendedFormIsTakenAsItsPlainForm) {
    EXPECT_EQ(ExtendedPath("x.txt", "\\\\?\\C:\\dir"), "\\\\?\\C:\\dir\\x.txt");
    EXPECT_EQ(ExtendedPath("..\\x.txt", "\\\\?\\C:\\dir\\sub"), "\\\\?\\C:\\dir\\x.txt");
    EXPECT_EQ(ExtendedPath("\\x.txt", "\\\\?\\C:\\dir"), "\\\\?\\C:\\x.txt");
    EXPECT_EQ(ExtendedPath("c:x.txt", "\\\\?\\C:\\dir"), "\\\\?\\C:\\dir\\x.txt");
    EXPECT_EQ(ExtendedPath("x.txt", "\\\\?\\UNC\\srv\\share\\dir"), "\\\\?\\UNC\\srv\\share\\dir\\x.txt");
    EXPECT_EQ(ExtendedPath("\\x.txt", "\\\\?\\UNC\\srv\\share\\dir"), "\\\\?\\UNC\\srv\\share\\x.txt");
    // A volume name has no drive or share to take a relative path against.
    EXPECT_EQ(ExtendedPath("x.txt", "\\\\?\\Volume{1234}\\dir"), "");
}

TEST(CurrentDirectoryForm, PlainWhenItNamesTheSameFolderAndFits) {
    using platform::CurrentDirectoryForm;
    EXPECT_EQ(CurrentDirectoryForm("C:\\dir", 259), "C:\\dir");
    EXPECT_EQ(CurrentDirectoryForm("\\\\?\\C:\\dir\\sub", 259), "C:\\dir\\sub");
    EXPECT_EQ(CurrentDirectoryForm("\\\\?\\C:\\", 259), "C:\\");
    EXPECT_EQ(CurrentDirectoryForm("\\\\srv\\share\\dir", 259), "\\\\srv\\share\\dir");

    // Names the classic rules would change, or take for a device, keep the exact form.
    EXPECT_EQ(CurrentDirectoryForm("C:\\dir.", 259), "\\\\?\\C:\\dir.");
    EXPECT_EQ(CurrentDirectoryForm("C:\\dir \\x", 259), "\\\\?\\C:\\dir \\x");
    EXPECT_EQ(CurrentDirectoryForm("C:\\a\\con", 259), "\\\\?\\C:\\a\\con");
    EXPECT_EQ(CurrentDirectoryForm("C:\\Lpt1.dir\\x", 259), "\\\\?\\C:\\Lpt1.dir\\x");
    EXPECT_EQ(CurrentDirectoryForm("C:\\console\\com10", 259), "C:\\console\\com10");
    EXPECT_EQ(CurrentDirectoryForm("\\\\?\\Volume{1234}\\dir", 259), "\\\\?\\Volume{1234}\\dir");

    // The length counts UTF-16 units and the closing backslash.
    const std::string fits = "C:\\" + std::string(255, 'a');  // 258 units, 259 with the backslash
    EXPECT_EQ(CurrentDirectoryForm(fits, 259), fits);
    EXPECT_EQ(CurrentDirectoryForm(fits + "a", 259), "\\\\?\\" + fits + "a");
    const std::string wide = "C:\\" + std::string(127, 'a') + "\xF0\x9F\x98\x80";  // one pair: 2 units
    EXPECT_EQ(CurrentDirectoryForm(wide, 133), wide);
    EXPECT_EQ(CurrentDirectoryForm(wide, 132), "\\\\?\\" + wide);
}

TEST(PlainRoot, TheDriveOrTheShareOfAFullPath) {
    using platform::PlainRoot;
    EXPECT_EQ(PlainRoot("C:\\"), "C:\\");
    EXPECT_EQ(PlainRoot("d:\\Data\\x"), "d:\\");
    EXPECT_EQ(PlainRoot("C:"), "C:\\");
    EXPECT_EQ(PlainRoot("\\\\srv\\share\\x\\y"), "\\\\srv\\share\\");
    EXPECT_EQ(PlainRoot("\\\\srv\\share"), "\\\\srv\\share\\");
    // Nothing that only the current directory gives a meaning, and no share without its name.
    for (const char* path : {"", "\\Temp", "Temp", "C:Temp", "\\\\srv", "\\\\srv\\", "\\\\?\\C:\\x"})
        EXPECT_EQ(PlainRoot(path), "") << path;
}

TEST(AbsolutePlainPath, FoldersWithoutTheirDriveTakeTheCurrentDirectory) {
    using platform::AbsolutePlainPath;
    EXPECT_EQ(AbsolutePlainPath("\\Temp", "D:\\work"), "D:\\Temp");
    EXPECT_EQ(AbsolutePlainPath("Temp", "D:\\work"), "D:\\work\\Temp");
    EXPECT_EQ(AbsolutePlainPath("..\\Temp\\", "D:\\work"), "D:\\Temp");
    EXPECT_EQ(AbsolutePlainPath("\\Temp", "\\\\srv\\share\\dir"), "\\\\srv\\share\\Temp");
    EXPECT_EQ(AbsolutePlainPath("\\\\srv\\share\\x\\", "D:\\"), "\\\\srv\\share\\x");
    EXPECT_EQ(AbsolutePlainPath("E:\\", "D:\\"), "E:\\");
    // A current directory in the extended form names the same folder.
    EXPECT_EQ(AbsolutePlainPath("Temp", "\\\\?\\D:\\work"), "D:\\work\\Temp");
    EXPECT_EQ(AbsolutePlainPath("Temp", ""), "Temp");  // nothing to take it against
}
