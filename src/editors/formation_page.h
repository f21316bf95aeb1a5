// The Formations page's form: one formation of the loaded file, its ten slots
// with the live type checks beside them, and its totals. The controls are the
// working copy; the record changes only when SaveFormation runs (on Commit).
#pragma once

#include <QWidget>

#include "oob/records.h"

namespace brackle {

class Dialogs;

class FormationPage : public QWidget {
    Q_OBJECT

public:
    FormationPage(Oob& oob, Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills every control from FormationTable[CurrentFormation] (a type-5
    // formation other than formation 1 is reset to Company, with a message).
    void ShowFormation();
    // Stores the controls into FormationTable[CurrentFormation] and shows it
    // again. When a text is no number, says which and stores nothing; gives false then.
    bool SaveFormation();
    // The formation rules over the page; shows their messages; true when the formation may be saved.
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
};

}  // namespace brackle
