#include "app/CompareSets.h"

#include "app/ArrayRoom.h"
#include "app/ServiceCommands.h"
#include "settings/Errors.h"
#include "settings/Lookups.h"
#include "settings/NameTables.h"
#include "settings/ServicesFile.h"
#include "settings/Unit_lib.h"

#include <filesystem>

namespace fs = std::filesystem;

const char* ActionText(TCompareAction a)
{
    switch (a) {
    case TCompareAction::Ins: return "INS";
    case TCompareAction::Upd: return "UPD";
    case TCompareAction::Del: return "DEL";
    }
    return "";
}

std::string CompareFilePath(const std::string& folder)
{
    std::error_code ec;
    for (const char* name : {"services", "lamedb"}) {
        const fs::path p = fs::path(folder) / name;
        if (fs::is_regular_file(p, ec))
            return p.string();
    }
    return {};
}

namespace {

// Puts back what reading a file of another generation changes.
class TLoadedSetState {
public:
    TLoadedSetState()
        : version_(EnigmaVersion), services_(ServicesFileName), tv_(TvListFileName), radio_(RadioListFileName),
          locked_(LockedFileName), report_(ErrorReport), view_(SettingsView())
    {
        SetSettingsView(nullptr);
    }
    ~TLoadedSetState()
    {
        EnigmaVersion = version_;
        ServicesFileName = services_;
        TvListFileName = tv_;
        RadioListFileName = radio_;
        LockedFileName = locked_;
        ErrorReport = report_;
        SetSettingsView(view_);
    }

private:
    std::int32_t version_;
    std::string services_, tv_, radio_, locked_, report_;
    TSettingsView* view_;
};

} // namespace

void ReadCompareFile(const std::string& path)
{
    CompareServices.clear();
    CompareTransponders.clear();
    TLoadedSetState keep;
    ErrorReport.clear();
    try {
        LoadTp(CompareTransponders, path);
        LoadChannel(CompareServices, CompareTransponders, false, path);
        // A file without its sections is no settings file (an empty one, or
        // another file under the name): compared, it would offer every
        // service of the set for deletion.
        if (ErrorReport.find(NoTransponderSectionText) != std::string::npos ||
            ErrorReport.find(NoServiceSectionText) != std::string::npos)
            throw EInOutError("no settings file");
    } catch (...) {
        CompareServices.clear();
        CompareTransponders.clear();
        throw;
    }
}

namespace {

TCompareRow MakeRow(TCompareAction action, std::int32_t hidden, const TY_ENIG_CH& s, const ARR_ENIG_TP& tps)
{
    TCompareRow r;
    r.Action = action;
    r.Hidden = hidden;
    r.Checked = action != TCompareAction::Del;
    r.Type = ServiceTypeText(s.ServiceType);
    r.Service = s.Name;
    r.Package = s.Provider;
    r.Synt = TransponderSummary(s.TpIndex, tps);
    if (s.TpIndex >= 0 && static_cast<std::size_t>(s.TpIndex) < tps.size())
        r.Sat = tps[static_cast<std::size_t>(s.TpIndex)].Position;
    return r;
}

} // namespace

std::vector<TCompareRow> CompareSets()
{
    std::vector<TCompareRow> rows;
    const TChKeyIndex current(Services);
    for (std::size_t i = 0; i < CompareServices.size(); ++i) {
        TY_ENIG_CH& c = CompareServices[i];
        const std::int32_t found = current.Find(c.Key);
        if (found < 0) {
            c.CompareStatus = "INS";
            rows.push_back(MakeRow(TCompareAction::Ins, static_cast<std::int32_t>(i), c, CompareTransponders));
            continue;
        }
        const TY_ENIG_CH& s = Services[static_cast<std::size_t>(found)];
        if (s.Name == c.Name && s.Provider == c.Provider) {
            c.CompareStatus = "NONE";
            continue;
        }
        c.CompareStatus = "UPD";
        TCompareRow r = MakeRow(TCompareAction::Upd, found, c, CompareTransponders);
        rows.push_back(std::move(r));
    }
    const TChKeyIndex compared(CompareServices);
    for (const TY_ENIG_CH& s : Services)
        if (compared.Find(s.Key) < 0)
            rows.push_back(MakeRow(TCompareAction::Del, s.Number, s, Transponders));
    return rows;
}

int Count2Add(const std::vector<TCompareRow>& rows)
{
    int n = 0;
    for (const TCompareRow& r : rows)
        n += r.Checked && r.Action == TCompareAction::Ins;
    return n;
}

TCompareResult ApplyCompare(const std::vector<TCompareRow>& rows)
{
    TCompareResult result;
    for (const TCompareRow& r : rows)
        if (r.Checked && r.Action == TCompareAction::Upd && r.Hidden >= 0 &&
            static_cast<std::size_t>(r.Hidden) < Services.size()) {
            TY_ENIG_CH& s = Services[static_cast<std::size_t>(r.Hidden)];
            s.Name = r.Service;
            s.Provider = r.Package;
            s.Flags |= FLAG_NEW;
            ++result.Updated;
        }
    std::vector<std::int32_t> gone;
    for (const TCompareRow& r : rows)
        if (r.Checked && r.Action == TCompareAction::Del)
            gone.push_back(r.Hidden);
    result.Deleted = static_cast<int>(DeleteServices(gone));

    const int toAdd = Count2Add(rows);
    if (toAdd > 0) {
        MakeRoomFor(Services, static_cast<std::size_t>(toAdd));
        TTpKeyIndex known(Transponders);
        TKeyMap added; // transponders appended here, by key
        for (const TCompareRow& r : rows) {
            if (!r.Checked || r.Action != TCompareAction::Ins || r.Hidden < 0 ||
                static_cast<std::size_t>(r.Hidden) >= CompareServices.size())
                continue;
            TY_ENIG_CH s = CompareServices[static_cast<std::size_t>(r.Hidden)];
            if (s.TpIndex < 0 || static_cast<std::size_t>(s.TpIndex) >= CompareTransponders.size())
                continue;
            const TY_ENIG_TP& ctp = CompareTransponders[static_cast<std::size_t>(s.TpIndex)];
            std::int32_t tp = known.Find(ctp.Key);
            if (tp < 0) {
                const auto it = added.find(ctp.Key);
                if (it != added.end()) {
                    tp = it->second;
                } else {
                    Transponders.push_back(ctp);
                    tp = static_cast<std::int32_t>(Transponders.size() - 1);
                    added.emplace(ctp.Key, tp);
                    ++result.TpInserted;
                }
            }
            s.TpIndex = tp;
            s.Number = ServiceCounter++;
            s.Flags |= FLAG_NEW;
            s.CompareStatus.clear();
            Services.push_back(std::move(s));
            ++result.Inserted;
        }
    }
    if (result.Any())
        Modified = true;
    return result;
}

std::string CompareReport(const TCompareResult& r)
{
    return " Compare results\n\n" + std::to_string(r.Deleted) + " services deleted\n" + std::to_string(r.Updated) +
           " services updated\n" + std::to_string(r.Inserted) + " services inserted\n" +
           std::to_string(r.TpInserted) + " transponder inserted\n";
}
