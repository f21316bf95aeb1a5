// Dialogs that record what was shown and give the answers a test chose.
#pragma once

#include <QStringList>
#include <ostream>
#include <deque>
#include <vector>

#include "widgets/dialogs_qt.h"

namespace brackle::test {
}  // namespace brackle::test

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace brackle::test {

struct Shown {
    QString kind;  // "message", "question", "save", "open", "dir", "url", "pick", "replace", "paste"
    QString caption;
    QString text;
    Dialogs::Icon icon = Dialogs::Icon::None;
};

class ScriptedDialogs : public Dialogs {
public:
    void Message(QWidget*, const QString& caption, const QString& text, Icon icon) override;
    bool Question(QWidget*, const QString& caption, const QString& text) override;
    QString SaveFileName(QWidget*, const QString& caption, const QString& startPath, const QString& filter) override;
    QString OpenFileName(QWidget*, const QString& caption, const QString& startDir, const QString& filter) override;
    QString ExistingDirectory(QWidget*, const QString& caption, const QString& startDir) override;
    bool OpenUrl(const QUrl& url) override;
    int Pick(QWidget*, const QString& caption, const QStringList& entries, int selected) override;
    bool SearchAndReplace(QWidget*, QString* find, QString* replace) override;
    PasteResult PasteBuffer(QWidget*, PasteRequest& request) override;

    std::vector<Shown> shown;
    std::deque<bool> answers;      // for questions; No when empty
    std::deque<QString> paths;     // for file and folder dialogs; cancel when empty
    bool urlOpens = true;
    std::deque<int> picks;         // for pick lists; Cancel (-2) when empty
    QStringList lastPickEntries;   // the entries of the last pick list shown
    int lastPickSelected = -3;     // the entry it opened on (-1: none); -3 before any pick list
    // Answers of the search-and-replace dialog: {find, replace}; Cancel when empty.
    std::deque<std::pair<QString, QString>> replaces;
    // Answers of the paste-buffer dialog: how it ends and, for OK, the slot chosen; Cancel when empty.
    std::deque<std::pair<PasteResult, int>> pastes;
};

}  // namespace brackle::test
