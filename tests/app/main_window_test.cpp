#include <QAction>
#include <QListWidget>
#include <QPushButton>
#include <QComboBox>
#include <QLineEdit>
#include <functional>
#include <QTabWidget>
#include <QTest>
#include <gtest/gtest.h>

#include "app/main_window.h"
#include "oob/oob_file.h"
#include "test_support.h"
#include "widgets/keyboard.h"
#include "widgets/scripted_dialogs.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
using test::ScriptedDialogs;
using test::Activate;
using test::PressKeyIn;

// A game folder with files 5 and 42 and a BRVX.ini naming every nation.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        programDir = tmp.path() / "Vornex" / "Brackle";
        oobDir = tmp.path() / "Vornex" / "game data" / "oobs";
        fs::create_directories(programDir);
        fs::create_directories(oobDir);
        std::string ini = "[Brackle]\nHints=1\nHintDelay=4\n[NationNames]\n";
        for (int n = 1; n <= 99; ++n)
            ini += "obat" + std::to_string(n) + "=Nation " + std::to_string(n) + "\n";
        test::WriteText(programDir / "BRVX.ini", ini);
        WriteOob(5, "Fifth rifles");
        WriteOob(42, "Forty-second");
    }

    void WriteOob(int n, const std::string& unitName)
    {
        Oob o;
        o.CurrentOOB = static_cast<std::uint16_t>(n);
        o.UnitTable[1].Name = unitName;
        o.UnitTable[1].Nation = static_cast<std::uint8_t>(n);
        o.OOBInfo = "file " + std::to_string(n);
        WriteTablesToBuffer(o);
        o.LoadedSize = 180000;
        ASSERT_TRUE(WriteFileAtomically(oobDir / OOBFileName(n), o.OOBBuffer.data(), o.LoadedSize).ok);
    }

    std::unique_ptr<TSDIAppForm> Make()
    {
        StartupPaths paths;
        paths.ProgramDir = programDir;
        paths.CurrentDir = programDir;
        return std::make_unique<TSDIAppForm>(oob, dialogs, paths);
    }

    template <typename T>
    static T* Find(QWidget* w, const char* name)
    {
        T* found = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    static QAction* Action(QWidget* w, const char* name) { return Find<QAction>(w, name); }

    void Open(TSDIAppForm& w, int n)
    {
        Find<QListWidget>(&w, "KobListBox")->setCurrentRow(n - 1);
        w.KobListBoxDblClick();
    }

    test::TempDir tmp;
    fs::path programDir, oobDir;
    Oob oob;
    ScriptedDialogs dialogs;
};

TEST_F(MainWindowTest, StartsWithOnlyTheLoadPageAndDataCommandsDisabled)
{
    auto w = Make();
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Brackle for Vornex : No File Loaded "));
    auto* viewer = Find<QTabWidget>(w.get(), "Viewer");
    EXPECT_EQ(viewer->currentIndex(), TSDIAppForm::LoadPage);
    // The captions, each with its Alt letter.
    const QStringList tabs = {"&Units", "&Weapons", "F&ormations", "Load/&Save", "&Info"};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(viewer->tabText(i), tabs[i]);
        EXPECT_EQ(viewer->isTabVisible(i), i == TSDIAppForm::LoadPage) << i;
    }
    for (const char* a : {"SaveAs1", "WriteCSV1", "Reclassify1", "Renationalise1", "SaveFileAs1",
                          "ChangeTransparentColour1", "Findform"})
        EXPECT_FALSE(Action(w.get(), a)->isEnabled()) << a;
    for (const char* b : {"SaveBtn", "SaveAsBtn", "ExportBtn", "Back1Btn", "Fwd1Btn", "CommitButton",
                          "SpeedButton_Move", "SpeedButtonFind", "SpeedButtonSandR"})
        EXPECT_FALSE(Find<QWidget>(w.get(), b)->isEnabled()) << b;
    EXPECT_FALSE(Find<QWidget>(w.get(), "EditFind")->isEnabled());
    EXPECT_TRUE(Find<QWidget>(w.get(), "OpenBtn")->isEnabled());
    EXPECT_FALSE(oob.FileLoaded);
    EXPECT_EQ(w->PageMode(), 4);
    EXPECT_EQ(w->minimumSize(), QSize(781, 656));
    EXPECT_EQ(w->settings().HintTimeMs, 2000);
    EXPECT_EQ(w->OOBDir(), oobDir);
}

TEST_F(MainWindowTest, ListShowsEveryNumberAndSelectsTheLowestPresent)
{
    auto w = Make();
    auto* list = Find<QListWidget>(w.get(), "KobListBox");
    ASSERT_EQ(list->count(), 99);
    EXPECT_EQ(list->item(4)->text(), QStringLiteral("obat05 - Nation 5"));
    EXPECT_EQ(list->item(41)->text(), QStringLiteral("obat42 - Nation 42"));
    EXPECT_EQ(list->item(0)->text(), QStringLiteral(" ? obat01 - Nation 1"));
    EXPECT_EQ(list->item(98)->text(), QStringLiteral(" ? obat99 - Nation 99"));
    EXPECT_EQ(list->currentRow(), 4);
    EXPECT_TRUE(w->OOBPresent(5));
    EXPECT_FALSE(w->OOBPresent(6));
}

TEST_F(MainWindowTest, FilesAreFoundWhateverTheCaseOfTheirNames)
{
    fs::rename(oobDir / "obat005.obf", oobDir / "OBAT005.OBF");
    auto w = Make();
    EXPECT_TRUE(w->OOBPresent(5));
    Open(*w, 5);
    EXPECT_TRUE(oob.FileLoaded);
    EXPECT_EQ(oob.UnitTable[1].Name, "Fifth rifles");
    w->SaveBtnClick();
    EXPECT_FALSE(fs::exists(oobDir / "obat005.obf") && fs::exists(oobDir / "OBAT005.OBF"))
        << "the save must overwrite the existing file, not add a second one";
}

TEST_F(MainWindowTest, OpenLoadsTheFileAndShowsTheRecordPages)
{
    auto w = Make();
    Open(*w, 5);
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Brackle for Vornex : - obat05 - Nation 5"));
    EXPECT_EQ(w->StatusText(), QStringLiteral("Loaded ") + QString::fromStdString(oobDir.string()) +
                                   QStringLiteral("/obat05 - Nation 5"));
    EXPECT_EQ(oob.CurrentOOB, 5);
    EXPECT_EQ(oob.UnitTable[1].Name, "Fifth rifles");
    EXPECT_EQ(oob.LoadedSize, 180000u);
    auto* viewer = Find<QTabWidget>(w.get(), "Viewer");
    EXPECT_EQ(viewer->currentIndex(), TSDIAppForm::UnitsPage);
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(viewer->isTabVisible(i));
    EXPECT_EQ(w->PageMode(), 2);
    EXPECT_TRUE(w->ButtonsEnabled());
    EXPECT_TRUE(Find<QWidget>(w.get(), "SaveBtn")->isEnabled());
    EXPECT_TRUE(Action(w.get(), "Findform")->isEnabled());
    viewer->setCurrentIndex(TSDIAppForm::InfoPage);
    EXPECT_EQ(w->PageMode(), 5);
    EXPECT_EQ(Find<QLineEdit>(w.get(), "BrkCommentEdit")->text(), QStringLiteral("file 5"));
    viewer->setCurrentIndex(TSDIAppForm::LoadPage);
    EXPECT_EQ(w->PageMode(), 4);
    EXPECT_FALSE(w->ButtonsEnabled());
}

TEST_F(MainWindowTest, OpenOfAnAbsentFileSaysSoAndChangesNothing)
{
    auto w = Make();
    Open(*w, 5);
    const QString title = w->windowTitle();
    const QString status = w->StatusText();
    Open(*w, 7);  // " ? obat07"
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("File Not Found"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Try changing your current directory !"));
    EXPECT_EQ(oob.CurrentOOB, 5);
    EXPECT_EQ(w->windowTitle(), title);
    EXPECT_EQ(w->StatusText(), status);
}

TEST_F(MainWindowTest, AFailedLoadKeepsTheLoadedFileCurrent)
{
    auto w = Make();
    Open(*w, 5);
    // File 42 turns into a folder between listing and opening: it cannot be read.
    fs::remove(oobDir / "obat042.obf");
    fs::create_directory(oobDir / "obat042.obf");
    Open(*w, 42);
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(oob.CurrentOOB, 5);
    EXPECT_EQ(oob.UnitTable[1].Name, "Fifth rifles");
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Brackle for Vornex : - obat05 - Nation 5"));
}

TEST_F(MainWindowTest, SaveBeforeAnyLoadAsksForAFile)
{
    auto w = Make();
    w->SaveBtnClick();
    w->SaveAs1Click();
    w->SaveAsBtnClick();
    ASSERT_EQ(dialogs.shown.size(), 3u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Please load a file first!!"));
    EXPECT_EQ(dialogs.shown[1].text, QStringLiteral("Please load a file first!!"));
    EXPECT_EQ(dialogs.shown[2].caption, QStringLiteral("NO FILE"));
    EXPECT_EQ(dialogs.shown[2].text, QStringLiteral("Load an Obat to overwrite first!"));
}

TEST_F(MainWindowTest, SaveWritesTheEditsInPlace)
{
    auto w = Make();
    Open(*w, 5);
    oob.UnitTable[2].Name = "Added";
    w->SaveBtnClick();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_EQ(w->StatusText(), QStringLiteral("Saved ") + QString::fromStdString(oobDir.string()) +
                                   QStringLiteral("/obat005.obf"));
    Oob again;
    again.CurrentOOB = 5;
    ASSERT_EQ(LoadOOB(again, oobDir, 5).code, 0);
    EXPECT_EQ(again.UnitTable[2].Name, "Added");
    EXPECT_EQ(fs::file_size(oobDir / "obat005.obf"), 180000u);
    // Ctrl+S names the file without its extension.
    QTest::keyClick(w.get(), Qt::Key_S, Qt::ControlModifier);
    w->SaveAs1Click();
    EXPECT_EQ(w->StatusText(), QStringLiteral("Saved ") + QString::fromStdString(oobDir.string()) +
                                   QStringLiteral("/obat05"));
}

TEST_F(MainWindowTest, AFailedSaveSaysWhyAndLeavesTheOldFile)
{
    struct Case {
        const char* what;
        std::function<void(const fs::path&)> breakIt;
    };
    const std::vector<Case> cases = {
        {"folder vanished", [](const fs::path& dir) { fs::rename(dir, dir.string() + "-gone"); }},
        {"name is a folder", [](const fs::path& dir) {
             fs::remove(dir / "obat005.obf");
             fs::create_directory(dir / "obat005.obf");
         }},
    };
    for (const auto& c : cases) {
        SetUp();
        dialogs.shown.clear();
        auto w = Make();
        Open(*w, 5);
        w->SaveBtnClick();  // a good save first: its status must not outlive the failure
        ASSERT_TRUE(w->StatusText().startsWith(QStringLiteral("Saved"))) << c.what;
        c.breakIt(oobDir);
        w->SaveBtnClick();
        ASSERT_EQ(dialogs.shown.size(), 1u) << c.what;
        EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("File Save Error")) << c.what;
        EXPECT_TRUE(dialogs.shown[0].text.contains(QStringLiteral("obat005.obf"))) << c.what;
        // No file was at the target, so none can have been kept.
        EXPECT_FALSE(dialogs.shown[0].text.contains(QStringLiteral("not changed"))) << c.what;
        EXPECT_EQ(w->StatusText(),
                  QStringLiteral("Save failed: ") + QString::fromStdString((oobDir / "obat005.obf").string()))
            << c.what;
        fs::remove_all(tmp.path() / "Vornex");
    }
}

TEST_F(MainWindowTest, AFailedSaveAsSaysTheFileWasKeptOnlyWhenThereWasOne)
{
    struct Case {
        const char* what;
        fs::path target;
        bool existed;
    };
    std::vector<Case> cases = {
        {"new name in a missing folder", oobDir / "missing" / "obat009.obf", false},
        {"name of a folder", oobDir / "sub", false},
    };
    // A file that exists but that nobody, not even root, can replace.
    if (fs::is_regular_file("/proc/version"))
        cases.push_back({"existing file that cannot be replaced", "/proc/version", true});
    fs::create_directory(oobDir / "sub");
    auto w = Make();
    Open(*w, 5);
    for (const auto& c : cases) {
        dialogs.shown.clear();
        w->SaveBtnClick();
        dialogs.paths = {QString::fromStdString(c.target.string())};
        w->SaveAsBtnClick();
        ASSERT_EQ(dialogs.shown.size(), 2u) << c.what;
        EXPECT_EQ(dialogs.shown[1].caption, QStringLiteral("File Save Error")) << c.what;
        EXPECT_EQ(dialogs.shown[1].text.contains(QStringLiteral("The file on disk was not changed.")), c.existed)
            << c.what << ": " << dialogs.shown[1].text.toStdString();
        EXPECT_EQ(w->StatusText(), QStringLiteral("Save failed: ") + QString::fromStdString(c.target.string()))
            << c.what;
    }
}

TEST_F(MainWindowTest, SaveAsWritesExactlyTheChosenFileAndNoOther)
{
    struct Case {
        const char* typed;
        const char* neighbour;  // a file whose name is the typed one cut short
    };
    const std::vector<Case> cases = {
        {"backup01.obf.old", "backup01.obf"},
        {"obat017.obfXXXXXX", "obat017.obfX"},
    };
    auto w = Make();
    Open(*w, 5);
    for (const auto& c : cases) {
        dialogs.shown.clear();
        test::WriteText(oobDir / c.neighbour, "keep me");
        dialogs.paths = {QString::fromStdString((oobDir / c.typed).string())};
        w->SaveAsBtnClick();
        ASSERT_EQ(dialogs.shown.size(), 1u) << c.typed;
        EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("save"));
        EXPECT_EQ(test::ReadText(oobDir / c.neighbour), "keep me") << c.typed;
        ASSERT_TRUE(fs::exists(oobDir / c.typed)) << c.typed;
        EXPECT_EQ(fs::file_size(oobDir / c.typed), 180000u) << c.typed;
        EXPECT_EQ(w->StatusText(),
                  QStringLiteral("Saved ") + QString::fromStdString((oobDir / c.typed).string()));
        EXPECT_EQ(oob.CurrentOOB, 5);
    }
    // Cancelled: nothing happens.
    dialogs.shown.clear();
    w->SaveAsBtnClick();
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST_F(MainWindowTest, SaveIntoAnotherFolderThanTheFilesAsksFirst)
{
    const fs::path other = tmp.path() / "elsewhere";
    fs::create_directory(other);
    struct Case {
        const char* what;
        std::function<void(TSDIAppForm&)> save;
        bool otherHoldsTheFile;
        bool answer;
    };
    const std::vector<Case> cases = {
        {"Save button, No", [](TSDIAppForm& w) { w.SaveBtnClick(); }, true, false},
        {"Save menu entry, No", [](TSDIAppForm& w) { w.SaveAs1Click(); }, true, false},
        {"Save button, Yes", [](TSDIAppForm& w) { w.SaveBtnClick(); }, true, true},
        {"a new file there, No", [](TSDIAppForm& w) { w.SaveBtnClick(); }, false, false},
        {"a new file there, Yes", [](TSDIAppForm& w) { w.SaveAs1Click(); }, false, true},
    };
    for (const auto& c : cases) {
        fs::remove_all(other);
        fs::create_directory(other);
        test::WriteText(other / "obat042.obf", "another file");  // the tree needs something to list
        if (c.otherHoldsTheFile)
            test::WriteText(other / "obat005.obf", "their file");
        dialogs.shown.clear();
        auto w = Make();
        Open(*w, 5);
        oob.UnitTable[2].Name = "Added";
        const auto mine = test::ReadBytes(oobDir / "obat005.obf");
        w->DirectoryListBox1Change(QString::fromStdString(other.string()));
        const QString status = w->StatusText();
        dialogs.answers = {c.answer};
        c.save(*w);
        ASSERT_EQ(dialogs.shown.size(), 1u) << c.what;
        EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("question")) << c.what;
        EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Save to Another Folder")) << c.what;
        const QString text = dialogs.shown[0].text;
        EXPECT_TRUE(text.contains(QString::fromStdString((oobDir / "obat005.obf").string()))) << c.what;
        EXPECT_TRUE(text.contains(QString::fromStdString((other / "obat005.obf").string()))) << c.what;
        EXPECT_EQ(text.contains(QStringLiteral("replace")), c.otherHoldsTheFile) << text.toStdString();
        EXPECT_EQ(test::ReadBytes(oobDir / "obat005.obf"), mine) << c.what;
        if (c.answer) {
            Oob written;
            written.CurrentOOB = 5;
            ASSERT_EQ(LoadOOB(written, other, 5).code, 0) << c.what;
            EXPECT_EQ(written.UnitTable[2].Name, "Added") << c.what;
            EXPECT_TRUE(w->StatusText().startsWith(QStringLiteral("Saved ") + QString::fromStdString(other.string())))
                << c.what;
        } else {
            if (c.otherHoldsTheFile)
                EXPECT_EQ(test::ReadText(other / "obat005.obf"), "their file") << c.what;
            else
                EXPECT_FALSE(fs::exists(other / "obat005.obf")) << c.what;
            EXPECT_FALSE(w->StatusText().startsWith(QStringLiteral("Saved"))) << c.what;
        }
    }
    // Back in the file's own folder, Save asks nothing.
    dialogs.shown.clear();
    auto w = Make();
    Open(*w, 5);
    w->DirectoryListBox1Change(QString::fromStdString(other.string()));
    w->DirectoryListBox1Change(QString::fromStdString(oobDir.string()));
    w->SaveBtnClick();
    EXPECT_TRUE(dialogs.shown.empty());
    EXPECT_TRUE(w->StatusText().startsWith(QStringLiteral("Saved ")));
}

TEST_F(MainWindowTest, ALoadWarningIsShownAndTheFileStaysOpen)
{
    auto w = Make();
    const std::string warning = "obat005.obf is longer than 200000 bytes; a save keeps only the first 200000.";
    w->SetLoader([&](Oob& o, const fs::path& dir, int n) {
        LoadResult r = LoadOOB(o, dir, n);
        r.warning = warning;
        return r;
    });
    bool openWhenShown = false;
    dialogs.onShown = [&] { openWhenShown = oob.FileLoaded && oob.CurrentOOB == 5; };
    Open(*w, 5);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("message"));
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Brackle"));
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Warning);
    EXPECT_EQ(dialogs.shown[0].text, QString::fromStdString(warning));
    EXPECT_TRUE(openWhenShown);
    EXPECT_TRUE(oob.FileLoaded);
    EXPECT_EQ(oob.UnitTable[1].Name, "Fifth rifles");
    EXPECT_EQ(Find<QTabWidget>(w.get(), "Viewer")->currentIndex(), TSDIAppForm::UnitsPage);
    EXPECT_TRUE(w->StatusText().startsWith(QStringLiteral("Loaded ")));
}

TEST_F(MainWindowTest, AFileLongerThanTheEditorKeepsOpensWithItsWarning)
{
    // File 5 with 100 bytes past the 200000 the editor reads and writes.
    {
        std::vector<unsigned char> bytes = test::ReadBytes(oobDir / "obat005.obf");
        bytes.resize(200100, 0x5A);
        std::FILE* f = std::fopen((oobDir / "obat005.obf").string().c_str(), "wb");
        ASSERT_NE(f, nullptr);
        ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        std::fclose(f);
    }
    auto w = Make();
    Open(*w, 5);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].icon, Dialogs::Icon::Warning);
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Only the first 200000 bytes of %1 are an OOB file; saving it will drop the other 100 bytes.")
                  .arg(QString::fromStdString((oobDir / "obat005.obf").string())));
    EXPECT_TRUE(oob.FileLoaded);
}

TEST_F(MainWindowTest, ChangingTheFolderRelistsTheFiles)
{
    auto w = Make();
    const fs::path other = tmp.path() / "elsewhere";
    fs::create_directory(other);
    fs::copy_file(oobDir / "obat042.obf", other / "obat003.obf");
    dialogs.paths.push_back(QString::fromStdString(other.string()));
    w->ChooseDirBtnClick();
    EXPECT_EQ(w->OOBDir(), other);
    EXPECT_EQ(w->StatusText(), QStringLiteral("Searching in ") + QString::fromStdString(other.string()));
    EXPECT_EQ(Find<QListWidget>(w.get(), "KobListBox")->currentRow(), 2);
    const fs::path empty = tmp.path() / "empty";
    fs::create_directory(empty);
    w->DirectoryListBox1Change(QString::fromStdString(empty.string()));
    EXPECT_EQ(Find<QListWidget>(w.get(), "KobListBox")->count(), 0);
}

TEST_F(MainWindowTest, ExitAsksEveryTime)
{
    auto w = Make();
    Activate(w.get());
    dialogs.answers = {false};
    w->close();
    EXPECT_TRUE(w->isVisible());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Program Exit"));
    EXPECT_EQ(dialogs.shown[0].text,
              QStringLiteral("Do you really want to quit?\r\n\r\n - Have you saved all your edits?"));
    dialogs.answers = {true};
    Find<QPushButton>(w.get(), "ExitButton")->click();
    EXPECT_FALSE(w->isVisible());
}

TEST_F(MainWindowTest, F1OpensTheHelpPageFromAnyControl)
{
    test::WriteText(programDir / "BRVXHelp.htm", "<html></html>");
    auto w = Make();
    Activate(w.get());
    auto* list = Find<QListWidget>(w.get(), "KobListBox");
    list->setFocus();
    PressKeyIn(list, Qt::Key_F1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("url"));
    EXPECT_TRUE(dialogs.shown[0].text.endsWith(QStringLiteral("/BRVXHelp.htm")));
    fs::remove(programDir / "BRVXHelp.htm");
    Find<QPushButton>(w.get(), "Button1")->click();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].kind, QStringLiteral("message"));
}

TEST_F(MainWindowTest, AMissingGameFolderIsReported)
{
    fs::remove_all(tmp.path() / "Vornex" / "game data");
    auto w = Make();
    EXPECT_EQ(Find<QListWidget>(w.get(), "KobListBox")->count(), 0);
    EXPECT_TRUE(w->StatusText().startsWith(QStringLiteral("Cannot find the OOB folder")));
}

}  // namespace
}  // namespace brackle

namespace brackle {
namespace {
using test::Activate;
using test::PressKeyIn;

TEST_F(MainWindowTest, InfoTextIsStoredByF12AsTypedAndSaved)
{
    auto w = Make();
    Activate(w.get());
    Open(*w, 5);
    Find<QTabWidget>(w.get(), "Viewer")->setCurrentIndex(TSDIAppForm::InfoPage);
    auto* edit = Find<QLineEdit>(w.get(), "BrkCommentEdit");
    edit->setText(QString(90, QLatin1Char('x')));  // the edit holds at most 80
    EXPECT_EQ(edit->text().size(), 80);
    edit->setText(QStringLiteral("  v2 by the modder  "));
    PressKeyIn(edit, Qt::Key_F12);
    EXPECT_EQ(oob.OOBInfo, "  v2 by the modder  ");
    w->SaveBtnClick();
    Oob again;
    again.CurrentOOB = 5;
    ASSERT_EQ(LoadOOB(again, oobDir, 5).code, 0);
    EXPECT_EQ(again.OOBInfo, "  v2 by the modder  ");
    // On the Load/Save page the record keys reach their handlers and say so.
    Find<QTabWidget>(w.get(), "Viewer")->setCurrentIndex(TSDIAppForm::LoadPage);
    PressKeyIn(Find<QListWidget>(w.get(), "KobListBox"), Qt::Key_F12);
    EXPECT_EQ(w->StatusText(), QStringLiteral("Unknown Page!"));
    PressKeyIn(Find<QListWidget>(w.get(), "KobListBox"), Qt::Key_F9);
    EXPECT_EQ(w->StatusText(), QStringLiteral("Wrong Page"));
}

}  // namespace
}  // namespace brackle

namespace brackle {
namespace {

// A short file warns on opening; an edit past its end is saved as the whole
// file, and the save says so instead of a plain "Saved".
TEST_F(MainWindowTest, AShortFileWarnsAndAnEditPastItsEndIsSavedWhole)
{
    std::vector<unsigned char> bytes = test::ReadBytes(oobDir / "obat005.obf");
    bytes.resize(100);
    test::WriteBytes(oobDir / "obat005.obf", bytes);
    auto w = Make();
    Open(*w, 5);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.indexOf(QStringLiteral("only 100 bytes long")), -1) << dialogs.shown[0].text.toStdString();
    oob.UnitTable[1].Name = "Typed";
    w->SaveBtnClick();
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].caption, QStringLiteral("File Saved"));
    EXPECT_NE(dialogs.shown[1].text.indexOf(QStringLiteral("200000 bytes was written")), -1);
    EXPECT_EQ(fs::file_size(oobDir / "obat005.obf"), 200000u);
    Oob again;
    again.CurrentOOB = 5;
    ASSERT_EQ(LoadOOB(again, oobDir, 5).code, 0);
    EXPECT_EQ(again.UnitTable[1].Name, "Typed");
}

}  // namespace
}  // namespace brackle
