#include "dbexport/MySQLStrUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(DbSetSectionValue, Table)
{
    struct Case {
        const char* name;
        const char* text;
        const char* section;
        const char* key;
        const char* value;
        const char* result;
    } cases[] = {
        {"empty text", "", "direct", "protocol", "tcp", "[direct]\r\nprotocol=tcp\r\n"},
        {"header kept as written, key as the caller writes it", "[DIRECT]\nProtoCol=pipe\n",
         "direct", "protocol", "tcp", "[DIRECT]\r\nprotocol=tcp\r\n"},
        {"empty value deletes", "[direct]\r\nprotocol=tcp\r\nhost=x\r\n", "direct", "protocol", "",
         "[direct]\r\nhost=x\r\n"},
        {"empty value on a missing key appends it", "[direct]\r\nhost=x\r\n", "direct", "protocol",
         "", "[direct]\r\nhost=x\r\nprotocol=\r\n"},
        {"comments, empty lines and lines before the first header go",
         "orphan=1\r\n; note\r\n\r\n[client]\r\n;c\r\nport=1\r\n\r\n", "client", "host", "h",
         "[client]\r\nport=1\r\nhost=h\r\n"},
        {"a new section is appended", "[client]\nport=1", "direct", "protocol", "pipe",
         "[client]\r\nport=1\r\n[direct]\r\nprotocol=pipe\r\n"},
        {"key replaced in place", "[d]\na=1\nb=2\nc=3\n", "d", "B", "9", "[d]\r\na=1\r\nB=9\r\nc=3\r\n"},
        {"first of two equal headers", "[d]\na=1\n[d]\na=2\n", "d", "a", "5",
         "[d]\r\na=5\r\n[d]\r\na=2\r\n"},
        {"a line without = has no name", "[d]\nprotocol\n", "d", "protocol", "tcp",
         "[d]\r\nprotocol\r\nprotocol=tcp\r\n"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SetSectionValue(c.text, c.section, c.key, c.value), c.result) << c.name;
}

TEST(DbExtractSection, Table)
{
    const std::string text = "[client]\nport=1\n[Direct]\nprotocol=tcp\n;x\nhost=h\n[embedded]\n";
    EXPECT_EQ(ExtractSection(text, "direct", "def"), "protocol=tcp\r\nhost=h\r\n");
    EXPECT_EQ(ExtractSection(text, "client", "def"), "port=1\r\n");
    EXPECT_EQ(ExtractSection(text, "embedded", "def"), "");
    EXPECT_EQ(ExtractSection(text, "missing", "def"), "def");
    EXPECT_EQ(ExtractSection("", "client", ""), "");
}

TEST(DbReadSectionInteger, DefaultsForNonNumbersAndMissingText)
{
    EXPECT_EQ(ReadSectionInteger("[w]\ntimeout=abc\n", "w", "timeout", 42), 42);
    EXPECT_EQ(ReadSectionInteger("", "w", "timeout", 42), 42);
    EXPECT_EQ(ReadSectionInteger("[w]\ntimeout=-15\n", "w", "timeout", 42), -15);
    EXPECT_EQ(ReadSectionInteger("[w]\ntimeout=12x\n", "w", "timeout", 42), 42);
    EXPECT_EQ(ReadSectionInteger("[w]\ntimeout=99999999999\n", "w", "timeout", 42), 42);
    EXPECT_EQ(ReadSectionInteger("[w]\ntimeout=\n", "w", "timeout", 42), 42);
}

TEST(DbSetSectionValue, WrittenValueReadsBack)
{
    std::string text;
    text = SetSectionValue(text, "direct", "protocol", "tcp");
    text = SetSectionValue(text, "client", "port", "3307");
    text = SetSectionValue(text, "direct", "protocol", "pipe");
    EXPECT_EQ(ReadSectionValue(text, "direct", "protocol", ""), "pipe");
    EXPECT_EQ(ReadSectionInteger(text, "client", "port", 0), 3307);
    EXPECT_EQ(ExtractSection(text, "direct", ""), "protocol=pipe\r\n");
}

} // namespace
