#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "app/application_qt.h"
#include "editors/pick_list.h"
#include "editors/unit_page.h"
#include "test_support.h"
#include "widgets/pick_form.h"
#include "widgets/scripted_dialogs.h"

namespace brackle {
namespace {

QStringList Numbers(int last)
{
    QStringList entries;
    for (int n = 0; n <= last; ++n)
        entries.push_back(QStringLiteral("%1 - entry").arg(n, 3, 10, QLatin1Char('0')));
    return entries;
}

QListWidget* List(TPickForm& form) { return form.findChild<QListWidget*>(QStringLiteral("ListBox1")); }

QPushButton* Button(TPickForm& form, const char* name)
{
    return form.findChild<QPushButton*>(QString::fromLatin1(name));
}

// Runs form.Choose, opened on entry selected, while act does what the user does in the open dialog.
int ChooseWhile(TPickForm& form, const QStringList& entries, const std::function<void(QListWidget*)>& act,
                int selected = 0)
{
    QTimer::singleShot(0, &form, [&form, act] {
        act(List(form));
        if (form.isVisible())  // act did not close it: leave with Cancel
            Button(form, "BitBtn1")->click();
    });
    return form.Choose(QStringLiteral("Pick List : Test"), entries, selected);
}

TEST(PickForm, TypedDigitsSelectTheEntryWithThatNumber)
{
    TPickForm form;
    // A short pause keeps the test quick; the dialog's own is about a second and a half.
    form.findChild<QTimer*>(QStringLiteral("TypingTimer"))->setInterval(200);
    struct Case {
        std::vector<const char*> bursts;  // typed quickly; a pause between bursts
        int want;
    } cases[] = {
        {{"187"}, 187},
        {{"005"}, 5},
        {{"18", "7"}, 7},
        {{"4321"}, 999},
        {{"x"}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.want);
        int shown = -1;
        const int got = ChooseWhile(form, Numbers(999), [&](QListWidget* list) {
            for (std::size_t i = 0; i < c.bursts.size(); ++i) {
                if (i > 0)
                    QTest::qWait(400);
                QTest::keyClicks(list, QString::fromLatin1(c.bursts[i]));
            }
            shown = list->currentRow();
            Button(form, "OKBtn")->click();
        });
        EXPECT_EQ(shown, c.want);
        EXPECT_EQ(got, c.want);
    }
}

TEST(PickForm, DoubleClickOrEnterChoosesAndCancelGivesMinusTwo)
{
    TPickForm form;
    QString caption;
    int first = -1;
    EXPECT_EQ(ChooseWhile(form, Numbers(99),
                          [&](QListWidget* list) {
                              caption = form.windowTitle();
                              first = list->currentRow();
                              const QRect r = list->visualItemRect(list->item(3));
                              // A double click arrives as a click, then the double click.
                              QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
                              QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, r.center());
                          }),
              3);
    EXPECT_EQ(caption, QStringLiteral("Pick List : Test"));
    EXPECT_EQ(first, 0);

    EXPECT_EQ(ChooseWhile(form, Numbers(99),
                          [](QListWidget* list) {
                              QTest::keyClick(list, Qt::Key_Down);
                              QTest::keyClick(list, Qt::Key_Down);
                              QTest::keyClick(list, Qt::Key_Return);
                          }),
              2);
    EXPECT_EQ(ChooseWhile(form, Numbers(99), [](QListWidget* list) { QTest::keyClicks(list, "42"); }), -2);
    EXPECT_EQ(ChooseWhile(form, Numbers(99),
                          [](QListWidget* list) {
                              QTest::keyClicks(list, "42");
                              QTest::keyClick(list, Qt::Key_Escape);
                          }),
              -2);
}

// Enter at once chooses the entry the list was opened on; with none selected it
// chooses nothing.
TEST(PickForm, OpensOnTheGivenEntryAndEnterAtOnceKeepsIt)
{
    TPickForm form;
    const std::pair<int, int> cases[] = {{17, 17}, {0, 0}, {999, 999}, {-1, -2}, {1000, -2}};
    for (const auto& [selected, want] : cases) {
        SCOPED_TRACE(selected);
        int current = -3;
        int visibleTop = -1;
        const int got = ChooseWhile(
            form, Numbers(999),
            [&](QListWidget* list) {
                current = list->selectedItems().isEmpty() ? -1 : list->currentRow();
                visibleTop = list->indexAt(QPoint(1, 1)).row();
                QApplication::setActiveWindow(&form);
                ASSERT_NE(QApplication::focusWidget(), nullptr);
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            },
            selected);
        EXPECT_EQ(got, want);
        EXPECT_EQ(current, want < 0 ? -1 : want);
        if (want > 20)
            EXPECT_GT(visibleTop, 0);  // scrolled to the entry
    }
    // With none selected, a typed number still chooses.
    EXPECT_EQ(ChooseWhile(form, Numbers(999),
                          [&form](QListWidget*) {
                              QApplication::setActiveWindow(&form);
                              QTest::keyClicks(QApplication::focusWidget(), "42");
                              QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                          },
                          -1),
              42);
}

// Through the real pick list: opening a pick button's list and pressing Enter
// at once leaves its field as it was.
TEST(PickForm, EnterAtOnceKeepsTheFieldsValue)
{
    Oob oob;
    oob.WeaponTable[17].Name = "Mortar";
    oob.UnitTable[1].Wpn1 = 17;
    oob.UnitTable[1].Wpn2 = 252;  // beyond the list: nothing is selected
    oob.UnitTable[1].Class = 62;
    oob.UnitTable[1].MC = 3;
    QtDialogs dialogs;
    UnitPage page(oob, dialogs);
    page.ShowUnit();
    page.show();
    const std::pair<const char*, const char*> cases[] = {
        {"UnitWpn1PickBtn", "UnitWpn1Edit"}, {"UnitWpn2PickBtn", "UnitWpn2Edit"},
        {"UnitWpn3PickBtn", "UnitWpn3Edit"}, {"UnitPickUCBtn", "UnitClassEdit"},
        {"UnitPickMCBtn", "UnitMCEdit"},
    };
    for (const auto& [button, edit] : cases) {
        SCOPED_TRACE(button);
        auto* e = page.findChild<QLineEdit*>(QString::fromLatin1(edit));
        ASSERT_NE(e, nullptr);
        const QString before = e->text();
        bool answered = false;
        QTimer::singleShot(0, &page, [&answered] {
            auto* list = qobject_cast<TPickForm*>(QApplication::activeModalWidget());
            if (!list)
                return;  // no pick list opened: nothing to answer
            QApplication::setActiveWindow(list);
            if (QApplication::focusWidget()) {
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
                answered = true;
            }
            if (list->isVisible())
                list->reject();
        });
        page.findChild<QToolButton*>(QString::fromLatin1(button))->click();
        EXPECT_TRUE(answered);
        EXPECT_EQ(e->text(), before);
    }
    EXPECT_EQ(page.findChild<QLabel*>(QStringLiteral("UnitWpn1NameLbl"))->text(), QStringLiteral("Mortar"));
}

TEST(PickForm, PickFromGivesLatin1EntriesAndRefusesExcludedFormations)
{
    Oob oob;
    oob.FormationTable[4].Name = "Coy \xC9lite";
    oob.FormationTable[4].FormType = 2;
    test::ScriptedDialogs dialogs;
    dialogs.picks = {4, 4};
    EXPECT_EQ(PickFrom(dialogs, nullptr, PickFormation, oob, 1, 0), 0);
    EXPECT_EQ(dialogs.lastPickEntries.value(4), QStringLiteral("004 - XX INVALID CHOICE XX"));
    oob.FormationTable[4].FormType = 1;
    EXPECT_EQ(PickFrom(dialogs, nullptr, PickFormation, oob, 1, 0), 4);
    EXPECT_EQ(dialogs.lastPickEntries.value(4), QString::fromUtf8("004 - Coy \u00C9lite"));
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_EQ(dialogs.shown[1].caption, QStringLiteral("Pick List : Formation"));
}

TEST(PickForm, TheApplicationsDialogsShowItsPickList)
{
    test::TempDir tmp;
    const auto prog = tmp.path() / "Vornex" / "Brackle";
    std::filesystem::create_directories(prog);
    QtDialogs dialogs;
    StartOptions options;
    options.Splash = false;
    Application app(dialogs, StartupPaths{prog, prog, {}}, options);
    auto* form = dynamic_cast<TPickForm*>(app.Window(QStringLiteral("TPickForm")));
    ASSERT_NE(form, nullptr);
    TPickForm* shown = nullptr;
    QString shownCaption;
    QTimer::singleShot(0, form, [&] {
        shown = qobject_cast<TPickForm*>(QApplication::activeModalWidget());
        if (!shown)
            return;  // nothing to answer: the pick never opened a modal list
        shownCaption = shown->windowTitle();
        QTest::keyClicks(List(*shown), "3");
        Button(*shown, "OKBtn")->click();
    });
    EXPECT_EQ(PickFrom(dialogs, &app.MainWindow(), PickFormType, app.Document(), 0, 0), 3);
    EXPECT_EQ(shown, form);
    EXPECT_EQ(shownCaption, QStringLiteral("Pick List : Formation Type"));
}

}  // namespace
}  // namespace brackle
