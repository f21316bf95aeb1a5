#include "editors/weapon_page.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include "editors/pick_list.h"
#include "editors/unit_fields.h"
#include "editors/unit_page.h"
#include "oob/names.h"
#include "oob/text.h"
#include "widgets/dialogs_qt.h"
#include "widgets/form_widgets_qt.h"
#include "widgets/pick_form.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

}  // namespace

WeaponPage::WeaponPage(Oob& oob, Dialogs& dialogs, QWidget* parent) : QWidget(parent), oob_(oob), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("WeaponForm"));
    setStyleSheet(GroupBoxStyle());
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);

    auto* identity = new QGroupBox(QStringLiteral("Weapon"), this);
    auto* top = FormGrid(identity);
    numLabel_ = new QLabel(QStringLiteral("Weapon 001"), identity);
    numLabel_->setObjectName(QStringLiteral("WeaponNumberLabel"));
    QFont big = numLabel_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    numLabel_->setFont(big);
    PaintLabel(numLabel_, Colour::Navy);
    top->addWidget(numLabel_, 0, 0, 1, 2);
    auto* nameLabel = new QLabel(QStringLiteral("&Name"), identity);
    nameLabel->setBuddy(MakeEdit(WfName, identity));
    top->addWidget(nameLabel, 0, 2);
    top->addWidget(edits_[WfName], 0, 3, 1, 2);
    auto* classCaption = new QLabel(QStringLiteral("Weapon &Class"), identity);
    classCaption->setBuddy(MakeEdit(WfClass, identity));
    top->addWidget(classCaption, 1, 0);
    top->addWidget(edits_[WfClass], 1, 1);
    auto* pick = new QToolButton(identity);
    pick->setObjectName(QStringLiteral("WpnClassPickbtn"));
    pick->setText(QStringLiteral("..."));
    pick->setToolTip(QStringLiteral("Select weapon class"));
    connect(pick, &QToolButton::clicked, this, &WeaponPage::WpnClassPickbtnClick);
    top->addWidget(pick, 1, 2);
    classLabel_ = new QLabel(identity);
    classLabel_->setObjectName(QStringLiteral("WeaponClassLabel"));
    top->addWidget(classLabel_, 1, 3, 1, 2);
    top->setColumnStretch(4, 1);
    layout->addWidget(identity);

    // The numbers, grouped as they act in the game.
    const std::pair<const char*, std::vector<WeaponFieldId>> groups[] = {
        {"Range and accuracy", {WfRange, WfAccuracy}},
        {"Penetration and kill", {WfHEPen, WfHEKill, WfAPPen, WfAPKill, WfSabotPen, WfSabotRange, WfHEATPen}},
        {"Sound and warhead", {WfSize, WfWarheadSize}},
    };
    for (const auto& [title, ids] : groups) {
        auto* g = new QGroupBox(QString::fromLatin1(title), this);
        auto* grid = FormGrid(g);
        int r = 0;
        for (WeaponFieldId id : ids) {
            const WeaponField& f = WeaponFieldOf(id);
            auto* caption = new QLabel(QString::fromLatin1(f.Caption), g);
            caption->setBuddy(MakeEdit(id, g));
            caption->setMinimumWidth(115);
            grid->addWidget(caption, r, 0);
            grid->addWidget(edits_[id], r, 1);
            if (f.Note)
                grid->addWidget(SmallNote(QString::fromLatin1(f.Note), g), r, 2);
            ++r;
        }
        grid->setColumnStretch(2, 1);
        layout->addWidget(g);
    }
    layout->addWidget(SmallNote(QStringLiteral("NB - Sabot is simply a second AP type, with a different max range and/or "
                                          "AP value so is sometimes used \nas an improved AP or better (e.g. say DU) "
                                          "APDS type ammo"),
                           this, "SabotNoteLabel"));
    layout->addWidget(SmallNote(QStringLiteral("Warhead size, HE kill and weapon class all interact to create different "
                                          "weapon sounds, blast graphics,\nand terminal effects - e.g. larger Wh "
                                          "size can add to armour penetration, cause craters, and so on"),
                           this, "WarheadNoteLabel"));
    layout->addWidget(SmallNote(QStringLiteral("Only use class 11 aircraft weapons on planes - except for rocket pods "
                                          "used on helicopters"),
                           this, "AirWeaponNoteLabel"));
    layout->addStretch(1);
}

QLineEdit* WeaponPage::MakeEdit(WeaponFieldId id, QWidget* parent)
{
    const WeaponField& f = WeaponFieldOf(id);
    edits_[id] = MakeFieldEdit(parent, f.Control, f.Hint ? f.Hint : f.Caption, f.MaxChars, id == WfName, 150, 3);
    return edits_[id];
}

WeaponTexts WeaponPage::Texts() const
{
    WeaponTexts t;
    for (int id = 0; id < WeaponFieldCount; ++id)
        t[id] = ToBytes(edits_[id]->text());
    return t;
}

void WeaponPage::WriteControls(const WeaponRecord& record, int slot)
{
    numLabel_->setText(QStringLiteral("Weapon ") + ToQt(Pad3(slot)));
    const WeaponTexts t = TextsOfWeapon(record);
    for (int id = 0; id < WeaponFieldCount; ++id)
        ShowWhole(edits_[id], ToQt(t[id]));
    classLabel_->setText(ToQt(WeaponClassName(record.Class)));
}

void WeaponPage::ShowWeapon()
{
    WriteControls(oob_.WeaponTable[oob_.CurrentWeapon], oob_.CurrentWeapon);
}

bool WeaponPage::Refused(WeaponFieldId id, const WeaponTexts& texts)
{
    return RefuseUnreadable(dialogs_, this, edits_[id], WeaponFieldOf(id).Caption, texts[id], "Weapon");
}

bool WeaponPage::SaveWeapon()
{
    const WeaponTexts texts = Texts();
    if (const auto bad = StoreWeaponTexts(texts, oob_.WeaponTable[oob_.CurrentWeapon]))
        return Refused(*bad, texts);
    ShowWeapon();
    return true;
}

bool WeaponPage::FillXferBufferWpn(WeaponRecord& xfer)
{
    const WeaponTexts texts = Texts();
    WeaponRecord read = xfer;
    if (const auto bad = StoreWeaponTexts(texts, read))
        return Refused(*bad, texts);
    xfer = read;
    return true;
}

void WeaponPage::PasteToWeapon(const WeaponRecord& record)
{
    WriteControls(record, oob_.CurrentWeapon);
}

void WeaponPage::EraseWeapon()
{
    for (QLineEdit* e : edits_)
        e->clear();
}

void WeaponPage::WpnClassPickbtnClick()
{
    const int n = PickFrom(dialogs_, this, PickWeaponClass, oob_, 0, PickStart(edits_[WfClass]));
    if (n < 0)
        return;
    ShowWhole(edits_[WfClass], QString::number(n));
    classLabel_->setText(ToQt(WeaponClassName(n)));
}

}  // namespace brackle
