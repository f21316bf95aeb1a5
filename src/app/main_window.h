// The editor's main window: tool strip, the five pages, menus and status bar.
#pragma once

#include <QMainWindow>
#include <QString>
#include <filesystem>
#include <functional>
#include <map>

#include "graphics/icon_map.h"
#include "oob/config.h"
#include "oob/history.h"
#include "oob/oob_file.h"
#include "oob/records.h"
#include "transfer/paste_buffers.h"
#include "transfer/paste_options.h"
#include "transfer/transfer_records.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QToolButton;
class QTreeView;
class QFileSystemModel;
class QFileSystemWatcher;

namespace brackle {

class Dialogs;
class UnitPage;
class TRenatDlg;
class TFormDeleteAll;
class TFormFormSearch;
class TFormColour;
class WeaponPage;
class FormationPage;

// Where the editor runs from, decided before the window is made.
struct StartupPaths {
    std::filesystem::path ProgramDir;       // the executable's own folder
    std::filesystem::path CurrentDir;       // the folder the editor was started in
    std::filesystem::path GameRootOverride; // --game-root, empty when not given
};

class TSDIAppForm : public QMainWindow {
    Q_OBJECT

public:
    enum Page { UnitsPage = 0, WeaponsPage = 1, FormationsPage = 2, LoadPage = 3, InfoPage = 4 };

    TSDIAppForm(Oob& oob, Dialogs& dialogs, const StartupPaths& paths, QWidget* parent = nullptr);
    ~TSDIAppForm() override;

    Oob& document() { return oob_; }
    const Settings& settings() const { return settings_; }
    int PageMode() const { return pageMode_; }
    bool ButtonsEnabled() const { return buttonsEnabled_; }
    const std::filesystem::path& ProgramDir() const { return programDir_; }
    const std::filesystem::path& OOBDir() const { return folders_.OOBDir; }
    const GameFolders& Folders() const { return folders_; }
    bool OOBPresent(int n) const { return n >= 1 && n <= kNations && present_[n]; }
    QString StatusText() const;

    // How Open reads file n of a folder; LoadOOB unless a test puts another in.
    using OOBLoader = std::function<LoadResult(Oob& oob, const std::filesystem::path& dir, int n)>;
    void SetLoader(OOBLoader load) { load_ = std::move(load); }
    // The file the open tables came from (empty before the first load).
    const std::filesystem::path& LoadedPath() const { return loadedPath_; }

    // Closes without asking (used when the editor was started to take a screenshot).
    void CloseWithoutAsking();

    // Load/Save page. SetList rebuilds the list and selects the first file;
    // RefreshKobList follows files that came or went on disk, keeping the selection.
    void SetList();
    void RefreshKobList();
    // Why the OOB folder could not be listed (with the system's reason); empty when it could.
    const QString& OOBFolderProblem() const { return folderProblem_; }
    // Says in the status line which characters the Latin-1 edits under root left out.
    void ReportDroppedCharacters(QObject* root);
    void KobListBoxDblClick();
    void SaveBtnClick();
    void SaveAs1Click();
    void SaveAsBtnClick();
    void DirectoryListBox1Change(const QString& dir);
    void ChooseDirBtnClick();
    void HelpClick();
    void ExitClick();
    void About1Click();

    // Record commands, each acting on the current page.
    void CommitButtonClick();
    void RestoreButtonClick();
    void EraseButtonClick();
    void SpeedButton_MoveClick();
    void SpeedButtonSandRClick();
    void CopyButtonClick();
    void PasteButtonClick();
    // The Edit menu's Undo and Redo (Ctrl+Z; Ctrl+Y and Ctrl+Shift+Z): the tables go
    // back or forward one step, the page shown is refilled, the status line says which.
    void Undo1Click();
    void Redo1Click();

    // CSV dumps and the bulk edits of the File menu.
    void ExportBtnClick();
    void Renationalise1Click();
    void Reclassify1Click();
    void DeleteAllMarked1Click();
    // The dialogs made at start-up; without them the window makes its own when first needed.
    void SetBulkDialogs(TRenatDlg* renat, TFormDeleteAll* deleteAll);
    // The report window (made at start-up): opened from "Database Check Utilities",
    // its result lines open records here, and its clean-up marks the file changed.
    void SetReportWindow(TFormFormSearch* window);
    void FindformClick();
    bool ReportWindowOpen() const { return reportWindowOpen_; }
    PasteBuffers& Buffers() { return buffers_; }
    PasteOptions& Options() { return pasteOptions_; }

    // Page and transfer record; a Fill gives false (with a message) when a text is no number.
    bool FillXferBufferUnit();
    bool FillXferBufferWpn();
    bool FillXferBufferFormation();
    void PasteToUnit();
    void PasteToWeapon();
    void PasteToFormation();
    XferUnitRecord& XferUnit() { return xfer_.Unit; }
    XferWeaponRecord& XferWeapon() { return xfer_.Weapon; }
    XferFormationRecord& XferFormation() { return xfer_.Formation; }
    void ShowInfo();
    void SaveInfo();

    // Shell.
    void SetButtons(bool enabled);
    void ViewerChange();

    // The record pages' lists and moving between slots.
    void UnitlistboxInit(int n);
    void wpnlistboxInit(int n);
    void FormationlistboxInit(int n);
    void ListBoxUpdate(int slot, int kind);  // kind 1 units, 2 weapons, 3 formations
    void Fwd1BtnClick();
    void Back1BtnClick();
    void Fwd1BtnMouseDown(Qt::MouseButton button);
    void Back1BtnMouseDown(Qt::MouseButton button);
    void UnitListBoxDblClick();
    void wpnlistboxDblClick();
    void FormationListBoxDblClick();
    // The window's function keys, from whichever control has the focus; gives true when one was acted on.
    bool FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    bool HasUnsavedChanges() const;
    void FormResize();

    // The record of each page, shown from its table.
    void ShowUnit();
    void ShowWeapon();
    void ShowFormation();
    // Shows a page (a Page value, -1 for the current one) at a slot (0 keeps the page's slot).
    void ShowPageAt(int page, int slot);
    UnitPage& Units() { return *unitPage_; }
    WeaponPage& Weapons() { return *weaponPage_; }
    FormationPage& Formations() { return *formationPage_; }

    // Find next (F3, F11, Enter in the find box).
    void SpeedButtonFindClick();

    // The unit icons: dump the icons shown on the Units page as BMP files into
    // the OOB folder (F5), set every unit's winter and desert icons to its
    // summer icon, and try another transparent colour.
    void DumpIconBitmaps1Click();
    void ResetAllIcons1Click();
    void ChangeTransparentColour1Click();
    // The transparency colour dialog made at start-up; without one the window makes its own when first needed.
    void SetColourForm(TFormColour* form) { colourForm_ = form; }
    // The icon table in use: the built-in one with IconMap.csv beside the editor over it.
    const IconMap& Icons() const { return iconMap_; }
    // Says, once, in one warning, what of IconMap.csv could not be used; later calls show nothing.
    void ReportIconMapProblems();

signals:
    void aboutRequested();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate(const StartupPaths& paths);
    void BuildMenus();
    void BuildToolStrip(QWidget* parent);
    QWidget* BuildLoadPage();
    QWidget* BuildInfoPage();
    QWidget* BuildRecordPage(QListWidget*& list, const char* listName, QWidget* form);
    // A record page's form keeps the width it has in the smallest window; a wider
    // window leaves the room beyond it spare instead of spreading the form.
    void FitRecordForm(QScrollArea* area);
    QListWidget* ListOf(int kind) const;
    void FillList(int kind, int n);
    void StepBy(int delta);
    void ListClicked(int kind);
    // Commit of the current page; rulesChecked skips rules that already passed. True when stored.
    bool CommitPage(bool rulesChecked);
    void ShowPage(int kind);
    void SelectSlot(int kind, int slot);  // selects the slot's list entry without showing it twice
    bool FillXfer(int kind);
    void PasteToPage(int kind);
    int PageKind() const;  // 1 units, 2 weapons, 3 formations, 0 for the other pages
    int& CurrentSlot(int kind);
    void SetStatus(const QString& text);
    bool SaveCurrentFile();
    void ShowSaveWarning(const SaveResult& r);
    void ShowRecordPages(bool show);
    void SetOOBDir(const std::filesystem::path& dir);
    void FillKobList();
    void WatchOOBDir();
    QString KobEntry(int n) const;  // "obat05 - Name", " ? obat05 - Name" for a missing file
    QString Hinted(QWidget* w, const QString& hint);
    void UpdateCaption(const QString& caption);
    // The caption with an asterisk after the file's name while it has unsaved changes.
    void RefreshCaption();
    // Runs a command that may change the tables; when it did, what it changed
    // becomes one undo step with the label (made after the command ran, from the
    // counts of changed records) and the file is marked changed. A command that
    // records its own steps (a bulk edit's dialog, one step per run) is left to
    // them. Inside another Tracked command a command simply runs: the outer one
    // records everything as one step.
    void Tracked(const std::function<void()>& command);  // labelled "Edit"
    void Tracked(const std::function<void()>& command, const std::string& label);
    void Tracked(const std::function<void()>& command, const StepLabel& label);
    // The caption's mark and the Edit menu after the history changed.
    void HistoryChanged();
    // The Edit menu's Undo and Redo texts and every item's enabled state.
    void UpdateEditActions();
    // After an undo or a redo: the list and record of the page shown refilled as stored.
    void RefreshAfterHistory();
    // Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z in a text edit: true when the edit has typing of
    // its own to undo or redo, which then comes first.
    bool TextEditTakesKey(QObject* watched, QEvent* event);
    // Refills the list and record of the page shown from the tables.
    void RefreshShownPage();
    // The second half of a move: the old slot stored empty, the record stored at to.
    void MoveTo(int kind, int to);
    // Before the loaded file is left behind: false when the user cancels, or
    // chose to save and the save failed.
    bool ConfirmLeavingChanges(const QString& question);

    Oob& oob_;
    Dialogs& dialogs_;
    Settings settings_;
    std::filesystem::path programDir_;
    GameFolders folders_;
    OOBLoader load_ = LoadOOB;
    std::filesystem::path loadedPath_;
    bool present_[kNations + 1] = {};
    int pageMode_ = 0;
    bool buttonsEnabled_ = false;
    bool closeWithoutAsking_ = false;
    QString caption_;            // the caption without the unsaved mark
    int pressedListRow_ = -1;    // the row that was current when a list was last pressed
    bool findEnterPressed_ = false;  // Enter went down in the find box; its release finds
    int minWidth_ = 781;
    int minHeight_ = 656;

    QTabWidget* viewer_ = nullptr;
    QLabel* status_ = nullptr;
    QListWidget* kobList_ = nullptr;
    QTreeView* dirList_ = nullptr;
    QFileSystemModel* dirModel_ = nullptr;
    QFileSystemWatcher* oobWatch_ = nullptr;
    QString folderProblem_;
    QComboBox* driveBox_ = nullptr;
    QLineEdit* commentEdit_ = nullptr;
    QComboBox* editFind_ = nullptr;
    QListWidget* unitList_ = nullptr;
    QListWidget* weaponList_ = nullptr;
    QListWidget* formationList_ = nullptr;
    UnitPage* unitPage_ = nullptr;
    WeaponPage* weaponPage_ = nullptr;
    FormationPage* formationPage_ = nullptr;
    TransferRecords xfer_;
    TRenatDlg* renatDlg_ = nullptr;
    TFormDeleteAll* deleteAllDlg_ = nullptr;
    TFormFormSearch* reportWindow_ = nullptr;
    bool reportWindowOpen_ = false;
    TFormColour* colourForm_ = nullptr;
    IconMap iconMap_;
    std::vector<std::string> iconMapMessages_;
    PasteBuffers buffers_;
    PasteOptions pasteOptions_;
    bool fillingList_ = false;  // a refill or a step moves the selection; that is no user's click
    bool tracking_ = false;     // a Tracked command is running
    std::map<QString, QAction*> actions_;
    std::map<QString, QWidget*> buttons_;
};

}  // namespace brackle
