#include "tests/support/paneluser.h"

#include "res/resource.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

bool PanelUser::show(CRemoteDlg &window)
{
    m_window = &window;
    statusHistory.clear();
    QObject::connect(window.item<QLineEdit>(IDC_STATUS), &QLineEdit::textChanged, &window,
                     [this](const QString &text) { statusHistory.push_back(text.toStdString()); });
    window.show();
    return QTest::qWaitForWindowExposed(&window);
}

QWidget *PanelUser::control(int id) const
{
    QWidget *widget = m_window->item(id);
    EXPECT_NE(widget, nullptr) << "no control " << id;
    return widget;
}

void PanelUser::clickAt(QWidget *widget, QPoint at)
{
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget->mapTo(m_window, at));
    QCoreApplication::processEvents();
}

void PanelUser::doubleClick(int id, QPoint at)
{
    QTest::mouseDClick(m_window->windowHandle(), Qt::LeftButton, Qt::NoModifier, control(id)->mapTo(m_window, at));
    QCoreApplication::processEvents();
}

void PanelUser::pressKey(Qt::Key key)
{
    QTest::keyClick(m_window->windowHandle(), key);
    QCoreApplication::processEvents();
}

std::string PanelUser::text(int id) const
{
    const auto *edit = m_window->item<QLineEdit>(id);
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

std::string PanelUser::statusText() const
{
    return text(IDC_STATUS);
}
