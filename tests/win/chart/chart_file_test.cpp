#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>

#include "chart_host.h"
#include "support/win/temp_folder.h"

using namespace chart_test;
using testing_support::FileExists;
using testing_support::ReadFile;
using testing_support::TempFolder;
using testing_support::WriteFile;
using widgets::ChartSaveOutcome;

namespace {

uint32_t Read32(const std::string& bytes, size_t at) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}
uint16_t Read16(const std::string& bytes, size_t at) {
    uint16_t value;
    std::memcpy(&value, bytes.data() + at, 2);
    return value;
}

int FilesIn(const std::string& folder) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((std::wstring(folder.begin(), folder.end()) + L"*").c_str(), &data);
    int count = 0;
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    do
        count += !(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY);
    while (FindNextFileW(find, &data));
    FindClose(find);
    return count;
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

class ChartFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        AddSampleSlices(host.Chart());
        size = host.Chart().ClientSize();
        onScreen = Render(size.cx, size.cy, [&](HDC dc) { host.Chart().Draw(dc); });
    }
    ChartHost host;
    TempFolder folder;
    SIZE size{};
    Pixels onScreen;
};

}  // namespace

TEST_F(ChartFiles, BitmapIsTheChartAsOnScreenAndReplacesAnOldFileWhole) {
    const std::string path = folder / "usage.BMP";
    WriteFile(path, std::string(3'000'000, 'x'));
    ASSERT_EQ(host.Chart().SaveByName(path), ChartSaveOutcome::Saved);
    std::string bytes;
    ASSERT_TRUE(ReadFile(path, bytes));
    const size_t rowSize = (size.cx * 3 + 3) / 4 * 4;
    ASSERT_EQ(bytes.size(), 54 + rowSize * size.cy) << "nothing of the old file is left";
    EXPECT_EQ(bytes.substr(0, 2), "BM");
    EXPECT_EQ(static_cast<int>(Read32(bytes, 18)), size.cx);
    EXPECT_EQ(static_cast<int>(Read32(bytes, 22)), size.cy);
    EXPECT_EQ(Read16(bytes, 28), 24);
    EXPECT_EQ(FilesIn(folder.Path()), 1) << "no temporary file left beside it";

    HBITMAP loaded = static_cast<HBITMAP>(
        LoadImageW(nullptr, Wide(path).c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    ASSERT_NE(loaded, nullptr) << "the system reads the file as a bitmap";
    const Pixels read = Render(size.cx, size.cy, [&](HDC dc) {
        HDC source = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(source, loaded);
        BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
    });
    DeleteObject(loaded);
    EXPECT_EQ(read.colors, onScreen.colors);
}

TEST_F(ChartFiles, EnhancedMetafileHasItsHeaderAndPlaysBackThePie) {
    const std::string path = folder / "usage.emf";
    ASSERT_EQ(host.Chart().SaveByName(path), ChartSaveOutcome::Saved);
    std::string bytes;
    ASSERT_TRUE(ReadFile(path, bytes));
    ASSERT_GE(bytes.size(), sizeof(ENHMETAHEADER));
    EXPECT_EQ(Read32(bytes, 0), static_cast<uint32_t>(EMR_HEADER));
    EXPECT_EQ(Read32(bytes, 40), static_cast<uint32_t>(ENHMETA_SIGNATURE));
    EXPECT_EQ(Read32(bytes, 48), bytes.size());

    HENHMETAFILE metafile = GetEnhMetaFileW(Wide(path).c_str());
    ASSERT_NE(metafile, nullptr);
    ENHMETAHEADER header{};
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    EXPECT_LE(header.rclBounds.right, size.cx);
    EXPECT_LE(header.rclBounds.bottom, size.cy);
    const Pixels played = Render(size.cx, size.cy, [&](HDC dc) {
        const RECT place{0, 0, size.cx, size.cy};
        PlayEnhMetaFile(dc, metafile, &place);
    });
    DeleteEnhMetaFile(metafile);
    EXPECT_NEAR(played.Count(kNavy), onScreen.Count(kNavy), onScreen.Count(kNavy) * 0.1);
    EXPECT_GT(onScreen.Count(kNavy), 1000);
}

TEST_F(ChartFiles, WindowsMetafileIsPlaceableAndPlaysBackThePie) {
    const std::string path = folder / "usage.Wmf";
    ASSERT_EQ(host.Chart().SaveByName(path), ChartSaveOutcome::Saved);
    std::string bytes;
    ASSERT_TRUE(ReadFile(path, bytes));
    ASSERT_GT(bytes.size(), 22u + 18u);
    EXPECT_EQ(Read32(bytes, 0), 0x9AC6CDD7u);
    EXPECT_EQ(Read16(bytes, 10), size.cx);
    EXPECT_EQ(Read16(bytes, 12), size.cy);
    uint16_t checksum = 0;
    for (size_t at = 0; at < 20; at += 2)
        checksum ^= Read16(bytes, at);
    EXPECT_EQ(Read16(bytes, 20), checksum);
    // Then the metafile's own header: on disk, nine words long, its size in words.
    EXPECT_EQ(Read16(bytes, 22), 1);
    EXPECT_EQ(Read16(bytes, 24), 9);
    EXPECT_EQ(Read32(bytes, 28) * 2, bytes.size() - 22);

    METAFILEPICT picture{MM_ANISOTROPIC, size.cx * 2540 / 96, size.cy * 2540 / 96, nullptr};
    HENHMETAFILE metafile = SetWinMetaFileBits(static_cast<UINT>(bytes.size() - 22),
                                               reinterpret_cast<const BYTE*>(bytes.data() + 22), nullptr, &picture);
    ASSERT_NE(metafile, nullptr) << "the system reads the metafile";
    const Pixels played = Render(size.cx, size.cy, [&](HDC dc) {
        const RECT place{0, 0, size.cx, size.cy};
        PlayEnhMetaFile(dc, metafile, &place);
    });
    DeleteEnhMetaFile(metafile);
    EXPECT_NEAR(played.Count(kNavy), onScreen.Count(kNavy), onScreen.Count(kNavy) * 0.1);
    for (COLORREF color : {RGB(0, 255, 255), RGB(0, 128, 0), RGB(255, 0, 255)})
        EXPECT_GE(played.InsideOf(color).x, 0);
}

TEST_F(ChartFiles, AnyOtherExtensionWritesNothing) {
    for (const char* name : {"usage.gif", "usage", "usage.bmp.txt", "usage.jpeg"}) {
        EXPECT_EQ(host.Chart().SaveByName(folder / name), ChartSaveOutcome::InvalidFormat) << name;
        EXPECT_FALSE(FileExists(folder / name)) << name;
    }
    // An old file of that name is left as it was.
    WriteFile(folder / "old.gif", "GIF89a");
    EXPECT_EQ(host.Chart().SaveByName(folder / "old.gif"), ChartSaveOutcome::InvalidFormat);
    std::string bytes;
    ASSERT_TRUE(ReadFile(folder / "old.gif", bytes));
    EXPECT_EQ(bytes, "GIF89a");
    EXPECT_EQ(FilesIn(folder.Path()), 1);
    // A folder that does not exist is a failure, not a success.
    EXPECT_EQ(host.Chart().SaveByName(folder / "missing\\usage.emf"), ChartSaveOutcome::Failed);
}
