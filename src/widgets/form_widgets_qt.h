// Small pieces the record pages and the bulk edit dialogs share: their edits,
// grids and notes, reading a number edit, filling an edit from a pick list,
// refusing a text that is no number.
#pragma once

#include <QString>
#include <optional>
#include <string_view>

#include "oob/records.h"

class QGridLayout;
class QLabel;
class QLineEdit;
class QToolButton;
class QWidget;

namespace brackle {

class Dialogs;

// A field's edit: a name edit (single-byte text only, at least nameWidth pixels
// wide) or a right-aligned number edit wide enough for up to maxDigits digits.
// maxChars is its typing limit (see SetTypingLimit).
QLineEdit* MakeFieldEdit(QWidget* parent, const char* control, const char* hint, int maxChars, bool isName,
                         int nameWidth, int maxDigits);
// Limits what the user can type into edit to maxChars characters. It limits the
// typing only: a text put in with ShowWhole may be longer, and the limit holds
// again once the user's editing brings the text back within it.
void SetTypingLimit(QLineEdit* edit, int maxChars);
// Puts text into edit whole, however long: the edit's typing limit and, for a
// fixed-width edit, its width grow to fit it, so a stored value is never cut
// (a Radio of 113 in a two-character edit shows 113 and a commit keeps 113).
void ShowWhole(QLineEdit* edit, const QString& text);
// A change rule that replaces an edit's text: when the text was no number (an
// emptied edit) and becomes "0", the "0" is selected, so that what the user types
// next replaces it instead of following it.
void RewriteNumber(QLineEdit* edit, const QString& text);

// A "..." button that opens a pick list.
QToolButton* MakePickButton(const char* name, const QString& hint, QWidget* parent);
// The compact grid inside a page's group box.
QGridLayout* FormGrid(QWidget* box);
// A fixed note in a smaller font, wrapped.
QLabel* SmallNote(const QString& text, QWidget* parent, const char* name = nullptr);
// A small label beside a year edit showing the calendar year of the index typed
// ("40" -> "1940"), kept current as the text changes; empty for a text that is
// no index.
QLabel* YearLabel(QLineEdit* yearEdit, const char* name, QWidget* parent);
// The pages' group boxes carry their titles on the frame line, which saves height.
QString GroupBoxStyle();

// The number in edit, clamped into low..high. When the text is no number, says
// so under caption (naming the field by title), focuses the edit and gives nothing.
std::optional<int> ReadNumberEdit(Dialogs& dialogs, QWidget* parent, const QString& caption, QLineEdit* edit,
                                  std::string_view title, long low, long high);

// The number a pick list opened from edit starts on: the number the edit holds,
// 0 when it is empty or holds no number.
long PickStart(const QLineEdit* edit);

// Opens the pick list of kind on the edit's number and puts the number chosen
// into edit; a cancel changes nothing.
void PickInto(Dialogs& dialogs, QWidget* parent, int kind, const Oob& oob, QLineEdit* edit);

// Refuses a page's commit, copy or move: says which field holds no number, then
// focuses and selects that edit. Always gives false.
bool RefuseUnreadable(Dialogs& dialogs, QWidget* parent, QLineEdit* edit, std::string_view title,
                      std::string_view text, std::string_view kind);

}  // namespace brackle
