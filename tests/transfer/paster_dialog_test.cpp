#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QWindow>
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
        o.WeaponTable[12] = Mortar();
        o.WeaponTable[14] = OldGun();
        o.FormationTable[2] = RiflePlatoon();
        o.FormationTable[6] = OldCompany();
    }

    // A weapon and a formation to copy, and the records they are pasted over.
    static WeaponRecord Mortar()
    {
        //       Name      Class Size Warhead HEPen HEKill APPen APKill Accuracy Range SabotRange SabotPen HEATPen
        return {"Mortar", 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13};
    }
    static WeaponRecord OldGun() { return {"Old Gun", 1, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31}; }
    static FormationRecord RiflePlatoon()
    {
        FormationRecord f;
        f.Name = "Rifle Plt";
        f.Nation = 3;
        f.YrAvail = 40;
        f.MonthAvail = 3;
        f.YrUntil = 60;
        f.MonthUntil = 9;
        f.Page = 2;
        f.FormType = 1;
        f.Slot = {7, 8, 0, 0, 0, 0, 0, 0, 0, 0};
        f.ExpMod = -5;
        f.MoraleMod = 7;
        return f;
    }
    static FormationRecord OldCompany()
    {
        FormationRecord f;
        f.Name = "Old Coy";
        f.Nation = 3;
        f.YrAvail = 10;
        f.MonthAvail = 1;
        f.YrUntil = 20;
        f.MonthUntil = 2;
        f.Page = 1;
        f.FormType = 2;
        f.Slot = {8, 1002, 0, 0, 0, 0, 0, 0, 0, 0};
        f.ExpMod = 4;
        f.MoraleMod = -3;
        return f;
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

    // From here on the window's copy and paste open the real dialog, made once
    // as the application makes it.
    void UseTheRealDialog()
    {
        paster = std::make_unique<TPasterDlg>(dialogs, w.get());
        dialogs.pasteDialog = [this](PasteRequest& request) {
            ended = paster->Run(request);
            BackToTheWindow();
            return ended;
        };
    }

    // A desktop gives the activation back to the main window when the dialog
    // closes; the offscreen platform leaves it with the hidden dialog (and the
    // main window's handle counts as active through its transient child, so
    // activateWindow() does nothing).
    void BackToTheWindow()
    {
        w->windowHandle()->requestActivate();
        EXPECT_TRUE(QTest::qWaitFor([this] { return QApplication::activeWindow() == w.get(); }));
    }

    // Runs steps on the paste-buffer dialog once it is shown modally. A dialog
    // the steps leave open is cancelled, so a test never hangs on it.
    void WhenShown(std::function<void(QDialog&)> steps)
    {
        QTimer::singleShot(0, w.get(), [steps = std::move(steps)] {
            auto* dlg = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (!dlg) {
                ADD_FAILURE() << "no dialog is shown";
                return;
            }
            EXPECT_EQ(dlg->objectName(), QStringLiteral("TPasterDlg"));
            steps(*dlg);
            if (dlg->isVisible()) {
                ADD_FAILURE() << "the dialog is still open";
                dlg->reject();
            }
        });
    }

    template <typename T>
    static T* In(QDialog& dlg, const char* name)
    {
        T* found = dlg.findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    static QString Status(QDialog& dlg) { return In<QLabel>(dlg, "LabelStatus")->text(); }
    static void Press(QDialog& dlg, const char* button)
    {
        QTest::mouseClick(In<QPushButton>(dlg, button), Qt::LeftButton);
    }
    // Clicks slot n's line of the list.
    static void ChooseSlot(QDialog& dlg, int n)
    {
        auto* list = In<QListWidget>(dlg, "ListBox1");
        QListWidgetItem* line = list->item(n - 1);
        list->scrollToItem(line);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, list->visualItemRect(line).center());
        EXPECT_EQ(list->currentRow(), n - 1);
    }
    // Copies (or pastes) slot n of the current page's buffer through the dialog's list and OK.
    void CopyOrPasteSlot(const char* button, int n)
    {
        WhenShown([n](QDialog& dlg) {
            ChooseSlot(dlg, n);
            Press(dlg, "OKbtn");
        });
        Click(button);
        EXPECT_EQ(ended, PasteResult::Ok) << button;
    }

    // Types text over the whole of an edit, key by key, leaving the focus in it.
    void TypeOver(const char* edit, const QString& text)
    {
        QLineEdit* e = Find<QLineEdit>(edit);
        e->setFocus(Qt::OtherFocusReason);
        e->selectAll();
        test::TypeKeys(text);
        EXPECT_EQ(e->text(), text);
    }

    std::unique_ptr<TPasterDlg> paster;
    PasteResult ended = PasteResult::Cancel;  // how the real dialog last ended
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

// The slots 1..last whose buffer slot does not hold table record i, used by
// its name, from file 3.
template <typename Record>
std::vector<int> SlotsNotHolding(const std::vector<PasteSlot<Record>>& buffer, const std::vector<Record>& table,
                                 int last)
{
    std::vector<int> differing;
    for (int i = 1; i <= last; ++i) {
        const PasteSlot<Record>& s = buffer[static_cast<std::size_t>(i)];
        const Record& r = table[static_cast<std::size_t>(i)];
        if (!(s.Rec == r) || s.Used != !r.Name.empty() || s.SourceNation != 3)
            differing.push_back(i);
    }
    return differing;
}

TEST_F(PasteTest, TheDialogsAllCopiesAWholeTableAndPastesItBack)
{
    UseTheRealDialog();
    // A slot whose table record is empty, marked used before the copy.
    PasteBuffers& buffers = w->Buffers();
    buffers.Units[200] = {UnitRecord{"Stale"}, 1, true};
    buffers.Weapons[200] = {WeaponRecord{"Stale"}, 1, true};
    buffers.Formations[200] = {FormationRecord{"Stale"}, 1, true};
    struct Case {
        const char* what;
        TSDIAppForm::Page page;
        int slot;
        const char* name;   // of that slot
        const char* entry;  // its line in the page's list
        const char* nameEdit;
        const char* list;
        const char* copyStatus;
        const char* pasteStatus;
        std::function<std::vector<int>(const PasteBuffers&, const Oob&)> slotsNotCopied;
        std::function<std::string(const Oob&)> storedName;  // of the slot
    };
    const Case cases[] = {
        {"units", TSDIAppForm::UnitsPage, 7, "Rifle Squad", "007  Rifle Squad", "UnitnameEdit", "UnitListBox",
         "Select unit buffer to COPY to", "Select unit buffer to PASTE from",
         [](const PasteBuffers& b, const Oob& o) { return SlotsNotHolding(b.Units, o.UnitTable, 999); },
         [](const Oob& o) { return o.UnitTable[7].Name; }},
        {"weapons", TSDIAppForm::WeaponsPage, 12, "Mortar", "012  Mortar", "WeaponNameEdit", "wpnlistbox",
         "Select weapon buffer  to COPY to", "Select weapon buffer  to PASTE from",
         [](const PasteBuffers& b, const Oob& o) { return SlotsNotHolding(b.Weapons, o.WeaponTable, 249); },
         [](const Oob& o) { return o.WeaponTable[12].Name; }},
        {"formations", TSDIAppForm::FormationsPage, 2, "Rifle Plt", "002  Rifle Plt", "FormNameEdit",
         "FormationListBox",
         "Select formation buffer  to COPY to", "Select formation buffer  to PASTE from",
         [](const PasteBuffers& b, const Oob& o) { return SlotsNotHolding(b.Formations, o.FormationTable, 999); },
         [](const Oob& o) { return o.FormationTable[2].Name; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        w->ShowPageAt(c.page, c.slot);
        WhenShown([&c](QDialog& dlg) {
            EXPECT_EQ(Status(dlg), QString::fromLatin1(c.copyStatus));
            Press(dlg, "CopyAllBtn");
        });
        Click("CopyButton");
        EXPECT_EQ(ended, PasteResult::All);
        EXPECT_EQ(c.slotsNotCopied(w->Buffers(), oob), std::vector<int>{});

        // A committed change is undone by pasting the whole buffer, and the page
        // and its list show the table again.
        Type(c.nameEdit, QStringLiteral("Changed"));
        Click("CommitButton");
        ASSERT_EQ(c.storedName(oob), "Changed");
        WhenShown([&c](QDialog& dlg) {
            EXPECT_EQ(Status(dlg), QString::fromLatin1(c.pasteStatus));
            Press(dlg, "CopyAllBtn");
        });
        Click("PasteButton");
        EXPECT_EQ(ended, PasteResult::All);
        EXPECT_EQ(c.storedName(oob), c.name);
        EXPECT_EQ(Text(c.nameEdit), QString::fromLatin1(c.name));
        auto* list = Find<QListWidget>(c.list);
        EXPECT_EQ(list->item(c.slot - 1)->text(), QString::fromLatin1(c.entry));
        EXPECT_EQ(list->currentRow(), c.slot - 1);
    }
}

TEST_F(PasteTest, TheDialogsClearEmptiesEveryBufferOnlyWhenAnsweredYes)
{
    UseTheRealDialog();
    for (const bool yes : {false, true}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        Go(7);
        CopyOrPasteSlot("CopyButton", 12);
        PasteBuffers& b = w->Buffers();
        b.Weapons[3] = {Mortar(), 3, true};
        b.Formations[999] = {RiflePlatoon(), 3, true};
        Go(8);
        dialogs.answers = {yes};
        WhenShown([](QDialog& dlg) {
            Press(dlg, "BitBtnclrPaste");
            EXPECT_FALSE(dlg.isVisible()) << "the dialog closes whatever the answer";
        });
        Click("PasteButton");
        EXPECT_EQ(ended, PasteResult::Cleared);
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown.back().kind, QStringLiteral("question"));
        EXPECT_EQ(dialogs.shown.back().caption, QStringLiteral("Clear All?"));
        EXPECT_EQ(dialogs.shown.back().text, QStringLiteral("Clear all Paste Buffers?"));
        EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Target"));  // nothing was pasted

        const int from = yes ? 100 : 3;  // 100: from no file
        EXPECT_EQ(b.Units[12].Used, !yes);
        EXPECT_EQ(b.Units[12].SourceNation, from);
        EXPECT_EQ(b.Weapons[3].Used, !yes);
        EXPECT_EQ(b.Weapons[3].SourceNation, from);
        EXPECT_EQ(b.Formations[999].Used, !yes);
        EXPECT_EQ(b.Formations[999].SourceNation, from);
        // The records themselves stay.
        EXPECT_EQ(b.Units[12].Rec.Name, "Rifle Squad");
        EXPECT_EQ(b.Weapons[3].Rec, Mortar());
        EXPECT_EQ(b.Formations[999].Rec, RiflePlatoon());
    }
}

TEST_F(PasteTest, WeaponsAndFormationsCopyPasteCommitAndRestore)
{
    UseTheRealDialog();
    struct Case {
        const char* what;
        TSDIAppForm::Page page;
        int from, to;
        const char* fromName;
        const char* toName;
        const char* entry;  // the target's line in the page's list after the commit
        const char* copyStatus;
        const char* nameEdit;
        const char* list;
        std::vector<std::pair<const char*, const char*>> pasted;  // edit or label -> text after the paste
        std::function<bool(const Oob&)> targetIsSource;
        std::function<bool(const Oob&)> targetIsItself;
    };
    const Case cases[] = {
        {"weapons", TSDIAppForm::WeaponsPage, 12, 14, "Mortar", "Old Gun", "014  Mortar",
         "Select weapon buffer  to COPY to", "WeaponNameEdit", "wpnlistbox",
         {{"WeaponNumberLabel", "Weapon 014"}, {"WeaponNameEdit", "Mortar"}, {"WeaponClassEdit", "2"},
          {"WeaponSizeEdit", "3"}, {"WarheadSizeEdit", "4"}, {"WeaponHEPenEdit", "5"}, {"WeaponHEKillEdit", "6"},
          {"WeaponAPPenEdit", "7"}, {"WeaponAPKillEdit", "8"}, {"WeaponAccuracyEdit", "9"},
          {"WeaponRangeEdit", "10"}, {"WeaponsabotrangeEdit", "11"}, {"WeaponSabotPenEdit", "12"},
          {"WeaponHEATPenEdit", "13"}},
         [](const Oob& o) { return o.WeaponTable[14] == Mortar(); },
         [](const Oob& o) { return o.WeaponTable[14] == OldGun(); }},
        {"formations", TSDIAppForm::FormationsPage, 2, 6, "Rifle Plt", "Old Coy", "006  Rifle Plt",
         "Select formation buffer  to COPY to", "FormNameEdit", "FormationListBox",
         {{"FormNamelabel", "Formation 006"}, {"FormNameEdit", "Rifle Plt"}, {"FormNationEdit", "3"},
          {"FormNationLabel", "Third Nation"}, {"FormAvailEdit", "40"}, {"FormMonthAvailEdit", "3"},
          {"FormUntilEdit", "60"}, {"FormMonthUnAvailEdit", "9"}, {"FormPageEdit", "2"}, {"FormTypeEdit", "1"},
          {"FormSlot1Edit", "7"}, {"Formslot1Label", "Rifle Squad"}, {"FormSlot2Edit", "8"},
          {"Formslot2Label", "Target"}, {"FormSlot3Edit", "0"}, {"Formslot3Label", ""},
          {"FormExpModEdit", "-5"}, {"FormMoraleModEdit", "7"}},
         [](const Oob& o) { return o.FormationTable[6] == RiflePlatoon(); },
         [](const Oob& o) { return o.FormationTable[6] == OldCompany(); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        w->ShowPageAt(c.page, c.from);
        WhenShown([&c](QDialog& dlg) {
            EXPECT_EQ(Status(dlg), QString::fromLatin1(c.copyStatus));
            ChooseSlot(dlg, 20);
            Press(dlg, "OKbtn");
        });
        Click("CopyButton");
        EXPECT_EQ(ended, PasteResult::Ok);

        // The paste shows the copy on the target's page; the table waits for a commit.
        w->ShowPageAt(c.page, c.to);
        CopyOrPasteSlot("PasteButton", 20);
        for (const auto& [control, text] : c.pasted)
            EXPECT_EQ(Shown(control), QString::fromLatin1(text)) << control;
        EXPECT_TRUE(c.targetIsItself(oob));
        Click("RestoreButton");  // drops the paste
        EXPECT_EQ(Text(c.nameEdit), QString::fromLatin1(c.toName));
        EXPECT_TRUE(c.targetIsItself(oob));

        CopyOrPasteSlot("PasteButton", 20);
        Click("CommitButton");
        EXPECT_TRUE(c.targetIsSource(oob));
        EXPECT_EQ(Find<QListWidget>(c.list)->item(c.to - 1)->text(), QString::fromLatin1(c.entry));

        // Restore, by its button and by F9 from the control being typed in, brings back the stored record.
        TypeOver(c.nameEdit, QStringLiteral("Typed"));
        Click("RestoreButton");
        EXPECT_EQ(Text(c.nameEdit), QString::fromLatin1(c.fromName));
        TypeOver(c.nameEdit, QStringLiteral("Typed again"));
        test::PressKey(Qt::Key_F9);
        EXPECT_EQ(Text(c.nameEdit), QString::fromLatin1(c.fromName));
        EXPECT_TRUE(c.targetIsSource(oob));
    }
}

TEST_F(PasteTest, BuffersSurviveLoadingAnotherFile)
{
    UseTheRealDialog();
    Go(7);
    CopyOrPasteSlot("CopyButton", 3);
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
    Go(20);
    WhenShown([](QDialog& dlg) {
        auto* list = In<QListWidget>(dlg, "ListBox1");
        EXPECT_EQ(list->item(2)->text(), QStringLiteral("003: Rifle Squad      [03]  Third Nation"));
        In<QCheckBox>(dlg, "CheckBoxPasteAsnation")->click();
        ChooseSlot(dlg, 3);
        Press(dlg, "OKbtn");
    });
    Click("PasteButton");
    EXPECT_TRUE(w->Options().PasteAsNation);
    EXPECT_EQ(Text("UnitnameEdit"), QStringLiteral("Rifle Squad"));
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
