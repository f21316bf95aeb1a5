#include "reports/report_window.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QSplitter>
#include <QStatusBar>
#include <QStringDecoder>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextStream>
#include <QVBoxLayout>

#include "oob/changes.h"
#include "reports/formation_checks.h"
#include "reports/report_catalogue.h"
#include "reports/report_sink.h"
#include "reports/unit_weapon_checks.h"
#include "widgets/dialogs_qt.h"
#include "widgets/text_printer_qt.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

const QString kCaption = QStringLiteral("Database Checking Utilities");
const QString kTextFilter = QStringLiteral("Text Files (*.txt)");

// Collects a report's lines for one area; progress goes to the window's status line.
class AreaSink : public ReportSink {
public:
    explicit AreaSink(QStatusBar* status) : status_(status) {}
    void Line(const std::string& text) override { lines.push_back(ToQt(text)); }
    void Status(const std::string& text) override { lastStatus = ToQt(text); }
    void Finish() const
    {
        if (!lastStatus.isEmpty())
            status_->showMessage(lastStatus);
    }
    QStringList lines;
    QString lastStatus;

private:
    QStatusBar* status_;
};

// A text file for the scratch pad: UTF-8, or - when it is no UTF-8 - Latin-1,
// the single-byte text older notes were written in.
QString ScratchText(const QByteArray& bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        text = QString::fromLatin1(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QLabel* Note(const QString& text, QWidget* parent, const char* name)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setWordWrap(true);
    return label;
}

QPushButton* Button(const QString& text, QWidget* parent, const char* name)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

}  // namespace

TFormFormSearch::TFormFormSearch(Oob& oob, Dialogs& dialogs, const std::filesystem::path& programDir,
                                 QWidget* parent)
    : QDialog(parent), oob_(oob), dialogs_(dialogs), programDir_(programDir)
{
    setObjectName(QStringLiteral("TFormFormSearch"));
    setWindowTitle(kCaption);
    setModal(false);
    setWindowFlag(Qt::WindowMaximizeButtonHint, true);
    setSizeGripEnabled(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 0);
    auto* top = new QHBoxLayout;
    auto* close = Button(QStringLiteral("Close"), this, "Button1");
    top->addWidget(close);
    top->addWidget(Note(QStringLiteral("Grey list panels are read-only memo components - right click for actions"),
                        this, "Label1"),
                   1);
    resultsFor_ = Note(QStringLiteral("No file loaded"), this, "ResultsFileLabel");
    resultsFor_->setWordWrap(false);
    top->addWidget(resultsFor_);
    layout->addLayout(top);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    pageControlMain_ = new QTabWidget(this);
    pageControlMain_->setObjectName(QStringLiteral("PageControlMain"));
    BuildFormationPage(pageControlMain_);
    BuildUnitPage(pageControlMain_);
    BuildWeaponPage(pageControlMain_);
    BuildScratchPage(pageControlMain_);
    layout->addWidget(pageControlMain_, 1);

    status_ = new QStatusBar(this);
    status_->setObjectName(QStringLiteral("StatusBar1"));
    findings_ = new QLabel(status_);
    findings_->setObjectName(QStringLiteral("FindingsLabel"));
    status_->addPermanentWidget(findings_);
    layout->addWidget(status_);

    connect(pageControlMain_, &QTabWidget::currentChanged, this, [this] {
        // Only the scratch pad has a status text of its own at this level.
        findings_->clear();
        if (pageControlMain_->currentWidget()->objectName() == QLatin1String("Scratchpad"))
            SetStatus(QStringLiteral("Use as you like - e.g. for a to-do list"));
    });
    // Tab runs through a search tab as it reads: the edit, its find button, the list, the results.
    const char* const chains[][4] = {{"EditFindUnitClass", "BitBtnFindUC", "ListBox1", "Memo2"},
                                     {"EditFindUCInUC", "BitBtn3", "ListBoxIndUnitFind", "MemoFoundUnits"},
                                     {"EditWpnName", "BitBtn4", "ListBoxWpns1", "Memo8"}};
    for (const auto& chain : chains) {
        for (int i = 0; i + 1 < 4; ++i)
            setTabOrder(findChild<QWidget*>(QString::fromLatin1(chain[i])),
                        findChild<QWidget*>(QString::fromLatin1(chain[i + 1])));
    }
    resize(980, 600);
    FormCreate();
}

QPlainTextEdit* TFormFormSearch::MakeMemo(const char* name, bool jumps)
{
    auto* memo = new QPlainTextEdit(this);
    memo->setObjectName(QString::fromLatin1(name));
    memo->setReadOnly(true);
    memo->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    QPalette p = memo->palette();
    p.setColor(QPalette::Base, QColor(0xe4, 0xe4, 0xe4));
    memo->setPalette(p);
    memos_[memo->objectName()] = memo;
    if (jumps) {
        jumps_[memo] = true;
        memo->viewport()->installEventFilter(this);
        memo->installEventFilter(this);
        memo->setToolTip(QStringLiteral("Click a line (or press Enter on it) to open its record"));
    }
    return memo;
}

QListWidget* TFormFormSearch::MakeList(const char* name, void (TFormFormSearch::*click)(int row))
{
    auto* list = new QListWidget(this);
    list->setObjectName(QString::fromLatin1(name));
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list->setUniformItemSizes(true);
    lists_[list->objectName()] = list;
    // A click, or Enter on the selected row, runs the row's report.
    auto run = [this, list, click] {
        if (list->currentRow() >= 0)
            (this->*click)(list->currentRow());
    };
    connect(list, &QListWidget::itemClicked, this, run);
    connect(list, &QListWidget::itemActivated, this, run);
    return list;
}

QWidget* TFormFormSearch::ReportTab(QWidget* controls, QListWidget* list, QPlainTextEdit* memo)
{
    auto* tab = new QWidget;
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(4, 4, 4, 4);
    if (qobject_cast<QPushButton*>(controls))
        layout->addWidget(controls, 0, Qt::AlignLeft);  // a lone run button keeps its own width
    else if (controls)
        layout->addWidget(controls);
    if (list) {
        auto* split = new QSplitter(Qt::Horizontal, tab);
        split->addWidget(list);
        split->addWidget(memo);
        split->setStretchFactor(0, 2);
        split->setStretchFactor(1, 5);
        list->setMinimumWidth(200);
        layout->addWidget(split, 1);
    } else {
        layout->addWidget(memo, 1);
    }
    return tab;
}

void TFormFormSearch::AddTab(QTabWidget* tabs, QWidget* tab, const char* name, const char* caption,
                             const char* status, void (TFormFormSearch::*run)())
{
    tab->setObjectName(QString::fromLatin1(name));
    tabs->addTab(tab, QString::fromLatin1(caption));
    if (status)
        tabStatus_[tab->objectName()] = QString::fromLatin1(status);
    if (run)
        tabRuns_[tab->objectName()] = run;
}

void TFormFormSearch::AddPage(QTabWidget* pages, QTabWidget* tabs, const char* name, const char* caption)
{
    auto* page = new QWidget;
    page->setObjectName(QString::fromLatin1(name));
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(2, 2, 2, 2);
    v->addWidget(tabs);
    pages->addTab(page, QString::fromLatin1(caption));
    connect(tabs, &QTabWidget::currentChanged, this, [this, tabs] { TabChanged(tabs); });
}

QWidget* TFormFormSearch::FindRow(const char* editName, const char* hint, const char* buttonName,
                                  const char* buttonText, QListWidget* list)
{
    auto* row = new QWidget;
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto* edit = new QLineEdit(row);
    edit->setObjectName(QString::fromLatin1(editName));
    edit->setPlaceholderText(QString::fromLatin1(hint));
    auto* find = Button(QString::fromLatin1(buttonText), row, buttonName);
    h->addWidget(edit, 1);
    h->addWidget(find);
    // The button and Enter in the edit go to the next row holding the text.
    auto go = [this, edit, list] { FindInList(edit->text(), list); };
    connect(find, &QPushButton::clicked, this, go);
    connect(edit, &QLineEdit::returnPressed, this, go);
    return row;
}

// A box of explanatory notes above a run button.
QWidget* TFormFormSearch::NotesAndButton(std::initializer_list<std::pair<const char*, QString>> notes,
                                         const char* buttonName, const char* buttonText, void (TFormFormSearch::*run)())
{
    auto* box = new QWidget;
    auto* v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    for (const auto& [name, text] : notes)
        v->addWidget(Note(text, box, name));
    auto* b = Button(QString::fromLatin1(buttonText), box, buttonName);
    connect(b, &QPushButton::clicked, this, run);
    v->addWidget(b, 0, Qt::AlignLeft);
    return box;
}

void TFormFormSearch::BuildFormationPage(QTabWidget* pages)
{
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("PageControl1"));
    // Check Unit Class*: a class list; the result lines open their formation.
    auto* classes = MakeList("ListBox1", &TFormFormSearch::ListBox1Click);
    AddTab(tabs,
           ReportTab(FindRow("EditFindUnitClass", "part of a class name", "BitBtnFindUC", "Find UC", classes), classes,
                     MakeMemo("Memo2", true)),
           "TabUnitClass", "Check Unit Class*", "Find formations using a particular unit class", nullptr);
    {
        auto* run = Button(QStringLiteral("Run Search"), this, "BitBtn1");
        connect(run, &QPushButton::clicked, this, &TFormFormSearch::RunCheckBrokenLinks);
        AddTab(tabs, ReportTab(run, nullptr, MakeMemo("Memo3", false)), "TabBrokenLinks", "Broken Links",
               "Find Formations with broken links (unit or sub-formation)", nullptr);
    }
    AddTab(tabs,
           ReportTab(nullptr, MakeList("ListBoxUnits", &TFormFormSearch::ListBoxUnitsClick), MakeMemo("Memo4", false)),
           "TabTemplateUnits", "Template Unit Finder",
           "Find any Formations which use the specified unit as a template unit", &TFormFormSearch::FillTemplateUnitList);
    AddTab(tabs,
           ReportTab(nullptr, MakeList("ListBoxPlatoons", &TFormFormSearch::ListBoxPlatoonsClick),
                     MakeMemo("Memo1", false)),
           "TabPlatoons", "Platoon Finder",
           "Find any Coy type Formations which use the specified platoon as a subordinate formation",
           &TFormFormSearch::FillPlatoonList);
    AddTab(tabs,
           ReportTab(nullptr, MakeList("ListBoxCompanies", &TFormFormSearch::ListBoxCompaniesClick),
                     MakeMemo("Memo5", false)),
           "TabCompanies", "Company Finder", "Find All Coys and list subordinate platoons",
           &TFormFormSearch::FillCompanyList);
    AddTab(tabs,
           ReportTab(NotesAndButton({{"Label2", QStringLiteral("Any formation which uses a template unit with an X3 "
                                                               "radio code where that tempalte unit is not available ")},
                                     {"Label3", QStringLiteral("100% of the formation's lifespan will cause severe "
                                                               "problems - any formation listed here has such a problem")}},
                                    "BitBtn2", "Run Search", &TFormFormSearch::RunCheckX3Dates),
                     nullptr, MakeMemo("Memo7", false)),
           "TabX3Dates", "X3 Dates Check", "Find all formations with an X3 template unit where dates conflict",
           &TFormFormSearch::RunCheckX3Dates);
    AddTab(tabs,
           ReportTab(NotesAndButton({{"Label4", QStringLiteral("Check all formations for gaps (no unit available at "
                                                               "date)")},
                                     {"Label5", QStringLiteral("This reports only highlight possible problems  -  eg a "
                                                               "formation may be designed to only use infantry SAM "
                                                               "when available")}},
                                    "Button2", "Run Check", &TFormFormSearch::RunCheckFormationDates),
                     nullptr, MakeMemo("Memo10", false)),
           "TabFormationDates", "Formation Date Check", nullptr, nullptr);
    AddTab(tabs,
           ReportTab(NotesAndButton({{"Label6", QStringLiteral("Check for any platoons containing platoons (which "
                                                               "should be Companies)")}},
                                    "ButtonPlCheck", "Run Check", &TFormFormSearch::RunCheckPlatoonsInPlatoons),
                     nullptr, MakeMemo("Memo11", false)),
           "TabPlatoonInPlatoon", "Platoon In Platoon", nullptr, nullptr);
    AddPage(pages, tabs, "FormationChecks", "Formation Checks");
}

void TFormFormSearch::BuildUnitPage(QTabWidget* pages)
{
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("PageControlUnits"));
    auto* classes = MakeList("ListBoxIndUnitFind", &TFormFormSearch::ListBoxIndUnitFindClick);
    AddTab(tabs,
           ReportTab(FindRow("EditFindUCInUC", "part of a class name", "BitBtn3", "Find UC", classes), classes,
                     MakeMemo("MemoFoundUnits", true)),
           "TabFindUnits", "Find Units*", "Find all units of this class in the Unit database", nullptr);
    AddTab(tabs, ReportTab(nullptr, nullptr, MakeMemo("Memo6", false)), "TabForeignUnits", "Find Foreign Units",
           "list all units which are not assigned to the current nationality", &TFormFormSearch::FindForeignUnits);
    AddTab(tabs,
           ReportTab(Note(QStringLiteral("NB - Crew and assault boat are always \"orphans\" - these 2 must never be in "
                                         "a formation. Barge may be (if only present as a generated unit from a barge "
                                         "carrier)"),
                          this, "Label7"),
                     nullptr, MakeMemo("Memo12", false)),
           "TabOrphans", "Find Orphan Unit Classes",
           "list all unit classes which are not assigned to any formation (orphans)",
           &TFormFormSearch::RunFindOrphanClasses);
    AddTab(tabs,
           ReportTab(Note(QStringLiteral("Find Units with bad ammo loads (AP ammo with no effect etc)"), this, "Label8"),
                     nullptr, MakeMemo("Memo14", false)),
           "TabBadAmmo", "Bad Ammo", "list all units with bad ammo loads (innefective HEAT etc)",
           &TFormFormSearch::RunFindBadAmmo);
    AddPage(pages, tabs, "UnitChecks", "Unit Checks");
}

void TFormFormSearch::BuildWeaponPage(QTabWidget* pages)
{
    auto* tabs = new QTabWidget;
    tabs->setObjectName(QStringLiteral("PageControlwpns"));
    auto* weapons = MakeList("ListBoxWpns1", &TFormFormSearch::ListBoxWpns1Click);
    AddTab(tabs,
           ReportTab(FindRow("EditWpnName", "part of a weapon name", "BitBtn4", "Find Wpn", weapons), weapons,
                     MakeMemo("Memo8", true)),
           "TabWeaponUsers", "Find Weapon Users*", "Find all users of a particular weapon ID",
           &TFormFormSearch::FillWeaponList);
    AddTab(tabs,
           ReportTab(nullptr, MakeList("ListBoxWpnsClasses", &TFormFormSearch::ListBoxWpnsClassesClick),
                     MakeMemo("Memo9", true)),
           "TabWeaponClasses", "Weapons by Class*", "Find all Weapons of a specified Weapon Class in the weapons D/B",
           &TFormFormSearch::FillWeaponClassList);
    {
        auto* clear = Button(QStringLiteral("Clear Unused Weapons?"), this, "BitBtnUnusedWeponDelete");
        connect(clear, &QPushButton::clicked, this, &TFormFormSearch::BitBtnUnusedWeponDeleteClick);
        AddTab(tabs, ReportTab(clear, nullptr, MakeMemo("Memo13", false)), "TabUnusedWeapons", "Find Unused Weapons",
               "Find all Weapons which are unused", &TFormFormSearch::RunFindUnusedWeapons);
    }
    AddPage(pages, tabs, "WeaponsCheck", "Weapons Check");
}

void TFormFormSearch::BuildScratchPage(QTabWidget* pages)
{
    auto* page = new QWidget;
    page->setObjectName(QStringLiteral("Scratchpad"));
    auto* v = new QVBoxLayout(page);
    v->setContentsMargins(4, 4, 4, 4);
    auto* row = new QHBoxLayout;
    auto* load = Button(QStringLiteral("Load"), page, "SpeedButtonload");
    auto* save = Button(QStringLiteral("Save"), page, "SpeedButtonSave");
    auto* print = Button(QStringLiteral("Print"), page, "SpeedButtonPrint");
    printerFontButton_ = Button(QString(), page, "SpeedButtonprinterfont");
    printerFontButton_->setToolTip(QStringLiteral("Choose the font the scratch pad is printed in"));
    for (QPushButton* b : {load, save, print, printerFontButton_})
        row->addWidget(b);
    row->addStretch(1);
    v->addLayout(row);
    scratch_ = new QPlainTextEdit(page);
    scratch_->setObjectName(QStringLiteral("MemoScratch"));
    scratch_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    scratch_->setLineWrapMode(QPlainTextEdit::NoWrap);
    v->addWidget(scratch_, 1);
    memotmp_ = new QPlainTextEdit(page);
    memotmp_->setObjectName(QStringLiteral("Memotmp"));
    memotmp_->hide();
    connect(load, &QPushButton::clicked, this, &TFormFormSearch::SpeedButtonloadClick);
    connect(save, &QPushButton::clicked, this, &TFormFormSearch::SpeedButtonSaveClick);
    connect(print, &QPushButton::clicked, this, &TFormFormSearch::SpeedButtonPrintClick);
    connect(printerFontButton_, &QPushButton::clicked, this, &TFormFormSearch::SpeedButtonprinterfontClick);
    pages->addTab(page, QStringLiteral("Scratchpad"));
}

bool TFormFormSearch::ShowTab(const QString& tabName)
{
    QWidget* tab = findChild<QWidget*>(tabName);
    if (!tab)
        return false;
    for (auto* tabs : findChildren<QTabWidget*>()) {
        const int i = tabs->indexOf(tab);
        if (i < 0 || tabs == pageControlMain_)
            continue;
        for (int p = 0; p < pageControlMain_->count(); ++p) {
            if (pageControlMain_->widget(p)->isAncestorOf(tabs))
                pageControlMain_->setCurrentIndex(p);
        }
        tabs->setCurrentIndex(i);
    }
    for (const char* run : {"BitBtn1", "BitBtn2", "Button2", "ButtonPlCheck"}) {
        if (auto* b = tab->findChild<QPushButton*>(QString::fromLatin1(run)))
            b->click();
    }
    return true;
}

void TFormFormSearch::FormCreate()
{
    pageControlMain_->setCurrentIndex(0);
    for (const char* tabs : {"PageControl1", "PageControlUnits", "PageControlwpns"})
        findChild<QTabWidget*>(QString::fromLatin1(tabs))->setCurrentIndex(0);
    SetStatus(QStringLiteral("Find formations using a particular unit class"));
    move(16, 16);
    scratch_->clear();
    for (const char* name : {"MemoFoundUnits", "Memo2", "Memo3", "Memo4", "Memo1", "Memo5", "Memo8", "Memo9"})
        memos_.at(QString::fromLatin1(name))->clear();
    printerFont_ = scratch_->font();
    SetPrinterFontCaption();
}

QString TFormFormSearch::StatusText() const
{
    return status_->currentMessage();
}

QString TFormFormSearch::FindingsText() const
{
    return findings_->text();
}

void TFormFormSearch::ShowFindings(const char* reportName, const QStringList& lines)
{
    std::vector<std::string> raw;
    raw.reserve(static_cast<std::size_t>(lines.size()));
    for (const QString& l : lines)
        raw.push_back(ToBytes(l));
    const int n = CountFindings(reportName, raw);
    findings_->setText(n == 1 ? QStringLiteral("1 finding") : QStringLiteral("%1 findings").arg(n));
}

void TFormFormSearch::SetStatus(const QString& text)
{
    status_->showMessage(text);
}

void TFormFormSearch::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (event->spontaneous())
        return;
    emit opened();
    Refresh();
}

void TFormFormSearch::Refresh()
{
    FillClassLists();
    FillTemplateUnitList();
    FillPlatoonList();
    FillCompanyList();
    FindForeignUnits();
    FillWeaponList();
    FillWeaponClassList();
    findings_->clear();  // the foreign units ran behind the tab shown
}

void TFormFormSearch::FileOpened(const QString& file)
{
    for (const auto& [name, memo] : memos_)
        memo->clear();
    findings_->clear();
    resultsFor_->setText(QStringLiteral("Results for ") + file);
    if (isVisible()) {
        Refresh();
        return;
    }
    // Filled afresh when the window is next shown.
    for (const auto& [name, list] : lists_)
        list->clear();
}

void TFormFormSearch::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        emit closed();
}

bool TFormFormSearch::eventFilter(QObject* watched, QEvent* event)
{
    // A click on a result line, or Enter on it, opens its record.
    for (const auto& [memo, jumps] : jumps_) {
        if (watched == memo->viewport() && event->type() == QEvent::MouseButtonRelease) {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton && !memo->textCursor().hasSelection())
                JumpToRecord(memo);
        } else if (watched == memo && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                JumpToRecord(memo);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TFormFormSearch::TabChanged(QTabWidget* tabs)
{
    findings_->clear();  // a count belongs to the check shown
    const QString name = tabs->currentWidget()->objectName();
    if (const auto s = tabStatus_.find(name); s != tabStatus_.end())
        SetStatus(s->second);
    if (const auto r = tabRuns_.find(name); r != tabRuns_.end())
        (this->*(r->second))();
}

void TFormFormSearch::SetRows(QListWidget* list, const std::vector<std::string>& rows)
{
    QStringList items;
    items.reserve(static_cast<qsizetype>(rows.size()));
    for (const std::string& r : rows)
        items.push_back(ToQt(r));
    list->setUpdatesEnabled(false);
    list->clear();
    list->addItems(items);
    list->setUpdatesEnabled(true);
}

void TFormFormSearch::Show(QPlainTextEdit* area, const QStringList& lines, bool append)
{
    if (append) {
        for (const QString& line : lines)
            area->appendPlainText(line);
        return;
    }
    area->setPlainText(lines.join(QLatin1Char('\n')));
}

void TFormFormSearch::Stopped(const ReportEnd& end)
{
    if (end.Stopped)
        dialogs_.Message(this, kCaption, ToQt(end.Message), Dialogs::Icon::Error);
}

void TFormFormSearch::FillClassLists()
{
    const auto rows = ClassRows(oob_);
    for (const char* name : {"ListBox1", "ListBoxIndUnitFind"}) {
        SetRows(lists_.at(QString::fromLatin1(name)), rows);
        lists_.at(QString::fromLatin1(name))->setCurrentRow(0);
    }
    memos_.at(QStringLiteral("Memo2"))->clear();
    selectedClass_ = 0;
}

void TFormFormSearch::FillTemplateUnitList()
{
    SetRows(lists_.at(QStringLiteral("ListBoxUnits")), TemplateUnitRows(oob_));
    memos_.at(QStringLiteral("Memo4"))->clear();
}

void TFormFormSearch::FillPlatoonList()
{
    SetRows(lists_.at(QStringLiteral("ListBoxPlatoons")), PlatoonRows(oob_));
    memos_.at(QStringLiteral("Memo1"))->clear();
}

void TFormFormSearch::FillCompanyList()
{
    SetRows(lists_.at(QStringLiteral("ListBoxCompanies")), CompanyRows(oob_));
    memos_.at(QStringLiteral("Memo5"))->clear();
}

void TFormFormSearch::FillWeaponList()
{
    SetRows(lists_.at(QStringLiteral("ListBoxWpns1")), WeaponRows(oob_));
}

void TFormFormSearch::FillWeaponClassList()
{
    SetRows(lists_.at(QStringLiteral("ListBoxWpnsClasses")), WeaponClassRows());
}

void TFormFormSearch::FindForeignUnits()
{
    AreaSink sink(status_);
    brackle::FindForeignUnits(oob_, sink);
    Show(memos_.at(QStringLiteral("Memo6")), sink.lines);
    ShowFindings("foreign-units", sink.lines);
}

void TFormFormSearch::RunFindFormationsUsingClass(int unitClass)
{
    AreaSink sink(status_);
    FindFormationsUsingClass(oob_, unitClass, sink);
    Show(memos_.at(QStringLiteral("Memo2")), sink.lines);
}

void TFormFormSearch::RunCheckBrokenLinks()
{
    AreaSink sink(status_);
    const QLocale locale;
    const QDateTime now = QDateTime::currentDateTime();
    const QString startedAt = locale.toString(now.date(), QLocale::ShortFormat) + QLatin1Char(' ') +
                              locale.toString(now.time(), QLocale::LongFormat);
    CheckBrokenLinks(oob_, ToBytes(startedAt), sink);
    Show(memos_.at(QStringLiteral("Memo3")), sink.lines);
    ShowFindings("broken-links", sink.lines);
}

void TFormFormSearch::RunCheckX3Dates()
{
    AreaSink sink(status_);
    CheckX3Dates(oob_, sink);
    Show(memos_.at(QStringLiteral("Memo7")), sink.lines);
    ShowFindings("x3-dates", sink.lines);
}

void TFormFormSearch::RunCheckFormationDates()
{
    AreaSink sink(status_);
    const ReportEnd end = CheckFormationDates(oob_, sink);
    sink.Finish();
    Show(memos_.at(QStringLiteral("Memo10")), sink.lines);
    ShowFindings("formation-dates", sink.lines);
    Stopped(end);
}

void TFormFormSearch::RunCheckPlatoonsInPlatoons()
{
    AreaSink sink(status_);
    CheckPlatoonsInPlatoons(oob_, sink);
    sink.Finish();
    Show(memos_.at(QStringLiteral("Memo11")), sink.lines);
    ShowFindings("platoons-in-platoons", sink.lines);
}

void TFormFormSearch::RunFindOrphanClasses()
{
    AreaSink sink(status_);
    const ReportEnd end = FindOrphanClasses(oob_, sink);
    sink.Finish();
    Show(memos_.at(QStringLiteral("Memo12")), sink.lines);
    ShowFindings("orphan-classes", sink.lines);
    Stopped(end);
}

void TFormFormSearch::RunFindBadAmmo()
{
    AreaSink sink(status_);
    FindBadAmmo(oob_, sink);
    Show(memos_.at(QStringLiteral("Memo14")), sink.lines);
    ShowFindings("bad-ammo", sink.lines);
}

void TFormFormSearch::RunFindUnusedWeapons()
{
    AreaSink sink(status_);
    FindUnusedWeapons(oob_, sink);
    sink.Finish();
    Show(memos_.at(QStringLiteral("Memo13")), sink.lines);
    ShowFindings("unused-weapons", sink.lines);
}

void TFormFormSearch::BitBtnUnusedWeponDeleteClick()
{
    if (!dialogs_.Question(this, QStringLiteral("Confirm Delete"), QStringLiteral("Delete ALL Unused Weapons?")))
        return;
    AreaSink sink(status_);
    const TablesSnapshot before = SnapshotTables(oob_);
    ClearUnusedWeapons(oob_, sink);
    Show(memos_.at(QStringLiteral("Memo13")), sink.lines, true);
    if (TablesDiffer(before, oob_))
        emit tablesChanged();
}

void TFormFormSearch::ListBox1Click(int row)
{
    selectedClass_ = row;
    RunFindFormationsUsingClass(row);
}

void TFormFormSearch::ListBoxIndUnitFindClick(int row)
{
    AreaSink sink(status_);
    FindUnitsOfClass(oob_, row, sink);
    Show(memos_.at(QStringLiteral("MemoFoundUnits")), sink.lines);
}

void TFormFormSearch::ListBoxUnitsClick(int row)
{
    AreaSink sink(status_);
    if (ShowTemplateUnitUsers(oob_, row, sink))
        Show(memos_.at(QStringLiteral("Memo4")), sink.lines);
}

void TFormFormSearch::ListBoxPlatoonsClick(int row)
{
    AreaSink sink(status_);
    if (ShowPlatoonUsers(oob_, row, sink))
        Show(memos_.at(QStringLiteral("Memo1")), sink.lines);
}

void TFormFormSearch::ListBoxCompaniesClick(int row)
{
    AreaSink sink(status_);
    if (ShowCompanyContents(oob_, row, sink))
        Show(memos_.at(QStringLiteral("Memo5")), sink.lines);
}

void TFormFormSearch::ListBoxWpns1Click(int row)
{
    AreaSink sink(status_);
    if (FindWeaponUsers(oob_, row, sink))
        Show(memos_.at(QStringLiteral("Memo8")), sink.lines);
}

void TFormFormSearch::ListBoxWpnsClassesClick(int row)
{
    AreaSink sink(status_);
    FindWeaponsOfClass(oob_, row, sink);
    Show(memos_.at(QStringLiteral("Memo9")), sink.lines);
}

void TFormFormSearch::FindInList(const QString& text, QListWidget* list)
{
    if (list->count() == 0)
        return;
    const int old = list->currentRow();
    if (old < 0)
        list->setCurrentRow(0);
    const auto matches = [&](int row) { return list->item(row)->text().contains(text, Qt::CaseInsensitive); };
    int found = -1;
    for (int row = std::max(list->currentRow(), 0); row < list->count() && found < 0; ++row) {
        if (row > old && matches(row))
            found = row;
    }
    for (int row = 0; row < list->count() && found < 0; ++row) {
        if (row != old && matches(row))
            found = row;
    }
    if (found >= 0) {
        list->setCurrentRow(found);
        list->scrollToItem(list->item(found));
    }
    // The report of the row found (or of the row still selected) is shown at once.
    emit list->itemClicked(list->currentItem());
}

void TFormFormSearch::JumpToRecord(QPlainTextEdit* area)
{
    const QTextBlock block = area->textCursor().block();
    const int line = block.blockNumber();
    const std::optional<int> n = RecordNumberOfLine(ToBytes(block.text()));
    if (!n)
        return;
    // The found-units and weapon areas start with a heading line that names no record.
    const QString name = area->objectName();
    if (line == 0 && name != QLatin1String("Memo2"))
        return;
    const int page = name == QLatin1String("Memo2") ? 2 : (name == QLatin1String("Memo9") ? 1 : 0);
    emit jumpRequested(page, *n);
}

void TFormFormSearch::SpeedButtonloadClick()
{
    const QString path = dialogs_.OpenFileName(this, QStringLiteral("Load text File"), PathToQt(programDir_),
                                               kTextFilter);
    if (path.isEmpty())
        return;
    scratch_->clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        dialogs_.Message(this, kCaption,
                         QStringLiteral("Cannot read %1\r\n\r\n%2").arg(QDir::toNativeSeparators(path), file.errorString()),
                         Dialogs::Icon::Error);
        return;
    }
    scratch_->setPlainText(ScratchText(file.readAll()));
    lastLoaded_ = path;
}

void TFormFormSearch::SpeedButtonSaveClick()
{
    const QString start = lastLoaded_.isEmpty() ? PathToQt(programDir_) : lastLoaded_;
    QString path = dialogs_.SaveFileName(this, QStringLiteral("SaveText File"), start, kTextFilter);
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".txt");
    QSaveFile file(path);
    bool ok = file.open(QIODevice::WriteOnly | QIODevice::Text);
    if (ok) {
        QTextStream out(&file);
        out.setEncoding(QStringConverter::Utf8);
        const QString text = scratch_->toPlainText();
        out << text;
        if (!text.isEmpty() && !text.endsWith(QLatin1Char('\n')))
            out << '\n';
        out.flush();
        ok = out.status() == QTextStream::Ok && file.commit();
    }
    if (!ok) {
        dialogs_.Message(this, kCaption,
                         QStringLiteral("Cannot save %1\r\n\r\n%2").arg(QDir::toNativeSeparators(path), file.errorString()),
                         Dialogs::Icon::Error);
        return;
    }
    SetStatus(QStringLiteral("Text file saved"));
}

void TFormFormSearch::SpeedButtonPrintClick()
{
    QString text = scratch_->toPlainText();
    const QTextCursor cursor = scratch_->textCursor();
    if (cursor.hasSelection() &&
        dialogs_.Question(this, QStringLiteral("Print Selection"), QStringLiteral("Print Selected text Only?")))
        text = cursor.selectedText().replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    // The hidden print buffer holds exactly what goes to the printer.
    memotmp_->setPlainText(text);
    const QStringList lines = memotmp_->toPlainText().split(QLatin1Char('\n'));
    QPrinter printer;
    if (!dialogs_.Print(this, &printer))
        return;
    QString error;
    if (!PrintLines(printer, printerFont_, lines, &error))
        dialogs_.Message(this, kCaption, QStringLiteral("Printing failed\r\n\r\n") + error, Dialogs::Icon::Error);
}

void TFormFormSearch::SpeedButtonprinterfontClick()
{
    if (dialogs_.ChooseFont(this, &printerFont_))
        SetPrinterFontCaption();
}

void TFormFormSearch::SetPrinterFontCaption()
{
    QString caption = QStringLiteral("Printer Font %1 %2 pt").arg(printerFont_.family()).arg(printerFont_.pointSize());
    if (printerFont_.bold())
        caption += QStringLiteral(" Bold");
    if (printerFont_.italic())
        caption += QStringLiteral(" Italic");
    printerFontButton_->setText(caption);
}

}  // namespace brackle
