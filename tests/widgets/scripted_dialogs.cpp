#include "widgets/scripted_dialogs.h"

#include <QMessageBox>
#include <QPrinter>
#include <QTest>
#include <QTimer>

namespace brackle::test {

void ScriptedDialogs::Message(QWidget* parent, const QString& caption, const QString& text, Icon icon)
{
    shown.push_back({QStringLiteral("message"), caption, text, icon});
    if (onShown)
        onShown();
    if (modalBoxes) {
        QMessageBox box(QMessageBox::Information, caption, text, QMessageBox::Ok, parent);
        QTimer::singleShot(0, &box, [&box] {
            QTest::qWaitForWindowActive(&box);
            box.accept();
        });
        box.exec();
    }
}

bool ScriptedDialogs::Question(QWidget*, const QString& caption, const QString& text)
{
    shown.push_back({QStringLiteral("question"), caption, text, Icon::Question});
    if (onShown)
        onShown();
    if (answers.empty())
        return false;
    const bool a = answers.front();
    answers.pop_front();
    return a;
}

Dialogs::Answer ScriptedDialogs::Ask(QWidget*, const QString& caption, const QString& text, Choices)
{
    shown.push_back({QStringLiteral("ask"), caption, text, Icon::Question});
    if (onShown)
        onShown();
    if (choices.empty())
        return Answer::Cancel;
    const Answer a = choices.front();
    choices.pop_front();
    return a;
}

namespace {
QString Next(std::deque<QString>& paths)
{
    if (paths.empty())
        return {};
    QString p = paths.front();
    paths.pop_front();
    return p;
}
}  // namespace

QString ScriptedDialogs::SaveFileName(QWidget*, const QString& caption, const QString& startPath, const QString&)
{
    shown.push_back({QStringLiteral("save"), caption, startPath});
    if (onShown)
        onShown();
    return Next(paths);
}

QString ScriptedDialogs::OpenFileName(QWidget*, const QString& caption, const QString& startDir, const QString&)
{
    shown.push_back({QStringLiteral("open"), caption, startDir});
    if (onShown)
        onShown();
    return Next(paths);
}

QString ScriptedDialogs::ExistingDirectory(QWidget*, const QString& caption, const QString& startDir)
{
    shown.push_back({QStringLiteral("dir"), caption, startDir});
    if (onShown)
        onShown();
    return Next(paths);
}

bool ScriptedDialogs::OpenUrl(const QUrl& url)
{
    shown.push_back({QStringLiteral("url"), QString(), url.toString()});
    if (onShown)
        onShown();
    return urlOpens;
}

int ScriptedDialogs::Pick(QWidget*, const QString& caption, const QStringList& entries, int selected)
{
    shown.push_back({QStringLiteral("pick"), caption, QString(), Icon::None});
    if (onShown)
        onShown();
    lastPickEntries = entries;
    lastPickSelected = selected;
    if (picks.empty())
        return -2;
    const int n = picks.front();
    picks.pop_front();
    return n;
}

bool ScriptedDialogs::SearchAndReplace(QWidget*, QString* find, QString* replace)
{
    shown.push_back({QStringLiteral("replace"), QStringLiteral("Search And Replace"), QString(), Icon::None});
    if (onShown)
        onShown();
    if (replaces.empty())
        return false;
    *find = replaces.front().first;
    *replace = replaces.front().second;
    replaces.pop_front();
    return true;
}

std::optional<int> ScriptedDialogs::BrowsePicture(QWidget*, const QString& picturesDir, int start)
{
    shown.push_back({QStringLiteral("browse"), QStringLiteral("LBM Browser"), QString::number(start), Icon::None});
    lastBrowseStart = start;
    lastBrowseFolder = picturesDir;
    if (onShown)
        onShown();
    if (pictureBrowser)
        return pictureBrowser(picturesDir, start);
    if (browsedPictures.empty())
        return std::nullopt;
    const std::optional<int> n = browsedPictures.front();
    browsedPictures.pop_front();
    return n;
}

PasteResult ScriptedDialogs::PasteBuffer(QWidget*, PasteRequest& request)
{
    shown.push_back({QStringLiteral("paste"), QStringLiteral("Copy/Paste Dialogue"),
                     QString::fromStdString(PasteStatusText(request.Kind, request.Mode)), Icon::None});
    if (onShown)
        onShown();
    if (pasteDialog)
        return pasteDialog(request);
    if (request.Kind == FormationBuffer)
        ResetOptionsForFormations(*request.Options);
    if (pastes.empty())
        return PasteResult::Cancel;
    const auto [result, slot] = pastes.front();
    pastes.pop_front();
    if (result == PasteResult::Ok)
        ConfirmSlot(request, slot);
    else if (result == PasteResult::All)
        ConfirmAll(request);
    else if (result == PasteResult::Cleared)
        ClearAll(*request.Buffers);
    return result;
}

bool ScriptedDialogs::Print(QWidget*, QPrinter* printer)
{
    shown.push_back({QStringLiteral("print"), QString(), QString(), Icon::None});
    if (onShown)
        onShown();
    if (printToPdf.isEmpty())
        return false;
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(printToPdf);
    return true;
}

bool ScriptedDialogs::ChooseFont(QWidget*, QFont* chosen)
{
    shown.push_back({QStringLiteral("font"), QString(), chosen->family(), Icon::None});
    if (onShown)
        onShown();
    if (!font)
        return false;
    *chosen = *font;
    return true;
}

}  // namespace brackle::test
