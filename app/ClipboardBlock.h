#pragma once

// The private clipboard block and the text lines it carries. The same lines,
// one per file line, make a user-bouquet exchange file (.CBU).
//
// Block layout, little-endian: owner (signed 32-bit), count (signed 32-bit),
// then `count` slots of 256 bytes, each a length byte L and L bytes of one
// line. Blocks come from other running copies and lines from files, so both
// are read as untrusted: a block too short for the count it claims gives no
// lines at all, and a line that is neither a marker nor a well-formed
// service line is refused with the reason, never half-read.
//
// A service line is 29 fields joined by "|"; a marker line is "TITLE|" and
// the marker's text. The format has no quoting of its own, so "%" and "|"
// in a name, provider or marker travel as "%25" and "%7C": a name holding
// "|" can never shift the fields after it. A line always fits its 255-byte
// slot: when the service's data would not, the name (then the provider) is
// shortened at a character boundary, so every field still arrives.

#include "settings/Model.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

inline constexpr std::size_t BlockHeaderSize = 8;
inline constexpr std::size_t BlockSlotSize = 256;
inline constexpr std::size_t MaxLineBytes = 255;
inline constexpr std::size_t ServiceLineFields = 29;
inline constexpr const char* MarkerTag = "TITLE";

// The block for `lines` with owner `owner`. A line over 255 bytes is cut to
// 255 (the line builders below never give one).
std::vector<std::uint8_t> EncodeBlock(std::int32_t owner, const std::vector<std::string>& lines);

struct TDecodedBlock {
    std::int32_t Owner = 0;
    std::vector<std::string> Lines;
};
// False, leaving `out` empty, for a block shorter than its header, with a
// negative count, or shorter than the count's slots.
bool DecodeBlock(std::span<const std::uint8_t> bytes, TDecodedBlock& out);

// "%" -> "%25", "|" -> "%7C", and back. Unescaping leaves any other "%"
// as it is, so text written by a copy that did not escape reads unchanged
// (unless it holds "%25" or "%7C" literally).
std::string EscapeLineText(std::string_view text);
std::string UnescapeLineText(std::string_view text);

// The line of service `ch` on transponder `tp`; `tpIndex` is written as the
// writer's transponder index (a reader does not use it).
std::string ServiceLine(const TY_ENIG_CH& ch, const TY_ENIG_TP& tp, std::int32_t tpIndex);
// "TITLE|" + the escaped marker text, cut at a character boundary to fit.
std::string MarkerLine(std::string_view text);

// One line read back.
struct TLineSlot {
    enum class TKind { Service, Marker, Invalid };
    TKind Kind = TKind::Invalid;
    std::string MarkerText; // Marker
    // Service: the transponder (namespace, TSID, ONID, key, kind, tuning
    // data, the six bytes) and the service (SID, type, Number = the writer's
    // number, name, provider, PIDs, flags, marks; Key = SID + transponder
    // key + type). TpIndex is the writer's and means nothing here.
    TY_ENIG_TP Tp;
    TY_ENIG_CH Ch;
    std::string Problem; // Invalid: why the line was refused
};
TLineSlot ParseLine(std::string_view line);
