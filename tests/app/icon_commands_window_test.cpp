// The icon commands of the main window: Dump Icon Bitmaps (F5), Reset All
// Icons, the transparency colour dialog, and the icon map beside the editor.
#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>

#include "app/icon_window.h"
#include "editors/unit_page.h"
#include "widgets/keyboard.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
using namespace test;

const QColor kPink(0xFF, 0xE1, 0xE1);

class IconCommandsTest : public IconWindowTest {
protected:
    std::vector<std::string> FilesIn(const fs::path& dir) const
    {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir))
            names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs the process from another folder, as a dump must not care where it stands.
    void StandElsewhere()
    {
        previousCwd = fs::current_path();
        fs::create_directories(tmp.path() / "elsewhere");
        fs::current_path(tmp.path() / "elsewhere");
    }
    void TearDown() override
    {
        if (!previousCwd.empty())
            fs::current_path(previousCwd);
    }
    fs::path previousCwd;
};

TEST_F(IconCommandsTest, F5DumpsTheIconsShownIntoTheOOBFolder)
{
    StandElsewhere();
    Go(1);
    PressKeyIn(Find("UnitCostEdit"), Qt::Key_F5);
    EXPECT_EQ(FilesIn(oobDir), (std::vector<std::string>{"TurretImage.bmp", "hullimage.bmp", "obat003.obf"}));
    EXPECT_TRUE(FilesIn(tmp.path() / "elsewhere").empty());
    const QImage hull(QString::fromStdString((oobDir / "hullimage.bmp").string()));
    ASSERT_FALSE(hull.isNull());
    EXPECT_EQ(hull.size(), QSize(4, 4));  // unscaled
    EXPECT_EQ(hull.depth(), 32);          // read back from 24 bits
    EXPECT_EQ(hull.pixelColor(0, 3), kPink);
    EXPECT_EQ(hull.pixelColor(0, 0), kPink);
    EXPECT_EQ(hull.pixelColor(1, 1), kHullRgb);
    const QImage turret(QString::fromStdString((oobDir / "TurretImage.bmp").string()));
    EXPECT_EQ(turret.pixelColor(1, 1), kTurretRgb);
    EXPECT_EQ(turret.pixelColor(3, 3), kPink);
    EXPECT_TRUE(w->StatusText().contains(QString::fromStdString(oobDir.string()))) << w->StatusText().toStdString();
    EXPECT_TRUE(w->StatusText().contains(QStringLiteral("hullimage.bmp, TurretImage.bmp")));
    EXPECT_TRUE(Messages().empty());

    // The big image of a glider, from the menu; the older dumps stay.
    Go(2);
    Find<QAction>("DumpIconBitmaps1")->trigger();
    const QImage big(QString::fromStdString((oobDir / "BigImage.bmp").string()));
    EXPECT_EQ(big.pixelColor(2, 1), kHullRgb);
    EXPECT_EQ(big.pixelColor(0, 3), kPink);
    EXPECT_EQ(FilesIn(oobDir).size(), 4u);
}

TEST_F(IconCommandsTest, ADumpThatCannotBeWrittenSaysWhyAndLeavesNothing)
{
    fs::create_directory(oobDir / "hullimage.bmp");  // a folder in the way
    Go(1);
    w->DumpIconBitmaps1Click();
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].second, Dialogs::Icon::Error);
    EXPECT_TRUE(m[0].first.contains(QString::fromStdString((oobDir / "hullimage.bmp").string())))
        << m[0].first.toStdString();
    EXPECT_GT(m[0].first.split(QStringLiteral("\r\n\r\n")).value(1).size(), 0) << "the reason";
    EXPECT_EQ(FilesIn(oobDir), (std::vector<std::string>{"hullimage.bmp", "obat003.obf"}));
    EXPECT_TRUE(fs::is_empty(oobDir / "hullimage.bmp"));
    EXPECT_FALSE(w->StatusText().contains(QStringLiteral("written to")));
}

TEST_F(IconCommandsTest, NoIconShownNoDump)
{
    Go(3);
    w->DumpIconBitmaps1Click();
    EXPECT_EQ(FilesIn(oobDir), std::vector<std::string>{"obat003.obf"});
    EXPECT_TRUE(w->StatusText().startsWith(QStringLiteral("No unit icon is shown")));
}

TEST_F(IconCommandsTest, ResetAllIconsAsksThenSetsEveryUnitsSeasonalIconsToSummer)
{
    Go(1);
    dialogs.answers = {false};
    Find<QAction>("ResetAllIcons1")->trigger();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("question"));
    EXPECT_EQ(dialogs.shown[0].caption, QStringLiteral("Icon Initialise"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Do you really want to set all Icons to Summer?"));
    EXPECT_EQ(oob.UnitTable[1].WinterIcon, 4);
    EXPECT_FALSE(w->HasUnsavedChanges());

    dialogs.answers = {true};
    Find<QAction>("ResetAllIcons1")->trigger();
    for (int u : {1, 2, 3, 4, 5}) {
        EXPECT_EQ(oob.UnitTable[u].WinterIcon, oob.UnitTable[u].Icon) << u;
        EXPECT_EQ(oob.UnitTable[u].DesertIcon, oob.UnitTable[u].Icon) << u;
    }
    EXPECT_TRUE(w->HasUnsavedChanges());
    EXPECT_TRUE(w->windowTitle().endsWith(QLatin1Char('*')));
    EXPECT_EQ(Text("UnitWinterIconEdit"), QStringLiteral("3"));  // the page shows the tables
    EXPECT_EQ(Text("UnitDesertIconEdit"), QStringLiteral("3"));

    // One step of the history, undone as a whole.
    auto* undo = Find<QAction>("Undo1");
    EXPECT_TRUE(undo->text().contains(QStringLiteral("Reset all icons to summer: "))) << undo->text().toStdString();
    undo->trigger();
    EXPECT_EQ(oob.UnitTable[1].WinterIcon, 4);
    EXPECT_FALSE(w->HasUnsavedChanges());
    EXPECT_EQ(Text("UnitWinterIconEdit"), QStringLiteral("4"));
}

// Drives the transparency dialog the menu opens: each value in turn, then
// closes it with the button given ("Button1" OK, "Button2" Cancel, "" Escape).
// While it is open, see gets the value shown on the spin edit after each value.
void OnColourDialog(QWidget* owner, std::vector<int> values, const char* close,
                    const std::function<void(int)>& see)
{
    QTimer::singleShot(0, owner, [=] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->windowTitle(), QStringLiteral("16 Bit Monitor Transparency Colour setup"));
        auto* spin = dialog->findChild<QSpinBox*>(QStringLiteral("SpinEdit1"));
        for (int v : values) {
            spin->setValue(v);
            see(v);
        }
        if (*close)
            dialog->findChild<QPushButton*>(QString::fromLatin1(close))->click();
        else
            QTest::keyClick(spin, Qt::Key_Escape);
        if (dialog->isVisible())
            dialog->reject();
    });
}

TEST_F(IconCommandsTest, TheTransparentColourIsTriedOutAndCancelRestoresIt)
{
    const std::string ini = ReadText(programDir / "BRVX.ini");
    Go(1);
    ASSERT_EQ(Pixel("TurretImage", 1, 1), kTurretRgb);
    for (const char* close : {"Button2", ""}) {
        std::vector<int> seen;
        // Entry 245 is black like the turret: drawn on it, the turret's black is background.
        OnColourDialog(w.get(), {245, 12, 245}, close, [&](int v) {
            seen.push_back(w->settings().TransparentColour);
            EXPECT_EQ(Pixel("TurretImage", 1, 1).alpha(), v == 245 ? 0 : 255) << v;
        });
        Find<QAction>("ChangeTransparentColour1")->trigger();
        EXPECT_EQ(seen, (std::vector<int>{245, 12, 245})) << close;
        EXPECT_EQ(w->settings().TransparentColour, 240) << close;
        EXPECT_EQ(w->Units().TransparentColour(), 240) << close;
        EXPECT_EQ(Pixel("TurretImage", 1, 1), kTurretRgb) << close;
        EXPECT_EQ(w->Units().ShownIcon(UnitPage::HullPart)->At(0, 0), 240) << close;
    }
    // OK keeps the value for the run, drawn into the icons and into the next dump.
    OnColourDialog(w.get(), {12}, "Button1", [](int) {});
    Find<QAction>("ChangeTransparentColour1")->trigger();
    EXPECT_EQ(w->settings().TransparentColour, 12);
    EXPECT_EQ(w->Units().ShownIcon(UnitPage::HullPart)->At(0, 0), 12);
    Go(2);
    EXPECT_EQ(w->Units().ShownIcon(UnitPage::BigPart)->At(0, 0), 12);
    EXPECT_EQ(ReadText(programDir / "BRVX.ini"), ini);  // never written
}

class IconMapFileTest : public IconWindowTest {
protected:
    void Fill(Oob& o) override
    {
        IconWindowTest::Fill(o);
        // Icon 3 drawn from images 8 and 9 (the winter images), then twelve bad lines.
        std::string csv = "icon,hull,turret\n3,8,9\n";
        for (int i = 0; i < 12; ++i)
            csv += "bad line " + std::to_string(i) + "\n";
        WriteText(programDir / "iconmap.CSV", csv);
    }
};

TEST_F(IconMapFileTest, TheMapBesideTheEditorOverridesAndItsBadLinesAreSaidOnce)
{
    Go(1);
    EXPECT_EQ(Pixel("HullImage", 2, 1), kWinterRgb);
    EXPECT_TRUE(Messages().empty());  // nothing said before the window is up
    w->ReportIconMapProblems();
    const auto m = Messages();
    ASSERT_EQ(m.size(), 1u);
    EXPECT_EQ(m[0].second, Dialogs::Icon::Warning);
    EXPECT_TRUE(m[0].first.contains(QStringLiteral("line 3: \"bad line 0\""))) << m[0].first.toStdString();
    EXPECT_TRUE(m[0].first.contains(QStringLiteral("line 12: \"bad line 9\"")));
    EXPECT_FALSE(m[0].first.contains(QStringLiteral("bad line 10")));
    EXPECT_TRUE(m[0].first.endsWith(QStringLiteral("... and 2 more")));
    w->ReportIconMapProblems();
    EXPECT_TRUE(Messages().empty());
}

}  // namespace
}  // namespace brackle
