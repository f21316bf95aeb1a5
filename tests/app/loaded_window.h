// A main window with file 3 of a temporary game folder loaded; a test fills
// the file's tables by overriding Fill.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <gtest/gtest.h>
#include <memory>

#include "app/main_window.h"
#include "oob/oob_file.h"
#include "test_support.h"
#include "widgets/keyboard.h"
#include "widgets/scripted_dialogs.h"

namespace brackle::test {

class LoadedWindowTest : public ::testing::Test {
protected:
    virtual void Fill(Oob& file) = 0;

    void SetUp() override
    {
        programDir = tmp.path() / "Vornex" / "Brackle";
        oobDir = tmp.path() / "Vornex" / "game data" / "oobs";
        std::filesystem::create_directories(programDir);
        std::filesystem::create_directories(oobDir);
        WriteText(programDir / "BRVX.ini",
                  "[NationNames]\nobat3=Third Nation\nobat4=Fourth Nation\n"
                  "[UnitClassNames]\nUnitClass0=Infantry\nUnitClass47=Glider\nUnitClass62=Level Bomber\n");
        Oob o;
        o.CurrentOOB = 3;
        Fill(o);
        WriteTablesToBuffer(o);
        o.LoadedSize = kBufferSize;
        ASSERT_TRUE(WriteFileAtomically(oobDir / OOBFileName(3), o.OOBBuffer.data(), o.LoadedSize).ok);

        StartupPaths paths;
        paths.ProgramDir = programDir;
        paths.CurrentDir = programDir;
        w = std::make_unique<TSDIAppForm>(oob, dialogs, paths);
        w->findChild<QListWidget*>(QStringLiteral("KobListBox"))->setCurrentRow(2);
        w->KobListBoxDblClick();
        ASSERT_TRUE(oob.FileLoaded);
        ASSERT_EQ(w->PageMode(), 2);
        Activate(w.get());
        dialogs.shown.clear();
    }

    template <typename T = QLineEdit>
    T* Find(const char* name)
    {
        T* found = w->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }

    QString Text(const char* name) { return Find<QLineEdit>(name)->text(); }
    void Type(const char* name, const QString& text) { Find<QLineEdit>(name)->setText(text); }
    QString Label(const char* name) { return Find<QLabel>(name)->text(); }
    QColor LabelColour(const char* name) { return Find<QLabel>(name)->palette().color(QPalette::WindowText); }
    QColor EditColour(const char* name) { return Find<QLineEdit>(name)->palette().color(QPalette::Text); }

    // The texts and icons of the messages shown since the last call.
    std::vector<std::pair<QString, Dialogs::Icon>> Messages()
    {
        std::vector<std::pair<QString, Dialogs::Icon>> m;
        for (const auto& s : dialogs.shown) {
            if (s.kind == QLatin1String("message"))
                m.emplace_back(s.text, s.icon);
        }
        dialogs.shown.clear();
        return m;
    }

    TempDir tmp;
    std::filesystem::path programDir, oobDir;
    Oob oob;
    ScriptedDialogs dialogs;
    std::unique_ptr<TSDIAppForm> w;
};

}  // namespace brackle::test
