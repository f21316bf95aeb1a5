#include <QApplication>
#include <QDir>
#include <cstdio>

#include "app/application_qt.h"
#include "widgets/dialogs_qt.h"
#include "widgets/text_qt.h"

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString error;
    const auto options = brackle::ParseStartOptions(QApplication::arguments(), &error);
    if (!options) {
        std::fprintf(stderr,
                     "brackle: %s\n"
                     "usage: brackle [--game-root DIR] [--open N] [--no-splash] [--screenshot FILE]\n",
                     error.toLocal8Bit().constData());
        return 2;
    }
    brackle::StartupPaths paths;
    paths.ProgramDir = brackle::PathFromQt(QCoreApplication::applicationDirPath());
    paths.CurrentDir = brackle::PathFromQt(QDir::currentPath());
    brackle::QtDialogs dialogs;
    brackle::Application brackleApp(dialogs, paths, *options);
    if (const auto done = brackleApp.Show())
        return *done;
    return app.exec();
}
