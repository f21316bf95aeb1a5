#include <QComboBox>
#include <QTabWidget>
#include <QToolButton>
#include <functional>

#include "app/loaded_window.h"
#include "oob/changes.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

// File 3 loaded, file 4 beside it to open.
class UnsavedChangesTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        o.UnitTable[1].Name = "Rifle Squad";
        o.UnitTable[1].Nation = 3;
        o.UnitTable[1].Crew = 9;
        o.WeaponTable[5].Name = "Rifle";
        o.FormationTable[2].Name = "Rifle Plt";
        o.FormationTable[2].Nation = 3;
        o.FormationTable[2].FormType = 1;
        o.FormationTable[2].Slot[0] = 1;
    }

    void SetUp() override
    {
        test::LoadedWindowTest::SetUp();
        Oob four;
        four.CurrentOOB = 4;
        four.UnitTable[1].Name = "Fourth Unit";
        WriteTablesToBuffer(four);
        ASSERT_TRUE(WriteFileAtomically(oobDir / OOBFileName(4), four.OOBBuffer.data(), kBufferSize).ok);
        w->SetList();
        fileThree = test::ReadBytes(oobDir / OOBFileName(3));
    }

    void Click(const char* button) { Find<QToolButton>(button)->click(); }
    void Page(int page) { w->findChild<QTabWidget*>(QStringLiteral("Viewer"))->setCurrentIndex(page); }
    bool Marked() { return w->windowTitle().endsWith(QLatin1Char('*')); }
    void Open(int n)
    {
        Find<QListWidget>("KobListBox")->setCurrentRow(n - 1);
        w->KobListBoxDblClick();
    }
    void CommitACrewOf(const char* crew)
    {
        Type("UnitCrewEdit", QString::fromLatin1(crew));
        Click("CommitButton");
    }

    std::vector<std::uint8_t> fileThree;
};

TEST_F(UnsavedChangesTest, EveryKindOfChangeMarksTheCaptionAndNothingElseDoes)
{
    struct Case {
        const char* what;
        std::function<void()> act;
        bool changes;
    };
    const std::vector<Case> cases = {
        {"an untouched commit", [&] { Click("CommitButton"); }, false},
        {"a restore", [&] { Click("RestoreButton"); }, false},
        {"a step and a find", [&] {
             Click("Fwd1Btn");
             Find<QComboBox>("EditFind")->setEditText(QStringLiteral("rifle"));
             Click("SpeedButtonFind");
             Messages();
         }, false},
        {"a commit", [&] { CommitACrewOf("12"); }, true},
        {"F12 on the Info page", [&] {
             Page(TSDIAppForm::InfoPage);
             Type("BrkCommentEdit", QStringLiteral("v2"));
             test::PressKeyIn(Find("BrkCommentEdit"), Qt::Key_F12);
             Page(TSDIAppForm::UnitsPage);
         }, true},
        {"erase then commit", [&] {
             Click("EraseButton");
             Click("CommitButton");
         }, true},
        {"a move", [&] {
             dialogs.picks = {50};
             Click("SpeedButton_Move");
         }, true},
        {"a replace", [&] {
             dialogs.replaces = {{QStringLiteral("rifle squad"), QStringLiteral("Rifles")}};
             Click("SpeedButtonSandR");
         }, true},
    };
    const UnitRecord rifles = oob.UnitTable[1];
    for (const Case& c : cases) {
        oob.UnitTable[1] = rifles;
        oob.CurrentUnit = 1;
        w->ShowUnit();
        w->SaveBtnClick();
        ASSERT_FALSE(Marked()) << c.what;
        c.act();
        EXPECT_EQ(Marked(), c.changes) << c.what << ": " << w->windowTitle().toStdString();
        EXPECT_EQ(HasUnsavedChanges(oob), c.changes) << c.what;
    }
    // The caption keeps the file's name; the mark follows it.
    EXPECT_TRUE(w->windowTitle().startsWith(QStringLiteral("Brackle for Vornex : - obat03 - Third Nation")));
}

TEST_F(UnsavedChangesTest, APasteAllFromAnotherFileMarksIt)
{
    dialogs.pastes = {{PasteResult::All, 0}};
    Click("CopyButton");
    Open(4);
    ASSERT_EQ(oob.CurrentOOB, 4);
    EXPECT_FALSE(Marked());
    dialogs.pastes = {{PasteResult::All, 0}};
    Click("PasteButton");
    EXPECT_EQ(oob.UnitTable[1].Name, "Rifle Squad");
    EXPECT_TRUE(Marked());
}

TEST_F(UnsavedChangesTest, OpeningAnotherFileAsksFirstAndCancelKeepsEverything)
{
    CommitACrewOf("12");
    dialogs.shown.clear();
    dialogs.choices = {Dialogs::Answer::Cancel};
    Open(4);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("ask"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("obat003.obf has changes that are not saved.\r\n\r\n"
                                                    "Save them before opening obat004.obf?"));
    EXPECT_EQ(oob.CurrentOOB, 3);
    EXPECT_EQ(oob.UnitTable[1].Crew, 12);
    EXPECT_TRUE(Marked());
    EXPECT_EQ(test::ReadBytes(oobDir / OOBFileName(3)), fileThree);
}

TEST_F(UnsavedChangesTest, DiscardOpensTheOtherFileAndLeavesTheDiskAlone)
{
    CommitACrewOf("12");
    dialogs.choices = {Dialogs::Answer::No};
    Open(4);
    EXPECT_EQ(oob.CurrentOOB, 4);
    EXPECT_EQ(oob.UnitTable[1].Name, "Fourth Unit");
    EXPECT_FALSE(Marked());
    EXPECT_EQ(test::ReadBytes(oobDir / OOBFileName(3)), fileThree);
}

TEST_F(UnsavedChangesTest, SaveWritesTheChangesThenOpensTheOtherFile)
{
    CommitACrewOf("12");
    dialogs.choices = {Dialogs::Answer::Yes};
    Open(4);
    EXPECT_EQ(oob.CurrentOOB, 4);
    Oob three;
    three.CurrentOOB = 3;
    ASSERT_EQ(LoadOOB(three, oobDir, 3).code, 0);
    EXPECT_EQ(three.UnitTable[1].Crew, 12);
    EXPECT_FALSE(Marked());
}

TEST_F(UnsavedChangesTest, AFailedSaveKeepsTheMarkAndTheFileOpen)
{
    CommitACrewOf("12");
    // A folder where the file should be makes the save fail.
    fs::remove(oobDir / OOBFileName(3));
    fs::create_directory(oobDir / OOBFileName(3));
    dialogs.choices = {Dialogs::Answer::Yes};
    Open(4);
    EXPECT_EQ(oob.CurrentOOB, 3);
    EXPECT_TRUE(Marked());
    const auto m = Messages();
    ASSERT_FALSE(m.empty());
    EXPECT_TRUE(m.back().first.startsWith(QStringLiteral("Could not save")));
}

TEST_F(UnsavedChangesTest, SaveOnExitAsksBeforeReplacingAFileInAnotherFolder)
{
    CommitACrewOf("12");
    const fs::path other = tmp.path() / "elsewhere";
    fs::create_directory(other);
    test::WriteText(other / OOBFileName(3), "their file");
    w->DirectoryListBox1Change(QString::fromStdString(other.string()));
    dialogs.shown.clear();
    dialogs.choices = {Dialogs::Answer::Yes};  // Save
    dialogs.answers = {false};                 // but not over their file
    w->close();
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("ask"));
    EXPECT_EQ(dialogs.shown[1].kind, QStringLiteral("question"));
    EXPECT_TRUE(dialogs.shown[1].text.contains(QString::fromStdString((oobDir / OOBFileName(3)).string())));
    EXPECT_TRUE(dialogs.shown[1].text.contains(QString::fromStdString((other / OOBFileName(3)).string())));
    EXPECT_EQ(test::ReadText(other / OOBFileName(3)), "their file");
    EXPECT_EQ(test::ReadBytes(oobDir / OOBFileName(3)), fileThree);
    EXPECT_TRUE(Marked());
}

TEST_F(UnsavedChangesTest, SavingOrSavingAsClearsTheMark)
{
    CommitACrewOf("12");
    w->SaveBtnClick();
    EXPECT_FALSE(Marked());
    CommitACrewOf("13");
    dialogs.paths = {QString::fromStdString((oobDir / "obat033.obf").string())};
    w->SaveAsBtnClick();
    EXPECT_FALSE(Marked());
    CommitACrewOf("14");
    w->SaveAs1Click();  // Ctrl+S
    EXPECT_FALSE(Marked());
}

TEST_F(UnsavedChangesTest, ExitOffersSaveDiscardCancelOnlyWhileChangesAreUnsaved)
{
    CommitACrewOf("12");
    dialogs.shown.clear();
    dialogs.choices = {Dialogs::Answer::Cancel};
    w->close();
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("ask"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("obat003.obf has changes that are not saved.\r\n\r\n"
                                                    "Save them before you quit?"));

    dialogs.choices = {Dialogs::Answer::Yes};
    w->close();
    EXPECT_FALSE(w->isVisible());
    Oob three;
    three.CurrentOOB = 3;
    ASSERT_EQ(LoadOOB(three, oobDir, 3).code, 0);
    EXPECT_EQ(three.UnitTable[1].Crew, 12);

    // With nothing unsaved the usual question is asked.
    test::Activate(w.get());
    dialogs.shown.clear();
    dialogs.answers = {false};
    w->close();
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Program Exit"));
}

TEST_F(UnsavedChangesTest, DiscardOnExitQuitsWithoutSaving)
{
    CommitACrewOf("12");
    dialogs.choices = {Dialogs::Answer::No};
    w->close();
    EXPECT_FALSE(w->isVisible());
    EXPECT_EQ(test::ReadBytes(oobDir / OOBFileName(3)), fileThree);
}

}  // namespace
}  // namespace brackle
