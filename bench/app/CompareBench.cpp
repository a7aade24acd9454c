// The compare dialog on two generated sets of 100,000 services on 10,000
// transponders: the second has 1,000 services renamed, 1,000 removed and
// 1,000 new ones (half on transponders the first lacks). Timed: the
// comparison with the dialog's list filled, and applying every row.

#include "app/CompareSets.h"
#include "app/Unit_compare.h"
#include "controls/ScriptedMessages.h"
#include "settings/Unit_lib.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>

namespace {

QApplication& App()
{
    static int argc = 1;
    static char name[] = "bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    setenv("QT_FONT_DPI", "96", 0);
    static QApplication* app = new QApplication(argc, argv);
    return *app;
}

std::string Hex(unsigned v, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, v);
    return buf;
}

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

void MakeSets()
{
    ClearModel();
    for (unsigned t = 0; t < 10000; ++t)
        Transponders.push_back(MakeTp(t));
    CompareTransponders = Transponders;
    for (unsigned t = 10000; t < 10500; ++t)
        CompareTransponders.push_back(MakeTp(t));
    for (unsigned i = 0; i < 100000; ++i) {
        TY_ENIG_CH ch;
        ch.Sid = Hex(i % 10 + 1, 4);
        ch.TpIndex = static_cast<std::int32_t>(i / 10);
        ch.ServiceType = 1;
        ch.Key = ch.Sid + Transponders[ch.TpIndex].Key + "1";
        ch.Number = 200 + static_cast<std::int32_t>(i);
        ch.Name = "Service " + std::to_string(i);
        ch.Provider = "Provider " + std::to_string(i % 200);
        Services.push_back(ch);
        if (i % 100 == 1)
            continue; // removed in the second set
        if (i % 100 == 2)
            ch.Name += " renamed";
        CompareServices.push_back(ch);
    }
    for (unsigned i = 0; i < 1000; ++i) {
        TY_ENIG_CH ch;
        ch.Sid = Hex(0x100 + i % 10, 4);
        ch.TpIndex = static_cast<std::int32_t>(i < 500 ? i : 10000 + (i - 500) / 2 % 500);
        ch.ServiceType = 1;
        ch.Key = ch.Sid + CompareTransponders[ch.TpIndex].Key + "1";
        ch.Name = "New " + std::to_string(i);
        CompareServices.push_back(ch);
    }
    ServiceCounter = 100200;
}

void BM_CompareAndFill(benchmark::State& state)
{
    App();
    cf::TScriptedMessages messages;
    cf::TMessageServiceScope scope(messages);
    TForm_Compare dialog;
    MakeSets();
    for (auto _ : state) {
        dialog.DoCompareAndFill();
        benchmark::DoNotOptimize(dialog.LV_Serv->RowCount());
    }
    if (dialog.Rows.size() != 3000)
        state.SkipWithError("unexpected row count");
    ClearModel();
}
BENCHMARK(BM_CompareAndFill)->Unit(benchmark::kMillisecond);

void BM_ApplyEveryRow(benchmark::State& state)
{
    for (auto _ : state) {
        state.PauseTiming();
        MakeSets();
        std::vector<TCompareRow> rows = CompareSets();
        for (TCompareRow& r : rows)
            r.Checked = true;
        state.ResumeTiming();
        const TCompareResult r = ApplyCompare(rows);
        benchmark::DoNotOptimize(r.Inserted);
    }
    ClearModel();
}
BENCHMARK(BM_ApplyEveryRow)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
