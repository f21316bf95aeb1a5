// Finding and decoding the game's picture (.lbm) and icon (.shp) files; names
// are matched ignoring case, as a game folder copied between systems keeps
// whatever case it had.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "graphics/indexed_image.h"
#include "graphics/shape_decoder.h"

namespace brackle {

inline constexpr int kMaxPicture = 99999;

// "Pm" + the number in five digits + ".lbm" (5 gives Pm00005.lbm).
std::string PictureFileName(int n);

// The picture file of n in dir, or nothing (n outside 0..99999, or no such file).
std::optional<std::filesystem::path> FindPictureFile(const std::filesystem::path& picturesDir, int n);

// The shape file holding image v (v >= 0) in dir, or nothing.
std::optional<std::filesystem::path> FindShapeFile(const std::filesystem::path& graphicsDir, int v);

// The largest file a decoder is handed; no picture or shape file of the game comes near it.
inline constexpr std::uintmax_t kMaxGraphicsFileBytes = 64 * 1024 * 1024;

// Reads a whole file of at most kMaxGraphicsFileBytes. False with the path and
// the system's reason in *error.
bool ReadGraphicsFile(const std::filesystem::path& file, std::vector<std::uint8_t>* bytes, std::string* error);

// Reads and decodes a picture file; a file that cannot be read gives its reason.
DecodeResult LoadPictureFile(const std::filesystem::path& file);

// Reads and decodes shape image v from its file in graphicsDir.
DecodeResult LoadShapeImage(const std::filesystem::path& graphicsDir, int v,
                            std::uint8_t transparent = kDefaultTransparentColour);

}  // namespace brackle
