#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

#include "editors/delete_all_dialog.h"
#include "editors/reclassify_dialog.h"
#include "editors/renationalise_dialog.h"
#include "widgets/scripted_dialogs.h"

namespace brackle {
namespace {

class BulkEditDialogs : public ::testing::Test {
protected:
    void SetUp() override
    {
        oob.FileLoaded = true;
        oob.CurrentOOB = 7;
        oob.Names.NationNames[4] = "Fourth Nation";
        oob.Names.NationNames[5] = "Fifth Nation";
        oob.Names.NationNames[7] = "Seventh Nation";
        oob.Names.NationNames[12] = "Twelfth Nation";
        oob.Names.UnitClassNames[0] = "Rifle Squad";
        oob.Names.UnitClassNames[30] = "Cavalry Troop";
        oob.Names.UnitClassNames[216] = "Empty";
        oob.Names.UnitClassNames[255] = "Last Class";
        for (int u = 1; u <= kUnitSlots; ++u)
            oob.UnitTable[u].Class = 216;
        // Units 1..2 and formation 1 of nation 7; units 3..5 and formation 2 of nation 12;
        // unit 6 of nation 5.
        const int nations[] = {0, 7, 7, 12, 12, 12, 5};
        for (int u = 1; u <= 6; ++u) {
            UnitRecord& r = oob.UnitTable[u];
            r.Name = "Unit " + std::to_string(u);
            r.Nation = static_cast<std::uint8_t>(nations[u]);
            r.Class = 3;
            r.Crew = 4;
            r.EW = 2;
        }
        oob.FormationTable[1] = {"Plt of 7", 7, 80, 1, 99, 12, 3, 1, {1, 2}, 0, 0};
        oob.FormationTable[2] = {"Plt of 12", 12, 80, 1, 99, 12, 3, 1, {3, 4, 5}, 0, 0};
        before = oob;
    }

    // Runs the modal dialog with run while act does what the user does in it;
    // when act leaves it open, it is closed as rejected.
    static int WhileOpen(QDialog& dlg, const std::function<int()>& run, const std::function<void()>& act)
    {
        QTimer::singleShot(0, &dlg, [&dlg, act] {
            act();
            if (dlg.isVisible())
                dlg.reject();
        });
        return run();
    }

    template <typename T>
    static T* Find(QWidget& dlg, const char* name)
    {
        T* w = dlg.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << name;
        return w;
    }
    static void Type(QWidget& dlg, const char* edit, const QString& text)
    {
        auto* e = Find<QLineEdit>(dlg, edit);
        e->clear();
        QTest::keyClicks(e, text);
    }
    static QString Text(QWidget& dlg, const char* name)
    {
        return Find<QWidget>(dlg, name)->property("text").toString();
    }
    static void Click(QWidget& dlg, const char* button) { Find<QAbstractButton>(dlg, button)->click(); }

    std::vector<test::Shown> Questions() const
    {
        std::vector<test::Shown> q;
        for (const auto& s : dialogs.shown) {
            if (s.kind == QLatin1String("question"))
                q.push_back(s);
        }
        return q;
    }
    bool TablesUnchanged() const
    {
        return oob.UnitTable == before.UnitTable && oob.FormationTable == before.FormationTable;
    }

    Oob oob;
    Oob before;
    test::ScriptedDialogs dialogs;
};

TEST_F(BulkEditDialogs, RenumberRunsInTheOpenDialogAndReportsToTheStatusBar)
{
    TRenatDlg dlg(oob, dialogs);
    QSignalSpy status(&dlg, &TRenatDlg::statusText);
    dlg.Prepare(7);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Renationalise Dialogue"));
    EXPECT_EQ(Text(dlg, "Label1"), QStringLiteral("Current Kob : 07 - Seventh Nation"));
    EXPECT_EQ(Text(dlg, "RenatFromEdit"), QStringLiteral("7"));
    EXPECT_EQ(Text(dlg, "RenatToEdit"), QStringLiteral("7"));
    EXPECT_EQ(Text(dlg, "Label4"), QStringLiteral("Seventh Nation"));
    EXPECT_EQ(Text(dlg, "Label5"), QStringLiteral("Seventh Nation"));
    EXPECT_EQ(Find<QPushButton>(dlg, "BitBtn2")->toolTip(), QStringLiteral("Finished Renaionalising"));

    const int result = WhileOpen(dlg, [&] { return dlg.exec(); }, [&] {
        Type(dlg, "RenatToEdit", QStringLiteral("4"));
        EXPECT_EQ(Text(dlg, "Label5"), QStringLiteral("Fourth Nation"));
        Click(dlg, "BitBtn1");
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(Text(dlg, "Label6"), QStringLiteral("Processed : 2 Units, 1 Formations"));
        EXPECT_EQ(oob.UnitTable[1].Nation, 4);
        EXPECT_EQ(oob.UnitTable[2].Nation, 4);
        EXPECT_EQ(oob.FormationTable[1].Nation, 4);
        EXPECT_EQ(oob.UnitTable[3].Nation, 12);

        // Enter renumbers too; nation 12 has no formation left after this second one.
        Type(dlg, "RenatFromEdit", QStringLiteral("12"));
        Type(dlg, "RenatToEdit", QStringLiteral("5"));
        oob.FormationTable[2].Nation = 3;
        QTest::keyClick(Find<QLineEdit>(dlg, "RenatToEdit"), Qt::Key_Return);
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(Text(dlg, "Label6"), QStringLiteral("Processed : 3 Units, 0 Formations"));
        EXPECT_EQ(oob.UnitTable[5].Nation, 5);
        Click(dlg, "BitBtn2");
    });
    EXPECT_EQ(result, QDialog::Accepted);
    ASSERT_EQ(status.count(), 2);
    EXPECT_EQ(status[0][0].toString(), QStringLiteral("Processed : 2 Units, 1 Formations"));
    EXPECT_EQ(status[1][0].toString(), QStringLiteral("Processed : 3 Units, 0 Formations"));
    EXPECT_EQ(oob.CurrentOOB, 7);
    EXPECT_EQ(oob.UnitTable[6].Nation, 5);
    EXPECT_EQ(oob.FormationTable[2].Slot[0], 3);

    // Preparing again shows the file afresh and forgets the last result.
    dlg.Prepare(23);
    EXPECT_EQ(Text(dlg, "Label1"), QStringLiteral("Current Kob : 23 - "));
    EXPECT_EQ(Text(dlg, "Label6"), QString());
}

TEST_F(BulkEditDialogs, NumbersAreClampedAndANonNumberChangesNothing)
{
    TRenatDlg renat(oob, dialogs);
    renat.Prepare(7);
    Type(renat, "RenatFromEdit", QStringLiteral("1-2"));  // two characters at most: "1-"
    EXPECT_EQ(Text(renat, "RenatFromEdit"), QStringLiteral("1-"));
    EXPECT_EQ(Text(renat, "Label4"), QString());
    Click(renat, "BitBtn1");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("The Change any field holds \"1-\", which is not a number."));
    EXPECT_EQ(Text(renat, "Label6"), QString());
    EXPECT_TRUE(TablesUnchanged());

    Type(renat, "RenatFromEdit", QStringLiteral("7"));
    Type(renat, "RenatToEdit", QStringLiteral("x5"));  // the letter is dropped: 5
    Click(renat, "BitBtn1");
    EXPECT_EQ(Text(renat, "RenatToEdit"), QStringLiteral("5"));
    EXPECT_EQ(oob.UnitTable[1].Nation, 5);

    TFormReclassify reclassify(oob, dialogs);
    WhileOpen(reclassify, [&] { return reclassify.exec(); }, [&] {
        Type(reclassify, "EditFrom", QStringLiteral("216"));
        Type(reclassify, "EditTo", QStringLiteral("999"));
        Click(reclassify, "BitBtn1");
        EXPECT_EQ(Text(reclassify, "EditTo"), QStringLiteral("255"));
        EXPECT_EQ(Text(reclassify, "EditToDesc"), QStringLiteral("Last Class"));
    });
    EXPECT_EQ(oob.UnitTable[7].Class, 255);
}

TEST_F(BulkEditDialogs, ReclassifyStartsFromZeroAndStaysOpen)
{
    TFormReclassify dlg(oob, dialogs);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Reclassify All"));
    EXPECT_EQ(Find<QPushButton>(dlg, "BitBtn2")->toolTip(), QStringLiteral("Finished Reclassifying"));
    auto* bar = Find<QStatusBar>(dlg, "StatusBar1");
    WhileOpen(dlg, [&] { return dlg.exec(); }, [&] {
        EXPECT_EQ(Text(dlg, "EditFrom"), QStringLiteral("0"));
        EXPECT_EQ(Text(dlg, "EditTo"), QStringLiteral("0"));
        EXPECT_EQ(Text(dlg, "EditFromdesc"), QStringLiteral("Fort"));
        EXPECT_EQ(Text(dlg, "EditToDesc"), QStringLiteral("Fort"));

        Type(dlg, "EditFrom", QStringLiteral("3"));
        Type(dlg, "EditTo", QStringLiteral("30"));
        EXPECT_EQ(Text(dlg, "EditToDesc"), QStringLiteral("Cavalry Troop"));
        Click(dlg, "BitBtn1");
        EXPECT_TRUE(dlg.isVisible());
        EXPECT_EQ(bar->currentMessage(), QStringLiteral("Reclassified : 6 Units"));
        Click(dlg, "BitBtn1");  // nothing of class 3 is left
        EXPECT_EQ(bar->currentMessage(), QStringLiteral("Reclassified : 0"));

        Type(dlg, "EditFrom", QStringLiteral("216"));
        Type(dlg, "EditTo", QStringLiteral("216"));
        Click(dlg, "BitBtn1");
        EXPECT_EQ(bar->currentMessage(), QStringLiteral("Reclassified : 993 Units"));
        Click(dlg, "BitBtn2");
    });
    for (int u = 1; u <= 6; ++u)
        EXPECT_EQ(oob.UnitTable[u].Class, 30) << u;
    EXPECT_EQ(oob.UnitTable[7].Class, 216);
    EXPECT_EQ(oob.UnitTable[1].Crew, 4);
    EXPECT_TRUE(oob.FormationTable == before.FormationTable);
}

TEST_F(BulkEditDialogs, PickButtonsSetTheEditAndItsName)
{
    TRenatDlg renat(oob, dialogs);
    TFormReclassify reclassify(oob, dialogs);
    TFormDeleteAll deleteAll(oob, dialogs);
    struct Case {
        QWidget* dlg;
        const char* button;
        const char* edit;
        const char* name;
        const char* caption;
        int pick;
        const char* text;
        int opensOn;  // the number the edit held
    } cases[] = {
        {&renat, "UnitWpn1PickBtn", "RenatFromEdit", "Label4", "Pick List : Nationality", 12, "Twelfth Nation", 7},
        {&renat, "SpeedButton1", "RenatToEdit", "Label5", "Pick List : Nationality", 4, "Fourth Nation", 7},
        {&reclassify, "UnitWpn1PickBtn", "EditFrom", "EditFromdesc", "Pick List : Unit Class", 216, "Empty", 0},
        {&reclassify, "SpeedButton1", "EditTo", "EditToDesc", "Pick List : Unit Class", 30, "Cavalry Troop", 0},
        {&deleteAll, "UnitWpn1PickBtn", "RenatFromEdit", "Label4", "Pick List : Nationality", 5, "Fifth Nation", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dlg->objectName().toStdString() << " " << c.button);
        dialogs.shown.clear();
        dialogs.picks = {c.pick};
        Click(*c.dlg, c.button);
        ASSERT_EQ(dialogs.shown.size(), 1u);
        EXPECT_EQ(dialogs.shown[0].caption, QString::fromLatin1(c.caption));
        EXPECT_EQ(dialogs.lastPickSelected, c.opensOn);
        EXPECT_EQ(Text(*c.dlg, c.edit), QString::number(c.pick));
        EXPECT_EQ(Text(*c.dlg, c.name), QString::fromLatin1(c.text));
        // A cancelled pick leaves both as they are; the list opened on the picked number.
        Click(*c.dlg, c.button);
        EXPECT_EQ(dialogs.lastPickSelected, c.pick);
        EXPECT_EQ(Text(*c.dlg, c.edit), QString::number(c.pick));
        EXPECT_EQ(Text(*c.dlg, c.name), QString::fromLatin1(c.text));
    }
    EXPECT_TRUE(TablesUnchanged());
}

// File 123's number is longer than a nation edit takes; the dialog shows it whole.
TEST_F(BulkEditDialogs, RenationaliseShowsALongFileNumberWhole)
{
    oob.CurrentOOB = 123;
    TRenatDlg renat(oob, dialogs);
    EXPECT_EQ(Text(renat, "RenatFromEdit"), QStringLiteral("123"));
    EXPECT_EQ(Text(renat, "RenatToEdit"), QStringLiteral("123"));
    // Typing is still held to two characters.
    Type(renat, "RenatToEdit", QStringLiteral("456"));
    EXPECT_EQ(Text(renat, "RenatToEdit"), QStringLiteral("45"));
}

TEST_F(BulkEditDialogs, DeleteAllNoKeepsTheDialogOpenAndDeletesNothing)
{
    TFormDeleteAll dlg(oob, dialogs);
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Choose nation to Delete"));
    EXPECT_EQ(Text(dlg, "RenatFromEdit"), QStringLiteral("0"));
    EXPECT_EQ(Text(dlg, "Label4"), QStringLiteral("Unknown"));
    EXPECT_TRUE(Find<QCheckBox>(dlg, "CheckBoxDelUnits")->isChecked());
    EXPECT_TRUE(Find<QCheckBox>(dlg, "CheckBoxDelFormations")->isChecked());
    EXPECT_EQ(Find<QPushButton>(dlg, "BitBtn2")->toolTip(), QStringLiteral("Quit without deleting"));

    dialogs.answers = {false};
    bool openAfterNo = false;
    const bool confirmed = WhileOpen(dlg, [&] { return dlg.Choose() ? 1 : 0; }, [&] {
        Type(dlg, "RenatFromEdit", QStringLiteral("12"));
        Click(dlg, "BitBtn1");
        openAfterNo = dlg.isVisible();
        Click(dlg, "BitBtn2");
    });
    EXPECT_FALSE(confirmed);
    EXPECT_TRUE(openAfterNo);
    const auto q = Questions();
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].caption, QStringLiteral("Confirm Delete"));
    EXPECT_EQ(q[0].text, QStringLiteral("Really delete these items?"));
    EXPECT_TRUE(TablesUnchanged());

    // Enter never deletes: it leaves through Quit without a question.
    dialogs.shown.clear();
    dialogs.answers = {true};
    EXPECT_FALSE(WhileOpen(dlg, [&] { return dlg.Choose() ? 1 : 0; }, [&] {
        QTest::keyClick(Find<QLineEdit>(dlg, "RenatFromEdit"), Qt::Key_Return);
    }));
    EXPECT_TRUE(Questions().empty());
    EXPECT_TRUE(TablesUnchanged());

    // A text that is no number is refused before any question.
    dialogs.shown.clear();
    WhileOpen(dlg, [&] { return dlg.Choose() ? 1 : 0; }, [&] {
        Type(dlg, "RenatFromEdit", QStringLiteral("-"));
        Click(dlg, "BitBtn1");
        EXPECT_TRUE(dlg.isVisible());
    });
    EXPECT_TRUE(Questions().empty());
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("The Delete any field holds \"-\", which is not a number."));
    EXPECT_TRUE(TablesUnchanged());
}

TEST_F(BulkEditDialogs, DeleteAllDeletesTheNationOnTheScreen)
{
    TFormDeleteAll dlg(oob, dialogs);
    // Picked 5, then typed 12: nation 12 is on the screen and is deleted.
    dialogs.picks = {5};
    dialogs.answers = {true};
    QString named;
    const bool confirmed = WhileOpen(dlg, [&] { return dlg.Choose() ? 1 : 0; }, [&] {
        Click(dlg, "UnitWpn1PickBtn");
        Type(dlg, "RenatFromEdit", QStringLiteral("12"));
        named = Text(dlg, "Label4");
        Find<QCheckBox>(dlg, "CheckBoxDelFormations")->setChecked(false);
        Click(dlg, "BitBtn1");
    });
    ASSERT_TRUE(confirmed);
    EXPECT_EQ(named, QStringLiteral("Twelfth Nation"));
    EXPECT_EQ(dlg.Nation(), 12);
    EXPECT_TRUE(dlg.DeleteUnits());
    EXPECT_FALSE(dlg.DeleteFormations());
    EXPECT_EQ(dlg.DeleteMarked(), (BulkCounts{3, 0}));
    for (int u = 3; u <= 5; ++u) {
        EXPECT_EQ(oob.UnitTable[u].Name, "") << u;
        EXPECT_EQ(oob.UnitTable[u].Crew, 0) << u;
        EXPECT_EQ(oob.UnitTable[u].EW, 2) << u;
    }
    EXPECT_EQ(oob.UnitTable[6].Name, "Unit 6");
    EXPECT_EQ(oob.UnitTable[1].Name, "Unit 1");
    EXPECT_EQ(oob.FormationTable[2], before.FormationTable[2]);

    // The dialog keeps its choices; a typed out-of-range number is clamped on the screen before the question.
    dialogs.answers = {true};
    QString shownWhenAsked;
    bool formationsTicked = true;
    ASSERT_TRUE(WhileOpen(dlg, [&] { return dlg.Choose() ? 1 : 0; }, [&] {
        EXPECT_EQ(Text(dlg, "RenatFromEdit"), QStringLiteral("12"));
        formationsTicked = Find<QCheckBox>(dlg, "CheckBoxDelFormations")->isChecked();
        Find<QCheckBox>(dlg, "CheckBoxDelFormations")->setChecked(true);
        Find<QCheckBox>(dlg, "CheckBoxDelUnits")->setChecked(false);
        Type(dlg, "RenatFromEdit", QStringLiteral("7"));
        Click(dlg, "BitBtn1");
        shownWhenAsked = Text(dlg, "Label4");
    }));
    EXPECT_FALSE(formationsTicked);
    EXPECT_EQ(shownWhenAsked, QStringLiteral("Seventh Nation"));
    EXPECT_EQ(dlg.DeleteMarked(), (BulkCounts{0, 1}));
    EXPECT_EQ(oob.FormationTable[1], FormationRecord{});
    EXPECT_EQ(oob.UnitTable[1].Name, "Unit 1");
}

}  // namespace
}  // namespace brackle
