// Dialogs that record what was shown and give the answers a test chose.
#pragma once

#include <QFont>
#include <QStringList>
#include <optional>
#include <ostream>
#include <deque>
#include <functional>
#include <vector>

#include "widgets/dialogs_qt.h"

namespace brackle::test {
}  // namespace brackle::test

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace brackle::test {

struct Shown {
    QString kind;  // "message", "question", "ask", "save", "open", "dir", "url", "pick", "replace", "paste", "browse"
    QString caption;
    QString text;
    Dialogs::Icon icon = Dialogs::Icon::None;
};

class ScriptedDialogs : public Dialogs {
public:
    void Message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    bool Question(QWidget*, const QString& caption, const QString& text) override;
    Answer Ask(QWidget*, const QString& caption, const QString& text, Choices choices) override;
    QString SaveFileName(QWidget*, const QString& caption, const QString& startPath, const QString& filter) override;
    QString OpenFileName(QWidget*, const QString& caption, const QString& startDir, const QString& filter) override;
    QString ExistingDirectory(QWidget*, const QString& caption, const QString& startDir) override;
    bool OpenUrl(const QUrl& url) override;
    int Pick(QWidget*, const QString& caption, const QStringList& entries, int selected) override;
    bool SearchAndReplace(QWidget*, QString* find, QString* replace) override;
    PasteResult PasteBuffer(QWidget*, PasteRequest& request) override;
    bool Print(QWidget*, QPrinter* printer) override;
    bool ChooseFont(QWidget*, QFont* font) override;
    std::optional<int> BrowsePicture(QWidget*, const QString& picturesDir, int start) override;

    std::vector<Shown> shown;
    // Called each time something is shown, after it was recorded.
    std::function<void()> onShown;
    // When set, each message also shows a real modal box in front of its parent
    // until that box is active, then closes it, so the focus leaves the window
    // and comes back as it does for a user.
    bool modalBoxes = false;
    std::deque<bool> answers;      // for questions; No when empty
    std::deque<Answer> choices;    // for questions with a way out; Cancel when empty
    std::deque<QString> paths;     // for file and folder dialogs; cancel when empty
    bool urlOpens = true;
    std::deque<int> picks;         // for pick lists; Cancel (-2) when empty
    QStringList lastPickEntries;   // the entries of the last pick list shown
    int lastPickSelected = -3;     // the entry it opened on (-1: none); -3 before any pick list
    // Answers of the search-and-replace dialog: {find, replace}; Cancel when empty.
    std::deque<std::pair<QString, QString>> replaces;
    // Answers of the paste-buffer dialog: how it ends and, for OK, the slot chosen; Cancel when empty.
    std::deque<std::pair<PasteResult, int>> pastes;
    // When set, the paste-buffer dialog is this one (the real dialog, driven by the test) instead.
    std::function<PasteResult(PasteRequest&)> pasteDialog;
    // The print dialog: when set, the printer prints into this PDF file; cancelled when empty.
    QString printToPdf;
    // The font dialog: the font chosen; cancelled when unset.
    std::optional<QFont> font;
    // Answers of the picture browser: the number chosen, or nothing for Cancel; Cancel when empty.
    std::deque<std::optional<int>> browsedPictures;
    int lastBrowseStart = -1;        // the number the last picture browser opened on
    QString lastBrowseFolder;        // and the pictures folder it was given
    // When set, the picture browser is this one (the real browser, driven by the test) instead.
    std::function<std::optional<int>(const QString& picturesDir, int start)> pictureBrowser;
};

}  // namespace brackle::test
