// Decoding every image of a 100-image shape file. Target: under 1 ms for all 100.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <vector>

#include "graphics/shape_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace brackle;

constexpr int kImages = 100;

void Little32(Bytes& out, std::uint32_t v)
{
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

// One icon of width x height: each row skips a margin, then alternates runs
// and literals, as a vehicle seen from above would be coded.
Bytes Codes(int width, int height, std::mt19937& rng)
{
    Bytes codes;
    for (int y = 0; y < height; ++y) {
        const int margin = 2 + static_cast<int>(rng() % 6);
        codes.push_back(1);
        codes.push_back(static_cast<std::uint8_t>(margin));
        int x = margin;
        while (x < width - margin) {
            const int n = std::min(1 + static_cast<int>(rng() % 8), width - margin - x);
            if (rng() % 2) {
                codes.push_back(static_cast<std::uint8_t>(2 * n));
                codes.push_back(static_cast<std::uint8_t>(rng()));
            } else {
                codes.push_back(static_cast<std::uint8_t>(2 * n + 1));
                for (int i = 0; i < n; ++i)
                    codes.push_back(static_cast<std::uint8_t>(rng()));
            }
            x += n;
        }
        codes.push_back(0);
    }
    return codes;
}

// "1.10", count 100, a table whose entry k + 1 points at image k, then the images (48 x 40 each).
Bytes ShapeFile()
{
    std::mt19937 rng(11);
    const int width = 48;
    const int height = 40;
    Bytes table;
    Bytes images;
    const std::uint32_t start = 8 + 8 * (kImages + 1);
    Little32(table, 0);
    Little32(table, 0);
    for (int k = 0; k < kImages; ++k) {
        Little32(table, start + static_cast<std::uint32_t>(images.size()));
        Little32(table, 0);
        images.insert(images.end(), {static_cast<std::uint8_t>(height), 0, static_cast<std::uint8_t>(width), 0, 0, 0, 0, 0});
        Little32(images, 0);               // x start
        Little32(images, 0);               // y start
        Little32(images, 0);
        Little32(images, height - 1);      // y end
        const Bytes codes = Codes(width, height, rng);
        images.insert(images.end(), codes.begin(), codes.end());
    }
    Bytes file = {'1', '.', '1', '0'};
    Little32(file, kImages);
    file.insert(file.end(), table.begin(), table.end());
    file.insert(file.end(), images.begin(), images.end());
    return file;
}

void BM_DecodeShapeFile100Images(benchmark::State& state)
{
    const Bytes file = ShapeFile();
    for (int k = 0; k < kImages; ++k)
        if (!DecodeShape(file, k).ok) {
            state.SkipWithError("the benchmark's shape file does not decode");
            return;
        }
    for (auto _ : state) {
        for (int k = 0; k < kImages; ++k) {
            DecodeResult r = DecodeShape(file, k);
            benchmark::DoNotOptimize(r.image.Pixels.data());
        }
    }
    state.counters["file_bytes"] = static_cast<double>(file.size());
}
BENCHMARK(BM_DecodeShapeFile100Images)->Unit(benchmark::kMicrosecond);

}  // namespace
