#include "editors/step_labels.h"

#include "oob/text.h"

namespace brackle {

namespace {

// "unit 020 Heavy Tank 40", or "unit 020" for a slot without a name.
std::string Record(int kind, int slot, std::string_view name)
{
    std::string text = KindNoun(kind) + " " + Pad3(slot);
    const std::string trimmed = Trim(name);
    if (!trimmed.empty())
        text += " " + trimmed;
    return text;
}

std::string Capitalised(std::string text)
{
    if (!text.empty() && text[0] >= 'a' && text[0] <= 'z')
        text[0] = static_cast<char>(text[0] - 'a' + 'A');
    return text;
}

std::string UnitsAndFormations(const BulkCounts& counts)
{
    return Counted(counts.Units, "unit") + ", " + Counted(counts.Formations, "formation");
}

}  // namespace

std::string KindNoun(int kind)
{
    switch (kind) {
    case 1:
        return "unit";
    case 2:
        return "weapon";
    case 3:
        return "formation";
    default:
        return "record";
    }
}

std::string CommitLabel(int kind, int slot, std::string_view nameBefore, std::string_view nameAfter)
{
    if (Trim(nameAfter).empty() && !Trim(nameBefore).empty())
        return "Clear " + Record(kind, slot, nameBefore);
    return "Commit " + Record(kind, slot, nameAfter);
}

std::string InfoCommitLabel()
{
    return "Commit info text";
}

std::string CommittedText(int kind, int slot)
{
    if (kind == 0)
        return "Info committed";
    return Capitalised(KindNoun(kind)) + " " + Pad3(slot) + " committed";
}

std::string MoveLabel(int kind, int from, int to, std::string_view name)
{
    return "Move " + Record(kind, from, name) + " to " + Pad3(to);
}

std::string MovedText(int kind, int from, int to)
{
    return Capitalised(KindNoun(kind)) + " " + Pad3(from) + " moved to " + Pad3(to);
}

std::string ReplaceLabel(int kind, std::string_view find, std::string_view replacement, int renamed)
{
    return "Replace '" + Trim(find) + "' with '" + Trim(replacement) + "' in " + Counted(renamed, KindNoun(kind));
}

std::string PasteAllLabel(int kind, int changed)
{
    return "Paste all " + KindNoun(kind) + "s: " + Counted(changed, KindNoun(kind)) + " changed";
}

std::string RenumberLabel(int from, int to, const BulkCounts& counts)
{
    return "Renationalise nation " + std::to_string(from) + " to " + std::to_string(to) + ": " +
           UnitsAndFormations(counts);
}

std::string ReclassifyLabel(int from, int to, int units)
{
    return "Reclassify class " + std::to_string(from) + " to " + std::to_string(to) + ": " + Counted(units, "unit");
}

std::string ResetIconsLabel(int changed)
{
    return "Reset all icons to summer: " + Counted(changed, "unit");
}

std::string DeleteNationLabel(int nation, const BulkCounts& counts)
{
    return "Delete nation " + std::to_string(nation) + ": " + UnitsAndFormations(counts);
}

std::string BnHqResetLabel(int formation, std::string_view name)
{
    return "Reset " + Record(3, formation, name) + " to Company";
}

}  // namespace brackle
