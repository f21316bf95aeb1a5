// The options a single paste of a unit or formation follows. A move ignores
// them: it always carries the whole record.
#pragma once

namespace brackle {

struct PasteOptions {
    bool PasteArmourOnly = false;
    bool PasteAsNation = false;
    bool KeepDates = false;
    bool KeepWeapons = false;
    bool KeepIcons = false;
    bool KeepUnitClass = false;
    bool PasteOnlyIconData = false;
};

}  // namespace brackle
