#include "editors/unit_page.h"

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "editors/pick_list.h"
#include "graphics/graphics_files.h"
#include "graphics/indexed_image_qt.h"
#include "graphics/unit_icons.h"
#include "oob/names.h"
#include "oob/text.h"
#include "oob/totals.h"
#include "widgets/dialogs_qt.h"
#include "widgets/form_widgets_qt.h"
#include "widgets/pick_form.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

constexpr UnitFieldId kWeaponFields[4] = {UfWpn1, UfWpn2, UfWpn3, UfWpn4};
constexpr UnitFieldId kHEFields[4] = {UfWpn1HEAmmo, UfWpn2HEAmmo, UfWpn3HEAmmo, UfWpn4HEAmmo};
constexpr UnitFieldId kAPFields[4] = {UfWpn1APAmmo, UfWpn2APAmmo, UfWpn3APAmmo, UfWpn4APAmmo};
constexpr UnitFieldId kSoundFields[4] = {UfWPNSound1, UfWPNSound2, UfWPNSound3, UfWPNSound4};
constexpr UnitFieldId kEraFields[7] = {UfERAHF, UfERAHS, UfERAHR, UfERATF, UfERATS, UfERATR, UfERATop};

const QString kCaption = QStringLiteral("Brackle");

QGroupBox* Group(const QString& title, QWidget* parent)
{
    auto* g = new QGroupBox(title, parent);
    return g;
}

// The room the panel gives the unit's picture and its icon.
constexpr QSize kPictureArea(150, 94);
constexpr QSize kIconArea(64, 92);

// A label that shows a picture centred in a fixed area.
QLabel* ImageLabel(const char* name, const QString& hint, QSize size, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setAlignment(Qt::AlignCenter);
    l->setFixedSize(size);
    l->setToolTip(hint);
    QSizePolicy keep = l->sizePolicy();
    keep.setRetainSizeWhenHidden(true);  // the panel keeps its shape with nothing to show
    l->setSizePolicy(keep);
    return l;
}

}  // namespace

QColor ScreenColour(Colour c, bool forEdit)
{
    switch (c) {
    case Colour::Navy:
        return QColor(0, 0, 128);
    case Colour::Blue:
        return QColor(0, 0, 255);
    case Colour::Red:
        return QColor(255, 0, 0);
    case Colour::Maroon:
        return QColor(128, 0, 0);
    case Colour::Fuchsia:
        return QColor(255, 0, 255);
    case Colour::WindowText:
        break;
    }
    return QApplication::palette().color(forEdit ? QPalette::Text : QPalette::WindowText);
}

void PaintEdit(QLineEdit* edit, Colour c)
{
    QPalette p = edit->palette();
    p.setColor(QPalette::Text, ScreenColour(c, true));
    edit->setPalette(p);
}

void PaintLabel(QLabel* label, Colour c)
{
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, ScreenColour(c, false));
    label->setPalette(p);
}

UnitPage::UnitPage(Oob& oob, Dialogs& dialogs, QWidget* parent) : QWidget(parent), oob_(oob), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("UnitForm"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    // Group titles sit on the frame line, so the whole unit fits the smallest window.
    setStyleSheet(GroupBoxStyle());
    auto row = [grid](int r, QWidget* left, QWidget* right) {
        auto* line = new QHBoxLayout;
        line->setSpacing(4);
        line->addWidget(left, 1);
        if (right)
            line->addWidget(right, 0);
        grid->addLayout(line, r, 0);
    };
    // Built one after the other: the tab order follows the order the groups are made in.
    QWidget* identity = BuildIdentity();
    QWidget* availability = BuildAvailability();
    row(0, identity, availability);
    QWidget* capacity = BuildCapacity();
    QWidget* sensors = BuildSensors();
    row(1, capacity, sensors);
    // The weapons above the armour, the picture and icons beside both.
    QWidget* weapons = BuildWeapons();
    QWidget* armour = BuildArmour();
    QWidget* pictures = BuildPictures();
    auto* left = new QVBoxLayout;
    left->setSpacing(4);
    left->addWidget(weapons);
    left->addWidget(armour);
    auto* lower = new QHBoxLayout;
    lower->setSpacing(4);
    lower->addLayout(left, 1);
    lower->addWidget(pictures, 0);
    grid->addLayout(lower, 2, 0);
    grid->setRowStretch(3, 1);
    WireIndicators();
    WirePictures();
}

QLineEdit* UnitPage::MakeEdit(UnitFieldId id, QWidget* parent)
{
    const UnitField& f = UnitFieldOf(id);
    const int nameWidth = parent->fontMetrics().horizontalAdvance(QString(16, QLatin1Char('M'))) / 2 + 40;
    edits_[id] = MakeFieldEdit(parent, f.Control, f.Title, f.MaxChars, id == UfName, nameWidth, 5);
    return edits_[id];
}

QLabel* UnitPage::MakeLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    if (name)
        l->setObjectName(QString::fromLatin1(name));
    return l;
}

QWidget* UnitPage::BuildIdentity()
{
    auto* g = Group(QStringLiteral("Identity and nation"), this);
    auto* grid = FormGrid(g);
    numLabel_ = MakeLabel("UnitNumLabel", QStringLiteral("Unit 001"), g);
    QFont big = numLabel_->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.25);
    numLabel_->setFont(big);
    PaintLabel(numLabel_, Colour::Navy);
    grid->addWidget(numLabel_, 0, 0, 1, 2);

    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = MakeLabel(nullptr, QStringLiteral("&Name"), g);
    nameLabel->setBuddy(MakeEdit(UfName, g));
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(edits_[UfName], 1);
    grid->addLayout(nameRow, 0, 2, 1, 2);

    struct Row {
        const char* caption;
        UnitFieldId id;
        const char* button;
        const char* hint;
        const char* label;
        QLabel** target;
    };
    const Row rows[] = {
        {"Na&tion", UfNation, "UnitGetNationBtn", "Select nation ", "UnitNationLabel", &nationLabel_},
        {"C&lass", UfClass, "UnitPickUCBtn", "Select unit class (type)", "UnitClassLabel", &classLabel_},
        {"&Move", UfMC, "UnitPickMCBtn", "You can have a unit move other than its default for its class",
         "UnitMCLabel", &mcLabel_},
    };
    int r = 1;
    for (const Row& row : rows) {
        auto* caption = MakeLabel(nullptr, QString::fromLatin1(row.caption), g);
        caption->setBuddy(MakeEdit(row.id, g));
        auto* pick = MakePickButton(row.button, QString::fromLatin1(row.hint), g);
        *row.target = MakeLabel(row.label, QString(), g);
        (*row.target)->setMinimumWidth(70);
        grid->addWidget(caption, r, 0);
        grid->addWidget(edits_[row.id], r, 1);
        grid->addWidget(pick, r, 2);
        grid->addWidget(*row.target, r, 3);
        ++r;
    }
    PaintLabel(nationLabel_, Colour::Navy);
    grid->setColumnStretch(3, 1);
    connect(findChild<QToolButton*>(QStringLiteral("UnitGetNationBtn")), &QToolButton::clicked, this,
            &UnitPage::UnitGetNationBtnClick);
    connect(findChild<QToolButton*>(QStringLiteral("UnitPickUCBtn")), &QToolButton::clicked, this,
            &UnitPage::UnitPickUCBtnClick);
    connect(findChild<QToolButton*>(QStringLiteral("UnitPickMCBtn")), &QToolButton::clicked, this,
            &UnitPage::UnitPickMCBtnClick);
    return g;
}

QWidget* UnitPage::BuildPictures()
{
    auto* g = Group(QStringLiteral("Picture and icons"), this);
    auto* grid = FormGrid(g);
    auto* pictureLabel = MakeLabel(nullptr, QStringLiteral("Picture"), g);
    pictureLabel->setBuddy(MakeEdit(UfPictureID, g));
    edits_[UfPictureID]->setToolTip(QStringLiteral("2 different types for modern or WW2 - Pxx and Pmxx"));
    auto* pick = MakePickButton("LBMPickButton", QStringLiteral("Browse the pictures"), g);
    connect(pick, &QToolButton::clicked, this, &UnitPage::LBMPickButtonClick);
    grid->addWidget(pictureLabel, 0, 0);
    grid->addWidget(edits_[UfPictureID], 0, 1);
    grid->addWidget(pick, 0, 2, Qt::AlignLeft);

    // The picture, fitted to its frame.
    auto* pictureFrame = new QFrame(g);
    pictureFrame->setObjectName(QStringLiteral("LBMFrame"));
    pictureFrame->setFrameShape(QFrame::StyledPanel);
    pictureFrame->setFrameShadow(QFrame::Sunken);
    auto* pictureBox = new QHBoxLayout(pictureFrame);
    pictureBox->setContentsMargins(1, 1, 1, 1);
    lbmImage_ = ImageLabel("LBMImage", QStringLiteral("The unit's picture"), kPictureArea, pictureFrame);
    pictureBox->addWidget(lbmImage_);
    grid->addWidget(pictureFrame, 1, 0, 1, 3, Qt::AlignLeft);

    const std::pair<UnitFieldId, const char*> icons[] = {
        {UfIcon, "Icon"}, {UfWinterIcon, "Winter"}, {UfDesertIcon, "Desert"}};
    int r = 2;
    for (const auto& [id, caption] : icons) {
        auto* l = MakeLabel(nullptr, QString::fromLatin1(caption), g);
        l->setBuddy(MakeEdit(id, g));
        grid->addWidget(l, r, 0);
        grid->addWidget(edits_[id], r, 1);
        edits_[id]->installEventFilter(this);  // focus shows that season
        ++r;
    }
    // The unit's icon as the game draws it: the turret over its hull, or one big
    // image, or a crew-and-side image in place of the hull.
    auto* iconFrame = new QFrame(g);
    iconFrame->setObjectName(QStringLiteral("IconFrame"));
    iconFrame->setFrameShape(QFrame::StyledPanel);
    iconFrame->setFrameShadow(QFrame::Sunken);
    iconFrame->setAutoFillBackground(true);
    QPalette ground = iconFrame->palette();
    ground.setColor(QPalette::Window, ground.color(QPalette::Base));
    iconFrame->setPalette(ground);
    auto* stack = new QGridLayout(iconFrame);
    stack->setContentsMargins(1, 1, 1, 1);
    const std::pair<const char*, const char*> parts[] = {
        {"HullImage", "Hull icon"}, {"TurretImage", "Turret icon"}, {"BigImage", "The icon"}};
    for (int k = 0; k < 3; ++k) {
        iconImages_[k] = ImageLabel(parts[k].first, QString::fromLatin1(parts[k].second), kIconArea, iconFrame);
        stack->addWidget(iconImages_[k], 0, 0);
        iconImages_[k]->hide();
    }
    grid->addWidget(iconFrame, 2, 2, 3, 1, Qt::AlignLeft | Qt::AlignTop);
    lbmImage_->hide();
    grid->setRowStretch(5, 1);
    return g;
}

QWidget* UnitPage::BuildAvailability()
{
    auto* g = Group(QStringLiteral("Availability"), this);
    auto* grid = FormGrid(g);
    grid->addWidget(MakeLabel(nullptr, QStringLiteral("Avaiable From"), g), 0, 0);
    grid->addWidget(MakeEdit(UfMonthAvail, g), 0, 1);
    grid->addWidget(MakeLabel(nullptr, QStringLiteral("Of"), g), 0, 2);
    grid->addWidget(MakeEdit(UfYrAvail, g), 0, 3);
    grid->addWidget(YearLabel(edits_[UfYrAvail], "UnitYrAvailYearLabel", g), 0, 4);
    grid->addWidget(MakeLabel(nullptr, QStringLiteral("Until"), g), 1, 0, Qt::AlignRight);
    grid->addWidget(MakeEdit(UfMonthUnAvail, g), 1, 1);
    grid->addWidget(MakeLabel(nullptr, QStringLiteral("Of"), g), 1, 2);
    grid->addWidget(MakeEdit(UfYrUnavail, g), 1, 3);
    grid->addWidget(YearLabel(edits_[UfYrUnavail], "UnitYrUnavailYearLabel", g), 1, 4);
    grid->addWidget(MakeLabel(nullptr, QStringLiteral("Sound"), g), 2, 0, Qt::AlignRight);
    grid->addWidget(MakeEdit(UfSoundByte, g), 2, 1);
    auto* note = MakeLabel("YearNoteLabel",
                           QStringLiteral("NB - Year Fields index 0=>1900 50=>1950 100=>2000 120=>2020"), g);
    note->setWordWrap(true);
    note->setMaximumWidth(220);
    QFont small = note->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    note->setFont(small);
    grid->addWidget(note, 3, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    return g;
}

QWidget* UnitPage::BuildCapacity()
{
    auto* g = Group(QStringLiteral("Cost, crew and load"), this);
    auto* grid = FormGrid(g);
    const std::pair<UnitFieldId, const char*> cells[] = {
        {UfCost, "Cost"}, {UfCrew, "Crew"}, {UfSize, "Size"}, {UfCarry, "Carry"}, {UfWeight, "Weight"},
        {UfSpeed, "Speed"}, {UfSwim, "Swim"}};
    int i = 0;
    for (const auto& [id, caption] : cells) {
        const int r = i % 4;
        const int c = (i / 4) * 2;
        grid->addWidget(MakeLabel(nullptr, QString::fromLatin1(caption), g), r, c);
        grid->addWidget(MakeEdit(id, g), r, c + 1);
        ++i;
    }
    grid->setColumnStretch(4, 1);  // spare room past the fields, never between a label and its edit
    return g;
}

QWidget* UnitPage::BuildSensors()
{
    auto* g = Group(QStringLiteral("Sensors, fire control and protection"), this);
    auto* grid = FormGrid(g);
    struct Cell {
        UnitFieldId id;
        const char* label;
        const char* caption;
        QLabel** target;
    };
    const Cell cells[] = {
        {UfVision, "Label58", "Vision", &visionLabel_},     {UfFC, "Label61", "Fire control", &fcLabel_},
        {UfRF, "Label60", "Range Finder", &rfLabel_},       {UfStabiliser, nullptr, "Stabiliser", nullptr},
        {UfROF, "Label63", "ROF", &rofLabel_},              {UfSD, "Label62", "Smoke Dischargers", &sdLabel_},
        {UfRadio, nullptr, "Radio", nullptr},               {UfEW, "Label42", "EW", &ewLabel_},
        {UfSurvive, nullptr, "Survivability", nullptr},
    };
    int i = 0;
    for (const Cell& cell : cells) {
        const int r = i / 3;
        const int c = (i % 3) * 2;
        auto* l = MakeLabel(cell.label, QString::fromLatin1(cell.caption), g);
        l->setBuddy(MakeEdit(cell.id, g));
        if (cell.target) {
            *cell.target = l;
            PaintLabel(l, Colour::Navy);
        }
        grid->addWidget(l, r, c, Qt::AlignRight);
        grid->addWidget(edits_[cell.id], r, c + 1);
        ++i;
    }
    ewNote_ = MakeLabel("LabelEW", QString(), g);
    PaintLabel(ewNote_, Colour::Blue);
    ewNote_->hide();
    grid->addWidget(ewNote_, 3, 0, 1, 6, Qt::AlignRight);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    return g;
}

QWidget* UnitPage::BuildWeapons()
{
    auto* g = Group(QStringLiteral("Weapons and rounds"), this);
    auto* grid = FormGrid(g);
    const char* headers[] = {"", "Weapon", "", "Name", "HE", "AP", "Sound"};
    for (int c = 0; c < 7; ++c) {
        if (*headers[c])
            grid->addWidget(MakeLabel(nullptr, QString::fromLatin1(headers[c]), g), 0, c,
                            c == 3 ? Qt::AlignLeft : Qt::AlignHCenter);
    }
    for (int k = 0; k < 4; ++k) {
        const int r = k + 1;
        grid->addWidget(MakeLabel(nullptr, QString::number(k + 1), g), r, 0);
        grid->addWidget(MakeEdit(kWeaponFields[k], g), r, 1);
        const QByteArray pickName = QStringLiteral("UnitWpn%1PickBtn").arg(k + 1).toLatin1();
        auto* pick = MakePickButton(pickName.constData(), QStringLiteral("Select weapon"), g);
        connect(pick, &QToolButton::clicked, this, [this, k] { UnitWpnPickBtnClick(k + 1); });
        grid->addWidget(pick, r, 2);
        const QByteArray labelName = QStringLiteral("UnitWpn%1NameLbl").arg(k + 1).toLatin1();
        weaponNames_[k] = MakeLabel(labelName.constData(), QStringLiteral("No Weapon"), g);
        weaponNames_[k]->setMinimumWidth(100);
        grid->addWidget(weaponNames_[k], r, 3);
        grid->addWidget(MakeEdit(kHEFields[k], g), r, 4);
        grid->addWidget(MakeEdit(kAPFields[k], g), r, 5);
        grid->addWidget(MakeEdit(kSoundFields[k], g), r, 6);
    }
    // The rounds follow the longest name a weapon can have; spare room goes past them.
    grid->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance(QString(static_cast<int>(kNameLength),
                                                                           QLatin1Char('n'))));
    // The sabot and HEAT rounds in one column beside them, each under its caption.
    grid->setColumnMinimumWidth(7, 6);
    grid->addWidget(MakeLabel(nullptr, QStringLiteral("Sabot"), g), 0, 8, Qt::AlignHCenter);
    grid->addWidget(MakeEdit(UfSabotAmmo, g), 1, 8);
    grid->addWidget(MakeLabel(nullptr, QStringLiteral("HEAT"), g), 2, 8, Qt::AlignHCenter | Qt::AlignBottom);
    grid->addWidget(MakeEdit(UfHEATAmmo, g), 3, 8);
    grid->setColumnStretch(9, 1);
    return g;
}

QWidget* UnitPage::BuildArmour()
{
    auto* g = Group(QStringLiteral("Armour"), this);
    auto* grid = FormGrid(g);
    const char* facings[] = {"HF", "HS", "HR", "TF", "TS", "TR", "Top"};
    for (int c = 0; c < 7; ++c)
        grid->addWidget(MakeLabel(nullptr, QString::fromLatin1(facings[c]), g), 0, c + 1, Qt::AlignHCenter);
    const std::pair<const char*, UnitFieldId> rows[] = {
        {"Steel", UfSteelHF}, {"HEAT", UfHEATHF}, {"ERA", UfERAHF}};
    int r = 1;
    for (const auto& [caption, first] : rows) {
        grid->addWidget(MakeLabel(nullptr, QString::fromLatin1(caption), g), r, 0);
        for (int c = 0; c < 7; ++c)
            grid->addWidget(MakeEdit(static_cast<UnitFieldId>(first + c), g), r, c + 1);
        ++r;
    }
    auto* note = SmallNote(QStringLiteral("ERA >10 is Advanced (deduct 10 for actual no of charges)"), g,
                           "ERANoteLabel");
    grid->addWidget(note, 4, 0, 1, 9);
    grid->setColumnStretch(8, 1);
    return g;
}

void UnitPage::WireIndicators()
{
    auto on = [this](UnitFieldId id, auto fn) { connect(edits_[id], &QLineEdit::textChanged, this, fn); };
    for (UnitFieldId id : kEraFields)
        on(id, [this, id] { PaintEdit(edits_[id], EraIndicator(ToBytes(edits_[id]->text()))); });
    on(UfSurvive, [this] { PaintEdit(edits_[UfSurvive], SurviveIndicator(ToBytes(TextOf(UfSurvive)))); });
    auto show = [](QLineEdit* edit, QLabel* label, const Indicator& s) {
        PaintEdit(edit, s.Edit);
        PaintLabel(label, s.Label);
        if (!s.Caption.empty())
            label->setText(ToQt(s.Caption));
    };
    on(UfVision, [this, show] {
        show(edits_[UfVision], visionLabel_, VisionIndicator(ToBytes(TextOf(UfVision))));
    });
    on(UfFC, [this, show] { show(edits_[UfFC], fcLabel_, FCIndicator(ToBytes(TextOf(UfFC)))); });
    on(UfRF, [this, show] {
        show(edits_[UfRF], rfLabel_, RFIndicator(ToBytes(TextOf(UfRF)), ToBytes(TextOf(UfClass))));
    });
    on(UfSD, [this, show] {
        show(edits_[UfSD], sdLabel_, SDIndicator(ToBytes(TextOf(UfSD)), ToBytes(TextOf(UfClass))));
    });
    on(UfROF, [this] { RunROF(); });
    on(UfEW, [this] { RunEWRule(); });
    on(UfClass, [this] {
        if (!Trim(ToBytes(TextOf(UfEW))).empty())
            RunEWRule();
    });
    on(UfNation, [this] { RunNationRule(); });
}

QString UnitPage::TextOf(UnitFieldId id) const
{
    return edits_[id]->text();
}

UnitTexts UnitPage::Texts() const
{
    UnitTexts texts;
    for (int id = 0; id < UnitFieldCount; ++id)
        texts[id] = ToBytes(edits_[id]->text());
    return texts;
}

std::array<std::string, 4> UnitPage::WeaponTexts() const
{
    std::array<std::string, 4> t;
    for (int k = 0; k < 4; ++k)
        t[k] = ToBytes(TextOf(kWeaponFields[k]));
    return t;
}

void UnitPage::RunROF()
{
    const Indicator s = ROFIndicator(ToBytes(TextOf(UfROF)), WeaponTexts());
    PaintEdit(edits_[UfROF], s.Edit);
    PaintLabel(rofLabel_, s.Label);
}

void UnitPage::RunEWRule()
{
    const EWIndicatorState s = EWIndicator(ToBytes(TextOf(UfEW)), ToBytes(TextOf(UfClass)));
    PaintEdit(edits_[UfEW], s.Edit);
    PaintLabel(ewLabel_, s.Label42);
    PaintLabel(ewNote_, s.LabelEW);
    ewNote_->setText(ToQt(s.LabelEWText));
    ewNote_->setVisible(s.LabelEWVisible);
}

void UnitPage::RunNationRule()
{
    const NationIndicatorState s = NationIndicator(ToBytes(TextOf(UfNation)), ToBytes(TextOf(UfName)),
                                                   ToBytes(TextOf(UfClass)), oob_.CurrentOOB);
    if (ToQt(s.Text) != TextOf(UfNation)) {
        RewriteNumber(edits_[UfNation], ToQt(s.Text));  // runs the rule again on the replaced text
        return;
    }
    PaintEdit(edits_[UfNation], s.Edit);
    PaintLabel(nationLabel_, s.Label);
}

void UnitPage::ShowWeaponName(int slot, int weapon)
{
    weaponNames_[slot - 1]->setText(weapon >= 1 && weapon <= kWeaponSlots ? ToQt(oob_.WeaponTable[weapon].Name)
                                                                           : QString());
}

void UnitPage::ShowUnit()
{
    const int n = oob_.CurrentUnit;
    const UnitRecord& unit = oob_.UnitTable[n];
    numLabel_->setText(QStringLiteral("Unit ") + ToQt(Pad3(n)));
    QFont f = edits_[UfName]->font();
    const bool used = UnitInAnyFormation(oob_, n);
    f.setBold(used);
    f.setUnderline(used);
    edits_[UfName]->setFont(f);
    edits_[UfName]->setToolTip(used ? QStringLiteral("Name (this unit is used in a formation)")
                                    : QStringLiteral("Name"));

    shown_ = unit;
    filling_ = true;
    for (UnitFieldId id : UnitShowOrder()) {
        ShowWhole(edits_[id], ToQt(UnitFieldText(unit, id)));
        if (id == UfNation)
            nationLabel_->setText(ToQt(NationName(oob_.Names, unit.Nation)));
        else if (id == UfClass)
            classLabel_->setText(ToQt(UnitClassName(oob_.Names, unit.Class)));
        else if (id == UfMC)
            mcLabel_->setText(ToQt(MoveClassName(unit.MC)));
    }
    const int weapons[4] = {unit.Wpn1, unit.Wpn2, unit.Wpn3, unit.Wpn4};
    for (int k = 0; k < 4; ++k)
        ShowWeaponName(k + 1, weapons[k]);

    // A text set to the one it already had runs no change handler: bring every
    // indicator up to date with the whole record.
    for (UnitFieldId id : kEraFields)
        PaintEdit(edits_[id], EraIndicator(ToBytes(TextOf(id))));
    for (UnitFieldId id : {UfSurvive, UfVision, UfFC, UfRF, UfSD})
        emit edits_[id]->textChanged(TextOf(id));
    RunROF();
    RunEWRule();
    RunNationRule();

    // An empty slot of the file's own nation is waiting to be filled.
    const bool empty = Trim(unit.Name).empty() && unit.Nation == oob_.CurrentOOB;
    PaintLabel(numLabel_, empty ? Colour::Red : Colour::Navy);
    filling_ = false;
    RefreshPictures();
}

bool UnitPage::Refused(UnitFieldId id, const UnitTexts& texts)
{
    return RefuseUnreadable(dialogs_, this, edits_[id], UnitFieldOf(id).Title, texts[id], "Unit");
}

bool UnitPage::SaveUnit()
{
    const UnitTexts texts = Texts();
    if (const auto bad = StoreUnitTexts(texts, oob_.UnitTable[oob_.CurrentUnit], UnitStore::Commit, &shown_))
        return Refused(*bad, texts);
    ShowUnit();
    return true;
}

bool UnitPage::FillXferBufferUnit(UnitRecord& xfer)
{
    const UnitTexts texts = Texts();
    UnitRecord read = xfer;
    if (const auto bad = StoreUnitTexts(texts, read, UnitStore::Copy, &shown_))
        return Refused(*bad, texts);
    xfer = read;
    return true;
}

void UnitPage::PasteToUnit(const UnitRecord& record, const PasteOptions& options)
{
    const std::vector<UnitFieldId> fields = UnitPasteFields(options);
    filling_ = true;
    if (fields.front() == UfName)
        numLabel_->setText(QStringLiteral("Unit ") + ToQt(Pad3(oob_.CurrentUnit)));
    for (UnitFieldId id : fields) {
        std::string text = UnitFieldText(record, id);
        if (id == UfNation) {
            const int nation = options.PasteAsNation ? oob_.CurrentOOB : record.Nation;
            text = std::to_string(nation);
            shown_.Nation = static_cast<std::uint8_t>(nation);
            ShowWhole(edits_[id], ToQt(text));
            nationLabel_->setText(ToQt(NationName(oob_.Names, nation)));
            continue;
        }
        CopyUnitField(record, shown_, id);
        ShowWhole(edits_[id], ToQt(text));
        if (id == UfClass)
            classLabel_->setText(ToQt(UnitClassName(oob_.Names, record.Class)));
        else if (id == UfMC)
            mcLabel_->setText(ToQt(MoveClassName(record.MC)));
        for (int k = 0; k < 4; ++k) {
            if (id == kWeaponFields[k])
                ShowWeaponName(k + 1, *ClampValue(0, 255, text));
        }
    }
    filling_ = false;
    RefreshPictures();
}

void UnitPage::EraseUnit()
{
    numLabel_->setText(QStringLiteral("Unit ") + ToQt(Pad3(oob_.CurrentUnit)));
    const UnitTexts t = ErasedUnitTexts();
    filling_ = true;
    for (UnitFieldId id : UnitShowOrder())
        ShowWhole(edits_[id], ToQt(t[id]));
    filling_ = false;
    nationLabel_->setText(ToQt(NationName(oob_.Names, 0)));
    classLabel_->setText(ToQt(UnitClassName(oob_.Names, 216)));
    mcLabel_->setText(ToQt(MoveClassName(0)));
    for (QLabel* l : weaponNames_)
        l->clear();
    RefreshPictures();
}

bool UnitPage::CheckUnitWeapons()
{
    const WeaponCheck check =
        brackle::CheckUnitWeapons(ToBytes(TextOf(UfClass)), WeaponTexts(), oob_.WeaponTable, &shown_);
    for (const RuleMessage& m : check.Messages)
        dialogs_.Message(this, kCaption, ToQt(m.Text), m.Error ? Dialogs::Icon::Error : Dialogs::Icon::Warning);
    return check.Ok;
}

void UnitPage::PaintNumberLabelNavy()
{
    PaintLabel(numLabel_, Colour::Navy);
}

void UnitPage::UnitPickUCBtnClick()
{
    const int n = PickFrom(dialogs_, this, PickUnitClass, oob_, 0, PickStart(edits_[UfClass]));
    if (n < 0)
        return;
    ShowWhole(edits_[UfClass], QString::number(n));  // redraws the icon
    classLabel_->setText(ToQt(UnitClassName(oob_.Names, n)));
}

void UnitPage::UnitPickMCBtnClick()
{
    const int n = PickFrom(dialogs_, this, PickMoveClass, oob_, 0, PickStart(edits_[UfMC]));
    if (n < 0)
        return;
    ShowWhole(edits_[UfMC], QString::number(n));
    mcLabel_->setText(ToQt(MoveClassName(n)));
}

void UnitPage::UnitGetNationBtnClick()
{
    const int n = PickFrom(dialogs_, this, PickNation, oob_, 0, PickStart(edits_[UfNation]));
    if (n < 0)
        return;
    ShowWhole(edits_[UfNation], QString::number(n));
    nationLabel_->setText(ToQt(NationName(oob_.Names, n)));
}

void UnitPage::UnitWpnPickBtnClick(int slot)
{
    QLineEdit* edit = edits_[kWeaponFields[slot - 1]];
    const int n = PickFrom(dialogs_, this, PickWeapon, oob_, 0, PickStart(edit));
    if (n < 0)
        return;
    ShowWhole(edit, QString::number(n));
    ShowWeaponName(slot, n);
}

void UnitPage::WirePictures()
{
    auto on = [this](UnitFieldId id, auto fn) { connect(edits_[id], &QLineEdit::textChanged, this, fn); };
    // The user's own change of the summer icon is the one that the seasonal
    // edits follow while they are disabled; showing a unit changes no number.
    on(UfIcon, [this] {
        if (!filling_)
            ShowIcons(UfIcon, true);
    });
    for (UnitFieldId id : {UfWinterIcon, UfDesertIcon}) {
        on(id, [this, id] {
            if (!filling_ && !following_)
                ShowIcons(id);
        });
    }
    // The class, crew and nation choose which images draw the unit. Typing one
    // passes through other classes on its way ("1", "13"): the seasonal edits
    // are enabled or not by it, but their numbers stay.
    for (UnitFieldId id : {UfClass, UfCrew, UfNation}) {
        on(id, [this] {
            if (!filling_)
                ShowIcons(UfIcon);
        });
    }
    on(UfPictureID, [this] {
        if (!filling_)
            UnitLBMEditChange();
    });
}

bool UnitPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::FocusIn) {
        for (UnitFieldId id : {UfIcon, UfWinterIcon, UfDesertIcon}) {
            if (watched == edits_[id])
                ShowIcons(id);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void UnitPage::SetGraphicsFolders(const std::filesystem::path& graphicsDir, const std::filesystem::path& picturesDir)
{
    graphics_.SetFolders(graphicsDir, picturesDir);
    RefreshPictures();
}

void UnitPage::SetIconMap(const IconMap* map)
{
    map_ = map ? map : &builtInMap_;
    RefreshPictures();
}

void UnitPage::SetTransparentColour(int colour)
{
    transparent_ = std::clamp(colour, 0, 255);
    ShowIcons(UfIcon);
}

void UnitPage::DropGraphicsCache()
{
    graphics_.Clear();
}

void UnitPage::RefreshPictures()
{
    ShowIcons(UfIcon);
    UnitLBMEditChange();
}

void UnitPage::HideIcons()
{
    for (int k = 0; k < 3; ++k) {
        iconImages_[k]->hide();
        iconImages_[k]->clear();
        shownIcons_[k].reset();
    }
}

void UnitPage::ShowIcon(IconPart part, const std::optional<IndexedImage>& image, int scale)
{
    QLabel* label = iconImages_[part];
    shownIcons_[part] = image;
    if (!image) {
        label->hide();
        label->clear();
        return;
    }
    QImage shown = IconQImage(*image);
    if (scale > 1)
        shown = shown.scaled(shown.size() * scale, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    // An icon larger than its area is shown whole, made smaller.
    if (shown.width() > kIconArea.width() || shown.height() > kIconArea.height())
        shown = shown.scaled(kIconArea, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    label->setPixmap(QPixmap::fromImage(shown));
    label->show();
}

void UnitPage::ShowIcons(UnitFieldId iconEdit, bool follow)
{
    const bool summer = iconEdit == UfIcon;
    const auto icons = ComposeUnitIconsFromTexts(
        *map_, ToBytes(TextOf(iconEdit)), ToBytes(TextOf(UfClass)), ToBytes(TextOf(UfCrew)), ToBytes(TextOf(UfNation)),
        [this](int v) { return graphics_.ShapeImage(v, static_cast<std::uint8_t>(transparent_)); });
    if (!icons) {
        HideIcons();  // an edit holds no number
        return;
    }
    // The hull and the turret share one scale, so the turret stays in place over its hull.
    QSize pair;
    for (const auto* image : {&icons->Hull, &icons->Turret}) {
        if (*image)
            pair = pair.expandedTo(QSize((*image)->Width, (*image)->Height));
    }
    const int pairScale = WholeScale(pair, kIconArea);
    ShowIcon(HullPart, icons->Hull, pairScale);
    ShowIcon(TurretPart, icons->Turret, pairScale);
    ShowIcon(BigPart, icons->Big,
             icons->Big ? WholeScale(QSize(icons->Big->Width, icons->Big->Height), kIconArea) : 1);
    if (!summer)
        return;
    edits_[UfWinterIcon]->setEnabled(icons->SeasonalEditsEnabled);
    edits_[UfDesertIcon]->setEnabled(icons->SeasonalEditsEnabled);
    if (follow && !icons->SeasonalEditsEnabled) {
        following_ = true;
        ShowWhole(edits_[UfWinterIcon], TextOf(UfIcon));
        ShowWhole(edits_[UfDesertIcon], TextOf(UfIcon));
        following_ = false;
    }
}

void UnitPage::UnitLBMEditChange()
{
    const auto n = ClampValue(0, kMaxPicture, ToBytes(TextOf(UfPictureID)));
    const std::optional<IndexedImage> picture = n ? graphics_.Picture(static_cast<int>(*n)) : std::nullopt;
    const QImage image = picture ? ToQImage(*picture) : QImage();
    if (image.isNull()) {
        lbmImage_->hide();
        lbmImage_->clear();
        return;
    }
    // Fitted to the frame, its shape kept: made smaller smoothly, larger by whole pixels.
    const bool grows = image.width() < kPictureArea.width() && image.height() < kPictureArea.height();
    lbmImage_->setPixmap(QPixmap::fromImage(image.scaled(
        kPictureArea, Qt::KeepAspectRatio, grows ? Qt::FastTransformation : Qt::SmoothTransformation)));
    lbmImage_->show();
}

void UnitPage::LBMPickButtonClick()
{
    const int start = static_cast<int>(ClampValue(0, kMaxPicture, ToBytes(TextOf(UfPictureID))).value_or(0));
    const std::optional<int> chosen =
        dialogs_.BrowsePicture(this, PathToQt(graphics_.PicturesDir()), start);
    if (!chosen)
        return;
    // The picture number is 16-bit: a choice beyond it is held at the largest it can keep.
    ShowWhole(edits_[UfPictureID], QString::number(std::clamp(*chosen, 0, 65535)));
}

}  // namespace brackle
