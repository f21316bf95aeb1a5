// The Formations page's form: one formation of the loaded file, its ten slots
// with the live type checks beside them, and its totals. The controls are the
// working copy; the record changes only when SaveFormation runs (on Commit).
#pragma once

#include <QWidget>
#include <array>

#include "editors/formation_fields.h"
#include "editors/formation_rules.h"
#include "oob/records.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace brackle {

class Dialogs;

class FormationPage : public QWidget {
    Q_OBJECT

public:
    FormationPage(Oob& oob, Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills every control from FormationTable[CurrentFormation] (a type-5
    // formation other than formation 1 is reset to Company, with a message,
    // unless applyBnHqRule is false: then it is shown as stored).
    void ShowFormation(bool applyBnHqRule = true);
    // Stores the controls into FormationTable[CurrentFormation] and shows it
    // again. When a text is no number, says which and stores nothing; gives false then.
    bool SaveFormation();
    // The formation rules over the values a commit of the page stores; shows their
    // messages; true when the formation may be saved.
    bool CheckFormation();
    // Clears the controls (the Erase command); nothing is stored.
    void EraseFormation();

    // Reads the controls into xfer (every field of the record has a control).
    // When a text is no number, says which, leaves xfer alone and gives false.
    bool FillXferBufferFormation(FormationRecord& xfer);
    // Writes a record into the controls; with pasteAsNation the nation becomes CurrentOOB.
    void PasteToFormation(const FormationRecord& record, bool pasteAsNation);

    // The type the page works with, and the FormType of the formation shown,
    // which decides the formations a slot's pick list offers.
    int CurrentFormType() const;
    bool IsCompanyType() const;
    bool IsCombatGroup() const;
    int EditedFormType() const;

    QLineEdit* Edit(FormationFieldId id) const { return edits_[id]; }
    FormationTexts Texts() const;

protected:
    // Right presses on the slot buttons and key releases in slot 1's edit.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* BuildIdentity();
    QWidget* BuildAvailability();
    QWidget* BuildModifiers();
    QWidget* BuildSlots();
    QLineEdit* MakeEdit(FormationFieldId id, QWidget* parent);
    QLineEdit* SlotEdit(int k) const { return edits_[SlotField(k)]; }
    // Sets an edit's text without running its own change rule again; a "0" put in
    // for a text that was no number is selected, so typing replaces it.
    void Rewrite(QLineEdit* edit, const std::string& text);
    // Shows a value in its edit as a paste or a show writes it (its change rule runs).
    void SetFieldText(FormationFieldId id, const std::string& text);
    std::array<std::string, kFormationSlotCount> SlotTexts() const;

    // The change rules and page operations.
    void TypeRule();
    void TypeEditDone();
    void ShowSlot(int k);
    void ShowAllSlots();
    void NationEditChange();
    void PageEditChange();
    void ShowNation(int nation);
    void ShowPage(int page);
    void ShowType(int type);
    void ClampSlot1();
    bool Refused(FormationFieldId id, const FormationTexts& texts);

    // The pick buttons.
    void FormPickNationBtnClick();
    void FormCatPickBtnClick();
    void FormTypePickBtnClick();
    void SlotUnitPick(int k);
    void SlotFormationPick(int k);

    Oob& oob_;
    Dialogs& dialogs_;
    // The record the edits were last written from (by ShowFormation or a paste):
    // a commit keeps its value in every field the user left as it was.
    FormationRecord shown_;
    std::array<QLineEdit*, FormationFieldCount> edits_{};
    QLabel* numLabel_ = nullptr;     // FormNamelabel
    QLabel* nationLabel_ = nullptr;  // FormNationLabel
    QLabel* pageLabel_ = nullptr;    // FormCatLabel
    QLabel* typeLabel_ = nullptr;    // FormTypeLabel
    QLabel* typeRuleLabel_ = nullptr;  // LabelCo
    std::array<QLabel*, kFormationSlotCount> slotNames_{};
    std::array<QLabel*, kFormationSlotCount> slotTypes_{};
    std::array<QLabel*, kFormationSlotCount> slotDates_{};
    std::array<QToolButton*, kFormationSlotCount> slotPicks_{};
    QLabel* totalCount_ = nullptr;
    QLabel* totalCrew_ = nullptr;

    int currentFormType_ = 0;
    int editedFormType_ = 0;
    TypeRuleState typeRule_;
    bool showingFormation_ = false;
    bool rewriting_ = false;
};

}  // namespace brackle
