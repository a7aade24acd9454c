#pragma once

// The records of one receiver settings set. Records refer to each other by
// array index (service to transponder) or by a service's serial number
// (providers, user bouquets, grids); there are no pointers between records.
// All texts are UTF-8.

#include "settings/FieldList.h"
#include "settings/InlineText.h"
#include "settings/XmlScanner.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

using ARR_OF_INTEGER = std::vector<std::int32_t>;
using ARR_OF_STRING = std::vector<std::string>;
// A text triple: user-bouquet entries and list-file entries. A fixed record
// of three short texts rather than a list of three strings: a large set has
// a hundred thousand entries and more.
struct TY_TEXT_TRIPLE {
    TText16 Texts[3];

    TText16& operator[](std::size_t i) noexcept { return Texts[i]; }
    const TText16& operator[](std::size_t i) const noexcept { return Texts[i]; }
    static constexpr std::size_t size() noexcept { return 3; }
    static constexpr bool empty() noexcept { return false; }
    TText16* begin() noexcept { return Texts; }
    TText16* end() noexcept { return Texts + 3; }
    const TText16* begin() const noexcept { return Texts; }
    const TText16* end() const noexcept { return Texts + 3; }

    bool operator==(const TY_TEXT_TRIPLE&) const = default;
};
using ARR_ARR_OF_STRING = std::vector<TY_TEXT_TRIPLE>;

// Service flag bits. NEW is held in memory only: files get the flags & 0x7F.
constexpr std::int32_t FLAG_NODVB = 0x01;
constexpr std::int32_t FLAG_DONTSHOW = 0x02;
constexpr std::int32_t FLAG_NOPMT = 0x04;
constexpr std::int32_t FLAG_NEW = 0x80;

// A transponder.
struct TY_ENIG_TP {
    std::string Namespace;  // 8 upper-case hex digits, e.g. 00C00000
    std::string Tsid;       // 4 upper-case hex digits
    std::string Onid;       // 4 upper-case hex digits
    std::string Key;        // Namespace + Tsid + Onid (16 characters)
    std::string Kind;       // "S" satellite, "C" cable, "T" terrestrial, "t" QB-One terrestrial
    std::string Frequency;  // decimal text as in the file (satellite: kHz)
    std::string SymbolRate; // decimal text
    std::string Polarisation; // one digit: 0 H, 1 V, 2 L, 3 R
    std::string Fec;        // decimal index into FecNames (15 "None")
    std::string Position;   // "019.2E" / "030.0W", "Cable" or "Terrestrial"
    std::int32_t Inversion = 0;  // 0 Off, 1 On, 2 Unknown
    std::int32_t ScanFlags = 0;  // 0 None, 1 scan only free (lamedb 4)
    std::int32_t System = 0;     // 0 DVB-S, 1 DVB-S2
    std::int32_t Modulation = 0; // 0 Auto, 1 QPSK, 2 8PSK, 3 QAM
    std::int32_t RollOff = 0;    // 0 0.35, 1 0.25, 2 0.20, 3 auto
    std::int32_t Pilot = 0;      // 0 Off, 1 On, 2 Unknown
    std::string Spare;           // never filled by the readers or writers

    // What the data line carried beyond the inversion, so that a save gives
    // back what was read: the settings version whose layout the line had (0
    // when the transponder was not read from a services file), how many of
    // that version's known extra fields were present, and any further fields
    // the receiver wrote after them (without the leading ":").
    std::int32_t ExtrasVersion = 0;
    std::int32_t ExtrasRead = 0;
    std::string ExtraFields;
    // The fifth field of the data line of a cable or terrestrial transponder
    // as read. Only satellites carry a position there; cable lines hold the
    // inner FEC and terrestrial lines the constellation, which a save must
    // give back. Empty when the transponder was not read from a file.
    std::string PositionField;

    bool operator==(const TY_ENIG_TP&) const = default;
};
using ARR_ENIG_TP = std::vector<TY_ENIG_TP>;

// Index of each cached PID in TY_ENIG_CH::Pids ("c:00" .. "c:04").
enum : int { PID_VIDEO = 0, PID_AUDIO = 1, PID_TELETEXT = 2, PID_PCR = 3, PID_AC3 = 4, PID_COUNT = 5 };

// A service.
struct TY_ENIG_CH {
    // Given, not generated: a loader grows a list of a hundred thousand
    // records by value-initialising each one, which for a generated
    // constructor clears the whole record before the members set themselves.
    TY_ENIG_CH() noexcept {}

    // The texts are held in place up to their usual lengths (a hundred
    // thousand services make one block); longer ones go to the heap.
    TText8 Sid;                   // 4 upper-case hex digits
    std::int32_t TpIndex = 0;     // index into the transponder array it was loaded with
    std::int32_t ServiceType = 0; // 1, 4, 25 TV; 2 radio; others data
    TText32 Key;                  // Sid + transponder key + type in decimal
    std::int32_t Number = 0;      // serial number inside the editor (200 + load position)
    bool Unnamed = false;         // the file had no name: "." is written back as none
    TText32 Name;                 // "." when the file has no name
    TText16 Provider;             // from "p:"
    std::array<TText8, PID_COUNT> Pids; // texts after "c:00".."c:04"; empty = absent
    std::int32_t Flags = 0;       // FLAG_* bits
    std::int32_t Black = 0;       // 1 when on the black list (Enigma 1: lock list)
    std::int32_t White = 0;       // 1 when on the white list
    TText8 CompareStatus;         // compare copy only: "INS", "UPD" or empty
    // Fields of the data line that the editor does not interpret (cached
    // values other than c:00..c:04, "C:" CA ids, ...), in file order and
    // written back as read, so that a save does not strip receiver data.
    TFieldList ExtraData;

    bool operator==(const TY_ENIG_CH&) const = default;
};
using ARR_ENIG_CH = std::vector<TY_ENIG_CH>;

// A provider (an entry of the "bouquets" file).
struct TY_ENIG_PR {
    std::int32_t Id = 0;
    std::string Name;
    std::int32_t Black = 0;
    std::int32_t White = 0;
    ARR_OF_INTEGER Members; // service numbers, in file order

    bool operator==(const TY_ENIG_PR&) const = default;
};
using ARR_ENIG_PR = std::vector<TY_ENIG_PR>;

// Entry kinds of a user bouquet (element [0] of an entry triple).
inline constexpr const char* UB_ENTRY_SERVICE = "S";
inline constexpr const char* UB_ENTRY_MARKER = "D";
// A reference the model has no record for (a stream, a sub-bouquet, a
// spacer, a service given its own name), kept as read: [1] the reference
// text after "#SERVICE ", [2] its description. Lists show it like a marker,
// with the description as its text (the reference when there is none).
inline constexpr const char* UB_ENTRY_KEPT = "R";

// A user bouquet (one array for TV, one for radio).
struct TY_ENIG_UB {
    std::string Name;   // the "#NAME" line
    std::string FileId; // id in the file name or reference (e.g. ED00)
    std::int32_t Black = 0;
    std::int32_t White = 0;
    std::int32_t ServiceCount = 0; // service entries, markers not counted
    // Each entry is a triple: [0] "S", "D" or "R"; [1] the service number in
    // decimal, the marker text or the kept reference; [2] optional
    // description of a service or a kept reference.
    ARR_ARR_OF_STRING Entries;

    bool operator==(const TY_ENIG_UB&) const = default;
};
using ARR_ENIG_UB = std::vector<TY_ENIG_UB>;

// Attributes of a tuning-list element that the model has no field for
// (stream ids, PLS codes, DVB-T2 system...), in file order. Each element
// carries its own, so two transponders alike in the known fields keep theirs.
using XmlAttributes = std::vector<XmlAttribute>;

// One transponder row of satellites.xml.
enum : int {
    SAT_FREQUENCY = 0, SAT_SYMBOLRATE, SAT_POLARISATION, SAT_FEC, SAT_INVERSION,
    SAT_MODULATION, SAT_SYSTEM, SAT_PILOT, SAT_ROLLOFF, SAT_FIELDS
};
struct TY_ENIG_SAT_DATA : std::array<std::int32_t, SAT_FIELDS> {
    // Which of the fields above the file held (bit 1 << field). A receiver
    // gives an absent attribute its own default (inversion and pilot Auto),
    // not the 0 the model holds, so only these are written back. 0 for a
    // transponder made in the editor: it writes every value it has. An
    // edit of a read transponder sets the bit of the field it sets
    // (SetSatValue).
    std::uint32_t Present = 0;
    // A row braced from its values alone ({frequency, symbol rate, ...})
    // starts with none.
    XmlAttributes Kept{};

    bool operator==(const TY_ENIG_SAT_DATA&) const = default;
};
using ARR_ENIG_SAT_DATA = std::vector<TY_ENIG_SAT_DATA>;

// Sets a field of a satellite transponder so that a save writes it.
inline void SetSatValue(TY_ENIG_SAT_DATA& tp, int field, std::int32_t value)
{
    tp[static_cast<std::size_t>(field)] = value;
    if (tp.Present != 0)
        tp.Present |= 1u << field;
}

// Scan option bits of a satellite.
constexpr std::int32_t SATFLAG_NETWORK_SCAN = 1;
constexpr std::int32_t SATFLAG_USE_BAT = 2;
constexpr std::int32_t SATFLAG_USE_ONID = 4;
constexpr std::int32_t SATFLAG_SKIP_NIT = 8;

// A satellite of satellites.xml.
struct TY_ENIG_SAT {
    std::string Name;
    std::int32_t Flags = 0;       // SATFLAG_* bits
    std::string PositionText;     // "019.2E"
    std::int32_t Position = 0;    // tenths of a degree, East positive
    ARR_ENIG_SAT_DATA Transponders;

    bool operator==(const TY_ENIG_SAT&) const = default;
};
using ARR_ENIG_SAT = std::vector<TY_ENIG_SAT>;

// One transponder row of terrestrial.xml.
enum : int { TER_FREQUENCY = 0, TER_BANDWIDTH, TER_CONSTELLATION, TER_FIELDS };
struct TY_ENIG_TER_DATA : std::array<std::int32_t, TER_FIELDS> {
    XmlAttributes Kept{}; // none for a row braced from its values alone

    bool operator==(const TY_ENIG_TER_DATA&) const = default;
};
using ARR_ENIG_TER_DATA = std::vector<TY_ENIG_TER_DATA>;

// A terrestrial location of terrestrial.xml.
struct TY_ENIG_TER {
    std::string Name;
    std::int32_t Flags = 0;
    ARR_ENIG_TER_DATA Transponders;
    XmlAttributes Kept;

    bool operator==(const TY_ENIG_TER&) const = default;
};
using ARR_ENIG_TER = std::vector<TY_ENIG_TER>;

// A receiver profile. Type: 1 Enigma 1, 2 Enigma 2 (lamedb 3),
// 3 Enigma 2 (lamedb 4), 4 Enigma 1 QB-One; it writes version Type + 1.
struct TY_PROFILES {
    std::string Name;
    std::int32_t Type = 1;
    std::string Address;
    std::string User;
    std::string Password;
    std::int32_t HttpPort = 80;
    std::int32_t FtpPort = 21;
    bool Passive = false;
    std::string PRO_Sdir; // settings folder on the receiver
    std::string PRO_Xdir; // folder of the XML lists on the receiver

    bool operator==(const TY_PROFILES&) const = default;
};
using ARR_PROFILES = std::vector<TY_PROFILES>;

// A service reported by the receiver's running service list.
struct TY_ENIG_NEW_CH {
    std::string Sid;        // 4 upper-case hex digits
    std::int32_t ServiceType = 0;
    std::string Namespace;  // 8 upper-case hex digits
    std::string Tsid;       // 4 upper-case hex digits
    std::string Onid;       // 4 upper-case hex digits
    std::string Spare;      // stays empty
    std::string Name;       // cleaned with Utf8ToAnsiClean
    std::string Field12;    // twelfth field of the reply line

    bool operator==(const TY_ENIG_NEW_CH&) const = default;
};
using ARR_ENIG_NEW_CH = std::vector<TY_ENIG_NEW_CH>;
