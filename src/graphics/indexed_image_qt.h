// Indexed pictures on screen: a decoder's picture as a QImage.
#pragma once

#include <QImage>

#include "graphics/indexed_image.h"

namespace brackle {

// An 8-bit palette QImage (Format_Indexed8) of the picture, rows top to bottom.
QImage ToQImage(const IndexedImage& image);

}  // namespace brackle
