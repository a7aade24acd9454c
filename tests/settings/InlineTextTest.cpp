#include "settings/FieldList.h"
#include "settings/InlineText.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Lengths around the in-place limit (6 for 8 bytes, 14 for 16, 30 for 32):
// a text is never cut and reads back the same wherever it is held.
TEST(InlineText, KeepsEveryLengthAroundTheInPlaceLimit)
{
    for (std::size_t n : {0u, 1u, 5u, 6u, 7u, 13u, 14u, 15u, 29u, 30u, 31u, 200u}) {
        const std::string text(n, 'x');
        TText16 a = text;
        TText32 b(text);
        TText8 c(text);
        EXPECT_EQ(a.size(), n);
        EXPECT_EQ(b.size(), n);
        EXPECT_EQ(c.size(), n);
        EXPECT_EQ(a, text);
        EXPECT_EQ(c, text);
        EXPECT_EQ(std::string(b.c_str()), text); // NUL-terminated in both forms
        EXPECT_EQ(std::string(c.c_str()), text);
        TText8 small = c;
        TText8 takenSmall = std::move(small);
        EXPECT_EQ(takenSmall, text);
        EXPECT_TRUE(small.empty());
        takenSmall = "0100";
        EXPECT_EQ(takenSmall, "0100");
        takenSmall = text;
        EXPECT_EQ(takenSmall.view(), text);
        TText16 copy = a;
        TText16 moved = std::move(copy);
        EXPECT_EQ(moved, text);
        moved = "short";
        EXPECT_EQ(moved, "short");
        moved = text;
        EXPECT_EQ(moved.view(), text);
    }
}

TEST(InlineText, AssignFromAPartOfItself)
{
    TText8 pid = "a PID text past six";
    pid = pid.view().substr(2, 8);
    EXPECT_EQ(pid, "PID text");
    pid = pid.view().substr(4);
    EXPECT_EQ(pid, "text");
    pid = pid.view().substr(1);
    EXPECT_EQ(pid, "ext");

    TText16 t = "a text longer than fourteen";
    t = t.view().substr(2, 20);
    EXPECT_EQ(t, "text longer than fou");
    t = t.view().substr(5);
    EXPECT_EQ(t, "longer than fou");
    t = t.view().substr(0, 6);
    EXPECT_EQ(t, "longer");
}

// Short texts are copied in overlapping blocks: every length, every
// character in its place, also when the text comes from inside itself.
TEST(InlineText, ShortTextsKeepEveryCharacterInPlace)
{
    const std::string alphabet = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZabcdef";
    for (std::size_t n = 0; n <= 30; ++n) {
        const std::string text = alphabet.substr(0, n);
        TText32 fresh(text);
        EXPECT_EQ(fresh.view(), text);
        TText32 reused = "something else";
        reused.assign(text);
        EXPECT_EQ(reused.view(), text);
        for (std::size_t shift = 1; shift <= 3 && shift <= n; ++shift) {
            TText32 self(text);
            self.assign(self.view().substr(shift));
            EXPECT_EQ(self.view(), text.substr(shift)) << n << " shifted by " << shift;
        }
    }
}

TEST(InlineText, ComparesAndJoinsLikeAString)
{
    const TText32 name = "Das Erste HD";
    const std::string s = name; // converts
    EXPECT_EQ(s, name);
    EXPECT_EQ(name + " (" + std::string("ARD") + ")", "Das Erste HD (ARD)");
    EXPECT_TRUE(TText16("0001") < TText16("0002"));
    EXPECT_NE(TText16("INS"), "UPD");
    TText16 grow = "0A1F";
    grow += "00C00000";
    grow += "0001";
    EXPECT_EQ(grow, "0A1F00C000000001");
}

TEST(FieldList, KeepsTheFieldsInOrderAndWritesThemBackJoined)
{
    const std::vector<std::string> read = {"c:050001", "", "C:0d05", "C:1830", std::string(300, 'z')};
    TFieldList l;
    l.assign(read.begin(), read.end());
    EXPECT_EQ(l.size(), 4u); // the empty field is not a field
    EXPECT_EQ(l, (std::vector<std::string>{"c:050001", "C:0d05", "C:1830", std::string(300, 'z')}));
    EXPECT_EQ(l.Joined(), "c:050001,C:0d05,C:1830," + std::string(300, 'z'));
    const TFieldList none;
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(none.begin(), none.end());
    EXPECT_EQ(none, std::vector<std::string>{});
}

} // namespace
