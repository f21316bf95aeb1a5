// The paste-buffer dialog: lists one buffer's 999 slots, carries the paste
// options, and copies or pastes one slot or a whole table. It is made once;
// its option boxes keep their state for the whole run.
#pragma once

#include <QDialog>
#include <array>

#include "transfer/paste_buffers.h"

class QCheckBox;
class QLabel;
class QListWidget;

namespace brackle {

class Dialogs;

class TPasterDlg : public QDialog {
    Q_OBJECT
public:
    TPasterDlg(Dialogs& dialogs, QWidget* parent = nullptr);

    // Opens the dialog for the request and shows it modally.
    PasteResult Run(PasteRequest& request);

    void OKBtnClick();
    void CopyAllBtnClick();
    void BitBtnclrPasteClick();

private:
    void Open(PasteRequest& request);
    void ShowOptions();

    Dialogs& dialogs_;
    PasteRequest request_;
    PasteResult result_ = PasteResult::Cancel;
    QLabel* LabelStatus;
    QListWidget* ListBox1;
    std::array<QCheckBox*, 7> boxes_{};
};

}  // namespace brackle
