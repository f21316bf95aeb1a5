// Writes shape icon files (.shp) of our own drawings, in the form the editor's
// shape decoder reads.
//
// File: "1.10", the image count (32-bit little-endian), then count + 1 table
// entries of 8 bytes (a 32-bit offset of an image header and 32 zero bits).
// Image k is read through entry k + 1; entry 0 repeats entry 1, so a reader
// counting from entry 0 also finds a picture. The images follow the table.
//
// Image: height and width (16 bits each), 4 zero bytes, x start, y start,
// 4 zero bytes, y end (32 bits each), then the pixel codes row by row from
// y start: 0 ends a row, 1 n skips n transparent pixels, an even code e and
// a byte give e / 2 pixels of that colour, an odd code e and e / 2 bytes give
// those pixels. Only the drawn area is coded: x start is its first column,
// y start and y end its first and last rows, and a row ends after its last
// drawn pixel.
#pragma once

#include "demo/canvas.h"

#include <cstdint>
#include <vector>

namespace brackle {

// The colour that means "not drawn" in the demo's icon drawings.
inline constexpr std::uint8_t kDemoTransparent = 240;

// One image: its 24-byte header and pixel codes. Pixels of colour kDemoTransparent become skips.
std::vector<std::uint8_t> EncodeShapeImage(const IndexedCanvas& image);

// A whole shape file of these images (image k of the file is images[k]).
std::vector<std::uint8_t> EncodeShapeFile(const std::vector<IndexedCanvas>& images);

}  // namespace brackle
