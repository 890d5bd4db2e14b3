#pragma once

#include "toolkit/core/dialogtemplate.h"
#include "toolkit/core/dialogunits.h"
#include "toolkit/core/windowevent.h"
#include "toolkit/widgets/systemmenu.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <optional>
#include <vector>

class QMenu;

namespace tk {


/// The Qt window of a tk::Dialog: built from a template, it raises
/// Win32-style window events (commands, notifications, scrolls, timers,
/// registered messages, system commands) and hands each to the dialog's
/// dispatch; events nobody routes get the default processing of a Win32
/// dialog here.
class DialogWindow : public QDialog
{
    Q_OBJECT

public:
    using Dispatch = std::function<LRESULT(WindowEvent)>;

    DialogWindow(const DialogTemplate &dialogTemplate, QWidget *parent, Dispatch dispatcher);

    /// Builds the controls and places the window.
    void build();
    void focusFirstTabStop();

    /// The control with a template id, or nullptr.
    QWidget *item(int id) const;
    /// Every control, in template order (the creation order).
    const std::vector<QWidget *> &controls() const { return m_controls; }

    /// Starts or restarts a timer whose events carry the caller's id.
    bool setTimer(UINT id, unsigned milliseconds);
    bool killTimer(UINT id);
    /// Period of a running timer, 0 when there is none.
    unsigned timerInterval(UINT id) const;

    /// The window's system menu, or nullptr when its frame has none.
    qt::SystemMenu *systemMenu();

    /// Raises a window event, routing it first.
    LRESULT dispatch(WindowEvent event) { return m_dispatch(event); }
    /// What the platform does with an event that is not routed.
    void defaultProcessing(const WindowEvent &event);
    /// Paints the window's background with an icon in its middle.
    void paintIcon(const QIcon &icon);

protected:
    bool event(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void timerEvent(QTimerEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    struct TimerSlot
    {
        int qtId;
        unsigned interval;
    };

    QWidget *makeControl(const ControlTemplate &control);
    void connectControl(const ControlTemplate &control, QWidget *widget);
    void placeWindow();
    void pressEnter();
    void popupSystemMenu(const QPoint &globalPos);

    const DialogTemplate &m_template;
    Dispatch m_dispatch;
    BaseUnits m_baseUnits{};
    QHash<int, QWidget *> m_items;
    std::vector<QWidget *> m_controls;
    QHash<int, UINT> m_timerIds; // Qt timer id -> caller's id
    QHash<UINT, TimerSlot> m_timers;
    std::optional<qt::SystemMenu> m_systemMenu;
    QPaintEvent *m_paintEvent = nullptr; // the one being handled, for default painting
};

} // namespace tk
