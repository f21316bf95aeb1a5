// Decoder of the game's shape files (.shp): a table of run-length coded icon
// images drawn with one built-in palette.
#pragma once

#include "graphics/indexed_image.h"

#include <cstdint>
#include <span>
#include <string>

namespace brackle {

inline constexpr const char* kIconNotAvailable = "required icon not available";
inline constexpr std::uint8_t kDefaultTransparentColour = 240;

// The palette every icon is drawn with.
const std::array<std::array<std::uint8_t, 3>, 256>& ShapePalette();

// Where image number v lives: file Icon<v / 100, four digits>.shp, image v % 100 of
// it, whose header offset is read from table entry v % 100 + 1.
struct ShapeLocation {
    int fileNumber = 0;
    int image = 0;
    int tableEntry = 0;
};
ShapeLocation LocateShape(int v);  // v >= 0
std::string ShapeFileName(int fileNumber);  // "Icon0012.shp"

// Decodes image `image` of a shape file (its offset taken from table entry image + 1).
// The picture starts filled with `transparent`, which skipped pixels keep; rows
// count from the top. Fails with "Invalid file" (no "1.10" mark, an image header
// outside the bytes, a picture too big) or kIconNotAvailable (too few images).
DecodeResult DecodeShape(std::span<const std::uint8_t> file, int image,
                         std::uint8_t transparent = kDefaultTransparentColour);

}  // namespace brackle
