#include "dbexport/MySQLParser.h"
#include "dbexport/MySQLStrUtils.h"
#include "dbexport/uMysqlNewPassword.h"
#include "dbexport/uSha1.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string Script()
{
    std::string s;
    for (int i = 0; i < 2000; ++i)
        s += "INSERT INTO transponders (sat, freq, sr, pol, fec) VALUES (" + std::to_string(i) +
             ", 11778, 27500, 'H', '3/4'); -- row " + std::to_string(i) + "\n";
    return s;
}

void BM_TokenizeScript(benchmark::State& state)
{
    const std::string text = Script();
    for (auto _ : state) {
        TBasicParser p(text);
        p.Operators = {"+", "-", "*", "/", "=", "||", "&&", "&", "<>", "|", "<<", ">>", ">", "<", "~", "!", "%"};
        p.HexPrefix = "0x";
        p.LineComments = {"-- ", "#"};
        p.BlockCommentStarts = {"/*"};
        p.BlockCommentEnds = {"*/"};
        int n = 0;
        while (p.NextToken().Kind != tkEnd)
            ++n;
        benchmark::DoNotOptimize(n);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_TokenizeScript);

void BM_Sha1(benchmark::State& state)
{
    const std::string data(static_cast<size_t>(state.range(0)), 'x');
    for (auto _ : state)
        benchmark::DoNotOptimize(Sha1(data));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * data.size()));
}
BENCHMARK(BM_Sha1)->Arg(64)->Arg(1 << 20);

void BM_Scramble41(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(Scramble41("new-secret", "abcdefghijklmnopqrst"));
}
BENCHMARK(BM_Scramble41);

void BM_SetSectionValue(benchmark::State& state)
{
    std::string text;
    for (int i = 0; i < 50; ++i)
        text = SetSectionValue(text, "s" + std::to_string(i % 5), "k" + std::to_string(i), "v");
    for (auto _ : state)
        benchmark::DoNotOptimize(SetSectionValue(text, "s3", "protocol", "tcp"));
}
BENCHMARK(BM_SetSectionValue);

} // namespace
