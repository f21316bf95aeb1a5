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
QLineEdit* MakeFieldEdit(QWidget* parent, const char* control, const char* hint, int maxChars, bool isName,
                         int nameWidth, int maxDigits);
// A "..." button that opens a pick list.
QToolButton* MakePickButton(const char* name, const QString& hint, QWidget* parent);
// The compact grid inside a page's group box.
QGridLayout* FormGrid(QWidget* box);
// A fixed note in a smaller font, wrapped.
QLabel* SmallNote(const QString& text, QWidget* parent, const char* name = nullptr);
// The pages' group boxes carry their titles on the frame line, which saves height.
QString GroupBoxStyle();

// The number in edit, clamped into low..high. When the text is no number, says
// so under caption (naming the field by title), focuses the edit and gives nothing.
std::optional<int> ReadNumberEdit(Dialogs& dialogs, QWidget* parent, const QString& caption, QLineEdit* edit,
                                  std::string_view title, long low, long high);

// Opens the pick list of kind and puts the number chosen into edit; a cancel changes nothing.
void PickInto(Dialogs& dialogs, QWidget* parent, int kind, const Oob& oob, QLineEdit* edit);

// Refuses a page's commit, copy or move: says which field holds no number, then
// focuses and selects that edit. Always gives false.
bool RefuseUnreadable(Dialogs& dialogs, QWidget* parent, QLineEdit* edit, std::string_view title,
                      std::string_view text, std::string_view kind);

}  // namespace brackle
