#include <QApplication>
#include <QDialog>
#include <QTabWidget>
#include <functional>
#include <QPushButton>
#include <QTimer>

#include "app/loaded_window.h"
#include "transfer/csv_dump.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

class BulkCommandsTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        o.UnitTable[1].Name = "Own";
        o.UnitTable[1].Nation = 3;
        o.UnitTable[2].Name = "Foreign";
        o.UnitTable[2].Nation = 4;
        o.FormationTable[1].Name = "Foreign Plt";
        o.FormationTable[1].Nation = 4;
    }

    std::vector<std::string> CsvFiles() const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(oobDir)) {
            if (e.path().extension() == ".csv")
                names.push_back(e.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(BulkCommandsTest, DumpOfTheLoadedFileWritesItsThreeFiles)
{
    oob.UnitTable[1].Name = "Committed";  // dumped as it stands in memory, saved or not
    dialogs.choices = {Dialogs::Answer::No};
    w->ExportBtnClick();
    EXPECT_EQ(CsvFiles(), (std::vector<std::string>{"obatDUMP03fmns.csv", "obatDUMP03unit.csv",
                                                    "obatDUMP03wpns.csv"}));
    EXPECT_EQ(dialogs.shown.at(0).caption, QStringLiteral("Dump All?"));
    EXPECT_EQ(w->StatusText(), QStringLiteral("Text files written to ") + QString::fromStdString(oobDir.string()));
    const std::string units = test::ReadText(oobDir / "obatDUMP03unit.csv");
    EXPECT_NE(units.find("\r\n3,Third Nation,1,Committed,3,"), std::string::npos);
}

TEST_F(BulkCommandsTest, DumpAllDumpsTheFilesPresentAndKeepsTheEdits)
{
    Oob other;
    other.CurrentOOB = 1;
    other.UnitTable[5].Name = "From file 1";
    WriteTablesToBuffer(other);
    ASSERT_TRUE(WriteFileAtomically(oobDir / OOBFileName(1), other.OOBBuffer.data(), kBufferSize).ok);
    oob.UnitTable[1].Name = "Unsaved edit";
    const Oob before = oob;
    const QString caption = w->windowTitle();
    dialogs.choices = {Dialogs::Answer::Yes};
    w->ExportBtnClick();
    EXPECT_EQ(CsvFiles().size(), 6u);  // files 1 and 3 exist; no other number writes anything
    EXPECT_NE(test::ReadText(oobDir / "obatDUMP01unit.csv").find(",5,From file 1,"), std::string::npos);
    EXPECT_NE(test::ReadText(oobDir / "obatDUMP03unit.csv").find("3,Third Nation,1,Own,"), std::string::npos);
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(oob.UnitTable, before.UnitTable);
    EXPECT_EQ(oob.CurrentOOB, 3);
    EXPECT_EQ(oob.LoadedSize, before.LoadedSize);
    EXPECT_EQ(oob.OOBBuffer, before.OOBBuffer);
    EXPECT_EQ(w->windowTitle(), caption);
    EXPECT_TRUE(w->StatusText().endsWith(QStringLiteral(" - 2 OOB files dumped"))) << w->StatusText().toStdString();
}

TEST_F(BulkCommandsTest, AFileThatCannotBeWrittenIsReportedAndTheOthersWritten)
{
    fs::create_directories(oobDir / "obatDUMP03unit.csv");
    dialogs.choices = {Dialogs::Answer::No};
    w->ExportBtnClick();
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_TRUE(m[0].first.startsWith(QStringLiteral("Unable to open csv output file ")));
    EXPECT_TRUE(m[0].first.endsWith(QStringLiteral("obatDUMP03unit.csv")));
    EXPECT_TRUE(fs::is_regular_file(oobDir / "obatDUMP03wpns.csv"));
    EXPECT_TRUE(fs::is_regular_file(oobDir / "obatDUMP03fmns.csv"));
}

TEST_F(BulkCommandsTest, DeleteAllMarkedDeletesTheNationShownAndRefreshesThePage)
{
    dialogs.answers = {true};
    QTimer::singleShot(0, w.get(), [] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        dialog->findChild<QLineEdit*>(QStringLiteral("RenatFromEdit"))->setText(QStringLiteral("4"));
        dialog->findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
        if (dialog->isVisible())
            dialog->reject();
    });
    oob.CurrentUnit = 2;
    w->DeleteAllMarked1Click();
    EXPECT_EQ(oob.UnitTable[2].Name, "");
    EXPECT_EQ(oob.FormationTable[1].Name, "");
    EXPECT_EQ(oob.UnitTable[1].Name, "Own");
    EXPECT_EQ(Text("UnitnameEdit"), QString());  // the Units page shows the deleted slot
}

}  // namespace
}  // namespace brackle

namespace brackle {
namespace {

// Runs act on the modal dialog the window opens, then closes it with its Finished button.
void OnModalDialog(QWidget* owner, const std::function<void(QDialog&)>& act)
{
    QTimer::singleShot(0, owner, [act] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        act(*dialog);
        dialog->findChild<QPushButton*>(QStringLiteral("BitBtn2"))->click();
        if (dialog->isVisible())
            dialog->reject();
    });
}

void SetEdit(QDialog& dialog, const char* name, const QString& text)
{
    dialog.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(text);
}

TEST_F(BulkCommandsTest, ABulkEditRefillsThePageSoTheNextCommitKeepsIt)
{
    // Reclassify while the unit is shown: the page shows the new class, and F12
    // on the untouched page stores it again rather than the old one.
    oob.UnitTable[1].Class = 222;
    oob.CurrentUnit = 1;
    w->ShowUnit();
    OnModalDialog(w.get(), [](QDialog& d) {
        SetEdit(d, "EditFrom", QStringLiteral("222"));
        SetEdit(d, "EditTo", QStringLiteral("221"));
        d.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    w->Reclassify1Click();
    EXPECT_EQ(oob.UnitTable[1].Class, 221);
    EXPECT_EQ(Text("UnitClassEdit"), QStringLiteral("221"));
    test::PressKeyIn(Find("UnitCrewEdit"), Qt::Key_F12);
    EXPECT_EQ(oob.UnitTable[1].Class, 221);
    EXPECT_TRUE(w->windowTitle().endsWith(QLatin1Char('*')));

    // Renationalise on the Formations page: the nation shown follows.
    w->findChild<QTabWidget*>(QStringLiteral("Viewer"))->setCurrentIndex(TSDIAppForm::FormationsPage);
    oob.CurrentFormation = 1;
    w->ShowFormation();
    ASSERT_EQ(Text("FormNationEdit"), QStringLiteral("4"));
    OnModalDialog(w.get(), [](QDialog& d) {
        SetEdit(d, "RenatFromEdit", QStringLiteral("4"));
        SetEdit(d, "RenatToEdit", QStringLiteral("9"));
        d.findChild<QPushButton*>(QStringLiteral("BitBtn1"))->click();
    });
    w->Renationalise1Click();
    EXPECT_EQ(oob.FormationTable[1].Nation, 9);
    EXPECT_EQ(Text("FormNationEdit"), QStringLiteral("9"));
    test::PressKeyIn(Find("FormNameEdit"), Qt::Key_F12);
    EXPECT_EQ(oob.FormationTable[1].Nation, 9);
}

TEST_F(BulkCommandsTest, ADumpCancelledWritesNothing)
{
    test::WriteText(oobDir / "obatDUMP03unit.csv", "last week's dump\r\n");
    dialogs.choices = {Dialogs::Answer::Cancel};  // Escape, or the box closed
    w->ExportBtnClick();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("ask"));
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Dump All?"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Dump all OOB CSV files?"));
    EXPECT_EQ(CsvFiles(), std::vector<std::string>{"obatDUMP03unit.csv"});
    EXPECT_EQ(test::ReadText(oobDir / "obatDUMP03unit.csv"), "last week's dump\r\n");
    EXPECT_FALSE(w->StatusText().startsWith(QStringLiteral("Text files written")));
}

TEST_F(BulkCommandsTest, EachDumpFileThatFailsIsReportedAsItFails)
{
    // File 1 cannot take its weapons dump; file 3 cannot take its units dump.
    Oob other;
    other.CurrentOOB = 1;
    WriteTablesToBuffer(other);
    ASSERT_TRUE(WriteFileAtomically(oobDir / OOBFileName(1), other.OOBBuffer.data(), kBufferSize).ok);
    fs::create_directories(oobDir / "obatDUMP01wpns.csv");
    fs::create_directories(oobDir / "obatDUMP03unit.csv");
    std::vector<QString> statusAtEachMessage;
    dialogs.choices = {Dialogs::Answer::Yes};
    dialogs.onShown = [&] { statusAtEachMessage.push_back(w->StatusText()); };
    w->ExportBtnClick();
    const auto m = Messages();
    ASSERT_EQ(m.size(), 2u);
    EXPECT_TRUE(m[0].first.endsWith(QStringLiteral("obatDUMP01wpns.csv")));
    EXPECT_TRUE(m[1].first.endsWith(QStringLiteral("obatDUMP03unit.csv")));
    // Shown while its file was being dumped, not after the whole run.
    ASSERT_EQ(statusAtEachMessage.size(), 3u);  // the question, then the two failures
    EXPECT_EQ(statusAtEachMessage[1], QStringLiteral("Processing OOB Number 1"));
    EXPECT_EQ(statusAtEachMessage[2], QStringLiteral("Processing OOB Number 3"));
    EXPECT_TRUE(w->StatusText().endsWith(QStringLiteral(": 2 files could not be written"))) << w->StatusText().toStdString();
    EXPECT_FALSE(w->StatusText().contains(QStringLiteral("written to"))) << w->StatusText().toStdString();
}

}  // namespace
}  // namespace brackle
