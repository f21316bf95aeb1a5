#include "graphics/lbm_browse_form.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QSignalBlocker>
#include <QStyle>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <system_error>

#include "graphics/graphics_files.h"
#include "graphics/indexed_image_qt.h"
#include "oob/text.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace fs = std::filesystem;

namespace {

// Changes of the number that come quicker than this are shown together: only
// the last number's pictures are read.
constexpr int kRefreshDelayMs = 25;
// PgUp and PgDn move by a page of pictures.
constexpr int kPageStep = 9;
// Decoded pictures kept for paging back and forth: at most this many, and at most this many bytes.
constexpr std::size_t kCachePictures = 64;
constexpr qsizetype kCacheBytes = qsizetype{48} * 1024 * 1024;

const char* const kImageNames[9] = {"LBMImageMinus4", "LBMImageMinus3", "LBMImageMinus2",
                                    "LBMImageMinus1", "TheLBMImage",    "LBMImagePlus1",
                                    "LBMImagePlus2",  "LBMImagePlus3",  "LBMImagePlus4"};

int ClampPicture(long n) { return static_cast<int>(std::clamp<long>(n, 0, kMaxPicture)); }

// The number of a picture file name "Pm" + five digits + ".lbm" in any case, or -1.
int PictureNumberOf(const std::string& name)
{
    const std::string lower = Lower(name);
    if (lower.size() != 11 || lower.compare(0, 2, "pm") != 0 || lower.compare(7, 4, ".lbm") != 0)
        return -1;
    int n = 0;
    for (std::size_t i = 2; i < 7; ++i) {
        if (lower[i] < '0' || lower[i] > '9')
            return -1;
        n = n * 10 + (lower[i] - '0');
    }
    return n;
}

}  // namespace

// ---------------------------------------------------------------------------
// PictureFrame

PictureFrame::PictureFrame(bool current, QWidget* parent) : QWidget(parent), current_(current)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    if (current_) {
        QFont bold = font();
        bold.setBold(true);
        setFont(bold);
    }
}

void PictureFrame::Show(int number, const QImage& picture, const QString& hint)
{
    number_ = number;
    if (picture.cacheKey() != picture_.cacheKey() || picture.isNull() != picture_.isNull())
        scaled_ = QPixmap();
    picture_ = picture;
    setToolTip(hint);
    update();
}

QSize PictureFrame::sizeHint() const
{
    const int text = fontMetrics().height() + 6;
    return current_ ? QSize(340, 255 + text) : QSize(150, 112 + text);
}

QSize PictureFrame::minimumSizeHint() const
{
    const int text = fontMetrics().height() + 6;
    return current_ ? QSize(160, 120 + text) : QSize(80, 60 + text);
}

QRect PictureFrame::PictureArea() const
{
    const int text = fontMetrics().height() + 6;
    return rect().adjusted(2, 2, -2, -2 - text);
}

void PictureFrame::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRect area = PictureArea();
    const QPalette& pal = palette();
    p.fillRect(area, pal.color(QPalette::Base).darker(108));
    const QRect inside = area.adjusted(4, 4, -4, -4);
    if (!picture_.isNull() && inside.width() > 0 && inside.height() > 0) {
        // Larger pictures are scaled down smoothly to fit; smaller ones grow by
        // whole steps, so their pixels stay sharp.
        QSize want = picture_.size();
        if (want.width() > inside.width() || want.height() > inside.height()) {
            want.scale(inside.size(), Qt::KeepAspectRatio);
        } else {
            const int times = std::max(1, std::min(inside.width() / want.width(), inside.height() / want.height()));
            want *= times;
        }
        want = want.expandedTo(QSize(1, 1));
        if (scaled_.size() != want) {
            const bool down = want.width() < picture_.width();
            scaled_ = QPixmap::fromImage(picture_.scaled(want, Qt::IgnoreAspectRatio,
                                                         down ? Qt::SmoothTransformation : Qt::FastTransformation));
        }
        const QPoint at(inside.x() + (inside.width() - scaled_.width()) / 2,
                        inside.y() + (inside.height() - scaled_.height()) / 2);
        p.drawPixmap(at, scaled_);
    }
    // The current picture is framed in the selection colour.
    if (current_) {
        p.setPen(QPen(pal.color(QPalette::Highlight), 3));
        p.drawRect(area.adjusted(1, 1, -2, -2));
    } else {
        p.setPen(pal.color(QPalette::Mid));
        p.drawRect(area.adjusted(0, 0, -1, -1));
    }
    if (number_ >= 0 && number_ <= kMaxPicture) {
        const QRect text(rect().left(), area.bottom() + 1, rect().width(), rect().bottom() - area.bottom());
        p.setPen(pal.color(picture_.isNull() ? QPalette::Disabled : QPalette::Active, QPalette::WindowText));
        p.drawText(text, Qt::AlignCenter, QString::number(number_));
    }
}

void PictureFrame::mousePressEvent(QMouseEvent* event)
{
    pressed_ = event->button() == Qt::LeftButton;
    event->accept();
}

void PictureFrame::mouseReleaseEvent(QMouseEvent* event)
{
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    event->accept();
    if (click)
        emit clicked();
}

// ---------------------------------------------------------------------------
// TLBMBrowseForm

TLBMBrowseForm::TLBMBrowseForm(QWidget* parent) : QDialog(parent)
{
    // The application has always found this window under this name.
    setObjectName(QStringLiteral("TLBMBrowser"));
    setWindowTitle(QStringLiteral("LBM Browser"));
    resize(960, 660);

    auto* layout = new QVBoxLayout(this);

    auto* top = new QHBoxLayout;
    auto* idLabel = new QLabel(QStringLiteral("LBM ID : "), this);
    idLabel->setObjectName(QStringLiteral("Label1"));
    LBMIDEdit = new QLineEdit(QStringLiteral("5"), this);
    LBMIDEdit->setObjectName(QStringLiteral("LBMIDEdit"));
    LBMIDEdit->setFixedWidth(LBMIDEdit->fontMetrics().horizontalAdvance(QStringLiteral("0000000000")) + 12);
    idLabel->setBuddy(LBMIDEdit);
    auto* clickLabel = new QLabel(QStringLiteral("(Click on an LBM to select)"), this);
    clickLabel->setObjectName(QStringLiteral("Label2"));
    top->addWidget(idLabel);
    top->addWidget(LBMIDEdit);
    top->addSpacing(12);
    top->addWidget(clickLabel);
    top->addStretch(1);
    layout->addLayout(top);

    auto* middle = new QHBoxLayout;
    auto* left = new QVBoxLayout;
    // n - 4 .. n + 4 read left to right, top to bottom, the current picture in the middle.
    auto* grid = new QGridLayout;
    grid->setSpacing(6);
    for (int i = 0; i < 9; ++i) {
        auto* frame = new PictureFrame(i == 4, this);
        frame->setObjectName(QString::fromLatin1(kImageNames[i]));
        const int offset = i - 4;
        connect(frame, &PictureFrame::clicked, this, [this, offset] { LBMImageClick(offset); });
        if (i == 4)
            grid->addWidget(frame, 1, 1);
        else
            grid->addWidget(frame, i / 3, i % 3, Qt::AlignCenter);
        images_[static_cast<std::size_t>(i)] = frame;
    }
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 2);
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(0, 1);
    grid->setRowStretch(1, 2);
    grid->setRowStretch(2, 1);
    left->addLayout(grid, 1);
    ScrollBar1 = new QScrollBar(Qt::Horizontal, this);
    ScrollBar1->setObjectName(QStringLiteral("ScrollBar1"));
    ScrollBar1->setRange(0, kMaxPicture);
    ScrollBar1->setSingleStep(1);
    ScrollBar1->setPageStep(kPageStep);
    ScrollBar1->setFocusPolicy(Qt::StrongFocus);
    ScrollBar1->installEventFilter(this);
    left->addWidget(ScrollBar1);
    middle->addLayout(left, 1);

    auto* right = new QVBoxLayout;
    FileListBox1 = new QListWidget(this);
    FileListBox1->setObjectName(QStringLiteral("FileListBox1"));
    FileListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    FileListBox1->setUniformItemSizes(true);
    FileListBox1->setFixedWidth(240);
    right->addWidget(FileListBox1, 3);
    // The folders from the top down to the one whose files are listed, and the folders in it.
    DirectoryListBox22 = new QTreeWidget(this);
    DirectoryListBox22->setObjectName(QStringLiteral("DirectoryListBox22"));
    DirectoryListBox22->setSelectionMode(QAbstractItemView::SingleSelection);
    DirectoryListBox22->setHeaderHidden(true);
    DirectoryListBox22->setColumnCount(1);
    DirectoryListBox22->setIndentation(12);
    DirectoryListBox22->setRootIsDecorated(false);
    DirectoryListBox22->setExpandsOnDoubleClick(false);
    DirectoryListBox22->setItemsExpandable(false);
    DirectoryListBox22->setFixedWidth(240);
    DirectoryListBox22->setToolTip(QStringLiteral("Double-click a folder to list its files"));
    DirectoryListBox22->installEventFilter(this);
    right->addWidget(DirectoryListBox22, 2);
    middle->addLayout(right);
    layout->addLayout(middle, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    OKButton = new QPushButton(QStringLiteral("OK"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setToolTip(QStringLiteral("Click to select the current LBM"));
    OKButton->setDefault(true);
    CancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    CancelButton->setObjectName(QStringLiteral("CancelButton"));
    CancelButton->setToolTip(QStringLiteral("Ignore Changes"));
    buttons->addWidget(OKButton);
    buttons->addWidget(CancelButton);
    layout->addLayout(buttons);

    setTabOrder(LBMIDEdit, ScrollBar1);
    setTabOrder(ScrollBar1, FileListBox1);
    setTabOrder(FileListBox1, DirectoryListBox22);
    setTabOrder(DirectoryListBox22, OKButton);
    setTabOrder(OKButton, CancelButton);

    refreshTimer_ = new QTimer(this);
    refreshTimer_->setSingleShot(true);
    refreshTimer_->setInterval(kRefreshDelayMs);
    connect(refreshTimer_, &QTimer::timeout, this, &TLBMBrowseForm::Refresh);

    connect(LBMIDEdit, &QLineEdit::textChanged, this, &TLBMBrowseForm::LBMIDEditChange);
    connect(ScrollBar1, &QScrollBar::valueChanged, this, &TLBMBrowseForm::ScrollBar1Change);
    connect(FileListBox1, &QListWidget::itemClicked, this, &TLBMBrowseForm::FileListBox1Click);
    // Moving through the files with the keys chooses as a click does.
    connect(FileListBox1, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* item) { FileListBox1Click(item); });
    connect(DirectoryListBox22, &QTreeWidget::itemDoubleClicked, this,
            [this](QTreeWidgetItem* item) { DirectoryListBox22Open(item); });
    connect(OKButton, &QPushButton::clicked, this, &TLBMBrowseForm::OKButtonClick);
    connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
    auto* pageUp = new QShortcut(QKeySequence(Qt::Key_PageUp), this);
    connect(pageUp, &QShortcut::activated, this, [this] { Step(-kPageStep); });
    auto* pageDown = new QShortcut(QKeySequence(Qt::Key_PageDown), this);
    connect(pageDown, &QShortcut::activated, this, [this] { Step(kPageStep); });
}

std::optional<int> TLBMBrowseForm::Run(const QString& picturesDir, int start)
{
    Open(picturesDir, start);
    const int answer = exec();
    refreshTimer_->stop();
    if (answer != QDialog::Accepted)
        return std::nullopt;
    return chosen_;
}

void TLBMBrowseForm::Open(const QString& picturesDir, int start)
{
    picturesDir_ = picturesDir.isEmpty() ? fs::path() : PathFromQt(picturesDir);
    chosen_ = start != 0 ? ClampPicture(start) : 5;
    {
        const QSignalBlocker quiet(LBMIDEdit);
        LBMIDEdit->setText(QString::number(chosen_));
    }
    {
        const QSignalBlocker quiet(ScrollBar1);
        ScrollBar1->setValue(chosen_);
    }
    SetDirectory(picturesDir);
    Refresh();
    LBMIDEdit->setFocus(Qt::OtherFocusReason);
    LBMIDEdit->selectAll();
}

bool TLBMBrowseForm::RefreshPending() const { return refreshTimer_->isActive(); }

std::optional<int> TLBMBrowseForm::EditNumber() const
{
    const std::optional<long> n = ClampValue(0, kMaxPicture, ToBytes(LBMIDEdit->text()));
    if (!n)
        return std::nullopt;
    return static_cast<int>(*n);
}

void TLBMBrowseForm::LBMIDEditChange()
{
    const std::optional<int> n = EditNumber();
    if (!n)
        return;  // no number yet ("-"): the pictures stay as they are
    {
        const QSignalBlocker quiet(ScrollBar1);
        ScrollBar1->setValue(*n);
    }
    if (!refreshTimer_->isActive())
        refreshTimer_->start();
}

void TLBMBrowseForm::Choose(int n)
{
    chosen_ = ClampPicture(n);
    LBMIDEdit->setText(QString::number(chosen_));
}

void TLBMBrowseForm::Step(int by)
{
    const long current = EditNumber().value_or(chosen_);
    Choose(ClampPicture(current + by));
}

void TLBMBrowseForm::LBMImageClick(int offset) { Step(offset); }

void TLBMBrowseForm::ScrollBar1Change(int position) { Choose(position); }

void TLBMBrowseForm::FileListBox1Click(QListWidgetItem* item)
{
    if (!item)
        return;
    const std::optional<long> n = ClampValue(0, kMaxPicture, ToBytes(item->text()));
    if (n)
        Choose(static_cast<int>(*n));
}

void TLBMBrowseForm::OKButtonClick()
{
    Choose(EditNumber().value_or(chosen_));
    accept();
}

bool TLBMBrowseForm::eventFilter(QObject* watched, QEvent* event)
{
    // A scroll bar turns its arrow keys round (so Up moves up a vertical one);
    // on this horizontal one Right goes to the higher numbers.
    if (watched == ScrollBar1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Right || key == Qt::Key_Left) {
            ScrollBar1->triggerAction(key == Qt::Key_Right ? QAbstractSlider::SliderSingleStepAdd
                                                           : QAbstractSlider::SliderSingleStepSub);
            return true;
        }
    }
    // Enter on another folder opens it; on the folder already open it is the OK of the window.
    if (watched == DirectoryListBox22 && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        QTreeWidgetItem* item = DirectoryListBox22->currentItem();
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && item &&
            item->data(0, Qt::UserRole).toString() != directory_) {
            DirectoryListBox22Open(item);
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TLBMBrowseForm::DirectoryListBox22Open(QTreeWidgetItem* item)
{
    if (item)
        SetDirectory(item->data(0, Qt::UserRole).toString());
}

void TLBMBrowseForm::SetDirectory(const QString& dir)
{
    // A folder that is not there shows the nearest folder above it that is.
    QFileInfo info(dir.isEmpty() ? QDir::currentPath() : dir);
    QDir folder(info.absoluteFilePath());
    while (!folder.exists() && !folder.isRoot()) {
        if (!folder.cdUp())
            break;
    }
    if (!folder.exists())
        folder = QDir(QDir::currentPath());
    directory_ = QDir::cleanPath(folder.absolutePath());

    {
        const QSignalBlocker quiet(DirectoryListBox22);
        DirectoryListBox22->clear();
        QStringList chain;  // the folder and every folder above it, top first
        QDir up(directory_);
        chain.prepend(up.absolutePath());
        while (!up.isRoot() && up.cdUp())
            chain.prepend(up.absolutePath());
        const QIcon closed = style()->standardIcon(QStyle::SP_DirIcon);
        const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
        QTreeWidgetItem* parent = nullptr;
        for (qsizetype i = 0; i < chain.size(); ++i) {
            const QString name = i == 0 ? QDir::toNativeSeparators(chain[i]) : QDir(chain[i]).dirName();
            auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(DirectoryListBox22);
            item->setText(0, name);
            item->setIcon(0, open);
            item->setData(0, Qt::UserRole, QDir::cleanPath(chain[i]));
            parent = item;
        }
        for (const QString& sub : folder.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase)) {
            auto* item = new QTreeWidgetItem(parent);
            item->setText(0, sub);
            item->setIcon(0, closed);
            item->setData(0, Qt::UserRole, QDir::cleanPath(folder.absoluteFilePath(sub)));
        }
        QFont bold = parent->font(0);
        bold.setBold(true);
        parent->setFont(0, bold);
        DirectoryListBox22->expandAll();
        DirectoryListBox22->setCurrentItem(parent);
        DirectoryListBox22->scrollToItem(parent);
    }

    {
        const QSignalBlocker quiet(FileListBox1);
        FileListBox1->clear();
        fileRows_.clear();
        // Name filters match ignoring case: "*.lbm" lists PM00007.LBM too.
        const QStringList files = folder.entryList({QStringLiteral("*.lbm")}, QDir::Files, QDir::Name | QDir::IgnoreCase);
        FileListBox1->addItems(files);
        for (qsizetype i = 0; i < files.size(); ++i)
            fileRows_.insert(files[i].toLower(), static_cast<int>(i));
    }
    std::error_code ec;
    listShowsPictures_ = !picturesDir_.empty() && fs::equivalent(PathFromQt(directory_), picturesDir_, ec) && !ec;
    const int n = EditNumber().value_or(chosen_);
    SelectFileOf(PictureFile(n));
}

fs::path TLBMBrowseForm::PictureFile(int n)
{
    if (n < 0 || n > kMaxPicture || picturesDir_.empty())
        return {};
    // The folder is listed once and again only when its content changed, so a
    // number without a file costs no walk through a folder of thousands.
    std::error_code ec;
    const fs::file_time_type written = fs::last_write_time(picturesDir_, ec);
    if (ec) {
        index_ = FolderIndex{picturesDir_, std::nullopt, {}};
        return {};
    }
    if (index_.dir != picturesDir_ || index_.written != written) {
        index_ = FolderIndex{picturesDir_, written, {}};
        fs::directory_iterator it(picturesDir_, ec);
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            const std::string name = it->path().filename().string();
            const int number = PictureNumberOf(name);
            std::error_code typeError;
            if (number < 0 || !it->is_regular_file(typeError))
                continue;
            // A name in exactly the expected case wins over its other spellings.
            if (name == PictureFileName(number) || !index_.files.count(number))
                index_.files[number] = it->path();
        }
    }
    const auto found = index_.files.find(n);
    return found == index_.files.end() ? fs::path() : found->second;
}

QImage TLBMBrowseForm::Picture(int n, const fs::path& file, QString* problem)
{
    std::error_code ec;
    const std::optional<FileStamp> stamp = StampOf(file, ec);
    if (!stamp) {
        *problem = SystemTextToQt(ec.message());
        return {};
    }
    auto cached = cache_.find(n);
    if (cached != cache_.end() && cached->second.file == file && cached->second.stamp == *stamp) {
        cached->second.used = ++cacheUse_;
        *problem = cached->second.problem;
        return cached->second.image;
    }
    const DecodeResult decoded = LoadPictureFile(file);
    ++filesDecoded_;
    CachedPicture entry{file, *stamp, {}, {}, ++cacheUse_};
    if (decoded.ok)
        entry.image = ToQImage(decoded.image);
    if (entry.image.isNull())
        entry.problem = decoded.ok ? QStringLiteral("too large to show") : SystemTextToQt(decoded.error);
    cache_[n] = entry;
    // Forget the pictures seen longest ago; the nine on screen were seen last.
    auto bytes = [this] {
        qsizetype total = 0;
        for (const auto& [number, e] : cache_)
            total += e.image.sizeInBytes();
        return total;
    };
    while (cache_.size() > kCachePictures || (cache_.size() > 9 && bytes() > kCacheBytes)) {
        auto oldest = std::min_element(cache_.begin(), cache_.end(),
                                       [](const auto& a, const auto& b) { return a.second.used < b.second.used; });
        cache_.erase(oldest);
    }
    *problem = entry.problem;
    return entry.image;
}

void TLBMBrowseForm::Refresh()
{
    refreshTimer_->stop();
    const std::optional<int> current = EditNumber();
    if (!current)
        return;
    const int n = *current;
    for (int k = -4; k <= 4; ++k) {
        const int m = n + k;
        PictureFrame* frame = images_[static_cast<std::size_t>(k + 4)];
        if (m < 0 || m > kMaxPicture) {
            frame->Show(-1, {}, {});
            continue;
        }
        const fs::path file = PictureFile(m);
        if (file.empty()) {
            frame->Show(m, {}, QStringLiteral("No picture %1").arg(ToQt(PictureFileName(m))));
            continue;
        }
        QString problem;
        const QImage picture = Picture(m, file, &problem);
        const QString name = PathToQt(file.filename());
        frame->Show(m, picture,
                    picture.isNull() ? QStringLiteral("%1: %2").arg(name, problem)
                                     : QStringLiteral("%1 (%2 x %3)").arg(name).arg(picture.width()).arg(picture.height()));
    }
    SelectFileOf(PictureFile(n));
}

void TLBMBrowseForm::SelectFileOf(const fs::path& file)
{
    const QSignalBlocker quiet(FileListBox1);
    const auto row = listShowsPictures_ && !file.empty()
                         ? fileRows_.constFind(PathToQt(file.filename()).toLower())
                         : fileRows_.constEnd();
    if (row == fileRows_.constEnd()) {
        FileListBox1->clearSelection();
        return;
    }
    FileListBox1->setCurrentRow(*row);
    FileListBox1->scrollToItem(FileListBox1->currentItem());
}

}  // namespace brackle
