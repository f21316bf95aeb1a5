#include "demo/shape_writer.h"

#include <algorithm>
#include <stdexcept>

namespace brackle {
namespace {

using Bytes = std::vector<std::uint8_t>;

void Little16(Bytes& out, int v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void Little32(Bytes& out, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

void PutLittle32(Bytes& out, std::size_t at, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// The codes of one row from column x0 up to and including column last.
void EncodeRow(const IndexedCanvas& image, int y, int x0, int last, Bytes& out)
{
    constexpr int kMaxRun = 127;  // an even code holds at most 254 / 2 pixels, an odd one 255 / 2
    int x = x0;
    while (x <= last) {
        const std::uint8_t c = image.At(x, y);
        int run = 1;
        while (x + run <= last && image.At(x + run, y) == c)
            ++run;
        if (c == kDemoTransparent) {
            run = std::min(run, 255);
            out.push_back(1);
            out.push_back(static_cast<std::uint8_t>(run));
            x += run;
        } else if (run >= 3) {
            run = std::min(run, kMaxRun);
            out.push_back(static_cast<std::uint8_t>(2 * run));
            out.push_back(c);
            x += run;
        } else {
            // A literal: drawn pixels up to the next skip or the next run of three.
            int n = 0;
            while (x + n <= last && n < kMaxRun && image.At(x + n, y) != kDemoTransparent) {
                const std::uint8_t v = image.At(x + n, y);
                if (x + n + 2 <= last && image.At(x + n + 1, y) == v && image.At(x + n + 2, y) == v)
                    break;
                ++n;
            }
            out.push_back(static_cast<std::uint8_t>(2 * n + 1));
            for (int i = 0; i < n; ++i)
                out.push_back(image.At(x + i, y));
            x += n;
        }
    }
    out.push_back(0);
}

}  // namespace

Bytes EncodeShapeImage(const IndexedCanvas& image)
{
    const int w = image.Width();
    const int h = image.Height();
    if (w > 0xFFFF || h > 0xFFFF)
        throw std::logic_error("a demo icon must fit 16-bit sizes");
    // The drawn area, and each row's last drawn column.
    int x0 = w, y0 = -1, y1 = -1;
    std::vector<int> lastInRow(static_cast<std::size_t>(h), -1);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (image.At(x, y) != kDemoTransparent) {
                x0 = std::min(x0, x);
                y0 = y0 < 0 ? y : y0;
                y1 = y;
                lastInRow[static_cast<std::size_t>(y)] = x;
            }

    Bytes out;
    Little16(out, h);
    Little16(out, w);
    Little32(out, 0);
    if (y0 < 0) {
        // Nothing drawn: no codes at all.
        Little32(out, 0);
        Little32(out, 0);
        Little32(out, 0);
        Little32(out, 0);
        return out;
    }
    Little32(out, static_cast<std::uint32_t>(x0));
    Little32(out, static_cast<std::uint32_t>(y0));
    Little32(out, 0);
    Little32(out, static_cast<std::uint32_t>(y1));
    for (int y = y0; y <= y1; ++y)
        EncodeRow(image, y, x0, lastInRow[static_cast<std::size_t>(y)], out);
    return out;
}

Bytes EncodeShapeFile(const std::vector<IndexedCanvas>& images)
{
    if (images.empty() || images.size() > 255)
        throw std::logic_error("a demo shape file holds 1..255 images");
    const std::size_t count = images.size();
    Bytes out = {'1', '.', '1', '0'};
    Little32(out, static_cast<std::uint32_t>(count));
    const std::size_t table = out.size();
    out.resize(table + 8 * (count + 1), 0);
    for (std::size_t k = 0; k < count; ++k) {
        const auto offset = static_cast<std::uint32_t>(out.size());
        PutLittle32(out, table + 8 * (k + 1), offset);
        if (k == 0)
            PutLittle32(out, table, offset);
        const Bytes image = EncodeShapeImage(images[k]);
        out.insert(out.end(), image.begin(), image.end());
    }
    return out;
}

}  // namespace brackle
