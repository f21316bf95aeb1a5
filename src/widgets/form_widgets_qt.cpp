#include "widgets/form_widgets_qt.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVariant>
#include <algorithm>

#include "editors/unit_fields.h"
#include "editors/unit_rules.h"
#include "oob/text.h"
#include "widgets/dialogs_qt.h"
#include "widgets/pick_form.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

// The typing limit and the width an edit was made with, kept on the edit itself.
const char* const kTypingLimit = "brackleTypingLimit";
const char* const kMadeWidth = "brackleMadeWidth";
// The room a number edit keeps beside its digits (frame and margins).
constexpr int kNumberPadding = 10;

int TypingLimitOf(const QLineEdit* edit)
{
    const QVariant v = edit->property(kTypingLimit);
    return v.isValid() ? v.toInt() : edit->maxLength();
}

// A fixed-width edit grows to show text whole, and goes back to the width it was
// made with when that suffices.
void FitWidth(QLineEdit* edit, const QString& text)
{
    QVariant made = edit->property(kMadeWidth);
    if (!made.isValid()) {
        if (edit->minimumWidth() != edit->maximumWidth())
            return;  // its layout sizes it
        made = edit->maximumWidth();
        edit->setProperty(kMadeWidth, made);
    }
    const int need = edit->fontMetrics().horizontalAdvance(text) + kNumberPadding;
    const int width = std::max(made.toInt(), need);
    if (edit->maximumWidth() != width)
        edit->setFixedWidth(width);
}

}  // namespace

void SetTypingLimit(QLineEdit* edit, int maxChars)
{
    const bool wired = edit->property(kTypingLimit).isValid();
    edit->setProperty(kTypingLimit, maxChars);
    edit->setMaxLength(std::max(maxChars, static_cast<int>(edit->text().size())));
    if (wired)
        return;
    // Only the user's own editing brings the limit back; a longer text shown by
    // the program keeps its room until then.
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString& text) {
        const int limit = TypingLimitOf(edit);
        if (text.size() <= limit && edit->maxLength() != limit)
            edit->setMaxLength(limit);
    });
}

void ShowWhole(QLineEdit* edit, const QString& text)
{
    edit->setMaxLength(std::max(TypingLimitOf(edit), static_cast<int>(text.size())));
    FitWidth(edit, text);
    edit->setText(text);
}

void RewriteNumber(QLineEdit* edit, const QString& text)
{
    const bool wasNumber = NumberIn(ToBytes(edit->text())).has_value();
    ShowWhole(edit, text);
    if (!wasNumber && text == QLatin1String("0"))
        edit->selectAll();
}

QLineEdit* MakeFieldEdit(QWidget* parent, const char* control, const char* hint, int maxChars, bool isName,
                         int nameWidth, int maxDigits)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(control));
    SetTypingLimit(e, maxChars);
    e->setToolTip(QString::fromLatin1(hint));
    if (isName) {
        e->setValidator(new Latin1Validator(e));
        e->setMinimumWidth(nameWidth);
    } else {
        // Room for the digits a modder types, never less than three.
        const int chars = std::clamp(maxChars, 3, maxDigits);
        e->setFixedWidth(e->fontMetrics().horizontalAdvance(QString(chars, QLatin1Char('0'))) + kNumberPadding);
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

QLabel* YearLabel(QLineEdit* yearEdit, const char* name, QWidget* parent)
{
    QLabel* label = SmallNote(QString(), parent, name);
    label->setWordWrap(false);
    // Room for four digits, so the row does not move as the year comes and goes.
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("8888")) + 2);
    auto show = [yearEdit, label] { label->setText(ToQt(CalendarYearText(ToBytes(yearEdit->text())))); };
    QObject::connect(yearEdit, &QLineEdit::textChanged, label, show);
    show();
    return label;
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

long PickStart(const QLineEdit* edit)
{
    return NumberIn(ToBytes(edit->text())).value_or(0);
}

void PickInto(Dialogs& dialogs, QWidget* parent, int kind, const Oob& oob, QLineEdit* edit)
{
    const int n = PickFrom(dialogs, parent, kind, oob, 0, PickStart(edit));
    if (n >= 0)
        ShowWhole(edit, QString::number(n));
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
