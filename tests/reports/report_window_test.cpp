// The report window driven as a user drives it: menu entry, tabs, list clicks,
// clicks on result lines, the scratch pad's files and printer.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include "app/loaded_window.h"
#include "reports/report_window.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

class ReportWindowTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        o.WeaponTable[5].Name = "Rifle";
        o.WeaponTable[5].Class = 1;
        o.WeaponTable[5].HEKill = 4;
        o.WeaponTable[6].Name = "Old Gun";  // carried by nobody
        o.WeaponTable[6].Class = 2;
        auto unit = [&o](int n, const char* name, int cls, int nation) {
            UnitRecord& u = o.UnitTable[n];
            u.Name = name;
            u.Class = static_cast<std::uint8_t>(cls);
            u.Nation = static_cast<std::uint8_t>(nation);
            u.YrAvail = 40;
            u.MonthAvail = 1;
            u.YrUnavail = 60;
            u.MonthUnAvail = 12;
        };
        unit(1, "Rifle Squad", 0, 3);
        o.UnitTable[1].Wpn1 = 5;
        unit(2, "Tank Plt HQ", 5, 3);
        unit(12, "Scout Car", 5, 4);
        FormationRecord& f = o.FormationTable[7];
        f.Name = "Rifle Plt";
        f.Nation = 3;
        f.FormType = 1;
        f.Slot[0] = 1;
        f.YrAvail = 40;
        f.MonthAvail = 1;
        f.YrUntil = 60;
        f.MonthUntil = 12;
    }

    void SetUp() override
    {
        test::LoadedWindowTest::SetUp();
        report = new TFormFormSearch(oob, dialogs, programDir, w.get());
        w->SetReportWindow(report);
    }

    void Open()
    {
        w->FindformClick();
        ASSERT_TRUE(report->isVisible());
    }
    template <typename T>
    T* In(const char* name)
    {
        T* found = report->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // Selects tab name, and the page that holds it, as clicks on the tabs do.
    void Tab(const char* name)
    {
        QWidget* tab = In<QWidget>(name);
        auto* main = In<QTabWidget>("PageControlMain");
        for (auto* tabs : report->findChildren<QTabWidget*>()) {
            const int i = tabs->indexOf(tab);
            if (i < 0)
                continue;
            for (int p = 0; p < main->count(); ++p) {
                if (main->widget(p)->isAncestorOf(tabs))
                    main->setCurrentIndex(p);
            }
            tabs->setCurrentIndex(i);
        }
    }
    QStringList Lines(const char* memo) { return In<QPlainTextEdit>(memo)->toPlainText().split(QLatin1Char('\n')); }
    // Clicks line n of a result area.
    void ClickLine(const char* memo, int n)
    {
        auto* area = In<QPlainTextEdit>(memo);
        QTextCursor c(area->document()->findBlockByNumber(n));
        area->setTextCursor(c);
        QTest::mouseClick(area->viewport(), Qt::LeftButton, Qt::NoModifier, area->cursorRect().center());
    }
    void ClickRow(QListWidget* list, int row)
    {
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    }

    TFormFormSearch* report = nullptr;
};

TEST_F(ReportWindowTest, TheMenuEntryOpensOneWindowAndItsListsAreFilled)
{
    QAction* entry = w->findChild<QAction*>(QStringLiteral("Findform"));
    EXPECT_TRUE(entry->isEnabled());
    Open();
    EXPECT_EQ(report->windowTitle(), QStringLiteral("Database Checking Utilities"));
    EXPECT_FALSE(entry->isEnabled());
    EXPECT_TRUE(w->ReportWindowOpen());
    EXPECT_EQ(report->StatusText(), QStringLiteral("Find formations using a particular unit class"));
    EXPECT_EQ(In<QListWidget>("ListBox1")->count(), 256);
    EXPECT_EQ(In<QListWidget>("ListBoxUnits")->count(), 999);
    EXPECT_EQ(In<QListWidget>("ListBoxWpns1")->count(), 249);
    EXPECT_EQ(In<QListWidget>("ListBoxWpnsClasses")->count(), 26);
    EXPECT_EQ(Lines("Memo6").value(0), QStringLiteral("Foreign uints found:"));
    In<QPushButton>("Button1")->click();
    EXPECT_FALSE(report->isVisible());
    EXPECT_TRUE(entry->isEnabled());
    EXPECT_FALSE(w->ReportWindowOpen());
}

TEST_F(ReportWindowTest, ATabRunsItsReportAndSaysWhatItDoes)
{
    Open();
    Tab("TabUnusedWeapons");
    EXPECT_EQ(report->StatusText().isEmpty(), false);
    EXPECT_TRUE(Lines("Memo13").contains(QStringLiteral("006 - Old Gun - UNUSED "))) << Lines("Memo13").join('|').toStdString();
    EXPECT_EQ(report->FindingsText(), QStringLiteral("1 finding"));
    Tab("TabForeignUnits");
    EXPECT_EQ(report->StatusText(), QStringLiteral("list all units which are not assigned to the current nationality"));
    EXPECT_EQ(report->FindingsText(), QStringLiteral("1 finding"));  // unit 12 of nation 4
    Tab("TabFormationDates");  // no status text of its own: the last one stays
    EXPECT_EQ(report->StatusText(), QStringLiteral("list all units which are not assigned to the current nationality"));
    In<QPushButton>("ButtonPlCheck")->click();
    EXPECT_EQ(Lines("Memo11").value(0), QStringLiteral("Checking for any platoons containing platoons"));
}

TEST_F(ReportWindowTest, AClickOnAResultLineOpensItsRecordInTheMainWindow)
{
    Open();
    Tab("TabFindUnits");
    ClickRow(In<QListWidget>("ListBoxIndUnitFind"), 5);
    const QStringList units = Lines("MemoFoundUnits");
    ASSERT_EQ(units.size(), 3) << units.join('|').toStdString();
    ClickLine("MemoFoundUnits", 0);  // the heading names no record
    EXPECT_EQ(oob.CurrentUnit, 1);
    ClickLine("MemoFoundUnits", 2);
    EXPECT_EQ(oob.CurrentUnit, 12);
    EXPECT_EQ(w->PageMode(), 2);
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Scout Car"));
    EXPECT_EQ(Find<QListWidget>("UnitListBox")->currentRow(), 11);

    // Formations: every line counts, but "1 formations found ..." starts with no number.
    Tab("TabUnitClass");
    ClickRow(In<QListWidget>("ListBox1"), 0);
    ASSERT_EQ(Lines("Memo2").value(0).left(5), QStringLiteral("007  "));
    ClickLine("Memo2", 1);
    EXPECT_EQ(w->PageMode(), 2);  // still the Units page
    ClickLine("Memo2", 0);
    EXPECT_EQ(w->PageMode(), 3);
    EXPECT_EQ(oob.CurrentFormation, 7);

    // Weapons of a class open on the Weapons page; Enter on a line does the same.
    Tab("TabWeaponClasses");
    ClickRow(In<QListWidget>("ListBoxWpnsClasses"), 1);
    ASSERT_EQ(Lines("Memo9").value(1), QStringLiteral("006 - Old Gun"));
    auto* memo9 = In<QPlainTextEdit>("Memo9");
    memo9->setTextCursor(QTextCursor(memo9->document()->findBlockByNumber(1)));
    test::PressKeyIn(memo9, Qt::Key_Return);
    EXPECT_EQ(w->PageMode(), 1);
    EXPECT_EQ(oob.CurrentWeapon, 6);
}

TEST_F(ReportWindowTest, FindInListGoesToTheNextMatchAndRunsItsReport)
{
    Open();
    auto* list = In<QListWidget>("ListBoxWpns1");
    auto* edit = In<QLineEdit>("EditWpnName");
    list->setCurrentRow(-1);
    edit->setText(QStringLiteral("RIFLE"));
    In<QPushButton>("BitBtn4")->click();
    EXPECT_EQ(list->currentRow(), 4);
    EXPECT_EQ(Lines("Memo8").value(0), QStringLiteral("users of weapon ID 5 Rifle:"));
    In<QPushButton>("BitBtn4")->click();  // the only match stays
    EXPECT_EQ(list->currentRow(), 4);
    edit->setText(QStringLiteral("o"));  // "Old Gun" and "... - " rows: alternates between matches
    test::PressKeyIn(edit, Qt::Key_Return);
    EXPECT_EQ(list->currentRow(), 5);
    test::PressKeyIn(edit, Qt::Key_Return);
    EXPECT_EQ(list->currentRow(), 5);  // "Old Gun" is the only row holding an "o"
}

TEST_F(ReportWindowTest, TheScratchPadSavesAndLoadsTextFiles)
{
    Open();
    auto* pad = In<QPlainTextEdit>("MemoScratch");
    pad->setPlainText(QStringLiteral("fix unit 12\nrecheck dates"));
    const fs::path file = tmp.path() / "todo";
    dialogs.paths = {QString::fromStdString(file.string())};
    In<QPushButton>("SpeedButtonSave")->click();
    EXPECT_EQ(report->StatusText(), QStringLiteral("Text file saved"));
    EXPECT_EQ(test::ReadText(tmp.path() / "todo.txt"), "fix unit 12\nrecheck dates\n");

    pad->clear();
    dialogs.paths = {QString::fromStdString((tmp.path() / "todo.txt").string())};
    In<QPushButton>("SpeedButtonload")->click();
    EXPECT_EQ(pad->toPlainText(), QStringLiteral("fix unit 12\nrecheck dates\n"));

    dialogs.paths = {QString::fromStdString((tmp.path() / "missing.txt").string())};
    Messages();
    In<QPushButton>("SpeedButtonload")->click();
    EXPECT_TRUE(pad->toPlainText().isEmpty());
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(m[0].first.startsWith(QStringLiteral("Cannot read "))) << m[0].first.toStdString();

    // A folder in the way: the save fails with a message and says nothing of success.
    fs::create_directory(tmp.path() / "in the way.txt");
    dialogs.paths = {QString::fromStdString((tmp.path() / "in the way.txt").string())};
    In<QPushButton>("SpeedButtonSave")->click();
    ASSERT_EQ(Messages().size(), 1u);
}

TEST_F(ReportWindowTest, PrintingWritesEveryLineInTheChosenFont)
{
    Open();
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        GTEST_SKIP() << "pdftotext is not installed; the printout cannot be read back";
    dialogs.font = QFont(QStringLiteral("DejaVu Sans Mono"), 11);
    dialogs.font->setBold(true);
    In<QPushButton>("SpeedButtonprinterfont")->click();
    EXPECT_EQ(In<QPushButton>("SpeedButtonprinterfont")->text(),
              QStringLiteral("Printer Font DejaVu Sans Mono 11 pt Bold"));

    auto* pad = In<QPlainTextEdit>("MemoScratch");
    QStringList lines;
    for (int i = 1; i <= 150; ++i)  // more than a page
        lines << QStringLiteral("line %1 of the scratch pad").arg(i);
    pad->setPlainText(lines.join(QLatin1Char('\n')));
    const QString pdf = QString::fromStdString((tmp.path() / "print.pdf").string());
    dialogs.printToPdf = pdf;
    In<QPushButton>("SpeedButtonPrint")->click();
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(20000));
    const QString text = QString::fromUtf8(p.readAllStandardOutput());
    for (const QString& line : lines)
        EXPECT_TRUE(text.contains(line + QLatin1Char('\n')) || text.contains(line + QLatin1Char('\f')))
            << line.toStdString();
    EXPECT_GE(text.count(QLatin1Char('\f')), 2) << "a new page when one is full";

    // A selection, and Yes to "Print Selected text Only?": the selection alone.
    QTextCursor c(pad->document()->findBlockByNumber(2));
    c.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
    pad->setTextCursor(c);
    dialogs.answers = {true};
    dialogs.shown.clear();
    In<QPushButton>("SpeedButtonPrint")->click();
    EXPECT_EQ(dialogs.shown.at(0).caption, QStringLiteral("Print Selection"));
    EXPECT_EQ(dialogs.shown.at(0).text, QStringLiteral("Print Selected text Only?"));
    p.start(pdftotext, {pdf, QStringLiteral("-")});
    ASSERT_TRUE(p.waitForFinished(20000));
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), QStringLiteral("line 3 of the scratch pad"));
}

TEST_F(ReportWindowTest, ClearingUnusedWeaponsAsksAndMarksTheFileChanged)
{
    Open();
    Tab("TabUnusedWeapons");
    dialogs.answers = {false};
    In<QPushButton>("BitBtnUnusedWeponDelete")->click();
    EXPECT_EQ(oob.WeaponTable[6].Name, "Old Gun");
    EXPECT_FALSE(w->windowTitle().endsWith(QLatin1Char('*')));

    // The weapon page shows weapon 6; after the clean-up it shows it empty, so a
    // commit cannot bring it back.
    w->findChild<QTabWidget*>(QStringLiteral("Viewer"))->setCurrentIndex(TSDIAppForm::WeaponsPage);
    oob.CurrentWeapon = 6;
    w->ShowWeapon();
    dialogs.answers = {true};
    In<QPushButton>("BitBtnUnusedWeponDelete")->click();
    EXPECT_EQ(oob.WeaponTable[6], WeaponRecord{});
    EXPECT_EQ(oob.WeaponTable[198].Name, "1000lb Bomb");
    EXPECT_TRUE(Lines("Memo13").contains(QStringLiteral("006 - Old Gun - UNUSED - DELETED")));
    EXPECT_TRUE(w->windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_EQ(Text("WeaponNameEdit"), QString());
}

TEST_F(ReportWindowTest, ADateCheckThatStopsSaysWhereAndKeepsItsLines)
{
    Open();
    oob.FormationTable[7].MonthUntil = 13;  // a named formation whose end forms no date
    Tab("TabFormationDates");
    In<QPushButton>("Button2")->click();
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].second, Dialogs::Icon::Error);
    EXPECT_TRUE(m[0].first.contains(QStringLiteral("Formation 7"))) << m[0].first.toStdString();
    EXPECT_TRUE(m[0].first.contains(QStringLiteral("13"))) << m[0].first.toStdString();
    EXPECT_EQ(Lines("Memo10").value(0), QStringLiteral("Checking gaps in formations"));
}

}  // namespace
}  // namespace brackle
