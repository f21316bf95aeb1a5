// Indexed pictures on screen: a decoder's picture as a QImage.
#pragma once

#include <QImage>

#include "graphics/indexed_image.h"

namespace brackle {

// An 8-bit palette QImage (Format_Indexed8) of the picture, rows top to bottom.
QImage ToQImage(const IndexedImage& image);

// An icon as the unit page shows it: 32-bit, its background (every pixel of the
// bottom-left pixel's colour) transparent, so a turret drawn over its hull
// lets the hull show through.
QImage IconQImage(const IndexedImage& icon);

// The largest whole factor (at least 1) by which a picture of size fits box.
int WholeScale(QSize size, QSize box);

}  // namespace brackle
