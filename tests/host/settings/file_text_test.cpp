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

namespace {

std::string Utf16Le(std::u16string_view text) {
    std::string bytes;
    for (const char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

TEST(FileText, Utf16FilesAreReadAndStayUtf16) {
    const settings_test::Latin1Codec codec;
    // "Ä€😀" with the emoji as a surrogate pair, in both byte orders.
    const std::string le = "\xFF\xFE" + Utf16Le(u"\u00C4\u20AC\U0001F600");
    auto text = base::DecodeFileText(le, codec);
    EXPECT_EQ(text.encoding, TextEncoding::Utf16LeBom);
    EXPECT_EQ(text.text, "\xC3\x84\xE2\x82\xAC\xF0\x9F\x98\x80");
    EXPECT_EQ(base::EncodeFileText(text.text, codec, text.encoding), le);
    const std::string be("\xFE\xFF\x00\xC4\x20\xAC\xD8\x3D\xDE\x00", 10);
    EXPECT_EQ(base::DecodeFileText(be, codec).text, text.text);
    EXPECT_EQ(base::EncodeFileText(text.text, codec, TextEncoding::Utf16BeBom), be);
    // A lone surrogate and an odd last byte are no characters.
    EXPECT_EQ(base::DecodeFileText(std::string("\xFF\xFE"
                                               "A\x00\x00\xD8"
                                               "B",
                                               7),
                                   codec)
                  .text,
              "A\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
