// The demo game's unit pictures (Pm<number, five digits>.lbm), side views
// drawn by code with a palette of our own, and the picture each demo unit kind
// shows. They come in every form the editor reads: interleaved bit planes
// ("ILBM") and chunky ("PBM "), each stored as it is and packed with ByteRun1,
// one with a width that is not a whole number of 16-bit words, some with a
// palette of an odd number of bytes, and some with an extra chunk of odd
// length before the body.
#pragma once

#include "demo/canvas.h"
#include "demo/iff_writer.h"

#include <string>
#include <vector>

namespace brackle {

struct DemoPicture {
    int Number = 0;  // Pm<Number>.lbm
    IndexedCanvas Image;
    IffPalette Palette{};  // the first Options.Colours entries go into the file
    IffOptions Options;
};

// "Pm00005.lbm" for picture 5.
std::string DemoPictureFileName(int number);

// Every picture of the demo, in number order.
std::vector<DemoPicture> DemoPictures();

// The picture number of a demo unit kind ("mbt", "rifle"...). Throws
// std::logic_error for a kind that has none.
int DemoPictureOf(const std::string& unitKind);

}  // namespace brackle
