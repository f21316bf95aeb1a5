#include "editors/delete_all_dialog.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "editors/pick_list.h"
#include "oob/names.h"
#include "oob/text.h"
#include "widgets/dialogs_qt.h"
#include "widgets/form_widgets_qt.h"
#include "widgets/pick_form.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

const char* const kCaption = "Choose nation to Delete";
const char* const kFieldTitle = "Delete any";
constexpr int kNationDigits = 2;

}  // namespace

TFormDeleteAll::TFormDeleteAll(Oob& oob, Dialogs& dialogs, QWidget* parent)
    : QDialog(parent), oob_(oob), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("TFormDeleteAll"));
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* grid = new QGridLayout(this);
    auto* title = new QLabel(QString::fromLatin1(kFieldTitle), this);
    RenatFromEdit = new QLineEdit(QStringLiteral("0"), this);
    RenatFromEdit->setObjectName(QStringLiteral("RenatFromEdit"));
    SetTypingLimit(RenatFromEdit, kNationDigits);
    RenatFromEdit->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
    title->setBuddy(RenatFromEdit);
    UnitWpn1PickBtn = new QToolButton(this);
    UnitWpn1PickBtn->setObjectName(QStringLiteral("UnitWpn1PickBtn"));
    UnitWpn1PickBtn->setText(QStringLiteral("..."));
    UnitWpn1PickBtn->setToolTip(QStringLiteral("Pick a nation"));
    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18);
    grid->addWidget(title, 0, 0);
    grid->addWidget(RenatFromEdit, 0, 1);
    grid->addWidget(UnitWpn1PickBtn, 0, 2);
    grid->addWidget(Label4, 0, 3);

    CheckBoxDelUnits = new QCheckBox(QStringLiteral("Delete Units"), this);
    CheckBoxDelUnits->setObjectName(QStringLiteral("CheckBoxDelUnits"));
    CheckBoxDelUnits->setChecked(true);
    CheckBoxDelFormations = new QCheckBox(QStringLiteral("Delete Formations"), this);
    CheckBoxDelFormations->setObjectName(QStringLiteral("CheckBoxDelFormations"));
    CheckBoxDelFormations->setChecked(true);
    grid->addWidget(CheckBoxDelUnits, 1, 1, 1, 3);
    grid->addWidget(CheckBoxDelFormations, 2, 1, 1, 3);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("Delete"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Delete the marked records of this nation"));
    // Enter never deletes: it must be pressed on purpose.
    BitBtn1->setAutoDefault(false);
    BitBtn2 = new QPushButton(QStringLiteral("Quit"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("Quit without deleting"));
    BitBtn2->setDefault(true);  // Enter leaves without deleting
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 3, 0, 1, 4);
    grid->setColumnStretch(3, 1);

    setTabOrder(RenatFromEdit, UnitWpn1PickBtn);
    setTabOrder(UnitWpn1PickBtn, CheckBoxDelUnits);
    setTabOrder(CheckBoxDelUnits, CheckBoxDelFormations);
    setTabOrder(CheckBoxDelFormations, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    // The label names the nation the edit holds, so the screen shows what Delete clears.
    connect(RenatFromEdit, &QLineEdit::textChanged, this, &TFormDeleteAll::ShowNation);
    connect(UnitWpn1PickBtn, &QToolButton::clicked, this, &TFormDeleteAll::UnitWpn1PickBtnClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TFormDeleteAll::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::reject);
    ShowNation();
    resize(sizeHint());
}

bool TFormDeleteAll::Choose()
{
    ShowNation();  // the names may have been read since the last use
    RenatFromEdit->setFocus();
    RenatFromEdit->selectAll();
    return exec() == QDialog::Accepted;
}

BulkCounts TFormDeleteAll::DeleteMarked()
{
    return DeleteNation(oob_, nation_, deleteUnits_, deleteFormations_);
}

void TFormDeleteAll::BitBtn1Click()
{
    const auto n = ReadNumberEdit(dialogs_, this, QString::fromLatin1(kCaption), RenatFromEdit, kFieldTitle, 0,
                                  kNations);
    if (!n)
        return;
    // The edit and its label show the clamped number before the question, so the
    // nation named on the screen is the one deleted.
    ShowWhole(RenatFromEdit, QString::number(*n));
    if (!dialogs_.Question(this, QStringLiteral("Confirm Delete"), QStringLiteral("Really delete these items?")))
        return;
    nation_ = static_cast<int>(*n);
    deleteUnits_ = CheckBoxDelUnits->isChecked();
    deleteFormations_ = CheckBoxDelFormations->isChecked();
    accept();
}

void TFormDeleteAll::UnitWpn1PickBtnClick()
{
    PickInto(dialogs_, this, PickNation, oob_, RenatFromEdit);
}

void TFormDeleteAll::ShowNation()
{
    const auto n = ClampValue(0, kNations, ToBytes(RenatFromEdit->text()));
    Label4->setText(n ? ToQt(NationName(oob_.Names, static_cast<int>(*n))) : QString());
}

}  // namespace brackle
