#include "widgets/form_widgets_qt.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

#include "editors/unit_fields.h"
#include "oob/text.h"
#include "widgets/dialogs_qt.h"
#include "widgets/pick_form.h"
#include "widgets/text_qt.h"

namespace brackle {

QLineEdit* MakeFieldEdit(QWidget* parent, const char* control, const char* hint, int maxChars, bool isName,
                         int nameWidth, int maxDigits)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(control));
    e->setMaxLength(maxChars);
    e->setToolTip(QString::fromLatin1(hint));
    if (isName) {
        e->setValidator(new Latin1Validator(e));
        e->setMinimumWidth(nameWidth);
    } else {
        // Room for the digits a modder types, never less than three.
        const int chars = std::clamp(maxChars, 3, maxDigits);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + 10);
        e->setAlignment(Qt::AlignRight);
    }
    return e;
}

QToolButton* MakePickButton(const char* name, const QString& hint, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(QStringLiteral("..."));
    if (!hint.isEmpty()) {
        b->setToolTip(hint);
        b->setStatusTip(hint);
    }
    return b;
}

QGridLayout* FormGrid(QWidget* box)
{
    auto* grid = new QGridLayout(box);
    grid->setContentsMargins(6, 2, 6, 3);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(2);
    return grid;
}

QLabel* SmallNote(const QString& text, QWidget* parent, const char* name)
{
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    l->setWordWrap(true);
    QFont small = l->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    l->setFont(small);
    return l;
}

QString GroupBoxStyle()
{
    return QStringLiteral("QGroupBox { margin-top: 0.6em; padding-top: 0.3em; }"
                          "QGroupBox::title { subcontrol-origin: margin; left: 8px; padding: 0 3px; }");
}

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
