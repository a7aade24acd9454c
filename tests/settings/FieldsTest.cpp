#include "SettingsTestUtil.h"

using namespace cftest;

TEST_F(ModelTest, SplitFieldsPadsUpperCasesAndKeepsTheRest)
{
    SplitFields("0a1f:c00000:1:1:1:200", {4, 8, 4, 4, 0, 0}, ':');
    EXPECT_EQ(SplitResult, (ARR_OF_STRING{"0A1F", "00C00000", "0001", "0001", "1", "200"}));
    SplitFields("0a1f:c00000:1:1:1:200:7:8", {4, 8, 4, 4, 0, 0}, ':');
    EXPECT_EQ(SplitResult, (ARR_OF_STRING{"0A1F", "00C00000", "0001", "0001", "1", "200", "7:8"}));
}

TEST_F(ModelTest, SplitFieldsCases)
{
    struct Case {
        std::string line;
        std::vector<int> widths;
        ARR_OF_STRING expected;
    };
    const Case cases[] = {
        {"a1f", {4}, {"0A1F"}},
        {"12345", {1}, {"5"}},                  // width 1 keeps the last character
        {"abc:def", {-1, 0}, {"abc", "DEF"}},   // -1 leaves the field as it is
        {":a:b", {0, 0}, {"A", "B"}},           // a leading separator is dropped
        {"a:b:", {0, 0}, {"A", "B"}},           // a final separator adds nothing
        {"a", {0, 0, 4}, {"A", "", "0000"}},    // missing fields are empty
        {"10000000:27500000:1:3:0192:2:", {0, 0, 1, 0, 0, 1}, {"10000000", "27500000", "1", "3", "0192", "2"}},
        {"1:2:3:4:5:6:0:1:1:1", {0, 0, 1, 0, 0, 1}, {"1", "2", "3", "4", "5", "6", "0:1:1:1"}},
        {"", {0}, {""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        SplitFields(c.line, c.widths, ':');
        EXPECT_EQ(SplitResult, c.expected);
    }
}

TEST_F(ModelTest, NumberAndHexConversions)
{
    EXPECT_TRUE(IsNumeric("", false));
    EXPECT_TRUE(IsNumeric("-120", false));
    EXPECT_FALSE(IsNumeric("1.5", false));
    EXPECT_TRUE(IsNumeric("1.5", true));
    EXPECT_TRUE(IsNumeric("1,5", true));
    EXPECT_FALSE(IsNumeric("12a", true));

    EXPECT_TRUE(IsHex4(""));
    EXPECT_TRUE(IsHex4("0aF9"));
    EXPECT_FALSE(IsHex4("12345"));
    EXPECT_FALSE(IsHex4("00g0"));

    EXPECT_EQ(HexToDecStr(""), "");
    EXPECT_EQ(HexToDecStr("0A1F"), "2591");
    EXPECT_EQ(HexToDecStr("ffff"), "65535");
    EXPECT_THROW(HexToDecStr("xyz"), EConvertError);

    EXPECT_EQ(DecToHex4(""), "");
    EXPECT_EQ(DecToHex4("2591"), "0A1F");
    EXPECT_EQ(DecToHex4("10"), "000A");
    EXPECT_EQ(DecToHex4("1193046"), "123456");
    EXPECT_THROW(DecToHex4("1x"), EConvertError);

    EXPECT_EQ(PadHexUpper("", 4), "");
    EXPECT_EQ(PadHexUpper("a1f", 4), "0A1F");
    EXPECT_EQ(PadHexUpper("12345", 4), "2345");

    EXPECT_EQ(StrToIntNoDots(" 11.778.000 "), 11778000);
    EXPECT_EQ(StrToIntNoDots(""), 0);
    EXPECT_THROW(StrToIntNoDots("12a"), EConvertError);
}

TEST_F(ModelTest, HexUpperPadsToTheLeastDigitsAndNeverCuts)
{
    // As the receivers' files write flags, types and bouquet numbers.
    const struct {
        std::uint32_t value;
        int digits;
        const char* text;
    } cases[] = {
        {0, 1, "0"},          {0, 4, "0000"},          {0x40, 4, "0040"},      {0x19, 1, "19"},
        {0x1A, 2, "1A"},      {0x7F, 3, "07F"},        {0xABCD, 4, "ABCD"},    {0x12345, 4, "12345"},
        {0xFFFFFFFF, 4, "FFFFFFFF"}, {0x1000, 0, "1000"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HexUpper(c.value, c.digits), c.text) << c.value;
        std::string out = "f:";
        AppendHexUpper(out, c.value, c.digits);
        EXPECT_EQ(out, std::string("f:") + c.text);
    }
}

TEST_F(ModelTest, PosExAndCountOccurrences)
{
    EXPECT_EQ(PosEx("b", "abcabc", 1), 2u);
    EXPECT_EQ(PosEx("b", "abcabc", 3), 5u);
    EXPECT_EQ(PosEx("b", "abcabc", 6), 0u);
    EXPECT_EQ(PosEx("x", "abc", 1), 0u);
    EXPECT_EQ(PosEx("b", "abc", 10), 0u);

    EXPECT_EQ(CountOccurrences("", "abc"), 0u);
    EXPECT_EQ(CountOccurrences("a", ""), 0u);
    EXPECT_EQ(CountOccurrences("x", "abc"), 0u);
    EXPECT_EQ(CountOccurrences("aa", "aaaaa"), 2u); // non-overlapping
}

TEST_F(ModelTest, TitleCaseFirstLettersUpperAndCutTo31Characters)
{
    std::string s = "rai uno";
    TitleCase(s);
    EXPECT_EQ(s, "Rai Uno");
    s = "DAS ERSTE hd";
    TitleCase(s);
    EXPECT_EQ(s, "Das Erste Hd");
    s = std::string(40, 'x');
    TitleCase(s);
    EXPECT_EQ(s.size(), 31u);
    // Non-Latin letters are cased too and the cut counts characters.
    s = "первый КАНАЛ";
    TitleCase(s);
    EXPECT_EQ(s, "Первый Канал");
    s = "";
    for (int i = 0; i < 40; ++i)
        s += "ä";
    TitleCase(s);
    EXPECT_EQ(s.size(), 62u);
    EXPECT_EQ(s.substr(0, 4), "Ää");
}

TEST_F(ModelTest, Utf8ToAnsiCleanRemovesOnlyTheEmphasisCodes)
{
    EXPECT_EQ(Utf8ToAnsiClean("\xC2\x86" "Das\xC2\x87 Erste"), "Das Erste");
    EXPECT_EQ(Utf8ToAnsiClean("Ελληνικά 日本語 \xC2\xA9"), "Ελληνικά 日本語 \xC2\xA9");
    EXPECT_EQ(Utf8ToAnsiClean("\xC2"), "\xC2");
}

TEST_F(ModelTest, CheckedParsing)
{
    std::int32_t v = 0;
    EXPECT_TRUE(TryParseInt("-50", v));
    EXPECT_EQ(v, -50);
    EXPECT_FALSE(TryParseInt("", v));
    EXPECT_FALSE(TryParseInt("1 ", v));
    EXPECT_FALSE(TryParseInt("99999999999", v));
    EXPECT_TRUE(TryParseHex("ffffffff", v));
    EXPECT_EQ(v, -1);
    EXPECT_FALSE(TryParseHex("1ffffffff", v));
    EXPECT_FALSE(TryParseHex("", v));
}
