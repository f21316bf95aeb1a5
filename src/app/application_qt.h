// Start-up of the editor: the splash, then every window in its order.
#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

#include "app/main_window.h"
#include "oob/records.h"

namespace brackle {

class AboutBox;
class TFormFormSearch;
class Dialogs;

struct StartOptions {
    bool Splash = true;
    std::filesystem::path GameRoot;  // empty: derive it from the current folder
    int Open = 0;                    // a file number to open after start-up, 0 for none
    QString Screenshot;              // save the main window as PNG here and quit
    int Page = -1;                   // the page to show after the file opens (TSDIAppForm::Page), -1 the default
    int Slot = 0;                    // the slot to show on that page, 0 the default
    QString ReportTab;               // open the report window on this tab (and run it); empty for none
};

// The options, one a line, for --help.
QString UsageText();

// Reads the command line; on a bad argument gives nullopt and sets error.
std::optional<StartOptions> ParseStartOptions(const QStringList& args, QString* error);

// A window whose contents come with a later version; it already has its caption.
class ShellDialog : public QDialog {
    Q_OBJECT
public:
    ShellDialog(const QString& objectName, const QString& caption, QWidget* parent);
};

class Application {
public:
    Application(Dialogs& dialogs, const StartupPaths& paths, const StartOptions& options);
    ~Application();

    TSDIAppForm& MainWindow() { return *main_; }
    AboutBox& About() { return *about_; }
    QDialog* Window(const QString& objectName) const;
    Oob& Document() { return *oob_; }

    // Opens the options' file and shows the main window. Gives the exit code
    // when the run is already over (a screenshot was taken), else nullopt.
    std::optional<int> Show();

private:
    Dialogs& dialogs_;
    StartOptions options_;
    std::unique_ptr<Oob> oob_;
    std::unique_ptr<TSDIAppForm> main_;
    std::unique_ptr<AboutBox> about_;
    std::vector<std::unique_ptr<QDialog>> windows_;
    TFormFormSearch* report_ = nullptr;
};

}  // namespace brackle
