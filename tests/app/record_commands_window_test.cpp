#include <QComboBox>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>

#include "app/loaded_window.h"
#include "editors/record_lists.h"
#include "editors/unit_fields.h"

namespace brackle {
namespace {
using test::PressKeyIn;

const QString kCrLf = QStringLiteral("\r\n");

class RecordCommandsTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        o.WeaponTable[5] = {"Rifle", 0, 1, 1, 2, 3, 4, 5, 6, 10, 0, 0, 0};
        o.WeaponTable[9] = {"MG", 0, 2, 1, 2, 3, 4, 5, 6, 12, 0, 0, 0};
        auto unit = [&o](int n, const char* name, int cls, int wpn) {
            UnitRecord& u = o.UnitTable[n];
            u.Name = name;
            u.Nation = 3;
            u.Class = static_cast<std::uint8_t>(cls);
            u.Wpn1 = static_cast<std::uint8_t>(wpn);
            u.YrAvail = 40;
            u.YrUnavail = 60;
            u.MonthAvail = 3;
            u.MonthUnAvail = 9;
            u.Crew = 4;
        };
        unit(3, "Scout Car", 5, 9);
        unit(5, "T-55 TANK", 5, 0);
        unit(10, "Rifles", 0, 5);
        unit(20, "TANK PLT", 5, 0);
        unit(21, "t-55", 5, 0);
        unit(22, "T-55", 5, 0);
        unit(30, "Glider", 47, 5);  // breaks the weapon rules once its page is committed
        o.UnitTable[3].SpareA = 0x5A;
        o.UnitTable[3].SpareB = 0xA5;
        o.FormationTable[2].Name = "Rifle Plt";
        o.FormationTable[2].FormType = 1;
        o.FormationTable[2].Slot[0] = 10;
    }

    void Page(int page) { w->findChild<QTabWidget*>(QStringLiteral("Viewer"))->setCurrentIndex(page); }
    void Click(const char* button) { Find<QToolButton>(button)->click(); }
    QComboBox* FindBox() { return Find<QComboBox>("EditFind"); }
    void Search(const QString& text)
    {
        FindBox()->setEditText(text);
        PressKeyIn(FindBox(), Qt::Key_F3);
    }
};

TEST_F(RecordCommandsTest, FindWrapsRoundAndKeepsALowerCaseHistory)
{
    oob.CurrentUnit = 10;
    w->ShowUnit();
    Search(QStringLiteral("tank"));
    EXPECT_EQ(oob.CurrentUnit, 20);
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("TANK PLT"));
    EXPECT_EQ(Find<QListWidget>("UnitListBox")->currentRow(), 19);
    PressKeyIn(FindBox(), Qt::Key_F11);
    EXPECT_EQ(oob.CurrentUnit, 5);  // round the end of the table
    EXPECT_TRUE(Messages().empty());

    Search(QStringLiteral("abc"));
    Search(QStringLiteral("abc"));
    Search(QStringLiteral(" ABC "));
    ASSERT_EQ(FindBox()->count(), 2);
    EXPECT_EQ(FindBox()->itemText(0), QStringLiteral("abc"));
    EXPECT_EQ(FindBox()->itemText(1), QStringLiteral("tank"));
    const auto m = Messages();
    ASSERT_EQ(m.size(), 3u);
    EXPECT_EQ(m[0].first, QStringLiteral("Could not find a unit name containing ABC"));
    EXPECT_EQ(m[0].second, Dialogs::Icon::Information);
    EXPECT_EQ(oob.CurrentUnit, 5);

    Search(QStringLiteral("  "));
    EXPECT_EQ(Messages(), (std::vector<std::pair<QString, Dialogs::Icon>>{
                              {QStringLiteral("Please enter a search string!"), Dialogs::Icon::Warning}}));

    // Enter released in the find box searches too, and other pages search their own table.
    Page(TSDIAppForm::WeaponsPage);
    FindBox()->setEditText(QStringLiteral("mg"));
    PressKeyIn(FindBox(), Qt::Key_Return);
    EXPECT_EQ(oob.CurrentWeapon, 9);
    Search(QStringLiteral("nothing"));
    EXPECT_EQ(Messages().back().first, QStringLiteral("Could not find a weapon name containing NOTHING"));
}

TEST_F(RecordCommandsTest, FindReplacesTypingWithTheStoredRecord)
{
    oob.CurrentUnit = 10;
    w->ShowUnit();
    Type("UnitCrewEdit", QStringLiteral("77"));
    Search(QStringLiteral("rifles"));  // only unit 10 matches: found again
    EXPECT_EQ(oob.CurrentUnit, 10);
    EXPECT_EQ(Text("UnitCrewEdit"), QStringLiteral("4"));
}

TEST_F(RecordCommandsTest, SearchAndReplaceRenamesWholeNamesInTheTable)
{
    dialogs.replaces = {{QStringLiteral(" t-55 "), QStringLiteral(" T-55A ")}};
    Click("SpeedButtonSandR");
    EXPECT_EQ(oob.UnitTable[21].Name, "T-55A");
    EXPECT_EQ(oob.UnitTable[22].Name, "T-55A");
    EXPECT_EQ(oob.UnitTable[5].Name, "T-55 TANK");
    EXPECT_EQ(Find<QListWidget>("UnitListBox")->item(20)->text(), QStringLiteral("021  T-55A"));
    Click("SpeedButtonSandR");  // cancelled
    EXPECT_EQ(oob.UnitTable[21].Name, "T-55A");
}

TEST_F(RecordCommandsTest, EraseThenCommitStoresAnEmptyRecordOnEachPage)
{
    oob.CurrentUnit = 10;
    w->ShowUnit();
    Click("EraseButton");
    EXPECT_EQ(Text("UnitClassEdit"), QStringLiteral("216"));
    EXPECT_EQ(Text("UnitYrAvailEdit"), QStringLiteral("01"));
    EXPECT_EQ(Text("UnitMonthUnAvailEdit"), QStringLiteral("12"));
    EXPECT_EQ(Text("UnitWinterIconEdit"), QString());
    EXPECT_EQ(Label("UnitWpn1NameLbl"), QString());
    EXPECT_EQ(oob.UnitTable[10].Name, "Rifles");  // nothing stored yet
    Click("CommitButton");
    const UnitRecord& u = oob.UnitTable[10];
    EXPECT_EQ(u.Name, "");
    EXPECT_EQ(u.Class, 216);
    EXPECT_EQ(u.YrAvail, 1);
    EXPECT_EQ(u.MonthAvail, 1);
    EXPECT_EQ(u.MonthUnAvail, 12);
    EXPECT_EQ(u.Wpn1, 0);

    Page(TSDIAppForm::WeaponsPage);
    oob.CurrentWeapon = 5;
    w->ShowWeapon();
    Click("EraseButton");
    EXPECT_EQ(Text("WeaponNameEdit"), QString());
    EXPECT_EQ(Label("WeaponNumberLabel"), QStringLiteral("Weapon 005"));
    Click("CommitButton");
    EXPECT_EQ(oob.WeaponTable[5], WeaponRecord{});
    EXPECT_EQ(Find<QListWidget>("wpnlistbox")->item(4)->text(), QStringLiteral("005  "));

    Page(TSDIAppForm::FormationsPage);
    oob.CurrentFormation = 2;
    w->ShowFormation();
    Click("EraseButton");
    Click("CommitButton");
    EXPECT_EQ(oob.FormationTable[2].Name, "");
    EXPECT_EQ(oob.FormationTable[2].Slot[0], 0);
}

TEST_F(RecordCommandsTest, WeaponCommitClampsAndTheUnitPageShowsTheNewName)
{
    Page(TSDIAppForm::WeaponsPage);
    oob.CurrentWeapon = 9;
    w->ShowWeapon();
    EXPECT_EQ(Label("WeaponNumberLabel"), QStringLiteral("Weapon 009"));
    EXPECT_EQ(Label("WeaponClassLabel"), QStringLiteral("Unknown Class"));
    Type("WeaponNameEdit", QStringLiteral("Heavy MG"));
    Type("WeaponRangeEdit", QStringLiteral("300"));
    Type("WeaponAPPenEdit", QStringLiteral("222"));
    Type("WeaponClassEdit", QStringLiteral("3"));
    EXPECT_EQ(Label("WeaponClassLabel"), QStringLiteral("Unknown Class"));  // follows the record
    PressKeyIn(Find("WeaponRangeEdit"), Qt::Key_F12);
    EXPECT_EQ(oob.WeaponTable[9].Range, 255);
    EXPECT_EQ(oob.WeaponTable[9].APPen, 222);
    EXPECT_EQ(Text("WeaponRangeEdit"), QStringLiteral("255"));
    EXPECT_NE(Label("WeaponClassLabel"), QStringLiteral("Unknown Class"));
    Type("WeaponAccuracyEdit", QStringLiteral("1-2"));
    Click("CommitButton");
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(oob.WeaponTable[9].Accuracy, 6);  // the old value: nothing stored

    Page(TSDIAppForm::UnitsPage);
    oob.CurrentUnit = 3;
    w->ShowUnit();
    EXPECT_EQ(Label("UnitWpn1NameLbl"), QStringLiteral("Heavy MG"));
}

TEST_F(RecordCommandsTest, MoveCarriesTheWholeRecordAndEmptiesTheOldSlot)
{
    oob.CurrentUnit = 3;
    w->ShowUnit();
    dialogs.picks = {3};
    Click("SpeedButton_Move");  // onto itself: nothing
    EXPECT_EQ(oob.UnitTable[3].Name, "Scout Car");

    const UnitRecord moved = oob.UnitTable[3];
    dialogs.picks = {40};
    Click("SpeedButton_Move");
    EXPECT_EQ(oob.UnitTable[40], moved);  // spare bytes included
    EXPECT_EQ(oob.UnitTable[3].Name, "");
    EXPECT_EQ(oob.UnitTable[3].Class, 216);
    EXPECT_EQ(oob.UnitTable[3].YrAvail, 1);
    EXPECT_EQ(oob.CurrentUnit, 40);
    EXPECT_EQ(Find<QListWidget>("UnitListBox")->currentRow(), 39);
    EXPECT_EQ(Find<QListWidget>("UnitListBox")->item(39)->text(), QStringLiteral("040  Scout Car"));
    EXPECT_EQ(Find<QListWidget>("UnitListBox")->item(2)->text(), QStringLiteral("003  "));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(RecordCommandsTest, MoveOntoARecordAsksFirst)
{
    oob.CurrentUnit = 20;
    w->ShowUnit();
    const UnitRecord source = oob.UnitTable[20];
    const UnitRecord target = oob.UnitTable[22];
    dialogs.picks = {22, 22};
    dialogs.answers = {false, true};
    Click("SpeedButton_Move");
    ASSERT_FALSE(dialogs.shown.empty());
    EXPECT_EQ(dialogs.shown.back().kind, QStringLiteral("question"));
    EXPECT_EQ(dialogs.shown.back().text,
              QStringLiteral("Slot 022 already holds \"T-55\".\r\n\r\nOverwrite it with slot 020?"));
    EXPECT_EQ(oob.UnitTable[20], source);
    EXPECT_EQ(oob.UnitTable[22], target);
    Click("SpeedButton_Move");
    EXPECT_EQ(oob.UnitTable[22].Name, "TANK PLT");
    EXPECT_EQ(oob.UnitTable[20].Name, "");
}

TEST_F(RecordCommandsTest, AMoveTheUnitRulesRefuseLeavesBothSlots)
{
    oob.CurrentUnit = 30;  // a glider with a weapon
    w->ShowUnit();
    const UnitRecord glider = oob.UnitTable[30];
    const UnitRecord empty = oob.UnitTable[50];
    dialogs.picks = {50};
    Click("SpeedButton_Move");
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].first, QStringLiteral("Gliders, Transports and spotter planes do not use weapons! ") + kCrLf +
                              QStringLiteral(" Unit data not saved!"));
    EXPECT_EQ(oob.UnitTable[30], glider);
    EXPECT_EQ(oob.UnitTable[50], empty);
    EXPECT_EQ(oob.CurrentUnit, 30);

    // A text that is no number refuses the move the same way.
    Type("UnitWpn1Edit", QStringLiteral("0"));
    Type("UnitCostEdit", QStringLiteral("-"));
    dialogs.picks = {50};
    Click("SpeedButton_Move");
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_EQ(oob.UnitTable[30], glider);
    EXPECT_EQ(oob.UnitTable[50], empty);
}

// Two units whose every field differs, of nations other than the file's 3.
UnitRecord MovedUnit()
{
    UnitRecord u;
    u.Name = "Recon Team";
    u.Nation = 4;
    u.Class = 11;
    u.MC = 7;
    u.YrAvail = 41;
    u.YrUnavail = 75;
    u.MonthAvail = 4;
    u.MonthUnAvail = 10;
    u.Cost = 321;
    u.Crew = 5;
    u.Size = 12;
    u.Carry = 13;
    u.Weight = 14;
    u.PictureID = 4567;
    u.Speed = 15;
    u.Swim = 16;
    u.EW = 3;
    u.Radio = 2;
    u.Vision = 17;
    u.Icon = 1234;
    u.WinterIcon = 2345;
    u.DesertIcon = 3456;
    u.FC = 18;
    u.ROF = 8;
    u.RF = 19;
    u.SD = 6;
    u.Stabiliser = 20;
    u.SabotAmmo = 21;
    u.HEATAmmo = 22;
    u.Survive = 23;
    u.Wpn1 = 5;
    u.Wpn2 = 9;
    u.Wpn3 = 5;
    u.Wpn4 = 9;
    u.Wpn1HEAmmo = 31, u.Wpn1APAmmo = 32, u.Wpn2HEAmmo = 33, u.Wpn2APAmmo = 34;
    u.Wpn3HEAmmo = 35, u.Wpn3APAmmo = 36, u.Wpn4HEAmmo = 37, u.Wpn4APAmmo = 38;
    u.SteelHF = 41, u.SteelHS = 42, u.SteelHR = 43, u.SteelTF = 44, u.SteelTS = 45, u.SteelTR = 46;
    u.SteelTop = 47;
    u.HEATHF = 51, u.HEATHS = 52, u.HEATHR = 53, u.HEATTF = 54, u.HEATTS = 55, u.HEATTR = 56, u.HEATTop = 57;
    u.ERAHF = 61, u.ERAHS = 62, u.ERAHR = 63, u.ERATF = 64, u.ERATS = 65, u.ERATR = 66, u.ERATop = 67;
    u.SoundByte = 71;
    u.WPNSound1 = 72, u.WPNSound2 = 73, u.WPNSound3 = 74, u.WPNSound4 = 75;
    u.SpareA = 0x5A;
    u.SpareB = 0xA5;
    return u;
}

UnitRecord OccupiedTarget()
{
    UnitRecord u;
    u.Name = "Old Tenant";
    u.Nation = 2;
    u.Class = 0;
    u.MC = 1;
    u.YrAvail = 10;
    u.YrUnavail = 20;
    u.MonthAvail = 1;
    u.MonthUnAvail = 2;
    u.Cost = 99;
    u.Crew = 1;
    u.Size = 2;
    u.Carry = 3;
    u.Weight = 4;
    u.PictureID = 5;
    u.Speed = 6;
    u.Swim = 7;
    u.EW = 1;
    u.Radio = 1;
    u.Vision = 9;
    u.Icon = 10;
    u.WinterIcon = 11;
    u.DesertIcon = 12;
    u.FC = 13;
    u.ROF = 2;
    u.RF = 15;
    u.SD = 1;
    u.Stabiliser = 17;
    u.SabotAmmo = 18;
    u.HEATAmmo = 19;
    u.Survive = 1;
    u.Wpn1 = 9;
    u.Wpn1HEAmmo = 1, u.Wpn1APAmmo = 2;
    u.SteelHF = 1, u.SteelHS = 2, u.SteelHR = 3, u.SteelTF = 4, u.SteelTS = 5, u.SteelTR = 6, u.SteelTop = 7;
    u.HEATHF = 8, u.HEATHS = 9, u.HEATHR = 10, u.HEATTF = 11, u.HEATTS = 12, u.HEATTR = 13, u.HEATTop = 14;
    u.ERAHF = 15, u.ERAHS = 16, u.ERAHR = 17, u.ERATF = 18, u.ERATS = 19, u.ERATR = 20, u.ERATop = 21;
    u.SoundByte = 1;
    u.WPNSound1 = 2, u.WPNSound2 = 3, u.WPNSound3 = 4, u.WPNSound4 = 5;
    u.SpareA = 1;
    u.SpareB = 2;
    return u;
}

// The page texts of the fields in which two units differ, for a readable failure.
std::string Differences(const UnitRecord& got, const UnitRecord& wanted)
{
    std::string out;
    for (const UnitField& f : UnitFields()) {
        if (UnitFieldText(got, f.Id) != UnitFieldText(wanted, f.Id))
            out += std::string(f.Control) + ": " + UnitFieldText(got, f.Id) + " instead of " +
                   UnitFieldText(wanted, f.Id) + "\n";
    }
    if (got.SpareA != wanted.SpareA || got.SpareB != wanted.SpareB)
        out += "spare bytes\n";
    return out;
}

TEST_F(RecordCommandsTest, MoveIgnoresThePasteOptions)
{
    // Armour only and icon data only hide what the other options would do to
    // a paste, so they are also tried without those two, and each on its own.
    struct Case {
        const char* what;
        PasteOptions options;
    };
    const Case cases[] = {
        //                          armour  nation dates  weapons icons  class  icon data
        {"every option", {true, true, true, true, true, true, true}},
        {"every option but the only ones", {false, true, true, true, true, true, false}},
        {"armour only", {true, false, false, false, false, false, false}},
        {"as target nation", {false, true, false, false, false, false, false}},
        {"keep dates", {false, false, true, false, false, false, false}},
        {"keep weapons", {false, false, false, true, false, false, false}},
        {"keep icons", {false, false, false, false, true, false, false}},
        {"keep unit class", {false, false, false, false, false, true, false}},
        {"only icon data", {false, false, false, false, false, false, true}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        oob.UnitTable[60] = MovedUnit();
        oob.UnitTable[61] = OccupiedTarget();
        w->Options() = c.options;
        oob.CurrentUnit = 60;
        w->ShowUnit();
        dialogs.picks = {61};
        dialogs.answers = {true};  // overwrite the target
        Click("SpeedButton_Move");
        const UnitRecord& moved = oob.UnitTable[61];
        EXPECT_EQ(moved, MovedUnit()) << Differences(moved, MovedUnit());
        EXPECT_EQ(oob.UnitTable[60].Name, "");
        EXPECT_EQ(oob.CurrentUnit, 61);
        EXPECT_EQ(Text("UnitNationEdit"), QStringLiteral("4"));
        EXPECT_TRUE(Messages().empty());
        const PasteOptions& after = w->Options();
        EXPECT_TRUE(after.PasteArmourOnly == c.options.PasteArmourOnly &&
                    after.PasteAsNation == c.options.PasteAsNation && after.KeepDates == c.options.KeepDates &&
                    after.KeepWeapons == c.options.KeepWeapons && after.KeepIcons == c.options.KeepIcons &&
                    after.KeepUnitClass == c.options.KeepUnitClass &&
                    after.PasteOnlyIconData == c.options.PasteOnlyIconData)
            << "a move leaves the options as they were";
    }
}

TEST_F(RecordCommandsTest, RefusedFormationCommitSaysSoAndKeepsTheTyping)
{
    Page(TSDIAppForm::FormationsPage);
    oob.CurrentFormation = 2;
    w->ShowFormation();
    Type("FormSlot1Edit", QStringLiteral("1005"));  // set directly: typing would clamp it to 999
    Click("CommitButton");
    EXPECT_EQ(Messages(), (std::vector<std::pair<QString, Dialogs::Icon>>{
                              {QStringLiteral("The item in slot 1 must be a UNIT and not a FORMATION"),
                               Dialogs::Icon::Error},
                              {QStringLiteral("Formation data was NOT saved!"), Dialogs::Icon::Warning}}));
    EXPECT_EQ(oob.FormationTable[2].Slot[0], 10);
    EXPECT_EQ(Text("FormSlot1Edit"), QStringLiteral("1005"));
}

TEST_F(RecordCommandsTest, InfoTextIsCutTo80Characters)
{
    Page(TSDIAppForm::InfoPage);
    auto* edit = Find("BrkCommentEdit");
    edit->setMaxLength(200);  // a text longer than the edit allows, as a paste could bring
    edit->setText(QString(90, QLatin1Char('x')));
    Click("CommitButton");
    EXPECT_EQ(oob.OOBInfo, std::string(80, 'x'));
    EXPECT_EQ(edit->text().size(), 80);
}

TEST_F(RecordCommandsTest, TheInfoPageSaysWhereItsTextAppears)
{
    Page(TSDIAppForm::InfoPage);
    QStringList captions;
    for (QLabel* label : w->findChild<QWidget*>(QStringLiteral("Info"))->findChildren<QLabel*>())
        captions << label->text();
    EXPECT_TRUE(captions.contains(QStringLiteral("OB file Comments - use for copyright and version info etc.")));
    EXPECT_TRUE(captions.contains(QStringLiteral("(This string appears at the foot of the Encyclopaedia page for the ob)")));
}

TEST_F(RecordCommandsTest, AFormationMovesOntoASlotHoldingACompany)
{
    oob.FormationTable[7].Name = "Tank Coy";
    oob.FormationTable[7].FormType = 2;
    Page(TSDIAppForm::FormationsPage);
    oob.CurrentFormation = 2;
    w->ShowFormation();
    const FormationRecord platoon = oob.FormationTable[2];
    dialogs.picks = {7};
    dialogs.answers = {true};  // overwrite the company
    Click("SpeedButton_Move");
    // Every slot is offered by its name: the target is a slot, not a formation to nest.
    ASSERT_GT(dialogs.lastPickEntries.size(), 7);
    EXPECT_EQ(dialogs.lastPickEntries[7], QStringLiteral("007 - Tank Coy"));
    EXPECT_FALSE(dialogs.lastPickEntries.join(QLatin1Char('|')).contains(QStringLiteral("INVALID")));
    EXPECT_EQ(oob.FormationTable[7], platoon);
    EXPECT_EQ(oob.FormationTable[2].Name, "");
    EXPECT_EQ(oob.CurrentFormation, 7);
}

TEST_F(RecordCommandsTest, MovingTheBnHqResetsItOnceWithOneMessage)
{
    oob.FormationTable[1].Name = "Battalion HQ";
    oob.FormationTable[1].FormType = 5;
    Page(TSDIAppForm::FormationsPage);
    oob.CurrentFormation = 1;
    w->ShowFormation();
    Messages();
    dialogs.picks = {9};
    Click("SpeedButton_Move");
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].first, QStringLiteral("Only the first formation can be the Bn HQ!\r\n\r\nThis formation code reset to Company"));
    EXPECT_EQ(oob.FormationTable[9].Name, "Battalion HQ");
    EXPECT_EQ(oob.FormationTable[9].FormType, 2);
    EXPECT_EQ(Text("FormTypeEdit"), QStringLiteral("2"));
}

}  // namespace
}  // namespace brackle
