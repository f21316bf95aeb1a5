#include "app/about_box.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "widgets/dialogs_qt.h"

namespace brackle {

AboutBox::AboutBox(Dialogs& dialogs, const QString& forumUrl, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs), forumUrl_(forumUrl)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("About Brackle For Vornex"));
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<h2>Brackle for Vornex</h2>"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(BRACKLE_VERSION)), this);
    version->setObjectName(QStringLiteral("Version"));
    auto* text = new QLabel(
        QStringLiteral("An editor for Vornex order-of-battle files: units, weapons and formations.\n"
                       "Questions, bug reports and shared OOBs: the modders' forum at\n%1")
            .arg(forumUrl_),
        this);
    text->setObjectName(QStringLiteral("Comments"));
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(this);
    auto* forum = buttons->addButton(QStringLiteral("Visit the &forum"), QDialogButtonBox::ActionRole);
    forum->setObjectName(QStringLiteral("ForumBtn"));
    auto* ok = buttons->addButton(QDialogButtonBox::Ok);
    ok->setObjectName(QStringLiteral("OKButton"));
    layout->addWidget(buttons);
    connect(forum, &QPushButton::clicked, this, &AboutBox::ForumBtnClick);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

void AboutBox::ForumBtnClick()
{
    if (!dialogs_.OpenUrl(QUrl(forumUrl_)))
        dialogs_.Message(this, QStringLiteral("Forum"),
                         QStringLiteral("No web browser could open %1").arg(forumUrl_), Dialogs::Icon::Warning);
}

}  // namespace brackle
