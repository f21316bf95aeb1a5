// A small invented game folder for trying the editor without the game: BRVX.ini
// with nation and unit class names, and a few complete OOB files.
//
// Layout written below a folder DIR:
//   DIR/Vornex/Brackle/BRVX.ini
//   DIR/Vornex/game data/oobs/obat001.obf, obat002.obf, obat005.obf
//   DIR/Vornex/game data/graphics/Icon0001.shp .. Icon0005.shp, Icon0010.shp .. Icon0013.shp
//   DIR/Vornex/game data/pictures/Pm00001.lbm .. Pm04242.lbm
// (the icons and pictures, drawn by code: see demo_icons.h and demo_pictures.h)
//
// Everything is generated from fixed seeds, so two runs give the same bytes.
// The OOBs are clean, as the editor itself would save them, apart from a handful
// of deliberate faults for the consistency reports to find (see DemoFaults).
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "oob/records.h"

namespace brackle {

// The file numbers of the demo OOBs; each is also the nation of its records.
const std::vector<int>& DemoOobNumbers();

// The faults planted in one demo OOB, by slot number.
struct DemoFaults {
    int BrokenLinkFormation = 0;  // a formation with a slot pointing at an erased unit
    int BrokenLinkSlot = 0;       // that slot (1..10)
    int ErasedUnit = 0;           // the erased unit slot (empty name, class 216)
    int LateFormation = 0;        // a formation that runs on after its X3 template unit
    int LateUnit = 0;             // that X3 unit
    int PlatoonInPlatoon = 0;     // a Section (type 0) holding a formation in slot 2
    int BadAPUnit = 0;            // carries AP rounds for a weapon with no AP penetration
    int UnusedWeapon = 0;         // a weapon no unit carries
    int OrphanUnit = 0;           // a unit whose class no formation uses
    std::vector<int> ForeignUnits;  // units of another nation, placed in no formation
};

// A unit slot of a demo OOB and the kind of unit it was made from ("mbt",
// "rifle"...; the foreign units carry the kind they were copied from).
struct DemoUnit {
    int Slot = 0;
    std::string Kind;
    bool OnFoot = false;  // squads and teams; false for vehicles, guns, boats, aircraft, the bunker
};

struct DemoOob {
    Oob Tables;  // tables filled, OOBBuffer written, LoadedSize = kBufferSize
    DemoFaults Faults;
    std::vector<DemoUnit> Units;  // every unit in use, in slot order
};

// Builds demo OOB n (one of DemoOobNumbers). Names and CurrentOOB are set.
DemoOob BuildDemoOob(int n);

// The text of the demo BRVX.ini.
std::string DemoIniText();

// The invented nation names, 1..kNations (index 0 empty); the unnamed ones are "Unused nation N".
const std::vector<std::string>& DemoNationNames();
// The invented unit class names, 0..255.
const std::vector<std::string>& DemoUnitClassNames();

// Writes the whole demo game folder below dir (see the layout above), replacing
// files of the same names. False with a reason in *error when anything fails.
bool WriteDemoGame(const std::filesystem::path& dir, std::string* error);

}  // namespace brackle
