#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/file_reader.h"
#include "support/win/temp_folder.h"

using namespace testing_support;

namespace {

std::string ReadThrough(const platform::FileReader& reader, const std::string& path) {
    const auto file = reader.Open(path);
    if (!file)
        return "(not opened)";
    std::string bytes(64, '\0');
    const auto got = file->Read(0, {reinterpret_cast<unsigned char*>(bytes.data()), bytes.size()});
    return got ? bytes.substr(0, *got) : "(not read)";
}

// The comparison reads each file by the name its listing gave: "a." and "a " are files of their own, and a
// path longer than the classic limit reaches its file.
TEST(FileReaderOnDisk, ReadsEveryFileByItsExactName) {
    TempFolder folder;
    std::string deep = folder.Path();
    while (deep.size() < 300)
        deep += "a-rather-long-folder-name\\";
    const std::map<std::string, std::string> files{
        {folder / "a", "plain"}, {folder / "a.", "dot"}, {folder / "a ", "blank"}, {deep + "far.bin", "far"}};
    for (const auto& [path, bytes] : files)
        WriteFile(path, bytes);
    const auto& reader = platform::SystemFileReader();
    for (const auto& [path, bytes] : files) {
        EXPECT_EQ(ReadThrough(reader, path), bytes) << path;
        const auto facts = reader.Describe(path);
        ASSERT_TRUE(facts) << path;
        EXPECT_EQ(facts->size, bytes.size()) << path;
    }
    EXPECT_FALSE(reader.Describe(folder / "a.."));
    EXPECT_EQ(reader.Open(folder / "a.."), nullptr);
}

}  // namespace
