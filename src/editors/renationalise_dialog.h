// The renationalise dialog: gives every unit and formation of one nation
// another nation's number. It stays open for as many renumberings as the user
// wants; each writes straight into the tables.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace brackle {

class Dialogs;
struct Oob;

class TRenatDlg : public QDialog {
    Q_OBJECT
public:
    TRenatDlg(Oob& oob, Dialogs& dialogs, QWidget* parent = nullptr);

    // Shows the current file in Label1 and puts its number into both edits.
    void Prepare(int currentOOB);

    // Renumber: every unit and formation of the nation in RenatFromEdit gets the
    // nation in RenatToEdit (both clamped to 0..99); Label6 shows the counts.
    void BitBtn1Click();
    void UnitWpn1PickBtnClick();
    void SpeedButton1Click();

signals:
    // The result line of a renumbering, for the main window's status bar.
    void statusText(const QString& text);

private:
    void ShowNationOf(const QLineEdit* edit, QLabel* label);
    // The edit's number clamped to 0..99, or nothing after telling the user it is no number.

    Oob& oob_;
    Dialogs& dialogs_;
    QLabel* Label1;
    QLineEdit* RenatFromEdit;
    QToolButton* UnitWpn1PickBtn;
    QLabel* Label4;
    QLineEdit* RenatToEdit;
    QToolButton* SpeedButton1;
    QLabel* Label5;
    QLabel* Label6;
    QPushButton* BitBtn1;
    QPushButton* BitBtn2;
};

}  // namespace brackle
