#pragma once

// The two login scrambles of the protocol.

#include <string>
#include <string_view>

// Pre-4.1 scheme: one character per salt character (the salt is cut to 8
// by the caller); blanks and tabs in the password do not count.
std::string ScrambleOld(std::string_view password, std::string_view salt);

// 4.1 scheme: SHA1(password) xor SHA1(salt + SHA1(SHA1(password))), 20 bytes.
// Empty when the SHA-1 self-test fails, so no login goes out without a
// proper scramble.
std::string Scramble41(std::string_view password, std::string_view salt);

// The two 31-bit words of the old hash.
void HashOldPassword(std::string_view text, unsigned long result[2]);
