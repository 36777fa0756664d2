#include "base/file_text.h"

#include <gtest/gtest.h>

#include "memory_store.h"

namespace {

using base::TextEncoding;

TEST(FileText, MarkDecidesHowAFileIsRead) {
    const settings_test::Latin1Codec codec;
    auto utf8 = base::DecodeFileText(
        "\xEF\xBB\xBF"
        "caf\xC3\xA9",
        codec);
    EXPECT_EQ(utf8.encoding, TextEncoding::Utf8Bom);
    EXPECT_EQ(utf8.text, "caf\xC3\xA9");
    auto ansi = base::DecodeFileText("caf\xC3\xA9", codec);
    EXPECT_EQ(ansi.encoding, TextEncoding::Ansi);
    EXPECT_EQ(ansi.text, "caf\xC3\x83\xC2\xA9");
    // A mark cut short is no mark.
    EXPECT_EQ(base::DecodeFileText("\xEF\xBB", codec).encoding, TextEncoding::Ansi);
}

TEST(FileText, AnsiWhenTheCodePageHoldsTheTextOtherwiseUtf8WithMark) {
    const settings_test::Latin1Codec codec;
    TextEncoding chosen = TextEncoding::Utf8Bom;
    EXPECT_EQ(base::EncodeFileText("caf\xC3\xA9\r\n", codec, TextEncoding::Ansi, &chosen), "caf\xE9\r\n");
    EXPECT_EQ(chosen, TextEncoding::Ansi);
    EXPECT_EQ(base::EncodeFileText("\xE2\x82\xAC 5", codec, TextEncoding::Ansi, &chosen), "\xEF\xBB\xBF\xE2\x82\xAC 5");
    EXPECT_EQ(chosen, TextEncoding::Utf8Bom);
    // A file that was UTF-8 is not turned back into ANSI.
    EXPECT_EQ(base::EncodeFileText("plain", codec, TextEncoding::Utf8Bom, &chosen), "\xEF\xBB\xBFplain");
    EXPECT_EQ(chosen, TextEncoding::Utf8Bom);
}

TEST(FileText, BrokenUtf8BecomesReplacementCharacters) {
    const std::string bad[] = {
        "\xC0\xAF",          // overlong "/"
        "\xED\xA0\x80",      // a surrogate
        "\xF4\x90\x80\x80",  // beyond U+10FFFF
        "\xE2\x82",          // cut short
        "\xFF",
    };
    for (const auto& bytes : bad) {
        const std::string text = base::ValidUtf8("a" + bytes + "b");
        EXPECT_EQ(text.front(), 'a');
        EXPECT_EQ(text.back(), 'b');
        EXPECT_NE(text.find("\xEF\xBF\xBD"), std::string::npos);
        EXPECT_EQ(text.find(bytes), std::string::npos);
    }
    const std::string good = "a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";
    EXPECT_EQ(base::ValidUtf8(good), good);
}

}  // namespace
