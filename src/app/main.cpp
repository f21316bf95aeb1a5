#include <QApplication>
#include <QDir>
#include <cstdio>

#include "app/application_qt.h"
#include "widgets/dialogs_qt.h"
#include "widgets/text_qt.h"

namespace {

// Prints text to standard output; false when it could not be written.
bool Print(const QString& text)
{
    const QByteArray bytes = text.toLocal8Bit();
    return std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()), stdout) ==
               static_cast<std::size_t>(bytes.size()) &&
           std::fflush(stdout) == 0;
}

}  // namespace

int main(int argc, char** argv)
{
    // The command line is read before the window system starts, so --help,
    // --version and a bad option need no display.
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    for (qsizetype i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--help") || args[i] == QLatin1String("-h"))
            return Print(brackle::UsageText()) ? 0 : 4;
        if (args[i] == QLatin1String("--version"))
            return Print(QStringLiteral("brackle " BRACKLE_VERSION "\n")) ? 0 : 4;
    }
    // Qt's own options (-platform, -style) are the toolkit's: with one of them the
    // line is read again once the toolkit has taken its own.
    bool toolkitOptions = false;
    for (qsizetype i = 1; i < args.size(); ++i)
        toolkitOptions = toolkitOptions || (args[i].startsWith(QLatin1Char('-')) && !args[i].startsWith(QLatin1String("--")));
    QString error;
    auto options = brackle::ParseStartOptions(args, &error);
    auto refuse = [&error] {
        std::fprintf(stderr, "brackle: %s\n(brackle --help lists the options)\n", error.toLocal8Bit().constData());
        return 2;
    };
    if (!options && !toolkitOptions)
        return refuse();
    brackle::StartupPaths paths;
    paths.CurrentDir = brackle::PathFromQt(QDir::currentPath());
    QApplication app(argc, argv);
    if (!options) {
        options = brackle::ParseStartOptions(QApplication::arguments(), &error);
        if (!options)
            return refuse();
    }
    paths.ProgramDir = brackle::PathFromQt(QCoreApplication::applicationDirPath());
    brackle::QtDialogs dialogs;
    brackle::Application brackleApp(dialogs, paths, *options);
    if (const auto done = brackleApp.Show())
        return *done;
    return app.exec();
}
