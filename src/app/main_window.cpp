#include "app/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QFont>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShortcut>
#include <QScrollArea>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTextDocument>
#include <QToolButton>
#include <QToolTip>
#include <QTreeView>
#include <QVBoxLayout>

#include "editors/formation_page.h"
#include "editors/unit_page.h"
#include "editors/weapon_page.h"
#include "oob/changes.h"
#include "oob/oob_file.h"
#include "widgets/dialogs_qt.h"
#include "widgets/text_qt.h"

namespace brackle {

namespace fs = std::filesystem;

TSDIAppForm::TSDIAppForm(Oob& oob, Dialogs& dialogs, const StartupPaths& paths, QWidget* parent)
    : QMainWindow(parent), oob_(oob), dialogs_(dialogs), programDir_(paths.ProgramDir)
{
    setObjectName(QStringLiteral("TSDIAppForm"));
    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(4, 4, 4, 0);
    BuildToolStrip(central);
    layout->addWidget(buttons_.at(QStringLiteral("SpeedPanel")));

    viewer_ = new QTabWidget(central);
    viewer_->setObjectName(QStringLiteral("Viewer"));
    auto add = [this](QWidget* page, const char* name, const char* caption) {
        page->setObjectName(QString::fromLatin1(name));
        viewer_->addTab(page, QString::fromLatin1(caption));
    };
    // Alt + the underlined letter opens a tab; the letters are taken by no menu
    // and no label of a page.
    unitPage_ = new UnitPage(oob_, dialogs_);
    add(BuildRecordPage(unitList_, "UnitListBox", unitPage_), "Units", "&Units");
    weaponPage_ = new WeaponPage(oob_, dialogs_);
    add(BuildRecordPage(weaponList_, "wpnlistbox", weaponPage_), "Weapons", "&Weapons");
    formationPage_ = new FormationPage(oob_, dialogs_);
    add(BuildRecordPage(formationList_, "FormationListBox", formationPage_), "Formations", "F&ormations");
    add(BuildLoadPage(), "Load", "Load/&Save");
    add(BuildInfoPage(), "Info", "&Info");
    layout->addWidget(viewer_, 1);
    setCentralWidget(central);

    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("StatusBar"));
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    statusBar()->addWidget(status_, 1);
    statusBar()->setSizeGripEnabled(true);

    BuildMenus();
    resize(781, 656);
    FormCreate(paths);
    ReportDroppedCharacters(this);
    connect(viewer_, &QTabWidget::currentChanged, this, [this] { ViewerChange(); });
    qApp->installEventFilter(this);
    UpdateEditActions();
}

TSDIAppForm::~TSDIAppForm()
{
    qApp->removeEventFilter(this);
}

QString TSDIAppForm::Hinted(QWidget* w, const QString& hint)
{
    w->setToolTip(hint);
    w->setStatusTip(hint);
    return hint;
}

void TSDIAppForm::BuildToolStrip(QWidget* parent)
{
    auto* panel = new QWidget(parent);
    panel->setObjectName(QStringLiteral("SpeedPanel"));
    buttons_[QStringLiteral("SpeedPanel")] = panel;
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(3);
    struct ButtonDef {
        const char* name;
        const char* text;
        const char* hint;
        QStyle::StandardPixmap icon;
    };
    const ButtonDef defs[] = {
        {"Back1Btn", "Back", "Right click << 10 ", QStyle::SP_ArrowBack},
        {"Fwd1Btn", "Next", "Right click >> 10", QStyle::SP_ArrowForward},
        {"EraseButton", "Erase", "Clear this form", QStyle::SP_DialogResetButton},
        {"CopyButton", "Copy", "Copy to Paste Buffer", QStyle::SP_FileDialogDetailedView},
        {"PasteButton", "Paste", "Paste from Buffer", QStyle::SP_FileDialogContentsView},
        {"RestoreButton", "Restore", "Restore to last Commit action [F9]", QStyle::SP_BrowserReload},
        {"CommitButton", "Commit", "Commit your changes [F12]", QStyle::SP_DialogApplyButton},
        {"SpeedButton_Move", "Move", "Move this item to another slot number", QStyle::SP_ArrowRight},
    };
    for (const auto& d : defs) {
        auto* b = new QToolButton(panel);
        b->setObjectName(QString::fromLatin1(d.name));
        b->setText(QString::fromLatin1(d.text));
        b->setIcon(style()->standardIcon(d.icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        Hinted(b, QString::fromLatin1(d.hint));
        row->addWidget(b);
        buttons_[QString::fromLatin1(d.name)] = b;
    }
    row->addSpacing(12);
    auto* findLabel = new QLabel(QStringLiteral("Find:"), panel);
    row->addWidget(findLabel);
    editFind_ = new QComboBox(panel);
    editFind_->setObjectName(QStringLiteral("EditFind"));
    editFind_->setEditable(true);
    editFind_->setInsertPolicy(QComboBox::NoInsert);
    editFind_->setMinimumWidth(150);
    Hinted(editFind_, QStringLiteral("Enter search text or select a previously entered search string"));
    findLabel->setBuddy(editFind_);
    row->addWidget(editFind_);
    auto addFind = [&](const char* name, const char* text, const char* hint, QStyle::StandardPixmap icon) {
        auto* b = new QToolButton(panel);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(QString::fromLatin1(text));
        b->setIcon(style()->standardIcon(icon));
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        Hinted(b, QString::fromLatin1(hint));
        row->addWidget(b);
        buttons_[QString::fromLatin1(name)] = b;
    };
    addFind("SpeedButtonFind", "Find", "[F11,F3] Find next item containing search sub-string",
            QStyle::SP_FileDialogStart);
    addFind("SpeedButtonSandR", "Replace", "Search and replce Names", QStyle::SP_FileDialogListView);
    row->addStretch(1);
}

void TSDIAppForm::BuildMenus()
{
    auto make = [this](QMenu* menu, const char* name, const char* text, const char* hint = nullptr) {
        auto* a = menu->addAction(QString::fromLatin1(text));
        a->setObjectName(QString::fromLatin1(name));
        if (hint) {
            a->setToolTip(QString::fromLatin1(hint));
            a->setStatusTip(QString::fromLatin1(hint));
        }
        actions_[QString::fromLatin1(name)] = a;
        return a;
    };
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("File1"));
    auto* save = make(file, "SaveAs1", "&Save Current File", "Save current file, witout going to Load/Save page");
    save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
    connect(save, &QAction::triggered, this, &TSDIAppForm::SaveAs1Click);
    auto* saveAs = make(file, "SaveFileAs1", "Save File As..");
    connect(saveAs, &QAction::triggered, this, &TSDIAppForm::SaveAsBtnClick);
    file->addSeparator();
    make(file, "WriteCSV1", "Write CSV Files", "Write comma separated data file");
    file->addSeparator();
    make(file, "Renationalise1", "Renationalise (Renumber units, formations to another nation's ID)");
    make(file, "Reclassify1", "Reclassify");
    make(file, "DeleteAllMarked1", "Delete All Marked");
    file->addSeparator();
    make(file, "Findform", "Database Check Utilities");
    file->addSeparator();
    make(file, "ChangeTransparentColour1", "Change Transparent Colour");
    make(file, "DumpIconBitmaps1", "Dump Icon Bitmaps [F5]");
    make(file, "ResetAllIcons1", "Reset All Icons", "Initialise all Winter and Desert Icons");
    file->addSeparator();
    auto* exit = make(file, "ExitItem", "E&xit", "Exit application");
    exit->setShortcut(QKeySequence(Qt::ALT | Qt::Key_X));
    connect(exit, &QAction::triggered, this, &TSDIAppForm::ExitClick);

    // The Edit menu: undo and redo, and every tool-strip command with a key. The
    // keys are none a text field uses itself (Ctrl+Shift+C is not its copy).
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("Edit1"));
    auto* undo = make(edit, "Undo1", "&Undo", "Undo the last change to the tables");
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    connect(undo, &QAction::triggered, this, &TSDIAppForm::Undo1Click);
    auto* redo = make(edit, "Redo1", "&Redo", "Redo the change undone last");
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    connect(redo, &QAction::triggered, this, &TSDIAppForm::Redo1Click);
    edit->addSeparator();
    // Commit, Restore and Find keep their function keys (window shortcuts below);
    // the menu shows them beside the text.
    auto* commit = make(edit, "Commit1", "Comm&it\tF12", "Commit your changes [F12]");
    connect(commit, &QAction::triggered, this, [this] { FormKeyDown(Qt::Key_F12, Qt::NoModifier); });
    auto* restore = make(edit, "Restore1", "Res&tore\tF9", "Restore to last Commit action [F9]");
    connect(restore, &QAction::triggered, this, [this] { FormKeyDown(Qt::Key_F9, Qt::NoModifier); });
    // The tool strip's commands, each run through its button, which does nothing
    // while it is disabled. Find keeps F3 and F11 (window shortcuts below).
    struct EditDef {
        const char* name;
        const char* text;
        const char* button;
        QKeySequence key;
        bool separatorBefore;
    };
    const EditDef edits[] = {
        {"Erase1", "&Erase", "EraseButton", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E), false},
        {"Copy1", "&Copy...", "CopyButton", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C), false},
        {"Paste1", "&Paste...", "PasteButton", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), false},
        {"Move1", "&Move...", "SpeedButton_Move", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M), false},
        {"Find1", "&Find Next\tF3", "SpeedButtonFind", QKeySequence(), true},
        {"Replace1", "Rep&lace Names...", "SpeedButtonSandR", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), false},
        {"Back1", "&Back", "Back1Btn", QKeySequence(Qt::ALT | Qt::Key_Left), true},
        {"Next1", "&Next", "Fwd1Btn", QKeySequence(Qt::ALT | Qt::Key_Right), false},
    };
    for (const EditDef& d : edits) {
        if (d.separatorBefore)
            edit->addSeparator();
        auto* button = qobject_cast<QToolButton*>(buttons_.at(QString::fromLatin1(d.button)));
        auto* a = make(edit, d.name, d.text);
        a->setToolTip(button->toolTip());
        a->setStatusTip(button->toolTip());
        a->setShortcut(d.key);
        connect(a, &QAction::triggered, button, &QToolButton::click);
    }

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("Help1"));
    auto* helpItem = make(help, "Help2", "Help");
    helpItem->setShortcut(QKeySequence(Qt::Key_F1));
    connect(helpItem, &QAction::triggered, this, [this] { FormKeyDown(Qt::Key_F1, Qt::NoModifier); });
    // The function keys work from whichever control has the focus. As window
    // shortcuts each press runs its command once, also when the command shows a
    // message box and the focus is elsewhere when the key's press ends.
    for (const Qt::Key key : {Qt::Key_F12, Qt::Key_F11, Qt::Key_F3, Qt::Key_F9, Qt::Key_F5}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WindowShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, key] { FormKeyDown(key, Qt::NoModifier); });
    }
    auto* about = make(help, "About1", "&About...");
    connect(about, &QAction::triggered, this, &TSDIAppForm::About1Click);

    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("CommitButton"))), &QToolButton::clicked, this,
            &TSDIAppForm::CommitButtonClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("RestoreButton"))), &QToolButton::clicked,
            this, &TSDIAppForm::RestoreButtonClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("Fwd1Btn"))), &QToolButton::clicked, this,
            &TSDIAppForm::Fwd1BtnClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("EraseButton"))), &QToolButton::clicked, this,
            &TSDIAppForm::EraseButtonClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("CopyButton"))), &QToolButton::clicked, this,
            &TSDIAppForm::CopyButtonClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("PasteButton"))), &QToolButton::clicked, this,
            &TSDIAppForm::PasteButtonClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("SpeedButton_Move"))), &QToolButton::clicked,
            this, &TSDIAppForm::SpeedButton_MoveClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("SpeedButtonFind"))), &QToolButton::clicked,
            this, &TSDIAppForm::SpeedButtonFindClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("SpeedButtonSandR"))), &QToolButton::clicked,
            this, &TSDIAppForm::SpeedButtonSandRClick);
    connect(qobject_cast<QToolButton*>(buttons_.at(QStringLiteral("Back1Btn"))), &QToolButton::clicked, this,
            &TSDIAppForm::Back1BtnClick);
    connect(actions_.at(QStringLiteral("WriteCSV1")), &QAction::triggered, this, &TSDIAppForm::ExportBtnClick);
    connect(actions_.at(QStringLiteral("Findform")), &QAction::triggered, this, &TSDIAppForm::FindformClick);
    connect(actions_.at(QStringLiteral("Renationalise1")), &QAction::triggered, this,
            &TSDIAppForm::Renationalise1Click);
    connect(actions_.at(QStringLiteral("Reclassify1")), &QAction::triggered, this, &TSDIAppForm::Reclassify1Click);
    connect(actions_.at(QStringLiteral("DeleteAllMarked1")), &QAction::triggered, this,
            &TSDIAppForm::DeleteAllMarked1Click);
    connect(actions_.at(QStringLiteral("ChangeTransparentColour1")), &QAction::triggered, this,
            &TSDIAppForm::ChangeTransparentColour1Click);
    connect(actions_.at(QStringLiteral("DumpIconBitmaps1")), &QAction::triggered, this,
            &TSDIAppForm::DumpIconBitmaps1Click);
    connect(actions_.at(QStringLiteral("ResetAllIcons1")), &QAction::triggered, this,
            &TSDIAppForm::ResetAllIcons1Click);
}

QWidget* TSDIAppForm::BuildLoadPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);

    auto* filesBox = new QGroupBox(QStringLiteral("OOB files"), page);
    auto* filesLayout = new QVBoxLayout(filesBox);
    kobList_ = new QListWidget(filesBox);
    kobList_->setObjectName(QStringLiteral("KobListBox"));
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    kobList_->setFont(fixed);
    filesLayout->addWidget(kobList_);
    // Activation is a double click or Enter; listening to both signals would open twice.
    connect(kobList_, &QListWidget::itemActivated, this, [this] { KobListBoxDblClick(); });
    grid->addWidget(filesBox, 0, 0, 1, 1);

    auto* dirBox = new QGroupBox(QStringLiteral("OOB folder"), page);
    auto* dirLayout = new QVBoxLayout(dirBox);
    driveBox_ = new QComboBox(dirBox);
    driveBox_->setObjectName(QStringLiteral("DriveComboBox1"));
    for (const QFileInfo& drive : QDir::drives())
        driveBox_->addItem(QDir::toNativeSeparators(drive.absoluteFilePath()), drive.absoluteFilePath());
    dirLayout->addWidget(driveBox_);
    dirModel_ = new QFileSystemModel(dirBox);
    dirModel_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    dirModel_->setRootPath(QString());
    dirList_ = new QTreeView(dirBox);
    dirList_->setObjectName(QStringLiteral("DirectoryListBox1"));
    dirList_->setModel(dirModel_);
    for (int c = 1; c < dirModel_->columnCount(); ++c)
        dirList_->hideColumn(c);
    dirList_->setHeaderHidden(true);
    // The model reads folders in the background: show the OOB folder once its parents are read.
    connect(dirModel_, &QFileSystemModel::directoryLoaded, dirList_, [this] {
        if (dirList_->currentIndex().isValid())
            dirList_->scrollTo(dirList_->currentIndex(), QAbstractItemView::PositionAtCenter);
    });
    dirLayout->addWidget(dirList_, 1);
    auto* choose = new QPushButton(QStringLiteral("Choose Folder..."), dirBox);
    choose->setObjectName(QStringLiteral("ChooseDirBtn"));
    Hinted(choose, QStringLiteral("Choose the folder that holds the obat files"));
    dirLayout->addWidget(choose);
    connect(choose, &QPushButton::clicked, this, &TSDIAppForm::ChooseDirBtnClick);
    connect(dirList_, &QTreeView::activated, this,
            [this](const QModelIndex& index) { DirectoryListBox1Change(dirModel_->filePath(index)); });
    connect(dirList_, &QTreeView::clicked, this,
            [this](const QModelIndex& index) { DirectoryListBox1Change(dirModel_->filePath(index)); });
    connect(driveBox_, &QComboBox::activated, this, [this](int i) {
        dirList_->setCurrentIndex(dirModel_->index(driveBox_->itemData(i).toString()));
    });
    grid->addWidget(dirBox, 0, 1, 1, 1);

    auto* buttons = new QHBoxLayout;
    struct ButtonDef {
        const char* name;
        const char* text;
        const char* hint;
    };
    const ButtonDef defs[] = {
        {"OpenBtn", "Open", "Load the selected kob (Or, double-click on a kob to open it)"},
        {"SaveBtn", "Save", "Save your edits to disk, overwriting the selected kob"},
        {"SaveAsBtn", "Save As..", "Save your edits to disk, overwriting the selected brk as another filename"},
        {"ExportBtn", "Dump CSV", "Write comma separated data files"},
        {"Button1", "Help", "Open the help page [F1]"},
        {"ExitButton", "Exit", "Exit application"},
    };
    for (const auto& d : defs) {
        auto* b = new QPushButton(QString::fromLatin1(d.text), page);
        b->setObjectName(QString::fromLatin1(d.name));
        Hinted(b, QString::fromLatin1(d.hint));
        buttons->addWidget(b);
        buttons_[QString::fromLatin1(d.name)] = b;
        if (std::string_view(d.name) == "ExportBtn")
            buttons->addStretch(1);
    }
    connect(qobject_cast<QPushButton*>(buttons_.at(QStringLiteral("OpenBtn"))), &QPushButton::clicked, this,
            &TSDIAppForm::KobListBoxDblClick);
    connect(qobject_cast<QPushButton*>(buttons_.at(QStringLiteral("SaveBtn"))), &QPushButton::clicked, this,
            &TSDIAppForm::SaveBtnClick);
    connect(qobject_cast<QPushButton*>(buttons_.at(QStringLiteral("SaveAsBtn"))), &QPushButton::clicked, this,
            &TSDIAppForm::SaveAsBtnClick);
    connect(qobject_cast<QPushButton*>(buttons_.at(QStringLiteral("ExportBtn"))), &QPushButton::clicked, this,
            &TSDIAppForm::ExportBtnClick);
    connect(qobject_cast<QPushButton*>(buttons_.at(QStringLiteral("Button1"))), &QPushButton::clicked, this,
            &TSDIAppForm::HelpClick);
    connect(qobject_cast<QPushButton*>(buttons_.at(QStringLiteral("ExitButton"))), &QPushButton::clicked, this,
            &TSDIAppForm::ExitClick);
    grid->addLayout(buttons, 1, 0, 1, 2);
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 2);

    QWidget::setTabOrder(kobList_, buttons_.at(QStringLiteral("OpenBtn")));
    return page;
}

QWidget* TSDIAppForm::BuildInfoPage()
{
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* label = new QLabel(QStringLiteral("OB file Comments - use for copyright and version info etc."), page);
    label->setObjectName(QStringLiteral("InfoLabel"));
    auto* note = new QLabel(QStringLiteral("(This string appears at the foot of the Encyclopaedia page for the ob)"), page);
    note->setObjectName(QStringLiteral("InfoNoteLabel"));
    commentEdit_ = new QLineEdit(page);
    commentEdit_->setObjectName(QStringLiteral("BrkCommentEdit"));
    commentEdit_->setMaxLength(static_cast<int>(kInfoLength));
    commentEdit_->setValidator(new Latin1Validator(commentEdit_));
    label->setBuddy(commentEdit_);
    layout->addWidget(label);
    layout->addWidget(commentEdit_);
    layout->addWidget(note);
    layout->addStretch(1);
    return page;
}

QString TSDIAppForm::StatusText() const
{
    return status_->text();
}

void TSDIAppForm::SetStatus(const QString& text)
{
    status_->setText(text);
}

void TSDIAppForm::ReportDroppedCharacters(QObject* root)
{
    for (auto* validator : root->findChildren<Latin1Validator*>())
        connect(validator, &Latin1Validator::charactersDropped, this,
                [this](const QString& characters) { SetStatus(DroppedCharactersText(characters)); });
}

void TSDIAppForm::UpdateCaption(const QString& caption)
{
    caption_ = caption;
    RefreshCaption();
}

void TSDIAppForm::RefreshCaption()
{
    setWindowTitle(HasUnsavedChanges() ? caption_ + QLatin1Char('*') : caption_);
    UpdateEditActions();
}

namespace {

// The Edit menu items that run a tool-strip button, and the button.
const std::pair<const char*, const char*> kButtonActions[] = {
    {"Erase1", "EraseButton"},        {"Copy1", "CopyButton"},     {"Paste1", "PasteButton"},
    {"Move1", "SpeedButton_Move"},    {"Replace1", "SpeedButtonSandR"}, {"Back1", "Back1Btn"},
    {"Next1", "Fwd1Btn"},             {"Find1", "SpeedButtonFind"},
};

// A step's label as a menu item's text: an ampersand in a name is no mnemonic.
QString MenuText(const std::string& label)
{
    QString text = ToQt(label);
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    text.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return text;
}

}  // namespace

void TSDIAppForm::UpdateEditActions()
{
    const auto undo = actions_.find(QStringLiteral("Undo1"));
    if (undo == actions_.end())
        return;  // the menus are not made yet
    const EditHistory& history = oob_.History;
    undo->second->setEnabled(oob_.FileLoaded && history.CanUndo());
    undo->second->setText(history.CanUndo() ? QStringLiteral("&Undo ") + MenuText(history.UndoLabel())
                                            : QStringLiteral("&Undo"));
    QAction* redo = actions_.at(QStringLiteral("Redo1"));
    redo->setEnabled(oob_.FileLoaded && history.CanRedo());
    redo->setText(history.CanRedo() ? QStringLiteral("&Redo ") + MenuText(history.RedoLabel())
                                    : QStringLiteral("&Redo"));
    for (const char* name : {"Commit1", "Restore1"})
        actions_.at(QString::fromLatin1(name))->setEnabled(oob_.FileLoaded);
    for (const auto& [action, button] : kButtonActions)
        actions_.at(QString::fromLatin1(action))->setEnabled(buttons_.at(QString::fromLatin1(button))->isEnabled());
}

bool TSDIAppForm::HasUnsavedChanges() const
{
    return oob_.FileLoaded && brackle::HasUnsavedChanges(oob_);
}

bool TSDIAppForm::ConfirmLeavingChanges(const QString& question)
{
    if (!HasUnsavedChanges())
        return true;
    const QString file = ToQt(OOBFileName(oob_.CurrentOOB));
    switch (dialogs_.Ask(this, QStringLiteral("Unsaved Changes"),
                         QStringLiteral("%1 has changes that are not saved.\r\n\r\n%2").arg(file, question),
                         Dialogs::Choices::SaveDiscardCancel)) {
    case Dialogs::Answer::Yes:
        if (!SaveCurrentFile())
            return false;
        SetStatus(QStringLiteral("Saved ") + QDir::toNativeSeparators(PathToQt(folders_.OOBDir / OOBFileName(oob_.CurrentOOB))));
        return true;
    case Dialogs::Answer::No:
        return true;
    case Dialogs::Answer::Cancel:
        break;
    }
    return false;
}

void TSDIAppForm::ShowRecordPages(bool show)
{
    for (int page : {UnitsPage, WeaponsPage, FormationsPage, InfoPage})
        viewer_->setTabVisible(page, show);
}

void TSDIAppForm::SetButtons(bool enabled)
{
    for (const char* name : {"Back1Btn", "Fwd1Btn", "EraseButton", "CopyButton", "PasteButton", "RestoreButton",
                             "CommitButton", "SpeedButton_Move"})
        buttons_.at(QString::fromLatin1(name))->setEnabled(enabled);
    buttonsEnabled_ = enabled;
}

void TSDIAppForm::ViewerChange()
{
    auto enableFind = [this] {
        editFind_->setEnabled(true);
        buttons_.at(QStringLiteral("SpeedButtonFind"))->setEnabled(true);
        buttons_.at(QStringLiteral("SpeedButtonSandR"))->setEnabled(true);
    };
    switch (viewer_->currentIndex()) {
    case InfoPage:
        pageMode_ = 5;
        ShowInfo();
        break;
    case UnitsPage:
        pageMode_ = 2;
        if (oob_.FileLoaded) {
            UnitlistboxInit(oob_.CurrentUnit);
            SetButtons(true);
            unitList_->setFocus();
        }
        ShowUnit();
        enableFind();
        break;
    case WeaponsPage:
        pageMode_ = 1;
        if (oob_.FileLoaded) {
            wpnlistboxInit(oob_.CurrentWeapon);
            SetButtons(true);
            weaponList_->setFocus();
        }
        ShowWeapon();
        enableFind();
        break;
    case FormationsPage:
        pageMode_ = 3;
        if (oob_.FileLoaded) {
            SetButtons(true);
            FormationlistboxInit(oob_.CurrentFormation);
            formationList_->setFocus();
        }
        ShowFormation();
        enableFind();
        break;
    case LoadPage:
        pageMode_ = 4;
        SetButtons(false);
        break;
    default:
        break;
    }
    UpdateEditActions();
}

void TSDIAppForm::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    FormResize();
}

bool TSDIAppForm::eventFilter(QObject* watched, QEvent* event)
{
    auto* w = qobject_cast<QWidget*>(watched);
    if (TextEditTakesKey(watched, event))
        return true;
    // The Edit menu's items follow the buttons they run.
    if (event->type() == QEvent::EnabledChange && w && w->window() == this) {
        for (const auto& [action, button] : kButtonActions) {
            if (buttons_.at(QString::fromLatin1(button)) == w)
                actions_.at(QString::fromLatin1(action))->setEnabled(w->isEnabled());
        }
    }
    // Back in the window: the list follows what came or went on disk meanwhile
    // (beside the folder watch, which a network folder may not serve).
    if (event->type() == QEvent::WindowActivate && watched == this)
        RefreshKobList();
    if (event->type() == QEvent::Resize && w) {
        if (auto* area = qobject_cast<QScrollArea*>(w->parentWidget()); area && area->viewport() == w)
            FitRecordForm(area);
    }
    if (event->type() == QEvent::ToolTip && w) {  // every window of the editor, dialogs included
        if (!settings_.Hints)
            return true;
        auto* help = static_cast<QHelpEvent*>(event);
        if (w->toolTip().isEmpty())
            return false;
        QToolTip::showText(help->globalPos(), w->toolTip(), w, QRect(), settings_.HintTimeMs);
        return true;
    }
    // Enter released in the find box finds the next match. The keyboard's keys
    // reach the combo box (or, sent on, its line edit): act on the one that has
    // the focus, and only when the press was there too, so the Enter that closed
    // a message box does not find again when it is released.
    if ((event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) && w &&
        (w == editFind_ || w == editFind_->lineEdit()) && w == QApplication::focusWidget()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && !key->isAutoRepeat()) {
            if (event->type() == QEvent::KeyPress) {
                findEnterPressed_ = true;
            } else if (findEnterPressed_) {
                findEnterPressed_ = false;
                SpeedButtonFindClick();
            }
        }
    }
    // A click on the list entry that is already selected shows that record again.
    if (event->type() == QEvent::MouseButtonPress && w) {
        for (QListWidget* list : {unitList_, weaponList_, formationList_}) {
            if (w == list->viewport())
                pressedListRow_ = list->currentRow();
        }
    }
    // A right-button press on the step buttons moves by ten.
    if (event->type() == QEvent::MouseButtonPress && w && w->isEnabled()) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (w == buttons_.at(QStringLiteral("Fwd1Btn")))
            Fwd1BtnMouseDown(mouse->button());
        else if (w == buttons_.at(QStringLiteral("Back1Btn")))
            Back1BtnMouseDown(mouse->button());
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TSDIAppForm::TextEditTakesKey(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    auto* w = qobject_cast<QWidget*>(watched);
    if (!w || w->window() != this)
        return false;
    const QKeyCombination combo = static_cast<QKeyEvent*>(event)->keyCombination();
    const bool undo = combo == (Qt::CTRL | Qt::Key_Z);
    const bool redo = combo == (Qt::CTRL | Qt::Key_Y) || combo == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
    if (!undo && !redo)
        return false;
    // An editable combo box hands its keys to its line edit.
    if (auto* box = qobject_cast<QComboBox*>(w); box && box->lineEdit())
        w = box->lineEdit();
    bool own = false;
    std::function<void()> act;
    if (auto* line = qobject_cast<QLineEdit*>(w); line && !line->isReadOnly()) {
        own = undo ? line->isUndoAvailable() : line->isRedoAvailable();
        act = [line, undo] { undo ? line->undo() : line->redo(); };
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(w); plain && !plain->isReadOnly()) {
        own = undo ? plain->document()->isUndoAvailable() : plain->document()->isRedoAvailable();
        act = [plain, undo] { undo ? plain->undo() : plain->redo(); };
    } else {
        return false;
    }
    if (event->type() == QEvent::ShortcutOverride) {
        // Typing to undo: the key goes to the edit. None: the edit does not claim
        // the key, so the window's Undo or Redo gets it.
        event->setAccepted(own);
        return true;
    }
    if (!own)
        return false;
    act();  // the edit's own undo or redo, whichever keys the platform binds to them
    return true;
}

void TSDIAppForm::ShowInfo()
{
    commentEdit_->setText(ToQt(oob_.OOBInfo));
    commentEdit_->setFocus();
}

void TSDIAppForm::SaveInfo()
{
    // Stored as typed, blanks included.
    oob_.OOBInfo = ToBytes(commentEdit_->text().left(static_cast<int>(kInfoLength)));
    ShowInfo();
}

void TSDIAppForm::CloseWithoutAsking()
{
    closeWithoutAsking_ = true;
    close();
}

void TSDIAppForm::closeEvent(QCloseEvent* event)
{
    bool leave = closeWithoutAsking_;
    if (!leave && HasUnsavedChanges())
        leave = ConfirmLeavingChanges(QStringLiteral("Save them before you quit?"));
    else if (!leave)
        leave = dialogs_.Question(this, QStringLiteral("Program Exit"),
                                  QStringLiteral("Do you really want to quit?\r\n\r\n - Have you saved all your edits?"));
    if (leave)
        event->accept();
    else
        event->ignore();
}

void TSDIAppForm::ExitClick()
{
    close();
}

void TSDIAppForm::About1Click()
{
    emit aboutRequested();
}

}  // namespace brackle
