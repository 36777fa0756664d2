#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "platform/file_reader.h"
#include "platform/file_system.h"
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

std::string IdText(const platform::FileId& id) {
    return std::to_string(id.volumeSerial) + ":" + std::to_string(id.high) + ":" + std::to_string(id.low);
}

// Opened files and listings name one file by one id, so two paths to one file are caught whichever gave the
// id. A listed id lends its volume only while the file opened still carries its file id.
TEST(FileReaderOnDisk, OpenedFilesCarryTheIdentityTheirListingGave) {
    TempFolder folder;
    WriteFile(folder / "a.txt", "a");
    WriteFile(folder / "b.txt", "b");
    std::map<std::string, platform::FileId> listed;
    ASSERT_TRUE(platform::SystemFileSystem().ForEachEntry(
        folder.Path(), [&](const platform::DirEntry& entry) { listed[entry.name] = entry.id; }));
    const platform::FileId a = listed.at("a.txt");
    ASSERT_TRUE(a.known);
    const auto& reader = platform::SystemFileReader();
    const auto opened = reader.Open(folder / "a.txt");
    ASSERT_NE(opened, nullptr);
    EXPECT_EQ(IdText(opened->Facts().id), IdText(a));
    EXPECT_EQ(IdText(reader.Describe(folder / "a.txt")->id), IdText(a));

    platform::FileId lent = a;
    lent.volumeSerial ^= 0x5A5A;  // a volume no disk has: seen only if taken from the listing
    EXPECT_EQ(IdText(reader.OpenListed(folder / "a.txt", lent)->Facts().id), IdText(lent));
    platform::FileId other = listed.at("b.txt");
    other.volumeSerial ^= 0x5A5A;
    EXPECT_EQ(IdText(reader.OpenListed(folder / "a.txt", other)->Facts().id), IdText(a));
}

}  // namespace
