#include "dbexport/uMysqlErrors.h"
#include "dbexport/uMysqlNewPassword.h"
#include "dbexport/uSha1.h"

#include <gtest/gtest.h>

namespace {

std::string Hex(const uint8_t* p, size_t n)
{
    static const char d[] = "0123456789abcdef";
    std::string s;
    for (size_t i = 0; i < n; ++i) {
        s += d[p[i] >> 4];
        s += d[p[i] & 15];
    }
    return s;
}

std::string Hex(const TSha1Digest& d) { return Hex(d.data(), d.size()); }

// Published FIPS 180-1 test vectors.
TEST(DbSha1, PublishedVectors)
{
    EXPECT_TRUE(Sha1SelfTest());
    EXPECT_EQ(Hex(Sha1("abc")), "a9993e364706816aba3e25717850c26c9cd0d89d");
    EXPECT_EQ(Hex(Sha1("")), "da39a3ee5e6b4b0d3255bfef95601890afd80709");
    EXPECT_EQ(Hex(Sha1("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
              "84983e441c3bd26ebaae4aa1f95129e5e54670f1");
    TSha1 s;
    std::string chunk(1000, 'a');
    for (int i = 0; i < 1000; ++i)
        s.Update(chunk.data(), chunk.size());
    EXPECT_EQ(Hex(s.Final()), "34aa973cd4c4daa4f61eeb2bdbad27316534016f");
}

// The server stores the old-scheme hash of "old pw" as 09301740536db389
// (seen in its user table); blanks and tabs do not count.
TEST(DbOldPassword, HashMatchesTheServersAndSkipsBlanks)
{
    unsigned long h[2];
    HashOldPassword("old pw", h);
    EXPECT_EQ(h[0], 0x09301740ul);
    EXPECT_EQ(h[1], 0x536db389ul);
    unsigned long g[2];
    HashOldPassword("o l\td\tpw", g);
    EXPECT_EQ(g[0], h[0]);
    EXPECT_EQ(g[1], h[1]);
}

TEST(DbOldPassword, ScrambleHasOneCharacterPerSaltCharacter)
{
    std::string s = ScrambleOld("old pw", "abcdefgh");
    ASSERT_EQ(s.size(), 8u);
    EXPECT_EQ(s, ScrambleOld("oldpw", "abcdefgh"));
    EXPECT_NE(s, ScrambleOld("oldpx", "abcdefgh"));
    // floor(x * 31) + 64 lies in 64..94, then is xored with a value below 31:
    // bit 6 stays set, bit 7 clear.
    for (char c : s)
        EXPECT_EQ(static_cast<unsigned char>(c) & 0xC0, 0x40);
}

// The server keeps SHA1(SHA1(password)); the 4.1 scramble xored with
// SHA1(salt + that) must give SHA1(password) back.
TEST(DbNewPassword, ScrambleUnwindsToStageOne)
{
    const std::string salt = "0123456789abcdefghij";
    std::string s = Scramble41("new-secret", salt);
    ASSERT_EQ(s.size(), 20u);
    TSha1Digest stage1 = Sha1("new-secret");
    TSha1Digest stage2 = Sha1(stage1.data(), stage1.size());
    TSha1Digest mix = Sha1(salt + std::string(reinterpret_cast<const char*>(stage2.data()), 20));
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(static_cast<uint8_t>(s[static_cast<size_t>(i)]) ^ mix[static_cast<size_t>(i)],
                  stage1[static_cast<size_t>(i)]);
}

TEST(DbClientErrors, TableTextsAndPlaceholders)
{
    for (int n = 2000; n <= 2020; ++n)
        EXPECT_STRNE(ClientErrorFormat(n), "") << n;
    EXPECT_STREQ(ClientErrorFormat(1999), "Unknown MySQL error");
    EXPECT_STREQ(ClientErrorFormat(2021), "Unknown MySQL error");
    EXPECT_EQ(ClientErrorText(2000), "Unknown MySQL error");
    EXPECT_EQ(ClientErrorText(2003, "db.example", {}, 111),
              "Can't connect to MySQL server on 'db.example' (111)");
    EXPECT_EQ(ClientErrorText(2007, {}, {}, 11, 10),
              "Protocol mismatch. Server Version = 11 Client Version = 10");
    EXPECT_EQ(ClientErrorText(2014), "Commands out of sync;  You can't run this command now");
    EXPECT_EQ(ClientErrorText(2016, ".", "MySQL", 5),
              "Can't wait for named pipe to host: .  pipe: MySQL (5)");
    EXPECT_EQ(ClientErrorText(2019, "latin1", "/usr/share"),
              "Can't initialize character set latin1 (path: /usr/share)");
    EXPECT_EQ(ClientErrorText(2020), "Got packet bigger than 'max_allowed_packet'");
    // Texts are cut to their placeholder's width.
    std::string host(100, 'h');
    EXPECT_EQ(ClientErrorText(2005, host, {}, 2),
              "Unknown MySQL Server Host '" + std::string(64, 'h') + "' (2)");
    EXPECT_EQ(ClientErrorText(2017, "x", std::string(40, 'p'), 3),
              "Can't open named pipe to host: x  pipe: " + std::string(32, 'p') + " (3)");
}

} // namespace
