// The commands that act on the record of the current page: commit, restore,
// erase, move, find and search-and-replace, and the transfer records that
// copies, pastes and moves pass through.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>

#include "app/main_window.h"
#include "editors/formation_page.h"
#include "editors/formation_rules.h"
#include "editors/pick_list.h"
#include "editors/record_lists.h"
#include "editors/step_labels.h"
#include "editors/unit_page.h"
#include "editors/weapon_page.h"
#include "oob/changes.h"
#include "oob/history.h"
#include "oob/text.h"
#include "widgets/dialogs_qt.h"
#include "widgets/pick_form.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

const QString kCaption = QStringLiteral("Brackle");

// The paste buffer of a page's kind (1 units, 2 weapons, 3 formations).
int BufferKindOf(int kind)
{
    return kind == 1 ? UnitBuffer : (kind == 2 ? WeaponBuffer : FormationBuffer);
}

}  // namespace

int TSDIAppForm::PageKind() const
{
    switch (pageMode_) {
    case 1:
        return 2;
    case 2:
        return 1;
    case 3:
        return 3;
    default:
        return 0;
    }
}

int& TSDIAppForm::CurrentSlot(int kind)
{
    return kind == 1 ? oob_.CurrentUnit : (kind == 2 ? oob_.CurrentWeapon : oob_.CurrentFormation);
}

void TSDIAppForm::Tracked(const std::function<void()>& command)
{
    Tracked(command, StepLabel{});
}

void TSDIAppForm::Tracked(const std::function<void()>& command, const std::string& label)
{
    Tracked(command, [&label](const ChangeCounts&) { return label; });
}

void TSDIAppForm::Tracked(const std::function<void()>& command, const StepLabel& label)
{
    if (tracking_) {
        command();
        return;
    }
    tracking_ = true;
    const TablesSnapshot before = SnapshotTables(oob_);
    command();
    tracking_ = false;
    // A command that recorded its own steps has moved the revision on already.
    if (oob_.Revision == before.Revision)
        RecordStep(oob_, before, label);
    HistoryChanged();
}

void TSDIAppForm::HistoryChanged()
{
    RefreshCaption();  // the Edit menu too
}

void TSDIAppForm::Undo1Click()
{
    if (!oob_.FileLoaded || tracking_)
        return;
    if (const auto label = UndoStep(oob_)) {
        RefreshAfterHistory();
        HistoryChanged();
        SetStatus(QStringLiteral("Undone: ") + ToQt(*label));
    }
}

void TSDIAppForm::Redo1Click()
{
    if (!oob_.FileLoaded || tracking_)
        return;
    if (const auto label = RedoStep(oob_)) {
        RefreshAfterHistory();
        HistoryChanged();
        SetStatus(QStringLiteral("Redone: ") + ToQt(*label));
    }
}

void TSDIAppForm::RefreshAfterHistory()
{
    // The control that had the focus keeps it (a refill focuses the list).
    QWidget* focus = QApplication::focusWidget();
    if (pageMode_ == 5) {
        commentEdit_->setText(ToQt(oob_.OOBInfo));
    } else if (const int kind = PageKind()) {
        FillList(kind, CurrentSlot(kind));
        // Shown as stored: a second Bn HQ that the undo brought back is made a
        // Company only when it is next shown or committed, or the reset would
        // be a new step that ends the redo.
        if (kind == 3)
            formationPage_->ShowFormation(false);
        else
            ShowPage(kind);
    }
    if (focus && focus->isVisible())
        focus->setFocus();
}

void TSDIAppForm::ShowPage(int kind)
{
    if (kind == 1)
        ShowUnit();
    else if (kind == 2)
        ShowWeapon();
    else if (kind == 3)
        ShowFormation();
}

bool TSDIAppForm::CommitPage(bool rulesChecked)
{
    switch (pageMode_) {
    case 1:
        if (!weaponPage_->SaveWeapon())
            return false;
        ShowWeapon();
        ListBoxUpdate(oob_.CurrentWeapon, 2);
        return true;
    case 2: {
        unitPage_->PaintNumberLabelNavy();
        const bool allowed = rulesChecked || unitPage_->CheckUnitWeapons();
        // A text that is no number keeps the typed values on the page for mending.
        if (allowed && !unitPage_->SaveUnit())
            return false;
        ShowUnit();
        ListBoxUpdate(oob_.CurrentUnit, 1);
        return allowed;
    }
    case 3:
        if (!rulesChecked && !formationPage_->CheckFormation()) {
            dialogs_.Message(this, kCaption, QStringLiteral("Formation data was NOT saved!"),
                             Dialogs::Icon::Warning);
            return false;
        }
        if (!formationPage_->SaveFormation())
            return false;
        ShowFormation();
        ListBoxUpdate(oob_.CurrentFormation, 3);
        return true;
    case 5:
        SaveInfo();
        ShowInfo();
        return true;
    default:
        SetStatus(QStringLiteral("Unknown Page!"));
        return false;
    }
}

void TSDIAppForm::CommitButtonClick()
{
    const int kind = PageKind();
    const int slot = kind != 0 ? CurrentSlot(kind) : 0;
    const std::string nameBefore = kind != 0 ? SlotName(oob_, kind, slot) : std::string();
    bool stored = false;
    Tracked([&] { stored = CommitPage(false); },
            [&](const ChangeCounts&) {
                return kind == 0 ? InfoCommitLabel() : CommitLabel(kind, slot, nameBefore, SlotName(oob_, kind, slot));
            });
    // Said also when the record already held these values: the key did its work.
    if (stored)
        SetStatus(ToQt(CommittedText(kind, slot)));
}

void TSDIAppForm::RestoreButtonClick()
{
    switch (pageMode_) {
    case 1:
        ShowWeapon();
        break;
    case 2:
        ShowUnit();
        break;
    case 3:
        ShowFormation();
        break;
    default:
        SetStatus(QStringLiteral("Wrong Page"));
        break;
    }
}

void TSDIAppForm::EraseButtonClick()
{
    switch (pageMode_) {
    case 1:
        weaponPage_->EraseWeapon();
        break;
    case 2:
        unitPage_->EraseUnit();
        break;
    case 3:
        formationPage_->EraseFormation();
        break;
    default:
        break;
    }
}

bool TSDIAppForm::FillXferBufferUnit()
{
    if (!unitPage_->FillXferBufferUnit(xfer_.Unit.Rec))
        return false;
    xfer_.Unit.SourceNation = oob_.CurrentOOB;
    return true;
}

bool TSDIAppForm::FillXferBufferWpn()
{
    if (!weaponPage_->FillXferBufferWpn(xfer_.Weapon.Rec))
        return false;
    xfer_.Weapon.SourceNation = oob_.CurrentOOB;
    return true;
}

bool TSDIAppForm::FillXferBufferFormation()
{
    if (!formationPage_->FillXferBufferFormation(xfer_.Formation.Rec))
        return false;
    xfer_.Formation.SourceNation = oob_.CurrentOOB;
    return true;
}

bool TSDIAppForm::FillXfer(int kind)
{
    return kind == 1 ? FillXferBufferUnit() : (kind == 2 ? FillXferBufferWpn() : FillXferBufferFormation());
}

void TSDIAppForm::PasteToPage(int kind)
{
    if (kind == 1)
        PasteToUnit();
    else if (kind == 2)
        PasteToWeapon();
    else
        PasteToFormation();
}

void TSDIAppForm::PasteToUnit()
{
    unitPage_->PasteToUnit(xfer_.Unit.Rec, pasteOptions_);
}

void TSDIAppForm::PasteToWeapon()
{
    weaponPage_->PasteToWeapon(xfer_.Weapon.Rec);
}

void TSDIAppForm::PasteToFormation()
{
    formationPage_->PasteToFormation(xfer_.Formation.Rec, pasteOptions_.PasteAsNation);
}

void TSDIAppForm::SpeedButton_MoveClick()
{
    const int kind = PageKind();
    if (kind == 0)
        return;
    const int pickKind = kind == 1 ? PickUnit : (kind == 2 ? PickWeapon : PickFormation);
    const int from = CurrentSlot(kind);
    // The target is a slot: every slot of the table is offered, companies
    // included; the list opens on the record itself, so OK at once moves nothing.
    const int to = PickFromList(dialogs_, this, MakeSlotList(pickKind, oob_), from);
    if (to < 1 || to == from)
        return;

    // The target's rules run on the record before anything changes, so a move
    // that the target would refuse leaves both slots as they were.
    if (kind == 1 && !unitPage_->CheckUnitWeapons())
        return;
    if (kind == 3 && !formationPage_->CheckFormation())
        return;
    // The whole record moves: fields without a control come from the stored record.
    if (kind == 1)
        xfer_.Unit.Rec = oob_.UnitTable[from];
    else if (kind == 2)
        xfer_.Weapon.Rec = oob_.WeaponTable[from];
    else
        xfer_.Formation.Rec = oob_.FormationTable[from];
    if (!FillXfer(kind))
        return;
    if (SlotInUse(oob_, kind, to) &&
        !dialogs_.Question(this, QStringLiteral("Move"),
                           QStringLiteral("Slot %1 already holds \"%2\".\r\n\r\nOverwrite it with slot %3?")
                               .arg(ToQt(Pad3(to)), ToQt(Trim(SlotName(oob_, kind, to))),
                                    ToQt(Pad3(from)))))
        return;

    // A Bn HQ may only be formation 1: the moved record is reset once, here,
    // rather than each time the target is shown.
    if (kind == 3) {
        if (const auto message = ApplyBnHqRule(to, xfer_.Formation.Rec))
            dialogs_.Message(this, kCaption, ToQt(*message), Dialogs::Icon::Error);
    }
    const std::string name = SlotName(oob_, kind, from);
    Tracked([&] { MoveTo(kind, to); }, MoveLabel(kind, from, to, name));
    SetStatus(ToQt(MovedText(kind, from, to)));
}

void TSDIAppForm::MoveTo(int kind, int to)
{
    // The old slot is stored empty.
    EraseButtonClick();
    CommitPage(true);

    // The whole record goes to the target first, so fields without a control (a
    // unit's spare bytes) travel with it; the paste and commit below then store
    // the page's fields through the page's rules, as any commit does.
    if (kind == 1)
        oob_.UnitTable[to] = xfer_.Unit.Rec;
    else if (kind == 2)
        oob_.WeaponTable[to] = xfer_.Weapon.Rec;
    else
        oob_.FormationTable[to] = xfer_.Formation.Rec;

    CurrentSlot(kind) = to;
    SelectSlot(kind, to);
    ShowPage(kind);

    // A move ignores the paste options: it always writes the whole record.
    const PasteOptions saved = pasteOptions_;
    pasteOptions_ = PasteOptions{};
    PasteToPage(kind);
    pasteOptions_ = saved;
    CommitPage(true);
    ShowPage(kind);
}

void TSDIAppForm::SpeedButtonFindClick()
{
    const std::string typed = ToBytes(editFind_->currentText());
    const std::string s = Lower(Trim(typed));
    if (s.empty()) {
        dialogs_.Message(this, kCaption, QStringLiteral("Please enter a search string!"), Dialogs::Icon::Warning);
        return;
    }
    // The history: most recent first, in lower case, each search once.
    bool known = false;
    for (int i = 0; i < editFind_->count(); ++i)
        known = known || Trim(ToBytes(editFind_->itemText(i))) == s;
    if (!known) {
        const QString text = editFind_->currentText();
        editFind_->insertItem(0, ToQt(s));
        editFind_->setCurrentIndex(-1);
        editFind_->setEditText(text);
    }
    const int kind = PageKind();
    if (kind == 0)
        return;
    const std::string needle = Upper(Trim(typed));
    int& current = CurrentSlot(kind);
    const int found = FindNext(oob_, kind, current, needle);
    if (found > 0)
        current = found;
    SelectSlot(kind, current);
    ShowPage(kind);
    if (found == 0) {
        const char* what = kind == 1 ? "unit" : (kind == 2 ? "weapon" : "formation");
        dialogs_.Message(this, kCaption,
                         QStringLiteral("Could not find a %1 name containing ").arg(QString::fromLatin1(what)) +
                             ToQt(needle),
                         Dialogs::Icon::Information);
    }
}

void TSDIAppForm::SpeedButtonSandRClick()
{
    const int kind = PageKind();
    if (kind == 0)
        return;
    QString find, replacement;
    if (!dialogs_.SearchAndReplace(this, &find, &replacement))
        return;
    int renamed = 0;
    Tracked([&] { renamed = ReplaceWholeNames(oob_, kind, Upper(Trim(ToBytes(find))), Trim(ToBytes(replacement))); },
            [&](const ChangeCounts&) { return ReplaceLabel(kind, ToBytes(find), ToBytes(replacement), renamed); });
    FillList(kind, CurrentSlot(kind));
    ShowPage(kind);
    SetStatus(QStringLiteral("Names replaced: %1").arg(renamed));
    update();
}

void TSDIAppForm::CopyButtonClick()
{
    const int kind = PageKind();
    if (kind == 0)
        return;
    // A page whose text is no number copies nothing.
    if (!FillXfer(kind))
        return;
    PasteRequest request{BufferKindOf(kind), CopyToBuffer, &buffers_, &xfer_, &pasteOptions_, &oob_};
    dialogs_.PasteBuffer(this, request);
}

void TSDIAppForm::PasteButtonClick()
{
    const int kind = PageKind();
    if (kind == 0)
        return;
    PasteRequest request{BufferKindOf(kind), PasteFromBuffer, &buffers_, &xfer_, &pasteOptions_, &oob_};
    PasteResult result = PasteResult::Cancel;
    Tracked(
        [&] {
            result = dialogs_.PasteBuffer(this, request);  // All writes the table
            // Shown within the step: a second Bn HQ pasted into the formation
            // shown becomes a Company as it is shown, and that is part of the paste.
            if (result == PasteResult::All) {
                ShowPage(kind);
                FillList(kind, CurrentSlot(kind));
            }
        },
        [kind](const ChangeCounts& changed) { return PasteAllLabel(kind, changed.Records()); });
    if (result == PasteResult::Ok)
        PasteToPage(kind);  // the pasted values wait on the page for a commit
}

}  // namespace brackle
