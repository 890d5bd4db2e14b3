#include "toolkit/widgets/dialogwindow.h"

#include "toolkit/core/windowmessageevent.h"
#include "toolkit/core/windowmessages.h"
#include "toolkit/widgets/dialogfont.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QIcon>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <climits>

namespace tk {

namespace {

Qt::WindowFlags windowFlagsOf(const DialogTemplate &dialog, bool owned)
{
    // Fixed frame: no maximise button, and the size is fixed by the builder.
    Qt::WindowFlags flags = (owned ? Qt::Dialog : Qt::Window) | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (hasFlag(dialog.style, style::SysMenu))
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    if (hasFlag(dialog.style, style::MinimizeBox))
        flags |= Qt::WindowMinimizeButtonHint;
    return flags;
}

} // namespace

DialogWindow::DialogWindow(const DialogTemplate &dialogTemplate, QWidget *parent, Dispatch dispatcher)
    : QDialog(parent), m_template(dialogTemplate), m_dispatch(std::move(dispatcher))
{
    const QFont font = qt::dialogFont(m_template.fontFace, m_template.pointSize);
    setFont(font);
    m_baseUnits = qt::measureBaseUnits(font);
    setWindowTitle(QString::fromUtf8(m_template.title));
    setWindowFlags(windowFlagsOf(m_template, parent != nullptr));
    const PixelRect client = duToPixels(0, 0, m_template.cx, m_template.cy, m_baseUnits);
    setFixedSize(client.width, client.height);

    if (hasFlag(m_template.style, style::SysMenu)) {
        m_systemMenu.emplace(hasFlag(m_template.style, style::MinimizeBox));
        // The window manager owns the real window menu; Alt+Space opens ours.
        auto *menuKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Space), this);
        connect(menuKey, &QShortcut::activated, this, [this] { popupSystemMenu(mapToGlobal(QPoint(0, 0))); });
        auto *closeKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_F4), this);
        connect(closeKey, &QShortcut::activated, this,
                [this] { dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(SC_CLOSE)}); });
    }
}

QWidget *DialogWindow::item(int id) const
{
    return m_items.value(id, nullptr);
}

bool DialogWindow::setTimer(UINT id, unsigned milliseconds)
{
    killTimer(id);
    const int qtId = startTimer(static_cast<int>(std::min<unsigned>(milliseconds, INT_MAX)), Qt::PreciseTimer);
    if (qtId == 0)
        return false;
    m_timers.insert(id, {qtId, milliseconds});
    m_timerIds.insert(qtId, id);
    return true;
}

bool DialogWindow::killTimer(UINT id)
{
    const auto found = m_timers.find(id);
    if (found == m_timers.end())
        return false;
    QObject::killTimer(found->qtId);
    m_timerIds.remove(found->qtId);
    m_timers.erase(found);
    return true;
}

unsigned DialogWindow::timerInterval(UINT id) const
{
    const auto found = m_timers.constFind(id);
    return found == m_timers.cend() ? 0 : found->interval;
}

qt::SystemMenu *DialogWindow::systemMenu()
{
    return m_systemMenu ? &*m_systemMenu : nullptr;
}

void DialogWindow::defaultProcessing(const WindowEvent &event)
{
    switch (event.kind) {
    case EventKind::SysCommand:
        switch (static_cast<UINT>(event.id) & kSysCommandMask) {
        case SC_CLOSE:
            close();
            break;
        case SC_MINIMIZE:
            showMinimized();
            break;
        case SC_RESTORE:
            showNormal();
            break;
        case SC_MOVE:
            if (windowHandle() != nullptr)
                windowHandle()->startSystemMove();
            break;
        default:
            break;
        }
        break;
    case EventKind::Paint:
        if (m_paintEvent != nullptr)
            QDialog::paintEvent(m_paintEvent);
        break;
    default:
        break;
    }
}

void DialogWindow::paintIcon(const QIcon &icon)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    const int iconSize = style()->pixelMetric(QStyle::PM_LargeIconSize);
    const int x = (width() - iconSize + 1) / 2;
    const int y = (height() - iconSize + 1) / 2;
    icon.paint(&painter, x, y, iconSize, iconSize);
}

bool DialogWindow::event(QEvent *event)
{
    if (event->type() == WindowMessageEvent::eventType()) {
        const auto *message = static_cast<WindowMessageEvent *>(event);
        dispatch({.kind = EventKind::Message,
                  .message = message->message(),
                  .wParam = message->wParam(),
                  .lParam = message->lParam()});
        return true;
    }
    if (event->type() == QEvent::WindowActivate || event->type() == QEvent::WindowDeactivate) {
        const bool active = event->type() == QEvent::WindowActivate;
        const bool handled = QDialog::event(event);
        // The platform gives the focus back before the window's handler
        // runs; Qt would only after every window has heard of the
        // activation, so it is given back here first.
        if (active && focusWidget() != nullptr)
            focusWidget()->setFocus(Qt::ActiveWindowFocusReason);
        dispatch({.kind = EventKind::Activate, .code = active ? 1 : 0});
        return handled;
    }
    return QDialog::event(event);
}

void DialogWindow::keyPressEvent(QKeyEvent *event)
{
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (plain && (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)) {
        pressEnter();
        return;
    }
    if (plain && event->key() == Qt::Key_Escape) {
        dispatch({.kind = EventKind::Command, .id = IDCANCEL, .code = BN_CLICKED});
        return;
    }
    // Not QDialog's handler: it would accept or reject on its own.
    QWidget::keyPressEvent(event);
}

void DialogWindow::closeEvent(QCloseEvent *event)
{
    // The close box is a cancel command; whoever handles it ends the dialog.
    event->ignore();
    dispatch({.kind = EventKind::Command, .id = IDCANCEL, .code = BN_CLICKED});
}

void DialogWindow::timerEvent(QTimerEvent *event)
{
    const auto found = m_timerIds.constFind(event->timerId());
    if (found == m_timerIds.cend()) {
        QDialog::timerEvent(event);
        return;
    }
    dispatch({.kind = EventKind::Timer, .id = static_cast<int>(*found)});
}

void DialogWindow::paintEvent(QPaintEvent *event)
{
    m_paintEvent = event;
    dispatch({.kind = EventKind::Paint});
    m_paintEvent = nullptr;
}

void DialogWindow::contextMenuEvent(QContextMenuEvent *event)
{
    // Only the window's background opens the menu; statics do not count as
    // controls, since they are transparent to the pointer.
    if (!m_systemMenu || childAt(event->pos()) != nullptr) {
        event->ignore();
        return;
    }
    popupSystemMenu(event->globalPos());
}

void DialogWindow::changeEvent(QEvent *event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) {
        HICON icon = nullptr;
        dispatch({.kind = EventKind::QueryDragIcon, .icon = &icon});
        if (icon != nullptr)
            setWindowIcon(*icon);
    }
}

void DialogWindow::placeWindow()
{
    QWidget *owner = parentWidget() != nullptr ? parentWidget()->window() : nullptr;
    const QRect area = owner != nullptr ? owner->frameGeometry() : screen()->availableGeometry();
    if (m_template.x == 0 && m_template.y == 0) {
        // A template at (0, 0) is centred over its owner, or on the screen.
        move(area.center() - rect().center());
        return;
    }
    move(area.topLeft() + QPoint(duToPixelsX(m_template.x, m_baseUnits), duToPixelsY(m_template.y, m_baseUnits)));
}

void DialogWindow::focusFirstTabStop()
{
    for (std::size_t index = 0; index < m_controls.size(); ++index) {
        QWidget *widget = m_controls[index];
        if (hasFlag(m_template.controls[index].style, style::TabStop) && widget->isEnabled() && !widget->isHidden()) {
            widget->setFocus(Qt::TabFocusReason);
            return;
        }
    }
}

void DialogWindow::pressEnter()
{
    // Enter clicks the focused push button; elsewhere it is the default
    // button's command, or IDOK when the window has no default button.
    if (auto *button = qobject_cast<QPushButton *>(focusWidget())) {
        button->click();
        return;
    }
    for (const ControlTemplate &control : m_template.controls) {
        if (control.kind == ControlKind::PushButton && hasFlag(control.style, style::BsDefPushButton)) {
            QWidget *button = item(control.id);
            if (button != nullptr && button->isEnabled())
                dispatch({.kind = EventKind::Command, .id = control.id, .code = BN_CLICKED, .control = button});
            return;
        }
    }
    dispatch({.kind = EventKind::Command, .id = IDOK, .code = BN_CLICKED});
}

void DialogWindow::popupSystemMenu(const QPoint &globalPos)
{
    QMenu *menu = m_systemMenu->createMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    for (QAction *action : menu->actions()) {
        const UINT id = action->data().toUInt();
        if (id == SC_RESTORE)
            action->setEnabled(isMinimized() || isMaximized());
        else if (id == SC_MINIMIZE || id == SC_MOVE)
            action->setEnabled(!isMinimized());
    }
    connect(menu, &QMenu::triggered, this, [this](QAction *action) {
        dispatch({.kind = EventKind::SysCommand, .id = static_cast<int>(action->data().toUInt())});
    });
    menu->popup(globalPos);
}

} // namespace tk
