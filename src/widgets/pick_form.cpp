#include "widgets/pick_form.h"

#include <algorithm>

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

#include "editors/pick_list.h"
#include "widgets/dialogs_qt.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace {

const char* const kHelpText = "Type a number or double-click an entry";
constexpr int kTypingPauseMs = 1500;
// A longer run of digits starts a new number, so the number always fits an int.
constexpr qsizetype kMaxTypedDigits = 9;

}  // namespace

TPickForm::TPickForm(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TPickForm"));
    setWindowTitle(QStringLiteral("Pick List"));
    resize(360, 480);

    auto* layout = new QVBoxLayout(this);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ListBox1->installEventFilter(this);
    layout->addWidget(ListBox1, 1);

    auto* buttons = new QDialogButtonBox(this);
    auto* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("OKBtn"));
    ok->setDefault(true);
    auto* cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("BitBtn1"));
    layout->addWidget(buttons);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(true);
    layout->addWidget(StatusBar1);

    typingTimer_ = new QTimer(this);
    typingTimer_->setObjectName(QStringLiteral("TypingTimer"));
    typingTimer_->setSingleShot(true);
    typingTimer_->setInterval(kTypingPauseMs);

    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Enter reaches OKBtn as the default button; only a double click chooses with
    // the mouse (a style may activate items on a single click).
    connect(ListBox1, &QListWidget::itemDoubleClicked, this, &TPickForm::ListBox1DblClick);
    connect(typingTimer_, &QTimer::timeout, this, [this] { typed_.clear(); });
}

int TPickForm::Choose(const QString& caption, const QStringList& entries, int selected)
{
    typingTimer_->stop();
    typed_.clear();
    ListBox1->clear();
    setWindowTitle(caption);
    ListBox1->addItems(entries);
    if (selected >= 0 && selected < ListBox1->count()) {
        ListBox1->setCurrentRow(selected);
        ListBox1->scrollToItem(ListBox1->currentItem(), QAbstractItemView::PositionAtCenter);
    } else {
        ListBox1->setCurrentRow(-1);
        ListBox1->scrollToTop();
    }
    StatusBar1->showMessage(QString::fromLatin1(kHelpText));
    ListBox1->setFocus();
    const bool accepted = exec() == QDialog::Accepted;
    typingTimer_->stop();
    // The chosen entry is the selected one: the list may make an entry current
    // without selecting it (on gaining focus with none selected), and OK on that
    // chooses nothing.
    const QList<QListWidgetItem*> chosen = ListBox1->selectedItems();
    if (!accepted || chosen.isEmpty())
        return -2;
    return ListBox1->row(chosen.front());
}

void TPickForm::ListBox1DblClick(QListWidgetItem* item)
{
    if (!item)
        return;
    ListBox1->setCurrentItem(item);
    accept();
}

bool TPickForm::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QString text = key->text();
        const bool plain = !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (plain && text.size() == 1 && text[0] >= QLatin1Char('0') && text[0] <= QLatin1Char('9')) {
            TypeDigit(text[0]);
            return true;  // keeps the list's own type-ahead search out of it
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TPickForm::TypeDigit(QChar digit)
{
    if (typed_.size() >= kMaxTypedDigits)
        typed_.clear();
    typed_ += digit;
    typingTimer_->start();
    const int count = ListBox1->count();
    if (count == 0)
        return;
    const int row = std::min(typed_.toInt(), count - 1);
    ListBox1->setCurrentRow(row);
    ListBox1->scrollToItem(ListBox1->currentItem(), QAbstractItemView::PositionAtCenter);
    StatusBar1->showMessage(QStringLiteral("Number %1").arg(typed_));
}

int PickFrom(Dialogs& dialogs, QWidget* parent, int kind, const Oob& oob, int editedFormType, long current)
{
    return PickFromList(dialogs, parent, MakePickList(kind, oob, editedFormType), current);
}

int PickFromList(Dialogs& dialogs, QWidget* parent, const PickList& list, long current)
{
    QStringList entries;
    entries.reserve(static_cast<qsizetype>(list.Entries.size()));
    for (const std::string& e : list.Entries)
        entries.push_back(ToQt(e));
    return PickResult(list, dialogs.Pick(parent, ToQt(list.Caption), entries, PickStartEntry(list, current)));
}

}  // namespace brackle
