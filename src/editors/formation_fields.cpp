#include "editors/formation_fields.h"

#include "oob/text.h"

namespace brackle {

namespace {

using F = FormationRecord;

FormationField B(FormationFieldId id, const char* control, const char* title, std::uint8_t F::*field,
                 int maxChars, long low, long high)
{
    return FormationField{id, control, title, low, high, maxChars, field, nullptr, -1};
}

// A year or a month.
FormationField D(FormationFieldId id, const char* control, const char* title, std::uint8_t F::*field,
                 int maxChars, long low, long high)
{
    FormationField f = B(id, control, title, field, maxChars, low, high);
    f.ClampAlways = true;
    return f;
}

FormationField S(FormationFieldId id, const char* control, const char* title, std::int8_t F::*field)
{
    return FormationField{id, control, title, -25, 25, 3, nullptr, field, -1};
}

std::array<FormationField, FormationFieldCount> MakeFields()
{
    // The object names of the slot edits and the titles of their messages.
    static const char* const kSlotControls[kFormationSlotCount] = {
        "FormSlot1Edit", "FormSlot2Edit", "FormSlot3Edit", "FormSlot4Edit", "FormSlot5Edit",
        "FormSlot6Edit", "FormSlot7Edit", "FormSlot8Edit", "FormSlot9Edit", "FormSlot10Edit"};
    static const char* const kSlotTitles[kFormationSlotCount] = {"Slot 1", "Slot 2", "Slot 3", "Slot 4",
                                                                 "Slot 5", "Slot 6", "Slot 7", "Slot 8",
                                                                 "Slot 9", "Slot 10"};
    std::array<FormationField, FormationFieldCount> f{};
    auto put = [&f](const FormationField& field) { f[field.Id] = field; };
    put(FormationField{FfName, "FormNameEdit", "Name", 0, 0, static_cast<int>(kNameLength), nullptr, nullptr, -1});
    put(B(FfNation, "FormNationEdit", "Nation", &F::Nation, 2, 0, 255));
    put(D(FfYrAvail, "FormAvailEdit", "Year available from", &F::YrAvail, 3, 0, 120));
    put(D(FfMonthAvail, "FormMonthAvailEdit", "Month available from", &F::MonthAvail, kAnyLength, 1, 12));
    put(D(FfYrUntil, "FormUntilEdit", "Year available until", &F::YrUntil, 3, 0, 120));
    put(D(FfMonthUntil, "FormMonthUnAvailEdit", "Month available until", &F::MonthUntil, kAnyLength, 1, 12));
    put(B(FfPage, "FormPageEdit", "Purchase page", &F::Page, 2, 0, 255));
    put(B(FfFormType, "FormTypeEdit", "Formation type", &F::FormType, 2, 0, 255));
    put(S(FfExpMod, "FormExpModEdit", "Experience modifier", &F::ExpMod));
    put(S(FfMoraleMod, "FormMoraleModEdit", "Morale modifier", &F::MoraleMod));
    for (int k = 1; k <= kFormationSlotCount; ++k)
        put(FormationField{SlotField(k), kSlotControls[k - 1], kSlotTitles[k - 1], 0, 1999, 4, nullptr, nullptr,
                           k - 1});
    return f;
}

}  // namespace

const std::array<FormationField, FormationFieldCount>& FormationFields()
{
    static const auto fields = MakeFields();
    return fields;
}

std::string FormationFieldText(const FormationRecord& formation, FormationFieldId id)
{
    const FormationField& f = FormationFieldOf(id);
    if (f.Byte)
        return std::to_string(formation.*f.Byte);
    if (f.Signed)
        return std::to_string(static_cast<int>(formation.*f.Signed));
    if (f.Slot >= 0)
        return std::to_string(formation.Slot[static_cast<std::size_t>(f.Slot)]);
    return Trim(formation.Name);
}

FormationTexts TextsOfFormation(const FormationRecord& formation)
{
    FormationTexts texts;
    for (const FormationField& f : FormationFields())
        texts[f.Id] = FormationFieldText(formation, f.Id);
    return texts;
}

std::optional<FormationFieldId> UnreadableFormationField(const FormationTexts& texts)
{
    for (const FormationField& f : FormationFields()) {
        if (f.Id != FfName && !ClampValue(f.Low, f.High, texts[f.Id]))
            return f.Id;
    }
    return std::nullopt;
}

std::optional<long> FormationFieldValue(FormationFieldId id, std::string_view text, const FormationRecord* shown)
{
    const FormationField& f = FormationFieldOf(id);
    if (id == FfName)
        return std::nullopt;  // the name is no number
    if (shown && !f.ClampAlways && text == FormationFieldText(*shown, id)) {
        if (f.Byte)
            return (*shown).*f.Byte;
        if (f.Signed)
            return (*shown).*f.Signed;
        return shown->Slot[static_cast<std::size_t>(f.Slot)];
    }
    return ClampValue(f.Low, f.High, text);
}

std::optional<FormationFieldId> StoreFormationTexts(const FormationTexts& texts, FormationRecord& formation,
                                                    const FormationRecord* shown)
{
    if (const auto bad = UnreadableFormationField(texts))
        return bad;
    for (const FormationField& f : FormationFields()) {
        if (f.Id == FfName) {
            formation.Name = Trim(texts[f.Id]).substr(0, kNameLength);
            continue;
        }
        const long v = *FormationFieldValue(f.Id, texts[f.Id], shown);
        if (f.Byte)
            formation.*f.Byte = static_cast<std::uint8_t>(v);
        else if (f.Signed)
            formation.*f.Signed = static_cast<std::int8_t>(v);
        else
            formation.Slot[static_cast<std::size_t>(f.Slot)] = static_cast<std::uint16_t>(v);
    }
    return std::nullopt;
}

}  // namespace brackle
