#include <gtest/gtest.h>

#include <set>

#include "editors/formation_fields.h"
#include "editors/formation_rules.h"

namespace brackle {
namespace {

using C = Colour;

const std::string kPlatoonText = "Platoon type formation (may only contain units)";
const std::string kCompanyText = "Company type formation (is allowed sub-formations of platoons or sections)";
const std::string kFirstText = "First Formation (Battle Group HQ) - allowed sub-formations BUT NOT RECOMMENDED!";
const std::string kCombatText = "Combat Group (is allowed sub-formations of sections only)";

// Units 5 and 6; formations of every type the slot rules tell apart.
Oob Tables()
{
    Oob o;
    o.UnitTable[5].Name = "Rifle Squad";
    o.UnitTable[5].Crew = 9;
    o.UnitTable[6].Name = " MG Team ";
    o.UnitTable[6].Crew = 4;
    auto formation = [&o](int n, const char* name, int type, std::initializer_list<int> slots) {
        FormationRecord& f = o.FormationTable[n];
        f.Name = name;
        f.FormType = static_cast<std::uint8_t>(type);
        int k = 0;
        for (int s : slots)
            f.Slot[k++] = static_cast<std::uint16_t>(s);
    };
    formation(10, "1st Plt", 1, {5, 6, 6});
    formation(11, "Rifle Sect", 0, {5, 6, 6, 6});
    formation(12, "Alpha Coy", 2, {5, 1010});
    formation(13, "Battle Grp", 3, {5, 1011});
    formation(14, "Bn HQ", 5, {5});
    formation(15, "Boats", 4, {6});
    FormationRecord& plt = o.FormationTable[10];
    plt.MonthAvail = 3;
    plt.YrAvail = 40;
    plt.MonthUntil = 12;
    plt.YrUntil = 45;
    return o;
}

TEST(FormationFields, ShowingAndStoringARecordGivesItBack)
{
    FormationRecord f;
    f.Name = "  Guards Coy  ";
    f.Nation = 7;
    f.YrAvail = 41;
    f.MonthAvail = 6;
    f.YrUntil = 60;
    f.MonthUntil = 11;
    f.Page = 3;
    f.FormType = 2;
    f.ExpMod = -12;
    f.MoraleMod = 25;
    for (int k = 0; k < kFormationSlotCount; ++k)
        f.Slot[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(k == 0 ? 5 : 1000 + k);
    const FormationTexts t = TextsOfFormation(f);
    EXPECT_EQ(t[FfName], "Guards Coy");
    EXPECT_EQ(t[FfExpMod], "-12");
    EXPECT_EQ(t[FfSlot10], "1009");
    FormationRecord stored;
    ASSERT_FALSE(StoreFormationTexts(t, stored).has_value());
    f.Name = "Guards Coy";
    EXPECT_EQ(stored, f);
    std::set<std::string> controls;
    for (const FormationField& field : FormationFields())
        EXPECT_TRUE(controls.insert(field.Control).second) << field.Control;
}

TEST(FormationFields, StoreClampsEachFieldIntoItsRange)
{
    struct Case {
        FormationFieldId id;
        const char* text;
        long stored;
    };
    const Case cases[] = {
        {FfExpMod, "40", 25},        {FfExpMod, "-40", -25},      {FfMoraleMod, "-7", -7},
        {FfMoraleMod, "", 0},        {FfYrAvail, "150", 120},     {FfYrUntil, "-3", 0},
        {FfMonthAvail, "0", 1},      {FfMonthAvail, "", 1},       {FfMonthUntil, "13", 12},
        {FfNation, "300", 255},      {FfPage, "1a2", 12},         {FfFormType, "256", 255},
        {FfSlot1, "2500", 1999},     {FfSlot4, "1012", 1012},     {FfSlot10, "-5", 0},
        {FfSlot2, "99999999999999999999", 1999},
    };
    for (const Case& c : cases) {
        FormationRecord f;
        FormationTexts t = TextsOfFormation(f);
        t[c.id] = c.text;
        ASSERT_FALSE(StoreFormationTexts(t, f).has_value()) << c.text;
        const FormationField& field = FormationFieldOf(c.id);
        const long v = field.Byte     ? static_cast<long>(f.*field.Byte)
                       : field.Signed ? static_cast<long>(f.*field.Signed)
                                      : static_cast<long>(f.Slot[static_cast<std::size_t>(field.Slot)]);
        EXPECT_EQ(v, c.stored) << field.Control << " = \"" << c.text << '"';
    }
    FormationRecord f;
    FormationTexts t = TextsOfFormation(f);
    t[FfName] = " A name far too long for the file ";
    ASSERT_FALSE(StoreFormationTexts(t, f).has_value());
    EXPECT_EQ(f.Name, "A name far too ");
}

// A formation shown with values beyond their save ranges, as a file may hold
// them: a field left as shown keeps its value, a typed one is clamped; years and
// months are clamped either way.
TEST(FormationFields, AnUntouchedFieldKeepsAValueBeyondItsRangeButDatesAreClamped)
{
    FormationRecord shown;
    shown.Name = "Odd Coy";
    shown.FormType = 2;
    shown.ExpMod = -40;
    shown.MoraleMod = 100;
    shown.Slot = {5, 2500, 65535};
    shown.YrUntil = 130;
    shown.MonthUntil = 0;
    struct Case {
        FormationFieldId id;
        const char* text;  // nullptr: left as shown
        long stored;
    };
    const Case cases[] = {
        {FfExpMod, nullptr, -40},   {FfExpMod, "-41", -25},   {FfMoraleMod, nullptr, 100},
        {FfSlot2, nullptr, 2500},   {FfSlot2, "2501", 1999},  {FfSlot3, nullptr, 65535},
        {FfYrUntil, nullptr, 120},  {FfMonthUntil, nullptr, 1}, {FfSlot1, nullptr, 5},
    };
    for (const Case& c : cases) {
        FormationTexts t = TextsOfFormation(shown);
        if (c.text)
            t[c.id] = c.text;
        FormationRecord f;
        ASSERT_FALSE(StoreFormationTexts(t, f, &shown).has_value());
        const FormationField& field = FormationFieldOf(c.id);
        const long v = field.Byte     ? static_cast<long>(f.*field.Byte)
                       : field.Signed ? static_cast<long>(f.*field.Signed)
                                      : static_cast<long>(f.Slot[static_cast<std::size_t>(field.Slot)]);
        EXPECT_EQ(v, c.stored) << field.Control << " = \"" << (c.text ? c.text : "as shown") << '"';
    }
}

TEST(FormationFields, AnUnreadableTextStoresNothingAndNamesTheFirstSuchField)
{
    struct Case {
        std::vector<std::pair<FormationFieldId, const char*>> typed;
        FormationFieldId bad;
    };
    const Case cases[] = {
        {{{FfExpMod, "-"}}, FfExpMod},
        {{{FfSlot3, "1-2"}}, FfSlot3},
        {{{FfName, "Renamed"}, {FfMoraleMod, "--3"}, {FfSlot1, "-"}}, FfMoraleMod},
        {{{FfMonthUntil, "4-"}, {FfYrAvail, "1-"}}, FfYrAvail},  // the table's order decides
    };
    for (const Case& c : cases) {
        FormationRecord f;
        f.Name = "Alpha Coy";
        f.FormType = 2;
        f.Slot[0] = 5;
        const FormationRecord before = f;
        FormationTexts t = TextsOfFormation(f);
        for (const auto& [id, text] : c.typed)
            t[id] = text;
        const auto bad = StoreFormationTexts(t, f);
        ASSERT_TRUE(bad.has_value());
        EXPECT_EQ(*bad, c.bad) << FormationFieldOf(c.bad).Control;
        EXPECT_EQ(f, before);
    }
}

TEST(FormationRules, TypeRuleDescribesWhatEachTypeMayHold)
{
    struct Case {
        long type;
        int formation;
        bool company;
        bool combatGroup;
        const std::string& text;
    };
    const Case cases[] = {
        {0, 7, false, false, kPlatoonText}, {1, 1, false, false, kPlatoonText},
        {4, 7, false, false, kPlatoonText}, {-1, 7, false, false, kPlatoonText},
        {2, 7, true, false, kCompanyText},  {5, 7, true, false, kCompanyText},
        {2, 1, true, false, kFirstText},    {5, 1, true, false, kFirstText},
        {3, 7, true, true, kCombatText},    {3, 1, true, true, kCombatText},
    };
    for (const Case& c : cases) {
        const TypeRuleState s = TypeRule(c.type, c.formation);
        const std::string what = "type " + std::to_string(c.type) + " on formation " + std::to_string(c.formation);
        EXPECT_EQ(s.IsCompanyType, c.company) << what;
        EXPECT_EQ(s.IsCombatGroup, c.combatGroup) << what;
        EXPECT_EQ(s.Description, c.text) << what;
    }
}

TEST(FormationRules, EditsThatMustHoldANumber)
{
    struct Case {
        const char* text;
        long value;
        const char* kept;   // NumberOrZero
        const char* plain;  // PlainNumber
    };
    const Case cases[] = {
        {"", 0, "0", "0"},     {"x", 0, "0", "0"},       {"-", 0, "0", "0"},     {"1-2", 0, "0", "0"},
        {"03", 3, "03", "3"},  {" 7 ", 7, " 7 ", "7"},   {"-4", -4, "-4", "-4"}, {"1012", 1012, "1012", "1012"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NumberOrZero(c.text).Value, c.value) << c.text;
        EXPECT_EQ(NumberOrZero(c.text).Text, c.kept) << c.text;
        EXPECT_EQ(PlainNumber(c.text).Value, c.value) << c.text;
        EXPECT_EQ(PlainNumber(c.text).Text, c.plain) << c.text;
    }
    struct NationCase {
        const char* text;
        int currentOOB;
        const char* shown;
        C edit;
        C label;
    };
    const NationCase nations[] = {
        {"3", 3, "3", C::WindowText, C::Navy}, {"4", 3, "4", C::Maroon, C::Maroon},
        {"", 3, "0", C::Maroon, C::Maroon},    {"", 0, "0", C::WindowText, C::Navy},
        {"03", 3, "03", C::WindowText, C::Navy},
    };
    for (const NationCase& c : nations) {
        const FormationNationLook look = FormationNationIndicator(c.text, c.currentOOB);
        EXPECT_EQ(look.Text, c.shown) << c.text;
        EXPECT_EQ(look.Edit, c.edit) << c.text;
        EXPECT_EQ(look.Label, c.label) << c.text;
    }
}

TEST(FormationRules, SlotLabelsFollowTheSlotAndTheFormationType)
{
    const Oob o = Tables();
    const TypeRuleState platoon = TypeRule(1, 7), company = TypeRule(2, 7), combat = TypeRule(3, 7);
    struct Case {
        int k;
        const char* text;
        const TypeRuleState& type;
        SlotView expected;
    };
    auto view = [](const char* edit, const char* name, C nameColour, const char* type, C typeColour,
                   const char* date, C dateColour) {
        SlotView v;
        v.EditText = edit;
        v.Empty = std::string(edit) == "0";
        v.Name = name;
        v.NameColour = nameColour;
        v.Type = type;
        v.TypeColour = typeColour;
        v.Date = date;
        v.DateColour = dateColour;
        return v;
    };
    const C W = C::WindowText, N = C::Navy, M = C::Maroon;
    const Case cases[] = {
        // Slot 1 leads the formation and must be a unit.
        {1, "5", platoon, view("5", "Rifle Squad", N, "unit", N, "", N)},
        {1, "1010", company, view("1010", "", N, "", N, "ERROR - form in slot 1!", M)},
        {1, "abc", platoon, view("0", "", N, "unit", N, "", N)},
        // Units anywhere else, names trimmed; 0 names nothing.
        {2, "6", platoon, view("6", "MG Team", W, "unit", N, "", N)},
        {9, "", company, view("0", "", W, "unit", N, "", N)},
        {3, "-4", company, view("-4", "", W, "unit", N, "", N)},
        // Sub-formations.
        {4, "1010", platoon, view("1010", "1st Plt", W, "ERROR - form in plt!", M, "", N)},
        {4, "1010", company, view("1010", "1st Plt", W, "Platoon", N, "3/40 to 12/45", N)},
        {5, "1012", company, view("1012", "Alpha Coy", W, "ERROR - Co in a Co!", M, "", N)},
        {5, "1013", company, view("1013", "Battle Grp", W, "ERROR - Co in a Co!", M, "", N)},
        {5, "1014", combat, view("1014", "Bn HQ", W, "ERROR - Co in a Co!", M, "", N)},
        {5, "1010", combat, view("1010", "1st Plt", W, "ERROR - Not a section!", M, "", N)},
        {5, "1015", combat, view("1015", "Boats", W, "ERROR - Not a section!", M, "", N)},
        {5, "1015", company, view("1015", "Boats", W, "Naval", N, "0/0 to 0/0", N)},
        {6, "1011", combat, view("1011", "Rifle Sect", W, "Section", N, "0/0 to 0/0", N)},
        // 1000 names no formation, and 2000 is stored as 1999, formation 999 (empty here): an empty Section.
        {7, "1000", combat, view("1000", "", W, "Section", N, "0/0 to 0/0", N)},
        {7, "1000", platoon, view("1000", "", W, "ERROR - form in plt!", M, "", N)},
        {8, "2000", company, view("2000", "", W, "Section", N, "0/0 to 0/0", N)},
    };
    for (const Case& c : cases) {
        const SlotView v = SlotViewOf(o, c.k, c.text, c.type);
        const std::string what = "slot " + std::to_string(c.k) + " = \"" + c.text + '"';
        const SlotView& e = c.expected;
        EXPECT_EQ(v.EditText, e.EditText) << what;
        EXPECT_EQ(v.Empty, e.Empty) << what;
        EXPECT_EQ(v.Name, e.Name) << what;
        EXPECT_EQ(v.NameColour, e.NameColour) << what;
        EXPECT_EQ(v.Type, e.Type) << what;
        EXPECT_EQ(v.TypeColour, e.TypeColour) << what;
        EXPECT_EQ(v.Date, e.Date) << what;
        EXPECT_EQ(v.DateColour, e.DateColour) << what;
    }
}

TEST(FormationRules, CommitCheckMessages)
{
    const Oob o = Tables();
    using Slots = std::array<std::string, kFormationSlotCount>;
    const std::string head = "Error(s) in formation data\r\n\r\n";
    struct Case {
        const char* what;
        long type;
        Slots slots;
        std::string message;  // empty: accepted
    };
    const Case cases[] = {
        {"units only", 1, {"5", "6", "", "x", "0"}, ""},
        {"slot 1 first and alone", 1, {"1010", "1010", "1012"},
         "The item in slot 1 must be a UNIT and not a FORMATION"},
        {"platoon holding a formation", 1, {"5", "6", "6", "1012"},
         head + "The item in slot 4 is not a UNIT\r\n"},
        {"every faulty slot collected", 0, {"5", "1010", "6", "1000", "", "", "", "", "", "2000"},
         head + "The item in slot 2 is not a UNIT\r\nThe item in slot 4 is not a UNIT\r\n"
                "The item in slot 10 is not a UNIT\r\n"},
        {"company holding a company", 2, {"5", "1010", "1012"},
         head + "The Formation In slot 3 cannot be a COMPANY\r\n"},
        {"company holding platoon, section, naval", 2, {"5", "1010", "1011", "1015", "1000"}, ""},
        {"Bn HQ holding a combat group", 5, {"5", "1013", "1014"},
         head + "The Formation In slot 2 cannot be a COMPANY\r\nThe Formation In slot 3 cannot be a COMPANY\r\n"},
        {"combat group holding a platoon", 3, {"5", "6", "6", "6", "1010"},
         head + "The formation in slot 5 is not a SECTION\r\n"},
        {"combat group holding sections", 3, {"5", "1011", "1000", "2000"}, ""},
        {"combat group holding naval and company", 3, {"5", "1015", "1012"},
         head + "The formation in slot 2 is not a SECTION\r\nThe formation in slot 3 is not a SECTION\r\n"},
    };
    for (const Case& c : cases) {
        const FormationCheck check = CheckFormationSlots(o, c.type, c.slots);
        EXPECT_EQ(check.Ok, c.message.empty()) << c.what;
        EXPECT_EQ(check.Message, c.message) << c.what;
    }
}

// The slot rules judge the value a commit stores: a typed slot beyond 1999 is
// stored as 1999, formation 999; a slot left as shown keeps its value.
TEST(FormationRules, SlotRulesJudgeTheValueTheCommitStores)
{
    Oob o = Tables();
    o.FormationTable[999].Name = "Last Coy";
    o.FormationTable[999].FormType = 2;
    FormationRecord shown;
    shown.Slot = {5, 0, 2500};
    using Slots = std::array<std::string, kFormationSlotCount>;
    const std::string head = "Error(s) in formation data\r\n\r\n";
    struct Case {
        const char* what;
        long type;
        Slots slots;
        const FormationRecord* shown;
        std::string message;  // empty: accepted
    };
    const Case cases[] = {
        {"company, 2500 typed", 2, {"5", "", "2500"}, nullptr,
         head + "The Formation In slot 3 cannot be a COMPANY\r\n"},
        {"company, 2500 as shown", 2, {"5", "0", "2500"}, &shown, ""},
        {"company, 2500 typed over the shown 0", 2, {"5", "2500", "2500"}, &shown,
         head + "The Formation In slot 2 cannot be a COMPANY\r\n"},
        {"combat group, 99999", 3, {"5", "99999"}, nullptr, head + "The formation in slot 2 is not a SECTION\r\n"},
        {"company, 1a010 is 1010", 2, {"5", "1a010"}, nullptr, ""},
        {"company, 1a999 is 1999", 2, {"5", "1a999"}, nullptr,
         head + "The Formation In slot 2 cannot be a COMPANY\r\n"},
        {"slot 1 typed 5000", 2, {"5000"}, nullptr, "The item in slot 1 must be a UNIT and not a FORMATION"},
    };
    for (const Case& c : cases) {
        const FormationCheck check = CheckFormationSlots(o, c.type, c.slots, c.shown);
        EXPECT_EQ(check.Message, c.message) << c.what;
        EXPECT_EQ(check.Ok, c.message.empty()) << c.what;
    }
    // The labels beside the slot tell the same before the commit.
    const TypeRuleState company = TypeRule(2, 7);
    const SlotView typed = SlotViewOf(o, 3, "2500", company);
    EXPECT_EQ(typed.Name, "Last Coy");
    EXPECT_EQ(typed.Type, "ERROR - Co in a Co!");
    const SlotView kept = SlotViewOf(o, 3, "2500", company, &shown);
    EXPECT_EQ(kept.Name, "");
    EXPECT_EQ(kept.Type, "Section");
}

TEST(FormationRules, TotalsCountSubFormationSlotsAndCrews)
{
    Oob o = Tables();
    struct Case {
        std::array<int, kFormationSlotCount> slots;
        int units;
        int crew;
    };
    const Case cases[] = {
        {{5, 1010, 1011}, 8, 9 + (9 + 4 + 4) + (9 + 4 + 4 + 4)},
        {{0, 5, 6}, 2, 13},
        {{1010, 5}, 1, 17 + 9},  // a formation in slot 1 is no unit of the count
        {{5, 1012, 1000, 2000}, 1 + 2, 9 + 9},  // nesting is not followed
        {{}, 0, 0},
    };
    for (const Case& c : cases) {
        FormationRecord f;
        for (int k = 0; k < kFormationSlotCount; ++k)
            f.Slot[static_cast<std::size_t>(k)] = static_cast<std::uint16_t>(c.slots[static_cast<std::size_t>(k)]);
        EXPECT_EQ(FormationUnitCount(o, f), c.units) << c.slots[0] << ", " << c.slots[1];
        EXPECT_EQ(FormationCrew(o, f), c.crew) << c.slots[0] << ", " << c.slots[1];
    }
}

TEST(FormationRules, OnlyFormationOneIsTheBnHq)
{
    struct Case {
        int formation;
        int type;
        int stored;
        bool message;
    };
    const Case cases[] = {{7, 5, 2, true}, {2, 5, 2, true}, {1, 5, 5, false}, {7, 2, 2, false}, {7, 3, 3, false}};
    for (const Case& c : cases) {
        FormationRecord f;
        f.Name = "HQ";
        f.FormType = static_cast<std::uint8_t>(c.type);
        const auto m = ApplyBnHqRule(c.formation, f);
        EXPECT_EQ(f.FormType, c.stored) << c.formation;
        EXPECT_EQ(m.has_value(), c.message) << c.formation;
        if (m) {
            EXPECT_EQ(*m, "Only the first formation can be the Bn HQ!\r\n\r\nThis formation code reset to Company");
        }
    }
    EXPECT_TRUE(TypeIsBnHqOnly(1));
    EXPECT_FALSE(TypeIsBnHqOnly(2));
    EXPECT_EQ(BnHqOnlyMessage(), "Formation 1 is the one and only Bn HQ\r\nAnd the only class 5 formation allowed");
}

}  // namespace
}  // namespace brackle
