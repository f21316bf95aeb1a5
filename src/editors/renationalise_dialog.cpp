#include "editors/renationalise_dialog.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

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

const char* const kCaption = "Renationalise Dialogue";
constexpr int kNationDigits = 2;

}  // namespace

TRenatDlg::TRenatDlg(Oob& oob, Dialogs& dialogs, QWidget* parent) : QDialog(parent), oob_(oob), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("TRenatDlg"));
    setWindowTitle(QString::fromLatin1(kCaption));

    auto* grid = new QGridLayout(this);
    Label1 = new QLabel(QStringLiteral("Current OOB :"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    grid->addWidget(Label1, 0, 0, 1, 4);

    const int nameWidth = fontMetrics().horizontalAdvance(QLatin1Char('M')) * 18;
    auto nationRow = [&](int row, const char* caption, const char* editName, const char* buttonName,
                         const char* labelName, QLineEdit** edit, QToolButton** button, QLabel** label) {
        auto* title = new QLabel(QString::fromLatin1(caption), this);
        *edit = new QLineEdit(this);
        (*edit)->setObjectName(QString::fromLatin1(editName));
        SetTypingLimit(*edit, kNationDigits);
        (*edit)->setFixedWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 16);
        title->setBuddy(*edit);
        *button = new QToolButton(this);
        (*button)->setObjectName(QString::fromLatin1(buttonName));
        (*button)->setText(QStringLiteral("..."));
        (*button)->setToolTip(QStringLiteral("Pick a nation"));
        *label = new QLabel(this);
        (*label)->setObjectName(QString::fromLatin1(labelName));
        (*label)->setMinimumWidth(nameWidth);
        grid->addWidget(title, row, 0);
        grid->addWidget(*edit, row, 1);
        grid->addWidget(*button, row, 2);
        grid->addWidget(*label, row, 3);
    };
    nationRow(1, "Change any", "RenatFromEdit", "UnitWpn1PickBtn", "Label4", &RenatFromEdit, &UnitWpn1PickBtn,
              &Label4);
    nationRow(2, "To", "RenatToEdit", "SpeedButton1", "Label5", &RenatToEdit, &SpeedButton1, &Label5);

    Label6 = new QLabel(this);
    Label6->setObjectName(QStringLiteral("Label6"));
    grid->addWidget(Label6, 3, 0, 1, 4);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BitBtn1 = new QPushButton(QStringLiteral("Renumber"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setToolTip(QStringLiteral("Renumber the units and formations of the first nation to the second"));
    BitBtn1->setDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Close"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setToolTip(QStringLiteral("Finished Renaionalising"));
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);
    grid->addLayout(buttons, 4, 0, 1, 4);
    grid->setColumnStretch(3, 1);

    setTabOrder(RenatFromEdit, UnitWpn1PickBtn);
    setTabOrder(UnitWpn1PickBtn, RenatToEdit);
    setTabOrder(RenatToEdit, SpeedButton1);
    setTabOrder(SpeedButton1, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);

    // The names follow the numbers, so the screen always names the nations a renumbering uses.
    connect(RenatFromEdit, &QLineEdit::textChanged, this, [this] { ShowNationOf(RenatFromEdit, Label4); });
    connect(RenatToEdit, &QLineEdit::textChanged, this, [this] { ShowNationOf(RenatToEdit, Label5); });
    connect(UnitWpn1PickBtn, &QToolButton::clicked, this, &TRenatDlg::UnitWpn1PickBtnClick);
    connect(SpeedButton1, &QToolButton::clicked, this, &TRenatDlg::SpeedButton1Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TRenatDlg::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &QDialog::accept);

    Prepare(oob_.CurrentOOB);
    resize(sizeHint());
}

void TRenatDlg::Prepare(int currentOOB)
{
    Label1->setText(ToQt(CurrentKobText(oob_.Names, currentOOB)));
    ShowWhole(RenatFromEdit, QString::number(currentOOB));
    ShowWhole(RenatToEdit, QString::number(currentOOB));
    // Names may have been read since the last use; show them afresh.
    ShowNationOf(RenatFromEdit, Label4);
    ShowNationOf(RenatToEdit, Label5);
    Label6->clear();
    RenatFromEdit->setFocus();
    RenatFromEdit->selectAll();
}

void TRenatDlg::BitBtn1Click()
{
    const QString caption = QString::fromLatin1(kCaption);
    const auto from = ReadNumberEdit(dialogs_, this, caption, RenatFromEdit, "Change any", 0, kNations);
    if (!from)
        return;
    const auto to = ReadNumberEdit(dialogs_, this, caption, RenatToEdit, "To", 0, kNations);
    if (!to)
        return;
    // The edits show the numbers used.
    ShowWhole(RenatFromEdit, QString::number(*from));
    ShowWhole(RenatToEdit, QString::number(*to));
    // Each run is a step of its own in the undo history.
    const TablesSnapshot before = SnapshotTables(oob_);
    const BulkCounts counts = RenumberNation(oob_, *from, *to);
    RecordStep(oob_, before, RenumberLabel(*from, *to, counts));
    const QString result = ToQt(ProcessedText(counts));
    Label6->setText(result);
    emit statusText(result);
}

void TRenatDlg::UnitWpn1PickBtnClick()
{
    PickInto(dialogs_, this, PickNation, oob_, RenatFromEdit);
}

void TRenatDlg::SpeedButton1Click()
{
    PickInto(dialogs_, this, PickNation, oob_, RenatToEdit);
}

void TRenatDlg::ShowNationOf(const QLineEdit* edit, QLabel* label)
{
    const auto n = ClampValue(0, kNations, ToBytes(edit->text()));
    label->setText(n ? ToQt(NationName(oob_.Names, static_cast<int>(*n))) : QString());
}

}  // namespace brackle
