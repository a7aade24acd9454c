// The editing commands on a generated set of 100,000 services on 10,000
// transponders, 200 providers and 120 TV bouquets of 1,000 entries each:
// a paste of 10,000 services another running copy put on the clipboard
// (all new, half of them on transponders this set lacks), the same block
// when every service is already there, and deleting 10,000 services.

#include "app/BlockClipboard.h"
#include "app/BouquetCommands.h"
#include "app/ClipboardBlock.h"
#include "app/ClipboardFormat.h"
#include "app/ServiceCommands.h"
#include "app/ServicePaste.h"
#include "platform/Clipboard.h"
#include "settings/Unit_lib.h"

#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

std::string Hex(unsigned v, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, v);
    return buf;
}

struct TSet {
    ARR_ENIG_TP tp;
    ARR_ENIG_CH ch;
    ARR_ENIG_PR pr;
    ARR_ENIG_UB tv;
};

TY_ENIG_TP MakeTp(unsigned i)
{
    TY_ENIG_TP tp;
    tp.Namespace = "00C00000";
    tp.Tsid = Hex(i, 4);
    tp.Onid = "0001";
    tp.Key = tp.Namespace + tp.Tsid + tp.Onid;
    tp.Kind = "S";
    tp.Frequency = std::to_string(10700000 + i);
    tp.SymbolRate = "27500000";
    tp.Polarisation = "1";
    tp.Fec = "3";
    tp.Position = "019.2E";
    return tp;
}

TY_ENIG_CH MakeCh(unsigned sid, unsigned tpIndex, const TY_ENIG_TP& tp, std::int32_t number)
{
    TY_ENIG_CH ch;
    ch.Sid = Hex(sid, 4);
    ch.TpIndex = static_cast<std::int32_t>(tpIndex);
    ch.ServiceType = 1;
    ch.Key = ch.Sid + tp.Key + "1";
    ch.Number = number;
    ch.Name = "Service " + std::to_string(number);
    ch.Provider = "Provider " + std::to_string(number % 200);
    ch.Pids = {"0100", "0101", "0102", "0100", ""};
    return ch;
}

const TSet& BigSet()
{
    static const TSet set = [] {
        TSet s;
        for (unsigned t = 0; t < 10000; ++t)
            s.tp.push_back(MakeTp(t));
        for (unsigned i = 0; i < 100000; ++i)
            s.ch.push_back(MakeCh(i / 10, i % 10000, s.tp[i % 10000], static_cast<std::int32_t>(200 + i)));
        for (int p = 0; p < 200; ++p) {
            TY_ENIG_PR pr;
            pr.Id = p + 1;
            pr.Name = "Provider " + std::to_string(p);
            for (int i = p; i < 100000; i += 200)
                pr.Members.push_back(200 + i);
            s.pr.push_back(pr);
        }
        for (int b = 0; b < 120; ++b) {
            TY_ENIG_UB ub;
            ub.Name = "Bouquet " + std::to_string(b);
            ub.FileId = Hex(static_cast<unsigned>(b), 4);
            for (int e = 0; e < 1000; ++e) {
                if (e % 50 == 0)
                    ub.Entries.push_back({"D", "Marker", ""});
                ub.Entries.push_back({"S", std::to_string(200 + (b * 811 + e * 97) % 100000), ""});
            }
            s.tv.push_back(ub);
        }
        return s;
    }();
    return set;
}

void LoadBigSet()
{
    const TSet& s = BigSet();
    Transponders = s.tp;
    Services = s.ch;
    Providers = s.pr;
    TvBouquets = s.tv;
    RadioBouquets.clear();
    ServiceCounter = 100200;
    EnigmaVersion = 4;
}

// 10,000 lines of another copy: new SIDs, every second one on a
// transponder of its own that the set lacks.
std::vector<std::string> NewServiceLines()
{
    std::vector<std::string> lines;
    for (unsigned i = 0; i < 10000; ++i) {
        const TY_ENIG_TP tp = MakeTp(i % 2 == 0 ? i % 10000 : 20000 + i);
        lines.push_back(ServiceLine(MakeCh(0x8000 + i, 0, tp, static_cast<std::int32_t>(i)), tp, 0));
    }
    return lines;
}

void BM_PasteFromAnotherCopy(benchmark::State& state, bool existing)
{
    cf::TMemoryClipboard self(1);
    cf::TMemoryClipboard other(self, 2);
    cf::SetClipboard(&self);
    std::vector<std::string> lines;
    if (existing) {
        for (int i = 0; i < 10000; ++i) {
            const TY_ENIG_CH& ch = BigSet().ch[static_cast<std::size_t>(i * 7)];
            lines.push_back(ServiceLine(ch, BigSet().tp[static_cast<std::size_t>(ch.TpIndex)], ch.TpIndex));
        }
    } else {
        lines = NewServiceLines();
    }
    const std::vector<std::uint8_t> block = EncodeBlock(2, lines);
    for (auto _ : state) {
        state.PauseTiming();
        LoadBigSet();
        other.SetBlock(ClipboardFormat, block);
        state.ResumeTiming();
        const TClipboardPaste paste = PasteFromClipboard(true);
        InsertEntries(TListKind::TvBouquets, 0, 0, paste.Result.Entries);
        benchmark::DoNotOptimize(paste.Result.Entries.size());
    }
    cf::SetClipboard(nullptr);
}
BENCHMARK_CAPTURE(BM_PasteFromAnotherCopy, new_services, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_PasteFromAnotherCopy, existing_services, true)->Unit(benchmark::kMillisecond);

void BM_Delete10000Of100000(benchmark::State& state)
{
    std::vector<std::int32_t> numbers;
    for (int i = 0; i < 10000; ++i)
        numbers.push_back(200 + i * 10 + 3);
    for (auto _ : state) {
        state.PauseTiming();
        LoadBigSet();
        state.ResumeTiming();
        benchmark::DoNotOptimize(DeleteServices(numbers));
    }
}
BENCHMARK(BM_Delete10000Of100000)->Unit(benchmark::kMillisecond);

void BM_DeleteSatellite(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        LoadBigSet();
        for (std::size_t t = 0; t < Transponders.size(); t += 10)
            Transponders[t].Position = "013.0E";
        state.ResumeTiming();
        benchmark::DoNotOptimize(DeleteSatellite("013.0E"));
    }
}
BENCHMARK(BM_DeleteSatellite)->Unit(benchmark::kMillisecond);

} // namespace
