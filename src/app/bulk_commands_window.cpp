// The File menu's commands over whole tables: the CSV dumps and the bulk edits.
#include <QApplication>
#include <QDir>

#include "app/main_window.h"
#include "editors/bulk_edits.h"
#include "oob/changes.h"
#include "editors/delete_all_dialog.h"
#include "editors/reclassify_dialog.h"
#include "editors/step_labels.h"
#include "editors/renationalise_dialog.h"
#include "reports/report_window.h"
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
    // Cancel (Escape, or closing the box) writes nothing: old dumps may be open in a spreadsheet.
    const Dialogs::Answer all = dialogs_.Ask(this, QStringLiteral("Dump All?"), QStringLiteral("Dump all OOB CSV files?"),
                                             Dialogs::Choices::YesNoCancel);
    if (all == Dialogs::Answer::Cancel) {
        SetStatus(QStringLiteral("CSV dump cancelled"));
        return;
    }
    const fs::path& dir = folders_.OOBDir;
    // Each file that cannot be written is reported as it fails; the dump goes on.
    int failures = 0;
    auto fileFailed = [this, &failures](const fs::path& path, const std::string& reason) {
        ++failures;
        const QString file = QDir::toNativeSeparators(PathToQt(path));
        const std::string notCreated = kDumpNotCreated;
        // A file that could not be created keeps the old message; a write that
        // failed (a full disk) says so, with the system's reason.
        const QString text = reason.rfind(notCreated, 0) == 0
                                 ? QStringLiteral("Unable to open csv output file ") + file
                                 : QStringLiteral("Unable to write csv output file ") + file +
                                       QStringLiteral("\r\n\r\n") + SystemTextToQt(reason);
        dialogs_.Message(this, QStringLiteral("Brackle"), text, Dialogs::Icon::Warning);
    };
    const QString where = QDir::toNativeSeparators(PathToQt(dir));
    QString done = QStringLiteral("Text files written to ") + where;
    if (all == Dialogs::Answer::No) {
        DumpOOB(oob_, oob_.CurrentOOB, dir, fileFailed);
    } else {
        // Each file is read into a document of its own: the file being edited stays
        // in memory exactly as it is, unsaved edits included.
        const DumpAllResult result = DumpAll(
            oob_.Names, dir,
            [this](int n) {
                SetStatus(QStringLiteral("Processing OOB Number %1").arg(n));
                QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            },
            fileFailed,
            [this](const LoadResult& bad) {
                dialogs_.Message(this, SystemTextToQt(bad.caption), SystemTextToQt(bad.text), Dialogs::Icon::Error);
            });
        done += QStringLiteral(" - %1 OOB file%2 dumped").arg(result.Dumped).arg(result.Dumped == 1 ? "" : "s");
    }
    // Never "written" when a file was not.
    if (failures > 0)
        done = QStringLiteral("CSV dump into %1: %2 file%3 could not be written")
                   .arg(where)
                   .arg(failures)
                   .arg(failures == 1 ? "" : "s");
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
    Tracked([this] {
        renatDlg_->Prepare(oob_.CurrentOOB);
        renatDlg_->exec();
    });
    RefreshShownPage();
    update();
}

void TSDIAppForm::Reclassify1Click()
{
    TFormReclassify dialog(oob_, dialogs_, this);
    Tracked([&dialog] { dialog.exec(); });
    RefreshShownPage();
}

void TSDIAppForm::DeleteAllMarked1Click()
{
    if (!deleteAllDlg_)
        deleteAllDlg_ = new TFormDeleteAll(oob_, dialogs_, this);
    if (!deleteAllDlg_->Choose())
        return;
    BulkCounts deleted;
    Tracked([this, &deleted] { deleted = deleteAllDlg_->DeleteMarked(); },
            [this, &deleted](const ChangeCounts&) { return DeleteNationLabel(deleteAllDlg_->Nation(), deleted); });
    SetStatus(QStringLiteral("Deleted : %1 Units, %2 Formations").arg(deleted.Units).arg(deleted.Formations));
    RefreshShownPage();
}

void TSDIAppForm::SetReportWindow(TFormFormSearch* window)
{
    reportWindow_ = window;
    connect(window, &TFormFormSearch::opened, this, [this] {
        reportWindowOpen_ = true;
        actions_.at(QStringLiteral("Findform"))->setEnabled(false);
    });
    connect(window, &TFormFormSearch::closed, this, [this] {
        reportWindowOpen_ = false;
        actions_.at(QStringLiteral("Findform"))->setEnabled(oob_.FileLoaded);
    });
    connect(window, &TFormFormSearch::jumpRequested, this, [this](int page, int slot) { ShowPageAt(page, slot); });
    // The clean-up recorded its undo step; the caption, the Edit menu and the page follow.
    connect(window, &TFormFormSearch::tablesChanged, this, [this] {
        HistoryChanged();
        RefreshShownPage();
    });
}

void TSDIAppForm::FindformClick()
{
    if (!reportWindow_ || reportWindowOpen_ || !oob_.FileLoaded)
        return;
    reportWindow_->show();
    reportWindow_->raise();
    reportWindow_->activateWindow();
}

void TSDIAppForm::RefreshShownPage()
{
    // A bulk edit writes the tables directly: the page shown must not keep the
    // old values, or the next commit would store them back.
    if (const int kind = PageKind(); kind != 0 && oob_.FileLoaded) {
        FillList(kind, CurrentSlot(kind));
        ShowPage(kind);
    }
}

}  // namespace brackle
