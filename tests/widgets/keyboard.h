// Keys as a keyboard sends them: to whatever control has the focus in the
// active window, never straight to a widget the test happens to know.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <gtest/gtest.h>

namespace brackle::test {

// Shows the window and makes it the active one, as a user's window is.
inline void Activate(QWidget* window)
{
    window->show();
    window->activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
}

// After a modal box closes, the desktop gives the activation back to the window
// below it; the offscreen platform does not, so a test does it for the desktop.
// The same when the user clicks into another of the editor's windows.
inline void BackInFront(QWidget* window)
{
    if (QGuiApplication::focusWindow() == window->windowHandle() && window->isActiveWindow())
        return;
    window->show();
    window->activateWindow();
    if (QWindow* handle = window->windowHandle())
        handle->requestActivate();
    EXPECT_TRUE(QTest::qWaitFor([window] {
        return QGuiApplication::focusWindow() == window->windowHandle() && window->isActiveWindow();
    })) << "the window did not come to the front";
}

// Presses and releases key on the focused control.
inline void PressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no control has the focus";
    QTest::keyClick(focus, key, modifiers);
}

// Puts the focus on control, as a click or Tab would, then presses key.
inline void PressKeyIn(QWidget* control, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    BackInFront(control->window());
    control->setFocus(Qt::OtherFocusReason);
    PressKey(key, modifiers);
}

// Types text into the focused control, key by key.
inline void TypeKeys(const QString& text)
{
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr) << "no control has the focus";
    QTest::keyClicks(focus, text);
}

}  // namespace brackle::test
