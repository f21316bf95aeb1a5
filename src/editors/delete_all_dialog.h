// The delete-all dialog: chooses a nation whose units and formations are to be
// cleared. It is made once and kept, so its choices persist between uses. The
// nation deleted is always the one its edit shows, typed or picked.
#pragma once

#include <QDialog>

#include "editors/bulk_edits.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace brackle {

class Dialogs;
struct Oob;

class TFormDeleteAll : public QDialog {
    Q_OBJECT
public:
    TFormDeleteAll(Oob& oob, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the dialog modally; true when Delete was confirmed with Yes. The
    // choices confirmed are then kept by Nation, DeleteUnits and DeleteFormations.
    bool Choose();

    // Clears what the last confirmed choice marked; gives how many records it cleared.
    BulkCounts DeleteMarked();

    int Nation() const { return nation_; }
    bool DeleteUnits() const { return deleteUnits_; }
    bool DeleteFormations() const { return deleteFormations_; }

    // Delete: asks "Really delete these items?"; Yes takes the choices and closes
    // the dialog as confirmed, No leaves it open.
    void BitBtn1Click();
    void UnitWpn1PickBtnClick();

private:
    void ShowNation();

    Oob& oob_;
    Dialogs& dialogs_;
    QLineEdit* RenatFromEdit;
    QToolButton* UnitWpn1PickBtn;
    QLabel* Label4;
    QCheckBox* CheckBoxDelUnits;
    QCheckBox* CheckBoxDelFormations;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    int nation_ = 0;
    bool deleteUnits_ = true;
    bool deleteFormations_ = true;
};

}  // namespace brackle
