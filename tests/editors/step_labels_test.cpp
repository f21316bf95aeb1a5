#include <gtest/gtest.h>

#include "editors/step_labels.h"

namespace brackle {
namespace {

TEST(StepLabels, SayWhatHappenedWithPaddedNumbersAndTrimmedNames)
{
    struct Case {
        std::string got;
        const char* expected;
    };
    const Case cases[] = {
        {CommitLabel(1, 20, "Heavy Tank 40", "Heavy Tank 40"), "Commit unit 020 Heavy Tank 40"},
        {CommitLabel(1, 20, "Heavy Tank 40", " Heavy Tank 41 "), "Commit unit 020 Heavy Tank 41"},
        {CommitLabel(2, 107, "", "K1 Gun"), "Commit weapon 107 K1 Gun"},
        {CommitLabel(3, 5, "Tank Plt", "Tank Plt"), "Commit formation 005 Tank Plt"},
        {CommitLabel(1, 20, "Heavy Tank 40", ""), "Clear unit 020 Heavy Tank 40"},
        {CommitLabel(3, 999, "   ", ""), "Commit formation 999"},
        {InfoCommitLabel(), "Commit info text"},
        {CommittedText(1, 20), "Unit 020 committed"},
        {CommittedText(2, 107), "Weapon 107 committed"},
        {CommittedText(3, 5), "Formation 005 committed"},
        {CommittedText(0, 0), "Info committed"},
        {MoveLabel(1, 20, 45, "Heavy Tank 40"), "Move unit 020 Heavy Tank 40 to 045"},
        {MoveLabel(2, 7, 249, ""), "Move weapon 007 to 249"},
        {MovedText(3, 1, 12), "Formation 001 moved to 012"},
        {ReplaceLabel(2, " K1 ", "Mk1", 3), "Replace 'K1' with 'Mk1' in 3 weapons"},
        {ReplaceLabel(1, "t-55", "T-55A", 1), "Replace 't-55' with 'T-55A' in 1 unit"},
        {PasteAllLabel(1, 37), "Paste all units: 37 units changed"},
        {PasteAllLabel(3, 1), "Paste all formations: 1 formation changed"},
        {RenumberLabel(12, 14, {5, 3}), "Renationalise nation 12 to 14: 5 units, 3 formations"},
        {RenumberLabel(2, 3, {1, 0}), "Renationalise nation 2 to 3: 1 unit, 0 formations"},
        {ReclassifyLabel(222, 221, 4), "Reclassify class 222 to 221: 4 units"},
        {DeleteNationLabel(7, {0, 1}), "Delete nation 7: 0 units, 1 formation"},
        {ResetIconsLabel(1), "Reset all icons to summer: 1 unit"},
        {ResetIconsLabel(12), "Reset all icons to summer: 12 units"},
        {BnHqResetLabel(7, "Tank Coy "), "Reset formation 007 Tank Coy to Company"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

}  // namespace
}  // namespace brackle
