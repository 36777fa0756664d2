#include <gtest/gtest.h>

#include "fakes.h"
#include "registry/reg.h"
#include "registry/utf16.h"

using platform::RegistryRoot;

namespace {

struct RegFixture : testing::Test {
    RegFixture() {
        registry.Root(RegistryRoot::CurrentUser).Key("Software\\Vendor\\App");
        registry.Root(RegistryRoot::LocalMachine).Key("Software\\Classes");
    }
    fakes::FakeRegistry registry;
    registry::Reg reg{registry};
};

TEST_F(RegFixture, PathsFollowAbsoluteAndRelativeOpens) {
    reg.SetRootKey(RegistryRoot::CurrentUser);
    ASSERT_TRUE(reg.OpenKey("\\"));
    EXPECT_EQ(reg.CurrentPath(), "");
    ASSERT_TRUE(reg.OpenKey("Software"));
    EXPECT_EQ(reg.CurrentPath(), "Software");  // no backslash in front, also below the root
    ASSERT_TRUE(reg.OpenKey("Vendor\\App"));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Vendor\\App");
    ASSERT_TRUE(reg.OpenKey("\\Software\\Vendor"));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Vendor");

    // A failed open keeps the current key and its path.
    EXPECT_FALSE(reg.OpenKey("Nothing"));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Vendor");
    EXPECT_EQ(reg.GetKeyNames(), std::vector<std::string>{"App"});
    EXPECT_FALSE(reg.OpenKey("\\Software\\Nothing"));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Vendor");

    // Changing the root closes the key; a relative open then counts from the root.
    reg.SetRootKey(RegistryRoot::LocalMachine);
    EXPECT_FALSE(reg.HasCurrentKey());
    EXPECT_EQ(reg.CurrentPath(), "");
    EXPECT_TRUE(reg.GetKeyNames().empty());
    ASSERT_TRUE(reg.OpenKey("Software\\Classes"));
    EXPECT_EQ(reg.CurrentPath(), "Software\\Classes");
    EXPECT_FALSE(reg.OpenKey("\\Software\\Vendor"));  // that one is under the other root
}

TEST_F(RegFixture, StringsAreReadWholeAndCutAtTheFirstNul) {
    auto& key = registry.Root(RegistryRoot::CurrentUser).Key("Software\\Vendor\\App");
    key.SetRaw("terminated", 1, fakes::Utf16Bytes(u"C:\\A.DLL") + std::string(2, '\0'));
    key.SetRaw("unterminated", 1, fakes::Utf16Bytes(u"C:\\A.DLL"));
    key.SetRaw("odd", 2, fakes::Utf16Bytes(u"C:\\B") + "X");
    key.SetRaw("inner nul", 1, fakes::Utf16Bytes(u"C:\\C") + std::string(2, '\0') + fakes::Utf16Bytes(u"junk"));
    key.SetRaw("long", 1, fakes::Utf16Bytes(std::u16string(5000, u'x') + u"\u00e4\U0001F600"));
    key.SetRaw("lone surrogate", 1, fakes::Utf16Bytes(u"a") + std::string("\x00\xD8", 2) + fakes::Utf16Bytes(u"b"));
    key.SetRaw("number", 4, std::string("\x01\x00\x00\x00", 4));
    reg.SetRootKey(RegistryRoot::CurrentUser);
    ASSERT_TRUE(reg.OpenKey("\\Software\\Vendor\\App"));

    EXPECT_EQ(reg.ReadString("terminated"), "C:\\A.DLL");
    EXPECT_EQ(reg.ReadString("unterminated"), "C:\\A.DLL");
    EXPECT_EQ(reg.ReadString("odd"), "C:\\B");
    EXPECT_EQ(reg.ReadString("inner nul"), "C:\\C");
    EXPECT_EQ(reg.ReadString("long"), std::string(5000, 'x') + "\xC3\xA4\xF0\x9F\x98\x80");
    EXPECT_EQ(reg.ReadString("lone surrogate"),
              "a\xED\xA0\x80"
              "b");  // kept as the unit it is, not made U+FFFD
    EXPECT_EQ(reg.ReadString("number"), std::nullopt);
    EXPECT_EQ(reg.ReadString("missing"), std::nullopt);
    EXPECT_EQ(reg.GetDataType("number"), 4u);
    EXPECT_EQ(reg.GetValueNames(), (std::vector<std::string>{"terminated", "unterminated", "odd", "inner nul", "long",
                                                             "lone surrogate", "number"}));
}

TEST(Utf16, ConversionsRoundTripAndReplaceBrokenInput) {
    const std::string text = "Tiedosto \xC3\xA4\xC3\xB6 \xE2\x82\xAC \xF0\x9F\x98\x80";
    EXPECT_EQ(registry::Utf16ToUtf8(registry::Utf8ToUtf16(text)), text);
    EXPECT_EQ(registry::Utf8ToUtf16("a\xFF"
                                    "b\xC0\xAF"),
              u"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(registry::UnitsOf(registry::BytesOf(u"\u20ACx")), u"\u20ACx");
}

TEST(Utf16, NamesThatAreNoValidUtf16ComeBackExactly) {
    const std::u16string names[] = {
        std::u16string(u"a") + char16_t(0xD800) + u"b",          // a lone lead
        std::u16string(u"x") + char16_t(0xDFFF),                 // a lone trail at the end
        std::u16string(1, char16_t(0xDC00)) + char16_t(0xD800),  // trail before lead: two lone units
        std::u16string(u"nul") + char16_t(0) + u"inside",        // an embedded NUL
        u"\u00e4\U0001F600\uFFFD",                               // valid text, U+FFFD itself included
    };
    for (const auto& name : names)
        EXPECT_EQ(registry::Utf8ToUtf16(registry::Utf16ToUtf8(name)), name);
    // A lone unit never turns into U+FFFD, which could be another, existing name.
    const std::u16string lone = std::u16string(u"f") + char16_t(0xD83D);
    const std::u16string replaced = u"f\uFFFD";
    EXPECT_NE(registry::Utf16ToUtf8(lone), registry::Utf16ToUtf8(replaced));
    EXPECT_EQ(registry::Utf16ToUtf8(lone), "f\xED\xA0\xBD");
    // A pair is one character, encoded as such.
    EXPECT_EQ(registry::Utf16ToUtf8(u"\U0001F600"), "\xF0\x9F\x98\x80");
}

}  // namespace
