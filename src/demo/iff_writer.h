// Writes IFF pictures (.lbm) of our own drawings: "FORM", the "BMHD" bitmap
// header, the "CMAP" palette, any extra chunks, then "BODY", all numbers
// big-endian and every chunk of odd length followed by one pad byte.
//
// Form "ILBM" holds 8 interleaved bit planes: each row is plane 0 .. plane 7,
// each plane (width + 15) / 16 * 2 bytes, bit 7 of a byte the leftmost pixel.
// Form "PBM " holds one byte per pixel, rows of width bytes (keep the width even,
// as readers of that form pad rows to a whole 16-bit word). The body is stored
// as it is or packed with ByteRun1, one row of one plane (or one chunky row) at
// a time.
#pragma once

#include "demo/canvas.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace brackle {

using IffPalette = std::array<std::array<std::uint8_t, 3>, 256>;  // red, green, blue

// ByteRun1: a control byte c of 0..127 is followed by c + 1 bytes as they stand;
// one of 129..255 by one byte repeated 257 - c times (2..128). Control byte 128
// is never written: readers disagree on it.
std::vector<std::uint8_t> PackByteRun1(std::span<const std::uint8_t> bytes);

struct IffChunk {
    std::string Id;    // four characters
    std::string Data;  // any length; an odd one gets a pad byte
};

struct IffOptions {
    bool Planar = true;     // "ILBM" with bit planes, or "PBM " chunky
    bool Compressed = false;  // ByteRun1 body
    int Colours = 256;      // palette entries written into CMAP (1..256)
    std::vector<IffChunk> Extra;  // chunks between CMAP and BODY
};

std::vector<std::uint8_t> EncodeIff(const IndexedCanvas& picture, const IffPalette& palette,
                                    const IffOptions& options);

}  // namespace brackle
