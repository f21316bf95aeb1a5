#include "demo/canvas.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace brackle {

IndexedCanvas::IndexedCanvas(int width, int height, std::uint8_t background)
    : width_(width), height_(height)
{
    if (width < 1 || height < 1)
        throw std::logic_error("a demo drawing needs at least one pixel");
    pixels_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), background);
}

std::uint8_t IndexedCanvas::At(int x, int y) const
{
    return pixels_.at(static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x));
}

void IndexedCanvas::Put(int x, int y, std::uint8_t colour)
{
    if (x >= 0 && y >= 0 && x < width_ && y < height_)
        pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(x)] = colour;
}

void IndexedCanvas::Rect(int x, int y, int w, int h, std::uint8_t colour)
{
    for (int row = std::max(y, 0); row < std::min(y + h, height_); ++row)
        for (int col = std::max(x, 0); col < std::min(x + w, width_); ++col)
            Put(col, row, colour);
}

void IndexedCanvas::Frame(int x, int y, int w, int h, std::uint8_t colour)
{
    Rect(x, y, w, 1, colour);
    Rect(x, y + h - 1, w, 1, colour);
    Rect(x, y, 1, h, colour);
    Rect(x + w - 1, y, 1, h, colour);
}

void IndexedCanvas::Disc(int cx, int cy, int r, std::uint8_t colour)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (dx * dx + dy * dy <= r * r + r)
                Put(cx + dx, cy + dy, colour);
}

void IndexedCanvas::Ring(int cx, int cy, int r, std::uint8_t colour)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            const int d = dx * dx + dy * dy;
            if (d <= r * r + r && d > (r - 1) * (r - 1) + (r - 1))
                Put(cx + dx, cy + dy, colour);
        }
}

void IndexedCanvas::Line(int x0, int y0, int x1, int y1, std::uint8_t colour)
{
    const int dx = std::abs(x1 - x0);
    const int dy = -std::abs(y1 - y0);
    const int sx = x0 < x1 ? 1 : -1;
    const int sy = y0 < y1 ? 1 : -1;
    int error = dx + dy;
    for (;;) {
        Put(x0, y0, colour);
        if (x0 == x1 && y0 == y1)
            return;
        const int e2 = 2 * error;
        if (e2 >= dy) {
            error += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            error += dx;
            y0 += sy;
        }
    }
}

void IndexedCanvas::Polygon(const std::vector<CanvasPoint>& corners, std::uint8_t colour)
{
    // Whole numbers only: coordinates are doubled so that pixel centres (x + 1/2) are whole too.
    const std::size_t n = corners.size();
    for (int y = 0; y < height_; ++y) {
        const long yc = 2L * y + 1;
        std::vector<long> crossings;  // doubled x where the outline crosses the row's centre line
        for (std::size_t i = 0; i < n; ++i) {
            const CanvasPoint a = corners[i];
            const CanvasPoint b = corners[(i + 1) % n];
            const long ya = 2L * a.y;
            const long yb = 2L * b.y;
            if ((yc < ya) == (yc < yb))
                continue;
            crossings.push_back(2L * a.x + (yc - ya) * (2L * b.x - 2L * a.x) / (yb - ya));
        }
        std::sort(crossings.begin(), crossings.end());
        for (std::size_t i = 0; i + 1 < crossings.size(); i += 2)
            for (int x = 0; x < width_; ++x) {
                const long xc = 2L * x + 1;
                if (xc >= crossings[i] && xc < crossings[i + 1])
                    Put(x, y, colour);
            }
    }
}

void IndexedCanvas::Bands(int top, int rows, const std::vector<std::uint8_t>& colours)
{
    for (std::size_t i = 0; i < colours.size(); ++i) {
        const int y = top + static_cast<int>(i) * rows;
        Rect(0, y, width_, i + 1 == colours.size() ? height_ - y : rows, colours[i]);
    }
}

}  // namespace brackle
