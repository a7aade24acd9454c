// Providers, bouquet list, user-bouquet and lock-list readers on arbitrary
// bytes against a small fixed set of services; the bouquets they read must
// write out and read back the same.

#include "settings/BouquetFiles.h"
#include "settings/LockLists.h"
#include "settings/ProvidersFile.h"
#include "settings/ServiceRefIndex.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

namespace {

struct Set {
    ARR_ENIG_TP tps;
    ARR_ENIG_CH chs;
    Set()
    {
        const char* tsids[] = {"0437", "0998", "0064"};
        for (const char* tsid : tsids) {
            TY_ENIG_TP tp;
            tp.Namespace = "00C00000";
            tp.Tsid = tsid;
            tp.Onid = "0001";
            tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
            tps.push_back(tp);
        }
        const char* sids[] = {"0064", "0999", "1234", "2B66", "0001"};
        for (int i = 0; i < 15; ++i) {
            TY_ENIG_CH ch;
            ch.Sid = sids[i % 5];
            ch.TpIndex = i % 3;
            ch.ServiceType = i % 4 == 0 ? 25 : 1 + i % 2;
            ch.Key = ch.Sid + tps[static_cast<size_t>(ch.TpIndex)].Key + std::to_string(ch.ServiceType);
            ch.Number = 200 + i;
            chs.push_back(ch);
        }
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Set set;
    std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::int32_t version = size > 0 ? 2 + data[0] % 4 : 4;

    ARR_ENIG_PR providers;
    std::int32_t counter = 0;
    std::vector<std::string> problems;
    ParseProviders(text, set.chs, providers, counter, problems);
    FormatProviders(providers, set.chs, set.tps, version);

    std::string listName;
    ARR_ARR_OF_STRING entries;
    ParseBouquetList(text, version, size % 2 == 0, listName, entries, [](const std::string&) { return true; });

    TServiceKeyIndex index(set.chs);
    TY_ENIG_UB ub;
    bool missing = false;
    ParseUserBouquet(text, version, index, ub, missing);
    // Names and texts are single lines in the file.
    for (char c : ub.Name)
        if (c == '\n' || c == '\r')
            return 0;
    TBouquetRefs refs(set.chs, set.tps, version);
    std::int32_t marker = 1;
    std::string written = FormatUserBouquet(ub, refs, marker);
    TY_ENIG_UB back;
    bool backMissing = false;
    ParseUserBouquet(written, version, index, back, backMissing);
    back.FileId = ub.FileId;
    if (backMissing || back.Entries.size() != ub.Entries.size() || back.ServiceCount != ub.ServiceCount)
        std::abort();

    ARR_ENIG_CH chs = set.chs;
    ARR_ENIG_UB tv = {ub}, radio = {ub};
    ApplyLockList(text, 'B', chs, set.tps, providers, tv, radio);
    FormatLockList('B', chs, set.tps, providers, tv, radio, "/etc/enigma2");
    return 0;
}
