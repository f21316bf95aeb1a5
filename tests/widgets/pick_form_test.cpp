#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

#include "app/application_qt.h"
#include "editors/pick_list.h"
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

// Runs form.Choose while act does what the user does in the open dialog.
int ChooseWhile(TPickForm& form, const QStringList& entries, const std::function<void(QListWidget*)>& act)
{
    QTimer::singleShot(0, &form, [&form, act] {
        act(List(form));
        if (form.isVisible())  // act did not close it: leave with Cancel
            Button(form, "BitBtn1")->click();
    });
    return form.Choose(QStringLiteral("Pick List : Test"), entries);
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

TEST(PickForm, PickFromGivesLatin1EntriesAndRefusesExcludedFormations)
{
    Oob oob;
    oob.FormationTable[4].Name = "Coy \xC9lite";
    oob.FormationTable[4].FormType = 2;
    test::ScriptedDialogs dialogs;
    dialogs.picks = {4, 4};
    EXPECT_EQ(PickFrom(dialogs, nullptr, PickFormation, oob, 1), 0);
    EXPECT_EQ(dialogs.lastPickEntries.value(4), QStringLiteral("004 - XX INVALID CHOICE XX"));
    oob.FormationTable[4].FormType = 1;
    EXPECT_EQ(PickFrom(dialogs, nullptr, PickFormation, oob, 1), 4);
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
    EXPECT_EQ(PickFrom(dialogs, &app.MainWindow(), PickFormType, app.Document(), 0), 3);
    EXPECT_EQ(shown, form);
    EXPECT_EQ(shownCaption, QStringLiteral("Pick List : Formation Type"));
}

}  // namespace
}  // namespace brackle
