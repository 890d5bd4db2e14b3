// A person at the Qt window: Qt's test input into the window.
#include "tests/support/paneluser.h"

#include "res/resource.h"
#include "toolkit/widgets/dialogwindow.h"

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QWindow>

#include <gtest/gtest.h>

#include <array>

namespace {

// Counts the paint events of the object it filters.
class PaintCounter : public QObject
{
public:
    PaintCounter(int &paints, QObject *parent) : QObject(parent), m_paints(paints) {}

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        m_paints += event->type() == QEvent::Paint ? 1 : 0;
        return false;
    }

private:
    int &m_paints;
};

// Qt's keys, in the order of PanelUser::Key.
constexpr std::array kKeys{Qt::Key_Escape, Qt::Key_Return, Qt::Key_Tab,      Qt::Key_Left, Qt::Key_Right,
                           Qt::Key_Up,     Qt::Key_Down,   Qt::Key_PageDown, Qt::Key_Home, Qt::Key_End};

QWidget *widget(const CRemoteDlg &window, int id)
{
    auto *control = qobject_cast<QWidget *>(window.item(id));
    EXPECT_NE(control, nullptr) << "no control " << id;
    return control;
}

// A real click, or double click, at a point of a control, through the window
// as the platform delivers it.
void clickIn(const CRemoteDlg &window, QWidget *control, QPoint at, bool twice = false)
{
    QWindow *frame = window.window().windowHandle();
    const QPoint point = control->mapTo(&window.window(), at);
    if (twice)
        QTest::mouseDClick(frame, Qt::LeftButton, Qt::NoModifier, point);
    else
        QTest::mouseClick(frame, Qt::LeftButton, Qt::NoModifier, point);
    QCoreApplication::processEvents();
}

} // namespace

bool PanelUser::show(CRemoteDlg &window)
{
    m_window = &window;
    statusHistory.clear();
    QObject::connect(qobject_cast<QLineEdit *>(window.item(IDC_STATUS)), &QLineEdit::textChanged, &window.window(),
                     [this](const QString &text) { statusChanged(text.toStdString()); });
    window.show();
    return QTest::qWaitForWindowExposed(&window.window());
}

void PanelUser::click(int id)
{
    QWidget *control = widget(*m_window, id);
    clickIn(*m_window, control, control->rect().center());
}

void PanelUser::clickTab(int id, int index)
{
    QTabBar *bar = widget(*m_window, id)->findChild<QTabBar *>();
    clickIn(*m_window, bar, bar->tabRect(index).center());
}

void PanelUser::doubleClickRow(int id, int row)
{
    auto *list = qobject_cast<QListWidget *>(widget(*m_window, id));
    QListWidgetItem *item = list->item(row);
    list->scrollToItem(item);
    pump();
    clickIn(*m_window, list->viewport(), list->visualItemRect(item).center(), true);
}

void PanelUser::focus(int id)
{
    m_window->window().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_window->window()));
    widget(*m_window, id)->setFocus(Qt::MouseFocusReason);
    ASSERT_TRUE(widget(*m_window, id)->hasFocus());
}

void PanelUser::pressKey(Key key)
{
    QTest::keyClick(m_window->window().windowHandle(), kKeys[static_cast<std::size_t>(key)]);
    pump();
}

void PanelUser::clickCloseBox()
{
    m_window->window().close();
    pump();
}

void PanelUser::pump()
{
    QCoreApplication::processEvents();
}

std::string PanelUser::text(int id) const
{
    return tk::Control(widget(*m_window, id)).text();
}

bool PanelUser::isEnabled(int id) const
{
    return widget(*m_window, id)->isEnabled();
}

bool PanelUser::isVisible(int id) const
{
    return widget(*m_window, id)->isVisible();
}

bool PanelUser::isOpen() const
{
    return m_window->window().isVisible();
}

std::uint32_t PanelUser::colourInMiddle(int id) const
{
    QWidget *control = widget(*m_window, id);
    return control->grab().toImage().pixel(control->rect().center()) & 0xffffffu;
}

std::vector<PanelUser::MenuItem> PanelUser::windowMenu() const
{
    std::vector<MenuItem> items;
    for (const tk::qt::SystemMenu::Item &item : m_window->window().systemMenu()->items())
        items.push_back({item.id, item.text.toStdString()});
    return items;
}

void PanelUser::whenBoxOpens(std::function<void(HWND box)> check)
{
    QTimer::singleShot(0, &m_window->window(), [check = std::move(check)] {
        // Closed whatever the check finds, so a failure cannot hang the run.
        ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activeModalWidget() != nullptr; }));
        auto *box = qobject_cast<tk::DialogWindow *>(QApplication::activeModalWidget());
        if (box != nullptr)
            check(box);
        else
            ADD_FAILURE() << "a box of another kind opened";
        QApplication::activeModalWidget()->close();
    });
}

std::string PanelUser::shownText(HWND box, int id)
{
    const tk::Control control(qobject_cast<tk::DialogWindow *>(box)->item(id));
    EXPECT_TRUE(QTest::qWaitFor([&] { return !control.text().empty(); }));
    return control.text();
}

HWND PanelUser::ownerOf(HWND box)
{
    return qobject_cast<QWidget *>(box)->parentWidget();
}

void PanelUser::countPaints(int id)
{
    m_paints = 0;
    QWidget *control = widget(*m_window, id);
    control->installEventFilter(new PaintCounter(m_paints, control));
}
