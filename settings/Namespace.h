#pragma once

// The DVB namespace rule for new transponders.

#include <cstdint>
#include <string>

// False for the ONIDs that do not identify a network uniquely (0, 0x1111,
// 0xFFFF) and for the known clashes (ONID 1 with TSID <= 1, ONID 2 with TSID
// 2024, ONID 0xB1 with TSID 0xB0); true otherwise.
bool IsValidOnidTsid(std::int32_t onid, std::int32_t tsid);

// Namespace of a transponder as signed 32-bit decimal text. `tsid` and
// `onid` are hexadecimal texts as the model holds them, `frequency` decimal,
// `position` tenths of a degree (or degrees with ","). EConvertError on junk.
std::string CalcNamespace(const std::string& kind, const std::string& tsid, const std::string& onid,
                          const std::string& frequency, const std::string& position);

// The decimal text of CalcNamespace as 8 upper-case hexadecimal digits.
std::string NamespaceHex(const std::string& decimalNamespace);
