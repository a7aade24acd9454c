#include "dbexport/uMysqlNewPassword.h"

#include "dbexport/uSha1.h"
#include "dbexport/uTools.h"

#include <cmath>
#include <cstdint>

void HashOldPassword(std::string_view text, unsigned long result[2])
{
    uint32_t nr = 1345345333u, nr2 = 0x12345671u, add = 7;
    for (unsigned char c : text) {
        if (c == ' ' || c == '\t')
            continue;
        nr ^= (((nr & 63) + add) * c) + (nr << 8);
        nr2 += (nr2 << 8) ^ nr;
        add += c;
    }
    result[0] = nr & 0x7FFFFFFFu;
    result[1] = nr2 & 0x7FFFFFFFu;
}

std::string ScrambleOld(std::string_view password, std::string_view salt)
{
    unsigned long p[2], m[2];
    HashOldPassword(password, p);
    HashOldPassword(salt, m);
    const unsigned long max = 0x3FFFFFFFul;
    unsigned long s1 = (p[0] ^ m[0]) % max;
    unsigned long s2 = (p[1] ^ m[1]) % max;
    auto next = [&]() {
        s1 = (s1 * 3 + s2) % max;
        s2 = (s1 + s2 + 33) % max;
        return static_cast<double>(s1) / static_cast<double>(max);
    };
    std::string out;
    for (size_t i = 0; i < salt.size(); ++i)
        out += static_cast<char>(static_cast<int>(std::floor(next() * 31)) + 64);
    char extra = static_cast<char>(static_cast<int>(std::floor(next() * 31)));
    for (char& c : out)
        c = static_cast<char>(c ^ extra);
    return out;
}

std::string Scramble41(std::string_view password, std::string_view salt)
{
    if (!Sha1SelfTest())
        return {};
    TSha1Digest stage1 = Sha1(password);
    TSha1Digest stage2 = Sha1(stage1.data(), stage1.size());
    TSha1 s;
    s.Update(salt.data(), salt.size());
    s.Update(stage2.data(), stage2.size());
    TSha1Digest result = s.Final();
    Xor20(result.data(), stage1.data(), result.data());
    return std::string(reinterpret_cast<const char*>(result.data()), result.size());
}
