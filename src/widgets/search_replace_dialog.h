// The search-and-replace dialog: a name to find and its replacement. It is made
// once, so its edits keep their texts from one use to the next.
#pragma once

#include <QDialog>

class QLineEdit;

namespace brackle {

class TFormSandR : public QDialog {
    Q_OBJECT
public:
    explicit TFormSandR(QWidget* parent = nullptr);

    // Shows the dialog modally; true when it ended with OK.
    bool Choose();
    QString SearchText() const;
    QString ReplaceText() const;

private:
    QLineEdit* EditsearchString;
    QLineEdit* EditReplace;
};

}  // namespace brackle
