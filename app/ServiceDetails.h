#pragma once

// The service details dialog's work on the model: what it shows of a
// service, where the service is used, and the checked store of the edited
// fields. The dialog only copies these into and out of its edits.

#include "settings/Model.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One row of the "Present in .." list; section rows are painted red.
struct TPresentInRow {
    std::string Text;
    bool Section = false;
    bool operator==(const TPresentInRow&) const = default;
};
inline constexpr const char* ProviderSectionText = "     Provider    ";

// The providers, then the TV and the radio user bouquets holding the
// service `number`, each under its section row and each named once however
// often it holds the service. One pass over every member list.
std::vector<TPresentInRow> PresentInRows(std::int32_t number);

// The editable fields as the dialog shows them (ids and PIDs in the number
// display of Dec_Format).
struct TServiceDetails {
    std::string Type;
    std::string Name;
    std::string Provider;
    std::string Sid;
    std::array<std::string, PID_COUNT> Pids; // video, audio, teletext, PCR, AC3
    std::int32_t TpIndex = 0;
    bool NoDvb = false;
    bool DontShow = false;
    bool NoPmt = false;
    bool Black = false;
    bool White = false;
};

TServiceDetails DetailsOf(const TY_ENIG_CH& service, bool decimal);

// Which field a refused save points at.
enum class TDetailsField { Type, Sid, Pid, Transponder };
struct TDetailsError {
    TDetailsField Field = TDetailsField::Type;
    int Pid = 0; // with TDetailsField::Pid: PID_VIDEO .. PID_AC3
    std::string Message;
};

// Checks every field, then stores them all into Services[index] (nothing is
// stored when one is refused): the type as a number, ids and PIDs as four
// hexadecimal digits (an empty PID stays absent), the key rebuilt from SID,
// the transponder's key and the type, the flags from the three boxes (the
// NEW mark and every other bit cleared), the two list marks. Sets Modified.
std::optional<TDetailsError> StoreServiceDetails(std::int32_t index, const TServiceDetails& details, bool decimal);

// True when a service of this type at this position no longer passes the
// main window's type filter (CB_Type index) or satellite filter (CB_Sat index
// and item), so its list must be filled again.
bool LeavesFilters(std::int32_t serviceType, int typeIndex, int satIndex, const std::string& satItem,
                   const std::string& position);
