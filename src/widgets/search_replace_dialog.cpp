#include "widgets/search_replace_dialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "oob/records.h"
#include "widgets/text_qt.h"

namespace brackle {

TFormSandR::TFormSandR(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TFormSandR"));
    setWindowTitle(QStringLiteral("Search And Replace"));
    auto* grid = new QGridLayout(this);
    auto edit = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(static_cast<int>(kNameLength));
        e->setValidator(new Latin1Validator(e));
        e->setMinimumWidth(180);
        return e;
    };
    EditsearchString = edit("EditsearchString");
    EditReplace = edit("EditReplace");
    auto* find = new QLabel(QStringLiteral("&Replace"), this);
    find->setBuddy(EditsearchString);
    auto* with = new QLabel(QStringLiteral("&With"), this);
    with->setBuddy(EditReplace);
    grid->addWidget(find, 0, 0);
    grid->addWidget(EditsearchString, 0, 1);
    grid->addWidget(with, 1, 0);
    grid->addWidget(EditReplace, 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("(Case Insensitive)"), this), 2, 1);
    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKbtn"));
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("CancelBtn"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    grid->addWidget(buttons, 3, 0, 1, 2);
    setFixedSize(sizeHint());
}

bool TFormSandR::Choose()
{
    EditsearchString->setFocus();
    EditsearchString->selectAll();
    return exec() == QDialog::Accepted;
}

QString TFormSandR::SearchText() const
{
    return EditsearchString->text();
}

QString TFormSandR::ReplaceText() const
{
    return EditReplace->text();
}

}  // namespace brackle
