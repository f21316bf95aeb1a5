#include "editors/formation_page.h"

#include <QEvent>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

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

const QString kCaption = QStringLiteral("Brackle");

QLabel* MakeLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* l = new QLabel(text, parent);
    if (!name.isEmpty())
        l->setObjectName(name);
    return l;
}

void Embolden(QLabel* label, double scale = 1.0)
{
    QFont f = label->font();
    f.setBold(true);
    if (scale != 1.0)
        f.setPointSizeF(f.pointSizeF() * scale);
    label->setFont(f);
}

int ToInt(long v)
{
    return static_cast<int>(std::clamp<long>(v, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

// The pick buttons of the slots; slot 6's name has come down this way.
QString SlotPickName(int k)
{
    return k == 6 ? QStringLiteral("FormSlot6Btn") : QStringLiteral("FormSlot%1PickBtn").arg(k);
}

QString TwoDigits(int k)
{
    return QStringLiteral("%1").arg(k, 2, 10, QLatin1Char('0'));
}

}  // namespace

FormationPage::FormationPage(Oob& oob, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), oob_(oob), dialogs_(dialogs)
{
    setObjectName(QStringLiteral("FormationForm"));
    // Group titles sit on the frame line, as on the other record pages.
    setStyleSheet(GroupBoxStyle());
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(4);
    // Built one after the other: the tab order follows the order the groups are made in.
    QWidget* identity = BuildIdentity();
    auto* right = new QVBoxLayout;
    right->setSpacing(4);
    right->addWidget(BuildAvailability());
    right->addWidget(BuildModifiers());
    right->addStretch(1);
    grid->addWidget(identity, 0, 0);
    grid->addLayout(right, 0, 1);
    grid->addWidget(BuildSlots(), 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(2, 1);

    connect(edits_[FfNation], &QLineEdit::textChanged, this, [this] {
        if (!rewriting_)
            NationEditChange();
    });
    connect(edits_[FfPage], &QLineEdit::textChanged, this, [this] {
        if (!rewriting_)
            PageEditChange();
    });
    connect(edits_[FfFormType], &QLineEdit::textChanged, this, [this] {
        if (!rewriting_ && !showingFormation_)
            TypeEditDone();
    });
    connect(edits_[FfFormType], &QLineEdit::editingFinished, this, [this] { TypeEditDone(); });
    for (int k = 1; k <= kFormationSlotCount; ++k) {
        connect(SlotEdit(k), &QLineEdit::textChanged, this, [this, k] {
            if (!rewriting_)
                ShowSlot(k);
        });
    }
    SlotEdit(1)->installEventFilter(this);
    TypeRule();
}

QLineEdit* FormationPage::MakeEdit(FormationFieldId id, QWidget* parent)
{
    const FormationField& f = FormationFieldOf(id);
    const int nameWidth = parent->fontMetrics().horizontalAdvance(QString(15, QLatin1Char('n'))) + 12;
    edits_[id] = MakeFieldEdit(parent, f.Control, f.Title, f.MaxChars, id == FfName, nameWidth, 4);
    return edits_[id];
}

QWidget* FormationPage::BuildIdentity()
{
    auto* g = new QGroupBox(QStringLiteral("Identity"), this);
    auto* grid = FormGrid(g);
    numLabel_ = MakeLabel(QStringLiteral("FormNamelabel"), ToQt(FormationNumberText(1)), g);
    Embolden(numLabel_, 1.25);
    PaintLabel(numLabel_, Colour::Navy);
    grid->addWidget(numLabel_, 0, 0, 1, 4);

    auto* nameCaption = MakeLabel(QString(), QStringLiteral("&Name"), g);
    nameCaption->setBuddy(MakeEdit(FfName, g));
    grid->addWidget(nameCaption, 1, 0);
    grid->addWidget(edits_[FfName], 1, 1, 1, 3);

    struct Row {
        const char* caption;
        FormationFieldId id;
        const char* button;
        const char* hint;
        const char* label;
        QLabel** target;
    };
    const Row rows[] = {
        {"Na&tion", FfNation, "FormPickNationBtn", "Choose which nation", "FormNationLabel", &nationLabel_},
        {"&Page", FfPage, "FormCatPickBtn",
         "The purchase page the formation is bought from (Default lets the game choose from slot 1's type)",
         "FormCatLabel", &pageLabel_},
        {"T&ype", FfFormType, "FormTypePickBtn", "", "FormTypeLabel", &typeLabel_},
    };
    int r = 2;
    for (const Row& row : rows) {
        auto* caption = MakeLabel(QString(), QString::fromLatin1(row.caption), g);
        caption->setBuddy(MakeEdit(row.id, g));
        auto* pick = MakePickButton(row.button, QString::fromLatin1(row.hint), g);
        *row.target = MakeLabel(QString::fromLatin1(row.label), QString(), g);
        (*row.target)->setMinimumWidth(90);
        PaintLabel(*row.target, Colour::Navy);
        grid->addWidget(caption, r, 0);
        grid->addWidget(edits_[row.id], r, 1);
        grid->addWidget(pick, r, 2);
        grid->addWidget(*row.target, r, 3);
        ++r;
    }
    typeRuleLabel_ = MakeLabel(QStringLiteral("LabelCo"), QString(), g);
    typeRuleLabel_->setWordWrap(true);
    PaintLabel(typeRuleLabel_, Colour::Navy);
    // Room for the longest description on two lines, so the page does not jump when it changes.
    typeRuleLabel_->setMinimumHeight(typeRuleLabel_->fontMetrics().lineSpacing() * 2);
    typeRuleLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    grid->addWidget(typeRuleLabel_, r, 0, 1, 4);
    grid->setColumnStretch(3, 1);

    connect(findChild<QToolButton*>(QStringLiteral("FormPickNationBtn")), &QToolButton::clicked, this,
            &FormationPage::FormPickNationBtnClick);
    connect(findChild<QToolButton*>(QStringLiteral("FormCatPickBtn")), &QToolButton::clicked, this,
            &FormationPage::FormCatPickBtnClick);
    connect(findChild<QToolButton*>(QStringLiteral("FormTypePickBtn")), &QToolButton::clicked, this,
            &FormationPage::FormTypePickBtnClick);
    return g;
}

QWidget* FormationPage::BuildAvailability()
{
    auto* g = new QGroupBox(QStringLiteral("Availability"), this);
    auto* grid = FormGrid(g);
    grid->addWidget(SmallNote(QStringLiteral("Month"), g), 0, 1, Qt::AlignHCenter);
    grid->addWidget(SmallNote(QStringLiteral("Year"), g), 0, 3, Qt::AlignHCenter);
    grid->addWidget(MakeLabel(QString(), QStringLiteral("From"), g), 1, 0);
    grid->addWidget(MakeEdit(FfMonthAvail, g), 1, 1);
    grid->addWidget(MakeLabel(QString(), QStringLiteral("/"), g), 1, 2);
    grid->addWidget(MakeEdit(FfYrAvail, g), 1, 3);
    grid->addWidget(YearLabel(edits_[FfYrAvail], "FormAvailYearLabel", g), 1, 4);
    edits_[FfYrAvail]->setToolTip(
        QStringLiteral("(if there is a 100 before the number, the formation is made unavailable - to the AI)"));
    grid->addWidget(MakeLabel(QString(), QStringLiteral("Until"), g), 2, 0);
    grid->addWidget(MakeEdit(FfMonthUntil, g), 2, 1);
    grid->addWidget(MakeLabel(QString(), QStringLiteral("/"), g), 2, 2);
    grid->addWidget(MakeEdit(FfYrUntil, g), 2, 3);
    grid->addWidget(YearLabel(edits_[FfYrUntil], "FormUntilYearLabel", g), 2, 4);
    auto* note = SmallNote(QStringLiteral("NB - Year Fields index 0=>1900 50=>1950 100=>2000 120=>2020"), g);
    note->setObjectName(QStringLiteral("FormYearNoteLabel"));
    note->setMaximumWidth(190);
    note->setMinimumHeight(note->heightForWidth(190));
    grid->addWidget(note, 3, 0, 1, 5);
    grid->setColumnStretch(4, 1);
    return g;
}

QWidget* FormationPage::BuildModifiers()
{
    auto* g = new QGroupBox(QStringLiteral("Modifiers"), this);
    auto* grid = FormGrid(g);
    auto* exp = MakeLabel(QString(), QStringLiteral("Experien&ce"), g);
    exp->setBuddy(MakeEdit(FfExpMod, g));
    auto* morale = MakeLabel(QString(), QStringLiteral("&Morale"), g);
    morale->setBuddy(MakeEdit(FfMoraleMod, g));
    grid->addWidget(exp, 0, 0);
    grid->addWidget(edits_[FfExpMod], 0, 1);
    grid->addWidget(morale, 0, 2);
    grid->addWidget(edits_[FfMoraleMod], 0, 3);
    grid->addWidget(SmallNote(QStringLiteral("-25 .. 25"), g), 0, 4);
    grid->setColumnStretch(4, 1);
    return g;
}

QWidget* FormationPage::BuildSlots()
{
    auto* g = new QGroupBox(QStringLiteral("Slots"), this);
    auto* grid = FormGrid(g);
    grid->setVerticalSpacing(1);
    const std::pair<int, const char*> headers[] = {
        {1, "Code"}, {3, "Unit or sub-formation"}, {4, "Type"}, {5, "Available"}};
    for (const auto& [column, text] : headers)
        grid->addWidget(SmallNote(QString::fromLatin1(text), g), 0, column,
                        column == 1 ? Qt::AlignHCenter : Qt::AlignLeft);
    const int typeWidth = fontMetrics().horizontalAdvance(QStringLiteral("ERROR - Not a section!")) + 6;
    // The date column also carries slot 1's error.
    const int dateWidth = fontMetrics().horizontalAdvance(QStringLiteral("ERROR - form in slot 1!")) + 6;
    for (int k = 1; k <= kFormationSlotCount; ++k) {
        auto* number = MakeLabel(QString(), QString::number(k), g);
        number->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid->addWidget(number, k, 0);
        QLineEdit* edit = MakeEdit(SlotField(k), g);
        edit->setToolTip(k == 1 ? QStringLiteral("MUST be a unit")
                                : QStringLiteral("Formation = 1000 + subformation number"));
        grid->addWidget(edit, k, 1);
        const QString hint = k == 1 ? QStringLiteral("slot 1 MUST be a unit - NOT a formation")
                                    : QStringLiteral("Right click to pick formation");
        const QByteArray pickName = SlotPickName(k).toLatin1();
        QToolButton* pick = MakePickButton(pickName.constData(), hint, g);
        connect(pick, &QToolButton::clicked, this, [this, k] { SlotUnitPick(k); });
        if (k > 1)
            pick->installEventFilter(this);
        slotPicks_[k - 1] = pick;
        grid->addWidget(pick, k, 2);
        slotNames_[k - 1] = MakeLabel(QStringLiteral("Formslot%1Label").arg(k), QString(), g);
        slotTypes_[k - 1] = MakeLabel(QStringLiteral("Form%1TypeLabel").arg(TwoDigits(k)), QString(), g);
        slotDates_[k - 1] = MakeLabel(QStringLiteral("Form%1DateLabel").arg(TwoDigits(k)), QString(), g);
        slotTypes_[k - 1]->setMinimumWidth(typeWidth);
        slotDates_[k - 1]->setMinimumWidth(dateWidth);
        grid->addWidget(slotNames_[k - 1], k, 3);
        grid->addWidget(slotTypes_[k - 1], k, 4);
        grid->addWidget(slotDates_[k - 1], k, 5);
    }
    Embolden(slotNames_[0]);  // slot 1 leads the formation
    grid->setColumnStretch(3, 1);
    grid->setColumnMinimumWidth(3, fontMetrics().horizontalAdvance(QString(15, QLatin1Char('n'))));

    auto* line = new QFrame(g);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    grid->addWidget(line, kFormationSlotCount + 1, 0, 1, 6);
    auto* totals = new QHBoxLayout;
    totals->setSpacing(2);
    totals->addWidget(MakeLabel(QString(), QStringLiteral("Total units : "), g));
    totalCount_ = MakeLabel(QStringLiteral("TotalCount"), QStringLiteral("0"), g);
    Embolden(totalCount_);
    totals->addWidget(totalCount_);
    totals->addSpacing(24);
    totals->addWidget(MakeLabel(QString(), QStringLiteral("Template men : "), g));
    totalCrew_ = MakeLabel(QStringLiteral("LabelTotalCrew"), QStringLiteral("0"), g);
    Embolden(totalCrew_);
    totals->addWidget(totalCrew_);
    totals->addStretch(1);
    grid->addLayout(totals, kFormationSlotCount + 2, 0, 1, 6);
    return g;
}

bool FormationPage::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyRelease && watched == SlotEdit(1)) {
        ClampSlot1();
        return false;
    }
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::RightButton) {
        for (int k = 2; k <= kFormationSlotCount; ++k) {
            if (watched == slotPicks_[k - 1]) {
                if (slotPicks_[k - 1]->isEnabled())
                    SlotFormationPick(k);
                return true;  // a right press never counts as a click
            }
        }
    }
    return QWidget::eventFilter(watched, event);
}

void FormationPage::Rewrite(QLineEdit* edit, const std::string& text)
{
    const QString t = ToQt(text);
    if (edit->text() == t)
        return;
    const bool was = rewriting_;
    rewriting_ = true;
    RewriteNumber(edit, t);
    rewriting_ = was;
}

FormationTexts FormationPage::Texts() const
{
    FormationTexts texts;
    for (int id = 0; id < FormationFieldCount; ++id)
        texts[id] = ToBytes(edits_[id]->text());
    return texts;
}

std::array<std::string, kFormationSlotCount> FormationPage::SlotTexts() const
{
    std::array<std::string, kFormationSlotCount> t;
    for (int k = 1; k <= kFormationSlotCount; ++k)
        t[k - 1] = ToBytes(SlotEdit(k)->text());
    return t;
}

void FormationPage::SetFieldText(FormationFieldId id, const std::string& text)
{
    // A stored value longer than the field's typing limit (a type of 255 from
    // some file) is shown whole: cutting it would change it on the next commit.
    ShowWhole(edits_[id], ToQt(text));
}

void FormationPage::TypeRule()
{
    typeRule_ = brackle::TypeRule(currentFormType_, oob_.CurrentFormation);
    typeRuleLabel_->setText(ToQt(typeRule_.Description));
}

void FormationPage::TypeEditDone()
{
    const int old = currentFormType_;
    const EditNumber n = PlainNumber(ToBytes(edits_[FfFormType]->text()));
    currentFormType_ = ToInt(n.Value);
    Rewrite(edits_[FfFormType], n.Text);
    typeLabel_->setText(ToQt(FormTypeName(currentFormType_)));
    TypeRule();
    if (currentFormType_ != old)
        ShowAllSlots();
}

void FormationPage::ShowSlot(int k)
{
    const SlotView v = SlotViewOf(oob_, k, ToBytes(SlotEdit(k)->text()), typeRule_, &shown_);
    Rewrite(SlotEdit(k), v.EditText);
    QLabel* name = slotNames_[k - 1];
    QLabel* type = slotTypes_[k - 1];
    QLabel* date = slotDates_[k - 1];
    name->setText(ToQt(v.Name));
    PaintLabel(name, v.NameColour);
    type->setText(ToQt(v.Type));
    PaintLabel(type, v.TypeColour);
    date->setText(ToQt(v.Date));
    PaintLabel(date, v.DateColour);
}

void FormationPage::ShowAllSlots()
{
    for (int k = 1; k <= kFormationSlotCount; ++k)
        ShowSlot(k);
}

void FormationPage::NationEditChange()
{
    const FormationNationLook look = FormationNationIndicator(ToBytes(edits_[FfNation]->text()), oob_.CurrentOOB);
    Rewrite(edits_[FfNation], look.Text);
    PaintEdit(edits_[FfNation], look.Edit);
    PaintLabel(nationLabel_, look.Label);
}

void FormationPage::PageEditChange()
{
    const long page = NumberIn(ToBytes(edits_[FfPage]->text())).value_or(0);
    if (page < 0)
        return;
    Rewrite(edits_[FfPage], std::to_string(page));
    pageLabel_->setText(ToQt(PageName(ToInt(page))));
}

void FormationPage::ClampSlot1()
{
    const QString text = SlotEdit(1)->text();
    const auto clamped = ClampText(0, kUnitSlots, ToBytes(text));
    if (clamped && ToQt(*clamped) != text)
        SlotEdit(1)->setText(ToQt(*clamped));  // runs ShowSlot(1)
}

void FormationPage::ShowFormation(bool applyBnHqRule)
{
    showingFormation_ = true;
    const int n = oob_.CurrentFormation;
    FormationRecord& record = oob_.FormationTable[static_cast<std::size_t>(n)];
    currentFormType_ = record.FormType;
    SetFieldText(FfFormType, std::to_string(record.FormType));
    typeLabel_->setText(ToQt(FormTypeName(record.FormType)));
    if (const auto message = applyBnHqRule ? ApplyBnHqRule(n, record) : std::nullopt) {
        currentFormType_ = record.FormType;
        SetFieldText(FfFormType, std::to_string(record.FormType));
        typeLabel_->setText(ToQt(FormTypeName(record.FormType)));
        dialogs_.Message(this, kCaption, ToQt(*message), Dialogs::Icon::Error);
    }
    editedFormType_ = currentFormType_;
    TypeRule();

    shown_ = record;
    numLabel_->setText(ToQt(FormationNumberText(n)));
    const FormationTexts texts = TextsOfFormation(record);
    for (FormationFieldId id : {FfName, FfNation, FfYrAvail, FfMonthAvail, FfYrUntil, FfMonthUntil, FfPage,
                                FfExpMod, FfMoraleMod})
        SetFieldText(id, texts[id]);
    nationLabel_->setText(ToQt(NationName(oob_.Names, record.Nation)));
    NationEditChange();  // the file's nation may have changed while the text stayed the same
    pageLabel_->setText(ToQt(PageName(record.Page)));
    for (int k = 1; k <= kFormationSlotCount; ++k) {
        SetFieldText(SlotField(k), texts[SlotField(k)]);
        ShowSlot(k);
    }
    totalCount_->setText(QString::number(FormationUnitCount(oob_, record)));
    totalCrew_->setText(QString::number(FormationCrew(oob_, record)));
    showingFormation_ = false;
}

bool FormationPage::Refused(FormationFieldId id, const FormationTexts& texts)
{
    return RefuseUnreadable(dialogs_, this, edits_[id], FormationFieldOf(id).Title, texts[id], "Formation");
}

bool FormationPage::SaveFormation()
{
    const FormationTexts texts = Texts();
    FormationRecord& record = oob_.FormationTable[static_cast<std::size_t>(oob_.CurrentFormation)];
    if (const auto bad = StoreFormationTexts(texts, record, &shown_))
        return Refused(*bad, texts);
    ShowFormation();
    return true;
}

bool FormationPage::CheckFormation()
{
    TypeEditDone();
    for (int k = 1; k <= kFormationSlotCount; ++k) {
        if (NumberOrZero(ToBytes(SlotEdit(k)->text())).Text != ToBytes(SlotEdit(k)->text()))
            ShowSlot(k);  // an empty or unreadable slot becomes "0"
    }
    // The rules judge what the commit stores: the clamped slots and type.
    const long type = FormationFieldValue(FfFormType, ToBytes(edits_[FfFormType]->text()), &shown_).value_or(0);
    const FormationCheck check = CheckFormationSlots(oob_, type, SlotTexts(), &shown_);
    if (!check.Ok)
        dialogs_.Message(this, kCaption, ToQt(check.Message), Dialogs::Icon::Error);
    return check.Ok;
}

void FormationPage::EraseFormation()
{
    numLabel_->setText(ToQt(FormationNumberText(oob_.CurrentFormation)));
    // The change rules put "0" back into the nation, page, type and slot edits.
    for (QLineEdit* e : edits_)
        e->clear();
    for (QLabel* l : {nationLabel_, pageLabel_, typeLabel_})
        l->clear();
    for (int k = 0; k < kFormationSlotCount; ++k) {
        slotNames_[k]->clear();
        slotTypes_[k]->clear();
        slotDates_[k]->clear();
    }
    totalCount_->setText(QStringLiteral("0"));
    totalCrew_->setText(QStringLiteral("0"));
}

bool FormationPage::FillXferBufferFormation(FormationRecord& xfer)
{
    const FormationTexts texts = Texts();
    FormationRecord read = xfer;
    if (const auto bad = StoreFormationTexts(texts, read, &shown_))
        return Refused(*bad, texts);
    xfer = read;
    return true;
}

void FormationPage::PasteToFormation(const FormationRecord& record, bool pasteAsNation)
{
    // Each edit is written as if typed, so its change rule runs.
    const FormationTexts texts = TextsOfFormation(record);
    const int nation = pasteAsNation ? oob_.CurrentOOB : record.Nation;
    shown_ = record;
    shown_.Nation = static_cast<std::uint8_t>(nation);
    numLabel_->setText(ToQt(FormationNumberText(oob_.CurrentFormation)));
    SetFieldText(FfName, texts[FfName]);
    SetFieldText(FfNation, std::to_string(nation));
    nationLabel_->setText(ToQt(NationName(oob_.Names, nation)));
    NationEditChange();
    SetFieldText(FfYrAvail, texts[FfYrAvail]);
    SetFieldText(FfYrUntil, texts[FfYrUntil]);
    SetFieldText(FfPage, texts[FfPage]);
    pageLabel_->setText(ToQt(PageName(record.Page)));
    SetFieldText(FfFormType, texts[FfFormType]);
    TypeEditDone();  // also when the text was already the same
    for (int k = 1; k <= kFormationSlotCount; ++k) {
        SetFieldText(SlotField(k), texts[SlotField(k)]);
        ShowSlot(k);
    }
    for (FormationFieldId id : {FfMonthAvail, FfMonthUntil, FfExpMod, FfMoraleMod})
        SetFieldText(id, texts[id]);
}

int FormationPage::CurrentFormType() const
{
    return currentFormType_;
}

bool FormationPage::IsCompanyType() const
{
    return typeRule_.IsCompanyType;
}

bool FormationPage::IsCombatGroup() const
{
    return typeRule_.IsCombatGroup;
}

int FormationPage::EditedFormType() const
{
    return editedFormType_;
}

void FormationPage::FormPickNationBtnClick()
{
    const int n = PickFrom(dialogs_, this, PickNation, oob_, editedFormType_, PickStart(edits_[FfNation]));
    if (n < 0)
        return;
    ShowWhole(edits_[FfNation], QString::number(n));
    nationLabel_->setText(ToQt(NationName(oob_.Names, n)));
}

void FormationPage::FormCatPickBtnClick()
{
    const int n = PickFrom(dialogs_, this, PickPage, oob_, editedFormType_, PickStart(edits_[FfPage]));
    if (n < 0)
        return;
    ShowWhole(edits_[FfPage], QString::number(n));
    pageLabel_->setText(ToQt(PageName(n)));
}

void FormationPage::FormTypePickBtnClick()
{
    int n = FormBnHq;
    if (TypeIsBnHqOnly(oob_.CurrentFormation)) {
        dialogs_.Message(this, kCaption, ToQt(BnHqOnlyMessage()), Dialogs::Icon::Information);
    } else {
        n = PickFrom(dialogs_, this, PickFormType, oob_, editedFormType_, PickStart(edits_[FfFormType]));
        if (n < 0)
            return;
    }
    SetFieldText(FfFormType, std::to_string(n));
    TypeEditDone();  // the label, the type rule and the slots follow the new type
    editedFormType_ = currentFormType_;
}

void FormationPage::SlotUnitPick(int k)
{
    // A slot holding a sub-formation names no entry of the unit list.
    const int n = PickFrom(dialogs_, this, PickUnit, oob_, editedFormType_, PickStart(SlotEdit(k)));
    if (n < 0)
        return;
    ShowWhole(SlotEdit(k), QString::number(n));
    ShowSlot(k);
}

void FormationPage::SlotFormationPick(int k)
{
    if (!typeRule_.IsCompanyType)
        return;  // only companies, combat groups and the Bn HQ hold sub-formations
    // The list opens on the sub-formation the slot holds; a unit there is no
    // entry of the formation list, so none is selected.
    const long v = PickStart(SlotEdit(k));
    const long current = v == 0 ? 0 : (v > kUnitSlots ? v - 1000 : -1);
    const int n = PickFrom(dialogs_, this, PickFormation, oob_, editedFormType_, current);
    if (n < 0)
        return;
    ShowWhole(SlotEdit(k), QString::number(n > 0 ? 1000 + n : 0));
    ShowSlot(k);
}

}  // namespace brackle
