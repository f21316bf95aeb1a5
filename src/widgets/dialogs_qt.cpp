#include "widgets/dialogs_qt.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QMessageBox>
#include <QPrintDialog>

#include "widgets/pick_form.h"
#include "widgets/search_replace_dialog.h"

namespace brackle {

namespace {

// Message texts keep the file's CR LF line breaks; the screen wants plain newlines.
QString ForDisplay(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QMessageBox::Icon ToQt(Dialogs::Icon icon)
{
    switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Warning: return QMessageBox::Warning;
    case Dialogs::Icon::Error: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::Message(QWidget* parent, const QString& caption, const QString& text, Icon icon)
{
    QMessageBox box(ToQt(icon), caption, ForDisplay(text), QMessageBox::Ok, parent);
    box.exec();
}

bool QtDialogs::Question(QWidget* parent, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, ForDisplay(text), QMessageBox::Yes | QMessageBox::No,
                    parent);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Dialogs::Answer QtDialogs::Ask(QWidget* parent, const QString& caption, const QString& text, Choices choices)
{
    const bool save = choices == Choices::SaveDiscardCancel;
    const QMessageBox::StandardButton yes = save ? QMessageBox::Save : QMessageBox::Yes;
    const QMessageBox::StandardButton no = save ? QMessageBox::Discard : QMessageBox::No;
    QMessageBox box(QMessageBox::Question, caption, ForDisplay(text), yes | no | QMessageBox::Cancel, parent);
    box.setDefaultButton(save ? yes : QMessageBox::Cancel);
    box.setEscapeButton(QMessageBox::Cancel);
    const int chosen = box.exec();
    if (chosen == yes)
        return Answer::Yes;
    if (chosen == no)
        return Answer::No;
    return Answer::Cancel;
}

QString QtDialogs::SaveFileName(QWidget* parent, const QString& caption, const QString& startPath,
                                const QString& filter)
{
    return QFileDialog::getSaveFileName(parent, caption, startPath, filter);
}

QString QtDialogs::OpenFileName(QWidget* parent, const QString& caption, const QString& startDir,
                                const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, caption, startDir, filter);
}

QString QtDialogs::ExistingDirectory(QWidget* parent, const QString& caption, const QString& startDir)
{
    return QFileDialog::getExistingDirectory(parent, caption, startDir);
}

bool QtDialogs::OpenUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

int QtDialogs::Pick(QWidget* parent, const QString& caption, const QStringList& entries, int selected)
{
    if (pickForm_)
        return pickForm_->Choose(caption, entries, selected);
    TPickForm form(parent);
    return form.Choose(caption, entries, selected);
}

bool QtDialogs::SearchAndReplace(QWidget* parent, QString* find, QString* replace)
{
    TFormSandR once(parent);
    TFormSandR& form = sandRForm_ ? *sandRForm_ : once;
    if (!form.Choose())
        return false;
    *find = form.SearchText();
    *replace = form.ReplaceText();
    return true;
}

PasteResult QtDialogs::PasteBuffer(QWidget* parent, PasteRequest& request)
{
    if (pasteBufferShow_)
        return pasteBufferShow_(parent, request);
    return PasteResult::Cancel;
}

std::optional<int> QtDialogs::BrowsePicture(QWidget* parent, const QString& picturesDir, int start)
{
    if (pictureBrowserShow_)
        return pictureBrowserShow_(parent, picturesDir, start);
    return std::nullopt;
}

bool QtDialogs::Print(QWidget* parent, QPrinter* printer)
{
    QPrintDialog dialog(printer, parent);
    return dialog.exec() == QDialog::Accepted;
}

bool QtDialogs::ChooseFont(QWidget* parent, QFont* font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, *font, parent);
    if (ok)
        *font = chosen;
    return ok;
}

}  // namespace brackle
