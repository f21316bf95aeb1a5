// The editor's command line as a script uses it: --help and --version without a
// display, screenshot runs that fail, and relative paths.
#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

#include "app/application_qt.h"
#include "oob/oob_file.h"
#include "test_support.h"
#include "widgets/scripted_dialogs.h"
#include "widgets/text_qt.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;

// A game folder with file 1 in its oobs folder and file 2 a folder of that name.
struct Game {
    Game()
    {
        fs::create_directories(prog);
        fs::create_directories(oobs);
        fs::create_directory(oobs / OOBFileName(2));
        Oob o;
        o.CurrentOOB = 1;
        o.UnitTable[1].Name = "First";
        WriteTablesToBuffer(o);
        EXPECT_TRUE(WriteFileAtomically(oobs / OOBFileName(1), o.OOBBuffer.data(), kBufferSize).ok);
    }
    test::TempDir tmp;
    fs::path prog = tmp.path() / "Vornex" / "Brackle";
    fs::path oobs = tmp.path() / "Vornex" / "game data" / "oobs";
};

TEST(ScreenshotRun, ExitsWith1WhenWhatItWasAskedForDidNotHappen)
{
    struct Case {
        const char* what;
        int open;
        const char* report;
        bool removeOobs;
        int code;
    };
    const std::vector<Case> cases = {
        {"file 1 opens", 1, "", false, 0},
        {"file 1 and a report tab", 1, "TabBrokenLinks", false, 0},
        {"file 2 cannot be read", 2, "", false, 1},
        {"file 3 is not there", 3, "", false, 1},
        {"the OOB folder is missing", 1, "", true, 1},
        {"the report tab is unknown", 1, "TabNoSuchReport", false, 1},
        {"the OOB folder is missing, nothing to open", 0, "", true, 1},
        {"nothing asked, nothing failed", 0, "", false, 0},
    };
    for (const auto& c : cases) {
        Game g;
        if (c.removeOobs)
            fs::remove_all(g.oobs);
        QtDialogs dialogs;
        StartOptions options;
        options.Splash = false;
        options.Open = c.open;
        options.ReportTab = QString::fromLatin1(c.report);
        options.Screenshot = PathToQt(g.tmp.path() / "shot.png");
        Application app(dialogs, StartupPaths{g.prog, g.prog, {}}, options);
        const auto done = app.Show();
        ASSERT_TRUE(done.has_value()) << c.what;
        EXPECT_EQ(*done, c.code) << c.what;
        EXPECT_FALSE(QImage(options.Screenshot).isNull()) << c.what << ": the shot is taken all the same";
    }
}

TEST(ScreenshotRun, RelativePathsMeanTheFolderTheEditorWasStartedIn)
{
    Game g;
    const fs::path started = g.tmp.path() / "started here";
    fs::create_directories(started / "Vornex" / "Brackle");
    fs::create_directory_symlink(g.tmp.path() / "Vornex" / "game data", started / "Vornex" / "game data");
    fs::current_path(g.tmp.path());  // the process stands elsewhere when the window is made
    QtDialogs dialogs;
    StartOptions options;
    options.Splash = false;
    options.Open = 1;
    options.GameRoot = "Vornex";
    options.Screenshot = QStringLiteral("a.png");
    Application app(dialogs, StartupPaths{g.prog, started, {}}, options);
    const auto done = app.Show();
    fs::current_path(fs::temp_directory_path());
    ASSERT_TRUE(done.has_value());
    EXPECT_EQ(*done, 0);
    EXPECT_TRUE(app.Document().FileLoaded) << "--game-root Vornex is the folder beside where it started";
    EXPECT_TRUE(fs::exists(started / "a.png"));
    EXPECT_FALSE(fs::exists(g.oobs / "a.png"));
    EXPECT_FALSE(fs::exists(g.tmp.path() / "a.png"));
}

// Runs the editor itself with neither a display nor a platform chosen.
QProcess::ExitStatus RunWithoutDisplay(const QStringList& args, int* code, QString* out, QString* err)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(BRACKLE_EDITOR), args);
    EXPECT_TRUE(p.waitForFinished(30000));
    *code = p.exitCode();
    *out = QString::fromLocal8Bit(p.readAllStandardOutput());
    *err = QString::fromLocal8Bit(p.readAllStandardError());
    return p.exitStatus();
}

TEST(CommandLine, HelpAndVersionNeedNoDisplay)
{
    int code = -1;
    QString out, err;
    EXPECT_EQ(RunWithoutDisplay({QStringLiteral("--help")}, &code, &out, &err), QProcess::NormalExit);
    EXPECT_EQ(code, 0) << err.toStdString();
    for (const char* option : {"--game-root", "--open", "--page", "--slot", "--report", "--no-splash",
                               "--screenshot", "--help", "--version"})
        EXPECT_TRUE(out.contains(QString::fromLatin1(option))) << option << " missing from:\n" << out.toStdString();

    EXPECT_EQ(RunWithoutDisplay({QStringLiteral("--version")}, &code, &out, &err), QProcess::NormalExit);
    EXPECT_EQ(code, 0) << err.toStdString();
    EXPECT_EQ(out.trimmed(), QStringLiteral("brackle " BRACKLE_VERSION));

    // A bad option says so and names the way to the usage, without a display too.
    EXPECT_EQ(RunWithoutDisplay({QStringLiteral("--bogus")}, &code, &out, &err), QProcess::NormalExit);
    EXPECT_EQ(code, 2);
    EXPECT_TRUE(err.contains(QStringLiteral("--bogus"))) << err.toStdString();
}

}  // namespace
}  // namespace brackle
