// The reclassify dialog: gives every unit of one class another class. It is
// made for each use and stays open for as many reclassifications as the user
// wants; each writes straight into the unit table.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class QStatusBar;
class QToolButton;

namespace brackle {

class Dialogs;
struct Oob;

class TFormReclassify : public QDialog {
    Q_OBJECT
public:
    TFormReclassify(Oob& oob, Dialogs& dialogs, QWidget* parent = nullptr);

    // Reclassify: every unit of the class in EditFrom gets the class in EditTo
    // (both clamped to 0..255); StatusBar1 shows the count.
    void BitBtn1Click();
    void UnitWpn1PickBtnClick();
    void SpeedButton1Click();

protected:
    // Both numbers "0" and both names "Fort" each time the dialog is shown.
    void showEvent(QShowEvent* event) override;

private:
    void ShowClassOf(const QLineEdit* edit, QLineEdit* desc);

    Oob& oob_;
    Dialogs& dialogs_;
    QLineEdit* EditFrom;
    QToolButton* UnitWpn1PickBtn;
    QLineEdit* EditFromdesc;
    QLineEdit* EditTo;
    QToolButton* SpeedButton1;
    QLineEdit* EditToDesc;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
    QStatusBar* StatusBar1;
};

}  // namespace brackle
