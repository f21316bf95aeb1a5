// The report window "Database Checking Utilities": the consistency reports over
// the loaded file, each writing into a read-only result area, and a scratch pad
// that can be loaded, saved and printed. It stays open beside the main window; a
// click on a result line asks the main window to show that record.
#pragma once

#include <QDialog>
#include <QFont>
#include <QString>
#include <QStringList>
#include <filesystem>
#include <initializer_list>
#include <map>

#include "oob/records.h"

class QLabel;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QStatusBar;
class QTabWidget;
class QLineEdit;

namespace brackle {

class Dialogs;
struct ReportEnd;

class TFormFormSearch : public QDialog {
    Q_OBJECT

public:
    TFormFormSearch(Oob& oob, Dialogs& dialogs, const std::filesystem::path& programDir, QWidget* parent = nullptr);

    // The result areas and lists by their names ("Memo2", "ListBox1", ...).
    QPlainTextEdit* Memo(const QString& name) const { return memos_.at(name); }
    QListWidget* List(const QString& name) const { return lists_.at(name); }
    QString StatusText() const;
    // The number of findings of the last check run, as the status bar shows it ("3 findings").
    QString FindingsText() const;

    // Selects a tab by its objectName ("TabBrokenLinks") and the page holding it,
    // then presses its run button when it has one. False when there is no such tab.
    bool ShowTab(const QString& tabName);

    // Rebuilds the lists and the foreign units, as on every opening.
    void Refresh();
    // Another file was opened (named by file): every result area is emptied, so
    // nothing shown comes from the file before, and the lists follow the new file.
    // The scratch pad keeps its text.
    void FileOpened(const QString& file);

    // Lists, their detail reports and the checks, as the window's events run them.
    void FillClassLists();
    void FillTemplateUnitList();
    void FillPlatoonList();
    void FillCompanyList();
    void FillWeaponList();
    void FillWeaponClassList();
    void FindForeignUnits();
    void RunFindFormationsUsingClass(int unitClass);
    void RunCheckBrokenLinks();
    void RunCheckX3Dates();
    void RunCheckFormationDates();
    void RunCheckPlatoonsInPlatoons();
    void RunFindOrphanClasses();
    void RunFindBadAmmo();
    void RunFindUnusedWeapons();
    void BitBtnUnusedWeponDeleteClick();

    // A "find next" over a list's rows, ignoring case; then the list's click action.
    void FindInList(const QString& text, QListWidget* list);
    // Opens the record named by the first three characters of the caret's line.
    void JumpToRecord(QPlainTextEdit* area);

    // The scratch pad.
    void SpeedButtonloadClick();
    void SpeedButtonSaveClick();
    void SpeedButtonPrintClick();
    void SpeedButtonprinterfontClick();
    const QFont& PrinterFont() const { return printerFont_; }

signals:
    // Show record slot on page (0 units, 1 weapons, 2 formations) in the main window.
    void jumpRequested(int page, int slot);
    // The window was shown or closed (the menu entry is disabled while it is open).
    void opened();
    void closed();
    // A report changed the tables (clearing the unused weapons).
    void tablesChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPlainTextEdit* MakeMemo(const char* name, bool jumps);
    QListWidget* MakeList(const char* name, void (TFormFormSearch::*click)(int row));
    QWidget* ReportTab(QWidget* controls, QListWidget* list, QPlainTextEdit* memo);
    void AddTab(QTabWidget* tabs, QWidget* tab, const char* name, const char* caption, const char* status,
                void (TFormFormSearch::*run)());
    void AddPage(QTabWidget* pages, QTabWidget* tabs, const char* name, const char* caption);
    // A search edit with its find button over list.
    QWidget* FindRow(const char* editName, const char* hint, const char* buttonName, const char* buttonText,
                     QListWidget* list);
    QWidget* NotesAndButton(std::initializer_list<std::pair<const char*, QString>> notes, const char* buttonName,
                            const char* buttonText, void (TFormFormSearch::*run)());
    void BuildFormationPage(QTabWidget* pages);
    void BuildUnitPage(QTabWidget* pages);
    void BuildWeaponPage(QTabWidget* pages);
    void BuildScratchPage(QTabWidget* pages);
    void FormCreate();
    void SetStatus(const QString& text);
    void TabChanged(QTabWidget* tabs);
    void SetRows(QListWidget* list, const std::vector<std::string>& rows);
    // Writes the lines into area (replacing or appending) and reports a stop.
    void Show(QPlainTextEdit* area, const QStringList& lines, bool append = false);
    void Stopped(const ReportEnd& end);
    void SetPrinterFontCaption();
    // Shows how many findings a check's lines hold beside the status line.
    void ShowFindings(const char* reportName, const QStringList& lines);

    // The click actions of the lists.
    void ListBox1Click(int row);
    void ListBoxIndUnitFindClick(int row);
    void ListBoxUnitsClick(int row);
    void ListBoxPlatoonsClick(int row);
    void ListBoxCompaniesClick(int row);
    void ListBoxWpns1Click(int row);
    void ListBoxWpnsClassesClick(int row);

    Oob& oob_;
    Dialogs& dialogs_;
    std::filesystem::path programDir_;
    QTabWidget* pageControlMain_ = nullptr;
    QStatusBar* status_ = nullptr;
    QLabel* findings_ = nullptr;
    QLabel* resultsFor_ = nullptr;  // which file the results are for
    std::map<QString, QPlainTextEdit*> memos_;
    std::map<QString, QListWidget*> lists_;
    std::map<QPlainTextEdit*, bool> jumps_;
    std::map<QString, QString> tabStatus_;       // a tab's objectName -> its status text
    std::map<QString, void (TFormFormSearch::*)()> tabRuns_;  // a tab's objectName -> its report
    QPlainTextEdit* scratch_ = nullptr;
    QPlainTextEdit* memotmp_ = nullptr;
    QPushButton* printerFontButton_ = nullptr;
    QFont printerFont_;
    QString lastLoaded_;
    int selectedClass_ = 0;
};

}  // namespace brackle
