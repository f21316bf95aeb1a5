#include <QPushButton>
#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/application_qt.h"
#include "test_support.h"
#include "widgets/scripted_dialogs.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

TEST(StartOptions, ParsesTheEditorsOptions)
{
    QString error;
    auto o = ParseStartOptions({"brackle", "--no-splash", "--open", "42", "--game-root", "/g", "--screenshot", "a.png"},
                               &error);
    ASSERT_TRUE(o);
    EXPECT_FALSE(o->Splash);
    EXPECT_EQ(o->Open, 42);
    EXPECT_EQ(o->GameRoot, fs::path("/g"));
    EXPECT_EQ(o->Screenshot, QStringLiteral("a.png"));
    EXPECT_EQ(o->Page, -1);
    o = ParseStartOptions({"brackle", "--page", "Formations", "--slot", "12"}, &error);
    ASSERT_TRUE(o);
    EXPECT_EQ(o->Page, 2);
    EXPECT_EQ(o->Slot, 12);
    const std::vector<QStringList> bad = {
        {"brackle", "--open", "0"}, {"brackle", "--open", "x"}, {"brackle", "--open"}, {"brackle", "--bogus"},
        {"brackle", "--page", "maps"}, {"brackle", "--slot", "1000"}, {"brackle", "--slot", "0"}};
    for (const auto& args : bad) {
        error.clear();
        EXPECT_FALSE(ParseStartOptions(args, &error)) << args.join(' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
    }
}

TEST(Application, MakesEveryWindowWithItsCaptionAndOpensTheForum)
{
    test::TempDir tmp;
    const fs::path prog = tmp.path() / "Vornex" / "Brackle";
    fs::create_directories(prog);
    test::WriteText(prog / "brvx.INI", "[BRACKLE]\nForumURL = https://forum.example/vx \n");
    test::ScriptedDialogs dialogs;
    StartupPaths paths{prog, prog, {}};
    StartOptions options;
    options.Splash = false;
    Application app(dialogs, paths, options);
    const std::vector<std::pair<const char*, const char*>> windows = {
        {"TFormFormSearch", "Database Checking Utilities"},
        {"TFormSandR", "Search And Replace"},
        {"TFormDeleteAll", "Choose nation to Delete"},
        {"TPickForm", "Pick List"},
        {"TPasterDlg", "Copy/Paste Dialogue"},
        {"TRenatDlg", "Renationalise Dialogue"},
        {"TLBMBrowser", "LBM Browser"},
        {"TFormColour", "16 Bit Monitor Transparency Colour setup"},
    };
    for (const auto& [name, caption] : windows) {
        QDialog* w = app.Window(QString::fromLatin1(name));
        ASSERT_NE(w, nullptr) << name;
        EXPECT_EQ(w->windowTitle(), QString::fromLatin1(caption));
    }
    EXPECT_EQ(app.About().windowTitle(), QStringLiteral("About Brackle For Vornex"));
    app.About().findChild<QPushButton*>(QStringLiteral("ForumBtn"))->click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].kind, QStringLiteral("url"));
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("https://forum.example/vx"));
    EXPECT_EQ(app.MainWindow().windowTitle(), QStringLiteral("Brackle for Vornex : No File Loaded "));
}

}  // namespace
}  // namespace brackle

#include <QTest>
#include <QTimer>

#include "app/splash_screen.h"

namespace brackle {
namespace {

TEST(Splash, EndsOnItsTimerOrOnAKey)
{
    SplashScreen quick(10);
    quick.RunUntilDone();
    EXPECT_TRUE(quick.done());
    SplashScreen slow(600000);  // ten minutes: only the key can end it
    QTimer::singleShot(20, &slow, [&slow] { QTest::keyClick(&slow, Qt::Key_Space); });
    slow.RunUntilDone();
    EXPECT_TRUE(slow.done());
}

}  // namespace
}  // namespace brackle
