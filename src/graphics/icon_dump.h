// Icon dumps: an icon of the unit page as a 24-bit BMP file, its background
// (every pixel of the bottom-left pixel's colour) painted FF E1 E1.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "graphics/indexed_image.h"

namespace brackle {

inline constexpr const char* kHullDumpName = "hullimage.bmp";
inline constexpr const char* kTurretDumpName = "TurretImage.bmp";
inline constexpr const char* kBigDumpName = "BigImage.bmp";

// The colour the dumps paint an icon's background with: red, green, blue.
inline constexpr std::array<std::uint8_t, 3> kDumpBackground = {0xFF, 0xE1, 0xE1};

// The colour of the bottom-left pixel (column 0 of the last row), which an
// icon's background has: red, green, blue. Black for an empty picture.
std::array<std::uint8_t, 3> BackgroundColour(const IndexedImage& icon);

// Whether pixel (x, y) has the background's colour (by colour, not by index:
// two palette entries of one colour are both background).
bool IsBackground(const IndexedImage& icon, int x, int y);

// The icon as a 24-bit bottom-up BMP file (14-byte file header, 40-byte
// information header, rows padded to 4 bytes), the background painted
// kDumpBackground. Empty for an empty picture.
std::vector<std::uint8_t> IconDumpBmp(const IndexedImage& icon);

}  // namespace brackle
