// The pick list: one modal list from which the user chooses a number (a unit,
// a formation, a weapon or a name-table entry) instead of typing it.
#pragma once

#include <QDialog>
#include <QString>
#include <QStringList>

class QListWidget;
class QListWidgetItem;
class QStatusBar;
class QTimer;

namespace brackle {

class Dialogs;
struct Oob;
struct PickList;

class TPickForm : public QDialog {
    Q_OBJECT
public:
    explicit TPickForm(QWidget* parent = nullptr);

    // Shows entries (entry index = number) under caption with entry selected
    // selected (none when it is no entry of the list). Gives the index chosen with
    // OK, Enter or a double click; -2 on Cancel or close, and on OK while no entry
    // is selected.
    int Choose(const QString& caption, const QStringList& entries, int selected);

    void ListBox1DblClick(QListWidgetItem* item);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Digits typed within the pause of TypingTimer make one number; selects that entry.
    void TypeDigit(QChar digit);

    QListWidget* ListBox1;
    QStatusBar* StatusBar1;
    QTimer* typingTimer_;
    QString typed_;
};

// Shows the pick list of kind through dialogs, opened on the entry of current
// (the number the field holds), and gives the number chosen: -2 when cancelled,
// 0 for a formation that may not be chosen, else the entry's number. When current
// is no entry that may be chosen (a weapon 252, an excluded formation) no entry
// is selected, so OK at once changes nothing.
int PickFrom(Dialogs& dialogs, QWidget* parent, int kind, const Oob& oob, int editedFormType, long current);
// The same for a list already made.
int PickFromList(Dialogs& dialogs, QWidget* parent, const PickList& list, long current);

}  // namespace brackle
