#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include "app/about_box.h"
#include "app/application_qt.h"
#include "oob/oob_file.h"
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

// Notes the caption of every message box that is shown.
class BoxSpy : public QObject {
public:
    QStringList captions;
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && qobject_cast<QMessageBox*>(watched))
            captions << static_cast<QWidget*>(watched)->windowTitle();
        return false;
    }
};

TEST(Application, AScreenshotRunEndsWhenAMessageBoxAppearsWhileTheFileOpens)
{
    struct Case {
        const char* what;
        int open;          // 2 is a folder named obat002.obf: the open fails with a box
        bool warning;      // the load succeeds with a warning box
        const char* box;   // the caption of the box shown
    };
    const std::vector<Case> cases = {
        {"a file that cannot be read", 2, false, "File Not Found"},
        {"a file that opens with a warning", 1, true, "Brackle"},
    };
    for (const auto& c : cases) {
        test::TempDir tmp;
        const fs::path prog = tmp.path() / "Vornex" / "Brackle";
        const fs::path oobs = tmp.path() / "Vornex" / "game data" / "oobs";
        fs::create_directories(prog);
        fs::create_directories(oobs);
        fs::create_directory(oobs / OOBFileName(2));
        {
            Oob o;
            o.CurrentOOB = 1;
            o.UnitTable[1].Name = "First";
            WriteTablesToBuffer(o);
            ASSERT_TRUE(WriteFileAtomically(oobs / OOBFileName(1), o.OOBBuffer.data(), kBufferSize).ok);
        }
        QtDialogs dialogs;  // real boxes: nothing answers them but the run itself
        StartOptions options;
        options.Splash = false;
        options.Open = c.open;
        options.Screenshot = QString::fromStdString((tmp.path() / "shot.png").string());
        Application app(dialogs, StartupPaths{prog, prog, {}}, options);
        if (c.warning) {
            app.MainWindow().SetLoader([](Oob& o, const fs::path& dir, int n) {
                LoadResult r = LoadOOB(o, dir, n);
                r.warning = "longer than the editor keeps";
                return r;
            });
        }
        // Should the run hang on the box, this closes it after a while and the test fails.
        bool hung = false;
        QTimer watchdog;
        watchdog.setSingleShot(true);
        QObject::connect(&watchdog, &QTimer::timeout, [&] {
            hung = true;
            if (auto* box = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                box->done(QDialog::Rejected);
        });
        watchdog.start(20000);
        BoxSpy spy;
        qApp->installEventFilter(&spy);
        const auto done = app.Show();
        qApp->removeEventFilter(&spy);
        watchdog.stop();
        EXPECT_EQ(spy.captions, QStringList{QString::fromLatin1(c.box)}) << c.what;
        EXPECT_FALSE(hung) << c.what;
        ASSERT_TRUE(done.has_value()) << c.what;
        EXPECT_EQ(*done, c.warning ? 0 : 1) << c.what;  // a file that did not open fails the run
        const QImage shot(options.Screenshot);
        EXPECT_FALSE(shot.isNull()) << c.what;
        EXPECT_EQ(shot.size(), app.MainWindow().size()) << c.what;
        EXPECT_FALSE(app.MainWindow().isVisible()) << c.what;
        EXPECT_EQ(app.Document().FileLoaded, c.warning) << c.what;
    }
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
