#include "transfer/paster_dialog.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/dialogs_qt.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

struct OptionBox {
    const char* name;
    const char* caption;
    const char* hint;
    bool PasteOptions::*option;
};

const OptionBox kBoxes[7] = {
    {"CheckBoxPasteArmour", "Paste Armour Suite Only", "For single pastes, paste only the armour to the target unit",
     &PasteOptions::PasteArmourOnly},
    {"CheckBoxPasteAsnation", "Paste As Target Nation",
     "Paste single units as the target nation, not the source nation ID", &PasteOptions::PasteAsNation},
    {"CheckBoxKeepdates", "Keep Target Unit Dates", nullptr, &PasteOptions::KeepDates},
    {"CheckBoxKeepWeapons", "Keep Tgt Weapons", nullptr, &PasteOptions::KeepWeapons},
    {"CheckBoxKeepIcons", "Keep Target Icons", nullptr, &PasteOptions::KeepIcons},
    {"CheckBoxKeepUnitClass", "Keep Tgt Unitclass", nullptr, &PasteOptions::KeepUnitClass},
    {"CheckBoxPasteOnlyIconData", "Paste Only Icon Data", nullptr, &PasteOptions::PasteOnlyIconData},
};

}  // namespace

TPasterDlg::TPasterDlg(Dialogs& dialogs, QWidget* parent) : QDialog(parent), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("TPasterDlg"));
    setWindowTitle(QStringLiteral("Copy/Paste Dialogue"));
    resize(720, 540);
    auto* layout = new QVBoxLayout(this);
    LabelStatus = new QLabel(this);
    LabelStatus->setObjectName(QStringLiteral("LabelStatus"));
    QFont bold = LabelStatus->font();
    bold.setBold(true);
    LabelStatus->setFont(bold);
    layout->addWidget(LabelStatus);

    auto* middle = new QHBoxLayout;
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ListBox1->setUniformItemSizes(true);
    // Room for the whole line: slot, name, source nation and its name.
    ListBox1->setMinimumWidth(ListBox1->fontMetrics().horizontalAdvance(QString(52, QLatin1Char('M'))) + 24);
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TPasterDlg::OKBtnClick);
    middle->addWidget(ListBox1, 1);

    auto* options = new QVBoxLayout;
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        auto* box = new QCheckBox(QString::fromLatin1(kBoxes[i].caption), this);
        box->setObjectName(QString::fromLatin1(kBoxes[i].name));
        if (kBoxes[i].hint)
            box->setToolTip(QString::fromLatin1(kBoxes[i].hint));
        // The option takes the box's new state.
        connect(box, &QCheckBox::toggled, this, [this, i](bool on) {
            if (request_.Options)
                request_.Options->*kBoxes[i].option = on;
        });
        options->addWidget(box);
        boxes_[i] = box;
    }
    auto* note = new QLabel(QStringLiteral("The options act on single pastes of units (formations: nation only)."),
                            this);
    note->setWordWrap(true);
    options->addWidget(note);
    options->addStretch(1);
    middle->addLayout(options);
    layout->addLayout(middle, 1);

    auto* buttons = new QHBoxLayout;
    auto button = [this, buttons](const char* name, const char* text, const char* hint) {
        auto* b = new QPushButton(QString::fromLatin1(text), this);
        b->setObjectName(QString::fromLatin1(name));
        if (hint)
            b->setToolTip(QString::fromLatin1(hint));
        buttons->addWidget(b);
        return b;
    };
    QPushButton* ok = button("OKbtn", "OK", nullptr);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &TPasterDlg::OKBtnClick);
    QPushButton* cancel = button("CancelBtn", "Cancel", nullptr);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addStretch(1);
    QPushButton* all = button("CopyAllBtn", "All",
                              "Copy all to paste buffer OR Paste all from paste buffer (overwrites)");
    connect(all, &QPushButton::clicked, this, &TPasterDlg::CopyAllBtnClick);
    QPushButton* clear = button("BitBtnclrPaste", "Clear", "Clear all Paste Buffers");
    connect(clear, &QPushButton::clicked, this, &TPasterDlg::BitBtnclrPasteClick);
    layout->addLayout(buttons);
}

void TPasterDlg::ShowOptions()
{
    for (std::size_t i = 0; i < boxes_.size(); ++i) {
        const QSignalBlocker quiet(boxes_[i]);
        boxes_[i]->setChecked(request_.Options->*kBoxes[i].option);
    }
}

void TPasterDlg::Open(PasteRequest& request)
{
    request_ = request;
    if (request_.Kind == FormationBuffer)
        ResetOptionsForFormations(*request_.Options);
    ShowOptions();
    LabelStatus->setText(ToQt(PasteStatusText(request_.Kind, request_.Mode)));
    QStringList lines;
    lines.reserve(kPasteSlots);
    for (int i = 1; i <= kPasteSlots; ++i)
        lines.push_back(ToQt(PasteListLine(*request_.Buffers, request_.Document->Names, request_.Kind, i)));
    ListBox1->clear();
    ListBox1->addItems(lines);
    ListBox1->setCurrentRow(0);
    ListBox1->setFocus();
    result_ = PasteResult::Cancel;
}

PasteResult TPasterDlg::Run(PasteRequest& request)
{
    Open(request);
    exec();
    return result_;
}

void TPasterDlg::OKBtnClick()
{
    if (ListBox1->currentRow() >= 0)
        ConfirmSlot(request_, ListBox1->currentRow() + 1);
    result_ = PasteResult::Ok;
    accept();
}

void TPasterDlg::CopyAllBtnClick()
{
    ConfirmAll(request_);
    result_ = PasteResult::All;
    accept();
}

void TPasterDlg::BitBtnclrPasteClick()
{
    if (dialogs_.Question(this, QStringLiteral("Clear All?"), QStringLiteral("Clear all Paste Buffers?")))
        ClearAll(*request_.Buffers);
    result_ = PasteResult::Cleared;
    accept();
}

}  // namespace brackle
