// Decoding a 640 x 480 ByteRun1 picture, interleaved (ILBM) and chunky (PBM).
// Target: under 2 ms a picture.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "graphics/ilbm_decoder.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
using namespace brackle;

constexpr int kWidth = 640;
constexpr int kHeight = 480;

void Big32(Bytes& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(v >> shift));
}

void Chunk(Bytes& out, const char* name, const Bytes& data)
{
    out.insert(out.end(), name, name + 4);
    Big32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 == 1)
        out.push_back(0);
}

// ByteRun1, row by row as picture files pack it: runs of three or more equal
// bytes become repeats, the rest literals.
void PackRow(const std::uint8_t* in, std::size_t n, Bytes& out)
{
    std::size_t i = 0;
    while (i < n) {
        std::size_t run = 1;
        while (i + run < n && run < 128 && in[i + run] == in[i])
            ++run;
        if (run >= 3) {
            out.push_back(static_cast<std::uint8_t>(257 - run));
            out.push_back(in[i]);
            i += run;
            continue;
        }
        std::size_t lit = 0;
        while (i + lit < n && lit < 128 &&
               !(i + lit + 2 < n && in[i + lit] == in[i + lit + 1] && in[i + lit] == in[i + lit + 2]))
            ++lit;
        out.push_back(static_cast<std::uint8_t>(lit - 1));
        out.insert(out.end(), in + i, in + i + lit);
        i += lit;
    }
}

// A picture like a unit photograph: a sky of long runs above a noisy ground.
Bytes Pixels()
{
    Bytes p(static_cast<std::size_t>(kWidth) * kHeight);
    std::mt19937 rng(3);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            p[static_cast<std::size_t>(y) * kWidth + x] =
                y < kHeight / 3 ? static_cast<std::uint8_t>(100 + y / 16) : static_cast<std::uint8_t>(rng() % 24 + (x / 40) * 8);
    return p;
}

Bytes Picture(bool planar)
{
    const Bytes pixels = Pixels();
    const std::size_t planeBytes = (kWidth + 15) / 16 * 2;
    const std::size_t rowBytes = planar ? 8 * planeBytes : kWidth;
    Bytes rows(rowBytes * kHeight, 0);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x) {
            const std::uint8_t v = pixels[static_cast<std::size_t>(y) * kWidth + x];
            if (!planar) {
                rows[static_cast<std::size_t>(y) * rowBytes + x] = v;
                continue;
            }
            for (int k = 0; k < 8; ++k)
                if (v & (1 << k))
                    rows[static_cast<std::size_t>(y) * rowBytes + k * planeBytes + x / 8] |=
                        static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
    Bytes body;
    for (int y = 0; y < kHeight; ++y)
        PackRow(rows.data() + static_cast<std::size_t>(y) * rowBytes, rowBytes, body);

    Bytes form(planar ? "ILBM" : "PBM ", (planar ? "ILBM" : "PBM ") + 4);
    Chunk(form, "BMHD", {kWidth >> 8, kWidth & 0xFF, kHeight >> 8, kHeight & 0xFF, 0, 0, 0, 0, 8, 0, 1, 0, 0, 0, 1, 1,
                         0, 0, 0, 0});
    Bytes palette(768);
    for (std::size_t i = 0; i < palette.size(); ++i)
        palette[i] = static_cast<std::uint8_t>(i * 7);
    Chunk(form, "CMAP", palette);
    Chunk(form, "BODY", body);
    Bytes file = {'F', 'O', 'R', 'M'};
    Big32(file, static_cast<std::uint32_t>(form.size()));
    file.insert(file.end(), form.begin(), form.end());
    return file;
}

void Decode(benchmark::State& state, bool planar)
{
    const Bytes file = Picture(planar);
    const DecodeResult check = DecodeIlbm(file);
    if (!check.ok || check.image.Pixels != Pixels()) {
        state.SkipWithError("the benchmark's picture does not decode to its pixels");
        return;
    }
    for (auto _ : state) {
        DecodeResult r = DecodeIlbm(file);
        benchmark::DoNotOptimize(r.image.Pixels.data());
    }
    state.counters["file_bytes"] = static_cast<double>(file.size());
}

void BM_DecodeIlbm640x480(benchmark::State& state) { Decode(state, true); }
void BM_DecodePbm640x480(benchmark::State& state) { Decode(state, false); }
BENCHMARK(BM_DecodeIlbm640x480)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodePbm640x480)->Unit(benchmark::kMicrosecond);

}  // namespace
