#include "graphics/graphics_cache.h"

#include <algorithm>

#include "graphics/graphics_files.h"
#include "graphics/ilbm_decoder.h"
#include "graphics/shape_decoder.h"
#include "oob/text.h"

namespace brackle {
namespace fs = std::filesystem;

void GraphicsCache::SetFolders(const fs::path& graphicsDir, const fs::path& picturesDir)
{
    graphicsDir_ = graphicsDir;
    picturesDir_ = picturesDir;
    Clear();
    filesRead_ = 0;
}

void GraphicsCache::Clear()
{
    graphicsListing_ = {};
    picturesListing_ = {};
    shapeFiles_.clear();
    shapeBytes_ = 0;
    pictures_.clear();
    pictureOrder_.clear();
}

std::optional<fs::path> GraphicsCache::Find(Listing& listing, const fs::path& dir, const std::string& name)
{
    if (dir.empty())
        return std::nullopt;
    const std::string key = Lower(name);
    if (listing.listed) {
        if (auto found = listing.files.find(key); found != listing.files.end())
            return found->second;
    }
    // Not listed, or not in the list: one look at the folder's time says whether
    // a new list could hold more.
    std::error_code ec;
    const fs::file_time_type changed = fs::last_write_time(dir, ec);
    if (ec || (listing.listed && changed == listing.changed))
        return std::nullopt;
    listing.listed = true;
    listing.changed = changed;
    listing.files.clear();
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
        listing.files.emplace(Lower(it->path().filename().string()), it->path());
    if (auto found = listing.files.find(key); found != listing.files.end())
        return found->second;
    return std::nullopt;
}

bool GraphicsCache::StillTheSame(Listing& listing, const fs::path& file, const FileStamp& stamp)
{
    std::error_code ec;
    const auto now = StampOf(file, ec);
    if (now && *now == stamp)
        return true;
    listing.listed = false;
    return false;
}

std::optional<IndexedImage> GraphicsCache::ShapeImage(int v, std::uint8_t transparent)
{
    if (v < 0)
        return std::nullopt;
    const ShapeLocation at = LocateShape(v);
    auto cached = shapeFiles_.find(at.fileNumber);
    if (cached != shapeFiles_.end() && !StillTheSame(graphicsListing_, cached->second.file, cached->second.stamp)) {
        shapeBytes_ -= cached->second.bytes->size();
        shapeFiles_.erase(cached);
        cached = shapeFiles_.end();
    }
    if (cached == shapeFiles_.end()) {
        ShapeFileRead read;
        if (const auto file = Find(graphicsListing_, graphicsDir_, ShapeFileName(at.fileNumber))) {
            std::error_code ec;
            const auto stamp = StampOf(*file, ec);
            auto bytes = std::make_shared<std::vector<std::uint8_t>>();
            std::string error;
            ++filesRead_;
            if (stamp && ReadGraphicsFile(*file, bytes.get(), &error))
                read = ShapeFileRead{*file, *stamp, std::move(bytes)};
        }
        // A missing file is not remembered: the listing answers for it without the disk.
        if (!read.bytes)
            return std::nullopt;
        // A game's shape files together stay far below the bound; should they not,
        // the oldest are read again when asked for.
        if (shapeBytes_ + read.bytes->size() > kShapeBytesKept) {
            shapeFiles_.clear();
            shapeBytes_ = 0;
        }
        shapeBytes_ += read.bytes->size();
        cached = shapeFiles_.emplace(at.fileNumber, std::move(read)).first;
    }
    DecodeResult r = DecodeShape(*cached->second.bytes, at.image, transparent);
    if (!r.ok)
        return std::nullopt;
    return std::move(r.image);
}

std::optional<IndexedImage> GraphicsCache::Picture(int n)
{
    if (n < 0 || n > kMaxPicture)
        return std::nullopt;
    if (auto cached = pictures_.find(n); cached != pictures_.end()) {
        if (StillTheSame(picturesListing_, cached->second.file, cached->second.stamp))
            return cached->second.picture;
        pictures_.erase(cached);
        pictureOrder_.erase(std::find(pictureOrder_.begin(), pictureOrder_.end(), n));
    }
    const auto file = Find(picturesListing_, picturesDir_, PictureFileName(n));
    if (!file)
        return std::nullopt;
    std::error_code ec;
    const auto stamp = StampOf(*file, ec);
    if (!stamp) {
        picturesListing_.listed = false;  // listed, but gone since
        return std::nullopt;
    }
    ++filesRead_;
    DecodeResult r = LoadPictureFile(*file);
    std::optional<IndexedImage> picture;
    if (r.ok)
        picture = std::move(r.image);
    if (pictureOrder_.size() >= kPicturesKept) {
        pictures_.erase(pictureOrder_.front());
        pictureOrder_.pop_front();
    }
    pictureOrder_.push_back(n);
    pictures_.emplace(n, PictureRead{*file, *stamp, picture});
    return picture;
}

}  // namespace brackle
