// An indexed drawing surface for the demo's icons and pictures: one palette
// index per pixel, rows top to bottom, and a few plain drawing helpers. Every
// helper clips at the edges, so a shape may hang over them.
#pragma once

#include <cstdint>
#include <vector>

namespace brackle {

struct CanvasPoint {
    int x;
    int y;
};

class IndexedCanvas {
public:
    IndexedCanvas(int width, int height, std::uint8_t background);

    int Width() const { return width_; }
    int Height() const { return height_; }
    const std::vector<std::uint8_t>& Pixels() const { return pixels_; }
    std::uint8_t At(int x, int y) const;  // x, y inside the canvas

    void Put(int x, int y, std::uint8_t colour);
    // A filled rectangle of w x h pixels whose top left corner is (x, y).
    void Rect(int x, int y, int w, int h, std::uint8_t colour);
    // The one-pixel border of that rectangle.
    void Frame(int x, int y, int w, int h, std::uint8_t colour);
    // A filled round disc, and a ring one pixel wide, of radius r around (cx, cy).
    void Disc(int cx, int cy, int r, std::uint8_t colour);
    void Ring(int cx, int cy, int r, std::uint8_t colour);
    // A straight line, both ends drawn.
    void Line(int x0, int y0, int x1, int y1, std::uint8_t colour);
    // A filled polygon: the pixels whose centres lie inside the corners' outline.
    void Polygon(const std::vector<CanvasPoint>& corners, std::uint8_t colour);
    // Bands of colours from top to bottom, each band rows high (the last runs to the bottom).
    void Bands(int top, int rows, const std::vector<std::uint8_t>& colours);

private:
    int width_;
    int height_;
    std::vector<std::uint8_t> pixels_;
};

}  // namespace brackle
