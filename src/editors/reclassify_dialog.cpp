#include "editors/reclassify_dialog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/bulk_edits.h"
#include "editors/pick_list.h"
#include "editors/step_labels.h"
#include "oob/changes.h"
#include "oob/history.h"
#include "oob/names.h"
#include "oob/text.h"
#include "widgets/dialogs_qt.h"
#include "widgets/form_widgets_qt.h"
#include "widgets/pick_form.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

const char* const kCaption = "Reclassify All";
constexpr int kClassDigits = 3;
constexpr int kLastClass = kUnitClasses - 1;
const char* const kShownClassName = "Fort";

}  // namespace

TFormReclassify::TFormReclassify(Oob& oob, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), oob_(oob), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("TFormReclassify"));
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(new QLabel(QStringLiteral("Reclassify all instances of target class to a new class"), this));
    auto* grid = new QGridLayout;
    outer->addLayout(grid);

    const int descWidth = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 16;
    auto classRow = [&](int row, const char* caption, const char* editName, const char* buttonName,
                        const char* descName, QLineEdit** edit, QToolButton** button, QLineEdit** desc) {
        auto* title = new QLabel(QString::fromLatin1(caption), this);
        *edit = new QLineEdit(this);
        (*edit)->setObjectName(QString::fromLatin1(editName));
        SetTypingLimit(*edit, kClassDigits);
        (*edit)->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 16);
        title->setBuddy(*edit);
        *button = new QToolButton(this);
        (*button)->setObjectName(QString::fromLatin1(buttonName));
        (*button)->setText(QStringLiteral("..."));
        (*button)->setToolTip(QStringLiteral("Pick a unit class"));
        *desc = new QLineEdit(this);
        (*desc)->setObjectName(QString::fromLatin1(descName));
        (*desc)->setReadOnly(true);
        (*desc)->setFocusPolicy(Qt::NoFocus);
        (*desc)->setMinimumWidth(descWidth);
        grid->addWidget(title, row, 0);
        grid->addWidget(*edit, row, 1);
        grid->addWidget(*button, row, 2);
        grid->addWidget(*desc, row, 3);
    };
    classRow(0, "From Class Number", "EditFrom", "UnitWpn1PickBtn", "EditFromdesc", &EditFrom, &UnitWpn1PickBtn,
             &EditFromdesc);
    classRow(1, "To New Class Number", "EditTo", "SpeedButton1", "EditToDesc", &EditTo, &SpeedButton1, &EditToDesc);
    grid->setColumnStretch(3, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("Reclassify"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Give every unit of the first class the second class"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Close"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("Finished Reclassifying"));
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    outer->addLayout(buttons);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);
    outer->addWidget(StatusBar1);

    setTabOrder(EditFrom, UnitWpn1PickBtn);
    setTabOrder(UnitWpn1PickBtn, EditTo);
    setTabOrder(EditTo, SpeedButton1);
    setTabOrder(SpeedButton1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    // Typed numbers are named as they change, as picked ones are.
    connect(EditFrom, &QLineEdit::textChanged, this, [this] { ShowClassOf(EditFrom, EditFromdesc); });
    connect(EditTo, &QLineEdit::textChanged, this, [this] { ShowClassOf(EditTo, EditToDesc); });
    connect(UnitWpn1PickBtn, &QToolButton::clicked, this, &TFormReclassify::UnitWpn1PickBtnClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TFormReclassify::SpeedButton1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormReclassify::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);
    resize(sizeHint());
}

void TFormReclassify::showEvent(QShowEvent* event)
{
    {
        const QSignalBlocker from(EditFrom);
        const QSignalBlocker to(EditTo);
        EditFrom->setText(QStringLiteral("0"));
        EditTo->setText(QStringLiteral("0"));
    }
    EditFromdesc->setText(QString::fromLatin1(kShownClassName));
    EditToDesc->setText(QString::fromLatin1(kShownClassName));
    StatusBar1->clearMessage();
    EditFrom->setFocus();
    EditFrom->selectAll();
    QDialog::showEvent(event);
}

void TFormReclassify::BitBtn1Click()
{
    const QString caption = QString::fromLatin1(kCaption);
    const auto from = ReadNumberEdit(dialogs_, this, caption, EditFrom, "From Class Number", 0, kLastClass);
    if (!from)
        return;
    const auto to = ReadNumberEdit(dialogs_, this, caption, EditTo, "To New Class Number", 0, kLastClass);
    if (!to)
        return;
    ShowWhole(EditFrom, QString::number(*from));
    ShowWhole(EditTo, QString::number(*to));
    // Each run is a step of its own in the undo history.
    const TablesSnapshot before = SnapshotTables(oob_);
    const int units = ReclassifyUnits(oob_, *from, *to);
    RecordStep(oob_, before, ReclassifyLabel(*from, *to, units));
    StatusBar1->showMessage(ToQt(ReclassifiedText(units)));
}

void TFormReclassify::UnitWpn1PickBtnClick()
{
    PickInto(dialogs_, this, PickUnitClass, oob_, EditFrom);
}

void TFormReclassify::SpeedButton1Click()
{
    PickInto(dialogs_, this, PickUnitClass, oob_, EditTo);
}

void TFormReclassify::ShowClassOf(const QLineEdit* edit, QLineEdit* desc)
{
    const auto n = ClampValue(0, kLastClass, ToBytes(edit->text()));
    desc->setText(n ? ToQt(UnitClassName(oob_.Names, static_cast<int>(*n))) : QString());
}

}  // namespace brackle
