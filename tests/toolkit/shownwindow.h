#pragma once

#include "res/templates.h"
#include "tests/toolkit/recordingdialog.h"

#include <QWindow>

#include <gtest/gtest.h>

namespace tktest {

/// The main window, shown and active, with every command taken so that no
/// click ends it.
class ShownMainWindow : public testing::Test
{
protected:
    void SetUp() override
    {
        dialog.takes = [](const tk::WindowEvent &event) { return event.kind == tk::EventKind::Command; };
        ASSERT_TRUE(showActive(dialog));
    }

    QWindow *window() const { return dialog.window().windowHandle(); }

    /// A point of a widget in window coordinates.
    QPoint inWindow(const QWidget *widget, const QPoint &point) const { return widget->mapTo(&dialog.window(), point); }
    QPoint centreOf(const QWidget *widget) const { return inWindow(widget, widget->rect().center()); }

    void click(const QPoint &point, Qt::KeyboardModifiers modifiers = {})
    {
        QTest::mouseClick(window(), Qt::LeftButton, modifiers, point);
    }

    void type(const QString &text)
    {
        for (const QChar character : text)
            QTest::keyClick(window(), character.toLatin1());
    }

    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) { QTest::keyClick(window(), key, modifiers); }

    RecordingDialog dialog{res::mainWindowTemplate()};
};

} // namespace tktest
