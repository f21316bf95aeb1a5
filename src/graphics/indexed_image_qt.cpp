#include "graphics/indexed_image_qt.h"

#include <algorithm>
#include <cstring>

#include "graphics/icon_dump.h"

namespace brackle {

QImage ToQImage(const IndexedImage& image)
{
    if (image.Width <= 0 || image.Height <= 0 ||
        image.Pixels.size() < static_cast<std::size_t>(image.Width) * static_cast<std::size_t>(image.Height))
        return {};
    QImage out(image.Width, image.Height, QImage::Format_Indexed8);
    if (out.isNull())
        return {};
    QList<QRgb> colours(256);
    for (int i = 0; i < 256; ++i)
        colours[i] = qRgb(image.Palette[i][0], image.Palette[i][1], image.Palette[i][2]);
    out.setColorTable(colours);
    // QImage rows are padded to 4 bytes; the picture's rows are exactly Width bytes.
    for (int y = 0; y < image.Height; ++y)
        std::memcpy(out.scanLine(y), image.Pixels.data() + static_cast<std::size_t>(y) * image.Width,
                    static_cast<std::size_t>(image.Width));
    return out;
}

QImage IconQImage(const IndexedImage& icon)
{
    QImage out = ToQImage(icon);
    if (out.isNull())
        return out;
    out = out.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < icon.Height; ++y) {
        auto* line = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < icon.Width; ++x) {
            if (IsBackground(icon, x, y))
                line[x] = qRgba(0, 0, 0, 0);
        }
    }
    return out;
}

int WholeScale(QSize size, QSize box)
{
    if (size.width() <= 0 || size.height() <= 0)
        return 1;
    return std::max(1, std::min(box.width() / size.width(), box.height() / size.height()));
}

}  // namespace brackle
