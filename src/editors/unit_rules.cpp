#include "editors/unit_rules.h"

#include <algorithm>
#include <initializer_list>
#include <limits>

#include "editors/unit_fields.h"
#include "oob/text.h"

namespace brackle {

namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kNotSaved = " Unit data not saved!";

bool OneOf(long v, std::initializer_list<long> set)
{
    return std::find(set.begin(), set.end(), v) != set.end();
}

// The category of every unit class 0..255. Class 216 holds 0, which reads as 1.
constexpr std::array<unsigned char, 256> kClassCategory = {
    1, 4, 5, 4, 5, 3, 3, 5, 3, 3, 7, 1, 1, 1, 1, 1,  // 0..15
    3, 1, 1, 1, 4, 1, 1, 2, 2, 2, 6, 6, 6, 5, 1, 7,  // 16..31
    2, 2, 2, 1, 1, 1, 1, 1, 4, 2, 6, 7, 1, 4, 7, 2,  // 32..47
    6, 4, 1, 4, 1, 1, 4, 4, 6, 1, 4, 1, 6, 6, 1, 4,  // 48..63
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,  // 64..79
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4,  // 80..95
    4, 4, 4, 4, 4, 4, 1, 1, 1, 1, 1, 1, 1, 6, 4, 4,  // 96..111
    4, 4, 4, 4, 4, 4, 4, 4, 2, 2, 2, 2, 2, 2, 2, 2,  // 112..127
    1, 1, 1, 1, 1, 2, 1, 1, 2, 1, 1, 1, 4, 4, 4, 4,  // 128..143
    4, 4, 4, 4, 4, 4, 4, 3, 3, 3, 3, 7, 7, 3, 3, 1,  // 144..159
    4, 4, 4, 4, 4, 5, 4, 6, 4, 4, 4, 4, 4, 4, 4, 1,  // 160..175
    5, 5, 4, 4, 6, 6, 6, 6, 3, 4, 4, 4, 4, 4, 4, 4,  // 176..191
    4, 5, 5, 4, 3, 7, 7, 7, 3, 3, 3, 1, 1, 1, 5, 5,  // 192..207
    5, 5, 7, 7, 5, 5, 1, 1, 0, 2, 4, 2, 2, 1, 1, 1,  // 208..223
    4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 4, 3, 2, 2, 2,  // 224..239
    4, 4, 4, 4, 5, 2, 4, 4, 4, 4, 4, 2, 3, 1, 5, 3,  // 240..255
};

// Air units that may carry class 11 air weapons: the aircraft that are not
// gliders, transports or spotters.
bool IsArmedAircraftClass(long c)
{
    return c >= 0 && c <= 255 && IsAircraftClass(static_cast<int>(c)) && !IsNoWeaponClass(static_cast<int>(c));
}

// A class as an int for the table lookups; numbers beyond int's range are
// no class of the table either way.
int ClassOf(long c)
{
    if (c > std::numeric_limits<int>::max())
        return std::numeric_limits<int>::max();
    if (c < std::numeric_limits<int>::min())
        return std::numeric_limits<int>::min();
    return static_cast<int>(c);
}

bool IsArtilleryFireControlClass(long c)
{
    return OneOf(c, {57, 63, 229, 243});
}

// The rule for one weapon slot (slot 1..4); adds its messages and returns
// false when a blocking rule failed.
bool CheckWeaponSlot(int slot, long c, long w, const std::vector<WeaponRecord>& weapons,
                     std::vector<RuleMessage>& out)
{
    if (w < 1 || w > kWeaponSlots)
        return true;  // no weapon: none in the slot, or a number beyond 249 kept from the file
    // A table shorter than the file's 249 weapons holds no weapon there.
    const WeaponRecord none;
    const WeaponRecord& weapon = static_cast<std::size_t>(w) < weapons.size() ? weapons[w] : none;
    const int wc = weapon.Class;
    const int r = weapon.Range;
    const std::string inSlot = "The weapon in slot " + std::to_string(slot);

    auto error = [&out](std::string text) {
        out.push_back({true, std::move(text)});
        return false;
    };

    if (IsNoWeaponClass(ClassOf(c)))
        return error(std::string("Gliders, Transports and spotter planes do not use weapons! ") + kCrLf + kNotSaved);
    if (wc == 16 && c != 214)
        return error(inSlot + " is ANTI RADIATION MISSILE type" + kCrLf +
                     "however the unit is NOT a Wild Weasel aircraft" + kCrLf + kCrLf + kNotSaved);
    if (wc == 15 && c != 210 && c != 211)
        return error(inSlot + " is CLUSTER MINE type" + kCrLf +
                     "however the unit is NOT a rocket or tube minelet battery type" + kCrLf + kCrLf + kNotSaved);
    if (wc == 11) {
        // The advisory does not decide the slot: the bomber and gunship rules still apply.
        if (!IsArmedAircraftClass(c))
            out.push_back({false, inSlot + " is air weapon class 11" + kCrLf +
                                      "however the unit is NOT a Level Bomber, Gunship, helicopter or Wild Weasel "
                                      "aircraft" +
                                      kCrLf + kCrLf + " ADVISORY - non air units do not use class 11 weapons!"});
        if (c == 62 && r > 1)
            return error(inSlot + " is air weapon class 11" + kCrLf + "however the weapon is not a bomb ( range of 1)" +
                         kCrLf + kCrLf + "Level Bomber will only drop CBU, bombs or napalm!" + kCrLf + kCrLf +
                         kNotSaved);
        if (c == 215 && r < 1)
            return error(std::string("The weapon in slot is invalid for circling gunship class aircraft") + kCrLf +
                         kNotSaved);
        return true;
    }
    if (wc == 17 && (c == 62 || c == 215))
        return error(inSlot + " is air ASM weapon class 17" + kCrLf + "and is invalid for this unit class" + kCrLf +
                     kCrLf + kNotSaved);
    return true;
}

}  // namespace

bool IsAircraftClass(int c)
{
    return OneOf(c, {44, 47, 50, 53, 60, 61, 62, 203, 204, 205, 214, 215, 221, 222, 223, 253});
}

bool IsNoWeaponClass(int c)
{
    return OneOf(c, {47, 50, 60, 61});
}

int UnitClassCategory(int c)
{
    if (c < 0 || c > 255)
        return 1;
    const int v = kClassCategory[static_cast<std::size_t>(c)];
    return v == 0 ? 1 : v;
}

std::optional<long> NumberIn(std::string_view text)
{
    const std::string t = Trim(text);
    std::size_t i = 0;
    const bool negative = !t.empty() && t[0] == '-';
    if (negative)
        i = 1;
    if (i == t.size())
        return std::nullopt;
    // Accumulate towards the sign so that the most negative long fits; an
    // overlong digit string saturates at the end of long's range.
    constexpr long kMax = std::numeric_limits<long>::max();
    constexpr long kMin = std::numeric_limits<long>::min();
    long v = 0;
    bool saturated = false;
    for (; i < t.size(); ++i) {
        const char ch = t[i];
        if (ch < '0' || ch > '9')
            return std::nullopt;
        if (saturated)
            continue;
        const int d = ch - '0';
        if (negative) {
            if (v < (kMin + d) / 10) {
                v = kMin;
                saturated = true;
            } else {
                v = v * 10 - d;
            }
        } else {
            if (v > (kMax - d) / 10) {
                v = kMax;
                saturated = true;
            } else {
                v = v * 10 + d;
            }
        }
    }
    return v;
}

WeaponCheck CheckUnitWeapons(long unitClass, const std::array<long, 4>& weaponNumbers,
                             const std::vector<WeaponRecord>& weapons)
{
    WeaponCheck check;
    for (int k = 0; k < 4; ++k) {
        if (!CheckWeaponSlot(k + 1, unitClass, weaponNumbers[static_cast<std::size_t>(k)], weapons, check.Messages))
            check.Ok = false;
    }
    return check;
}

WeaponCheck CheckUnitWeapons(std::string_view classText, const std::array<std::string, 4>& weaponTexts,
                             const std::vector<WeaponRecord>& weapons, const UnitRecord* shown)
{
    constexpr UnitFieldId kWeaponFields[4] = {UfWpn1, UfWpn2, UfWpn3, UfWpn4};
    const long c = UnitFieldValue(UfClass, classText, UnitStore::Commit, shown).value_or(0);
    std::array<long, 4> w{};
    for (std::size_t k = 0; k < 4; ++k)
        w[k] = UnitFieldValue(kWeaponFields[k], weaponTexts[k], UnitStore::Commit, shown).value_or(0);
    return CheckUnitWeapons(c, w, weapons);
}

void ApplyUnitClassRules(UnitRecord& unit)
{
    const int c = unit.Class;
    if (c == 134) {
        unit.Speed = 0;
        unit.Swim = 0;
        unit.Vision = 0;
    }
    const int category = UnitClassCategory(c);
    if (IsAircraftClass(c) || category == 4 || category == 5 || OneOf(c, {10, 31, 155, 156, 210, 211}))
        unit.Survive = 0;
}

Colour EraIndicator(std::string_view eraText)
{
    const auto v = NumberIn(eraText);
    return v && *v > 10 ? Colour::Blue : Colour::WindowText;
}

Colour SurviveIndicator(std::string_view surviveText)
{
    const auto v = NumberIn(surviveText);
    return v && *v > 6 ? Colour::Maroon : Colour::WindowText;
}

Indicator VisionIndicator(std::string_view visionText)
{
    Indicator ind{Colour::WindowText, Colour::Navy, "Vision"};
    const auto v = NumberIn(visionText);
    if (v && *v >= 40)
        ind = {Colour::Blue, Colour::Blue, "TI/GSR"};
    return ind;
}

Indicator FCIndicator(std::string_view fcText)
{
    Indicator ind{Colour::WindowText, Colour::Navy, "Fire control"};
    const auto v = NumberIn(fcText);
    if (v && *v >= 100)
        ind = {Colour::Blue, Colour::Blue, "AA Radar " + std::to_string(*v - 99)};
    return ind;
}

Indicator RFIndicator(std::string_view rfText, std::string_view classText)
{
    Indicator ind{Colour::WindowText, Colour::Navy, "Range Finder"};
    const auto v = NumberIn(rfText);
    const auto c = NumberIn(classText);
    if (v && c && *v >= 20)
        ind = {Colour::Blue, Colour::Blue, IsArtilleryFireControlClass(*c) ? "Art Laser R/F" : "Laser R/F"};
    return ind;
}

Indicator SDIndicator(std::string_view sdText, std::string_view classText)
{
    Indicator ind;
    const auto sd = NumberIn(sdText);
    const auto c = NumberIn(classText);
    if (!sd || !c || *sd <= 0)
        return ind;
    const int cls = ClassOf(*c);
    const int category = UnitClassCategory(cls);
    if ((category != 1 && category != 2 && category != 6) || IsAircraftClass(cls))
        ind.Edit = ind.Label = Colour::Red;
    return ind;
}

Indicator ROFIndicator(std::string_view rofText, const std::array<std::string, 4>& weaponTexts)
{
    Indicator ind;
    const auto rof = NumberIn(rofText);
    if (!rof)
        return ind;
    const bool armed = std::any_of(weaponTexts.begin(), weaponTexts.end(), [](const std::string& t) {
        const auto w = NumberIn(t);
        return w && *w > 0;
    });
    if (!armed)
        return ind;
    if (*rof == 0)
        ind.Edit = ind.Label = Colour::Red;
    else if (*rof <= 1)
        ind.Edit = ind.Label = Colour::Fuchsia;
    return ind;
}

EWIndicatorState EWIndicator(std::string_view ewText, std::string_view classText)
{
    EWIndicatorState s;
    const auto ev = NumberIn(ewText);
    const auto cv = NumberIn(classText);
    if (!ev || !cv)
        return s;
    const long e = *ev;
    const long c = *cv;
    auto show = [&s](std::string text) {
        s.LabelEWVisible = true;
        s.LabelEWText = std::move(text);
        s.Edit = s.Label42 = Colour::Blue;
    };
    const int category = UnitClassCategory(ClassOf(c));
    if (category == 1 || category == 2 || category == 6) {
        // Aircraft and a few ground classes carry no self-defence EW.
        if (OneOf(c, {16, 22, 30, 44, 47, 50, 53, 60, 61, 62, 128, 181, 203, 204, 205, 214, 215, 216, 221, 222, 223,
                      253}))
            return s;
        if (e == 3 || e == 4)
            show("VIRSS - " + std::to_string(e - 2) + " Shots");
        else if (e == 1 || e == 2)
            show("CIWS - " + std::to_string(e) + " Shots");
        else if (e == 15 && IsArtilleryFireControlClass(c))
            show("GPS Arty F/C");
        return s;
    }
    if (OneOf(c, {8, 16, 29}))
        return s;
    if (e == 15 && OneOf(c, {63, 229, 243})) {
        show("GPS Arty F/C");
    } else if (e > 0) {
        s.Edit = s.Label42 = s.LabelEW = Colour::Red;
        s.LabelEWVisible = true;
        s.LabelEWText = "EW should be 0!";
    }
    return s;
}

NationIndicatorState NationIndicator(std::string_view nationText, std::string_view nameText,
                                     std::string_view classText, int currentOOB)
{
    NationIndicatorState s;
    const auto n = NumberIn(nationText);
    s.Text = n ? std::string(nationText) : std::string("0");
    const long nation = n.value_or(0);
    if (nation == currentOOB)
        return s;
    if (Trim(nameText).empty() && s.Text == "0" && classText == "0")
        return s;
    s.Edit = s.Label = Colour::Red;
    return s;
}

}  // namespace brackle
