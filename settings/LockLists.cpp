#include "settings/LockLists.h"

#include "settings/BouquetFiles.h"
#include "settings/Fields.h"
#include "settings/ListFileIo.h"
#include "settings/ServiceRefIndex.h"
#include "settings/TextFile.h"
#include "settings/Unit_lib.h"

#include <cstdio>
#include <memory>

namespace {

std::string Hex(std::uint32_t value, int digits)
{
    return HexUpper(value, digits);
}

std::int32_t& Mark(std::int32_t& black, std::int32_t& white, char kind)
{
    return kind == 'W' ? white : black;
}

const std::string& ListFileName(char kind)
{
    static const std::string white = WhiteListFileName;
    return kind == 'W' ? white : LockedFileName;
}

} // namespace

void ApplyLockList(std::string_view text, char kind, ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                   ARR_ENIG_PR& providers, ARR_ENIG_UB& tvBouquets, ARR_ENIG_UB& radioBouquets)
{
    // The first service for each SID, TSID, ONID and namespace (the type
    // is not compared), found through the load's shared index or one built
    // here, either only once a line names a service.
    TSharedServiceIndexes* shared = LoadIndexes();
    if (shared && !shared->Covers(services))
        shared = nullptr;
    std::unique_ptr<TServiceRefIndex> own;
    auto refs = [&]() -> const TServiceRefIndex& {
        if (shared)
            return shared->Refs();
        if (!own)
            own = std::make_unique<TServiceRefIndex>(services, transponders);
        return *own;
    };

    std::vector<std::string> fields;
    for (std::string_view line : SplitListLines(text)) {
        if (Trim(line).empty())
            continue;
        SplitFieldsTo(fields, line, {0, 0, 0, 4, 4, 4, 8, 0, 0, 0}, ':');
        if (fields.size() < 2)
            continue;
        std::string_view f0 = Trim(fields[0]);
        std::string_view f1 = Trim(fields[1]);
        if (f0 == "1" && f1 != "15") {
            if (fields.size() < 7)
                continue;
            const std::int32_t at = refs().Find(fields[3], fields[6], fields[4], fields[5]);
            if (at >= 0) {
                TY_ENIG_CH& ch = services[static_cast<size_t>(at)];
                Mark(ch.Black, ch.White, kind) = 1;
            }
        } else if (f0 == "1") {
            // The id field is taken whole: the TSID width of the split above
            // would cut ids beyond four hex digits (and negative ones, which
            // are written as eight).
            SplitFieldsTo(fields, line, {0, 0, 0, 0, 0}, ':');
            std::int32_t id = 0;
            if (!TryParseHex(Trim(fields[4]), id))
                continue;
            for (auto& pr : providers)
                if (pr.Id == id) {
                    Mark(pr.Black, pr.White, kind) = 1;
                    break;
                }
        } else if (f0 == "4097") {
            SplitFieldsTo(fields, line, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, ':');
            if (fields.size() < 11)
                continue;
            ARR_ENIG_UB& bouquets = fields[10].find("RADIO") != std::string::npos ? radioBouquets : tvBouquets;
            std::string id = ToUpperAscii(Trim(fields[3]));
            for (auto& ub : bouquets)
                if (ToUpperAscii(ub.FileId) == id) {
                    Mark(ub.Black, ub.White, kind) = 1;
                    break;
                }
        }
    }
}

std::string FormatLockList(char kind, const ARR_ENIG_CH& services, const ARR_ENIG_TP& transponders,
                           const ARR_ENIG_PR& providers, const ARR_ENIG_UB& tvBouquets,
                           const ARR_ENIG_UB& radioBouquets, const std::string& sdir)
{
    std::string out;
    for (const auto& ch : services) {
        if (kind == 'W' ? ch.White != 1 : ch.Black != 1)
            continue;
        const TY_ENIG_TP* tp = TransponderOf(ch, transponders);
        if (!tp)
            continue;
        // The type is hexadecimal here as in every service reference: a
        // receiver reading 25 for an HD service (19) would not lock it.
        out += "1:0:" + Hex(static_cast<std::uint32_t>(ch.ServiceType), 1) + ":" + ch.Sid + ":" + tp->Tsid + ":" +
               tp->Onid + ":" + tp->Namespace + ":0:0:0:\n";
    }
    for (const auto& pr : providers) {
        if (kind == 'W' ? pr.White != 1 : pr.Black != 1)
            continue;
        out += "1:15:fffffffd:12:" + Hex(static_cast<std::uint32_t>(pr.Id), 2) + ":ffffffff:0:0:0:0:\n";
    }
    for (bool radio : {false, true}) {
        for (const auto& ub : radio ? radioBouquets : tvBouquets) {
            if (kind == 'W' ? ub.White != 1 : ub.Black != 1)
                continue;
            out += "4097:7:0:" + ub.FileId + ":0:0:0:0:0:0:" + sdir + "/userbouquet." + ub.FileId +
                   (radio ? ".radio" : ".tv") + "\n";
        }
    }
    return out;
}

void LoadLockedAllowed(char kind)
{
    const std::string& name = ListFileName(kind);
    const std::string text = ReadListFile(PathInFolder(TheLoadDir, name));
    ApplyLockList(text, kind, Services, Transponders, Providers, TvBouquets, RadioBouquets);
}

void SaveLockedAllowed(char kind)
{
    WriteFileReplacing(TheSaveDir + "/" + ListFileName(kind),
                  FormatLockList(kind, Services, Transponders, Providers, TvBouquets, RadioBouquets,
                                 SaveProfileSdir()));
}
