// The demo game's shape icons, drawn by code with the built-in icon palette,
// and the icons each demo unit kind shows.
//
// Numbering, as the editor's icon map has it: icon i has hull image 2 i and
// turret image 2 i + 1 (icon 0 has none), and image v is image v % 100 of
// Icon<v / 100, four digits>.shp. So one file holds 50 icons:
//   icons  50..  infantry, teams, the bunker and the guns        Icon0001.shp
//   icons 100..  vehicles in summer colours                       Icon0002.shp
//   icons 150..  the same vehicles whitewashed for winter         Icon0003.shp
//   icons 200..  the same vehicles in desert sand                 Icon0004.shp
//   icons 250..  aircraft (one big hull image) and boats           Icon0005.shp
// A part an icon lacks (the turret of a squad, of an aircraft) is an image
// with nothing drawn. Files Icon0010.shp .. Icon0013.shp hold the
// crew-and-side images of sides 0..3 (image v = 1000 + 100 side + c): groups
// of 13 down to 1 soldiers at c = 0, 3, .. 36, a machine-gun team at 42,
// gun teams at 51, 54 and 57 (large to small) and a mortar team at 60, each
// side in its own uniform colour; the images between are empty.
#pragma once

#include "demo/canvas.h"

#include <string>
#include <vector>

namespace brackle {

struct DemoShapeFile {
    int Number = 0;  // Icon<Number>.shp
    std::vector<IndexedCanvas> Images;  // image k of the file; kDemoTransparent where nothing is drawn
};

// Every shape file of the demo, in file number order.
std::vector<DemoShapeFile> DemoShapeFiles();

struct DemoUnitIcons {
    int Summer = 0;
    int Winter = 0;
    int Desert = 0;
};

// The icons of a demo unit kind ("mbt", "rifle"...) in an era (0..3). Throws
// std::logic_error for a kind that has none.
DemoUnitIcons DemoIconsOf(const std::string& unitKind, int era);

}  // namespace brackle
