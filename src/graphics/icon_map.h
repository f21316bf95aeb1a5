// Which shape images draw a unit's icon: for each icon number 0..8383 a hull
// image and a turret image (a negative image number means no image).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace brackle {

inline constexpr int kIconMapSize = 8384;
inline constexpr int kMaxIcon = kIconMapSize - 1;

struct IconImages {
    std::int16_t Hull = -1;
    std::int16_t Turret = -1;
};

// The built-in entry of an icon (0..kMaxIcon): icon 0 has no images, icon i
// has hull image 2i and turret image 2i + 1. So icons 1..49 live in
// Icon0000.shp, 50..99 in Icon0001.shp, and so on up to Icon0167.shp.
IconImages BuiltInIconImages(int icon);

class IconMap {
public:
    IconMap();  // the built-in table

    // The entry of icon, capped into 0..kMaxIcon.
    IconImages At(int icon) const;
    // Part 0 is the hull, 1 the turret.
    int Image(int icon, int part) const { return part == 0 ? At(icon).Hull : At(icon).Turret; }

    // Takes "icon,hull,turret" lines (a first line naming the columns, blank
    // lines and lines starting with '#' are passed over). Gives one message per
    // bad line; a bad line changes nothing.
    std::vector<std::string> ApplyOverrides(std::string_view csv);

private:
    std::vector<IconImages> entries_;
};

// The name of the file beside the executable that overrides entries of the built-in table.
inline constexpr const char* kIconMapFileName = "IconMap.csv";

// Applies the overrides of file (when it exists; no file is no change). Gives
// the messages for its bad lines, or one saying why it could not be read.
std::vector<std::string> ApplyIconMapFile(IconMap& map, const std::filesystem::path& file);

// The one warning the editor shows at start-up for the messages of an icon map
// file: a heading, the first `listed` messages one a line (CR LF between
// lines), then "... and N more" when there are more. Empty for no messages.
std::string IconMapWarningText(const std::vector<std::string>& messages, std::size_t listed = 10);

}  // namespace brackle
