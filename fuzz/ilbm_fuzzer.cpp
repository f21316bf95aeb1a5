// Any bytes as a picture file: decoded, and a decoded picture written as a BMP.
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz_check.h"
#include "graphics/bmp_file.h"
#include "graphics/ilbm_decoder.h"

// Pictures above 64 K pixels (256 x 256) are passed over: they take the same paths as
// smaller ones, only slower (filling up to 64 M pixels per input would leave
// the fuzzer a few runs a second). The decoder's own size limit is a unit test.
constexpr std::size_t kLargestFuzzedPicture = std::size_t{1} << 16;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size >= 24) {
        const std::size_t width = (std::size_t{data[20]} << 8) | data[21];
        const std::size_t height = (std::size_t{data[22]} << 8) | data[23];
        if (width * height > kLargestFuzzedPicture)
            return -1;  // not added to the corpus
    }
    const brackle::DecodeResult r = brackle::DecodeIlbm(std::span<const std::uint8_t>(data, size));
    if (!r.ok) {
        FUZZ_CHECK(!r.error.empty());
        return 0;
    }
    const auto& image = r.image;
    FUZZ_CHECK(image.Width >= 0 && image.Height >= 0);
    FUZZ_CHECK(image.Pixels.size() == static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height));
    const std::vector<std::uint8_t> bmp = brackle::Bmp8(image);
    FUZZ_CHECK(bmp.size() == brackle::kBmp8PixelOffset + (static_cast<std::size_t>(image.Width) + 3) / 4 * 4 *
                                                             static_cast<std::size_t>(image.Height));
    return 0;
}
