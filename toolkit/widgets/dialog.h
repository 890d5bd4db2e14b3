#pragma once

#include "toolkit/core/dialogtemplate.h"
#include "toolkit/core/dialogunits.h"
#include "toolkit/widgets/systemmenu.h"
#include "toolkit/widgets/windowevent.h"

#include <QDialog>
#include <QHash>

#include <optional>
#include <vector>

class QMenu;

namespace tk {


/// A window built from a template, that raises Win32-style window events
/// (commands, notifications, scrolls, timers, registered messages, system
/// commands) and hands each to route(); events nobody routes get the
/// default processing of a Win32 dialog.
class Dialog : public QDialog
{
    Q_OBJECT

public:
    explicit Dialog(const DialogTemplate &dialogTemplate, QWidget *parent = nullptr);

    /// Builds the controls and runs the initialisation once; later calls do nothing.
    void create();
    /// Runs the window modally and returns the result given to endDialog.
    int doModal();
    /// Ends the modal run with a result.
    void endDialog(int result);

    /// The control with a template id, or nullptr.
    QWidget *item(int id) const;
    template <class T>
    T *item(int id) const
    {
        return qobject_cast<T *>(item(id));
    }
    HWND handle() { return this; }
    /// Every control, in template order (the creation order).
    const std::vector<QWidget *> &controls() const { return m_controls; }

    const DialogTemplate &dialogTemplate() const { return m_template; }
    BaseUnits baseUnits() const { return m_baseUnits; }

    /// Starts or restarts a timer whose events carry the caller's id.
    bool setTimer(UINT id, unsigned milliseconds);
    bool killTimer(UINT id);
    /// Period of a running timer, 0 when there is none.
    unsigned timerInterval(UINT id) const;

    /// The window's system menu, or nullptr when its frame has none.
    SystemMenu *systemMenu();

    /// Raises a window event as the platform would, routing it first.
    LRESULT dispatch(WindowEvent event);

protected:
    /// Initialisation after the controls exist; true gives the focus to the
    /// first tab stop.
    virtual bool onInitDialog();
    /// Handles an event; false leaves it to default processing.
    virtual bool route(const WindowEvent &event);
    /// What the platform does with an event that is not routed.
    void defaultProcessing(const WindowEvent &event);
    /// The icon of a minimised window, as asked by QueryDragIcon.
    QIcon dragIcon();

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

    void build();
    QWidget *makeControl(const ControlTemplate &control);
    void connectControl(const ControlTemplate &control, QWidget *widget);
    void placeWindow();
    void focusFirstTabStop();
    void pressEnter();
    void popupSystemMenu(const QPoint &globalPos);

    const DialogTemplate &m_template;
    BaseUnits m_baseUnits{};
    QHash<int, QWidget *> m_items;
    std::vector<QWidget *> m_controls;
    QHash<int, UINT> m_timerIds; // Qt timer id -> caller's id
    QHash<UINT, TimerSlot> m_timers;
    std::optional<SystemMenu> m_systemMenu;
    QPaintEvent *m_paintEvent = nullptr; // the one being handled, for default painting
    bool m_created = false;
};

} // namespace tk
