// Skin-file decoding against zlib on the same skin-like content: decode speed
// and compressed size, each side by side and as a ratio. Run by hand.

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

#include "skinreader.h"
#include "skinwriter.h"

namespace {

// A 24-bit bottom-up bitmap with its file header; Pixel(x, y) gives 0xRRGGBB.
template <typename Pixel>
TBytes Bitmap(int Width, int Height, Pixel&& pixel)
{
    const int row = (Width * 3 + 3) & ~3;
    const auto put32 = [](TBytes& out, std::uint32_t v) {
        for (int s = 0; s < 32; s += 8)
            out.push_back(static_cast<std::uint8_t>(v >> s));
    };
    TBytes out = {'B', 'M'};
    put32(out, static_cast<std::uint32_t>(54 + row * Height));
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(Width));
    put32(out, static_cast<std::uint32_t>(Height));
    put32(out, 1 | 24 << 16);
    for (int i = 0; i < 6; ++i)
        put32(out, 0);
    for (int y = 0; y < Height; ++y) {
        for (int x = 0; x < Width; ++x) {
            const std::uint32_t c = pixel(x, y);
            out.insert(out.end(), {static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(c >> 8),
                                   static_cast<std::uint8_t>(c >> 16)});
        }
        out.resize(out.size() + static_cast<std::size_t>(row - Width * 3), 0);
    }
    return out;
}

std::string Description()
{
    std::string ini = "[TitlebarSkin]\r\nSkinName=Bench\r\n\r\n[Personality]\r\nLeft=left.bmp\r\nTop=caption.bmp\r\n";
    for (int i = 0; i < 120; ++i) {
        ini += "\r\n[Button" + std::to_string(i) + "]\r\n";
        ini += "Action=" + std::to_string(i % 12) + "\r\nAlign=" + std::to_string(i % 3) + "\r\n";
        ini += "Xcoord=" + std::to_string(20 + i % 40) + "\r\nYcoord=" + std::to_string(4 + i % 7) + "\r\n";
        ini += "ButtonImage=button" + std::to_string(i % 9) + ".bmp\r\nframe=" + std::to_string(3 + i % 4) + "\r\n";
        ini += "NormalColour2=" + std::to_string(i % 256) + ",208,200\r\n";
    }
    return ini;
}

// What a skin holds: the description, gradient captions and frames, and small
// glyphs on the magenta key colour with a little dithering.
TBytes SkinContainer()
{
    std::mt19937 random(7);
    TSkinWriter writer;
    const std::string ini = Description();
    writer.AddEntry("skin.ini", TBytes(ini.begin(), ini.end()));
    writer.AddEntry("caption.bmp", Bitmap(600, 30, [](int x, int y) {
                        return static_cast<std::uint32_t>((40 + y * 6) << 16 | (90 + y * 4) << 8 | (200 - x / 8));
                    }));
    writer.AddEntry("left.bmp", Bitmap(8, 400, [](int x, int y) {
                        return static_cast<std::uint32_t>(x * 30 << 16 | (y / 4) << 8 | 180);
                    }));
    writer.AddEntry("background.bmp", Bitmap(256, 256, [&](int x, int y) {
                        const auto noise = static_cast<std::uint32_t>(random() % 3);
                        return static_cast<std::uint32_t>((x + noise) << 16 | (y + noise) << 8 | 128);
                    }));
    for (int b = 0; b < 9; ++b)
        writer.AddEntry("button" + std::to_string(b) + ".bmp", Bitmap(4 * 24, 24, [&](int x, int y) {
                            const int cx = x % 24 - 12, cy = y - 12;
                            if (cx * cx + cy * cy > 100)
                                return std::uint32_t{0xFF00FF};
                            return static_cast<std::uint32_t>((60 + 20 * (x / 24) + b * 10) << 16 |
                                                              (120 + cy * 4) << 8 | (random() % 8 + 200));
                        }));
    return writer.Container();
}

struct TContent {
    TBytes Container = SkinContainer();
    TBytes Lzh = TLZHPacker::Pack(Container);
    TBytes Zlib;

    TContent()
    {
        uLongf size = compressBound(static_cast<uLong>(Container.size()));
        Zlib.resize(size);
        compress2(Zlib.data(), &size, Container.data(), static_cast<uLong>(Container.size()), Z_DEFAULT_COMPRESSION);
        Zlib.resize(size);
    }
};

const TContent& Content()
{
    static const TContent content;
    return content;
}

void BM_LzhDecode(benchmark::State& state)
{
    const auto& c = Content();
    TBytes out;
    for (auto _ : state) {
        TSkinReader::Decompress(c.Lzh, out);
        benchmark::DoNotOptimize(out.data());
    }
    if (out != c.Container)
        state.SkipWithError("LZHUF decoding differs");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.Container.size()));
}
BENCHMARK(BM_LzhDecode);

void BM_ZlibInflate(benchmark::State& state)
{
    const auto& c = Content();
    TBytes out(c.Container.size());
    for (auto _ : state) {
        uLongf size = static_cast<uLongf>(out.size());
        uncompress(out.data(), &size, c.Zlib.data(), static_cast<uLong>(c.Zlib.size()));
        benchmark::DoNotOptimize(out.data());
    }
    if (out != c.Container)
        state.SkipWithError("zlib inflate differs");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * c.Container.size()));
}
BENCHMARK(BM_ZlibInflate);

// Keeps each benchmark's throughput for the summary.
class TSummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override
    {
        for (const auto& run : reports) {
            const auto it = run.counters.find("bytes_per_second");
            if (!run.error_occurred && it != run.counters.end())
                Speed[run.benchmark_name()] = it->second.value / 1e6;
        }
        ConsoleReporter::ReportRuns(reports);
    }

    std::map<std::string, double> Speed;  // MB/s by benchmark name
};

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    TSummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto& c = Content();
    const double lzh = static_cast<double>(c.Lzh.size());
    const double zlib = static_cast<double>(c.Zlib.size());
    const double original = static_cast<double>(c.Container.size());
    std::printf("\nskin content: %zu bytes\n", c.Container.size());
    std::printf("compressed size: LZHUF %zu bytes (%.1f%%), zlib %zu bytes (%.1f%%); LZHUF/zlib = %.2f\n",
                c.Lzh.size(), 100 * lzh / original, c.Zlib.size(), 100 * zlib / original, lzh / zlib);
    const auto l = reporter.Speed.find("BM_LzhDecode");
    const auto z = reporter.Speed.find("BM_ZlibInflate");
    if (l != reporter.Speed.end() && z != reporter.Speed.end())
        std::printf("decode speed: LZHUF %.1f MB/s, zlib %.1f MB/s; LZHUF/zlib = %.2f\n", l->second, z->second,
                    l->second / z->second);
    return 0;
}
