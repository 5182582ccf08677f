// The hot drawing paths of the skin engine on the portable pixel code: a window frame's
// nine-slice picture (stretched and tiled middles) and the runs of a window region from a keyed
// picture. Run by hand.

#include <benchmark/benchmark.h>

#include <cstdint>

#include "pixelregion.h"
#include "pixelslice.h"

namespace {

// A 3-state 90 x 30 frame strip with some texture.
TPixelImage FrameStrip()
{
    TPixelImage img(90, 30);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x)
            img.At(x, y) = static_cast<uint32_t>((x * 37 + y * 101) & 0xFFFFFF);
    return img;
}

// A 400 x 300 window shape: rounded corners and a few keyed holes, as skins make them.
TPixelImage KeyedShape()
{
    TPixelImage img(400, 300, 0x00406080);
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x) {
            const int cx = x < 12 ? 12 - x : x > 387 ? x - 387 : 0;
            const int cy = y < 12 ? 12 - y : y > 287 ? y - 287 : 0;
            if (cx * cx + cy * cy > 144 || (y % 40 == 20 && x % 50 < 6))
                img.At(x, y) = KeyColor;
        }
    return img;
}

void NineSlice(benchmark::State& state, bool tile)
{
    TPixelImage strip = FrameStrip();
    TPixelImage target(400, 300);
    const TPixRect part = StateRect(strip.Width(), strip.Height(), 2, 3, false);
    for (auto _ : state) {
        const TSlicePlan plan = PlanNineSlice(400, 300, part, {6, 8, 6, 8}, tile);
        RenderPlan(target.View(), 0, 0, strip.View(), plan);
        benchmark::DoNotOptimize(target.At(200, 150));
    }
    state.SetItemsProcessed(state.iterations() * 400 * 300);
}

void BM_NineSliceStretched400x300(benchmark::State& state) { NineSlice(state, false); }
void BM_NineSliceTiled400x300(benchmark::State& state) { NineSlice(state, true); }

void BM_RegionRuns400x300(benchmark::State& state)
{
    TPixelImage shape = KeyedShape();
    const TKeyRange key(KeyColor, 0, 0, 0);
    for (auto _ : state) {
        int runs = 0;
        ForEachOpaqueRun(shape.View(), key, 0, 0, [&runs](const TPixRect&) { ++runs; });
        benchmark::DoNotOptimize(runs);
    }
    state.SetItemsProcessed(state.iterations() * 400 * 300);
}

void BM_RegionRunsWithTolerance400x300(benchmark::State& state)
{
    TPixelImage shape = KeyedShape();
    const TKeyRange key(0xF000F0, 15, 0, 15);
    for (auto _ : state) {
        int runs = 0;
        ForEachOpaqueRun(shape.View(), key, 0, 0, [&runs](const TPixRect&) { ++runs; });
        benchmark::DoNotOptimize(runs);
    }
    state.SetItemsProcessed(state.iterations() * 400 * 300);
}

}  // namespace

BENCHMARK(BM_NineSliceStretched400x300);
BENCHMARK(BM_NineSliceTiled400x300);
BENCHMARK(BM_RegionRuns400x300);
BENCHMARK(BM_RegionRunsWithTolerance400x300);

BENCHMARK_MAIN();
