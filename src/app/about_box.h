// The About box: name, version, and the way to the modders' forum.
#pragma once

#include <QDialog>

namespace brackle {

class Dialogs;

class AboutBox : public QDialog {
    Q_OBJECT
public:
    AboutBox(Dialogs& dialogs, const QString& forumUrl, QWidget* parent = nullptr);
    void ForumBtnClick();

private:
    Dialogs& dialogs_;
    QString forumUrl_;
};

}  // namespace brackle
