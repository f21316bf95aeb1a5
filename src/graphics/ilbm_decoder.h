// Decoder of IFF pictures (.lbm): 8-plane interleaved bitmaps (form type
// "ILBM") and chunky bitmaps (any other form type), uncompressed or ByteRun1.
#pragma once

#include "graphics/indexed_image.h"

#include <cstdint>
#include <span>
#include <vector>

namespace brackle {

inline constexpr const char* kInvalidFile = "Invalid file";
inline constexpr const char* kOnly8BitPlanes = "Only supports 8 bit planes";
inline constexpr const char* kUnsupportedCompression = "unsupported compression algorithm";

// ByteRun1: a control byte c of 0..127 copies the next c + 1 bytes, one of
// 128..255 repeats the next byte 257 - c times (128 gives 129 copies). Output
// is exactly out_size bytes, zero where the data ends early; a run or literal
// that would pass the end of the output, or a literal (or repeated byte)
// missing from the input, makes the whole output 255.
std::vector<std::uint8_t> UnpackByteRun1(std::span<const std::uint8_t> packed, std::size_t out_size);

// Decodes a whole .lbm file. Rows come top to bottom, the file's first row at
// the top; the palette holds the file's colours, the rest black. Fails with
// kInvalidFile (a missing "FORM", "BMHD" or "CMAP" at its place, no "BODY", a
// chunk running past the end of the bytes, a picture too big),
// kOnly8BitPlanes or kUnsupportedCompression.
DecodeResult DecodeIlbm(std::span<const std::uint8_t> file);

}  // namespace brackle
