#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>

#include "app/application_qt.h"
#include "graphics/lbm_browse_form.h"
#include "test_support.h"
#include "widgets/dialogs_qt.h"
#include "widgets/keyboard.h"

namespace brackle {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, int v)
{
    b.push_back(static_cast<unsigned char>(v >> 8));
    b.push_back(static_cast<unsigned char>(v));
}

void Put32(Bytes& b, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        b.push_back(static_cast<unsigned char>(v >> shift));
}

// The colour every pixel of test picture n has, so a frame shows which file it holds.
QRgb ColourOf(int n) { return qRgb(n % 256, (n / 256) % 256, 100 + n / 65536); }

// An uncompressed chunky picture (form type "PBM "), 8 x 6, every pixel colour 1
// of its palette, written chunk by chunk as the file layout has it.
Bytes Pbm(int n, int width = 8, int height = 6)
{
    Bytes b = {'F', 'O', 'R', 'M'};
    Put32(b, 4 + 28 + 8 + 768 + 8 + static_cast<std::uint32_t>(width * height));
    b.insert(b.end(), {'P', 'B', 'M', ' ', 'B', 'M', 'H', 'D'});
    Put32(b, 20);
    Put16(b, width);
    Put16(b, height);
    Put32(b, 0);                          // x, y
    b.insert(b.end(), {8, 0, 0, 0});      // planes, masking, compression none, pad
    Put16(b, 0);                          // transparent colour
    b.insert(b.end(), {1, 1});            // aspect
    Put16(b, width);
    Put16(b, height);
    b.insert(b.end(), {'C', 'M', 'A', 'P'});
    Put32(b, 768);
    Bytes palette(768, 0);
    palette[3] = static_cast<unsigned char>(qRed(ColourOf(n)));
    palette[4] = static_cast<unsigned char>(qGreen(ColourOf(n)));
    palette[5] = static_cast<unsigned char>(qBlue(ColourOf(n)));
    b.insert(b.end(), palette.begin(), palette.end());
    b.insert(b.end(), {'B', 'O', 'D', 'Y'});
    Put32(b, static_cast<std::uint32_t>(width * height));
    b.insert(b.end(), static_cast<std::size_t>(width * height), 1);
    return b;
}

// The file name of picture n as the game names it, written out by hand.
std::string Name(int n)
{
    char name[32];
    std::snprintf(name, sizeof name, "Pm%05d.lbm", n);
    return name;
}

const char* const kFrames[9] = {"LBMImageMinus4", "LBMImageMinus3", "LBMImageMinus2", "LBMImageMinus1", "TheLBMImage",
                                "LBMImagePlus1",  "LBMImagePlus2",  "LBMImagePlus3",  "LBMImagePlus4"};

class BrowseTest : public ::testing::Test {
protected:
    void AddPictures(std::initializer_list<int> numbers)
    {
        for (int n : numbers)
            test::WriteBytes(dir / Name(n), Pbm(n));
    }
    void AddPictures(int first, int last)
    {
        for (int n = first; n <= last; ++n)
            test::WriteBytes(dir / Name(n), Pbm(n));
    }
    QString Dir() const { return QString::fromStdString(dir.path().string()); }

    // Opens the browser as Run does and shows it, without the modal loop.
    void Open(int start)
    {
        form.Open(Dir(), start);
        test::Activate(&form);
    }
    void Settle()
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return !form.RefreshPending(); }));
    }

    PictureFrame* Frame(const char* name) { return form.findChild<PictureFrame*>(QString::fromLatin1(name)); }
    QLineEdit* Edit() { return form.findChild<QLineEdit*>(QStringLiteral("LBMIDEdit")); }
    QScrollBar* Bar() { return form.findChild<QScrollBar*>(QStringLiteral("ScrollBar1")); }
    QListWidget* Files() { return form.findChild<QListWidget*>(QStringLiteral("FileListBox1")); }
    QTreeWidget* Folders() { return form.findChild<QTreeWidget*>(QStringLiteral("DirectoryListBox22")); }
    QTreeWidgetItem* Folder(const char* name)
    {
        const auto found = Folders()->findItems(QString::fromLatin1(name), Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.front() : nullptr;
    }

    void Click(const char* frame)
    {
        PictureFrame* f = Frame(frame);
        ASSERT_NE(f, nullptr) << frame;
        QTest::mouseClick(f, Qt::LeftButton);
        Settle();
    }
    void Type(const QString& text)
    {
        test::BackInFront(&form);
        Edit()->setFocus(Qt::OtherFocusReason);
        Edit()->selectAll();
        test::TypeKeys(text);
        Settle();
    }
    QListWidgetItem* FileItem(const QString& name)
    {
        const auto found = Files()->findItems(name, Qt::MatchExactly);
        return found.isEmpty() ? nullptr : found.front();
    }
    // The numbers of the frames that show a picture.
    std::set<int> Shown()
    {
        std::set<int> shown;
        for (const char* name : kFrames) {
            if (Frame(name)->HasPicture())
                shown.insert(Frame(name)->Number());
        }
        return shown;
    }
    // The frame shows the picture of n (its own colour) under the number n.
    void ExpectPictureOf(const char* frame, int n)
    {
        PictureFrame* f = Frame(frame);
        EXPECT_EQ(f->Number(), n) << frame;
        ASSERT_TRUE(f->HasPicture()) << frame << " shows no picture of " << n;
        EXPECT_EQ(f->Picture().pixel(0, 0), ColourOf(n)) << frame << " shows another file than " << Name(n);
    }

    test::TempDir dir;
    TLBMBrowseForm form;
};

TEST_F(BrowseTest, OpensOnTheStartNumberOrFive)
{
    AddPictures(1, 50);
    struct Case {
        int start;
        int shown;
    } cases[] = {{0, 5}, {42, 42}, {1, 1}, {-3, 0}, {123456, 99999}};
    for (const auto& c : cases) {
        Open(c.start);
        EXPECT_EQ(Edit()->text(), QString::number(c.shown)) << c.start;
        EXPECT_EQ(Bar()->value(), c.shown) << c.start;
        EXPECT_EQ(form.ChosenPicture(), c.shown) << c.start;
        EXPECT_EQ(Frame("TheLBMImage")->Number(), c.shown) << c.start;
        EXPECT_FALSE(form.RefreshPending()) << "the pictures are there when the window opens";
    }
    Open(0);
    ExpectPictureOf("TheLBMImage", 5);
    ExpectPictureOf("LBMImageMinus4", 1);
    ExpectPictureOf("LBMImagePlus4", 9);
}

TEST_F(BrowseTest, ClickingAPictureGoesToItsNumber)
{
    AddPictures(1, 20);
    struct Case {
        int start;
        const char* typed;  // typed over the number first, when set
        const char* frame;
        const char* want;
    } cases[] = {
        {2, nullptr, "LBMImageMinus4", "0"},  // never below 0
        {3, nullptr, "LBMImageMinus4", "0"},
        {10, nullptr, "LBMImageMinus3", "7"},
        {10, nullptr, "LBMImageMinus1", "9"},
        {10, nullptr, "LBMImagePlus1", "11"},
        {10, nullptr, "LBMImagePlus4", "14"},
        {99998, nullptr, "LBMImagePlus4", "99999"},  // never above 99999
        {10, "12x", "TheLBMImage", "12"},            // the current number, clamped
        {10, "700000", "TheLBMImage", "99999"},
        {10, "12x", "LBMImagePlus2", "14"},
    };
    for (const auto& c : cases) {
        Open(c.start);
        if (c.typed)
            Type(QString::fromLatin1(c.typed));
        Click(c.frame);
        EXPECT_EQ(Edit()->text(), QString::fromLatin1(c.want)) << c.start << " " << c.frame;
        EXPECT_EQ(form.ChosenPicture(), Edit()->text().toInt());
        EXPECT_EQ(Bar()->value(), Edit()->text().toInt()) << "the scroll bar follows";
        EXPECT_EQ(Frame("TheLBMImage")->Number(), Edit()->text().toInt());
    }
}

TEST_F(BrowseTest, TypedTextShowsThePictureOfItsDigits)
{
    AddPictures({122, 123, 124});
    Open(5);
    Type(QStringLiteral("123abc"));
    ExpectPictureOf("TheLBMImage", 123);
    ExpectPictureOf("LBMImageMinus1", 122);
    ExpectPictureOf("LBMImagePlus1", 124);
    EXPECT_EQ(Bar()->value(), 123);
    ASSERT_NE(Files()->currentItem(), nullptr);
    EXPECT_EQ(Files()->currentItem()->text(), QStringLiteral("Pm00123.lbm"));
    EXPECT_TRUE(Files()->currentItem()->isSelected());

    // A text that is no number yet leaves everything as it was; OK takes the last number.
    Type(QStringLiteral("-"));
    ExpectPictureOf("TheLBMImage", 123);
    EXPECT_EQ(Bar()->value(), 123);
}

TEST_F(BrowseTest, OnlyPicturesWhoseFilesExistAndDecodeAreShown)
{
    AddPictures({1, 2, 3, 5, 8, 10});
    test::WriteBytes(dir / Name(6), {'n', 'o', 't', ' ', 'a', ' ', 'p', 'i', 'c'});  // garbage
    test::WriteBytes(dir / "PM00009.LBM", Pbm(9));                              // another case
    fs::create_directory(dir / Name(7));                                         // a folder, no file
    test::WriteText(dir / "readme.txt", "not a picture");
    struct Case {
        int at;
        std::set<int> shown;
        const char* selected;  // in the file list; nullptr: none
    } cases[] = {
        {4, {1, 2, 3, 5, 8}, nullptr},
        {5, {1, 2, 3, 5, 8, 9}, "Pm00005.lbm"},
        {2, {1, 2, 3, 5}, "Pm00002.lbm"},  // numbers below 0 never exist
        {6, {2, 3, 5, 8, 9, 10}, "Pm00006.lbm"},  // the garbage file shows nothing
        {9, {5, 8, 9, 10}, "PM00009.LBM"},
    };
    for (const auto& c : cases) {
        Open(c.at);
        EXPECT_EQ(Shown(), c.shown) << "at " << c.at;
        const auto selected = Files()->selectedItems();
        if (c.selected) {
            ASSERT_EQ(selected.size(), 1) << "at " << c.at;
            EXPECT_EQ(selected.front()->text(), QString::fromLatin1(c.selected));
        } else {
            EXPECT_TRUE(selected.isEmpty()) << "at " << c.at;
        }
    }
    // Every frame keeps its number, shown or not; those below 0 have none.
    Open(2);
    EXPECT_EQ(Frame("LBMImageMinus3")->Number(), -1);
    EXPECT_EQ(Frame("LBMImageMinus2")->Number(), 0);
    EXPECT_EQ(Frame("LBMImagePlus2")->Number(), 4);
    // The garbage file says why in its hint, never in a message box.
    Open(6);
    EXPECT_FALSE(Frame("TheLBMImage")->HasPicture());
    EXPECT_TRUE(Frame("TheLBMImage")->toolTip().contains(QStringLiteral("Invalid file")))
        << Frame("TheLBMImage")->toolTip().toStdString();
    for (QWidget* w : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<QMessageBox*>(w) && w->isVisible()) << "a message box is shown";

    QStringList listed;
    for (int i = 0; i < Files()->count(); ++i)
        listed << Files()->item(i)->text();
    EXPECT_EQ(listed, (QStringList{"Pm00001.lbm", "Pm00002.lbm", "Pm00003.lbm", "Pm00005.lbm", "Pm00006.lbm",
                                   "Pm00008.lbm", "PM00009.LBM", "Pm00010.lbm"}))
        << "the .lbm files in any case, no folders, no other files";
}

TEST_F(BrowseTest, TheLastPictureNumberIsShownLikeAnyOther)
{
    AddPictures(99994, 99999);
    struct Case {
        int start;
        const char* typed;  // typed over the number, when set
    } cases[] = {{99999, nullptr}, {200000, nullptr}, {5, "99999"}, {5, "100000"}, {5, "99999x"}};
    for (const auto& c : cases) {
        Open(c.start);
        if (c.typed)
            Type(QString::fromLatin1(c.typed));
        EXPECT_EQ(Bar()->value(), 99999) << c.start << " " << (c.typed ? c.typed : "");
        ExpectPictureOf("TheLBMImage", 99999);
        ExpectPictureOf("LBMImageMinus1", 99998);
        ExpectPictureOf("LBMImageMinus4", 99995);
        for (const char* beyond : {"LBMImagePlus1", "LBMImagePlus4"}) {
            EXPECT_EQ(Frame(beyond)->Number(), -1) << beyond << ": no number past 99999";
            EXPECT_FALSE(Frame(beyond)->HasPicture()) << beyond;
        }
        ASSERT_NE(Files()->currentItem(), nullptr);
        EXPECT_EQ(Files()->currentItem()->text(), QStringLiteral("Pm99999.lbm"));
    }
    // From 99998 the picture to its right is the last one.
    Open(99998);
    ExpectPictureOf("LBMImagePlus1", 99999);
    EXPECT_EQ(Frame("LBMImagePlus2")->Number(), -1);
    Click("LBMImagePlus1");
    EXPECT_EQ(form.ChosenPicture(), 99999);
}

TEST_F(BrowseTest, ClickingAFileGoesToTheNumberInItsName)
{
    AddPictures({5, 42});
    test::WriteBytes(dir / "tank 2-1.lbm", Pbm(1));  // no number: the click changes nothing
    test::WriteBytes(dir / "x123456.lbm", Pbm(1));   // too large: clamped
    test::WriteBytes(dir / "old.lbm", Pbm(1));       // no digits at all: 0
    Open(0);
    struct Case {
        const char* file;
        const char* want;
    } cases[] = {{"Pm00042.lbm", "42"}, {"tank 2-1.lbm", "42"}, {"x123456.lbm", "99999"},
                 {"old.lbm", "0"},      {"Pm00005.lbm", "5"}};
    for (const auto& c : cases) {
        QListWidgetItem* item = FileItem(QString::fromLatin1(c.file));
        ASSERT_NE(item, nullptr) << c.file;
        Files()->scrollToItem(item);
        QTest::mouseClick(Files()->viewport(), Qt::LeftButton, {}, Files()->visualItemRect(item).center());
        Settle();
        EXPECT_EQ(Edit()->text(), QString::fromLatin1(c.want)) << c.file;
    }
    ExpectPictureOf("TheLBMImage", 5);
    // Moving through the list with the keys chooses as well.
    test::PressKeyIn(Files(), Qt::Key_Down);
    Settle();
    EXPECT_EQ(Edit()->text(), QStringLiteral("42"));
    ExpectPictureOf("TheLBMImage", 42);
}

TEST_F(BrowseTest, TheScrollBarAndPageKeysStepThroughTheNumbers)
{
    AddPictures(1, 40);
    Open(20);
    const std::vector<std::tuple<const char*, Qt::Key, int>> steps = {
        {"LBMIDEdit", Qt::Key_PageDown, 29}, {"LBMIDEdit", Qt::Key_PageUp, 20},   {"ScrollBar1", Qt::Key_Right, 21},
        {"ScrollBar1", Qt::Key_Left, 20},    {"ScrollBar1", Qt::Key_PageDown, 29}, {"FileListBox1", Qt::Key_PageUp, 20},
    };
    for (const auto& [control, key, want] : steps) {
        test::PressKeyIn(form.findChild<QWidget*>(QString::fromLatin1(control)), key);
        Settle();
        EXPECT_EQ(Edit()->text(), QString::number(want)) << control << " key " << key;
        EXPECT_EQ(Bar()->value(), want);
        ExpectPictureOf("TheLBMImage", want);
    }
    Open(3);
    test::PressKeyIn(Edit(), Qt::Key_PageUp);
    Settle();
    EXPECT_EQ(Edit()->text(), QStringLiteral("0"));
}

TEST_F(BrowseTest, OnlyTheNinePicturesOnScreenAreDecodedAndRapidChangesOnce)
{
    AddPictures(1, 60);
    Open(20);
    EXPECT_EQ(form.FilesDecoded(), 9) << "the nine around 20, not the folder";
    // Ten quick steps of the scroll bar: only the last number's pictures are read.
    Bar()->setFocus(Qt::OtherFocusReason);
    test::BackInFront(&form);
    for (int i = 0; i < 10; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    Settle();
    ExpectPictureOf("TheLBMImage", 30);
    EXPECT_EQ(form.FilesDecoded(), 18) << "26..34, and nothing between";
    // Typing keeps up the same way.
    Type(QStringLiteral("45"));
    EXPECT_LE(form.FilesDecoded(), 18 + 9 + 9) << "4 and 45 at most";
    ExpectPictureOf("TheLBMImage", 45);
    // Back to pictures seen before: nothing is read again.
    const int before = form.FilesDecoded();
    Type(QStringLiteral("30"));
    EXPECT_EQ(form.FilesDecoded(), before);
    ExpectPictureOf("LBMImagePlus1", 31);
}

TEST_F(BrowseTest, FilesChangedWhileTheBrowserIsOpenAreShownAsTheyAreNow)
{
    AddPictures({10, 12});
    Open(10);
    EXPECT_EQ(Shown(), (std::set<int>{10, 12}));
    AddPictures({11});                                    // a new file
    test::WriteBytes(dir / Name(12), Pbm(412, 16, 6));    // another picture under the same name
    fs::last_write_time(dir / Name(12), fs::last_write_time(dir / Name(12)) + std::chrono::seconds(2));
    fs::remove(dir / Name(10));                           // a file gone
    Type(QStringLiteral("11"));
    EXPECT_EQ(Shown(), (std::set<int>{11, 12}));
    ExpectPictureOf("TheLBMImage", 11);
    EXPECT_EQ(Frame("LBMImagePlus1")->Picture().pixel(0, 0), ColourOf(412)) << "the picture now in the file";
}

TEST_F(BrowseTest, TheFolderListChangesOnlyTheFileList)
{
    AddPictures({5, 6});
    fs::create_directories(dir / "more" / "deeper");
    test::WriteBytes(dir / "more" / Name(77), Pbm(77));
    Open(5);
    EXPECT_EQ(form.Directory(), QDir::cleanPath(Dir()));
    ASSERT_NE(Folders()->currentItem(), nullptr);
    EXPECT_EQ(Folders()->currentItem()->text(0), QDir(Dir()).dirName());
    QTreeWidgetItem* sub = Folder("more");
    ASSERT_NE(sub, nullptr);
    EXPECT_EQ(Folder("deeper"), nullptr) << "only the folders in the one listed";
    Folders()->scrollToItem(sub);
    // A double click arrives as a click, then the double click.
    const QPoint at = Folders()->visualItemRect(sub).center();
    QTest::mouseClick(Folders()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.Directory(), QDir::cleanPath(Dir())) << "a single click only selects the folder";
    QTest::mouseDClick(Folders()->viewport(), Qt::LeftButton, {}, at);
    EXPECT_EQ(form.Directory(), QDir::cleanPath(Dir() + QStringLiteral("/more")));
    ASSERT_EQ(Files()->count(), 1);
    EXPECT_EQ(Files()->item(0)->text(), QStringLiteral("Pm00077.lbm"));
    EXPECT_NE(Folder("deeper"), nullptr);
    // Choosing its file takes the number; the picture still comes from the pictures folder.
    QTest::mouseClick(Files()->viewport(), Qt::LeftButton, {}, Files()->visualItemRect(Files()->item(0)).center());
    Settle();
    EXPECT_EQ(Edit()->text(), QStringLiteral("77"));
    EXPECT_FALSE(Frame("TheLBMImage")->HasPicture());
    // Enter on the folder above goes back up.
    Folders()->setCurrentItem(Folders()->currentItem()->parent());
    test::PressKeyIn(Folders(), Qt::Key_Return);
    EXPECT_EQ(form.Directory(), QDir::cleanPath(Dir()));
    EXPECT_TRUE(form.isVisible()) << "Enter on another folder opens it, it does not close the window";
}

// Runs the browser modally while steps act in it; a browser the steps leave open is cancelled.
std::optional<int> RunWhile(TLBMBrowseForm& form, const QString& dir, int start, std::function<void()> steps)
{
    QTimer::singleShot(0, &form, [&form, steps] {
        test::BackInFront(&form);
        steps();
        if (form.isVisible())
            form.findChild<QPushButton*>(QStringLiteral("CancelButton"))->click();
    });
    return form.Run(dir, start);
}

TEST_F(BrowseTest, OkGivesTheNumberAndEveryOtherWayOutGivesNothing)
{
    AddPictures({5, 42, 43});
    fs::create_directory(dir / "sub");
    // The editor stands in its OOB folder while the browser is open.
    fs::create_directory(dir / "oobs");
    fs::current_path(dir / "oobs");
    const fs::path cwd = fs::current_path();
    auto click = [this](const char* button) {
        return [this, button] { form.findChild<QPushButton*>(QString::fromLatin1(button))->click(); };
    };
    auto key = [](Qt::Key k) { return [k] { test::PressKey(k); }; };
    struct Case {
        const char* what;
        int start;
        std::function<void()> steps;
        std::optional<int> want;
    };
    const std::vector<Case> cases = {
        {"OK", 42, click("OKButton"), 42},
        {"OK at the start of 0", 0, click("OKButton"), 5},
        {"Enter", 42, key(Qt::Key_Return), 42},
        {"Cancel", 42, click("CancelButton"), std::nullopt},
        {"Escape", 42, key(Qt::Key_Escape), std::nullopt},
        {"closing the window", 42, [this] { form.close(); }, std::nullopt},
        {"a picture clicked, then OK",
         42,
         [this] {
             QTest::mouseClick(Frame("LBMImagePlus1"), Qt::LeftButton);
             test::PressKey(Qt::Key_Enter);
         },
         43},
        {"typed, then Enter at once",
         42,
         [] {
             test::TypeKeys(QStringLiteral("77z"));
             test::PressKey(Qt::Key_Return);
         },
         77},
        {"another folder opened, then OK",
         42,
         [this] {
             Folders()->setCurrentItem(Folder("sub"));
             test::PressKeyIn(Folders(), Qt::Key_Return);
             EXPECT_TRUE(form.Directory().endsWith(QStringLiteral("/sub")));
             test::PressKey(Qt::Key_Return);  // now on the folder open: OK
         },
         42},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunWhile(form, Dir(), c.start, c.steps), c.want) << c.what;
        EXPECT_FALSE(form.isVisible()) << c.what;
        EXPECT_EQ(fs::current_path(), cwd) << c.what << ": the current directory never changes";
    }
    fs::current_path(fs::temp_directory_path());
}

TEST_F(BrowseTest, TabFollowsTheLayout)
{
    Open(5);
    EXPECT_EQ(QApplication::focusWidget(), Edit()) << "the number has the focus first";
    EXPECT_EQ(Edit()->selectedText(), QStringLiteral("5")) << "typing replaces it";
    const char* order[] = {"ScrollBar1", "FileListBox1", "DirectoryListBox22", "OKButton", "CancelButton", "LBMIDEdit"};
    for (const char* next : order) {
        test::PressKey(Qt::Key_Tab);
        ASSERT_NE(QApplication::focusWidget(), nullptr);
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(next));
    }
}

TEST(LBMBrowser, HasItsCaptionsAndHints)
{
    TLBMBrowseForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("LBM Browser"));
    auto* ok = form.findChild<QPushButton*>(QStringLiteral("OKButton"));
    auto* cancel = form.findChild<QPushButton*>(QStringLiteral("CancelButton"));
    ASSERT_TRUE(ok && cancel);
    EXPECT_EQ(ok->text(), QStringLiteral("OK"));
    EXPECT_EQ(ok->toolTip(), QStringLiteral("Click to select the current LBM"));
    EXPECT_EQ(cancel->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(cancel->toolTip(), QStringLiteral("Ignore Changes"));
    EXPECT_EQ(form.findChild<QLineEdit*>(QStringLiteral("LBMIDEdit"))->text(), QStringLiteral("5"));
    QStringList labels;
    for (auto* label : form.findChildren<QLabel*>())
        labels << label->text();
    EXPECT_TRUE(labels.contains(QStringLiteral("LBM ID : ")));
    EXPECT_TRUE(labels.contains(QStringLiteral("(Click on an LBM to select)")));
    auto* bar = form.findChild<QScrollBar*>(QStringLiteral("ScrollBar1"));
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), 99999);
    // The whole window fits a screen of 1024 x 768.
    EXPECT_LE(form.width(), 1024);
    EXPECT_LE(form.height(), 700);
}

TEST(LBMBrowser, TheApplicationHandsItToTheDialogsAndTakesItBack)
{
    test::TempDir tmp;
    const fs::path prog = tmp.path() / "Vornex" / "Brackle";
    const fs::path pictures = tmp.path() / "Vornex" / "game data" / "pictures";
    fs::create_directories(prog);
    fs::create_directories(pictures);
    test::WriteBytes(pictures / Name(42), Pbm(42));
    QtDialogs dialogs;
    {
        StartOptions options;
        options.Splash = false;
        Application app(dialogs, StartupPaths{prog, prog, {}}, options);
        auto* browser = qobject_cast<TLBMBrowseForm*>(app.Window(QStringLiteral("TLBMBrowser")));
        ASSERT_NE(browser, nullptr);
        EXPECT_EQ(browser->windowTitle(), QStringLiteral("LBM Browser"));
        QTimer::singleShot(0, browser, [browser] {
            EXPECT_TRUE(browser->isVisible());
            EXPECT_TRUE(browser->findChild<PictureFrame*>(QStringLiteral("TheLBMImage"))->HasPicture());
            browser->findChild<QPushButton*>(QStringLiteral("OKButton"))->click();
        });
        EXPECT_EQ(dialogs.BrowsePicture(&app.MainWindow(), QString::fromStdString(pictures.string()), 42), 42);
    }
    // Without the application's windows there is no browser to show.
    EXPECT_EQ(dialogs.BrowsePicture(nullptr, QString::fromStdString(pictures.string()), 42), std::nullopt);
    fs::current_path(fs::temp_directory_path());  // the main window stood in the game's OOB folder
}

// Not a check: with BRACKLE_BROWSER_SHOT=FILE.png (and BRACKLE_BROWSER_PICTURES=a
// pictures folder, BRACKLE_BROWSER_AT=a number) it saves a picture of the browser
// for the documentation.
TEST(LBMBrowser, Screenshot)
{
    const QString out = qEnvironmentVariable("BRACKLE_BROWSER_SHOT");
    if (out.isEmpty())
        GTEST_SKIP() << "set BRACKLE_BROWSER_SHOT to save a picture of the browser";
    TLBMBrowseForm form;
    form.Open(qEnvironmentVariable("BRACKLE_BROWSER_PICTURES"), qEnvironmentVariableIntValue("BRACKLE_BROWSER_AT"));
    test::Activate(&form);
    EXPECT_TRUE(QTest::qWaitFor([&form] { return !form.RefreshPending(); }));
    QTest::qWait(100);
    EXPECT_TRUE(form.grab().save(out, "PNG"));
}

}  // namespace
}  // namespace brackle
