#include "app/application_qt.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QTimer>
#include <QVBoxLayout>
#include <cstdio>

#include "app/about_box.h"
#include "app/splash_screen.h"
#include "editors/delete_all_dialog.h"
#include "editors/renationalise_dialog.h"
#include "graphics/colour_form.h"
#include "graphics/lbm_browse_form.h"
#include "reports/report_window.h"
#include "transfer/paster_dialog.h"
#include "widgets/dialogs_qt.h"
#include "widgets/pick_form.h"
#include "widgets/search_replace_dialog.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace fs = std::filesystem;

std::optional<StartOptions> ParseStartOptions(const QStringList& args, QString* error)
{
    StartOptions o;
    for (int i = 1; i < args.size(); ++i) {
        const QString& a = args[i];
        auto value = [&](const char* what) -> std::optional<QString> {
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("%1 needs %2").arg(a, QString::fromLatin1(what));
                return std::nullopt;
            }
            return args[++i];
        };
        if (a == QLatin1String("--no-splash")) {
            o.Splash = false;
        } else if (a == QLatin1String("--game-root")) {
            const auto v = value("a folder");
            if (!v)
                return std::nullopt;
            o.GameRoot = PathFromQt(*v);
        } else if (a == QLatin1String("--open")) {
            const auto v = value("a file number 1..99");
            if (!v)
                return std::nullopt;
            bool ok = false;
            const int n = v->toInt(&ok);
            if (!ok || n < 1 || n > kNations) {
                *error = QStringLiteral("--open needs a file number 1..99, not \"%1\"").arg(*v);
                return std::nullopt;
            }
            o.Open = n;
        } else if (a == QLatin1String("--page")) {
            const auto v = value("units, weapons, formations, load or info");
            if (!v)
                return std::nullopt;
            const QStringList pages = {"units", "weapons", "formations", "load", "info"};
            o.Page = static_cast<int>(pages.indexOf(v->toLower()));
            if (o.Page < 0) {
                *error = QStringLiteral("--page needs units, weapons, formations, load or info, not \"%1\"").arg(*v);
                return std::nullopt;
            }
        } else if (a == QLatin1String("--slot")) {
            const auto v = value("a slot number 1..999");
            if (!v)
                return std::nullopt;
            bool ok = false;
            o.Slot = v->toInt(&ok);
            if (!ok || o.Slot < 1 || o.Slot > kUnitSlots) {
                *error = QStringLiteral("--slot needs a slot number 1..999, not \"%1\"").arg(*v);
                return std::nullopt;
            }
        } else if (a == QLatin1String("--report")) {
            const auto v = value("a report tab such as TabBrokenLinks");
            if (!v)
                return std::nullopt;
            o.ReportTab = *v;
        } else if (a == QLatin1String("--screenshot")) {
            const auto v = value("a PNG file name");
            if (!v)
                return std::nullopt;
            o.Screenshot = *v;
        } else {
            *error = QStringLiteral("unknown option \"%1\"").arg(a);
            return std::nullopt;
        }
    }
    return o;
}

QString UsageText()
{
    return QStringLiteral(
        "usage: brackle [options]\n"
        "  --game-root DIR     the game's folder (default: the folder above the one started in)\n"
        "  --open N            open OOB file N (1..99) after start-up\n"
        "  --page PAGE         the page shown once the file is open: units, weapons, formations, load or info\n"
        "  --slot N            the slot shown on that page (1..999)\n"
        "  --report TAB        open the report window on a tab (e.g. TabBrokenLinks) and run it\n"
        "  --no-splash         start without the splash screen\n"
        "  --screenshot FILE   save a PNG of the window and quit; exit 1 when the folder, the file\n"
        "                      or the report asked for could not be shown\n"
        "  --help              print this and exit\n"
        "  --version           print the version and exit\n"
        "Relative paths are taken from the folder the editor is started in.\n");
}

ShellDialog::ShellDialog(const QString& objectName, const QString& caption, QWidget* parent) : QDialog(parent)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("This window comes with a later version of Brackle."), this));
}

Application::Application(Dialogs& dialogs, const StartupPaths& paths, const StartOptions& options)
    : dialogs_(dialogs), options_(options), oob_(std::make_unique<Oob>())
{
    QApplication::setApplicationName(QStringLiteral("Brackle - Vornex V 1"));
    std::unique_ptr<SplashScreen> splash;
    if (options_.Splash) {
        splash = std::make_unique<SplashScreen>();
        splash->RunUntilDone();
    }
    // Paths on the command line mean the folder the editor was started in; opening
    // a file makes the OOB folder current later, so they are made whole now.
    StartupPaths p = paths;
    std::error_code ec;
    const fs::path started = p.CurrentDir.empty() ? fs::current_path(ec) : p.CurrentDir;
    if (!options_.GameRoot.empty() && options_.GameRoot.is_relative())
        options_.GameRoot = started / options_.GameRoot;
    if (!options_.Screenshot.isEmpty() && QDir::isRelativePath(options_.Screenshot))
        options_.Screenshot = QDir(PathToQt(started)).absoluteFilePath(options_.Screenshot);
    if (!options_.GameRoot.empty())
        p.GameRootOverride = options_.GameRoot;
    main_ = std::make_unique<TSDIAppForm>(*oob_, dialogs_, p);
    auto shell = [this](const char* name, const char* caption) {
        windows_.push_back(std::make_unique<ShellDialog>(QString::fromLatin1(name), QString::fromLatin1(caption),
                                                         main_.get()));
    };
    {
        auto report = std::make_unique<TFormFormSearch>(*oob_, dialogs_, main_->ProgramDir(), main_.get());
        main_->SetReportWindow(report.get());
        report_ = report.get();
        windows_.push_back(std::move(report));
    }
    {
        auto sandR = std::make_unique<TFormSandR>(main_.get());
        main_->ReportDroppedCharacters(sandR.get());
        if (auto* qt = dynamic_cast<QtDialogs*>(&dialogs_))
            qt->SetSandRForm(sandR.get());
        windows_.push_back(std::move(sandR));
    }
    auto deleteAll = std::make_unique<TFormDeleteAll>(*oob_, dialogs_, main_.get());
    TFormDeleteAll* deleteAllDlg = deleteAll.get();
    windows_.push_back(std::move(deleteAll));
    if (splash) {
        splash->hide();
        splash.reset();
    }
    about_ = std::make_unique<AboutBox>(dialogs_, main_->settings().ForumURL.empty()
                                                      ? QString()
                                                      : ToQt(main_->settings().ForumURL),
                                        main_.get());
    {
        auto pick = std::make_unique<TPickForm>(main_.get());
        if (auto* qt = dynamic_cast<QtDialogs*>(&dialogs_))
            qt->SetPickForm(pick.get());
        windows_.push_back(std::move(pick));
    }
    {
        auto paster = std::make_unique<TPasterDlg>(dialogs_, main_.get());
        if (auto* qt = dynamic_cast<QtDialogs*>(&dialogs_)) {
            TPasterDlg* dlg = paster.get();
            qt->SetPasteBufferShow([dlg](QWidget*, PasteRequest& request) { return dlg->Run(request); });
        }
        windows_.push_back(std::move(paster));
    }
    auto renat = std::make_unique<TRenatDlg>(*oob_, dialogs_, main_.get());
    main_->SetBulkDialogs(renat.get(), deleteAllDlg);
    windows_.push_back(std::move(renat));
    {
        auto browser = std::make_unique<TLBMBrowseForm>(main_.get());
        if (auto* qt = dynamic_cast<QtDialogs*>(&dialogs_)) {
            TLBMBrowseForm* form = browser.get();
            qt->SetPictureBrowserShow(
                [form](QWidget*, const QString& picturesDir, int start) { return form->Run(picturesDir, start); });
        }
        windows_.push_back(std::move(browser));
    }
    {
        auto colour = std::make_unique<TFormColour>(main_.get());
        main_->SetColourForm(colour.get());
        windows_.push_back(std::move(colour));
    }
    QObject::connect(main_.get(), &TSDIAppForm::aboutRequested, about_.get(), [this] { about_->exec(); });
}

Application::~Application()
{
    // The pick list and search dialog go with the windows; the dialogs may outlive them.
    if (auto* qt = dynamic_cast<QtDialogs*>(&dialogs_)) {
        qt->SetPickForm(nullptr);
        qt->SetSandRForm(nullptr);
        qt->SetPasteBufferShow(nullptr);
        qt->SetPictureBrowserShow(nullptr);
    }
}

QDialog* Application::Window(const QString& objectName) const
{
    for (const auto& w : windows_) {
        if (w->objectName() == objectName)
            return w.get();
    }
    return nullptr;
}

namespace {

// The main window with the box drawn where it stands in front of it (in the
// middle when it stands elsewhere), saved as PNG.
bool SaveShotWithBox(QWidget* window, QWidget* box, const QString& file)
{
    QPixmap shot = window->grab();
    const QPixmap front = box->grab();
    QPoint at = box->mapToGlobal(QPoint(0, 0)) - window->mapToGlobal(QPoint(0, 0));
    if (!shot.rect().contains(QRect(at, front.size())))
        at = QPoint((shot.width() - front.width()) / 2, (shot.height() - front.height()) / 2);
    {
        QPainter painter(&shot);
        painter.drawPixmap(at, front);
    }
    return shot.save(file, "PNG");
}

}  // namespace

std::optional<int> Application::Show()
{
    main_->show();
    // A message box shown while the file opens (it cannot be read, or it comes
    // with a warning) runs until someone presses OK, which nobody does in a
    // screenshot run: a timer takes the shot with the box in front and closes it.
    bool shotTaken = false;
    bool shotSaved = false;
    QTimer boxWatch;
    if (!options_.Screenshot.isEmpty()) {
        boxWatch.setInterval(50);
        QObject::connect(&boxWatch, &QTimer::timeout, [&] {
            QWidget* box = QApplication::activeModalWidget();
            if (!box)
                return;
            if (!shotTaken) {
                shotTaken = true;
                shotSaved = SaveShotWithBox(main_.get(), box, options_.Screenshot);
            }
            const auto* message = qobject_cast<QMessageBox*>(box);
            std::fprintf(stderr, "brackle: %s: %s\n", box->windowTitle().toLocal8Bit().constData(),
                         message ? message->text().toLocal8Bit().constData() : "");
            if (auto* dialog = qobject_cast<QDialog*>(box))
                dialog->done(QDialog::Rejected);
            else
                box->close();
        });
        boxWatch.start();
    }
    // Said once the window is up, so a screenshot run closes it like any other box.
    main_->ReportIconMapProblems();
    // What was asked for and could not be shown makes a screenshot run fail.
    bool failed = false;
    if (!main_->OOBFolderProblem().isEmpty()) {
        std::fprintf(stderr, "brackle: %s\n", main_->OOBFolderProblem().toLocal8Bit().constData());
        failed = true;
    }
    if (options_.Open > 0) {
        auto* list = main_->findChild<QListWidget*>(QStringLiteral("KobListBox"));
        if (list && list->count() >= options_.Open) {
            list->setCurrentRow(options_.Open - 1);
            main_->KobListBoxDblClick();
        }
        if (!oob_->FileLoaded || oob_->CurrentOOB != options_.Open) {
            std::fprintf(stderr, "brackle: could not open file %d in %s\n", options_.Open,
                         main_->OOBDir().string().c_str());
            failed = true;
        }
    }
    if (oob_->FileLoaded && (options_.Page >= 0 || options_.Slot > 0))
        main_->ShowPageAt(options_.Page, options_.Slot);
    QWidget* shot = main_.get();
    if (!options_.ReportTab.isEmpty()) {
        if (!oob_->FileLoaded) {
            std::fprintf(stderr, "brackle: no file is open, so the report %s cannot run\n",
                         options_.ReportTab.toLocal8Bit().constData());
            failed = true;
        } else {
            main_->FindformClick();
            if (!report_->ShowTab(options_.ReportTab)) {
                std::fprintf(stderr, "brackle: the report window has no tab %s\n",
                             options_.ReportTab.toLocal8Bit().constData());
                failed = true;
            }
            shot = report_;
        }
    }
    if (!options_.Screenshot.isEmpty()) {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
        boxWatch.stop();
        const bool ok = shotTaken ? shotSaved : shot->grab().save(options_.Screenshot, "PNG");
        if (!ok)
            std::fprintf(stderr, "brackle: cannot write the screenshot %s\n", options_.Screenshot.toLocal8Bit().constData());
        main_->CloseWithoutAsking();
        return ok && !failed ? 0 : 1;
    }
    return std::nullopt;
}

}  // namespace brackle
