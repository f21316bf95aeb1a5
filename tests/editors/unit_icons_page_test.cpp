// The Units page's icon and picture panel.
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include "app/icon_window.h"
#include "editors/unit_page.h"
#include "widgets/keyboard.h"
#include "widgets/text_qt.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
using namespace test;

using UnitIconsPageTest = IconWindowTest;

TEST_F(UnitIconsPageTest, TheClassChoosesWhichImagesDrawTheUnit)
{
    struct Case {
        const char* what;
        int unit;
        bool hull, turret, big, seasonal;
        QColor hullColour;
    } cases[] = {
        {"class 0: hull and turret", 1, true, true, false, true, kHullRgb},
        {"class 47: the big image only", 2, false, false, true, true, {}},
        {"class 31: no image", 3, false, false, false, false, {}},
        {"class 1 with a crew: the crew-and-side image as the hull", 4, true, false, false, false, kCrewRgb},
    };
    for (const Case& c : cases) {
        Go(c.unit);
        EXPECT_EQ(Shown("HullImage"), c.hull) << c.what;
        EXPECT_EQ(Shown("TurretImage"), c.turret) << c.what;
        EXPECT_EQ(Shown("BigImage"), c.big) << c.what;
        EXPECT_EQ(Find("UnitWinterIconEdit")->isEnabled(), c.seasonal) << c.what;
        EXPECT_EQ(Find("UnitDesertIconEdit")->isEnabled(), c.seasonal) << c.what;
        if (c.hull)
            EXPECT_EQ(Pixel("HullImage", 2, 1), c.hullColour) << c.what;
    }
    Go(2);
    EXPECT_EQ(Pixel("BigImage", 2, 1), kHullRgb);  // the big image is the icon's hull image
    EXPECT_EQ(w->Units().ShownIcon(UnitPage::BigPart)->Width, 4);
    EXPECT_FALSE(w->Units().ShownIcon(UnitPage::HullPart));
}

TEST_F(UnitIconsPageTest, IconsAreEnlargedByAWholeFactorWithTheirBackgroundClear)
{
    Go(1);
    const QPixmap hull = Image("HullImage")->pixmap();
    const QPixmap turret = Image("TurretImage")->pixmap();
    ASSERT_FALSE(hull.isNull());
    EXPECT_GE(hull.width(), 8);                      // at least twice the 4 pixels
    EXPECT_EQ(hull.width() % 4, 0);                  // a whole factor
    EXPECT_EQ(hull.width(), hull.height());
    EXPECT_LE(hull.width(), Image("HullImage")->width());
    EXPECT_EQ(turret.size(), hull.size());           // the turret sits over its hull
    EXPECT_EQ(Pixel("HullImage", 0, 3).alpha(), 0);  // the border is the transparent colour
    EXPECT_EQ(Pixel("TurretImage", 0, 0).alpha(), 0);
    EXPECT_EQ(Pixel("TurretImage", 1, 1), kTurretRgb);
}

// Showing a unit changes no number: a unit whose winter icon differs from its
// summer icon keeps it through an untouched commit, also where the seasonal
// edits are disabled. The user's own change of the summer icon is followed.
TEST_F(UnitIconsPageTest, DisabledSeasonalIconsFollowTheSummerIconOnlyWhenItIsChanged)
{
    Go(3);
    EXPECT_EQ(Text("UnitWinterIconEdit"), QStringLiteral("7"));
    EXPECT_EQ(Text("UnitDesertIconEdit"), QStringLiteral("9"));
    PressKeyIn(Find("UnitnameEdit"), Qt::Key_F12);
    EXPECT_EQ(oob.UnitTable[3].WinterIcon, 7);
    EXPECT_EQ(oob.UnitTable[3].DesertIcon, 9);
    EXPECT_FALSE(w->HasUnsavedChanges());

    Find("UnitIconEdit")->setFocus();
    Find("UnitIconEdit")->selectAll();
    TypeKeys(QStringLiteral("12"));
    EXPECT_EQ(Text("UnitWinterIconEdit"), QStringLiteral("12"));
    EXPECT_EQ(Text("UnitDesertIconEdit"), QStringLiteral("12"));
    PressKey(Qt::Key_F12);
    EXPECT_EQ(oob.UnitTable[3].Icon, 12);
    EXPECT_EQ(oob.UnitTable[3].WinterIcon, 12);
    EXPECT_EQ(oob.UnitTable[3].DesertIcon, 12);

    // Where the seasonal edits are enabled, they keep their own numbers.
    Go(1);
    Type("UnitIconEdit", QStringLiteral("5"));
    EXPECT_EQ(Text("UnitWinterIconEdit"), QStringLiteral("4"));
}

TEST_F(UnitIconsPageTest, TypingTheClassRedrawsButLeavesTheSeasonalNumbers)
{
    Go(1);
    // The class disables the seasonal edits on its way, and their numbers stay.
    Type("UnitClassEdit", QStringLiteral("3"));
    Type("UnitClassEdit", QStringLiteral("31"));
    EXPECT_FALSE(Shown("HullImage"));
    EXPECT_FALSE(Shown("TurretImage"));
    EXPECT_FALSE(Find("UnitWinterIconEdit")->isEnabled());
    EXPECT_EQ(Text("UnitWinterIconEdit"), QStringLiteral("4"));
    EXPECT_EQ(Text("UnitDesertIconEdit"), QStringLiteral("0"));
    Type("UnitClassEdit", QStringLiteral("47"));
    EXPECT_TRUE(Shown("BigImage"));
    EXPECT_TRUE(Find("UnitWinterIconEdit")->isEnabled());
    // The crew and the nation choose the crew-and-side image.
    Go(4);
    EXPECT_EQ(Pixel("HullImage", 2, 1), kCrewRgb);
    Type("UnitCrewEdit", QStringLiteral("12"));  // image 1103: not in the folder
    EXPECT_EQ(Pixel("HullImage", 2, 1), kHullRgb);
    EXPECT_TRUE(Shown("TurretImage"));
    EXPECT_TRUE(Find("UnitWinterIconEdit")->isEnabled());
}

TEST_F(UnitIconsPageTest, EachSeasonIsShownWhenItsEditIsUsed)
{
    Go(1);
    BackInFront(w.get());
    Find("UnitWinterIconEdit")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Pixel("HullImage", 2, 1), kWinterRgb);
    Find("UnitDesertIconEdit")->setFocus(Qt::TabFocusReason);  // icon 0: no images
    EXPECT_FALSE(Shown("HullImage"));
    EXPECT_FALSE(Shown("TurretImage"));
    EXPECT_TRUE(Find("UnitDesertIconEdit")->isEnabled());  // the seasonal runs enable nothing
    Find("UnitIconEdit")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(Pixel("HullImage", 2, 1), kHullRgb);
    // Typing a season's number shows it.
    Type("UnitDesertIconEdit", QStringLiteral("4"));
    EXPECT_EQ(Pixel("HullImage", 2, 1), kWinterRgb);
    // Another unit shows its summer icon.
    Go(1);
    EXPECT_EQ(Pixel("HullImage", 2, 1), kHullRgb);
    EXPECT_TRUE(Messages().empty());
}

TEST_F(UnitIconsPageTest, AnEditWithoutANumberHidesTheIcons)
{
    for (const auto& [edit, text] : std::vector<std::pair<const char*, const char*>>{
             {"UnitIconEdit", "1-2"}, {"UnitClassEdit", ""}, {"UnitCrewEdit", "-"}}) {
        Go(1);
        ASSERT_TRUE(Shown("HullImage"));
        Type(edit, QString::fromLatin1(text));
        EXPECT_FALSE(Shown("HullImage")) << edit;
        EXPECT_FALSE(Shown("TurretImage")) << edit;
        EXPECT_FALSE(w->Units().ShownIcon(UnitPage::HullPart)) << edit;
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(UnitIconsPageTest, ThePictureOfTheNumberTyped)
{
    fs::copy_file(picDir / "Pm00123.lbm", picDir / "PM00007.LBM");
    fs::copy_file(picDir / "Pm00123.lbm", picDir / "Pm99999.lbm");
    WriteText(picDir / "Pm00008.lbm", "FORM and no more");
    Go(1);
    EXPECT_TRUE(Shown("LBMImage"));
    const QImage shown = Image("LBMImage")->pixmap().toImage();
    EXPECT_EQ(shown.pixelColor(shown.width() / 2, shown.height() / 2), QColor(10, 10, 200));
    // Fitted to its frame with its shape kept: 8 x 4 stays twice as wide as high.
    EXPECT_EQ(shown.width(), 2 * shown.height());
    EXPECT_LE(shown.width(), Image("LBMImage")->width());
    struct Case {
        const char* text;
        bool shown;
    } cases[] = {
        {"123abc", true},  // the digits: Pm00123.lbm
        {"500", false},    // no such file
        {"8", false},      // a file that does not decode
        {"7", true},       // found whatever the case of its name
        {"1-2", false},    // no number
        {"", false},       // picture 0: none
        {"00123", true},
        {"99999", true},   // the last picture number: Pm99999.lbm
        {"100000", true},  // above it: held at 99999
        {"99998", false},
    };
    for (const Case& c : cases) {
        Type("UnitLBMEdit", QString::fromLatin1(c.text));
        EXPECT_EQ(Shown("LBMImage"), c.shown) << c.text;
    }
    Go(5);
    EXPECT_FALSE(Shown("LBMImage"));
    EXPECT_TRUE(Messages().empty());
}

TEST_F(UnitIconsPageTest, ThePickButtonBrowsesFromTheNumberShownAndKeepsTheChoiceIn16Bits)
{
    Go(1);
    const fs::path cwd = fs::current_path();
    auto* pick = Find<QToolButton>("LBMPickButton");
    struct Case {
        const char* text;
        std::optional<int> choice;
        int start;
        const char* after;
    } cases[] = {
        {"123", 70000, 123, "65535"},  // beyond 16 bits: held at 65535, not wrapped to 4464
        {"42x", 65535, 42, "65535"},
        {"77", 9, 77, "9"},
        {"77", std::nullopt, 77, "77"},  // Cancel changes nothing
        {"abc", 5, 0, "5"},              // no number: the browser starts on its own
    };
    for (const Case& c : cases) {
        Type("UnitLBMEdit", QString::fromLatin1(c.text));
        dialogs.browsedPictures = {c.choice};
        pick->click();
        EXPECT_EQ(dialogs.lastBrowseStart, c.start) << c.text;
        EXPECT_EQ(PathFromQt(dialogs.lastBrowseFolder), picDir) << c.text;
        EXPECT_EQ(Text("UnitLBMEdit"), QString::fromLatin1(c.after)) << c.text;
    }
    EXPECT_EQ(fs::current_path(), cwd);
    Type("UnitLBMEdit", QStringLiteral("77"));
    dialogs.browsedPictures = {123};
    pick->click();
    EXPECT_TRUE(Shown("LBMImage"));  // the picture chosen is shown
    PressKeyIn(Find("UnitnameEdit"), Qt::Key_F12);
    EXPECT_EQ(oob.UnitTable[1].PictureID, 123);
}

TEST_F(UnitIconsPageTest, AnotherOpeningOfTheFileReadsTheGraphicsAfresh)
{
    Go(1);
    ASSERT_EQ(Pixel("HullImage", 2, 1), kHullRgb);
    WriteBytes(gfxDir / "Icon0000.shp", ShapeFile({{6, Framed(kWinterColour, false)}}));
    Go(1);
    EXPECT_EQ(Pixel("HullImage", 2, 1), kWinterRgb);  // the file changed on disk: read again at once
    w->findChild<QListWidget*>(QStringLiteral("KobListBox"))->setCurrentRow(2);
    w->KobListBoxDblClick();
    EXPECT_EQ(Pixel("HullImage", 2, 1), kWinterRgb);
    EXPECT_FALSE(Shown("TurretImage"));  // image 7 is gone
}

}  // namespace
}  // namespace brackle
