#include "settings/XmlScanner.h"

#include <gtest/gtest.h>

namespace {

std::vector<XmlTag> ScanAll(std::string_view text, bool* errors = nullptr)
{
    XmlScanner s(text);
    std::vector<XmlTag> tags;
    XmlTag t;
    while (s.Next(t))
        tags.push_back(t);
    if (errors)
        *errors = s.HadErrors();
    return tags;
}

TEST(XmlScanner, ReadsTagsAndAttributesInOrder)
{
    bool errors = true;
    auto tags = ScanAll("<?xml version=\"1.0\"?>\n<!-- a > comment -->\n<root>\n"
                        "\t<sat name=\"A &amp; B\" flags='1' position=\"192\">\n"
                        "\t\t<transponder frequency=\"1\"\n  symbol_rate=\"2\"/>\n\t</sat>\n</root>\n",
                        &errors);
    EXPECT_FALSE(errors);
    ASSERT_EQ(tags.size(), 5u);
    EXPECT_EQ(tags[0].name, "root");
    EXPECT_EQ(tags[0].kind, XmlTag::Start);
    ASSERT_EQ(tags[1].attributes.size(), 3u);
    EXPECT_EQ(tags[1].attributes[0].name, "name");
    EXPECT_EQ(tags[1].attributes[0].value, "A & B");
    EXPECT_EQ(*tags[1].Find("flags"), "1");
    // An element split over lines is still one element.
    EXPECT_EQ(tags[2].kind, XmlTag::Empty);
    EXPECT_EQ(*tags[2].Find("symbol_rate"), "2");
    EXPECT_EQ(tags[3].kind, XmlTag::End);
    EXPECT_EQ(tags[4].name, "root");
}

TEST(XmlScanner, SkipsBrokenTagsAndGoesOn)
{
    struct Case {
        const char* text;
        size_t tags;
    } cases[] = {
        {"<a x=\"1><b/>", 1},            // value runs into the next tag
        {"<a x=1/><b/>", 1},              // unquoted value
        {"<a x=\"1\"<b/>", 1},            // tag never closed
        {"< a/><b/>", 1},                 // stray "<"
        {"<a/><b", 1},                    // cut off at the end
        {"<a/><!-- never closed", 1},
        {"<a x=\"1\" y/><b/>", 1},        // attribute without value
    };
    for (const auto& c : cases) {
        bool errors = false;
        auto tags = ScanAll(c.text, &errors);
        EXPECT_TRUE(errors) << c.text;
        EXPECT_EQ(tags.size(), c.tags) << c.text;
    }
}

TEST(XmlScanner, DeclaredLatin1IsConvertedToUtf8)
{
    XmlScanner s("<?xml version=\"1.0\" encoding=\"iso-8859-1\"?><sat name=\"75.0\xB0" "E\"/>");
    XmlTag t;
    ASSERT_TRUE(s.Next(t));
    EXPECT_TRUE(s.Latin1());
    EXPECT_EQ(*t.Find("name"), "75.0\xC2\xB0" "E");
}

TEST(XmlScanner, Utf8FileStaysUtf8AndStrayLatin1BytesAreConverted)
{
    XmlScanner s("<?xml version=\"1.0\" encoding=\"UTF-8\"?><a n=\"\xC3\xA9\" m=\"\xE9\"/>");
    XmlTag t;
    ASSERT_TRUE(s.Next(t));
    EXPECT_EQ(*t.Find("n"), "\xC3\xA9");
    EXPECT_EQ(*t.Find("m"), "\xC3\xA9");
}

TEST(XmlEscaping, RoundTripsTheSpecialCharacters)
{
    EXPECT_EQ(XmlEscape("a&b<c>d\"e'"), "a&amp;b&lt;c&gt;d&quot;e'");
    EXPECT_EQ(XmlUnescape("a&amp;b&lt;c&gt;d&quot;e&apos;&#233;&#x20AC;"), "a&b<c>d\"e'\xC3\xA9\xE2\x82\xAC");
    // Unknown or broken references stay as they are.
    EXPECT_EQ(XmlUnescape("&nbsp; & &#xZZ; &#0;"), "&nbsp; & &#xZZ; &#0;");
    EXPECT_EQ(Utf8ToLatin1Xml("\xC3\xA9\xE2\x82\xAC"), "\xE9&#8364;");
}

} // namespace
