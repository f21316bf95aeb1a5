#include "widgets/scripted_dialogs.h"

namespace brackle::test {

void ScriptedDialogs::Message(QWidget*, const QString& caption, const QString& text, Icon icon)
{
    shown.push_back({QStringLiteral("message"), caption, text, icon});
}

bool ScriptedDialogs::Question(QWidget*, const QString& caption, const QString& text)
{
    shown.push_back({QStringLiteral("question"), caption, text, Icon::Question});
    if (answers.empty())
        return false;
    const bool a = answers.front();
    answers.pop_front();
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
    return Next(paths);
}

QString ScriptedDialogs::OpenFileName(QWidget*, const QString& caption, const QString& startDir, const QString&)
{
    shown.push_back({QStringLiteral("open"), caption, startDir});
    return Next(paths);
}

QString ScriptedDialogs::ExistingDirectory(QWidget*, const QString& caption, const QString& startDir)
{
    shown.push_back({QStringLiteral("dir"), caption, startDir});
    return Next(paths);
}

bool ScriptedDialogs::OpenUrl(const QUrl& url)
{
    shown.push_back({QStringLiteral("url"), QString(), url.toString()});
    return urlOpens;
}

int ScriptedDialogs::Pick(QWidget*, const QString& caption, const QStringList& entries, int selected)
{
    shown.push_back({QStringLiteral("pick"), caption, QString(), Icon::None});
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
    if (replaces.empty())
        return false;
    *find = replaces.front().first;
    *replace = replaces.front().second;
    replaces.pop_front();
    return true;
}

PasteResult ScriptedDialogs::PasteBuffer(QWidget*, PasteRequest& request)
{
    shown.push_back({QStringLiteral("paste"), QStringLiteral("Copy/Paste Dialogue"),
                     QString::fromStdString(PasteStatusText(request.Kind, request.Mode)), Icon::None});
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

}  // namespace brackle::test
