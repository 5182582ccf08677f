// Reading a skin description with many sections, as a crafted skin file would give it: loading
// the text and making the look-ups the skin loader makes for every caption-button section.
// Each look-up finds its section and key through the reader's index, so the time per section
// stays flat from 1,000 to 100,000 sections (the fitted complexity is printed as O(N)).
// Run by hand: ./bench/skinini_bench

#include <benchmark/benchmark.h>

#include <string>

#include "skinini.h"

namespace {

// The keys the loader reads from each caption-button section, in its order.
constexpr const char* ButtonKeys[] = {"Action", "Visibility", "Action", "Align",     "Xcoord",     "Ycoord",
                                      "Visibility", "Visibility1", "CombineOp", "frame", "ButtonImage"};

void Look(const TQuickIni& Ini, const std::string& Section)
{
    for (const char* key : ButtonKeys)
        benchmark::DoNotOptimize(Ini.ReadString(Section, key, ""));
}

// N sections of distinct names: the finding of a section by name.
std::string DistinctSections(int N)
{
    std::string text;
    for (int i = 0; i < N; ++i)
        text += "[Button" + std::to_string(i) + "]\r\nAction=" + std::to_string(i % 12) + "\r\n";
    return text;
}

// One section of N lines followed by N more headers of its name, each of which the loader
// reads again: the finding of a key within a section.
std::string RepeatedSection(int N)
{
    std::string text = "[ButtonA]\r\n";
    for (int i = 0; i < N; ++i)
        text += "Key" + std::to_string(i) + "=1\r\n";
    text += "Action=1\r\n";
    for (int i = 0; i < N; ++i)
        text += "[ButtonA]\r\n";
    return text;
}

void Run(benchmark::State& state, const std::string& text)
{
    const std::span bytes(reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
    for (auto _ : state) {
        TQuickIni ini;
        ini.LoadFromStream(bytes);
        for (const std::string& name : ini.ReadSections())
            Look(ini, name);
    }
    state.SetComplexityN(state.range(0));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_DistinctSections(benchmark::State& state) { Run(state, DistinctSections(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_DistinctSections)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_RepeatedSection(benchmark::State& state) { Run(state, RepeatedSection(static_cast<int>(state.range(0)))); }
BENCHMARK(BM_RepeatedSection)->RangeMultiplier(10)->Range(1000, 100000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
