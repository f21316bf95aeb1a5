#include "editors/weapon_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace brackle {
namespace {

// Every numeric field of the weapon page: its edit and the record field it is
// stored in. Each is a byte a commit clamps into 0..255; each edit takes 3 characters.
struct ExpectedField {
    const char* Control;
    long (*Get)(const WeaponRecord&);
};
#define F(control, field) \
    ExpectedField { control, [](const WeaponRecord& w) -> long { return w.field; } }
const ExpectedField kWeaponFields[] = {
    F("WeaponClassEdit", Class),
    F("WeaponAccuracyEdit", Accuracy),
    F("WeaponSizeEdit", Size),
    F("WarheadSizeEdit", WarheadSize),
    F("WeaponHEPenEdit", HEPen),
    F("WeaponHEKillEdit", HEKill),
    F("WeaponAPPenEdit", APPen),
    F("WeaponAPKillEdit", APKill),
    F("WeaponSabotPenEdit", SabotPen),
    F("WeaponsabotrangeEdit", SabotRange),
    F("WeaponHEATPenEdit", HEATPen),
    F("WeaponRangeEdit", Range),
};
#undef F

const WeaponField* FieldWithControl(const std::string& control)
{
    for (const WeaponField& f : WeaponFields())
        if (control == f.Control)
            return &f;
    return nullptr;
}

// Each field's text committed below, at and above 0..255, with every other field
// at 7: the field takes the clamped number, and no other field changes.
TEST(WeaponFields, EveryFieldIsClampedIntoItsRangeAndStoredInItsOwnField)
{
    EXPECT_EQ(static_cast<std::size_t>(WeaponFieldCount), std::size(kWeaponFields) + 1) << "the name and these";
    const WeaponField* name = FieldWithControl("WeaponNameEdit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->MaxChars, 15);
    WeaponTexts base;
    base.fill("7");
    base[name->Id] = "Baseline";
    for (const ExpectedField& e : kWeaponFields) {
        const WeaponField* f = FieldWithControl(e.Control);
        ASSERT_NE(f, nullptr) << e.Control;
        EXPECT_EQ(f->MaxChars, 3) << e.Control;
        const std::pair<const char*, long> probes[] = {{"-99999999", 0}, {"-1", 0},  {"0", 0},
                                                       {"255", 255},     {"256", 255}, {"99999999", 255}};
        for (const auto& [text, clamped] : probes) {
            WeaponTexts t = base;
            t[f->Id] = text;
            WeaponRecord w;
            ASSERT_FALSE(StoreWeaponTexts(t, w).has_value()) << e.Control << " = " << text;
            EXPECT_EQ(w.Name, "Baseline");
            for (const ExpectedField& g : kWeaponFields)
                EXPECT_EQ(g.Get(w), &g == &e ? clamped : 7L)
                    << "after " << e.Control << " = \"" << text << "\", " << g.Control;
        }
    }
}

}  // namespace
}  // namespace brackle
