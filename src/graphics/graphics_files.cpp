#include "graphics/graphics_files.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <fstream>

#include "graphics/ilbm_decoder.h"
#include "oob/oob_file.h"

namespace brackle {
namespace fs = std::filesystem;

std::string PictureFileName(int n)
{
    char name[32];
    std::snprintf(name, sizeof name, "Pm%.5d.lbm", n);
    return name;
}

std::optional<fs::path> FindPictureFile(const fs::path& picturesDir, int n)
{
    if (n < 0 || n > kMaxPicture)
        return std::nullopt;
    return FindFileIgnoringCase(picturesDir, PictureFileName(n));
}

std::optional<fs::path> FindShapeFile(const fs::path& graphicsDir, int v)
{
    if (v < 0)
        return std::nullopt;
    return FindFileIgnoringCase(graphicsDir, ShapeFileName(LocateShape(v).fileNumber));
}

bool ReadGraphicsFile(const fs::path& file, std::vector<std::uint8_t>* bytes, std::string* error)
{
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(file, ec);
    if (ec) {
        *error = file.string() + ": " + ec.message();
        return false;
    }
    if (size > kMaxGraphicsFileBytes) {
        *error = file.string() + ": too large for a picture (" + std::to_string(size) + " bytes)";
        return false;
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        *error = file.string() + ": could not be opened: " + std::generic_category().message(errno ? errno : EIO);
        return false;
    }
    bytes->resize(static_cast<std::size_t>(size));
    errno = 0;
    in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(size));
    if (static_cast<std::uintmax_t>(in.gcount()) != size) {
        *error = file.string() + ": could not be read whole: " +
                 (errno ? std::generic_category().message(errno) : "it became shorter while it was read");
        return false;
    }
    return true;
}

DecodeResult LoadPictureFile(const fs::path& file)
{
    std::vector<std::uint8_t> bytes;
    DecodeResult r;
    if (!ReadGraphicsFile(file, &bytes, &r.error))
        return r;
    return DecodeIlbm(bytes);
}

DecodeResult LoadShapeImage(const fs::path& graphicsDir, int v, std::uint8_t transparent)
{
    DecodeResult r;
    std::optional<fs::path> file = FindShapeFile(graphicsDir, v);
    if (!file) {
        r.error = (graphicsDir / ShapeFileName(LocateShape(v < 0 ? 0 : v).fileNumber)).string() + ": no such file";
        return r;
    }
    std::vector<std::uint8_t> bytes;
    if (!ReadGraphicsFile(*file, &bytes, &r.error))
        return r;
    return DecodeShape(bytes, LocateShape(v).image, transparent);
}

}  // namespace brackle
