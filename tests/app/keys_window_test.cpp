// The window's keys pressed as a user presses them: on whatever control has the
// focus, with real modal boxes taking the focus away and giving it back.
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>

#include "app/loaded_window.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
using test::PressKey;
using test::PressKeyIn;

class KeysTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        o.WeaponTable[5].Name = "Rifle";
        o.UnitTable[1].Name = "Glider";
        o.UnitTable[1].Nation = 3;
        o.UnitTable[1].Class = 47;  // gliders carry no weapons
        o.UnitTable[2].Name = "Tank Plt HQ";
        o.UnitTable[2].Nation = 3;
        o.UnitTable[2].Crew = 4;
        o.UnitTable[20].Name = "T-55 TANK";
        o.FormationTable[2].Name = "Tank Plt";
        o.FormationTable[2].Nation = 3;
        o.FormationTable[2].FormType = 1;
        o.FormationTable[2].Slot[0] = 2;
    }
    QComboBox* FindBox() { return Find<QComboBox>("EditFind"); }
    void Page(int page) { w->findChild<QTabWidget*>(QStringLiteral("Viewer"))->setCurrentIndex(page); }
};

TEST_F(KeysTest, AKeyRunsItsCommandOnceWhenTheCommandShowsAMessageBox)
{
    dialogs.modalBoxes = true;
    struct Case {
        const char* what;
        std::function<void()> setUp;
        QWidget* focus;
        Qt::Key key;
        QString message;
    };
    oob.CurrentUnit = 1;
    w->ShowUnit();
    const std::vector<Case> cases = {
        {"a refused commit, focus in a field", [&] { Type("UnitWpn1Edit", QStringLiteral("5")); },
         Find("UnitCrewEdit"), Qt::Key_F12,
         QStringLiteral("Gliders, Transports and spotter planes do not use weapons! \r\n Unit data not saved!")},
        {"a refused commit, focus in the list", [&] { Type("UnitWpn1Edit", QStringLiteral("5")); },
         Find<QListWidget>("UnitListBox"), Qt::Key_F12,
         QStringLiteral("Gliders, Transports and spotter planes do not use weapons! \r\n Unit data not saved!")},
        {"F3 with no search text", [&] { FindBox()->setEditText(QString()); }, Find("UnitCrewEdit"), Qt::Key_F3,
         QStringLiteral("Please enter a search string!")},
        {"F11 finding nothing", [&] { FindBox()->setEditText(QStringLiteral("zzz")); }, Find("UnitCrewEdit"),
         Qt::Key_F11, QStringLiteral("Could not find a unit name containing ZZZ")},
        {"F1 without a help file", [] {}, Find("UnitCrewEdit"), Qt::Key_F1, QString()},
    };
    for (const Case& c : cases) {
        c.setUp();
        dialogs.shown.clear();
        PressKeyIn(c.focus, c.key);
        QTest::qWait(50);  // anything the box's closing left behind is delivered
        const auto m = Messages();
        ASSERT_EQ(m.size(), 1u) << c.what;
        if (!c.message.isEmpty())
            EXPECT_EQ(m[0].first, c.message) << c.what;
        EXPECT_EQ(oob.UnitTable[1].Wpn1, 0) << c.what;
    }
}

TEST_F(KeysTest, AnAdvisoryWarningStoresTheUnitOnce)
{
    // Class 5 with an air weapon: warned, then stored; one press, one warning.
    dialogs.modalBoxes = true;
    oob.WeaponTable[5].Class = 11;
    oob.UnitTable[2].Class = 5;
    oob.CurrentUnit = 2;
    w->ShowUnit();
    Type("UnitWpn1Edit", QStringLiteral("5"));
    PressKeyIn(Find("UnitCrewEdit"), Qt::Key_F12);
    QTest::qWait(50);
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(oob.UnitTable[2].Wpn1, 5);
}

TEST_F(KeysTest, EnterInTheFindBoxFindsAndTheEnterThatClosesABoxDoesNotFindAgain)
{
    oob.CurrentUnit = 1;
    w->ShowUnit();
    FindBox()->setFocus();
    FindBox()->lineEdit()->selectAll();
    test::TypeKeys(QStringLiteral("tank"));
    PressKey(Qt::Key_Return);
    EXPECT_EQ(oob.CurrentUnit, 2);
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Tank Plt HQ"));

    // Nothing found: the box is closed with Enter, whose release then reaches
    // the find box; that release finds nothing more.
    FindBox()->setFocus();
    FindBox()->lineEdit()->selectAll();
    test::TypeKeys(QStringLiteral("zzz"));
    dialogs.modalBoxes = true;
    dialogs.shown.clear();
    PressKey(Qt::Key_Return);
    QTest::qWait(50);
    test::BackInFront(w.get());
    ASSERT_EQ(FindBox(), QApplication::focusWidget());
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(Messages().size(), 1u);
}

TEST_F(KeysTest, AClickOnTheSelectedEntryShowsItsRecordAgain)
{
    struct Case {
        int page;
        const char* list;
        const char* edit;
        QString stored;
    };
    const Case cases[] = {
        {TSDIAppForm::UnitsPage, "UnitListBox", "UnitnameEdit", QStringLiteral("Tank Plt HQ")},
        {TSDIAppForm::WeaponsPage, "wpnlistbox", "WeaponNameEdit", QStringLiteral("Rifle")},
        {TSDIAppForm::FormationsPage, "FormationListBox", "FormNameEdit", QStringLiteral("Tank Plt")},
    };
    for (const Case& c : cases) {
        Page(c.page);
        auto* list = Find<QListWidget>(c.list);
        const int row = c.page == TSDIAppForm::WeaponsPage ? 4 : (c.page == TSDIAppForm::UnitsPage ? 1 : 1);
        list->setCurrentRow(row);
        list->scrollToItem(list->item(row));
        ASSERT_EQ(Text(c.edit), c.stored) << c.list;
        Type(c.edit, QStringLiteral("typed, not committed"));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list->visualItemRect(list->item(row)).center());
        EXPECT_EQ(list->currentRow(), row) << c.list;
        EXPECT_EQ(Text(c.edit), c.stored) << c.list;
    }
}

}  // namespace
}  // namespace brackle
