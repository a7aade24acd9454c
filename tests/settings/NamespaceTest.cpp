#include "SettingsTestUtil.h"

using namespace cftest;

TEST_F(ModelTest, IsValidOnidTsidTable)
{
    struct Case {
        int onid, tsid;
        bool valid;
    };
    const Case cases[] = {
        {0, 5, false},      {0x1111, 5, false}, {0xFFFF, 5, false}, {1, 1, false},   {1, 0, false},
        {1, 2, true},       {2, 2024, false},   {2, 2023, true},     {0xB1, 0xB0, false},
        {0xB1, 0xB1, true}, {0x85, 0, true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsValidOnidTsid(c.onid, c.tsid), c.valid) << c.onid << " " << c.tsid;
}

TEST_F(ModelTest, CalcNamespaceCases)
{
    // 30.0E with a valid ONID/TSID: 300 << 16 = 0x012C0000.
    EXPECT_EQ(CalcNamespace("S", "0441", "0001", "12515000", "300"), "19660800");
    EXPECT_EQ(NamespaceHex("19660800"), "012C0000");
    // 355.0 is 5.0 West: the high word is -50, so the text is negative.
    EXPECT_EQ(CalcNamespace("S", "0441", "0001", "12515000", "3550"), "-3276800");
    EXPECT_EQ(NamespaceHex("-3276800"), "FFCE0000");
    // ONID 1111 is not unique: the low word is the frequency (11778000 = 179 * 65536 + 47056, 47056 = B7D0).
    EXPECT_EQ(NamespaceHex(CalcNamespace("s", "0001", "1111", "11778000", "192")), "00C0B7D0");
    // A position with "," is in degrees.
    EXPECT_EQ(NamespaceHex(CalcNamespace("S", "0441", "0001", "12515000", "19,2")), "00C00000");
    EXPECT_EQ(NamespaceHex(CalcNamespace("T", "0400", "2174", "474000000", "")), "EEEE0000");
    EXPECT_EQ(NamespaceHex(CalcNamespace("t", "0400", "2174", "474000000", "")), "EEEE0000");
    EXPECT_EQ(NamespaceHex(CalcNamespace("c", "0005", "0085", "346000000", "")), "FFFF0000");
    EXPECT_EQ(CalcNamespace("C", "0005", "0085", "346000000", ""), "-65536");
    EXPECT_THROW(CalcNamespace("S", "0441", "0001", "12515000", "east"), EConvertError);
}
