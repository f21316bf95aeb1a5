#include "editors/weapon_fields.h"

#include "oob/text.h"

namespace brackle {

namespace {

using W = WeaponRecord;

std::array<WeaponField, WeaponFieldCount> MakeFields()
{
    return {{
        {WfName, "WeaponNameEdit", "Name", static_cast<int>(kNameLength)},
        {WfClass, "WeaponClassEdit", "Weapon Class", 3, &W::Class},
        {WfSize, "WeaponSizeEdit", "Weapon Sound", 3, &W::Size},
        {WfWarheadSize, "WarheadSizeEdit", "Warhead Size", 3, &W::WarheadSize},
        {WfHEPen, "WeaponHEPenEdit", "HE Penetration", 3, &W::HEPen},
        {WfHEKill, "WeaponHEKillEdit", "HE Kill", 3, &W::HEKill},
        {WfAPPen, "WeaponAPPenEdit", "AP Penetration", 3, &W::APPen,
         "222 here is used to signify HEAT ammo when AP used",
         "222 is a special code for HEAT weapons used other than in slot 1 (eg LAW, ATGMs)"},
        {WfAPKill, "WeaponAPKillEdit", "AP Kill", 3, &W::APKill},
        {WfSabotPen, "WeaponSabotPenEdit", "Sabot Penetration", 3, &W::SabotPen},
        {WfSabotRange, "WeaponsabotrangeEdit", "Sabot Range", 3, &W::SabotRange,
         "Also min range for some weapons - eg ATGM"},
        {WfHEATPen, "WeaponHEATPenEdit", "HEAT Penetration", 3, &W::HEATPen, "HEAT also covers HESH ammo"},
        {WfRange, "WeaponRangeEdit", "Weapon Range", 3, &W::Range,
         "Ranges > 199 are used for off map weapons range abstraction inc. LR-SAM\n"
         "and stand off air missiles - a 202 is longer ranged than a 201"},
        {WfAccuracy, "WeaponAccuracyEdit", "Accuracy", 3, &W::Accuracy},
    }};
}

}  // namespace

const std::array<WeaponField, WeaponFieldCount>& WeaponFields()
{
    static const auto fields = MakeFields();
    return fields;
}

WeaponTexts TextsOfWeapon(const WeaponRecord& weapon)
{
    WeaponTexts texts;
    for (const WeaponField& f : WeaponFields())
        texts[f.Id] = f.Byte ? std::to_string(weapon.*f.Byte) : Trim(weapon.Name);
    return texts;
}

std::optional<WeaponFieldId> StoreWeaponTexts(const WeaponTexts& texts, WeaponRecord& weapon)
{
    for (const WeaponField& f : WeaponFields()) {
        if (f.Byte && !ClampValue(0, 255, texts[f.Id]))
            return f.Id;
    }
    for (const WeaponField& f : WeaponFields()) {
        if (f.Byte)
            weapon.*f.Byte = static_cast<std::uint8_t>(*ClampValue(0, 255, texts[f.Id]));
        else
            weapon.Name = Trim(texts[f.Id]).substr(0, kNameLength);
    }
    return std::nullopt;
}

}  // namespace brackle
