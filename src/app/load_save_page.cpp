// The Load/Save page: the list of OOB files, opening, saving, the folder
// chooser, help and exit; and the start-up of the main window.
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFileSystemWatcher>
#include <QSignalBlocker>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeView>
#include <QUrl>

#include "app/main_window.h"
#include "editors/unit_page.h"
#include "oob/names.h"
#include "oob/oob_file.h"
#include "reports/report_window.h"
#include "widgets/dialogs_qt.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace fs = std::filesystem;

namespace {

const char* const kDataCommands[] = {"SaveAs1",          "WriteCSV1",        "Reclassify1",
                                     "Renationalise1",   "SaveFileAs1",      "DeleteAllMarked1",
                                     "ChangeTransparentColour1", "DumpIconBitmaps1", "ResetAllIcons1"};
const char* const kDataButtons[] = {"SaveBtn", "SaveAsBtn", "ExportBtn"};

// "obat05" for 5, "obat42" for 42: the number in (at least) two digits.
QString ListNumber(int n)
{
    return n <= 9 ? QStringLiteral("obat0%1").arg(n) : QStringLiteral("obat%1").arg(n);
}

QString Native(const fs::path& p)
{
    return QDir::toNativeSeparators(PathToQt(p));
}

QString Sep()
{
    return QString(QDir::separator());
}

}  // namespace

void TSDIAppForm::FormCreate(const StartupPaths& paths)
{
    UpdateCaption(QStringLiteral("Brackle for Vornex : Initialising"));
    editFind_->clear();
    editFind_->setEnabled(false);
    buttons_.at(QStringLiteral("SpeedButtonFind"))->setEnabled(false);
    buttons_.at(QStringLiteral("SpeedButtonSandR"))->setEnabled(false);
    actions_.at(QStringLiteral("Findform"))->setEnabled(false);
    settings_.TransparentColour = 240;
    settings_.Hints = true;
    settings_.HintTimeMs = 3000;

    viewer_->setCurrentIndex(LoadPage);
    pageMode_ = 4;
    UpdateCaption(QStringLiteral("Brackle for Vornex : No File Loaded"));
    SetButtons(false);
    for (const char* name : kDataCommands)
        actions_.at(QString::fromLatin1(name))->setEnabled(false);
    for (const char* name : kDataButtons)
        buttons_.at(QString::fromLatin1(name))->setEnabled(false);
    ShowRecordPages(false);
    oob_.FileLoaded = false;
    oob_.CurrentUnit = oob_.CurrentWeapon = oob_.CurrentFormation = 1;
    minHeight_ = height();
    minWidth_ = width();
    setMinimumSize(minWidth_, minHeight_);

    // The settings file sits beside the executable, whatever the case of its name.
    const auto iniPath = FindFileIgnoringCase(programDir_, "BRVX.ini");
    const auto ini = iniPath ? IniFile::FromPath(*iniPath) : std::nullopt;
    readinifile(ini ? &*ini : nullptr, settings_, oob_.Names);

    UpdateCaption(QStringLiteral("Brackle for Vornex : No File Loaded "));

    const fs::path root =
        paths.GameRootOverride.empty() ? DeriveGameRoot(paths.CurrentDir) : paths.GameRootOverride;
    folders_ = FoldersOf(root);
    SetOOBDir(folders_.OOBDir);

    // The unit page's icons and pictures: the icon table with the overrides of
    // IconMap.csv beside the editor (its problems are shown once the window is up).
    if (const auto iconMapFile = FindFileIgnoringCase(programDir_, kIconMapFileName))
        iconMapMessages_ = ApplyIconMapFile(iconMap_, *iconMapFile);
    unitPage_->SetIconMap(&iconMap_);
    unitPage_->SetTransparentColour(settings_.TransparentColour);
    unitPage_->SetGraphicsFolders(folders_.GraphicsDir, folders_.PicturesDir);

    std::error_code ec;
    if (!fs::is_directory(folders_.OOBDir, ec)) {
        SetStatus(QStringLiteral("Cannot find the OOB folder %1 (%2) - choose the folder that holds the obat files")
                      .arg(Native(folders_.OOBDir),
                           SystemTextToQt(ec ? ec.message() : std::make_error_code(std::errc::no_such_file_or_directory).message())));
    } else if (!folderProblem_.isEmpty()) {
        SetStatus(folderProblem_);
    } else if (!ini) {
        SetStatus(QStringLiteral("No BRVX.ini in %1 - nation and class names are missing")
                      .arg(Native(programDir_)));
    }
}

void TSDIAppForm::SetOOBDir(const fs::path& dir)
{
    folders_.OOBDir = dir;
    std::error_code ec;
    if (fs::is_directory(dir, ec))
        fs::current_path(dir, ec);
    const QString qdir = PathToQt(dir);
    const QModelIndex index = dirModel_->index(qdir);
    if (index.isValid()) {
        dirList_->setCurrentIndex(index);
        dirList_->scrollTo(index);
        dirList_->expand(index);
    }
    for (int i = 0; i < driveBox_->count(); ++i) {
        if (qdir.startsWith(driveBox_->itemData(i).toString(), Qt::CaseInsensitive))
            driveBox_->setCurrentIndex(i);
    }
    SetList();
    WatchOOBDir();
}

void TSDIAppForm::SetList()
{
    FillKobList();
    for (int n = 1; n <= kNations; ++n) {
        if (present_[n]) {
            kobList_->setCurrentRow(n - 1);
            break;
        }
    }
    if (kobList_->count() > 0)
        kobList_->setFocus();
}

QString TSDIAppForm::KobEntry(int n) const
{
    const QString number = present_[n] ? ListNumber(n) : QStringLiteral(" ? ") + ListNumber(n);
    return number + QStringLiteral(" - ") + ToQt(NationName(oob_.Names, n));
}

void TSDIAppForm::FillKobList()
{
    kobList_->clear();
    bool any = false;
    for (int n = 1; n <= kNations; ++n) {
        present_[n] = OOBExists(folders_.OOBDir, n);
        any = any || present_[n];
    }
    // A folder that cannot be listed looks empty; the status line says why.
    std::error_code ec;
    fs::directory_iterator listing(folders_.OOBDir, ec);
    folderProblem_ = ec ? QStringLiteral("Cannot read the OOB folder %1: %2")
                              .arg(Native(folders_.OOBDir), SystemTextToQt(ec.message()))
                        : QString();
    if (!any)
        return;
    for (int n = 1; n <= kNations; ++n)
        kobList_->addItem(KobEntry(n));
}

void TSDIAppForm::RefreshKobList()
{
    bool changed = false;
    for (int n = 1; n <= kNations && !changed; ++n)
        changed = OOBExists(folders_.OOBDir, n) != present_[n];
    std::error_code ec;
    fs::directory_iterator listing(folders_.OOBDir, ec);
    const bool problem = static_cast<bool>(ec);
    if (!changed && problem == !folderProblem_.isEmpty())
        return;
    // The user's selection stays where it was; the focus stays where it is.
    const int row = kobList_->currentRow();
    const QSignalBlocker quiet(kobList_);
    FillKobList();
    if (row >= 0 && row < kobList_->count()) {
        kobList_->setCurrentRow(row);
    } else {
        for (int n = 1; n <= kNations; ++n) {
            if (present_[n]) {
                kobList_->setCurrentRow(n - 1);
                break;
            }
        }
    }
    if (!folderProblem_.isEmpty())
        SetStatus(folderProblem_);
    WatchOOBDir();
}

void TSDIAppForm::WatchOOBDir()
{
    if (!oobWatch_) {
        oobWatch_ = new QFileSystemWatcher(this);
        connect(oobWatch_, &QFileSystemWatcher::directoryChanged, this, [this] { RefreshKobList(); });
    }
    if (!oobWatch_->directories().isEmpty())
        oobWatch_->removePaths(oobWatch_->directories());
    std::error_code ec;
    if (fs::is_directory(folders_.OOBDir, ec))
        oobWatch_->addPath(PathToQt(folders_.OOBDir));
}

void TSDIAppForm::KobListBoxDblClick()
{
    const int row = kobList_->currentRow();
    if (row < 0)
        return;
    const int n = row + 1;
    if (!ConfirmLeavingChanges(QStringLiteral("Save them before opening %1?").arg(ToQt(OOBFileName(n)))))
        return;
    if (!OOBExists(folders_.OOBDir, n)) {
        dialogs_.Message(this, QStringLiteral("File Not Found"), QStringLiteral("Try changing your current directory !"),
                         Dialogs::Icon::Warning);
        return;
    }
    // The clean-up on load compares against the file's own nation; keep the
    // previous one if the load fails, so a later save never writes the old
    // file's records under the new number.
    const auto previous = oob_.CurrentOOB;
    oob_.CurrentOOB = static_cast<std::uint16_t>(n);
    const LoadResult r = load_(oob_, folders_.OOBDir, n);
    if (r.code != 0) {
        oob_.CurrentOOB = previous;
        dialogs_.Message(this, SystemTextToQt(r.caption), SystemTextToQt(r.text), Dialogs::Icon::Error);
        return;
    }
    // Save writes back where the file came from; another folder chosen later is asked about.
    loadedPath_ = r.path;
    // The entry as the file is now, whatever the list showed when it was opened.
    present_[n] = true;
    const QString entry = KobEntry(n);
    kobList_->item(row)->setText(entry);
    UpdateCaption(QStringLiteral("Brackle for Vornex : - ") + entry);
    oob_.CurrentWeapon = oob_.CurrentUnit = oob_.CurrentFormation = 1;
    SetStatus(QStringLiteral("Loaded ") + Native(folders_.OOBDir) + Sep() + entry);
    oob_.FileLoaded = true;
    unitPage_->DropGraphicsCache();  // pictures and icons are read afresh for the file just opened

    for (const char* name : kDataCommands)
        actions_.at(QString::fromLatin1(name))->setEnabled(true);
    actions_.at(QStringLiteral("Findform"))->setEnabled(!reportWindowOpen_);
    if (reportWindow_)
        reportWindow_->FileOpened(entry);  // nothing of the file before stays in it
    for (const char* name : kDataButtons)
        buttons_.at(QString::fromLatin1(name))->setEnabled(true);
    ShowRecordPages(true);
    if (viewer_->currentIndex() == UnitsPage)
        ViewerChange();
    else
        viewer_->setCurrentIndex(UnitsPage);  // runs the page change
    // The file is open; the warning only says what a save would do to it.
    if (!r.warning.empty())
        dialogs_.Message(this, QStringLiteral("Brackle"), SystemTextToQt(r.warning), Dialogs::Icon::Warning);
}

namespace {

// existed: whether a file was at the target before the save; only then is
// there an old file that the failed save left alone.
QString SaveFailureText(const SaveResult& r, bool existed)
{
    return QStringLiteral("Could not save %1\r\n\r\n%2\r\n\r\n%3")
        .arg(QDir::toNativeSeparators(PathToQt(r.path)), SystemTextToQt(r.reason),
             existed ? QStringLiteral("The file on disk was not changed.") : QStringLiteral("No file was written."));
}

bool IsFile(const fs::path& p)
{
    std::error_code ec;
    return fs::is_regular_file(p, ec);
}

bool SameFolder(const fs::path& a, const fs::path& b)
{
    std::error_code ec;
    const bool same = fs::equivalent(a, b, ec);
    if (!ec)
        return same;
    // One of them is gone: compare the names.
    return (a / "").lexically_normal() == (b / "").lexically_normal();
}

}  // namespace

// A save that succeeded but did something the user should know of: the whole
// file written for a short one, an owner that could not be kept.
void TSDIAppForm::ShowSaveWarning(const SaveResult& r)
{
    if (!r.warning.empty())
        dialogs_.Message(this, QStringLiteral("File Saved"), SystemTextToQt(r.warning), Dialogs::Icon::Warning);
}

bool TSDIAppForm::SaveCurrentFile()
{
    if (!oob_.FileLoaded) {
        dialogs_.Message(this, QStringLiteral("Brackle"), QStringLiteral("Please load a file first!!"),
                         Dialogs::Icon::Warning);
        return false;
    }
    const std::string name = OOBFileName(oob_.CurrentOOB);
    const auto found = FindFileIgnoringCase(folders_.OOBDir, name);
    const fs::path target = found ? *found : folders_.OOBDir / name;
    const bool existed = IsFile(target);
    if (!loadedPath_.empty() && !SameFolder(folders_.OOBDir, loadedPath_.parent_path())) {
        // The tree shows another folder than the one the file came from: a save
        // there is not the file the user opened, so it is never written unasked.
        const QString text =
            QStringLiteral("The file open was loaded from\r\n%1\r\n\r\n%2\r\n%3\r\n\r\n%4")
                .arg(Native(loadedPath_),
                     existed ? QStringLiteral("Save would replace a different file in the folder chosen now:")
                             : QStringLiteral("Save would write a new file in the folder chosen now:"),
                     Native(target),
                     existed ? QStringLiteral("Replace that file?") : QStringLiteral("Write it there?"));
        if (!dialogs_.Question(this, QStringLiteral("Save to Another Folder"), text)) {
            SetStatus(QStringLiteral("Not saved"));
            return false;
        }
    }
    const SaveResult r = SaveOOBToPath(oob_, target);
    RefreshCaption();
    if (!r.ok) {
        SetStatus(QStringLiteral("Save failed: ") + Native(r.path));
        dialogs_.Message(this, QStringLiteral("File Save Error"), SaveFailureText(r, existed), Dialogs::Icon::Error);
        return false;
    }
    ShowSaveWarning(r);
    return true;
}

void TSDIAppForm::SaveBtnClick()
{
    if (SaveCurrentFile())
        SetStatus(QStringLiteral("Saved ") + Native(folders_.OOBDir) + Sep() + ToQt(OOBFileName(oob_.CurrentOOB)));
}

void TSDIAppForm::SaveAs1Click()
{
    // The menu's status names the file as the list does, without its extension.
    if (SaveCurrentFile())
        SetStatus(QStringLiteral("Saved ") + Native(folders_.OOBDir) + Sep() + ListNumber(oob_.CurrentOOB));
}

void TSDIAppForm::SaveAsBtnClick()
{
    if (!oob_.FileLoaded) {
        dialogs_.Message(this, QStringLiteral("NO FILE"), QStringLiteral("Load an Obat to overwrite first!"),
                         Dialogs::Icon::Warning);
        return;
    }
    const QString start = PathToQt(folders_.OOBDir / OOBFileName(oob_.CurrentOOB));
    const QString chosen = dialogs_.SaveFileName(this, QStringLiteral("Save As"), start,
                                                 QStringLiteral("obat Files (obat*.obf);;All Files (*)"));
    if (chosen.isEmpty())
        return;
    // Exactly the file chosen: the dialog asked before replacing that one, and no other.
    fs::path path = PathFromQt(chosen);
    if (!path.has_parent_path())
        path = folders_.OOBDir / path;
    const bool existed = IsFile(path);
    const SaveResult r = SaveOOBToPath(oob_, path);
    RefreshCaption();
    if (!r.ok) {
        SetStatus(QStringLiteral("Save failed: ") + Native(r.path));
        dialogs_.Message(this, QStringLiteral("File Save Error"), SaveFailureText(r, existed), Dialogs::Icon::Error);
        return;
    }
    ShowSaveWarning(r);
    SetList();
    SetStatus(QStringLiteral("Saved ") + Native(r.path));
}

void TSDIAppForm::DirectoryListBox1Change(const QString& dir)
{
    if (dir.isEmpty())
        return;
    SetOOBDir(PathFromQt(dir));
    SetStatus(folderProblem_.isEmpty() ? QStringLiteral("Searching in ") + Native(folders_.OOBDir) : folderProblem_);
}

void TSDIAppForm::ChooseDirBtnClick()
{
    const QString dir = dialogs_.ExistingDirectory(this, QStringLiteral("Choose the OOB folder"),
                                                   PathToQt(folders_.OOBDir));
    if (!dir.isEmpty())
        DirectoryListBox1Change(dir);
}

void TSDIAppForm::HelpClick()
{
    const auto help = FindFileIgnoringCase(programDir_, "BRVXHelp.htm");
    if (!help) {
        dialogs_.Message(this, QStringLiteral("Help"),
                         QStringLiteral("Cannot find the help file %1")
                             .arg(Native(programDir_ / "BRVXHelp.htm")),
                         Dialogs::Icon::Warning);
        return;
    }
    if (!dialogs_.OpenUrl(QUrl::fromLocalFile(PathToQt(*help)))) {
        dialogs_.Message(this, QStringLiteral("Help"),
                         QStringLiteral("No program could open the help file %1").arg(Native(*help)),
                         Dialogs::Icon::Warning);
    }
}

}  // namespace brackle
