// Every modal question and every hand-off to the desktop goes through Dialogs,
// so tests can answer them without a window ever blocking.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <optional>

#include "transfer/paste_buffers.h"

class QFont;
class QPrinter;
class QWidget;

namespace brackle {

class TPickForm;
class TFormSandR;

class Dialogs {
public:
    enum class Icon { None, Information, Warning, Error, Question };

    virtual ~Dialogs() = default;

    // A message box with one OK button. Line breaks in text are CR LF.
    virtual void Message(QWidget* parent, const QString& caption, const QString& text, Icon icon) = 0;
    // A Yes/No question; true for Yes.
    virtual bool Question(QWidget* parent, const QString& caption, const QString& text) = 0;
    // A question with a way out: Yes/No/Cancel, or Save/Discard/Cancel (Save answers
    // Yes, Discard answers No). Escape and closing the box answer Cancel.
    enum class Choices { YesNoCancel, SaveDiscardCancel };
    enum class Answer { Yes, No, Cancel };
    virtual Answer Ask(QWidget* parent, const QString& caption, const QString& text, Choices choices) = 0;
    // The path chosen in a save dialog, or an empty text when cancelled.
    virtual QString SaveFileName(QWidget* parent, const QString& caption, const QString& startPath,
                                 const QString& filter) = 0;
    // The path chosen in an open dialog, or an empty text when cancelled.
    virtual QString OpenFileName(QWidget* parent, const QString& caption, const QString& startDir,
                                 const QString& filter) = 0;
    // The folder chosen, or an empty text when cancelled.
    virtual QString ExistingDirectory(QWidget* parent, const QString& caption, const QString& startDir) = 0;
    // Opens a file or web address with the desktop's default handler; false when that failed.
    virtual bool OpenUrl(const QUrl& url) = 0;
    // The pick list: entries (entry index = number) under caption, entry selected
    // selected (-1: none). Gives the index chosen with OK or a double click, or -2
    // on Cancel or close, and on OK while no entry is selected.
    virtual int Pick(QWidget* parent, const QString& caption, const QStringList& entries, int selected) = 0;
    // The search-and-replace dialog; true on OK, with the name to find and its replacement.
    virtual bool SearchAndReplace(QWidget* parent, QString* find, QString* replace) = 0;
    // The paste-buffer dialog for one copy or paste; OK and All carry out their
    // buffer or table operation before it ends.
    virtual PasteResult PasteBuffer(QWidget* parent, PasteRequest& request) = 0;
    // The print dialog for printer; false when cancelled.
    virtual bool Print(QWidget* parent, QPrinter* printer) = 0;
    // The font dialog, starting at *font; true with the font chosen on OK.
    virtual bool ChooseFont(QWidget* parent, QFont* font) = 0;
    // The picture browser over the pictures in picturesDir, standing on start
    // (0: none); the picture number chosen with OK, nothing on Cancel.
    virtual std::optional<int> BrowsePicture(QWidget* parent, const QString& picturesDir, int start) = 0;
};

// The real dialogs, shown with Qt.
class QtDialogs : public Dialogs {
public:
    void Message(QWidget* parent, const QString& caption, const QString& text, Icon icon) override;
    bool Question(QWidget* parent, const QString& caption, const QString& text) override;
    Answer Ask(QWidget* parent, const QString& caption, const QString& text, Choices choices) override;
    QString SaveFileName(QWidget* parent, const QString& caption, const QString& startPath,
                         const QString& filter) override;
    QString OpenFileName(QWidget* parent, const QString& caption, const QString& startDir,
                         const QString& filter) override;
    QString ExistingDirectory(QWidget* parent, const QString& caption, const QString& startDir) override;
    bool OpenUrl(const QUrl& url) override;
    int Pick(QWidget* parent, const QString& caption, const QStringList& entries, int selected) override;
    bool SearchAndReplace(QWidget* parent, QString* find, QString* replace) override;
    PasteResult PasteBuffer(QWidget* parent, PasteRequest& request) override;
    bool Print(QWidget* parent, QPrinter* printer) override;
    bool ChooseFont(QWidget* parent, QFont* font) override;
    std::optional<int> BrowsePicture(QWidget* parent, const QString& picturesDir, int start) override;
    // The paste-buffer dialog belongs to the transfer pages above this layer, so
    // whoever builds the windows hands it in; without one, PasteBuffer does nothing.
    using PasteBufferShow = std::function<PasteResult(QWidget* parent, PasteRequest& request)>;
    void SetPasteBufferShow(PasteBufferShow show) { pasteBufferShow_ = std::move(show); }
    // The picture browser is a graphics window above this layer too; without one, BrowsePicture gives nothing.
    using PictureBrowserShow = std::function<std::optional<int>(QWidget* parent, const QString& picturesDir, int start)>;
    void SetPictureBrowserShow(PictureBrowserShow show) { pictureBrowserShow_ = std::move(show); }
    // The search-and-replace dialog to show; without one, a dialog is made for each call.
    void SetSandRForm(TFormSandR* form) { sandRForm_ = form; }

    // The pick list Pick shows; without one, Pick makes a pick list for each call.
    void SetPickForm(TPickForm* form) { pickForm_ = form; }

private:
    TPickForm* pickForm_ = nullptr;
    TFormSandR* sandRForm_ = nullptr;
    PasteBufferShow pasteBufferShow_;
    PictureBrowserShow pictureBrowserShow_;
};

}  // namespace brackle
