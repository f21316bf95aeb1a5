// The Units page's form: one unit of the loaded file as edits, derived labels
// and colour indicators. The controls are the working copy; the record changes
// only when SaveUnit runs (on Commit).
#pragma once

#include <QColor>
#include <QWidget>
#include <array>

#include "editors/unit_fields.h"
#include "editors/unit_rules.h"
#include "oob/records.h"

class QLabel;
class QLineEdit;
class QToolButton;

namespace brackle {

class Dialogs;

class UnitPage : public QWidget {
    Q_OBJECT

public:
    UnitPage(Oob& oob, Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills every control from UnitTable[CurrentUnit].
    void ShowUnit();
    // Stores the controls into UnitTable[CurrentUnit], applies the class rules and
    // shows the unit again. When a text is no number, says which and stores
    // nothing; gives false then.
    bool SaveUnit();
    // The weapon rules over the values a commit of the page's texts stores; shows
    // their messages; true when the unit may be saved.
    bool CheckUnitWeapons();
    // Commit paints the number label navy before it checks the unit.
    void PaintNumberLabelNavy();
    // Clears the page the way the Erase command does; nothing is stored.
    void EraseUnit();
    // Reads the controls into xfer; fields without a control keep what xfer held.
    // Refuses like SaveUnit when a text is no number.
    bool FillXferBufferUnit(UnitRecord& xfer);
    // Writes a record into the controls as a paste does, following the options.
    void PasteToUnit(const UnitRecord& record, const PasteOptions& options);

    // The pick buttons.
    void UnitPickUCBtnClick();
    void UnitPickMCBtnClick();
    void UnitGetNationBtnClick();
    void UnitWpnPickBtnClick(int slot);  // slot 1..4

    QLineEdit* Edit(UnitFieldId id) const { return edits_[id]; }
    UnitTexts Texts() const;

signals:
    // The icon and picture panel should redraw (class, icons or picture changed).
    void pictureRefreshRequested();

private:
    QWidget* BuildIdentity();
    QWidget* BuildPictures();
    QWidget* BuildAvailability();
    QWidget* BuildCapacity();
    QWidget* BuildSensors();
    QWidget* BuildWeapons();
    QWidget* BuildArmour();
    QLineEdit* MakeEdit(UnitFieldId id, QWidget* parent);
    QLabel* MakeLabel(const char* name, const QString& text, QWidget* parent);
    void WireIndicators();
    QString TextOf(UnitFieldId id) const;
    std::array<std::string, 4> WeaponTexts() const;
    void RunEWRule();
    void RunROF();
    void RunNationRule();
    void ShowWeaponName(int slot, int weapon);
    bool Refused(UnitFieldId id, const UnitTexts& texts);

    Oob& oob_;
    Dialogs& dialogs_;
    // The record the edits were last written from (by ShowUnit, field by field by
    // a paste): a commit keeps its value in every field the user left as it was.
    UnitRecord shown_;
    std::array<QLineEdit*, UnitFieldCount> edits_{};
    QLabel* numLabel_ = nullptr;
    QLabel* nationLabel_ = nullptr;
    QLabel* classLabel_ = nullptr;
    QLabel* mcLabel_ = nullptr;
    std::array<QLabel*, 4> weaponNames_{};
    QLabel* visionLabel_ = nullptr;  // Label58
    QLabel* rfLabel_ = nullptr;      // Label60
    QLabel* fcLabel_ = nullptr;      // Label61
    QLabel* sdLabel_ = nullptr;      // Label62
    QLabel* rofLabel_ = nullptr;     // Label63
    QLabel* ewLabel_ = nullptr;      // Label42
    QLabel* ewNote_ = nullptr;       // LabelEW
};

// The screen colour of an indicator colour; WindowText is the palette's own.
QColor ScreenColour(Colour c, bool forEdit);
void PaintEdit(QLineEdit* edit, Colour c);
void PaintLabel(QLabel* label, Colour c);

}  // namespace brackle
