#include "editors/formation_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace brackle {
namespace {

// Every numeric field of the formation page: its edit, the range a commit clamps
// its text into, the most characters the edit takes (kAnyLength: not limited),
// and the record field it is stored in.
struct ExpectedField {
    const char* Control;
    long Low, High;
    int MaxChars;
    long (*Get)(const FormationRecord&);
};
#define F(control, field, low, high, chars) \
    ExpectedField { control, low, high, chars, [](const FormationRecord& f) -> long { return f.field; } }
const ExpectedField kFormationRanges[] = {
    F("FormNationEdit", Nation, 0, 255, 2),
    F("FormMonthAvailEdit", MonthAvail, 1, 12, kAnyLength),
    F("FormAvailEdit", YrAvail, 0, 120, 3),
    F("FormMonthUnAvailEdit", MonthUntil, 1, 12, kAnyLength),
    F("FormUntilEdit", YrUntil, 0, 120, 3),
    F("FormPageEdit", Page, 0, 255, 2),
    F("FormTypeEdit", FormType, 0, 255, 2),
    F("FormExpModEdit", ExpMod, -25, 25, 3),
    F("FormMoraleModEdit", MoraleMod, -25, 25, 3),
    F("FormSlot1Edit", Slot[0], 0, 1999, 4),
    F("FormSlot2Edit", Slot[1], 0, 1999, 4),
    F("FormSlot3Edit", Slot[2], 0, 1999, 4),
    F("FormSlot4Edit", Slot[3], 0, 1999, 4),
    F("FormSlot5Edit", Slot[4], 0, 1999, 4),
    F("FormSlot6Edit", Slot[5], 0, 1999, 4),
    F("FormSlot7Edit", Slot[6], 0, 1999, 4),
    F("FormSlot8Edit", Slot[7], 0, 1999, 4),
    F("FormSlot9Edit", Slot[8], 0, 1999, 4),
    F("FormSlot10Edit", Slot[9], 0, 1999, 4),
};
#undef F

const FormationField* FieldWithControl(const std::string& control)
{
    for (const FormationField& f : FormationFields())
        if (control == f.Control)
            return &f;
    return nullptr;
}

// Each field's text committed far below, at, and far above its range, with every
// other field at 7: the field takes the clamped number, and no other field changes.
TEST(FormationFields, EveryFieldIsClampedIntoItsOwnRangeAndStoredInItsOwnField)
{
    EXPECT_EQ(static_cast<std::size_t>(FormationFieldCount), std::size(kFormationRanges) + 1)
        << "the name and these";
    const FormationField* name = FieldWithControl("FormNameEdit");
    ASSERT_NE(name, nullptr);
    EXPECT_EQ(name->MaxChars, 15);
    FormationTexts base;
    base.fill("7");
    base[name->Id] = "Baseline";
    for (const ExpectedField& e : kFormationRanges) {
        const FormationField* f = FieldWithControl(e.Control);
        ASSERT_NE(f, nullptr) << e.Control;
        EXPECT_EQ(f->Low, e.Low) << e.Control;
        EXPECT_EQ(f->High, e.High) << e.Control;
        EXPECT_EQ(f->MaxChars, e.MaxChars) << e.Control;
        const std::pair<std::string, long> probes[] = {
            {"-99999999", e.Low},         {std::to_string(e.Low - 1), e.Low}, {std::to_string(e.Low), e.Low},
            {std::to_string(e.High), e.High}, {std::to_string(e.High + 1), e.High}, {"99999999", e.High},
        };
        for (const auto& [text, clamped] : probes) {
            FormationTexts t = base;
            t[f->Id] = text;
            FormationRecord r;
            ASSERT_FALSE(StoreFormationTexts(t, r).has_value()) << e.Control << " = " << text;
            EXPECT_EQ(r.Name, "Baseline");
            for (const ExpectedField& g : kFormationRanges)
                EXPECT_EQ(g.Get(r), &g == &e ? clamped : 7L)
                    << "after " << e.Control << " = \"" << text << "\", " << g.Control;
        }
    }
}

}  // namespace
}  // namespace brackle
