#include "app/ServiceDetails.h"

#include "app/DialogFields.h"
#include "app/MainLists.h"
#include "settings/Fields.h"
#include "settings/Unit_lib.h"

#include <algorithm>
#include <unordered_set>

namespace {

void AddBouquetRows(std::vector<TPresentInRow>& rows, const std::string& section, const ARR_ENIG_UB& bouquets,
                    const std::string& numberText)
{
    rows.push_back({section, true});
    for (const TY_ENIG_UB& ub : bouquets)
        for (const TY_TEXT_TRIPLE& e : ub.Entries)
            if (e.size() > 1 && e[0] == UB_ENTRY_SERVICE && e[1] == numberText) {
                rows.push_back({ub.Name, false});
                break;
            }
}

} // namespace

std::vector<TPresentInRow> PresentInRows(std::int32_t number)
{
    std::vector<TPresentInRow> rows{{ProviderSectionText, true}};
    for (const TY_ENIG_PR& pr : Providers)
        for (std::int32_t m : pr.Members)
            if (m == number) {
                rows.push_back({pr.Name, false});
                break;
            }
    const std::string numberText = std::to_string(number);
    AddBouquetRows(rows, TvListName, TvBouquets, numberText);
    AddBouquetRows(rows, RadioListName, RadioBouquets, numberText);
    return rows;
}

TServiceDetails DetailsOf(const TY_ENIG_CH& s, bool decimal)
{
    TServiceDetails d;
    d.Type = std::to_string(s.ServiceType);
    d.Name = s.Name;
    d.Provider = s.Provider;
    d.Sid = ShowId(s.Sid, decimal);
    for (std::size_t i = 0; i < d.Pids.size(); ++i)
        d.Pids[i] = ShowId(s.Pids[i], decimal);
    d.TpIndex = s.TpIndex;
    d.NoDvb = (s.Flags & FLAG_NODVB) != 0;
    d.DontShow = (s.Flags & FLAG_DONTSHOW) != 0;
    d.NoPmt = (s.Flags & FLAG_NOPMT) != 0;
    d.Black = s.Black == 1;
    d.White = s.White == 1;
    return d;
}

std::optional<TDetailsError> StoreServiceDetails(std::int32_t index, const TServiceDetails& d, bool decimal)
{
    if (index < 0 || static_cast<std::size_t>(index) >= Services.size())
        return TDetailsError{TDetailsField::Type, 0, "The service is no longer in the list"};
    std::int32_t type = 0;
    if (!TryParseInt(d.Type, type) || type < 0)
        return TDetailsError{TDetailsField::Type, 0, NotIntegerText(d.Type)};
    const auto sid = IdFromText(d.Sid, decimal, false);
    if (!sid)
        return TDetailsError{TDetailsField::Sid, 0, IdErrorText(decimal)};
    std::array<std::string, PID_COUNT> pids;
    for (int i = 0; i < PID_COUNT; ++i) {
        const auto pid = IdFromText(d.Pids[static_cast<std::size_t>(i)], decimal, true);
        if (!pid)
            return TDetailsError{TDetailsField::Pid, i, IdErrorText(decimal)};
        pids[static_cast<std::size_t>(i)] = *pid;
    }
    if (d.TpIndex < 0 || static_cast<std::size_t>(d.TpIndex) >= Transponders.size())
        return TDetailsError{TDetailsField::Transponder, 0, "Select a transponder"};

    TY_ENIG_CH& s = Services[static_cast<std::size_t>(index)];
    s.Sid = *sid;
    s.TpIndex = d.TpIndex;
    s.ServiceType = type;
    s.Key = s.Sid + Transponders[static_cast<std::size_t>(d.TpIndex)].Key + std::to_string(type);
    s.Name = d.Name;
    s.Provider = d.Provider;
    std::copy(pids.begin(), pids.end(), s.Pids.begin());
    s.Flags = (d.NoDvb ? FLAG_NODVB : 0) | (d.DontShow ? FLAG_DONTSHOW : 0) | (d.NoPmt ? FLAG_NOPMT : 0);
    s.Black = d.Black ? 1 : 0;
    s.White = d.White ? 1 : 0;
    Modified = true;
    return std::nullopt;
}

bool LeavesFilters(std::int32_t serviceType, int typeIndex, int satIndex, const std::string& satItem,
                   const std::string& position)
{
    return !TypeFilterPasses(serviceType, typeIndex) || !SatFilterPasses(position, satIndex, satItem);
}
