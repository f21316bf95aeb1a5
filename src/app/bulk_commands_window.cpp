// The File menu's commands over whole tables: the CSV dumps and the bulk edits.
#include <QApplication>
#include <QDir>

#include "app/main_window.h"
#include "editors/bulk_edits.h"
#include "editors/delete_all_dialog.h"
#include "editors/reclassify_dialog.h"
#include "editors/renationalise_dialog.h"
#include "transfer/csv_dump.h"
#include "widgets/dialogs_qt.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace fs = std::filesystem;

void TSDIAppForm::SetBulkDialogs(TRenatDlg* renat, TFormDeleteAll* deleteAll)
{
    renatDlg_ = renat;
    deleteAllDlg_ = deleteAll;
    connect(renatDlg_, &TRenatDlg::statusText, this, &TSDIAppForm::SetStatus);
}

void TSDIAppForm::ExportBtnClick()
{
    if (!oob_.FileLoaded) {
        dialogs_.Message(this, QStringLiteral("NO FILE"), QStringLiteral("Load an Obat to report from first!"),
                         Dialogs::Icon::Information);
        return;
    }
    const fs::path& dir = folders_.OOBDir;
    std::vector<fs::path> failed;
    QString done = QStringLiteral("Text files written to ") + QDir::toNativeSeparators(PathToQt(dir));
    if (!dialogs_.Question(this, QStringLiteral("Dump All?"), QStringLiteral("Dump all OOB CSV files?"))) {
        failed = DumpOOB(oob_, oob_.CurrentOOB, dir);
    } else {
        // Each file is read into a document of its own: the file being edited stays
        // in memory exactly as it is, unsaved edits included.
        const DumpAllResult all = DumpAll(oob_.Names, dir, [this](int n) {
            SetStatus(QStringLiteral("Processing OOB Number %1").arg(n));
            QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
        failed = all.Failed;
        for (const LoadResult& bad : all.LoadFailed)
            dialogs_.Message(this, ToQt(bad.caption), ToQt(bad.text), Dialogs::Icon::Error);
        done += QStringLiteral(" - %1 OOB file%2 dumped").arg(all.Dumped).arg(all.Dumped == 1 ? "" : "s");
    }
    for (const fs::path& path : failed)
        dialogs_.Message(this, QStringLiteral("Brackle"),
                         QStringLiteral("Unable to open csv output file ") + QDir::toNativeSeparators(PathToQt(path)),
                         Dialogs::Icon::Warning);
    SetStatus(done);
}

void TSDIAppForm::Renationalise1Click()
{
    if (!oob_.FileLoaded) {
        dialogs_.Message(this, QStringLiteral("Brackle"), QStringLiteral("Please load a file first!!"),
                         Dialogs::Icon::Information);
        return;
    }
    if (!renatDlg_)
        SetBulkDialogs(new TRenatDlg(oob_, dialogs_, this), deleteAllDlg_);
    renatDlg_->Prepare(oob_.CurrentOOB);
    renatDlg_->exec();
    update();
    ShowUnit();
}

void TSDIAppForm::Reclassify1Click()
{
    TFormReclassify dialog(oob_, dialogs_, this);
    dialog.exec();
}

void TSDIAppForm::DeleteAllMarked1Click()
{
    if (!deleteAllDlg_)
        deleteAllDlg_ = new TFormDeleteAll(oob_, dialogs_, this);
    if (!deleteAllDlg_->Choose())
        return;
    const BulkCounts deleted = deleteAllDlg_->DeleteMarked();
    SetStatus(QStringLiteral("Deleted : %1 Units, %2 Formations").arg(deleted.Units).arg(deleted.Formations));
    // The page shows the tables as they now are, as if it had just been entered.
    if (pageMode_ == 2 || pageMode_ == 3)
        ViewerChange();
}

}  // namespace brackle
