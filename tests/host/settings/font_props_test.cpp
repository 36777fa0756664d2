#include "settings/font_props.h"

#include <gtest/gtest.h>

#include "memory_store.h"

namespace {

using settings::FontProps;

const std::string kPath = "C:\\Program Files\\Vireo\\Options.ini";
const FontProps kDesigned{"MS Sans Serif", 8, 0x000000, false, false};

class FontPropsTest : public testing::Test {
  protected:
    FontProps Read(const std::string& file, std::string_view prefix = "ListboxFont") {
        store_.files[kPath] = file;
        return settings::ReadFontProps(settings::SettingsFile(kPath, store_, codec_), prefix, kDesigned);
    }
    settings_test::MemoryStore store_;
    settings_test::Latin1Codec codec_;
};

TEST_F(FontPropsTest, AbsentKeysOrFileLeaveTheDesignedFont) {
    EXPECT_EQ(Read(""), kDesigned);
    store_.files.clear();
    EXPECT_EQ(settings::ReadFontProps(settings::SettingsFile(kPath, store_, codec_), "ListboxFont", kDesigned),
              kDesigned);
    // Keys of the other font, or of another section, are not this font's.
    EXPECT_EQ(Read("[]\r\nPieChartFont.Size=20\r\n[Chart]\r\nListboxFont.Bold=1\r\n"), kDesigned);
}

TEST_F(FontPropsTest, EachKeyOfThePrefixSetsItsProperty) {
    const FontProps read = Read(
        "[]\r\nListboxFont.Name=Courier New\r\nListboxFont.Size=12\r\nListboxFont.Color=255\r\n"
        "ListboxFont.Bold=1\r\nListboxFont.Italic=1\r\n");
    EXPECT_EQ(read, (FontProps{"Courier New", 12, 255, true, true}));
    // One key alone changes only its own property.
    EXPECT_EQ(Read("[]\r\nPieChartFont.Italic=1\r\n", "PieChartFont"), (FontProps{"MS Sans Serif", 8, 0, false, true}));
}

TEST_F(FontPropsTest, ValuesNoFontCouldUseKeepTheDesignedOnes) {
    const FontProps read = Read(
        "[]\r\nListboxFont.Name=\r\nListboxFont.Size=0\r\nListboxFont.Color=$12345678\r\nListboxFont.Bold=yes\r\n");
    EXPECT_EQ(read, kDesigned);
    EXPECT_EQ(Read("[]\r\nListboxFont.Size=-9\r\n").Size, 8);
    EXPECT_EQ(Read("[]\r\nListboxFont.Size=145\r\n").Size, 8);
    EXPECT_EQ(Read("[]\r\nListboxFont.Size=144\r\n").Size, 144);
}

TEST_F(FontPropsTest, SystemColoursAreColourValues) {
    // The window text colour as stored by a colour picker: its index with the top bit set.
    EXPECT_EQ(Read("[]\r\nListboxFont.Color=-2147483640\r\n").Color, -2147483640);
    EXPECT_TRUE(settings::IsColourValue(0x00FFFFFF));
    EXPECT_TRUE(settings::IsColourValue(static_cast<int32_t>(0x8000001Eu)));
    EXPECT_FALSE(settings::IsColourValue(static_cast<int32_t>(0x8000001Fu)));
    EXPECT_FALSE(settings::IsColourValue(static_cast<int32_t>(0x01000000u)));
    EXPECT_FALSE(settings::IsColourValue(-1));
}

}  // namespace
