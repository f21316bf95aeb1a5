#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "editors/formation_page.h"
#include "widgets/scripted_dialogs.h"

namespace brackle {
namespace {

using test::ScriptedDialogs;
using Messages = std::vector<std::pair<QString, Dialogs::Icon>>;

const QColor kNavy(0, 0, 128), kMaroon(128, 0, 0);

// The page on its own over file 3's tables, with scripted dialogs.
class FormationPageTest : public ::testing::Test {
protected:
    FormationPageTest()
    {
        oob.CurrentOOB = 3;
        oob.Names.NationNames[3] = "Third Nation";
        oob.Names.NationNames[4] = "Fourth Nation";
        oob.UnitTable[5].Name = "Rifle Squad";
        oob.UnitTable[5].Crew = 9;
        oob.UnitTable[6].Name = "MG Team";
        oob.UnitTable[6].Crew = 4;
        Formation(1, "Bn HQ", 5, {5, 1002});
        Formation(2, "Alpha Coy", 2, {5, 1010, 1011});
        Formation(3, "Battle Grp", 3, {5, 1011});
        Formation(7, "Second HQ", 5, {6});
        Formation(10, "1st Plt", 1, {5, 6, 6});
        Formation(11, "Rifle Sect", 0, {5, 6, 6, 6});
        Formation(12, "Odd Plt", 1, {5, 6, 6, 1012});
        FormationRecord& plt = oob.FormationTable[10];
        plt.MonthAvail = 3;
        plt.YrAvail = 40;
        plt.MonthUntil = 12;
        plt.YrUntil = 45;
        plt.Nation = 3;
        page = std::make_unique<FormationPage>(oob, dialogs);
    }

    void Formation(int n, const char* name, int type, std::initializer_list<int> slotValues)
    {
        FormationRecord& f = oob.FormationTable[n];
        f.Name = name;
        f.FormType = static_cast<std::uint8_t>(type);
        f.Nation = 3;
        f.MonthAvail = f.MonthUntil = 1;
        int k = 0;
        for (int s : slotValues)
            f.Slot[k++] = static_cast<std::uint16_t>(s);
    }

    void Go(int formation)
    {
        oob.CurrentFormation = formation;
        page->ShowFormation();
    }

    template <typename T = QLineEdit>
    T* Find(const QString& name)
    {
        T* found = page->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString Text(const QString& name) { return Find(name)->text(); }
    void Type(const QString& name, const QString& text) { Find(name)->setText(text); }
    QString Label(const QString& name) { return Find<QLabel>(name)->text(); }
    QColor LabelColour(const QString& name) { return Find<QLabel>(name)->palette().color(QPalette::WindowText); }
    QColor EditColour(const QString& name) { return Find(name)->palette().color(QPalette::Text); }
    static QString Slot(int k) { return QStringLiteral("FormSlot%1Edit").arg(k); }
    static QString SlotName(int k) { return QStringLiteral("Formslot%1Label").arg(k); }
    static QString SlotType(int k) { return QStringLiteral("Form%1TypeLabel").arg(k, 2, 10, QLatin1Char('0')); }
    static QString SlotDate(int k) { return QStringLiteral("Form%1DateLabel").arg(k, 2, 10, QLatin1Char('0')); }
    static QString SlotButton(int k)
    {
        return k == 6 ? QStringLiteral("FormSlot6Btn") : QStringLiteral("FormSlot%1PickBtn").arg(k);
    }

    Messages TakeMessages()
    {
        Messages m;
        for (const auto& s : dialogs.shown) {
            if (s.kind == QLatin1String("message")) {
                EXPECT_EQ(s.caption, QStringLiteral("Brackle"));
                m.emplace_back(s.text, s.icon);
            }
        }
        dialogs.shown.clear();
        return m;
    }
    int PicksShown() const
    {
        return static_cast<int>(std::count_if(dialogs.shown.begin(), dialogs.shown.end(),
                                              [](const test::Shown& s) { return s.kind == QLatin1String("pick"); }));
    }

    Oob oob;
    ScriptedDialogs dialogs;
    std::unique_ptr<FormationPage> page;
};

TEST_F(FormationPageTest, ShowsTheRecordAndResetsAStrayBnHq)
{
    struct Case {
        int formation;
        const char* type;
        const char* typeLabel;
        int stored;
        Messages messages;
        const char* typeRule;
    };
    const Case cases[] = {
        {7, "2", "Company", 2,
         {{QStringLiteral("Only the first formation can be the Bn HQ!\r\n\r\nThis formation code reset to Company"),
           Dialogs::Icon::Error}},
         "Company type formation (is allowed sub-formations of platoons or sections)"},
        {1, "5", "Bn HQ", 5, {}, "First Formation (Battle Group HQ) - allowed sub-formations BUT NOT RECOMMENDED!"},
        {10, "1", "Platoon", 1, {}, "Platoon type formation (may only contain units)"},
        {3, "3", "Combat Group", 3, {}, "Combat Group (is allowed sub-formations of sections only)"},
    };
    for (const Case& c : cases) {
        Go(c.formation);
        const std::string what = "formation " + std::to_string(c.formation);
        EXPECT_EQ(TakeMessages(), c.messages) << what;
        EXPECT_EQ(oob.FormationTable[c.formation].FormType, c.stored) << what;
        EXPECT_EQ(Text("FormTypeEdit"), QString::fromLatin1(c.type)) << what;
        EXPECT_EQ(Label("FormTypeLabel"), QString::fromLatin1(c.typeLabel)) << what;
        EXPECT_EQ(page->CurrentFormType(), c.stored) << what;
        EXPECT_EQ(page->EditedFormType(), c.stored) << what;
        EXPECT_EQ(Label("LabelCo"), QString::fromLatin1(c.typeRule)) << what;
    }
    Go(2);
    EXPECT_EQ(Label("FormNamelabel"), QStringLiteral("Formation 002"));
    EXPECT_EQ(Text("FormNameEdit"), QStringLiteral("Alpha Coy"));
    EXPECT_EQ(Label("FormNationLabel"), QStringLiteral("Third Nation"));
    EXPECT_EQ(Label("FormCatLabel"), QStringLiteral("Default"));
    EXPECT_EQ(Label(SlotName(1)), QStringLiteral("Rifle Squad"));
    EXPECT_EQ(Label(SlotType(2)), QStringLiteral("Platoon"));
    EXPECT_EQ(Label(SlotDate(2)), QStringLiteral("3/40 to 12/45"));
    EXPECT_EQ(Label("TotalCount"), QStringLiteral("8"));  // 1 + 3 + 4
    EXPECT_EQ(Label("LabelTotalCrew"), QStringLiteral("47"));
}

TEST_F(FormationPageTest, TypePickOnFormationOneGivesTheBnHqWithoutAList)
{
    Go(1);
    Type("FormTypeEdit", QStringLiteral("1"));
    dialogs.picks = {3};
    Find<QToolButton>("FormTypePickBtn")->click();
    EXPECT_EQ(PicksShown(), 0);
    EXPECT_EQ(TakeMessages(), (Messages{{QStringLiteral("Formation 1 is the one and only Bn HQ\r\n"
                                                        "And the only class 5 formation allowed"),
                                         Dialogs::Icon::Information}}));
    EXPECT_EQ(Text("FormTypeEdit"), QStringLiteral("5"));
    EXPECT_EQ(Label("FormTypeLabel"), QStringLiteral("Bn HQ"));
    EXPECT_TRUE(page->IsCompanyType());
    EXPECT_EQ(page->EditedFormType(), 5);
    EXPECT_EQ(oob.FormationTable[1].FormType, 5);

    Go(2);
    dialogs.picks = {3, -2};
    Find<QToolButton>("FormTypePickBtn")->click();
    ASSERT_EQ(PicksShown(), 1);
    EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("Pick List : Formation Type"));
    EXPECT_EQ(Text("FormTypeEdit"), QStringLiteral("3"));
    EXPECT_EQ(Label("FormTypeLabel"), QStringLiteral("Combat Group"));
    EXPECT_TRUE(page->IsCombatGroup());
    EXPECT_EQ(page->EditedFormType(), 3);
    EXPECT_EQ(Label(SlotType(2)), QStringLiteral("ERROR - Not a section!"));  // the slots follow the new type
    Find<QToolButton>("FormTypePickBtn")->click();  // cancelled
    EXPECT_EQ(Text("FormTypeEdit"), QStringLiteral("3"));
    EXPECT_EQ(oob.FormationTable[2].FormType, 2);
}

TEST_F(FormationPageTest, SlotOneCannotBeTypedAboveTheLastUnit)
{
    Go(2);
    QLineEdit* slot1 = Find(Slot(1));
    slot1->selectAll();
    QTest::keyClicks(slot1, QStringLiteral("1500"));
    EXPECT_EQ(slot1->text(), QStringLiteral("999"));
    EXPECT_EQ(Label(SlotType(1)), QStringLiteral("unit"));
    EXPECT_EQ(Label(SlotDate(1)), QString());
    // Written without a key, the error shows beside the slot.
    Type(Slot(1), QStringLiteral("1010"));
    EXPECT_EQ(Label(SlotDate(1)), QStringLiteral("ERROR - form in slot 1!"));
    EXPECT_EQ(LabelColour(SlotDate(1)), kMaroon);
    EXPECT_EQ(Label(SlotName(1)), QString());
    EXPECT_EQ(Label(SlotType(1)), QString());
}

TEST_F(FormationPageTest, RightClickPicksASubFormationOnlyForCompanies)
{
    struct Case {
        int formation;
        int slot;
        int picked;
        bool offered;
        const char* stored;
        const char* name;
    };
    const Case cases[] = {
        {10, 4, 11, false, "0", ""},           // a platoon holds units only
        {2, 4, 11, true, "1011", "Rifle Sect"},
        {2, 6, 10, true, "1010", "1st Plt"},    // slot 6's button has its own name
        {2, 10, 0, true, "0", ""},
        {3, 5, 10, true, "0", ""},              // a combat group takes no platoon: an invalid choice gives 0
        {2, 4, -2, true, "0", ""},              // cancelled
    };
    for (const Case& c : cases) {
        Go(c.formation);
        dialogs.shown.clear();
        dialogs.picks = {c.picked};
        QTest::mouseClick(Find<QToolButton>(SlotButton(c.slot)), Qt::RightButton);
        const std::string what = "formation " + std::to_string(c.formation) + " slot " + std::to_string(c.slot);
        ASSERT_EQ(PicksShown(), c.offered ? 1 : 0) << what;  // never the unit list as well
        if (c.offered) {
            EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("Pick List : Formation")) << what;
        }
        EXPECT_EQ(Text(Slot(c.slot)), QString::fromLatin1(c.stored)) << what;
        EXPECT_EQ(Label(SlotName(c.slot)), QString::fromLatin1(c.name)) << what;
        dialogs.picks.clear();
    }
    // The left button picks a unit, in slot 1 too.
    Go(2);
    dialogs.shown.clear();
    dialogs.picks = {6, 5};
    QTest::mouseClick(Find<QToolButton>(SlotButton(1)), Qt::RightButton);
    EXPECT_EQ(PicksShown(), 0);
    Find<QToolButton>(SlotButton(1))->click();
    Find<QToolButton>(SlotButton(3))->click();
    EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("Pick List : Unit"));
    EXPECT_EQ(Text(Slot(1)), QStringLiteral("6"));
    EXPECT_EQ(Label(SlotName(1)), QStringLiteral("MG Team"));
    EXPECT_EQ(Text(Slot(3)), QStringLiteral("5"));
    EXPECT_EQ(Label(SlotType(3)), QStringLiteral("unit"));
    EXPECT_EQ(oob.FormationTable[2].Slot[2], 1011);  // nothing stored before a commit
}

TEST_F(FormationPageTest, SlotLabelsAndTypeRulesFollowTheTyping)
{
    Go(12);  // a platoon whose slot 4 holds a platoon
    EXPECT_EQ(Label(SlotType(4)), QStringLiteral("ERROR - form in plt!"));
    EXPECT_EQ(LabelColour(SlotType(4)), kMaroon);
    struct Step {
        const char* edit;
        const char* typed;
        const char* shown;  // the edit's text afterwards
        int slot;           // the slot whose labels are checked
        const char* name;
        const char* type;
        const char* date;
    };
    const Step steps[] = {
        {"FormTypeEdit", "2", "2", 4, "Odd Plt", "Platoon", "1/0 to 1/0"},
        {"FormSlot5Edit", "1002", "1002", 5, "Alpha Coy", "ERROR - Co in a Co!", ""},
        {"FormTypeEdit", "3", "3", 4, "Odd Plt", "ERROR - Not a section!", ""},
        {"FormSlot5Edit", "1011", "1011", 5, "Rifle Sect", "Section", "1/0 to 1/0"},
        {"FormSlot5Edit", "1-2", "0", 5, "", "unit", ""},
        {"FormSlot6Edit", "1000", "1000", 6, "", "Section", "0/0 to 0/0"},
        {"FormTypeEdit", "", "0", 6, "", "ERROR - form in plt!", ""},
    };
    for (const Step& s : steps) {
        const QString edit = QString::fromLatin1(s.edit);
        Type(edit, QString::fromLatin1(s.typed));
        const std::string what = std::string(s.edit) + " = \"" + s.typed + '"';
        EXPECT_EQ(Text(edit), QString::fromLatin1(s.shown)) << what;
        EXPECT_EQ(Label(SlotName(s.slot)), QString::fromLatin1(s.name)) << what;
        EXPECT_EQ(Label(SlotType(s.slot)), QString::fromLatin1(s.type)) << what;
        EXPECT_EQ(Label(SlotDate(s.slot)), QString::fromLatin1(s.date)) << what;
    }
    EXPECT_EQ(page->CurrentFormType(), 0);
    EXPECT_EQ(page->EditedFormType(), 1);  // the pick list follows the type shown or picked
    EXPECT_EQ(Label("LabelCo"), QStringLiteral("Platoon type formation (may only contain units)"));
    EXPECT_TRUE(TakeMessages().empty());
}

TEST_F(FormationPageTest, NationAndPageEditsFollowTheirRules)
{
    Go(2);
    struct Step {
        const char* edit;
        const char* typed;
        const char* shown;
    };
    const Step steps[] = {
        {"FormNationEdit", "4", "4"}, {"FormNationEdit", "", "0"}, {"FormNationEdit", "3", "3"},
        {"FormPageEdit", "05", "5"},  {"FormPageEdit", "", "0"},   {"FormPageEdit", "x", "0"},
    };
    for (const Step& s : steps) {
        Type(QString::fromLatin1(s.edit), QString::fromLatin1(s.typed));
        EXPECT_EQ(Text(QString::fromLatin1(s.edit)), QString::fromLatin1(s.shown)) << s.edit << " " << s.typed;
    }
    EXPECT_EQ(Label("FormCatLabel"), QStringLiteral("Default"));
    EXPECT_EQ(LabelColour("FormNationLabel"), kNavy);
    Type("FormNationEdit", QStringLiteral("4"));
    EXPECT_EQ(LabelColour("FormNationLabel"), kMaroon);
    EXPECT_EQ(EditColour("FormNationEdit"), kMaroon);
    EXPECT_EQ(Label("FormNationLabel"), QStringLiteral("Third Nation"));  // typing leaves the name alone
    dialogs.picks = {4, 10};
    Find<QToolButton>("FormPickNationBtn")->click();
    EXPECT_EQ(Label("FormNationLabel"), QStringLiteral("Fourth Nation"));
    Find<QToolButton>("FormCatPickBtn")->click();
    EXPECT_EQ(Text("FormPageEdit"), QStringLiteral("10"));
    EXPECT_EQ(Label("FormCatLabel"), QStringLiteral("Battalion HQ."));
}

TEST_F(FormationPageTest, TotalsAreRefreshedOnlyWhenTheFormationIsShown)
{
    Go(10);
    EXPECT_EQ(Label("TotalCount"), QStringLiteral("3"));
    EXPECT_EQ(Label("LabelTotalCrew"), QStringLiteral("17"));
    Type(Slot(4), QStringLiteral("1011"));
    EXPECT_EQ(Label("TotalCount"), QStringLiteral("3"));
    Type("FormTypeEdit", QStringLiteral("2"));
    ASSERT_TRUE(page->CheckFormation());
    ASSERT_TRUE(page->SaveFormation());
    EXPECT_EQ(Label("TotalCount"), QStringLiteral("7"));
    EXPECT_EQ(Label("LabelTotalCrew"), QStringLiteral("38"));
    EXPECT_EQ(oob.FormationTable[10].Slot[3], 1011);
    EXPECT_EQ(oob.FormationTable[10].FormType, 2);
}

TEST_F(FormationPageTest, CommitChecksShowTheirMessagesAndKeepTheTyping)
{
    Go(12);
    EXPECT_FALSE(page->CheckFormation());
    EXPECT_EQ(TakeMessages(), (Messages{{QStringLiteral("Error(s) in formation data\r\n\r\n"
                                                        "The item in slot 4 is not a UNIT\r\n"),
                                         Dialogs::Icon::Error}}));
    Type(Slot(1), QStringLiteral("1002"));
    Type(Slot(2), QString());
    EXPECT_FALSE(page->CheckFormation());
    EXPECT_EQ(TakeMessages(), (Messages{{QStringLiteral("The item in slot 1 must be a UNIT and not a FORMATION"),
                                         Dialogs::Icon::Error}}));
    EXPECT_EQ(Text(Slot(1)), QStringLiteral("1002"));
    EXPECT_EQ(Text(Slot(2)), QStringLiteral("0"));
    EXPECT_EQ(oob.FormationTable[12].Slot[0], 5);
}

TEST_F(FormationPageTest, AnUnreadableNumberRefusesTheSaveAndTheCopy)
{
    page->show();
    QApplication::setActiveWindow(page.get());
    Go(2);
    const FormationRecord before = oob.FormationTable[2];
    Type("FormNameEdit", QStringLiteral("Renamed"));
    Type("FormExpModEdit", QStringLiteral("40"));
    Type("FormMoraleModEdit", QStringLiteral("-"));
    EXPECT_FALSE(page->SaveFormation());
    const QString refused = QStringLiteral("The Morale modifier field holds \"-\", which is not a number.\r\n\r\n"
                                           " Formation data not saved!");
    EXPECT_EQ(TakeMessages(), (Messages{{refused, Dialogs::Icon::Error}}));
    EXPECT_EQ(oob.FormationTable[2], before);
    EXPECT_EQ(Text("FormNameEdit"), QStringLiteral("Renamed"));
    EXPECT_EQ(Text("FormMoraleModEdit"), QStringLiteral("-"));
    EXPECT_EQ(QApplication::focusWidget(), Find("FormMoraleModEdit"));

    FormationRecord xfer;
    xfer.Name = "Kept";
    EXPECT_FALSE(page->FillXferBufferFormation(xfer));
    EXPECT_EQ(TakeMessages(), (Messages{{refused, Dialogs::Icon::Error}}));
    EXPECT_EQ(xfer.Name, "Kept");

    Type("FormMoraleModEdit", QStringLiteral("-40"));
    ASSERT_TRUE(page->FillXferBufferFormation(xfer));
    EXPECT_EQ(xfer.Name, "Renamed");
    EXPECT_EQ(xfer.ExpMod, 25);
    EXPECT_EQ(xfer.MoraleMod, -25);
    EXPECT_EQ(xfer.Slot[1], 1010);
    EXPECT_EQ(oob.FormationTable[2], before);  // a copy stores nothing
}

TEST_F(FormationPageTest, PasteWritesTheControlsAndRunsTheirRules)
{
    FormationRecord source = oob.FormationTable[10];
    source.Name = " Pasted Plt ";
    source.Nation = 4;
    source.Page = 3;
    source.ExpMod = -5;
    source.Slot[4] = 1011;  // a platoon holding a section: faulty, and shown so
    for (bool asNation : {false, true}) {
        Go(2);
        const FormationRecord target = oob.FormationTable[2];
        page->PasteToFormation(source, asNation);
        EXPECT_EQ(Text("FormNameEdit"), QStringLiteral("Pasted Plt"));
        EXPECT_EQ(Text("FormNationEdit"), asNation ? QStringLiteral("3") : QStringLiteral("4"));
        EXPECT_EQ(Label("FormNationLabel"),
                  asNation ? QStringLiteral("Third Nation") : QStringLiteral("Fourth Nation"));
        EXPECT_EQ(LabelColour("FormNationLabel"), asNation ? kNavy : kMaroon);
        EXPECT_EQ(Text("FormAvailEdit"), QStringLiteral("40"));
        EXPECT_EQ(Text("FormMonthUnAvailEdit"), QStringLiteral("12"));
        EXPECT_EQ(Label("FormCatLabel"), QStringLiteral("Infantry"));
        EXPECT_EQ(Label("FormTypeLabel"), QStringLiteral("Platoon"));
        EXPECT_EQ(page->CurrentFormType(), 1);
        EXPECT_EQ(Label("LabelCo"), QStringLiteral("Platoon type formation (may only contain units)"));
        EXPECT_EQ(Text("FormExpModEdit"), QStringLiteral("-5"));
        EXPECT_EQ(Label(SlotName(2)), QStringLiteral("MG Team"));
        EXPECT_EQ(Label(SlotName(5)), QStringLiteral("Rifle Sect"));
        EXPECT_EQ(Label(SlotType(5)), QStringLiteral("ERROR - form in plt!"));
        EXPECT_EQ(Label("TotalCount"), QStringLiteral("8"));  // still formation 2's
        EXPECT_EQ(oob.FormationTable[2], target);            // nothing stored before a commit
    }
}

TEST_F(FormationPageTest, EraseThenSaveStoresAnEmptyFormation)
{
    Go(2);
    page->EraseFormation();
    EXPECT_EQ(Label("FormNamelabel"), QStringLiteral("Formation 002"));
    for (const char* edit : {"FormNationEdit", "FormPageEdit", "FormTypeEdit", "FormSlot1Edit", "FormSlot10Edit"})
        EXPECT_EQ(Text(QString::fromLatin1(edit)), QStringLiteral("0")) << edit;
    for (const char* edit : {"FormNameEdit", "FormAvailEdit", "FormMonthAvailEdit", "FormExpModEdit"})
        EXPECT_EQ(Text(QString::fromLatin1(edit)), QString()) << edit;
    for (const QString& label : {QStringLiteral("FormNationLabel"), QStringLiteral("FormCatLabel"),
                                 QStringLiteral("FormTypeLabel"), SlotName(1), SlotType(2), SlotDate(2)})
        EXPECT_EQ(Label(label), QString()) << label.toStdString();
    EXPECT_EQ(Label("TotalCount"), QStringLiteral("0"));
    EXPECT_EQ(oob.FormationTable[2].Name, "Alpha Coy");  // nothing stored yet
    ASSERT_TRUE(page->CheckFormation());
    ASSERT_TRUE(page->SaveFormation());
    FormationRecord empty;
    empty.MonthAvail = empty.MonthUntil = 1;  // months are stored as 1..12
    EXPECT_EQ(oob.FormationTable[2], empty);
    EXPECT_EQ(Label("TotalCount"), QStringLiteral("0"));
    EXPECT_EQ(Label("FormTypeLabel"), QStringLiteral("Section"));
}

}  // namespace
}  // namespace brackle
