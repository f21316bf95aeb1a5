// The Weapons page's form: one weapon of the loaded file. The controls are the
// working copy; the record changes only when SaveWeapon runs (on Commit).
#pragma once

#include <QWidget>
#include <array>

#include "editors/weapon_fields.h"
#include "oob/records.h"

class QLabel;
class QLineEdit;

namespace brackle {

class Dialogs;

class WeaponPage : public QWidget {
    Q_OBJECT

public:
    WeaponPage(Oob& oob, Dialogs& dialogs, QWidget* parent = nullptr);

    // Fills every control from WeaponTable[CurrentWeapon].
    void ShowWeapon();
    // Stores the controls into WeaponTable[CurrentWeapon] and shows it again.
    // When a text is no number, says which and stores nothing; gives false then.
    bool SaveWeapon();
    // Clears every edit (the Erase command); nothing is stored.
    void EraseWeapon();
    // Reads the controls into xfer; refuses like SaveWeapon.
    bool FillXferBufferWpn(WeaponRecord& xfer);
    // Writes a record into the controls.
    void PasteToWeapon(const WeaponRecord& record);
    void WpnClassPickbtnClick();

    QLineEdit* Edit(WeaponFieldId id) const { return edits_[id]; }

private:
    QLineEdit* MakeEdit(WeaponFieldId id, QWidget* parent);
    WeaponTexts Texts() const;
    bool Refused(WeaponFieldId id, const WeaponTexts& texts);
    void WriteControls(const WeaponRecord& record, int slot);

    Oob& oob_;
    Dialogs& dialogs_;
    std::array<QLineEdit*, WeaponFieldCount> edits_{};
    QLabel* numLabel_ = nullptr;
    QLabel* classLabel_ = nullptr;
};

}  // namespace brackle
