#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <functional>

#include "app/loaded_window.h"
#include "transfer/paster_dialog.h"

namespace brackle {
namespace {

// File 3 with units and a formation to copy and paste, and file 4 to carry them to.
class PasteTest : public test::LoadedWindowTest {
protected:
    void Fill(Oob& o) override
    {
        o.WeaponTable[5].Name = "Rifle";
        UnitRecord& u = o.UnitTable[7];
        u.Name = "Rifle Squad";
        u.Nation = 3;
        u.Wpn1 = 5;
        u.Wpn1HEAmmo = 40;
        u.SoundByte = 3;
        u.WPNSound1 = 4;
        u.SteelHF = 20;
        u.Icon = 100;
        u.Crew = 9;
        UnitRecord& t = o.UnitTable[8];
        t.Name = "Target";
        t.Nation = 2;  // neither the file's nation nor the allied unit's
        t.Wpn1 = 0;
        t.SoundByte = 9;
        t.WPNSound1 = 8;
        t.WPNSound4 = 7;
        t.SabotAmmo = 6;
        t.SteelHF = 1;
        t.Icon = 222;
        t.Crew = 2;
        UnitRecord& ally = o.UnitTable[9];
        ally.Name = "Allied Squad";  // a unit of another nation kept in this file
        ally.Nation = 4;
        ally.Crew = 8;
        o.FormationTable[2].Name = "Rifle Plt";
        o.FormationTable[2].Nation = 3;
        o.FormationTable[2].FormType = 1;
        o.FormationTable[2].Slot[0] = 7;
    }

    void Go(int unit)
    {
        oob.CurrentUnit = unit;
        w->ShowUnit();
    }
    void Click(const char* button) { Find<QToolButton>(button)->click(); }

    // The text of an edit or a label of the window.
    QString Shown(const char* name)
    {
        QWidget* c = Find<QWidget>(name);
        if (auto* edit = qobject_cast<QLineEdit*>(c))
            return edit->text();
        if (auto* label = qobject_cast<QLabel*>(c))
            return label->text();
        ADD_FAILURE() << name << " is neither an edit nor a label";
        return {};
    }
};

TEST_F(PasteTest, CopyReadsThePageAndPasteWritesItForACommit)
{
    Go(7);
    const UnitRecord before = oob.UnitTable[7];
    Type("UnitMonthAvailEdit", QStringLiteral("0"));
    Type("UnitIconEdit", QStringLiteral("70000"));
    dialogs.pastes = {{PasteResult::Ok, 12}};
    Click("CopyButton");
    const auto& slot = w->Buffers().Units[12];
    ASSERT_TRUE(slot.Used);
    EXPECT_EQ(slot.Rec.MonthAvail, 0);  // a commit would store 1
    EXPECT_EQ(slot.Rec.Icon, 65535);
    EXPECT_EQ(slot.SourceNation, 3);
    EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Select unit buffer to COPY to"));
    EXPECT_EQ(oob.UnitTable[7], before);  // the page and table are not changed by a copy
    EXPECT_EQ(Text("UnitIconEdit"), QStringLiteral("70000"));

    Go(8);
    dialogs.pastes = {{PasteResult::Ok, 12}};
    Click("PasteButton");
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Rifle Squad"));
    EXPECT_EQ(Label("UnitWpn1NameLbl"), QStringLiteral("Rifle"));
    EXPECT_EQ(Label("UnitNumLabel"), QStringLiteral("Unit 008"));
    EXPECT_EQ(oob.UnitTable[8].Name, "Target");  // waits for a commit
    Click("CommitButton");
    EXPECT_EQ(oob.UnitTable[8].Name, "Rifle Squad");
    EXPECT_EQ(oob.UnitTable[8].Icon, 65535);
    EXPECT_EQ(oob.UnitTable[8].MonthAvail, 1);
}

TEST_F(PasteTest, PasteOptionsChooseWhatAUnitPasteTakes)
{
    Go(7);  // Rifle Squad, of this file's nation 3
    dialogs.pastes = {{PasteResult::Ok, 1}};
    Click("CopyButton");
    Go(9);  // Allied Squad, of nation 4
    dialogs.pastes = {{PasteResult::Ok, 2}};
    Click("CopyButton");
    struct Case {
        const char* what;
        int slot;  // the buffer slot pasted onto unit 8 (Target, nation 2)
        std::function<void(PasteOptions&)> set;
        std::vector<std::pair<const char*, const char*>> expected;  // edit or label -> text after the paste
    };
    const std::vector<Case> cases = {
        {"keep weapons", 1, [](PasteOptions& o) { o.KeepWeapons = true; },
         {{"UnitnameEdit", "Rifle Squad"}, {"UnitWpn1Edit", "0"}, {"UnitSabotAmmoEdit", "6"},
          {"UnitSoundByteEdit", "9"}, {"UnitWPNSound1Edit", "8"}, {"UnitWPNSound4Edit", "7"},
          {"UnitSteelHFEdit", "20"}}},
        {"armour only", 1, [](PasteOptions& o) { o.PasteArmourOnly = true; },
         {{"UnitnameEdit", "Target"}, {"UnitCrewEdit", "2"}, {"UnitIconEdit", "222"}, {"UnitSteelHFEdit", "20"}}},
        {"icon data wins", 1, [](PasteOptions& o) { o.PasteArmourOnly = o.PasteOnlyIconData = true; },
         {{"UnitSteelHFEdit", "1"}, {"UnitIconEdit", "100"}, {"UnitnameEdit", "Target"}}},
        {"as target nation", 2, [](PasteOptions& o) { o.PasteAsNation = true; },
         {{"UnitnameEdit", "Allied Squad"}, {"UnitCrewEdit", "8"}, {"UnitNationEdit", "3"},
          {"UnitNationLabel", "Third Nation"}}},
        {"as source nation", 2, [](PasteOptions&) {},
         {{"UnitnameEdit", "Allied Squad"}, {"UnitNationEdit", "4"}, {"UnitNationLabel", "Fourth Nation"}}},
    };
    for (const Case& c : cases) {
        w->Options() = PasteOptions{};
        c.set(w->Options());
        Go(8);
        dialogs.pastes = {{PasteResult::Ok, c.slot}};
        Click("PasteButton");
        for (const auto& [control, text] : c.expected)
            EXPECT_EQ(Shown(control), QString::fromLatin1(text)) << c.what << ": " << control;
    }
}

TEST_F(PasteTest, AnUnusedSlotPastesTheLastRecordCopied)
{
    Go(7);
    dialogs.pastes = {{PasteResult::Ok, 1}, {PasteResult::Ok, 500}};
    Click("CopyButton");
    Go(8);
    Click("PasteButton");  // slot 500 was never filled
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Rifle Squad"));
}

TEST_F(PasteTest, ACopyOfAnUnreadablePageStopsAndCopiesNothing)
{
    Go(7);
    Type("UnitCostEdit", QStringLiteral("1-2"));
    dialogs.pastes = {{PasteResult::Ok, 1}};
    Click("CopyButton");
    EXPECT_FALSE(w->Buffers().Units[1].Used);
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_EQ(dialogs.pastes.size(), 1u);  // the dialog never opened
}

TEST_F(PasteTest, PasteAllRefreshesThePageAndList)
{
    dialogs.pastes = {{PasteResult::All, 0}};
    Click("CopyButton");
    oob.UnitTable[7].Name = "Changed";
    Go(7);
    dialogs.pastes = {{PasteResult::All, 0}};
    Click("PasteButton");
    EXPECT_EQ(oob.UnitTable[7].Name, "Rifle Squad");
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Rifle Squad"));
    EXPECT_EQ(Find<QListWidget>("UnitListBox")->item(6)->text(), QStringLiteral("007  Rifle Squad"));
}

TEST_F(PasteTest, BuffersSurviveLoadingAnotherFile)
{
    Go(7);
    dialogs.pastes = {{PasteResult::Ok, 3}};
    Click("CopyButton");
    // File 4 beside file 3.
    Oob other;
    other.CurrentOOB = 4;
    other.UnitTable[1].Name = "Native";
    WriteTablesToBuffer(other);
    ASSERT_TRUE(WriteFileAtomically(oobDir / OOBFileName(4), other.OOBBuffer.data(), kBufferSize).ok);
    w->SetList();
    Find<QListWidget>("KobListBox")->setCurrentRow(3);
    w->KobListBoxDblClick();
    ASSERT_EQ(oob.CurrentOOB, 4);
    w->Options().PasteAsNation = true;
    Go(20);
    dialogs.pastes = {{PasteResult::Ok, 3}};
    Click("PasteButton");
    EXPECT_EQ(Text("UnitNationEdit"), QStringLiteral("4"));
    Click("CommitButton");
    w->SaveAs1Click();
    Oob reread;
    ASSERT_EQ(LoadOOB(reread, oobDir, 4).code, 0);
    EXPECT_EQ(reread.UnitTable[20].Name, "Rifle Squad");
    EXPECT_EQ(reread.UnitTable[20].Nation, 4);
    EXPECT_EQ(reread.UnitTable[1].Name, "Native");
}

// The real dialog, driven while it runs modally.
TEST_F(PasteTest, TheDialogListsTheBufferAndKeepsItsOptions)
{
    TPasterDlg dlg(dialogs, w.get());
    PasteBuffers& buffers = w->Buffers();
    TransferRecords xfer;
    xfer.Unit.Rec.Name = "Rifle Squad";
    xfer.Unit.SourceNation = 3;
    PasteOptions options;
    PasteRequest copy{UnitBuffer, CopyToBuffer, &buffers, &xfer, &options, &oob};
    auto* list = dlg.findChild<QListWidget*>(QStringLiteral("ListBox1"));
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_EQ(dlg.findChild<QLabel*>(QStringLiteral("LabelStatus"))->text(),
                  QStringLiteral("Select unit buffer to COPY to"));
        EXPECT_EQ(list->count(), 999);
        dlg.findChild<QCheckBox*>(QStringLiteral("CheckBoxKeepWeapons"))->setChecked(true);
        dlg.findChild<QCheckBox*>(QStringLiteral("CheckBoxPasteAsnation"))->setChecked(true);
        list->setCurrentRow(6);
        emit list->itemDoubleClicked(list->item(6));  // a double click chooses, as OK does
        if (dlg.isVisible())
            dlg.reject();
    });
    EXPECT_EQ(dlg.Run(copy), PasteResult::Ok);
    EXPECT_TRUE(buffers.Units[7].Used);
    EXPECT_TRUE(options.KeepWeapons);

    // A formation opening clears the unit options but keeps the nation option.
    PasteRequest formations{FormationBuffer, PasteFromBuffer, &buffers, &xfer, &options, &oob};
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_FALSE(dlg.findChild<QCheckBox*>(QStringLiteral("CheckBoxKeepWeapons"))->isChecked());
        EXPECT_TRUE(dlg.findChild<QCheckBox*>(QStringLiteral("CheckBoxPasteAsnation"))->isChecked());
        dlg.findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
    });
    EXPECT_EQ(dlg.Run(formations), PasteResult::Cancel);
    EXPECT_FALSE(options.KeepWeapons);
    EXPECT_TRUE(options.PasteAsNation);

    // Clear answered No closes the dialog and changes nothing.
    PasteRequest paste{UnitBuffer, PasteFromBuffer, &buffers, &xfer, &options, &oob};
    dialogs.answers = {false};
    QTimer::singleShot(0, &dlg, [&] {
        EXPECT_TRUE(list->item(6)->text().startsWith(QStringLiteral("007: Rifle Squad      [03]  ")))
            << list->item(6)->text().toStdString();
        dlg.findChild<QPushButton*>(QStringLiteral("BitBtnclrPaste"))->click();
    });
    EXPECT_EQ(dlg.Run(paste), PasteResult::Cleared);
    EXPECT_TRUE(buffers.Units[7].Used);
    EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("Clear All?"));
}

}  // namespace
}  // namespace brackle
