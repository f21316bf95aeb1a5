// The record pages of the main window: their slot lists, stepping between
// slots, list clicks, the window's keys and its minimum size.
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QScrollArea>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

#include "app/main_window.h"
#include "editors/formation_page.h"
#include "editors/record_lists.h"
#include "editors/step_labels.h"
#include "editors/unit_page.h"
#include "editors/weapon_page.h"
#include "widgets/text_qt.h"

namespace brackle {

QWidget* TSDIAppForm::BuildRecordPage(QListWidget*& list, const char* listName, QWidget* form)
{
    auto* page = new QWidget;
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(4, 4, 4, 4);
    row->setSpacing(6);
    list = new QListWidget(page);
    list->setObjectName(QString::fromLatin1(listName));
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list->setUniformItemSizes(true);
    list->setFixedWidth(list->fontMetrics().horizontalAdvance(QString(20, QLatin1Char('M'))) + 24);
    row->addWidget(list);
    // The form scrolls rather than squeezes when the window is at its smallest,
    // and keeps that width when the window grows: its groups stay compact, each
    // label beside its edit, and the list and the spare room take the growth.
    auto* scroll = new QScrollArea(page);
    scroll->setObjectName(QString::fromLatin1(listName) + QStringLiteral("Form"));
    scroll->setWidget(form);
    scroll->setWidgetResizable(true);
    scroll->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    scroll->viewport()->installEventFilter(this);
    scroll->setFrameShape(QFrame::NoFrame);
    row->addWidget(scroll, 1);
    const int kind = list == unitList_ ? 1 : (list == weaponList_ ? 2 : 3);
    connect(list, &QListWidget::currentRowChanged, this, [this, kind] {
        if (!fillingList_)
            ListClicked(kind);
    });
    connect(list, &QListWidget::itemDoubleClicked, this, [this, kind] { ListClicked(kind); });
    // A click on the entry that was already selected changes no row: show it again,
    // so the click discards typed changes as any other click does.
    connect(list, &QListWidget::itemClicked, this, [this, kind, list] {
        if (list->currentRow() == pressedListRow_)
            ListClicked(kind);
    });
    scroll->setFocusPolicy(Qt::NoFocus);
    // Tab runs from the list through the form's controls in the order they were made.
    QWidget* previous = list;
    for (QWidget* control : form->findChildren<QWidget*>()) {
        if ((control->focusPolicy() & Qt::TabFocus) && !qobject_cast<QScrollArea*>(control)) {
            QWidget::setTabOrder(previous, control);
            previous = control;
        }
    }
    return page;
}

QListWidget* TSDIAppForm::ListOf(int kind) const
{
    return kind == 1 ? unitList_ : (kind == 2 ? weaponList_ : formationList_);
}

void TSDIAppForm::FillList(int kind, int n)
{
    QListWidget* list = ListOf(kind);
    const int last = LastSlot(kind);
    fillingList_ = true;
    QStringList entries;
    entries.reserve(last);
    for (int slot = 1; slot <= last; ++slot)
        entries.push_back(ToQt(ListEntryText(oob_, kind, slot)));
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(entries);
    list->setUpdatesEnabled(true);
    list->setCurrentRow(n - 1);
    fillingList_ = false;
    list->setFocus();
}

void TSDIAppForm::UnitlistboxInit(int n)
{
    FillList(1, n);
}

void TSDIAppForm::wpnlistboxInit(int n)
{
    FillList(2, n);
}

void TSDIAppForm::FormationlistboxInit(int n)
{
    FillList(3, n);
}

void TSDIAppForm::ListBoxUpdate(int slot, int kind)
{
    QListWidget* list = ListOf(kind);
    if (slot < 1 || slot > list->count())
        return;
    list->item(slot - 1)->setText(ToQt(ListEntryText(oob_, kind, slot)));
}

void TSDIAppForm::StepBy(int delta)
{
    // Off the record pages the buttons change nothing.
    if (const int kind = PageKind()) {
        int& current = CurrentSlot(kind);
        current = StepSlot(current, delta, LastSlot(kind));
        SelectSlot(kind, current);
        ShowPage(kind);
    }
    update();
}

void TSDIAppForm::SelectSlot(int kind, int slot)
{
    QListWidget* list = ListOf(kind);
    fillingList_ = true;
    if (slot <= list->count())
        list->setCurrentRow(slot - 1);
    fillingList_ = false;
}

void TSDIAppForm::Fwd1BtnClick()
{
    StepBy(1);
}

void TSDIAppForm::Back1BtnClick()
{
    StepBy(-1);
}

void TSDIAppForm::Fwd1BtnMouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        StepBy(10);
}

void TSDIAppForm::Back1BtnMouseDown(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        StepBy(-10);
}

void TSDIAppForm::ListClicked(int kind)
{
    const int row = ListOf(kind)->currentRow();
    if (row < 0)
        return;
    if (kind == 1) {
        oob_.CurrentUnit = row + 1;
        ShowUnit();
    } else if (kind == 2) {
        oob_.CurrentWeapon = row + 1;
        ShowWeapon();
    } else {
        oob_.CurrentFormation = row + 1;
        ShowFormation();
    }
}

void TSDIAppForm::UnitListBoxDblClick()
{
    ListClicked(1);
}

void TSDIAppForm::wpnlistboxDblClick()
{
    ListClicked(2);
}

void TSDIAppForm::FormationListBoxDblClick()
{
    ListClicked(3);
}

bool TSDIAppForm::FormKeyDown(int key, Qt::KeyboardModifiers modifiers)
{
    if (modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (key == Qt::Key_F12) {
        CommitButtonClick();
    } else if (key == Qt::Key_F11 || key == Qt::Key_F3) {
        if (!editFind_->isEnabled())
            return false;
        SpeedButtonFindClick();
    } else if (key == Qt::Key_F9) {
        RestoreButtonClick();
    } else if (key == Qt::Key_F5) {
        DumpIconBitmaps1Click();
    } else if (key == Qt::Key_F1) {
        HelpClick();
    } else {
        return false;
    }
    return true;
}

void TSDIAppForm::FitRecordForm(QScrollArea* area)
{
    // Everything a window grows by beyond its smallest size goes to the form's
    // area (the list keeps its width), so this is the width the form has there.
    const int smallest = area->viewport()->width() - (width() - minimumWidth());
    QWidget* form = area->widget();
    const int cap = std::max(smallest, form->minimumSizeHint().width());
    if (form->maximumWidth() != cap)
        form->setMaximumWidth(cap);
}

void TSDIAppForm::FormResize()
{
    // Most platforms hold the minimum size themselves; this catches those that do not.
    if (height() < minHeight_ || width() < minWidth_)
        resize(std::max(width(), minWidth_), std::max(height(), minHeight_));
}

void TSDIAppForm::ShowUnit()
{
    unitPage_->ShowUnit();
}

void TSDIAppForm::ShowPageAt(int page, int slot)
{
    if (page >= 0)
        viewer_->setCurrentIndex(page);
    const int kind = PageKind();
    if (kind == 0 || slot < 1)
        return;
    CurrentSlot(kind) = std::min(slot, LastSlot(kind));
    ViewerChange();
}

void TSDIAppForm::ShowWeapon()
{
    weaponPage_->ShowWeapon();
}

void TSDIAppForm::ShowFormation()
{
    // Showing a second Bn HQ makes it a Company in the table, which a save writes.
    Tracked([this] { formationPage_->ShowFormation(); },
            [this](const ChangeCounts&) {
                return BnHqResetLabel(oob_.CurrentFormation, oob_.FormationTable[oob_.CurrentFormation].Name);
            });
}

}  // namespace brackle
