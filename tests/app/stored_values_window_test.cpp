// What the record pages show and store for values at the ends of their ranges
// and beyond: every value is shown whole, a commit of an untouched page stores
// the record exactly as it was, and so do a copy and paste and a move.
#include <QApplication>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/loaded_window.h"

namespace brackle {
namespace {

using Icon = Dialogs::Icon;

const std::string kLongName = "ABCDEFGHIJKLMNO";  // 15 characters, the most a name holds

// Every field at the top of its save range, as far as the record can hold it.
UnitRecord TopUnit()
{
    UnitRecord u;
    u.Name = kLongName;
    u.Class = 255;
    u.Nation = 255;  // the save range runs to 999; the record keeps a byte
    u.MC = 255;
    u.YrAvail = u.YrUnavail = 120;
    u.MonthAvail = u.MonthUnAvail = 12;
    u.Cost = 999;
    u.Crew = u.Size = u.Carry = u.Weight = 255;
    u.PictureID = u.Icon = u.WinterIcon = u.DesertIcon = 65535;  // the save range runs to 99999
    u.Speed = u.Swim = u.EW = u.Radio = u.Vision = 255;
    u.FC = u.ROF = u.SD = u.RF = u.Stabiliser = 255;
    u.SabotAmmo = u.HEATAmmo = u.Survive = 255;
    u.Wpn1 = u.Wpn2 = u.Wpn3 = u.Wpn4 = 249;
    u.Wpn1HEAmmo = u.Wpn1APAmmo = u.Wpn2HEAmmo = u.Wpn2APAmmo = 255;
    u.Wpn3HEAmmo = u.Wpn3APAmmo = u.Wpn4HEAmmo = u.Wpn4APAmmo = 255;
    u.SteelHF = u.SteelHS = u.SteelHR = u.SteelTF = u.SteelTS = u.SteelTR = u.SteelTop = 255;
    u.HEATHF = u.HEATHS = u.HEATHR = u.HEATTF = u.HEATTS = u.HEATTR = u.HEATTop = 255;
    u.ERAHF = u.ERAHS = u.ERAHR = u.ERATF = u.ERATS = u.ERATR = u.ERATop = 255;
    u.SoundByte = u.WPNSound1 = u.WPNSound2 = u.WPNSound3 = u.WPNSound4 = 255;
    u.SpareA = 0xAB;
    u.SpareB = 0xCD;
    return u;
}

WeaponRecord TopWeapon()
{
    WeaponRecord w;
    w.Name = kLongName;
    w.Class = w.Size = w.WarheadSize = w.HEPen = w.HEKill = w.APPen = w.APKill = 255;
    w.Accuracy = w.Range = w.SabotRange = w.SabotPen = w.HEATPen = 255;
    return w;
}

// A platoon-like formation (type 255) of units, every number at its top.
FormationRecord TopPlatoon()
{
    FormationRecord f;
    f.Name = kLongName;
    f.Nation = f.Page = f.FormType = 255;
    f.YrAvail = f.YrUntil = 120;
    f.MonthAvail = f.MonthUntil = 12;
    f.ExpMod = f.MoraleMod = 25;
    f.Slot.fill(999);
    return f;
}

// A company whose slots 2..10 hold the last formation, a section.
FormationRecord TopCompany()
{
    FormationRecord f = TopPlatoon();
    f.FormType = 2;
    f.Slot.fill(1999);
    f.Slot[0] = 999;
    return f;
}

class StoredValuesTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        o.UnitTable[7] = TopUnit();
        o.WeaponTable[7] = TopWeapon();
        o.FormationTable[7] = TopPlatoon();
        o.FormationTable[8] = TopCompany();
        o.FormationTable[999].Name = "Last Sect";
        o.FormationTable[999].FormType = 0;
        // Values beyond the save ranges, as a file may hold them.
        UnitRecord& odd = o.UnitTable[10];
        odd.Name = "Odd Tank";
        odd.Nation = 3;
        odd.Cost = 65535;
        odd.Wpn1 = 252;
        odd.Radio = 113;
        odd.YrAvail = 40;
        odd.MonthAvail = odd.MonthUnAvail = 6;
        FormationRecord& coy = o.FormationTable[10];
        coy.Name = "Odd Coy";
        coy.Nation = 3;
        coy.FormType = 2;
        coy.ExpMod = -100;
        coy.MoraleMod = 40;
        coy.Slot = {5, 2500, 65535};
        coy.MonthAvail = coy.MonthUntil = 6;
        o.FormationTable[12].Name = "A Coy";  // formation 12: a company
        o.FormationTable[12].FormType = 2;
    }

    void Page(int page) { w->findChild<QTabWidget*>(QStringLiteral("Viewer"))->setCurrentIndex(page); }
    void Click(const char* button) { Find<QToolButton>(button)->click(); }

    // Shows the window and puts the focus into the named control, as a click would.
    void FocusOn(const char* name)
    {
        w->show();
        QApplication::setActiveWindow(w.get());
        Find<QWidget>(name)->setFocus();
        ASSERT_NE(QApplication::focusWidget(), nullptr);
    }
    void Key(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }
    void Keys(const QString& text) { QTest::keyClicks(QApplication::focusWidget(), text); }
    // F12 with the focus in a control of the page, as the user commits.
    void CommitFrom(const char* control)
    {
        FocusOn(control);
        Key(Qt::Key_F12);
    }

    void ShowUnit(int n)
    {
        Page(TSDIAppForm::UnitsPage);
        oob.CurrentUnit = n;
        w->ShowUnit();
    }
    void ShowWeapon(int n)
    {
        Page(TSDIAppForm::WeaponsPage);
        oob.CurrentWeapon = n;
        w->ShowWeapon();
    }
    void ShowFormation(int n)
    {
        Page(TSDIAppForm::FormationsPage);
        oob.CurrentFormation = n;
        w->ShowFormation();
    }

    // Copies the page into paste buffer slot 1, pastes it onto slot `to` of the
    // same page and commits it there.
    void CopyPasteCommit(int to, const char* control)
    {
        dialogs.pastes = {{PasteResult::Ok, 1}};
        Click("CopyButton");
        if (w->PageMode() == 2)
            ShowUnit(to);
        else if (w->PageMode() == 1)
            ShowWeapon(to);
        else
            ShowFormation(to);
        dialogs.pastes = {{PasteResult::Ok, 1}};
        Click("PasteButton");
        CommitFrom(control);
    }

    // Every edit of the page holds its text whole: within its limit, and within
    // the room it has on the screen.
    void ExpectEveryEditShowsItsTextWhole(const char* pageForm)
    {
        for (QLineEdit* e : Find<QWidget>(pageForm)->findChildren<QLineEdit*>()) {
            const std::string name = e->objectName().toStdString();
            EXPECT_LE(e->text().size(), e->maxLength()) << name;
            QStyleOptionFrame option;
            option.initFrom(e);
            option.lineWidth = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, e);
            const QRect room = e->style()->subElementRect(QStyle::SE_LineEditContents, &option, e);
            EXPECT_LE(e->fontMetrics().horizontalAdvance(e->text()), room.width() - 4)
                << name << " shows \"" << e->text().toStdString() << "\" in " << e->width() << " pixels";
        }
    }
};

TEST_F(StoredValuesTest, AnUntouchedUnitAtTheTopOfEveryRangeIsShownWholeAndStoredUnchanged)
{
    ShowUnit(7);
    const std::pair<const char*, const char*> shown[] = {
        {"UnitNationEdit", "255"}, {"UnitMCEdit", "255"},  {"UnitSizeEdit", "255"}, {"UnitEWEdit", "255"},
        {"UnitRadioEdit", "255"},  {"UnitROFEdit", "255"}, {"UnitSDEdit", "255"},   {"UnitCostEdit", "999"},
        {"UnitLBMEdit", "65535"},  {"UnitDesertIconEdit", "65535"}, {"UnitnameEdit", "ABCDEFGHIJKLMNO"},
    };
    for (const auto& [edit, text] : shown)
        EXPECT_EQ(Text(edit), QString::fromLatin1(text)) << edit;
    ExpectEveryEditShowsItsTextWhole("UnitForm");

    CommitFrom("UnitCrewEdit");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(oob.UnitTable[7], TopUnit());

    // The spare bytes have no control: a paste leaves the target's own.
    oob.UnitTable[8].SpareA = 0xAB;
    oob.UnitTable[8].SpareB = 0xCD;
    CopyPasteCommit(8, "UnitCrewEdit");
    EXPECT_EQ(oob.UnitTable[8], TopUnit());

    ShowUnit(7);
    dialogs.picks = {9};
    Click("SpeedButton_Move");
    EXPECT_EQ(oob.UnitTable[9], TopUnit());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StoredValuesTest, AnUntouchedWeaponAtTheTopOfEveryRangeIsStoredUnchanged)
{
    ShowWeapon(7);
    ExpectEveryEditShowsItsTextWhole("WeaponForm");
    CommitFrom("WeaponRangeEdit");
    EXPECT_EQ(oob.WeaponTable[7], TopWeapon());
    CopyPasteCommit(8, "WeaponRangeEdit");
    EXPECT_EQ(oob.WeaponTable[8], TopWeapon());
    ShowWeapon(7);
    dialogs.picks = {9};
    Click("SpeedButton_Move");
    EXPECT_EQ(oob.WeaponTable[9], TopWeapon());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(StoredValuesTest, AnUntouchedFormationAtTheTopOfEveryRangeIsShownWholeAndStoredUnchanged)
{
    for (const auto& [from, record] : {std::pair{7, TopPlatoon()}, std::pair{8, TopCompany()}}) {
        SCOPED_TRACE(from);
        ShowFormation(from);
        EXPECT_EQ(Text("FormNationEdit"), QStringLiteral("255"));
        EXPECT_EQ(Text("FormPageEdit"), QStringLiteral("255"));
        ExpectEveryEditShowsItsTextWhole("FormationForm");
        CommitFrom("FormNameEdit");
        EXPECT_TRUE(Messages().empty());
        EXPECT_EQ(oob.FormationTable[from], record);

        CopyPasteCommit(from + 20, "FormNameEdit");
        EXPECT_EQ(oob.FormationTable[from + 20], record);

        ShowFormation(from);
        dialogs.picks = {from + 40};
        Click("SpeedButton_Move");
        EXPECT_EQ(oob.FormationTable[from + 40], record);
        EXPECT_TRUE(Messages().empty());
    }
}

// A Cost of 65535, weapon 252 and a Radio of 113 lie beyond what can be typed;
// a commit that did not touch them keeps them, one that did clamps the typing.
TEST_F(StoredValuesTest, ValuesBeyondTheSaveRangeSurviveAnUntouchedCommitCopyAndMove)
{
    ShowUnit(10);
    EXPECT_EQ(Text("UnitCostEdit"), QStringLiteral("65535"));
    EXPECT_EQ(Text("UnitWpn1Edit"), QStringLiteral("252"));
    EXPECT_EQ(Text("UnitRadioEdit"), QStringLiteral("113"));
    ExpectEveryEditShowsItsTextWhole("UnitForm");
    const UnitRecord odd = oob.UnitTable[10];
    CommitFrom("UnitCrewEdit");
    EXPECT_EQ(oob.UnitTable[10], odd);
    CopyPasteCommit(11, "UnitCrewEdit");
    EXPECT_EQ(oob.UnitTable[11].Cost, 65535);
    EXPECT_EQ(oob.UnitTable[11].Wpn1, 252);
    ShowUnit(10);
    dialogs.picks = {12};
    Click("SpeedButton_Move");
    EXPECT_EQ(oob.UnitTable[12], odd);

    ShowUnit(12);
    Type("UnitCostEdit", QStringLiteral("65534"));
    Type("UnitWpn1Edit", QStringLiteral("251"));
    CommitFrom("UnitCrewEdit");
    EXPECT_EQ(oob.UnitTable[12].Cost, 999);
    EXPECT_EQ(oob.UnitTable[12].Wpn1, 249);
    EXPECT_EQ(Text("UnitCostEdit"), QStringLiteral("999"));

    ShowFormation(10);
    EXPECT_EQ(Text("FormExpModEdit"), QStringLiteral("-100"));
    EXPECT_EQ(Text("FormSlot3Edit"), QStringLiteral("65535"));
    ExpectEveryEditShowsItsTextWhole("FormationForm");
    const FormationRecord coy = oob.FormationTable[10];
    CommitFrom("FormNameEdit");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(oob.FormationTable[10], coy);
    Type("FormExpModEdit", QStringLiteral("-99"));
    CommitFrom("FormNameEdit");
    EXPECT_EQ(oob.FormationTable[10].ExpMod, -25);
    EXPECT_EQ(oob.FormationTable[10].Slot[1], 2500);
}

// The limit of an edit holds for typing even while a longer stored value is shown.
TEST_F(StoredValuesTest, ALongShownValueDoesNotLiftTheTypingLimit)
{
    ShowUnit(10);
    FocusOn("UnitRadioEdit");  // shows 113 in an edit for two characters
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    Keys(QStringLiteral("456"));
    EXPECT_EQ(Text("UnitRadioEdit"), QStringLiteral("45"));

    FocusOn("UnitCostEdit");  // 65535 in an edit for three
    Key(Qt::Key_End);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    Key(Qt::Key_Backspace);
    Keys(QStringLiteral("99"));
    EXPECT_EQ(Text("UnitCostEdit"), QStringLiteral("659"));
    CommitFrom("UnitCostEdit");
    EXPECT_EQ(oob.UnitTable[10].Cost, 659);
}

// The rules judge what the commit stores, not what a lenient reading of the text gives.
TEST_F(StoredValuesTest, TheRulesJudgeTheValuesTheCommitStores)
{
    const QString glider = QStringLiteral("Gliders, Transports and spotter planes do not use weapons! \r\n"
                                          " Unit data not saved!");
    struct Case {
        const char* classText;
        const char* weaponEdit;
        const char* weaponText;
    } cases[] = {
        {"47", "UnitWpn1Edit", "5a"},   // stored as weapon 5
        {"47x", "UnitWpn2Edit", "7"},   // stored as class 47
    };
    for (const Case& c : cases) {
        ShowUnit(7);
        const UnitRecord before = oob.UnitTable[7];
        Type("UnitClassEdit", QString::fromLatin1(c.classText));
        for (const char* e : {"UnitWpn1Edit", "UnitWpn2Edit", "UnitWpn3Edit", "UnitWpn4Edit"})
            Type(e, QStringLiteral("0"));
        Type(c.weaponEdit, QString::fromLatin1(c.weaponText));
        CommitFrom("UnitCrewEdit");
        EXPECT_EQ(Messages(), (std::vector<std::pair<QString, Icon>>{{glider, Icon::Error}})) << c.classText;
        EXPECT_EQ(oob.UnitTable[7], before) << c.classText;
    }

    // Formation 999 is made a company: a slot typed as 2500 is stored as 1999 and
    // so holds a company, which a company may not.
    oob.FormationTable[999].FormType = 2;
    ShowFormation(10);
    const FormationRecord before = oob.FormationTable[10];
    Type("FormSlot4Edit", QStringLiteral("2500"));
    EXPECT_EQ(Label("Form04TypeLabel"), QStringLiteral("ERROR - Co in a Co!"));
    EXPECT_EQ(Label("Formslot4Label"), QStringLiteral("Last Sect"));
    CommitFrom("FormNameEdit");
    EXPECT_EQ(Messages(), (std::vector<std::pair<QString, Icon>>{
                              {QStringLiteral("Error(s) in formation data\r\n\r\n"
                                              "The Formation In slot 4 cannot be a COMPANY\r\n"),
                               Icon::Error},
                              {QStringLiteral("Formation data was NOT saved!"), Icon::Warning}}));
    EXPECT_EQ(oob.FormationTable[10], before);
}

// Emptying a nation edit puts a selected "0" in it, so the number typed next replaces it.
TEST_F(StoredValuesTest, ANationTypedIntoAnEmptiedEditReplacesTheZero)
{
    ShowUnit(10);
    FocusOn("UnitNationEdit");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
    Key(Qt::Key_Backspace);
    EXPECT_EQ(Text("UnitNationEdit"), QStringLiteral("0"));
    Keys(QStringLiteral("12"));
    EXPECT_EQ(Text("UnitNationEdit"), QStringLiteral("12"));
    Key(Qt::Key_F12);
    EXPECT_EQ(oob.UnitTable[10].Nation, 12);

    ShowFormation(10);
    for (const char* edit : {"FormNationEdit", "FormTypeEdit", "FormSlot2Edit"}) {
        FocusOn(edit);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
        Key(Qt::Key_Delete);
        EXPECT_EQ(Text(edit), QStringLiteral("0")) << edit;
        Keys(QStringLiteral("12"));
        EXPECT_EQ(Text(edit), QStringLiteral("12")) << edit;
    }
}

}  // namespace
}  // namespace brackle
