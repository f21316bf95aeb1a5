// Any bytes as a shape file: the first byte picks the image (0..255), the rest
// is the file. A decoded image is written as a BMP.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "graphics/bmp_file.h"
#include "graphics/shape_decoder.h"

// Images above 64 K pixels (256 x 256) are passed over: they take the same paths as
// smaller ones, only slower. The decoder's own size limit is a unit test.
constexpr std::size_t kLargestFuzzedImage = std::size_t{1} << 16;

std::size_t Le(const std::uint8_t* p, int bytes)
{
    std::size_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | p[i];
    return v;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const int image = data[0];
    // The image's width and height, where its table entry and header are in the file.
    const std::uint8_t* file = data + 1;
    const std::size_t fileSize = size - 1;
    const std::size_t entry = 8 + 8 * (static_cast<std::size_t>(image) + 1);
    if (entry + 4 <= fileSize) {
        const std::size_t header = Le(file + entry, 4);
        if (header <= fileSize && fileSize - header >= 4 && Le(file + header, 2) * Le(file + header + 2, 2) > kLargestFuzzedImage)
            return -1;  // not added to the corpus
    }
    const brackle::DecodeResult r = brackle::DecodeShape(std::span<const std::uint8_t>(data + 1, size - 1), image);
    if (!r.ok) {
        FUZZ_CHECK(!r.error.empty());
        return 0;
    }
    const auto& out = r.image;
    FUZZ_CHECK(out.Width >= 0 && out.Height >= 0);
    FUZZ_CHECK(out.Pixels.size() == static_cast<std::size_t>(out.Width) * static_cast<std::size_t>(out.Height));
    FUZZ_CHECK(out.Palette == brackle::ShapePalette());
    const std::vector<std::uint8_t> bmp = brackle::Bmp8(out);
    FUZZ_CHECK(bmp.size() >= brackle::kBmp8PixelOffset);
    return 0;
}
