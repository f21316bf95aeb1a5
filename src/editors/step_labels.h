// What the undo history and the status line say about a command that changed
// the tables: "Commit unit 020 Heavy Tank 40", "Replace 'K1' with 'Mk1' in
// 3 weapons", "Reclassify class 222 to 221: 4 units". Record kinds are the
// lists' kinds: 1 units, 2 weapons, 3 formations. Names are shown trimmed.
#pragma once

#include <string>
#include <string_view>

#include "editors/bulk_edits.h"

namespace brackle {

// "unit", "weapon", "formation".
std::string KindNoun(int kind);

// A commit of slot: "Commit unit 020 Heavy Tank 40" (the name it has now);
// "Clear unit 020 Heavy Tank 40" when the commit emptied a named slot (erase
// then commit); "Commit unit 020" when the slot has no name before or after.
std::string CommitLabel(int kind, int slot, std::string_view nameBefore, std::string_view nameAfter);
// "Commit info text".
std::string InfoCommitLabel();
// The status line after a commit that was stored: "Unit 020 committed"; kind 0 is
// the Info page: "Info committed".
std::string CommittedText(int kind, int slot);

// "Move unit 020 Heavy Tank 40 to 045".
std::string MoveLabel(int kind, int from, int to, std::string_view name);
// The status line after a move: "Unit 020 moved to 045".
std::string MovedText(int kind, int from, int to);

// "Replace 'K1' with 'Mk1' in 3 weapons" (find as the user typed it, trimmed).
std::string ReplaceLabel(int kind, std::string_view find, std::string_view replacement, int renamed);

// "Paste all units: 37 units changed".
std::string PasteAllLabel(int kind, int changed);

// "Renationalise nation 12 to 14: 5 units, 3 formations".
std::string RenumberLabel(int from, int to, const BulkCounts& counts);
// "Reclassify class 222 to 221: 4 units".
std::string ReclassifyLabel(int from, int to, int units);
// "Delete nation 12: 5 units, 3 formations".
std::string DeleteNationLabel(int nation, const BulkCounts& counts);

// "Reset all icons to summer: 12 units" (the units whose winter or desert icon changed).
std::string ResetIconsLabel(int changed);

// A second Bn HQ made a Company when it was shown: "Reset formation 007 Tank Coy to Company".
std::string BnHqResetLabel(int formation, std::string_view name);

}  // namespace brackle
