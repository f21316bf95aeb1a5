#include "editors/number_edit_qt.h"

#include <QLineEdit>

#include "app/dialogs_qt.h"
#include "app/pick_form.h"
#include "app/text_qt.h"
#include "editors/unit_fields.h"
#include "oob/text.h"

namespace brackle {

std::optional<int> ReadNumberEdit(Dialogs& dialogs, QWidget* parent, const QString& caption, QLineEdit* edit,
                                  std::string_view title, long low, long high)
{
    const std::string text = ToBytes(edit->text());
    const auto n = ClampValue(low, high, text);
    if (!n) {
        dialogs.Message(parent, caption, ToQt(NotANumberText(title, text)), Dialogs::Icon::Warning);
        edit->setFocus();
        return std::nullopt;
    }
    return static_cast<int>(*n);
}

void PickInto(Dialogs& dialogs, QWidget* parent, int kind, const Oob& oob, QLineEdit* edit)
{
    const int n = PickFrom(dialogs, parent, kind, oob, 0);
    if (n >= 0)
        edit->setText(QString::number(n));
}

bool RefuseUnreadable(Dialogs& dialogs, QWidget* parent, QLineEdit* edit, std::string_view title,
                      std::string_view text, std::string_view kind)
{
    dialogs.Message(parent, QStringLiteral("Brackle"), ToQt(UnreadableFieldMessage(title, text, kind)),
                    Dialogs::Icon::Error);
    edit->setFocus();
    edit->selectAll();
    return false;
}

}  // namespace brackle
