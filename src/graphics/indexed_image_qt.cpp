#include "graphics/indexed_image_qt.h"

#include <cstring>

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

}  // namespace brackle
