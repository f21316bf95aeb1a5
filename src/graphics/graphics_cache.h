// The shape files and pictures the unit page has read, kept so that typing an
// icon or picture number reads no file twice and a page of the editor never
// waits on the disk for what it has shown before.
#pragma once

#include <cstdint>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "graphics/file_stamp.h"
#include "graphics/indexed_image.h"

namespace brackle {

class GraphicsCache {
public:
    // The folders the files come from; forgets everything read so far.
    void SetFolders(const std::filesystem::path& graphicsDir, const std::filesystem::path& picturesDir);
    const std::filesystem::path& GraphicsDir() const { return graphicsDir_; }
    const std::filesystem::path& PicturesDir() const { return picturesDir_; }

    // Shape image v (v >= 0) drawn on the transparent colour, or nothing when its
    // file is missing, cannot be read or refuses to decode. The file's bytes are
    // kept, so another image of it, or another transparent colour, reads nothing.
    std::optional<IndexedImage> ShapeImage(int v, std::uint8_t transparent);

    // The decoded picture n (0..99999), or nothing when it is missing or cannot be
    // read or decoded. The last pictures asked for are kept decoded.
    std::optional<IndexedImage> Picture(int n);

    // Forgets everything read, so the next request reads the folders afresh
    // (another file was opened). Without it, a file changed or removed on disk
    // is never shown from memory either: each copy is checked against the
    // file's time and size (one look at the file) before it is used.
    void Clear();

    // How many files were read from disk since the folders were set (for tests).
    int FilesRead() const { return filesRead_; }

    static constexpr std::size_t kPicturesKept = 16;
    static constexpr std::size_t kShapeBytesKept = 64 * 1024 * 1024;

private:
    // A folder's files by their names in lower case, listed again only when
    // the folder has changed since (a file was added, renamed or removed).
    struct Listing {
        bool listed = false;
        std::filesystem::file_time_type changed;
        std::unordered_map<std::string, std::filesystem::path> files;
    };
    std::optional<std::filesystem::path> Find(Listing& listing, const std::filesystem::path& dir,
                                              const std::string& name);

    std::filesystem::path graphicsDir_;
    std::filesystem::path picturesDir_;
    Listing graphicsListing_;
    Listing picturesListing_;
    // A file read, with the stamp it had when it was read: a copy is used only
    // while the file on disk still has that stamp.
    struct ShapeFileRead {
        std::filesystem::path file;
        FileStamp stamp;
        std::shared_ptr<const std::vector<std::uint8_t>> bytes;
    };
    struct PictureRead {
        std::filesystem::path file;
        FileStamp stamp;
        std::optional<IndexedImage> picture;  // nothing: the file would not decode
    };
    // Whether file still has stamp; when it has not, the folder is listed afresh
    // next time (the file may be gone, or back under another case).
    bool StillTheSame(Listing& listing, const std::filesystem::path& file, const FileStamp& stamp);

    // Shape file number -> its bytes.
    std::map<int, ShapeFileRead> shapeFiles_;
    std::size_t shapeBytes_ = 0;
    // Picture number -> its picture, oldest first.
    std::map<int, PictureRead> pictures_;
    std::deque<int> pictureOrder_;
    int filesRead_ = 0;
};

}  // namespace brackle
