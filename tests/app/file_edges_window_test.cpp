// The edges of the editor a modder meets beside the records: results of a file
// no longer open, text that is not Latin-1, folders that cannot be read, files
// that come and go on disk.
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>

#include "app/loaded_window.h"
#include "reports/report_window.h"
#include "widgets/text_qt.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

// Writes file n of the folder with one unit and one formation named after the file.
void WriteNationFile(const fs::path& dir, int n, const std::string& unitName)
{
    Oob o;
    o.CurrentOOB = static_cast<std::uint16_t>(n);
    UnitRecord& u = o.UnitTable[55];
    u.Name = unitName;
    u.Class = 5;
    u.Nation = static_cast<std::uint8_t>(n);
    u.YrAvail = 40;
    u.MonthAvail = 1;
    u.YrUnavail = 60;
    u.MonthUnAvail = 12;
    o.WeaponTable[9].Name = unitName.substr(0, 4) + " Gun";
    o.WeaponTable[9].Class = 2;
    o.UnitTable[55].Wpn1 = 9;
    FormationRecord& f = o.FormationTable[21];
    f.Name = unitName.substr(0, 4) + " Plt";
    f.Nation = static_cast<std::uint8_t>(n);
    f.FormType = 1;
    f.Slot[0] = 55;
    f.Slot[1] = 700;  // erased: a broken link
    WriteTablesToBuffer(o);
    ASSERT_TRUE(WriteFileAtomically(dir / OOBFileName(n), o.OOBBuffer.data(), kBufferSize).ok);
}

// A key whose character no ASCII key gives, as a keyboard layout sends it to the focused control.
void TypeCharacter(const QString& c)
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, c);
    QApplication::sendEvent(focus, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, c);
    QApplication::sendEvent(focus, &release);
}

class FileEdgesTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        UnitRecord& u = o.UnitTable[55];
        u.Name = "AT Gun 52";
        u.Class = 5;
        u.Nation = 4;  // foreign in file 3
        u.Wpn1 = 9;
        o.WeaponTable[9].Name = "Gun 52";
        o.WeaponTable[9].Class = 2;
        FormationRecord& f = o.FormationTable[21];
        f.Name = "AT Plt";
        f.Nation = 3;
        f.FormType = 1;
        f.Slot[0] = 55;
        f.Slot[1] = 700;
    }

    void SetUp() override
    {
        test::LoadedWindowTest::SetUp();
        report = new TFormFormSearch(oob, dialogs, programDir, w.get());
        w->SetReportWindow(report);
    }

    // Selects tab name and the page holding it, as clicks on the tabs do.
    void Tab(const char* name)
    {
        QWidget* tab = report->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(tab, nullptr) << name;
        auto* main = report->findChild<QTabWidget*>(QStringLiteral("PageControlMain"));
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
    void ClickRow(const char* listName, int row)
    {
        QListWidget* list = report->List(QString::fromLatin1(listName));
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
    }
    // Runs every report of the window once, so each result area holds the file's lines.
    void RunEveryReport()
    {
        Tab("TabUnitClass");
        ClickRow("ListBox1", 5);
        Tab("TabBrokenLinks");
        report->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        Tab("TabFindUnits");
        ClickRow("ListBoxIndUnitFind", 5);
        Tab("TabWeaponUsers");
        ClickRow("ListBoxWpns1", 8);
        Tab("TabWeaponClasses");
        ClickRow("ListBoxWpnsClasses", 2);
        for (const char* tab : {"TabX3Dates", "TabFormationDates", "TabPlatoonInPlatoon", "TabForeignUnits",
                                "TabOrphans", "TabBadAmmo", "TabUnusedWeapons"})
            report->ShowTab(QString::fromLatin1(tab));
    }
    std::vector<QPlainTextEdit*> ResultAreas()
    {
        std::vector<QPlainTextEdit*> areas;
        for (auto* memo : report->findChildren<QPlainTextEdit*>()) {
            if (memo->objectName() != QLatin1String("MemoScratch") && memo->objectName() != QLatin1String("Memotmp"))
                areas.push_back(memo);
        }
        return areas;
    }
    void OpenFile(int n)
    {
        w->SetList();
        w->findChild<QListWidget*>(QStringLiteral("KobListBox"))->setCurrentRow(n - 1);
        w->KobListBoxDblClick();
        ASSERT_EQ(oob.CurrentOOB, n);
    }
    QString ResultsFor() const
    {
        const auto* label = report->findChild<QLabel*>(QStringLiteral("ResultsFileLabel"));
        return label ? label->text() : QString();
    }

    TFormFormSearch* report = nullptr;
};

TEST_F(FileEdgesTest, OpeningAnotherFileClearsEveryResultOfTheOldOne)
{
    WriteNationFile(oobDir, 4, "Flak Gun 88");
    for (const bool keepOpen : {true, false}) {
        OpenFile(3);
        w->FindformClick();
        ASSERT_TRUE(report->isVisible());
        EXPECT_TRUE(ResultsFor().contains(QStringLiteral("obat03"))) << ResultsFor().toStdString();
        report->findChild<QPlainTextEdit*>(QStringLiteral("MemoScratch"))->setPlainText(QStringLiteral("my notes"));
        RunEveryReport();
        int filled = 0;
        for (auto* area : ResultAreas())
            filled += area->toPlainText().isEmpty() ? 0 : 1;
        ASSERT_GE(filled, 10) << "the reports wrote their lines";
        ASSERT_TRUE(report->Memo(QStringLiteral("MemoFoundUnits"))->toPlainText().contains(QStringLiteral("AT Gun 52")));

        if (!keepOpen)
            report->close();
        OpenFile(4);
        if (!keepOpen)
            w->FindformClick();
        for (auto* area : ResultAreas()) {
            const QString text = area->toPlainText();
            EXPECT_FALSE(text.contains(QStringLiteral("AT Gun 52")) || text.contains(QStringLiteral("Gun 52")) ||
                         text.contains(QStringLiteral("AT Plt")))
                << area->objectName().toStdString() << " keeps a line of the file before: " << text.toStdString();
            // Only the report that runs when the window fills itself has lines again.
            if (area->objectName() != QLatin1String("Memo6"))
                EXPECT_TRUE(text.isEmpty()) << area->objectName().toStdString() << ": " << text.toStdString();
        }
        EXPECT_TRUE(report->FindingsText().isEmpty());
        EXPECT_TRUE(ResultsFor().contains(QStringLiteral("obat04"))) << ResultsFor().toStdString();
        EXPECT_EQ(report->findChild<QPlainTextEdit*>(QStringLiteral("MemoScratch"))->toPlainText(),
                  QStringLiteral("my notes"));
        // A click into the emptied area opens nothing.
        auto* found = report->Memo(QStringLiteral("MemoFoundUnits"));
        QTest::mouseClick(found->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
        EXPECT_EQ(w->PageMode(), 2) << "still on the Units page";
        report->close();
    }
}

TEST_F(FileEdgesTest, PathsGoThroughThePlatformsEncodingInMessages)
{
    const fs::path missing = tmp.path() / "n\xC3\xB6pe" / "obat003.obf";  // "nöpe" in UTF-8
    dialogs.paths = {PathToQt(missing)};
    w->SaveAsBtnClick();
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(m[0].first.contains(QStringLiteral("n\u00F6pe"))) << m[0].first.toStdString();
    EXPECT_FALSE(m[0].first.contains(QStringLiteral("\u00C3"))) << m[0].first.toStdString();

    // Both ways: a name typed on screen is the name on disk, and back.
    EXPECT_EQ(PathFromQt(QStringLiteral("/tmp/n\u00F6pe/\u0141\u00F3d\u017A")).native(),
              std::string("/tmp/n\xC3\xB6pe/\xC5\x81\xC3\xB3\x64\xC5\xBA"));
    EXPECT_EQ(PathToQt(fs::path("/tmp/n\xC3\xB6pe")), QStringLiteral("/tmp/n\u00F6pe"));
    // A name on disk that is no UTF-8 at all still shows, it does not stop the editor.
    EXPECT_NO_THROW(PathToQt(fs::path("/tmp/n\xF6pe")));
    // Messages of the system carry paths in its encoding; record texts stay Latin-1.
    EXPECT_EQ(SystemTextToQt("cannot write /tmp/n\xC3\xB6pe: No such file"),
              QStringLiteral("cannot write /tmp/n\u00F6pe: No such file"));
    EXPECT_EQ(SystemTextToQt("caf\xE9"), QStringLiteral("caf\u00E9"));
}

TEST_F(FileEdgesTest, CharactersARecordCannotHoldAreLeftOutAndNamed)
{
    auto* name = Find("UnitnameEdit");
    ASSERT_NE(name, nullptr);
    test::BackInFront(w.get());
    name->setFocus(Qt::OtherFocusReason);
    name->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("Tank \u03A9\u20AC \u0141\u00F3d\u017A 40"));
    test::PressKey(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(name->text(), QStringLiteral("Tank  \u00F3d 40"));
    for (const QString c : {QStringLiteral("\u03A9"), QStringLiteral("\u20AC"), QStringLiteral("\u0141"),
                            QStringLiteral("\u017A")})
        EXPECT_TRUE(w->StatusText().contains(c)) << w->StatusText().toStdString();
    EXPECT_FALSE(w->StatusText().contains(QStringLiteral("\u00F3"))) << "ó was stored";

    // Typed: the key does nothing to the text, and the status line says why.
    name->setText(QStringLiteral("Tank"));
    name->end(false);
    TypeCharacter(QStringLiteral("\u20AC"));
    EXPECT_EQ(name->text(), QStringLiteral("Tank"));
    EXPECT_TRUE(w->StatusText().contains(QStringLiteral("\u20AC"))) << w->StatusText().toStdString();
    // What can be stored goes in without a word.
    TypeCharacter(QStringLiteral("\u00E9"));
    EXPECT_EQ(name->text(), QStringLiteral("Tank\u00E9"));

    // The info text too.
    auto* info = Find("BrkCommentEdit");
    info->setText(QStringLiteral("v1 \u00A9 \u2122"));
    EXPECT_EQ(info->text(), QStringLiteral("v1 \u00A9 "));
}

TEST_F(FileEdgesTest, AFolderThatCannotBeReadSaysWhy)
{
    // A file where the folder should be: the list is empty and the status says why.
    const fs::path notAFolder = tmp.path() / "oobs-file";
    test::WriteText(notAFolder, "x");
    w->DirectoryListBox1Change(PathToQt(notAFolder));
    auto* list = w->findChild<QListWidget*>(QStringLiteral("KobListBox"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(w->StatusText().contains(QStringLiteral("Not a directory"))) << w->StatusText().toStdString();
    EXPECT_TRUE(w->StatusText().contains(QStringLiteral("oobs-file"))) << w->StatusText().toStdString();

    const fs::path gone = tmp.path() / "gone";
    w->DirectoryListBox1Change(PathToQt(gone));
    EXPECT_EQ(list->count(), 0);
    EXPECT_TRUE(w->StatusText().contains(QStringLiteral("No such file or directory"))) << w->StatusText().toStdString();
    EXPECT_TRUE(w->StatusText().contains(QStringLiteral("gone"))) << w->StatusText().toStdString();

    // A readable folder without files: empty, and no complaint.
    fs::create_directory(tmp.path() / "empty");
    w->DirectoryListBox1Change(PathToQt(tmp.path() / "empty"));
    EXPECT_EQ(list->count(), 0);
    EXPECT_FALSE(w->StatusText().contains(QStringLiteral("annot"))) << w->StatusText().toStdString();
}

TEST_F(FileEdgesTest, TheListFollowsFilesThatComeAndGoAndKeepsItsSelection)
{
    auto* list = w->findChild<QListWidget*>(QStringLiteral("KobListBox"));
    ASSERT_TRUE(list->item(3)->text().startsWith(QStringLiteral(" ? obat04")));
    list->setCurrentRow(3);  // the user stands on 04, which is not there yet
    WriteNationFile(oobDir, 4, "Flak Gun 88");
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->item(3)->text().startsWith(QStringLiteral("obat04")); }, 5000))
        << list->item(3)->text().toStdString();
    EXPECT_EQ(list->currentRow(), 3);

    // Opening it gives a caption from the file itself.
    w->KobListBoxDblClick();
    ASSERT_EQ(oob.CurrentOOB, 4);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Brackle for Vornex : - obat04 - Fourth Nation"));

    fs::remove(oobDir / OOBFileName(3));
    EXPECT_TRUE(QTest::qWaitFor([&] { return list->item(2)->text().startsWith(QStringLiteral(" ? obat03")); }, 5000))
        << list->item(2)->text().toStdString();
    EXPECT_EQ(list->currentRow(), 3);
}

TEST_F(FileEdgesTest, TheCaptionAfterOpeningNeverShowsAStaleMark)
{
    // The list still says 04 is missing when it is opened (no refresh came between).
    auto* list = w->findChild<QListWidget*>(QStringLiteral("KobListBox"));
    ASSERT_TRUE(list->item(3)->text().startsWith(QStringLiteral(" ? obat04")));
    WriteNationFile(oobDir, 4, "Flak Gun 88");
    list->setCurrentRow(3);
    w->KobListBoxDblClick();
    ASSERT_EQ(oob.CurrentOOB, 4);
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Brackle for Vornex : - obat04 - Fourth Nation"));
    EXPECT_FALSE(w->StatusText().contains(QStringLiteral(" ? "))) << w->StatusText().toStdString();
    EXPECT_TRUE(list->item(3)->text().startsWith(QStringLiteral("obat04")));
}

TEST_F(FileEdgesTest, TheScratchPadReadsAndWritesUtf8AndTakesLatin1Files)
{
    w->FindformClick();
    auto* pad = report->findChild<QPlainTextEdit*>(QStringLiteral("MemoScratch"));
    auto* load = report->findChild<QPushButton*>(QStringLiteral("SpeedButtonload"));
    auto* save = report->findChild<QPushButton*>(QStringLiteral("SpeedButtonSave"));
    struct Case {
        const char* what;
        std::string bytes;
        QString text;
    };
    const std::vector<Case> cases = {
        {"UTF-8", "\xCE\xA9\xE2\x82\xAC \xC5\x81\xC3\xB3\x64\xC5\xBA\n", QStringLiteral("\u03A9\u20AC \u0141\u00F3d\u017A\n")},
        {"Latin-1 (no UTF-8)", "caf\xE9 cr\xE8me\n", QStringLiteral("caf\u00E9 cr\u00E8me\n")},
        {"ASCII", "fix unit 12\n", QStringLiteral("fix unit 12\n")},
    };
    for (const auto& c : cases) {
        const fs::path file = tmp.path() / "in.txt";
        test::WriteText(file, c.bytes);
        dialogs.paths = {PathToQt(file)};
        load->click();
        EXPECT_EQ(pad->toPlainText(), c.text) << c.what;
    }
    pad->setPlainText(QStringLiteral("\u03A9\u20AC \u0141\u00F3d\u017A"));
    const fs::path out = tmp.path() / "out.txt";
    dialogs.paths = {PathToQt(out)};
    save->click();
    EXPECT_EQ(test::ReadText(out), "\xCE\xA9\xE2\x82\xAC \xC5\x81\xC3\xB3\x64\xC5\xBA\n");
    EXPECT_EQ(report->StatusText(), QStringLiteral("Text file saved"));
}

}  // namespace
}  // namespace brackle
