#include "demo/iff_writer.h"

#include <algorithm>
#include <stdexcept>

namespace brackle {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Big16(Bytes& out, std::uint32_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

void Big32(Bytes& out, std::uint32_t v)
{
    Big16(out, v >> 16);
    Big16(out, v & 0xFFFF);
}

void Chunk(Bytes& out, const std::string& id, const Bytes& data)
{
    if (id.size() != 4)
        throw std::logic_error("an IFF chunk name has four characters");
    out.insert(out.end(), id.begin(), id.end());
    Big32(out, static_cast<std::uint32_t>(data.size()));
    out.insert(out.end(), data.begin(), data.end());
    if (data.size() % 2 == 1)
        out.push_back(0);
}

void Append(Bytes& body, std::span<const std::uint8_t> row, bool compressed)
{
    if (!compressed) {
        body.insert(body.end(), row.begin(), row.end());
        return;
    }
    const Bytes packed = PackByteRun1(row);
    body.insert(body.end(), packed.begin(), packed.end());
}

}  // namespace

Bytes PackByteRun1(std::span<const std::uint8_t> bytes)
{
    constexpr std::size_t kMax = 128;
    Bytes out;
    std::size_t literalStart = 0;
    std::size_t literalLength = 0;
    const auto flushLiteral = [&] {
        if (literalLength == 0)
            return;
        out.push_back(static_cast<std::uint8_t>(literalLength - 1));
        out.insert(out.end(), bytes.begin() + static_cast<std::ptrdiff_t>(literalStart),
                   bytes.begin() + static_cast<std::ptrdiff_t>(literalStart + literalLength));
        literalLength = 0;
    };
    std::size_t i = 0;
    while (i < bytes.size()) {
        std::size_t run = 1;
        while (i + run < bytes.size() && run < kMax && bytes[i + run] == bytes[i])
            ++run;
        // A run of three or more is always worth its own control byte; a run of two
        // only where no literal is open, since it would split one.
        if (run >= 3 || (run == 2 && literalLength == 0)) {
            flushLiteral();
            out.push_back(static_cast<std::uint8_t>(257 - run));
            out.push_back(bytes[i]);
            i += run;
            continue;
        }
        if (literalLength == 0)
            literalStart = i;
        ++literalLength;
        ++i;
        if (literalLength == kMax)
            flushLiteral();
    }
    flushLiteral();
    return out;
}

Bytes EncodeIff(const IndexedCanvas& picture, const IffPalette& palette, const IffOptions& options)
{
    const int width = picture.Width();
    const int height = picture.Height();
    if (width > 0xFFFF || height > 0xFFFF || options.Colours < 1 || options.Colours > 256)
        throw std::logic_error("a demo picture must fit 16-bit sizes and 1..256 colours");

    Bytes header;
    Big16(header, static_cast<std::uint32_t>(width));
    Big16(header, static_cast<std::uint32_t>(height));
    Big32(header, 0);                     // x and y position
    header.push_back(8);                  // bit planes
    header.push_back(0);                  // no masking
    header.push_back(options.Compressed ? 1 : 0);
    header.push_back(0);                  // pad
    Big16(header, 0);                     // transparent colour
    header.push_back(1);                  // pixel aspect 1:1
    header.push_back(1);
    Big16(header, static_cast<std::uint32_t>(width));  // page size
    Big16(header, static_cast<std::uint32_t>(height));

    Bytes colours;
    for (int i = 0; i < options.Colours; ++i)
        colours.insert(colours.end(), palette[static_cast<std::size_t>(i)].begin(),
                       palette[static_cast<std::size_t>(i)].end());

    const std::vector<std::uint8_t>& pixels = picture.Pixels();
    const std::size_t w = static_cast<std::size_t>(width);
    Bytes body;
    if (options.Planar) {
        const std::size_t planeBytes = (w + 15) / 16 * 2;
        Bytes plane(planeBytes);
        for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y)
            for (unsigned k = 0; k < 8; ++k) {
                std::fill(plane.begin(), plane.end(), std::uint8_t{0});
                for (std::size_t x = 0; x < w; ++x)
                    if (pixels[y * w + x] & (1u << k))
                        plane[x / 8] = static_cast<std::uint8_t>(plane[x / 8] | (0x80u >> (x % 8)));
                Append(body, plane, options.Compressed);
            }
    } else {
        for (std::size_t y = 0; y < static_cast<std::size_t>(height); ++y)
            Append(body, std::span<const std::uint8_t>(pixels).subspan(y * w, w), options.Compressed);
    }

    Bytes form = {'I', 'L', 'B', 'M'};
    if (!options.Planar)
        form = {'P', 'B', 'M', ' '};
    Chunk(form, "BMHD", header);
    Chunk(form, "CMAP", colours);
    for (const IffChunk& extra : options.Extra)
        Chunk(form, extra.Id, Bytes(extra.Data.begin(), extra.Data.end()));
    Chunk(form, "BODY", body);

    Bytes out = {'F', 'O', 'R', 'M'};
    Big32(out, static_cast<std::uint32_t>(form.size()));
    out.insert(out.end(), form.begin(), form.end());
    return out;
}

}  // namespace brackle
