#include "editors/unit_fields.h"

#include <algorithm>

#include "editors/unit_rules.h"
#include "oob/text.h"

namespace brackle {

namespace {

using U = UnitRecord;

constexpr long kWordMax = 65535;

// Bytes hold 0..255; a few fields have narrower ranges, and the 16-bit edits
// accept up to 99999 before the clamp to 65535.
UnitField B(UnitFieldId id, const char* control, const char* title, std::uint8_t U::*field, int maxChars,
            long low = 0, long high = 255)
{
    return UnitField{id, control, title, low, high, maxChars, field, nullptr};
}

// A year or a month.
UnitField D(UnitFieldId id, const char* control, const char* title, std::uint8_t U::*field, long low, long high)
{
    UnitField f = B(id, control, title, field, 3, low, high);
    f.ClampAlways = true;
    return f;
}

UnitField W(UnitFieldId id, const char* control, const char* title, std::uint16_t U::*field, int maxChars,
            long high)
{
    return UnitField{id, control, title, 0, high, maxChars, nullptr, field};
}

std::array<UnitField, UnitFieldCount> MakeFields()
{
    std::array<UnitField, UnitFieldCount> f{};
    auto put = [&f](const UnitField& field) { f[field.Id] = field; };
    put(UnitField{UfName, "UnitnameEdit", "Name", 0, 0, static_cast<int>(kNameLength), nullptr, nullptr});
    put(B(UfNation, "UnitNationEdit", "Nation", &U::Nation, 2, 0, 999));
    put(B(UfClass, "UnitClassEdit", "Class", &U::Class, 3));
    put(B(UfMC, "UnitMCEdit", "Movement class", &U::MC, 2));
    put(D(UfYrAvail, "UnitYrAvailEdit", "Year available from", &U::YrAvail, 0, 120));
    put(D(UfYrUnavail, "UnitYrUnavailEdit", "Year available until", &U::YrUnavail, 0, 120));
    put(W(UfCost, "UnitCostEdit", "Cost", &U::Cost, 3, 999));
    put(B(UfCrew, "UnitCrewEdit", "Crew", &U::Crew, 3));
    put(B(UfSize, "UnitSizeEdit", "Size", &U::Size, 2));
    put(B(UfCarry, "UnitCarryEdit", "Carry", &U::Carry, 3));
    put(B(UfWeight, "UnitWeightEdit", "Weight", &U::Weight, 3));
    put(W(UfPictureID, "UnitLBMEdit", "Picture", &U::PictureID, 9, 99999));
    put(B(UfSpeed, "UnitSpeedEdit", "Speed", &U::Speed, 3));
    put(B(UfSwim, "UnitSwimEdit", "Swim", &U::Swim, 3));
    put(B(UfEW, "UnitEWEdit", "EW", &U::EW, 2));
    put(B(UfRadio, "UnitRadioEdit", "Radio", &U::Radio, 2));
    put(B(UfVision, "UnitVisionEdit", "Vision", &U::Vision, 3));
    put(W(UfIcon, "UnitIconEdit", "Icon", &U::Icon, 5, 99999));
    put(W(UfWinterIcon, "UnitWinterIconEdit", "Winter icon", &U::WinterIcon, 5, 99999));
    put(W(UfDesertIcon, "UnitDesertIconEdit", "Desert icon", &U::DesertIcon, 5, 99999));
    put(B(UfFC, "UnitFCEdit", "Fire control", &U::FC, 3));
    put(B(UfROF, "UnitROFEdit", "Rate of fire", &U::ROF, 2));
    put(B(UfSD, "UnitSDEdit", "Smoke dischargers", &U::SD, 2));
    put(B(UfRF, "UnitRFEdit", "Range finder", &U::RF, 3));
    put(B(UfStabiliser, "UnitStabiliserEdit", "Stabiliser", &U::Stabiliser, 3));
    put(B(UfSabotAmmo, "UnitSabotAmmoEdit", "Sabot rounds", &U::SabotAmmo, 3));
    put(B(UfHEATAmmo, "UnitHEATAmmoEdit", "HEAT rounds", &U::HEATAmmo, 3));
    put(B(UfSurvive, "UnitSurviveEdit", "Survivability", &U::Survive, 3));
    put(B(UfWpn1, "UnitWpn1Edit", "Weapon 1", &U::Wpn1, 3, 0, kWeaponSlots));
    put(B(UfWpn2, "UnitWpn2Edit", "Weapon 2", &U::Wpn2, 3, 0, kWeaponSlots));
    put(B(UfWpn3, "UnitWpn3Edit", "Weapon 3", &U::Wpn3, 3, 0, kWeaponSlots));
    put(B(UfWpn4, "UnitWpn4Edit", "Weapon 4", &U::Wpn4, 3, 0, kWeaponSlots));
    put(B(UfWpn1HEAmmo, "UnitWpn1HEAmmoEdit", "Weapon 1 HE rounds", &U::Wpn1HEAmmo, 3));
    put(B(UfWpn1APAmmo, "UnitWpn1APAmmoEdit", "Weapon 1 AP rounds", &U::Wpn1APAmmo, 3));
    put(B(UfWpn2HEAmmo, "UnitWpn2HEAmmoEdit", "Weapon 2 HE rounds", &U::Wpn2HEAmmo, 3));
    put(B(UfWpn2APAmmo, "UnitWpn2APAmmoEdit", "Weapon 2 AP rounds", &U::Wpn2APAmmo, 3));
    put(B(UfWpn3HEAmmo, "UnitWpn3HEAmmoEdit", "Weapon 3 HE rounds", &U::Wpn3HEAmmo, 3));
    put(B(UfWpn3APAmmo, "UnitWpn3APAmmoEdit", "Weapon 3 AP rounds", &U::Wpn3APAmmo, 3));
    put(B(UfWpn4HEAmmo, "UnitWpn4HEAmmoEdit", "Weapon 4 HE rounds", &U::Wpn4HEAmmo, 3));
    put(B(UfWpn4APAmmo, "UnitWpn4APAmmoEdit", "Weapon 4 AP rounds", &U::Wpn4APAmmo, 3));
    put(B(UfSteelHF, "UnitSteelHFEdit", "Steel armour, hull front", &U::SteelHF, 3));
    put(B(UfSteelHS, "UnitSteelHSEdit", "Steel armour, hull side", &U::SteelHS, 3));
    put(B(UfSteelHR, "UnitSteelHREdit", "Steel armour, hull rear", &U::SteelHR, 3));
    put(B(UfSteelTF, "UnitSteelTFEdit", "Steel armour, turret front", &U::SteelTF, 3));
    put(B(UfSteelTS, "UnitSteelTSEdit", "Steel armour, turret side", &U::SteelTS, 3));
    put(B(UfSteelTR, "UnitSteelTREdit", "Steel armour, turret rear", &U::SteelTR, 3));
    put(B(UfSteelTop, "UnitSteelTopEdit", "Steel armour, top", &U::SteelTop, 3));
    put(B(UfHEATHF, "UnitHEATHFEdit", "HEAT armour, hull front", &U::HEATHF, 3));
    put(B(UfHEATHS, "UnitHEATHSEdit", "HEAT armour, hull side", &U::HEATHS, 3));
    put(B(UfHEATHR, "UNITHEATHREdit", "HEAT armour, hull rear", &U::HEATHR, 3));
    put(B(UfHEATTF, "UnitHEATTFEdit", "HEAT armour, turret front", &U::HEATTF, 3));
    put(B(UfHEATTS, "UNITHEATTSEdit", "HEAT armour, turret side", &U::HEATTS, 3));
    put(B(UfHEATTR, "UnitHEATTREdit", "HEAT armour, turret rear", &U::HEATTR, 3));
    put(B(UfHEATTop, "UnitHEATTopEdit", "HEAT armour, top", &U::HEATTop, 3));
    put(B(UfERAHF, "UnitERAHFEdit", "ERA, hull front", &U::ERAHF, 3));
    put(B(UfERAHS, "UnitERAHSEdit", "ERA, hull side", &U::ERAHS, 3));
    put(B(UfERAHR, "UnitERAHREdit", "ERA, hull rear", &U::ERAHR, 3));
    put(B(UfERATF, "UnitERATFEdit", "ERA, turret front", &U::ERATF, 3));
    put(B(UfERATS, "UnitERATSEdit", "ERA, turret side", &U::ERATS, 3));
    put(B(UfERATR, "UnitERATREdit", "ERA, turret rear", &U::ERATR, 3));
    put(B(UfERATop, "UnitERATopEdit", "ERA, top", &U::ERATop, 3));
    put(D(UfMonthAvail, "UnitMonthAvailEdit", "Month available from", &U::MonthAvail, 1, 12));
    put(D(UfMonthUnAvail, "UnitMonthUnAvailEdit", "Month available until", &U::MonthUnAvail, 1, 12));
    put(B(UfSoundByte, "UnitSoundByteEdit", "Sound", &U::SoundByte, 3));
    put(B(UfWPNSound1, "UnitWPNSound1Edit", "Weapon 1 sound", &U::WPNSound1, 3));
    put(B(UfWPNSound2, "UnitWPNSound2Edit", "Weapon 2 sound", &U::WPNSound2, 3));
    put(B(UfWPNSound3, "UnitWPNSound3Edit", "Weapon 3 sound", &U::WPNSound3, 3));
    put(B(UfWPNSound4, "UnitWPNSound4Edit", "Weapon 4 sound", &U::WPNSound4, 3));
    return f;
}

}  // namespace

const std::array<UnitField, UnitFieldCount>& UnitFields()
{
    static const auto fields = MakeFields();
    return fields;
}

const std::array<UnitFieldId, UnitFieldCount>& UnitShowOrder()
{
    static const std::array<UnitFieldId, UnitFieldCount> order = {
        UfName, UfNation, UfClass, UfMC, UfYrAvail, UfYrUnavail, UfCost, UfCrew, UfSize, UfCarry, UfWeight,
        UfPictureID, UfSpeed, UfSwim, UfEW, UfRadio, UfVision, UfIcon, UfWinterIcon, UfDesertIcon, UfFC, UfRF,
        UfSD, UfStabiliser, UfSabotAmmo, UfHEATAmmo, UfSurvive,
        UfWpn1, UfWpn1HEAmmo, UfWpn1APAmmo, UfWpn2, UfWpn2HEAmmo, UfWpn2APAmmo,
        UfWpn3, UfWpn3HEAmmo, UfWpn3APAmmo, UfWpn4, UfWpn4HEAmmo, UfWpn4APAmmo,
        UfSteelHF, UfSteelHS, UfSteelHR, UfSteelTF, UfSteelTS, UfSteelTR, UfSteelTop,
        UfHEATHF, UfHEATHS, UfHEATHR, UfHEATTF, UfHEATTS, UfHEATTR, UfHEATTop,
        UfERAHF, UfERAHS, UfERAHR, UfERATF, UfERATS, UfERATR, UfERATop,
        UfROF, UfMonthAvail, UfMonthUnAvail, UfSoundByte, UfWPNSound1, UfWPNSound2, UfWPNSound3, UfWPNSound4,
    };
    return order;
}

std::string UnitFieldText(const UnitRecord& unit, UnitFieldId id)
{
    const UnitField& f = UnitFieldOf(id);
    if (f.Byte)
        return std::to_string(unit.*f.Byte);
    if (f.Word)
        return std::to_string(unit.*f.Word);
    return Trim(unit.Name);
}

UnitTexts TextsOfUnit(const UnitRecord& unit)
{
    UnitTexts texts;
    for (const UnitField& f : UnitFields())
        texts[f.Id] = UnitFieldText(unit, f.Id);
    return texts;
}

std::optional<UnitFieldId> UnreadableUnitField(const UnitTexts& texts)
{
    for (const UnitField& f : UnitFields()) {
        if (f.Id != UfName && !ClampValue(f.Low, f.High, texts[f.Id]))
            return f.Id;
    }
    return std::nullopt;
}

std::optional<long> UnitFieldValue(UnitFieldId id, std::string_view text, UnitStore mode, const UnitRecord* shown)
{
    const UnitField& f = UnitFieldOf(id);
    if (!f.Byte && !f.Word)
        return std::nullopt;  // the name is no number
    if (shown && !f.ClampAlways && text == UnitFieldText(*shown, id))
        return f.Word ? long{(*shown).*f.Word} : long{(*shown).*f.Byte};
    const bool month = id == UfMonthAvail || id == UfMonthUnAvail;
    const long low = mode == UnitStore::Copy && month ? 0 : f.Low;
    const auto v = ClampValue(low, f.High, text);
    if (!v)
        return std::nullopt;
    if (f.Word)
        return std::min(*v, kWordMax);
    return *v & 0xFF;  // the nation keeps its low 8 bits
}

std::optional<UnitFieldId> StoreUnitTexts(const UnitTexts& texts, UnitRecord& unit, UnitStore mode,
                                          const UnitRecord* shown)
{
    if (const auto bad = UnreadableUnitField(texts))
        return bad;
    for (const UnitField& f : UnitFields()) {
        if (f.Id == UfName) {
            unit.Name = Trim(texts[f.Id]).substr(0, kNameLength);
            continue;
        }
        const long v = *UnitFieldValue(f.Id, texts[f.Id], mode, shown);
        if (f.Word)
            unit.*f.Word = static_cast<std::uint16_t>(v);
        else
            unit.*f.Byte = static_cast<std::uint8_t>(v);
    }
    if (mode == UnitStore::Commit)
        ApplyUnitClassRules(unit);
    return std::nullopt;
}

void CopyUnitField(const UnitRecord& from, UnitRecord& to, UnitFieldId id)
{
    const UnitField& f = UnitFieldOf(id);
    if (f.Byte)
        to.*f.Byte = from.*f.Byte;
    else if (f.Word)
        to.*f.Word = from.*f.Word;
    else
        to.Name = from.Name;
}

UnitTexts ErasedUnitTexts()
{
    UnitTexts t;
    t.fill("0");
    t[UfName].clear();
    t[UfClass] = "216";  // the class of an empty slot
    t[UfYrAvail] = t[UfYrUnavail] = "01";
    t[UfMonthAvail] = "1";
    t[UfMonthUnAvail] = "12";
    t[UfWinterIcon].clear();
    t[UfDesertIcon].clear();
    return t;
}

std::vector<UnitFieldId> UnitPasteFields(const PasteOptions& o)
{
    std::vector<UnitFieldId> f;
    auto add = [&f](std::initializer_list<UnitFieldId> ids) { f.insert(f.end(), ids); };
    if (o.PasteOnlyIconData) {
        add({UfIcon, UfWinterIcon, UfDesertIcon});
        return f;
    }
    if (!o.PasteArmourOnly) {
        add({UfName, UfNation});
        if (!o.KeepDates)
            add({UfYrAvail, UfYrUnavail, UfMonthAvail, UfMonthUnAvail});
        if (!o.KeepUnitClass)
            add({UfClass});
        add({UfMC, UfCost, UfCrew, UfSize, UfCarry, UfWeight, UfPictureID, UfSpeed, UfSwim, UfEW, UfRadio,
             UfVision});
        if (!o.KeepIcons)
            add({UfIcon, UfWinterIcon, UfDesertIcon});
        add({UfFC, UfROF, UfRF, UfSD, UfStabiliser, UfSurvive});
        if (!o.KeepWeapons)
            add({UfSabotAmmo, UfHEATAmmo, UfWpn1, UfWpn1HEAmmo, UfWpn1APAmmo, UfWpn2, UfWpn2HEAmmo, UfWpn2APAmmo,
                 UfWpn3, UfWpn3HEAmmo, UfWpn3APAmmo, UfWpn4, UfWpn4HEAmmo, UfWpn4APAmmo});
    }
    for (int id = UfSteelHF; id <= UfERATop; ++id)
        f.push_back(static_cast<UnitFieldId>(id));
    if (!o.PasteArmourOnly && !o.KeepWeapons)
        add({UfSoundByte, UfWPNSound1, UfWPNSound2, UfWPNSound3, UfWPNSound4});
    return f;
}

std::string UnreadableFieldMessage(std::string_view title, std::string_view text, std::string_view kind)
{
    std::string m = NotANumberText(title, text) + "\r\n\r\n ";
    m += kind;
    m += " data not saved!";
    return m;
}

}  // namespace brackle
