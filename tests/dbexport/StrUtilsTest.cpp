#include "dbexport/MySQLStrUtils.h"

#include "common/TestData.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdlib>
#include <stdexcept>

namespace {

TEST(DbSBStringList, TextGetterEndsEveryLineWithTheSeparator)
{
    TSBStringList l;
    l.Add("a");
    l.Add("b");
    EXPECT_EQ(l.GetText(), "a\r\nb\r\n");
    l.LineSeparator = "";
    EXPECT_EQ(l.GetText(), "ab");
    l.LineSeparator = ";";
    EXPECT_EQ(l.GetText(), "a;b;");
}

TEST(DbSBStringList, TextSetterCutsAtAnySeparatorCharacterWithoutEmptyLines)
{
    struct Case {
        const char* sep;
        const char* text;
        std::vector<std::string> lines;
    } cases[] = {
        {"\r\n", "a\r\nb\r\n", {"a", "b"}},
        {"\r\n", "a\n\n\rb", {"a", "b"}},
        {"\r\n", "\r\n\r\n", {}},
        {"\r\n", "one line", {"one line"}},
        {";", "x;;y;", {"x", "y"}},
        {"", "no separator at all", {"no separator at all"}},
    };
    for (const auto& c : cases) {
        TSBStringList l;
        l.LineSeparator = c.sep;
        l.Add("old");
        l.SetText(c.text);
        EXPECT_EQ(l.Lines, c.lines) << c.text;
    }
}

TEST(DbTextRoutines, ExtractWordTable)
{
    struct Case {
        int n;
        const char* text;
        const char* delims;
        const char* word;
    } cases[] = {
        {1, "2024-02-29", "-", "2024"},   {3, "2024-02-29", "-", "29"},
        {4, "2024-02-29", "-", ""},       {2, "--a--b--", "-", "b"},
        {1, "", " ", ""},                 {1, "   ", " ", ""},
        {2, "a b,c", " ,", "b"},          {0, "a b", " ", ""},
        {1, "word", "", "word"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractWord(c.n, c.text, c.delims), c.word) << c.n << " " << c.text;
}

// Names from the server may be UTF-8: only the ASCII letters fold, so "é"
// keeps its two bytes and never meets "É".
TEST(DbTextRoutines, UpperCaseFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(UpperCase("select * from t1_x"), "SELECT * FROM T1_X");
    EXPECT_EQ(UpperCase("caf\xC3\xA9"), "CAF\xC3\xA9");
    EXPECT_EQ(UpperCase(""), "");
    EXPECT_TRUE(cf::SameText("Primary", "PRIMARY"));
    EXPECT_FALSE(cf::SameText("caf\xC3\xA9", "CAF\xC3\x89"));
}

TEST(DbTextRoutines, NameInListSeparatedByCommaOrSemicolon)
{
    struct Case {
        const char* list;
        const char* name;
        bool found;
    } cases[] = {
        {"id", "ID", true},
        {"id,Name;sat", "name", true},
        {"id,Name;sat", "SAT", true},
        {"id,Name;sat", "nam", false},
        {"", "id", false},
        {"id", "", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(InNameList(c.list, c.name), c.found) << c.list << " / " << c.name;
}

TEST(DbTextRoutines, ChooseStr)
{
    EXPECT_EQ(ChooseStr(true, "yes", "no"), "yes");
    EXPECT_EQ(ChooseStr(false, "yes", "no"), "no");
}

// Serial day numbers worked out by hand: 2000-01-01 is day 36526 after
// 1899-12-30; 2024-01-01 is 36526 + 24 * 365 + 6 leap days = 45292.
TEST(DbDateText, DatesFromText)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"2024-01-01", 45292},
        {"2024-02-29", 45292 + 31 + 28},
        {"2024/02/29", 45351},
        {"2024.2.29", 45351},
        {"2024\\02\\29", 45351},
        {"1899-12-30", 0},
        {"1899-12-29", -1},
        {"0000-00-00", InvalidDateTime}, // every 0 becomes 1: 0001-01-01
        {"2024-00-00", 45292},           // month and day 0 become 1
        {"2024-xx-15", 45292 + 14},      // a non-number counts as 0, then 1
        {"2024-02-30", InvalidDateTime},
        {"2023-02-29", InvalidDateTime},
        {"10000-01-01", InvalidDateTime},
    };
    EXPECT_EQ(InvalidDateTime, -693593.0);
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(MySQLStrToDate(c.text), c.value) << c.text;
}

TEST(DbDateText, TimesFromText)
{
    EXPECT_DOUBLE_EQ(MySQLStrToTime("12:00:00"), 0.5);
    EXPECT_DOUBLE_EQ(MySQLStrToTime("06:00"), 0.25);
    EXPECT_DOUBLE_EQ(MySQLStrToTime("23:59:59"), 86399.0 / 86400.0);
    EXPECT_DOUBLE_EQ(MySQLStrToTime(""), 0.0);
    EXPECT_DOUBLE_EQ(MySQLStrToTime("24:00:00"), InvalidDateTime);
    EXPECT_DOUBLE_EQ(MySQLStrToTime("12:60:00"), InvalidDateTime);
    EXPECT_DOUBLE_EQ(MySQLStrToTime("838:59:59"), InvalidDateTime);
}

TEST(DbDateText, DateAndTimeFromText)
{
    EXPECT_DOUBLE_EQ(MySQLStrToDateTime("2024-01-01 12:00:00"), 45292.5);
    EXPECT_DOUBLE_EQ(MySQLStrToDateTime("2024-01-01"), 45292.0);
    // Before the zero day the time still counts forward from midnight.
    EXPECT_DOUBLE_EQ(MySQLStrToDateTime("1899-12-29 06:00:00"), -1.25);
    EXPECT_DOUBLE_EQ(MySQLStrToDateTime("2024-02-30 10:00:00"), InvalidDateTime);
    EXPECT_DOUBLE_EQ(MySQLStrToDateTime("2024-02-01 25:00:00"), InvalidDateTime);
}

TEST(DbDateText, FourteenDigitTimeStamps)
{
    struct Case {
        const char* text;
        double value;
    } cases[] = {
        {"20240101120000", 45292.5},
        {"20240100000000", 45292},         // day 0 becomes 1
        {"20240101250000", 45292},         // hour above 23 becomes 0
        {"20240101006000", 45292},         // minute 60 becomes 0
        {"20240101000060", 45292},         // second 60 becomes 0
        {"00000101000000", InvalidDateTime}, // year 0 becomes 1: 0001-01-01
        {"20241301000000", InvalidDateTime}, // month 13 cannot form a date
        {"20240001000000", InvalidDateTime}, // nor month 0
        {"20240230000000", InvalidDateTime},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(MySQLTimeStampToDateTime(c.text), c.value) << c.text;
}

TEST(DbDateText, DecodeRoundTrip)
{
    int y, m, d, h, n, s;
    DecodeDateTime(45351.75, y, m, d, h, n, s);
    EXPECT_EQ(std::vector<int>({y, m, d, h, n, s}), std::vector<int>({2024, 2, 29, 18, 0, 0}));
    DecodeDateTime(InvalidDateTime, y, m, d, h, n, s);
    EXPECT_EQ(std::vector<int>({y, m, d}), std::vector<int>({1, 1, 1}));
}

TEST(DbNumberText, DotIsTheSeparator)
{
    EXPECT_DOUBLE_EQ(StrToFloatDot("3.5"), 3.5);
    EXPECT_DOUBLE_EQ(StrToFloatDot(" -12.25e2 "), -1225.0);
    EXPECT_DOUBLE_EQ(StrToFloatDot("+7"), 7.0);
    EXPECT_THROW(StrToFloatDot("3,5"), std::invalid_argument);
    EXPECT_THROW(StrToFloatDot(""), std::invalid_argument);
    EXPECT_THROW(StrToFloatDot("abc"), std::invalid_argument);
    EXPECT_EQ(FloatToStrDot(3.5), "3.5");
    EXPECT_EQ(FloatToStrDot(-0.25), "-0.25");
    EXPECT_EQ(FloatToStrDot(100), "100");
    EXPECT_EQ(FloatToStrDot(1e20), "1E20");
    EXPECT_EQ(FloatToStrDot(1.5e-7), "1.5E-7");
}

// Infinities and NaN are no numbers a server sends as text; nor is what
// comes back from them.
TEST(DbNumberText, InfinityAndNanAreNotNumbers)
{
    for (const char* text : {"inf", "-inf", "INF", "infinity", "nan", "-NaN", "nan(1)", "0x10", "1e", "+-1"}) {
        double v = 42;
        EXPECT_FALSE(TryStrToFloatDot(text, v)) << text;
        EXPECT_EQ(v, 42) << text << ": the output stays as it was";
        EXPECT_THROW(StrToFloatDot(text), std::invalid_argument) << text;
    }
    double v = 0;
    EXPECT_TRUE(TryStrToFloatDot(" .5 ", v));
    EXPECT_DOUBLE_EQ(v, 0.5);
}

// A locale whose decimal separator is a comma, built for the test when the
// system has the locale sources.
TEST(DbNumberText, CommaLocaleDoesNotMatter)
{
    cftest::ScratchDir dir;
    std::string cmd = "localedef -i de_DE -f UTF-8 " + (dir / "de_DE.UTF-8").string() +
                      " >/dev/null 2>&1";
    if (std::system(cmd.c_str()) != 0)
        GTEST_SKIP() << "no locale sources to build a comma locale";
    setenv("LOCPATH", dir.path().c_str(), 1);
    const char* set = std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
    if (!set)
        GTEST_SKIP() << "comma locale not loadable";
    char probe[16];
    std::snprintf(probe, sizeof probe, "%.1f", 3.5);
    ASSERT_STREQ(probe, "3,5"); // the locale really is in force
    EXPECT_DOUBLE_EQ(StrToFloatDot("3.5"), 3.5);
    EXPECT_EQ(FloatToStrDot(3.5), "3.5");
    std::setlocale(LC_NUMERIC, "C");
    unsetenv("LOCPATH");
}

TEST(DbSectionedText, ReadsValueOfTheWantedSectionOnly)
{
    const std::string text = "[client]\r\nport=3307\r\n";
    EXPECT_EQ(ReadSectionValue(text, "client", "port", "x"), "3307");
    EXPECT_EQ(ReadSectionValue(text, "direct", "port", "x"), "x");
    EXPECT_EQ(ReadSectionInteger(text, "client", "port", 1), 3307);
    EXPECT_EQ(ReadSectionInteger(text, "direct", "port", 1), 1);
}

TEST(DbSectionedText, ReadingRules)
{
    const std::string text =
        "port=1\n"              // before any section: belongs to none
        "; [direct]\n"          // a comment, not a header
        "\n"
        "[Direct]\n"
        "PORT=2\n"
        "host=a=b\n"
        "flag=TRUE\n"
        "off=yes\n"
        "[other]\n"
        "port=3\n";
    EXPECT_EQ(ReadSectionValue(text, "direct", "port", "d"), "2");
    EXPECT_EQ(ReadSectionValue(text, "DIRECT", "Host", "d"), "a=b");
    EXPECT_EQ(ReadSectionValue(text, "other", "port", "d"), "3");
    EXPECT_EQ(ReadSectionValue(text, "", "port", "d"), "d");
    EXPECT_EQ(ReadSectionValue(text, "direct", "missing", "d"), "d");
    EXPECT_TRUE(ReadSectionBool(text, "direct", "flag", false));
    EXPECT_FALSE(ReadSectionBool(text, "direct", "off", true));
    EXPECT_TRUE(ReadSectionBool(text, "direct", "missing", true));
    EXPECT_FALSE(ReadSectionBool(text, "direct", "missing", false));
}

} // namespace
