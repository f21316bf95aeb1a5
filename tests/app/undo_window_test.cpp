// Undo and redo through the real window, the Edit menu and its keys, the tab
// letters, the status line after a commit and the year labels.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <map>

#include "app/loaded_window.h"
#include "editors/record_lists.h"
#include "oob/changes.h"
#include "oob/text.h"
#include "reports/report_window.h"
#include "widgets/text_qt.h"

namespace brackle {
namespace {

using test::PressKey;
using test::PressKeyIn;

const Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
const Qt::KeyboardModifiers kCtrlShift = Qt::ControlModifier | Qt::ShiftModifier;

class UndoTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        o.UnitTable[1].Name = "Rifle Squad";
        o.UnitTable[1].Nation = 3;
        o.UnitTable[1].Crew = 9;
        o.UnitTable[1].Wpn1 = 5;
        o.UnitTable[2].Name = "Heavy Tank 40";
        o.UnitTable[2].Nation = 3;
        o.UnitTable[2].Class = 222;
        o.UnitTable[3].Name = "Foreign Unit";
        o.UnitTable[3].Nation = 4;
        o.WeaponTable[5].Name = "Rifle";
        o.WeaponTable[5].Class = 1;
        o.WeaponTable[7].Name = "Spare Gun";  // carried by nobody
        o.WeaponTable[7].Class = 2;
        o.FormationTable[2].Name = "Rifle Plt";
        o.FormationTable[2].Nation = 3;
        o.FormationTable[2].FormType = 1;
        o.FormationTable[2].Slot[0] = 1;
        o.OOBInfo = "v1";
    }

    void Page(int page, int slot = 0) { w->ShowPageAt(page, slot); }
    bool Marked() { return w->windowTitle().endsWith(QLatin1Char('*')); }
    QAction* Action(const char* name)
    {
        auto* a = w->findChild<QAction*>(QString::fromLatin1(name));
        EXPECT_NE(a, nullptr) << name;
        return a;
    }
    void Click(const char* button) { Find<QToolButton>(button)->click(); }
    // A control on the page shown that is no text field.
    QWidget* ListOfPage()
    {
        switch (w->PageMode()) {
        case 1:
            return Find<QListWidget>("wpnlistbox");
        case 2:
            return Find<QListWidget>("UnitListBox");
        case 3:
            return Find<QListWidget>("FormationListBox");
        default:
            return Find<QWidget>("BrkCommentEdit");
        }
    }

    // The page shown holds what the tables hold: every list entry, and the record.
    void ExpectPageShowsTables(const std::string& where)
    {
        const int kind = w->PageMode() == 2 ? 1 : (w->PageMode() == 1 ? 2 : (w->PageMode() == 3 ? 3 : 0));
        if (kind == 0) {
            EXPECT_EQ(Text("BrkCommentEdit"), ToQt(oob.OOBInfo)) << where;
            return;
        }
        auto* list = qobject_cast<QListWidget*>(ListOfPage());
        for (int slot = 1; slot <= LastSlot(kind); ++slot) {
            if (list->item(slot - 1)->text() != ToQt(ListEntryText(oob, kind, slot))) {
                ADD_FAILURE() << where << ": list entry " << slot << " is "
                              << list->item(slot - 1)->text().toStdString();
                break;
            }
        }
        const char* nameEdit = kind == 1 ? "UnitnameEdit" : (kind == 2 ? "WeaponNameEdit" : "FormNameEdit");
        const int slot = kind == 1 ? oob.CurrentUnit : (kind == 2 ? oob.CurrentWeapon : oob.CurrentFormation);
        EXPECT_EQ(Text(nameEdit), ToQt(Trim(SlotName(oob, kind, slot)))) << where;
    }

    // Runs act on the modal dialog a command opens, then closes it with its Close button.
    void OnModalDialog(const std::function<void(QDialog&)>& act)
    {
        QTimer::singleShot(0, w.get(), [act] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            act(*dialog);
            if (dialog->isVisible())
                dialog->reject();
        });
    }
    static void SetEdit(QDialog& d, const char* name, const char* text)
    {
        d.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    }
    static void Press(QDialog& d, const char* button) { d.findChild<QPushButton*>(QString::fromLatin1(button))->click(); }
};

TEST_F(UndoTest, EveryKindOfChangeIsUndoneAndRedoneFromTheKeyboard)
{
    TFormFormSearch report(oob, dialogs, programDir);
    w->SetReportWindow(&report);
    struct Case {
        const char* what;
        std::function<void()> setUp;  // runs before the saved point
        std::function<void()> act;
        QString label;  // the step's label; a trailing "*" matches any ending
    };
    const std::vector<Case> cases = {
        {"a unit commit", [&] { Page(TSDIAppForm::UnitsPage, 1); },
         [&] {
             Type("UnitCrewEdit", QStringLiteral("12"));
             PressKeyIn(Find("UnitCrewEdit"), Qt::Key_F12);
         },
         QStringLiteral("Commit unit 001 Rifle Squad")},
        {"a weapon commit", [&] { Page(TSDIAppForm::WeaponsPage, 5); },
         [&] {
             Type("WeaponRangeEdit", QStringLiteral("30"));
             PressKeyIn(Find("WeaponRangeEdit"), Qt::Key_F12);
         },
         QStringLiteral("Commit weapon 005 Rifle")},
        {"a formation commit", [&] { Page(TSDIAppForm::FormationsPage, 2); },
         [&] {
             Type("FormNameEdit", QStringLiteral("Rifle Plt A"));
             PressKeyIn(Find("FormNameEdit"), Qt::Key_F12);
         },
         QStringLiteral("Commit formation 002 Rifle Plt A")},
        {"the info text", [&] { Page(TSDIAppForm::InfoPage); },
         [&] {
             Type("BrkCommentEdit", QStringLiteral("v2"));
             PressKeyIn(Find("BrkCommentEdit"), Qt::Key_F12);
         },
         QStringLiteral("Commit info text")},
        {"erase then commit", [&] { Page(TSDIAppForm::UnitsPage, 1); },
         [&] {
             Click("EraseButton");
             Click("CommitButton");
         },
         QStringLiteral("Clear unit 001 Rifle Squad")},
        {"a move", [&] { Page(TSDIAppForm::UnitsPage, 1); },
         [&] {
             dialogs.picks = {50};
             Click("SpeedButton_Move");
         },
         QStringLiteral("Move unit 001 Rifle Squad to 050")},
        {"a paste and its commit",
         [&] {
             Page(TSDIAppForm::UnitsPage, 2);
             dialogs.pastes = {{PasteResult::Ok, 1}};
             Click("CopyButton");
             Page(TSDIAppForm::UnitsPage, 4);
         },
         [&] {
             dialogs.pastes = {{PasteResult::Ok, 1}};
             Click("PasteButton");
             Click("CommitButton");
         },
         QStringLiteral("Commit unit 004 Heavy Tank 40")},
        {"a paste of all weapons",
         [&] {
             Page(TSDIAppForm::WeaponsPage, 5);
             dialogs.pastes = {{PasteResult::All, 0}};
             Click("CopyButton");
             Click("EraseButton");
             Click("CommitButton");
         },
         [&] {
             dialogs.pastes = {{PasteResult::All, 0}};
             Click("PasteButton");
         },
         QStringLiteral("Paste all weapons: 1 weapon changed")},
        {"a replace", [&] { Page(TSDIAppForm::UnitsPage, 1); },
         [&] {
             dialogs.replaces = {{QStringLiteral("rifle squad"), QStringLiteral("Rifles")}};
             Click("SpeedButtonSandR");
         },
         QStringLiteral("Replace 'rifle squad' with 'Rifles' in 1 unit")},
        {"renationalise", [&] { Page(TSDIAppForm::UnitsPage, 3); },
         [&] {
             OnModalDialog([](QDialog& d) {
                 SetEdit(d, "RenatFromEdit", "4");
                 SetEdit(d, "RenatToEdit", "9");
                 Press(d, "BitBtn1");
             });
             w->Renationalise1Click();
         },
         QStringLiteral("Renationalise nation 4 to 9: 1 unit, 0 formations")},
        {"reclassify", [&] { Page(TSDIAppForm::UnitsPage, 2); },
         [&] {
             OnModalDialog([](QDialog& d) {
                 SetEdit(d, "EditFrom", "222");
                 SetEdit(d, "EditTo", "221");
                 Press(d, "BitBtn1");
             });
             w->Reclassify1Click();
         },
         QStringLiteral("Reclassify class 222 to 221: 1 unit")},
        {"delete all marked", [&] { Page(TSDIAppForm::UnitsPage, 3); },
         [&] {
             dialogs.answers = {true};
             OnModalDialog([](QDialog& d) {
                 SetEdit(d, "RenatFromEdit", "4");
                 Press(d, "BitBtn1");
             });
             w->DeleteAllMarked1Click();
         },
         QStringLiteral("Delete nation 4: 1 unit, 0 formations")},
        {"clearing unused weapons", [&] { Page(TSDIAppForm::WeaponsPage, 7); },
         [&] {
             dialogs.answers = {true};
             report.BitBtnUnusedWeponDeleteClick();
             test::BackInFront(w.get());
         },
         QStringLiteral("Clear unused weapons: *")},
    };
    for (const Case& c : cases) {
        c.setUp();
        w->SaveBtnClick();
        ASSERT_FALSE(Marked()) << c.what;
        const TablesSnapshot before = SnapshotTables(oob);
        c.act();
        ASSERT_TRUE(TablesDiffer(before, oob)) << c.what;
        ASSERT_TRUE(Marked()) << c.what;
        const TablesSnapshot after = SnapshotTables(oob);
        const QString label = ToQt(oob.History.UndoLabel());
        if (c.label.endsWith(QLatin1Char('*')))
            EXPECT_TRUE(label.startsWith(c.label.chopped(1))) << c.what << ": " << label.toStdString();
        else
            EXPECT_EQ(label, c.label) << c.what;
        EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo ") + label) << c.what;

        struct Key {
            Qt::KeyboardModifiers modifiers;
            Qt::Key key;
            bool undone;
        };
        for (const Key& k : {Key{kCtrl, Qt::Key_Z, true}, Key{kCtrl, Qt::Key_Y, false},
                             Key{kCtrl, Qt::Key_Z, true}, Key{kCtrlShift, Qt::Key_Z, false},
                             Key{kCtrl, Qt::Key_Z, true}}) {
            const std::string where = std::string(c.what) + (k.undone ? ", undone" : ", redone");
            test::BackInFront(w.get());
            PressKeyIn(ListOfPage(), k.key, k.modifiers);
            EXPECT_FALSE(TablesDiffer(k.undone ? before : after, oob)) << where;
            EXPECT_EQ(Marked(), !k.undone) << where;
            EXPECT_EQ(w->StatusText(), (k.undone ? QStringLiteral("Undone: ") : QStringLiteral("Redone: ")) + label)
                << where;
            ExpectPageShowsTables(where);
        }
        EXPECT_EQ(Action("Redo1")->text(), QStringLiteral("&Redo ") + label) << c.what;
        Messages();
    }
}

TEST_F(UndoTest, ASecondBnHqMadeACompanyOnShowIsAStepAndUndoShowsItAsStored)
{
    oob.FormationTable[7].Name = "Old HQ";
    oob.FormationTable[7].FormType = 5;
    Page(TSDIAppForm::FormationsPage, 7);
    ASSERT_EQ(oob.FormationTable[7].FormType, 2);
    ASSERT_EQ(Messages().size(), 1u);  // "Only the first formation can be the Bn HQ!"
    EXPECT_EQ(oob.History.UndoLabel(), "Reset formation 007 Old HQ to Company");

    // Undone, it is shown as it was stored, without the reset that would end the redo.
    PressKeyIn(Find<QListWidget>("FormationListBox"), Qt::Key_Z, kCtrl);
    EXPECT_EQ(oob.FormationTable[7].FormType, 5);
    EXPECT_EQ(Text("FormTypeEdit"), QStringLiteral("5"));
    EXPECT_TRUE(Messages().empty());
    EXPECT_TRUE(Action("Redo1")->isEnabled());
    PressKeyIn(Find<QListWidget>("FormationListBox"), Qt::Key_Y, kCtrl);
    EXPECT_EQ(oob.FormationTable[7].FormType, 2);

    // A commit that sets type 5 on another formation is one step, reset included.
    Page(TSDIAppForm::FormationsPage, 3);
    Type("FormNameEdit", QStringLiteral("New HQ"));
    Type("FormTypeEdit", QStringLiteral("5"));
    const std::size_t steps = oob.History.UndoSteps();
    const FormationRecord empty = oob.FormationTable[3];
    PressKeyIn(Find("FormNameEdit"), Qt::Key_F12);
    Messages();
    EXPECT_EQ(oob.FormationTable[3].FormType, 2);
    EXPECT_EQ(oob.History.UndoSteps(), steps + 1);
    EXPECT_EQ(oob.History.UndoLabel(), "Commit formation 003 New HQ");
    PressKeyIn(Find<QListWidget>("FormationListBox"), Qt::Key_Z, kCtrl);
    EXPECT_EQ(oob.FormationTable[3], empty);

    // Paste All bringing a Bn HQ into the formation shown: its reset is part of the paste's one step.
    oob.FormationTable[4].Name = "Pasted HQ";
    oob.FormationTable[4].FormType = 5;  // in the table only, never shown
    dialogs.pastes = {{PasteResult::All, 0}};
    Click("CopyButton");
    oob.FormationTable[4].FormType = 1;
    Page(TSDIAppForm::FormationsPage, 4);
    w->SaveBtnClick();
    const TablesSnapshot saved = SnapshotTables(oob);
    const std::size_t before = oob.History.UndoSteps();
    dialogs.pastes = {{PasteResult::All, 0}};
    Click("PasteButton");
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(oob.FormationTable[4].FormType, 2);
    EXPECT_EQ(oob.History.UndoSteps(), before + 1);
    EXPECT_EQ(oob.History.UndoLabel(), "Paste all formations: 1 formation changed");
    PressKeyIn(Find<QListWidget>("FormationListBox"), Qt::Key_Z, kCtrl);
    EXPECT_FALSE(TablesDiffer(saved, oob));
    EXPECT_FALSE(Marked());
}

TEST_F(UndoTest, CtrlZInATextFieldUndoesTheTypingFirst)
{
    Page(TSDIAppForm::UnitsPage, 1);
    Type("UnitCrewEdit", QStringLiteral("12"));
    PressKeyIn(Find("UnitCrewEdit"), Qt::Key_F12);
    ASSERT_EQ(oob.UnitTable[1].Crew, 12);

    // Typing in the field: its own undo and redo come first.
    QLineEdit* crew = Find("UnitCrewEdit");
    crew->setFocus();
    crew->end(false);
    test::TypeKeys(QStringLiteral("5"));
    ASSERT_EQ(crew->text(), QStringLiteral("125"));
    PressKey(Qt::Key_Z, kCtrl);
    EXPECT_EQ(crew->text(), QStringLiteral("12"));
    EXPECT_EQ(oob.UnitTable[1].Crew, 12);
    for (const Qt::KeyboardModifiers redo : {kCtrl, kCtrlShift}) {
        PressKey(redo == kCtrl ? Qt::Key_Y : Qt::Key_Z, redo);
        EXPECT_EQ(crew->text(), QStringLiteral("125"));
        PressKey(Qt::Key_Z, kCtrl);
        EXPECT_EQ(crew->text(), QStringLiteral("12"));
        EXPECT_EQ(oob.UnitTable[1].Crew, 12);
    }
    EXPECT_TRUE(Marked());

    // Nothing left to undo in the field: the commit is undone, the field refilled.
    PressKey(Qt::Key_Z, kCtrl);
    EXPECT_EQ(oob.UnitTable[1].Crew, 9);
    EXPECT_EQ(crew->text(), QStringLiteral("9"));
    EXPECT_FALSE(Marked());
    EXPECT_EQ(QApplication::focusWidget(), crew);  // the focus stays where the user was
    PressKey(Qt::Key_Y, kCtrl);
    EXPECT_EQ(oob.UnitTable[1].Crew, 12);
    EXPECT_EQ(crew->text(), QStringLiteral("12"));

    // The same in the find box, an editable combo box.
    QComboBox* find = Find<QComboBox>("EditFind");
    find->setFocus();
    test::TypeKeys(QStringLiteral("ab"));
    PressKey(Qt::Key_Z, kCtrl);
    EXPECT_EQ(oob.UnitTable[1].Crew, 12);
    EXPECT_NE(find->currentText(), QStringLiteral("ab"));
}

TEST_F(UndoTest, UndoingBackToTheSavedStateClearsTheMarkAndSavingKeepsTheHistory)
{
    Page(TSDIAppForm::UnitsPage, 1);
    auto commitCrew = [&](const char* crew) {
        Type("UnitCrewEdit", QString::fromLatin1(crew));
        PressKeyIn(Find<QListWidget>("UnitListBox"), Qt::Key_F12);
    };
    commitCrew("12");
    w->SaveBtnClick();
    commitCrew("13");
    struct Step {
        Qt::Key key;
        int crew;
        bool marked;
    };
    for (const Step& s : {Step{Qt::Key_Z, 12, false}, Step{Qt::Key_Z, 9, true}, Step{Qt::Key_Y, 12, false},
                          Step{Qt::Key_Y, 13, true}, Step{Qt::Key_Y, 13, true}}) {
        PressKeyIn(Find<QListWidget>("UnitListBox"), s.key, kCtrl);
        EXPECT_EQ(oob.UnitTable[1].Crew, s.crew);
        EXPECT_EQ(Marked(), s.marked) << s.crew;
    }
}

TEST_F(UndoTest, OpeningAnotherFileClearsTheHistoryOnlyWhenItOpens)
{
    Oob four;
    four.CurrentOOB = 4;
    four.UnitTable[1].Name = "Fourth Unit";
    WriteTablesToBuffer(four);
    ASSERT_TRUE(WriteFileAtomically(oobDir / OOBFileName(4), four.OOBBuffer.data(), kBufferSize).ok);
    w->SetList();
    Page(TSDIAppForm::UnitsPage, 1);
    Type("UnitCrewEdit", QStringLiteral("12"));
    Click("CommitButton");
    auto open4 = [&](Dialogs::Answer answer) {
        dialogs.choices = {answer};
        Find<QListWidget>("KobListBox")->setCurrentRow(3);
        w->KobListBoxDblClick();
    };
    open4(Dialogs::Answer::Cancel);
    EXPECT_TRUE(Action("Undo1")->isEnabled());
    open4(Dialogs::Answer::No);
    ASSERT_EQ(oob.CurrentOOB, 4);
    EXPECT_FALSE(Action("Undo1")->isEnabled());
    EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo"));
    PressKeyIn(Find<QListWidget>("UnitListBox"), Qt::Key_Z, kCtrl);
    EXPECT_EQ(oob.UnitTable[1].Name, "Fourth Unit");
    EXPECT_EQ(oob.UnitTable[1].Crew, 0);
    EXPECT_FALSE(Marked());
}

TEST_F(UndoTest, TheEditMenuNamesTheStepsAndEscapesAmpersands)
{
    EXPECT_FALSE(Action("Undo1")->isEnabled());
    EXPECT_FALSE(Action("Redo1")->isEnabled());
    Page(TSDIAppForm::UnitsPage, 1);
    Type("UnitnameEdit", QStringLiteral("R&D Team"));
    Click("CommitButton");
    EXPECT_TRUE(Action("Undo1")->isEnabled());
    EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo Commit unit 001 R&&D Team"));
    w->Undo1Click();
    EXPECT_FALSE(Action("Undo1")->isEnabled());
    EXPECT_TRUE(Action("Redo1")->isEnabled());
    EXPECT_EQ(Action("Redo1")->text(), QStringLiteral("&Redo Commit unit 001 R&&D Team"));
    EXPECT_EQ(Action("Undo1")->text(), QStringLiteral("&Undo"));
    EXPECT_EQ(w->StatusText(), QStringLiteral("Undone: Commit unit 001 R&D Team"));

    // The menu's order and keys.
    QMenu* edit = w->findChild<QMenu*>(QStringLiteral("Edit1"));
    ASSERT_NE(edit, nullptr);
    QStringList names;
    for (QAction* a : edit->actions()) {
        if (!a->isSeparator())
            names << a->objectName();
    }
    EXPECT_EQ(names, (QStringList{"Undo1", "Redo1", "Commit1", "Restore1", "Erase1", "Copy1", "Paste1", "Move1",
                                  "Find1", "Replace1", "Back1", "Next1"}));
    EXPECT_EQ(Action("Redo1")->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))}));
}

TEST_F(UndoTest, TheEditMenuKeysWorkFromATextFieldAndOnlyOnTheRecordPages)
{
    auto shown = [this](const char* kind) {
        return [this, kind] {
            for (const auto& s : dialogs.shown) {
                if (s.kind == QLatin1String(kind))
                    return true;
            }
            return false;
        };
    };
    struct Case {
        const char* what;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int slot;  // the unit shown before the key
        std::function<bool()> happened;
    };
    const std::vector<Case> cases = {
        {"Erase", Qt::Key_E, kCtrlShift, 1, [&] { return Text("UnitnameEdit").isEmpty(); }},
        {"Copy", Qt::Key_C, kCtrlShift, 1, shown("paste")},
        {"Paste", Qt::Key_V, kCtrlShift, 1, shown("paste")},
        {"Move", Qt::Key_M, kCtrlShift, 1, shown("pick")},
        {"Replace", Qt::Key_R, kCtrlShift, 1, shown("replace")},
        {"Next", Qt::Key_Right, Qt::AltModifier, 1, [&] { return oob.CurrentUnit == 2; }},
        {"Back", Qt::Key_Left, Qt::AltModifier, 2, [&] { return oob.CurrentUnit == 1; }},
    };
    for (const Case& c : cases) {
        for (const bool recordPage : {true, false}) {
            Page(TSDIAppForm::UnitsPage, c.slot);
            if (!recordPage)
                Page(TSDIAppForm::LoadPage);
            dialogs.shown.clear();
            PressKeyIn(recordPage ? Find("UnitCrewEdit") : Find<QWidget>("KobListBox"), c.key, c.modifiers);
            EXPECT_EQ(c.happened(), recordPage) << c.what << (recordPage ? " on the Units page" : " on Load/Save");
        }
    }
    EXPECT_FALSE(Marked());  // none of them stored anything
}

TEST_F(UndoTest, NoEditKeyIsOneATextFieldUsesForItself)
{
    // The keys a line edit or the lists handle themselves, on this platform.
    std::vector<QKeySequence> taken;
    for (int k = QKeySequence::HelpContents; k <= QKeySequence::Cancel; ++k) {
        // Back and Forward are the desktop's own names for what Alt+Left and Alt+Right do here.
        if (k == QKeySequence::Back || k == QKeySequence::Forward)
            continue;
        for (const QKeySequence& s : QKeySequence::keyBindings(static_cast<QKeySequence::StandardKey>(k)))
            taken.push_back(s);
    }
    for (const char* name : {"Erase1", "Copy1", "Paste1", "Move1", "Replace1", "Back1", "Next1"}) {
        const QKeySequence key = Action(name)->shortcut();
        ASSERT_FALSE(key.isEmpty()) << name;
        for (const QKeySequence& t : taken)
            EXPECT_NE(key, t) << name << " takes " << t.toString().toStdString();
    }
    // And none is a key of another command of the window.
    std::map<QString, QString> keys;
    for (QAction* a : w->findChildren<QAction*>()) {
        for (const QKeySequence& s : a->shortcuts()) {
            const auto [it, fresh] = keys.emplace(s.toString(), a->objectName());
            EXPECT_TRUE(fresh) << s.toString().toStdString() << ": " << it->second.toStdString() << " and "
                               << a->objectName().toStdString();
        }
    }
}

// The Alt letters a page offers: its tabs, the menu titles, the window's Alt
// shortcuts and the captions and buttons of the page shown.
std::map<QChar, QStringList> AltLetters(TSDIAppForm& w)
{
    std::map<QChar, QStringList> letters;
    auto add = [&](const QString& text) {
        const int at = text.indexOf(QRegularExpression(QStringLiteral("&[^&]")));
        if (at >= 0)
            letters[text.at(at + 1).toLower()] << text;
    };
    auto* viewer = w.findChild<QTabWidget*>(QStringLiteral("Viewer"));
    for (int i = 0; i < viewer->count(); ++i)
        add(viewer->tabText(i));
    for (QAction* menu : w.menuBar()->actions())
        add(menu->text());
    for (QAction* a : w.findChildren<QAction*>()) {
        for (const QKeySequence& s : a->shortcuts()) {
            if (s[0].keyboardModifiers() == Qt::AltModifier && s[0].key() >= Qt::Key_A && s[0].key() <= Qt::Key_Z)
                letters[QChar(s[0].key()).toLower()] << a->objectName();
        }
    }
    for (QLabel* l : viewer->currentWidget()->findChildren<QLabel*>()) {
        if (l->buddy() && l->isVisible())
            add(l->text());
    }
    for (QAbstractButton* b : w.findChildren<QAbstractButton*>()) {
        if (b->isVisible())
            add(b->text());
    }
    return letters;
}

TEST_F(UndoTest, TheTabsOpenWithAltLettersThatClashWithNothing)
{
    struct Case {
        Qt::Key key;
        int page;
    };
    for (const Case& c : {Case{Qt::Key_W, TSDIAppForm::WeaponsPage}, Case{Qt::Key_O, TSDIAppForm::FormationsPage},
                          Case{Qt::Key_S, TSDIAppForm::LoadPage}, Case{Qt::Key_I, TSDIAppForm::InfoPage},
                          Case{Qt::Key_U, TSDIAppForm::UnitsPage}}) {
        PressKeyIn(w->PageMode() == 4 ? Find<QWidget>("KobListBox") : ListOfPage(), c.key, Qt::AltModifier);
        EXPECT_EQ(w->findChild<QTabWidget*>(QStringLiteral("Viewer"))->currentIndex(), c.page) << c.page;
    }
    for (int page : {TSDIAppForm::UnitsPage, TSDIAppForm::WeaponsPage, TSDIAppForm::FormationsPage,
                     TSDIAppForm::LoadPage, TSDIAppForm::InfoPage}) {
        w->findChild<QTabWidget*>(QStringLiteral("Viewer"))->setCurrentIndex(page);
        QTest::qWait(10);
        for (const auto& [letter, users] : AltLetters(*w))
            EXPECT_EQ(users.size(), 1) << "page " << page << ": Alt+" << QString(letter).toStdString() << " is "
                                       << users.join(QStringLiteral(", ")).toStdString();
    }
}

TEST_F(UndoTest, TheTabLettersOpenNothingBeforeAFileIsLoaded)
{
    StartupPaths paths;
    paths.ProgramDir = programDir;
    paths.CurrentDir = programDir;
    Oob empty;
    TSDIAppForm fresh(empty, dialogs, paths);
    test::Activate(&fresh);
    auto* viewer = fresh.findChild<QTabWidget*>(QStringLiteral("Viewer"));
    for (Qt::Key key : {Qt::Key_U, Qt::Key_W, Qt::Key_O, Qt::Key_I}) {
        PressKeyIn(fresh.findChild<QListWidget*>(QStringLiteral("KobListBox")), key, Qt::AltModifier);
        EXPECT_EQ(viewer->currentIndex(), TSDIAppForm::LoadPage);
    }
    for (const char* name : {"Undo1", "Redo1", "Commit1", "Erase1", "Next1", "Replace1"})
        EXPECT_FALSE(fresh.findChild<QAction*>(QString::fromLatin1(name))->isEnabled()) << name;
    fresh.CloseWithoutAsking();
}

TEST_F(UndoTest, ACommitSaysSoInTheStatusLine)
{
    struct Case {
        int page;
        int slot;
        const char* focus;
        QString status;
    };
    const Case cases[] = {
        {TSDIAppForm::UnitsPage, 1, "UnitCrewEdit", QStringLiteral("Unit 001 committed")},
        {TSDIAppForm::WeaponsPage, 5, "WeaponRangeEdit", QStringLiteral("Weapon 005 committed")},
        {TSDIAppForm::FormationsPage, 2, "FormNameEdit", QStringLiteral("Formation 002 committed")},
        {TSDIAppForm::InfoPage, 0, "BrkCommentEdit", QStringLiteral("Info committed")},
    };
    for (const Case& c : cases) {
        Page(c.page, c.slot);
        w->findChild<QLabel*>(QStringLiteral("StatusBar"))->clear();
        PressKeyIn(Find(c.focus), Qt::Key_F12);  // nothing typed: stored as it was, and said
        EXPECT_EQ(w->StatusText(), c.status);
    }
    // A refused commit says nothing of the kind.
    Page(TSDIAppForm::UnitsPage, 1);
    w->findChild<QLabel*>(QStringLiteral("StatusBar"))->clear();
    Type("UnitClassEdit", QStringLiteral("47"));  // a glider with a rifle
    PressKeyIn(Find("UnitCrewEdit"), Qt::Key_F12);
    EXPECT_EQ(w->StatusText(), QString());
    EXPECT_FALSE(Messages().empty());
}

TEST_F(UndoTest, YearFieldsShowTheCalendarYear)
{
    struct Case {
        int page;
        const char* edit;
        const char* label;
    };
    const Case cases[] = {
        {TSDIAppForm::UnitsPage, "UnitYrAvailEdit", "UnitYrAvailYearLabel"},
        {TSDIAppForm::UnitsPage, "UnitYrUnavailEdit", "UnitYrUnavailYearLabel"},
        {TSDIAppForm::FormationsPage, "FormAvailEdit", "FormAvailYearLabel"},
        {TSDIAppForm::FormationsPage, "FormUntilEdit", "FormUntilYearLabel"},
    };
    oob.UnitTable[1].YrAvail = 45;
    oob.FormationTable[2].YrAvail = 45;
    for (const Case& c : cases) {
        Page(c.page, c.page == TSDIAppForm::UnitsPage ? 1 : 2);
        if (std::string_view(c.edit).find("Avail") != std::string_view::npos) {
            EXPECT_EQ(Label(c.label), QStringLiteral("1945")) << c.label;  // as shown
        }
        Find(c.edit)->clear();
        PressKeyIn(Find(c.edit), Qt::Key_4);
        PressKey(Qt::Key_0);
        EXPECT_EQ(Label(c.label), QStringLiteral("1940")) << c.label;  // as typed
        PressKey(Qt::Key_A);
        EXPECT_EQ(Label(c.label), QString()) << c.label;
        Type(c.edit, QStringLiteral("121"));
        EXPECT_EQ(Label(c.label), QString()) << c.label;
    }
}

}  // namespace
}  // namespace brackle
