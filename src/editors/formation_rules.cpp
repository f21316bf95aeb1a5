#include "editors/formation_rules.h"

#include "oob/names.h"
#include "oob/text.h"
#include "oob/totals.h"

namespace brackle {

namespace {

constexpr const char* kCrLf = "\r\n";

// The type of the formation a slot value of 1000 and more names; an empty record's for none.
int SubFormationType(const Oob& oob, long v)
{
    const FormationRecord* f = SubFormation(oob, v);
    return f ? static_cast<int>(f->FormType) : static_cast<int>(FormSection);
}

}  // namespace

bool IsCompanyFormType(long formType)
{
    return formType == FormCompany || formType == FormCombatGroup || formType == FormBnHq;
}

TypeRuleState TypeRule(long formType, int formation)
{
    TypeRuleState s;
    s.IsCompanyType = IsCompanyFormType(formType);
    s.IsCombatGroup = formType == FormCombatGroup;
    if (!s.IsCompanyType)
        s.Description = "Platoon type formation (may only contain units)";
    else if (formation == 1)
        s.Description = "First Formation (Battle Group HQ) - allowed sub-formations BUT NOT RECOMMENDED!";
    else
        s.Description = "Company type formation (is allowed sub-formations of platoons or sections)";
    if (s.IsCombatGroup)
        s.Description = "Combat Group (is allowed sub-formations of sections only)";
    return s;
}

EditNumber NumberOrZero(std::string_view text)
{
    if (const auto v = NumberIn(text))
        return {*v, std::string(text)};
    return {0, "0"};
}

EditNumber PlainNumber(std::string_view text)
{
    const long v = NumberIn(text).value_or(0);
    return {v, std::to_string(v)};
}

FormationNationLook FormationNationIndicator(std::string_view nationText, int currentOOB)
{
    const EditNumber n = NumberOrZero(nationText);
    FormationNationLook look;
    look.Text = n.Text;
    if (n.Value != currentOOB)
        look.Edit = look.Label = Colour::Maroon;
    return look;
}

std::string FormationNumberText(int formation)
{
    return "Formation " + Pad3(formation);
}

std::string AvailabilityText(const FormationRecord& f)
{
    return std::to_string(f.MonthAvail) + "/" + std::to_string(f.YrAvail) + " to " + std::to_string(f.MonthUntil) +
           "/" + std::to_string(f.YrUntil);
}

const FormationRecord* SubFormation(const Oob& oob, long slotValue)
{
    const long f = slotValue - 1000;
    if (slotValue < 1000 || f < 1 || f > kFormationSlots || static_cast<std::size_t>(f) >= oob.FormationTable.size())
        return nullptr;
    return &oob.FormationTable[static_cast<std::size_t>(f)];
}

SlotView SlotViewOf(const Oob& oob, int k, std::string_view slotText, const TypeRuleState& type,
                    const FormationRecord* shown)
{
    const EditNumber n = NumberOrZero(slotText);
    const long v = FormationFieldValue(SlotField(k), n.Text, shown).value_or(0);
    SlotView s;
    s.EditText = n.Text;
    s.Empty = n.Value == 0;
    auto unitName = [&oob](long u) {
        return u >= 1 && u <= kUnitSlots && static_cast<std::size_t>(u) < oob.UnitTable.size()
                   ? Trim(oob.UnitTable[static_cast<std::size_t>(u)].Name)
                   : std::string();
    };
    if (k == 1) {
        // Slot 1 must hold a unit: it leads the formation.
        s.NameColour = Colour::Navy;
        if (v > kUnitSlots) {
            s.Date = "ERROR - form in slot 1!";
            s.DateColour = Colour::Maroon;
            return s;
        }
        s.Name = unitName(v);
        s.Type = "unit";
        return s;
    }
    if (v <= kUnitSlots) {
        s.Name = unitName(v);
        s.Type = "unit";
        return s;
    }
    const FormationRecord* sub = SubFormation(oob, v);
    s.Name = sub ? Trim(sub->Name) : std::string();
    if (!type.IsCompanyType) {
        s.Type = "ERROR - form in plt!";
        s.TypeColour = Colour::Maroon;
        return s;
    }
    const int t = SubFormationType(oob, v);
    if (IsCompanyFormType(t)) {
        s.Type = "ERROR - Co in a Co!";
        s.TypeColour = Colour::Maroon;
    } else if (t != FormSection && type.IsCombatGroup) {
        s.Type = "ERROR - Not a section!";
        s.TypeColour = Colour::Maroon;
    } else {
        s.Type = FormTypeName(t);
        s.Date = AvailabilityText(sub ? *sub : FormationRecord{});
    }
    return s;
}

FormationCheck CheckFormationSlots(const Oob& oob, long formType,
                                   const std::array<std::string, kFormationSlotCount>& slotTexts,
                                   const FormationRecord* shown)
{
    std::array<long, kFormationSlotCount> values{};
    for (int k = 1; k <= kFormationSlotCount; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        values[i] = FormationFieldValue(SlotField(k), slotTexts[i], shown).value_or(0);
    }
    return CheckFormationSlots(oob, formType, values);
}

FormationCheck CheckFormationSlots(const Oob& oob, long formType,
                                   const std::array<long, kFormationSlotCount>& slotValues)
{
    FormationCheck check;
    if (slotValues[0] > kUnitSlots) {
        check.Ok = false;
        check.Message = "The item in slot 1 must be a UNIT and not a FORMATION";
        return check;
    }
    const bool company = IsCompanyFormType(formType);
    const bool combatGroup = formType == FormCombatGroup;
    std::string lines;
    for (int k = 2; k <= kFormationSlotCount; ++k) {
        const long v = slotValues[static_cast<std::size_t>(k - 1)];
        if (v <= kUnitSlots)
            continue;
        const int t = SubFormationType(oob, v);
        const std::string slot = std::to_string(k);
        if (!company)
            lines += "The item in slot " + slot + " is not a UNIT" + kCrLf;
        else if (!combatGroup && IsCompanyFormType(t))
            lines += "The Formation In slot " + slot + " cannot be a COMPANY" + kCrLf;
        else if (combatGroup && t > FormSection)
            lines += "The formation in slot " + slot + " is not a SECTION" + kCrLf;
    }
    if (!lines.empty()) {
        check.Ok = false;
        check.Message = std::string("Error(s) in formation data") + kCrLf + kCrLf + lines;
    }
    return check;
}

int FormationUnitCount(const Oob& oob, const FormationRecord& formation)
{
    const int first = formation.Slot[0];
    int count = first >= 1 && first <= kUnitSlots ? 1 : 0;
    for (std::size_t k = 1; k < formation.Slot.size(); ++k)
        count += Totalise(oob, formation.Slot[k]);
    return count;
}

int FormationCrew(const Oob& oob, const FormationRecord& formation)
{
    int crew = 0;
    for (auto s : formation.Slot)
        crew += TotalCrew(oob, s);
    return crew;
}

std::optional<std::string> ApplyBnHqRule(int formation, FormationRecord& record)
{
    if (formation <= 1 || record.FormType != FormBnHq)
        return std::nullopt;
    record.FormType = FormCompany;
    return std::string("Only the first formation can be the Bn HQ!") + kCrLf + kCrLf +
           "This formation code reset to " + FormTypeName(FormCompany);
}

bool TypeIsBnHqOnly(int formation)
{
    return formation == 1;
}

std::string BnHqOnlyMessage()
{
    return std::string("Formation 1 is the one and only Bn HQ") + kCrLf + "And the only class 5 formation allowed";
}

}  // namespace brackle
