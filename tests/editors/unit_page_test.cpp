#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/loaded_window.h"
#include "app/main_window.h"
#include "editors/unit_page.h"
#include "oob/oob_file.h"
#include "test_support.h"
#include "widgets/keyboard.h"
#include "widgets/scripted_dialogs.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
using test::ScriptedDialogs;
using test::PressKeyIn;

const QString kCrLf = QStringLiteral("\r\n");

// Weapons the rules care about, by number.
enum : int { Rifle = 5, Bomb = 11, LongBomb = 12, Arm = 16, Asm = 17, Mine = 15 };

// File 3 with a few weapons and units, opened in the main window.
class UnitPageTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        auto weapon = [&o](int n, const char* name, int cls, int range) {
            o.WeaponTable[n].Name = name;
            o.WeaponTable[n].Class = static_cast<std::uint8_t>(cls);
            o.WeaponTable[n].Range = static_cast<std::uint8_t>(range);
        };
        weapon(Rifle, "Rifle", 0, 10);
        weapon(Bomb, "Iron Bomb", 11, 1);
        weapon(LongBomb, "Glide Bomb", 11, 2);
        weapon(Arm, "Anti-Rad", 16, 20);
        weapon(Asm, "ASM", 17, 20);
        weapon(Mine, "Minelets", 15, 20);
        UnitRecord& u = o.UnitTable[7];
        u.Name = "Rifle Squad";
        u.Nation = 3;
        u.Wpn1 = Rifle;
        u.Wpn1HEAmmo = 40;
        u.ROF = 2;
        u.Crew = 9;
        u.SpareA = 0xAB;
        o.UnitTable[8].Name = "Other Nation";
        o.UnitTable[8].Nation = 4;
        o.UnitTable[9].Nation = 3;  // a nameless slot of the file's own nation
        o.UnitTable[9].Class = 5;
        o.FormationTable[1].Name = "Coy";
        o.FormationTable[1].Slot[0] = 7;
    }

    void Go(int unit)
    {
        oob.CurrentUnit = unit;
        w->ShowUnit();
    }
};

const QColor kNavy(0, 0, 128), kBlue(0, 0, 255), kRed(255, 0, 0), kMaroon(128, 0, 0), kFuchsia(255, 0, 255);

TEST_F(UnitPageTest, ShowsTheUnitWithItsDerivedLabels)
{
    Go(7);
    EXPECT_EQ(Label("UnitNumLabel"), QStringLiteral("Unit 007"));
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Rifle Squad"));
    EXPECT_TRUE(Find("UnitnameEdit")->font().bold());  // used in formation 1
    EXPECT_TRUE(Find("UnitnameEdit")->font().underline());
    EXPECT_EQ(Label("UnitNationLabel"), QStringLiteral("Third Nation"));
    EXPECT_EQ(Label("UnitClassLabel"), QStringLiteral("Infantry"));
    EXPECT_EQ(Label("UnitMCLabel"), QStringLiteral("Default"));
    EXPECT_EQ(Label("UnitWpn1NameLbl"), QStringLiteral("Rifle"));
    EXPECT_EQ(Label("UnitWpn2NameLbl"), QString());
    EXPECT_EQ(Text("UnitWpn1HEAmmoEdit"), QStringLiteral("40"));
    EXPECT_EQ(LabelColour("UnitNationLabel"), kNavy);

    Go(8);
    EXPECT_FALSE(Find("UnitnameEdit")->font().bold());
    EXPECT_EQ(LabelColour("UnitNationLabel"), kRed);  // not this file's nation
    EXPECT_EQ(LabelColour("UnitNumLabel"), kNavy);

    Go(9);
    EXPECT_EQ(LabelColour("UnitNumLabel"), kRed);  // an empty slot of this file's nation
    Go(999);
    EXPECT_EQ(Label("UnitNumLabel"), QStringLiteral("Unit 999"));
    EXPECT_EQ(LabelColour("UnitNumLabel"), kNavy);
    EXPECT_EQ(LabelColour("UnitNationLabel"), kNavy);  // an empty record is not foreign
}

TEST_F(UnitPageTest, EditsTakeNoMoreCharactersThanTheirFieldsAllow)
{
    const std::pair<const char*, int> limits[] = {
        {"UnitnameEdit", 15}, {"UnitNationEdit", 2}, {"UnitClassEdit", 3}, {"UnitLBMEdit", 9},
        {"UnitIconEdit", 5},  {"UnitSizeEdit", 2},   {"UnitEWEdit", 2},    {"UNITHEATHREdit", 3}};
    for (const auto& [name, max] : limits)
        EXPECT_EQ(Find(name)->maxLength(), max) << name;
    auto* name = Find("UnitnameEdit");
    name->clear();
    for (const QString& typed : {QStringLiteral("Z"), QString(QChar(0xFC)), QString(QChar(0x20AC))}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
        QApplication::sendEvent(name, &press);
    }
    EXPECT_EQ(name->text(), QString(QStringLiteral("Z")) + QChar(0xFC));  // the euro sign has no single byte
}

TEST_F(UnitPageTest, LabelsFollowTheRecordNotTheTyping)
{
    Go(7);
    Type("UnitNationEdit", QStringLiteral("4"));
    Type("UnitClassEdit", QStringLiteral("62"));
    Type("UnitWpn1Edit", QStringLiteral("11"));
    EXPECT_EQ(Label("UnitNationLabel"), QStringLiteral("Third Nation"));
    EXPECT_EQ(LabelColour("UnitNationLabel"), kRed);  // the colour does follow the typing
    EXPECT_EQ(Label("UnitClassLabel"), QStringLiteral("Infantry"));
    EXPECT_EQ(Label("UnitWpn1NameLbl"), QStringLiteral("Rifle"));
    Type("UnitNationEdit", QString());
    EXPECT_EQ(Text("UnitNationEdit"), QStringLiteral("0"));
}

TEST_F(UnitPageTest, PicksChangeTheControlsButNotTheRecord)
{
    Go(7);
    dialogs.picks = {47, 4, 0, Bomb, -2};
    Find<QToolButton>("UnitPickUCBtn")->click();
    EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("Pick List : Unit Class"));
    EXPECT_EQ(Text("UnitClassEdit"), QStringLiteral("47"));
    EXPECT_EQ(Label("UnitClassLabel"), QStringLiteral("Glider"));
    Find<QToolButton>("UnitGetNationBtn")->click();
    EXPECT_EQ(Label("UnitNationLabel"), QStringLiteral("Fourth Nation"));
    Find<QToolButton>("UnitWpn1PickBtn")->click();
    EXPECT_EQ(dialogs.lastPickEntries.at(0), QStringLiteral("000 - NO WEAPON IN SLOT"));
    EXPECT_EQ(Text("UnitWpn1Edit"), QStringLiteral("0"));
    EXPECT_EQ(Label("UnitWpn1NameLbl"), QString());
    Find<QToolButton>("UnitWpn2PickBtn")->click();
    EXPECT_EQ(Text("UnitWpn2Edit"), QStringLiteral("11"));
    EXPECT_EQ(Label("UnitWpn2NameLbl"), QStringLiteral("Iron Bomb"));
    Find<QToolButton>("UnitPickMCBtn")->click();  // cancelled
    EXPECT_EQ(Text("UnitMCEdit"), QStringLiteral("0"));
    EXPECT_EQ(oob.UnitTable[7].Class, 0);
    EXPECT_EQ(oob.UnitTable[7].Wpn2, 0);
}

// Each pick list opens on the number its field holds (0 when it holds none), or
// on no entry when that number is none the list offers.
TEST_F(UnitPageTest, PickListsOpenOnTheNumberTheirFieldHolds)
{
    oob.FormationTable[20] = {"Coy", 3, 40, 1, 50, 12, 2, 2, {7}, 0, 0};
    oob.FormationTable[21] = {"Plt", 3, 40, 1, 50, 12, 2, 1, {7}, 0, 0};
    struct Case {
        int page;
        const char* edit;
        const char* text;
        const char* button;
        int opensOn;
        Qt::MouseButton mouse = Qt::LeftButton;
    } cases[] = {
        {TSDIAppForm::UnitsPage, "UnitClassEdit", "62", "UnitPickUCBtn", 62},
        {TSDIAppForm::UnitsPage, "UnitMCEdit", "3", "UnitPickMCBtn", 3},
        {TSDIAppForm::UnitsPage, "UnitNationEdit", "4", "UnitGetNationBtn", 4},
        {TSDIAppForm::UnitsPage, "UnitWpn3Edit", "17", "UnitWpn3PickBtn", 17},
        {TSDIAppForm::UnitsPage, "UnitWpn1Edit", "", "UnitWpn1PickBtn", 0},
        {TSDIAppForm::UnitsPage, "UnitWpn2Edit", "1a", "UnitWpn2PickBtn", 0},
        {TSDIAppForm::UnitsPage, "UnitWpn4Edit", "252", "UnitWpn4PickBtn", -1},
        {TSDIAppForm::WeaponsPage, "WeaponClassEdit", "11", "WpnClassPickbtn", 11},
        {TSDIAppForm::FormationsPage, "FormNationEdit", "4", "FormPickNationBtn", 4},
        {TSDIAppForm::FormationsPage, "FormPageEdit", "7", "FormCatPickBtn", 7},
        {TSDIAppForm::FormationsPage, "FormTypeEdit", "3", "FormTypePickBtn", 3},
        {TSDIAppForm::FormationsPage, "FormSlot1Edit", "7", "FormSlot1PickBtn", 7},
        {TSDIAppForm::FormationsPage, "FormSlot6Edit", "1021", "FormSlot6Btn", 21, Qt::RightButton},
        {TSDIAppForm::FormationsPage, "FormSlot6Edit", "1021", "FormSlot6Btn", -1},  // no unit
        {TSDIAppForm::FormationsPage, "FormSlot3Edit", "7", "FormSlot3PickBtn", -1, Qt::RightButton},  // no formation
        {TSDIAppForm::FormationsPage, "FormSlot4Edit", "0", "FormSlot4PickBtn", 0, Qt::RightButton},
    };
    auto* viewer = w->findChild<QTabWidget*>(QStringLiteral("Viewer"));
    viewer->setCurrentIndex(TSDIAppForm::FormationsPage);
    oob.CurrentFormation = 20;  // a company: its slots take sub-formations
    w->ShowFormation();
    for (const Case& c : cases) {
        const std::string what = std::string(c.button) + " on \"" + c.text + '"';
        viewer->setCurrentIndex(c.page);
        Type(c.edit, QString::fromLatin1(c.text));
        dialogs.lastPickSelected = -3;
        QTest::mouseClick(Find<QToolButton>(c.button), c.mouse);
        EXPECT_EQ(dialogs.lastPickSelected, c.opensOn) << what;
    }
    // The move list opens on the record that moves.
    viewer->setCurrentIndex(TSDIAppForm::UnitsPage);
    Go(7);
    Find<QToolButton>("SpeedButton_Move")->click();
    EXPECT_EQ(dialogs.lastPickSelected, 7);
}

// A commit of unit 7 with class c and weapons in slots 1..4 (0 for none).
struct RuleCase {
    const char* what;
    int unitClass;
    std::array<int, 4> weapons;
    bool saved;
    std::vector<std::pair<QString, Dialogs::Icon>> messages;
};

TEST_F(UnitPageTest, CommitRunsTheWeaponRulesOnEverySlot)
{
    using I = Dialogs::Icon;
    const QString glider = QStringLiteral("Gliders, Transports and spotter planes do not use weapons! ") + kCrLf +
                           QStringLiteral(" Unit data not saved!");
    const QString bomber = QStringLiteral("The weapon in slot 2 is air weapon class 11") + kCrLf +
                           QStringLiteral("however the weapon is not a bomb ( range of 1)") + kCrLf + kCrLf +
                           QStringLiteral("Level Bomber will only drop CBU, bombs or napalm!") + kCrLf + kCrLf +
                           QStringLiteral(" Unit data not saved!");
    const QString advisory =
        QStringLiteral("The weapon in slot 1 is air weapon class 11") + kCrLf +
        QStringLiteral("however the unit is NOT a Level Bomber, Gunship, helicopter or Wild Weasel aircraft") +
        kCrLf + kCrLf + QStringLiteral(" ADVISORY - non air units do not use class 11 weapons!");
    const QString arm = QStringLiteral("The weapon in slot 4 is ANTI RADIATION MISSILE type") + kCrLf +
                        QStringLiteral("however the unit is NOT a Wild Weasel aircraft") + kCrLf + kCrLf +
                        QStringLiteral(" Unit data not saved!");
    const std::vector<RuleCase> cases = {
        {"glider, one weapon", 47, {Rifle, 0, 0, 0}, false, {{glider, I::Error}}},
        {"glider, two weapons", 47, {Rifle, 0, Rifle, 0}, false, {{glider, I::Error}, {glider, I::Error}}},
        {"level bomber, bomb", 62, {Bomb, 0, 0, 0}, true, {}},
        {"level bomber, glide bomb", 62, {Bomb, LongBomb, 0, 0}, false, {{bomber, I::Error}}},
        {"ground unit, bomb", 5, {Bomb, 0, 0, 0}, true, {{advisory, I::Warning}}},
        {"wild weasel", 214, {0, 0, 0, Arm}, true, {}},
        {"gunship, anti-radiation", 215, {0, 0, 0, Arm}, false, {{arm, I::Error}}},
        // Stored as weapon 249, so checked as weapon 249.
        {"weapon number above the table", 47, {300, 0, 0, 0}, false, {{glider, I::Error}}},
    };
    for (const RuleCase& c : cases) {
        Go(7);
        Type("UnitClassEdit", QString::number(c.unitClass));
        Type("UnitCrewEdit", QStringLiteral("3"));
        for (int k = 0; k < 4; ++k)
            Type(QStringLiteral("UnitWpn%1Edit").arg(k + 1).toLatin1().constData(), QString::number(c.weapons[k]));
        const UnitRecord before = oob.UnitTable[7];
        PressKeyIn(Find("UnitCrewEdit"), Qt::Key_F12);
        EXPECT_EQ(Messages(), c.messages) << c.what;
        if (c.saved) {
            EXPECT_EQ(oob.UnitTable[7].Class, c.unitClass) << c.what;
            EXPECT_EQ(oob.UnitTable[7].Crew, 3) << c.what;
        } else {
            EXPECT_EQ(oob.UnitTable[7], before) << c.what;
            EXPECT_EQ(Text("UnitCrewEdit"), QStringLiteral("9")) << c.what;  // the page shows the record again
        }
        oob.UnitTable[7] = before;  // the next case starts from the same unit
    }
    EXPECT_EQ(oob.UnitTable[7].Wpn1, Rifle);
}

TEST_F(UnitPageTest, CommitClampsShowsAndListsTheStoredValues)
{
    Go(7);
    Type("UnitnameEdit", QStringLiteral("  Assault Squad  "));
    Type("UnitYrAvailEdit", QStringLiteral("150"));
    Type("UnitMonthAvailEdit", QString());
    Type("UnitWpn1Edit", QStringLiteral("300"));
    Type("UnitIconEdit", QStringLiteral("70000"));
    Type("UnitCrewEdit", QStringLiteral("1a2"));
    Find<QToolButton>("CommitButton")->click();
    const UnitRecord& u = oob.UnitTable[7];
    EXPECT_EQ(u.Name, "Assault Squad");
    EXPECT_EQ(u.YrAvail, 120);
    EXPECT_EQ(u.MonthAvail, 1);
    EXPECT_EQ(u.Wpn1, 249);
    EXPECT_EQ(u.Icon, 65535);
    EXPECT_EQ(u.Crew, 12);
    EXPECT_EQ(u.SpareA, 0xAB);
    EXPECT_EQ(Text("UnitYrAvailEdit"), QStringLiteral("120"));
    EXPECT_EQ(Text("UnitIconEdit"), QStringLiteral("65535"));
    EXPECT_EQ(Find<QListWidget>("UnitListBox")->item(6)->text(), QStringLiteral("007  Assault Squad"));
    EXPECT_TRUE(Messages().empty());

    Type("UnitClassEdit", QStringLiteral("134"));
    Type("UnitSpeedEdit", QStringLiteral("12"));
    PressKeyIn(Find("UnitSpeedEdit"), Qt::Key_F12);
    EXPECT_EQ(oob.UnitTable[7].Speed, 0);
    EXPECT_EQ(Text("UnitSpeedEdit"), QStringLiteral("0"));
}

TEST_F(UnitPageTest, ATextThatIsNoNumberRefusesTheWholeCommit)
{
    Go(7);
    const UnitRecord before = oob.UnitTable[7];
    Type("UnitnameEdit", QStringLiteral("Renamed"));
    Type("UnitCostEdit", QStringLiteral("1-2"));
    PressKeyIn(Find("UnitCostEdit"), Qt::Key_F12);
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].first, QStringLiteral("The Cost field holds \"1-2\", which is not a number.\r\n\r\n"
                                         " Unit data not saved!"));
    EXPECT_EQ(m[0].second, Dialogs::Icon::Error);
    EXPECT_EQ(oob.UnitTable[7], before);
    // The typed values stay for mending.
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Renamed"));
    EXPECT_EQ(Text("UnitCostEdit"), QStringLiteral("1-2"));
}

TEST_F(UnitPageTest, ACommittedUnitGoesToDiskWithTheNextSave)
{
    Go(7);
    Type("UnitnameEdit", QStringLiteral("Guards Squad"));
    Type("UnitSteelHFEdit", QStringLiteral("45"));
    Type("UnitCrewEdit", QStringLiteral("11"));
    PressKeyIn(Find("UnitCrewEdit"), Qt::Key_F12);
    Type("UnitCrewEdit", QStringLiteral("99"));  // typed after the commit: never stored
    w->SaveAs1Click();
    Oob reread;
    ASSERT_EQ(LoadOOB(reread, oobDir, 3).code, 0);
    EXPECT_EQ(reread.UnitTable[7].Name, "Guards Squad");
    EXPECT_EQ(reread.UnitTable[7].SteelHF, 45);
    EXPECT_EQ(reread.UnitTable[7].Crew, 11);
    EXPECT_EQ(reread.UnitTable[7].SpareA, 0xAB);
    EXPECT_EQ(reread.UnitTable[8], oob.UnitTable[8]);
}

TEST_F(UnitPageTest, IndicatorsPaintAsTheValuesAreTyped)
{
    Go(7);  // class 0, weapon 1 filled
    const QColor text = QApplication::palette().color(QPalette::Text);
    struct Case {
        const char* edit;
        const char* typed;
        QColor editColour;
        const char* label;  // nullptr: the edit has no indicator label
        QColor labelColour;
        const char* caption;  // nullptr: the caption is not checked
    };
    const Case cases[] = {
        {"UnitFCEdit", "105", kBlue, "Label61", kBlue, "AA Radar 6"},
        {"UnitFCEdit", "99", text, "Label61", kNavy, "Fire control"},
        {"UnitVisionEdit", "40", kBlue, "Label58", kBlue, "TI/GSR"},
        {"UnitVisionEdit", "39", text, "Label58", kNavy, "Vision"},
        {"UnitRFEdit", "20", kBlue, "Label60", kBlue, "Laser R/F"},
        {"UnitEWEdit", "3", kBlue, "LabelEW", kBlue, "VIRSS - 1 Shots"},
        {"UnitEWEdit", "2", kBlue, "LabelEW", kBlue, "CIWS - 2 Shots"},
        {"UnitROFEdit", "1", kFuchsia, "Label63", kFuchsia, nullptr},
        {"UnitROFEdit", "0", kRed, "Label63", kRed, nullptr},
        {"UnitROFEdit", "x", text, "Label63", kNavy, nullptr},
        {"UnitSDEdit", "2", text, "Label62", kNavy, nullptr},
        {"UnitSurviveEdit", "7", kMaroon, nullptr, QColor(), nullptr},
        {"UnitERATopEdit", "11", kBlue, nullptr, QColor(), nullptr},
        {"UnitERATopEdit", "10", text, nullptr, QColor(), nullptr},
    };
    for (const Case& c : cases) {
        Type(c.edit, QString::fromLatin1(c.typed));
        const std::string what = std::string(c.edit) + " = " + c.typed;
        EXPECT_EQ(EditColour(c.edit), c.editColour) << what;
        if (c.label) {
            EXPECT_EQ(LabelColour(c.label), c.labelColour) << what;
        }
        if (c.caption) {
            EXPECT_EQ(Label(c.label), QString::fromLatin1(c.caption)) << what;
        }
    }
    // EW on a class that should carry none.
    Type("UnitClassEdit", QStringLiteral("70"));
    Type("UnitEWEdit", QStringLiteral("1"));
    EXPECT_EQ(Label("LabelEW"), QStringLiteral("EW should be 0!"));
    EXPECT_EQ(LabelColour("LabelEW"), kRed);
    EXPECT_EQ(LabelColour("Label42"), kRed);
    EXPECT_FALSE(Find<QLabel>("LabelEW")->isHidden());
    // Showing the record brings every indicator back to the stored values.
    Go(7);
    EXPECT_TRUE(Find<QLabel>("LabelEW")->isHidden());
    EXPECT_EQ(Label("Label61"), QStringLiteral("Fire control"));
    EXPECT_EQ(EditColour("UnitSurviveEdit"), text);
    EXPECT_EQ(EditColour("UnitERATopEdit"), text);
}

using NavigationTest = UnitPageTest;

QTabWidget* Viewer(TSDIAppForm& w)
{
    return w.findChild<QTabWidget*>(QStringLiteral("Viewer"));
}

TEST_F(NavigationTest, ListsShowEverySlotAndFollowThePage)
{
    auto* units = Find<QListWidget>("UnitListBox");
    ASSERT_EQ(units->count(), 999);
    EXPECT_EQ(units->item(6)->text(), QStringLiteral("007  Rifle Squad"));
    EXPECT_EQ(units->item(998)->text(), QStringLiteral("999  "));
    Viewer(*w)->setCurrentIndex(TSDIAppForm::WeaponsPage);
    EXPECT_EQ(w->PageMode(), 1);
    auto* weapons = Find<QListWidget>("wpnlistbox");
    ASSERT_EQ(weapons->count(), 249);
    EXPECT_EQ(weapons->item(Bomb - 1)->text(), QStringLiteral("011  Iron Bomb"));
    Viewer(*w)->setCurrentIndex(TSDIAppForm::FormationsPage);
    EXPECT_EQ(w->PageMode(), 3);
    EXPECT_EQ(Find<QListWidget>("FormationListBox")->count(), 999);
    EXPECT_EQ(Find<QListWidget>("FormationListBox")->item(0)->text(), QStringLiteral("001  Coy"));
    Viewer(*w)->setCurrentIndex(TSDIAppForm::LoadPage);
    EXPECT_EQ(w->PageMode(), 4);
    EXPECT_FALSE(Find<QWidget>("Fwd1Btn")->isEnabled());
    Viewer(*w)->setCurrentIndex(TSDIAppForm::InfoPage);
    EXPECT_EQ(w->PageMode(), 5);
}

TEST_F(NavigationTest, StepButtonsMoveByOneOrByTenOnARightPress)
{
    struct Case {
        int page;
        int start;
        const char* button;
        Qt::MouseButton mouse;
        int expected;
    };
    const Case cases[] = {
        {TSDIAppForm::UnitsPage, 995, "Fwd1Btn", Qt::RightButton, 999},
        {TSDIAppForm::UnitsPage, 7, "Back1Btn", Qt::RightButton, 7},
        {TSDIAppForm::UnitsPage, 11, "Back1Btn", Qt::RightButton, 1},
        {TSDIAppForm::UnitsPage, 999, "Fwd1Btn", Qt::LeftButton, 999},
        {TSDIAppForm::UnitsPage, 1, "Back1Btn", Qt::LeftButton, 1},
        {TSDIAppForm::UnitsPage, 6, "Fwd1Btn", Qt::LeftButton, 7},
        {TSDIAppForm::WeaponsPage, 249, "Fwd1Btn", Qt::LeftButton, 249},
        {TSDIAppForm::WeaponsPage, 245, "Fwd1Btn", Qt::RightButton, 249},
        {TSDIAppForm::FormationsPage, 20, "Back1Btn", Qt::LeftButton, 19},
        {TSDIAppForm::FormationsPage, 990, "Fwd1Btn", Qt::RightButton, 999},
    };
    for (const Case& c : cases) {
        Viewer(*w)->setCurrentIndex(c.page);
        int& current = c.page == TSDIAppForm::UnitsPage
                           ? oob.CurrentUnit
                           : (c.page == TSDIAppForm::WeaponsPage ? oob.CurrentWeapon : oob.CurrentFormation);
        const char* list = c.page == TSDIAppForm::UnitsPage
                               ? "UnitListBox"
                               : (c.page == TSDIAppForm::WeaponsPage ? "wpnlistbox" : "FormationListBox");
        current = c.start;
        QTest::mouseClick(Find<QToolButton>(c.button), c.mouse);
        const std::string what = std::string(c.button) + " from " + std::to_string(c.start);
        EXPECT_EQ(current, c.expected) << what;
        EXPECT_EQ(Find<QListWidget>(list)->currentRow(), c.expected - 1) << what;
    }
    // The unit page shows the slot it stepped to.
    Viewer(*w)->setCurrentIndex(TSDIAppForm::UnitsPage);
    oob.CurrentUnit = 6;
    Find<QToolButton>("Fwd1Btn")->click();
    EXPECT_EQ(Label("UnitNumLabel"), QStringLiteral("Unit 007"));
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Rifle Squad"));
}

TEST_F(NavigationTest, AListClickShowsThatSlotAndPagesKeepTheirSlot)
{
    auto* units = Find<QListWidget>("UnitListBox");
    QTest::mouseClick(units->viewport(), Qt::LeftButton, {}, units->visualItemRect(units->item(6)).center());
    EXPECT_EQ(oob.CurrentUnit, 7);
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Rifle Squad"));
    QTest::keyClick(units, Qt::Key_Down);
    EXPECT_EQ(oob.CurrentUnit, 8);
    EXPECT_EQ(Label("UnitNumLabel"), QStringLiteral("Unit 008"));
    Viewer(*w)->setCurrentIndex(TSDIAppForm::WeaponsPage);
    Viewer(*w)->setCurrentIndex(TSDIAppForm::UnitsPage);
    EXPECT_EQ(oob.CurrentUnit, 8);
    EXPECT_EQ(units->currentRow(), 7);
    EXPECT_EQ(Label("UnitNumLabel"), QStringLiteral("Unit 008"));
}

TEST_F(NavigationTest, KeysReachTheirCommandsFromAnyControl)
{
    Go(7);
    auto* crew = Find("UnitCrewEdit");
    Type("UnitCrewEdit", QStringLiteral("4"));
    PressKeyIn(crew, Qt::Key_F9);  // restore
    EXPECT_EQ(crew->text(), QStringLiteral("9"));
    Type("UnitCrewEdit", QStringLiteral("5"));
    PressKeyIn(Find<QListWidget>("UnitListBox"), Qt::Key_F12);  // commit, focus in the list
    EXPECT_EQ(oob.UnitTable[7].Crew, 5);
    test::WriteText(programDir / "BRVXHelp.htm", "<html></html>");
    dialogs.shown.clear();
    PressKeyIn(crew, Qt::Key_F1);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown.back().kind, QStringLiteral("url"));
    // Off the record pages the keys still reach their handlers.
    Viewer(*w)->setCurrentIndex(TSDIAppForm::LoadPage);
    PressKeyIn(Find<QListWidget>("KobListBox"), Qt::Key_F12);
    EXPECT_EQ(w->StatusText(), QStringLiteral("Unknown Page!"));
    PressKeyIn(Find<QListWidget>("KobListBox"), Qt::Key_F9);
    EXPECT_EQ(w->StatusText(), QStringLiteral("Wrong Page"));
    EXPECT_TRUE(w->FormKeyDown(Qt::Key_F5, Qt::NoModifier));
    EXPECT_TRUE(w->FormKeyDown(Qt::Key_F3, Qt::NoModifier));  // the find box is enabled once a page was shown
    EXPECT_FALSE(w->FormKeyDown(Qt::Key_F12, Qt::ControlModifier));
}

TEST_F(NavigationTest, TabGoesFromTheListIntoTheFormInItsGroupOrder)
{
    w->show();
    QApplication::setActiveWindow(w.get());
    auto* list = Find<QListWidget>("UnitListBox");
    list->setFocus();
    const char* chain[] = {"UnitnameEdit", "UnitNationEdit", "UnitGetNationBtn", "UnitClassEdit"};
    for (const char* next : chain) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
    Find("UnitMonthUnAvailEdit")->setFocus();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), QStringLiteral("UnitYrUnavailEdit"));
}

// The horizontal room between the right edge of a (the end of a caption) or its
// left edge, and the left edge of b, in window coordinates.
int GapAfter(QWidget* window, QWidget* a, QWidget* b, bool fromLeft = false)
{
    const QPoint aEnd = a->mapTo(window, fromLeft ? QPoint(0, 0) : QPoint(a->sizeHint().width(), 0));
    return b->mapTo(window, QPoint(0, 0)).x() - aEnd.x();
}

QLabel* CaptionOf(QWidget* form, const QString& text)
{
    for (QLabel* l : form->findChildren<QLabel*>()) {
        if (l->text() == text)
            return l;
    }
    ADD_FAILURE() << "no caption " << text.toStdString();
    return nullptr;
}

// When the window grows, each page keeps its fields together: a caption stays
// beside its edit, a weapon's rounds beside its name, a slot's type beside it.
TEST_F(NavigationTest, AGrownWindowKeepsEachLabelBesideItsEdit)
{
    w->show();
    struct Case {
        int page;
        const char* form;
        const char* caption;  // a caption's text, or the object name of a label
        const char* edit;
        bool fromLeft;        // measured from the label's left edge (a name of any length)
    } cases[] = {
        {TSDIAppForm::UnitsPage, "UnitForm", "Cost", "UnitCostEdit", false},
        {TSDIAppForm::UnitsPage, "UnitForm", "Carry", "UnitCarryEdit", false},
        {TSDIAppForm::UnitsPage, "UnitForm", "UnitWpn1NameLbl", "UnitWpn1HEAmmoEdit", true},
        {TSDIAppForm::UnitsPage, "UnitForm", "Smoke Dischargers", "UnitSDEdit", false},
        {TSDIAppForm::WeaponsPage, "WeaponForm", "Weapon Range", "WeaponRangeEdit", false},
        {TSDIAppForm::WeaponsPage, "WeaponForm", "HE Penetration", "WeaponHEPenEdit", false},
        {TSDIAppForm::FormationsPage, "FormationForm", "Formslot2Label", "Form02TypeLabel", true},
        {TSDIAppForm::FormationsPage, "FormationForm", "Experien&ce", "FormExpModEdit", false},
    };
    const int nameRoom = w->fontMetrics().horizontalAdvance(QString(15, QLatin1Char('M')));
    auto measure = [&](const Case& c) {
        Viewer(*w)->setCurrentIndex(c.page);
        QTest::qWait(20);
        auto* form = Find<QWidget>(c.form);
        QWidget* label = form->findChild<QLabel*>(QString::fromLatin1(c.caption));
        if (!label)
            label = CaptionOf(form, QString::fromLatin1(c.caption));
        return label ? GapAfter(w.get(), label, Find<QWidget>(c.edit), c.fromLeft) : -1;
    };
    std::vector<int> designed;
    for (const Case& c : cases)
        designed.push_back(measure(c));
    w->resize(1400, 1000);
    QTest::qWait(50);
    ASSERT_GE(w->width(), 1400);
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        const int gap = measure(c);
        EXPECT_LE(gap, designed[i] + 8) << c.caption << " moved away from " << c.edit;
        EXPECT_LT(gap, c.fromLeft ? 2 * nameRoom : 40) << c.caption << " to " << c.edit;
    }
}

TEST_F(NavigationTest, TheWindowKeepsItsMinimumSize)
{
    w->show();
    w->resize(500, 400);
    EXPECT_GE(w->width(), 781);
    EXPECT_GE(w->height(), 656);
}

}  // namespace
}  // namespace brackle
