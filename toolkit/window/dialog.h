#pragma once

#include "toolkit/core/dialogtemplate.h"
#include "toolkit/core/windowevent.h"

#include <memory>
#include <optional>

namespace tk {

class DialogWindow;
class Menu;

/// A window built from a template by the platform's own means, whose events
/// (commands, notifications, scrolls, timers, registered messages, system
/// commands, painting) are handed to route(); events nobody routes get the
/// default processing of a dialog. The window itself is the platform's: a
/// dialog of the system's dialog manager on Windows, a Qt dialog elsewhere.
class Dialog
{
public:
    explicit Dialog(const DialogTemplate &dialogTemplate, Dialog *owner = nullptr);
    virtual ~Dialog();

    Dialog(const Dialog &) = delete;
    Dialog &operator=(const Dialog &) = delete;

    /// Builds the controls and runs the initialisation once; later calls do nothing.
    void create();
    /// Runs the window modally and returns the result given to endDialog.
    int doModal();
    /// Ends the modal run with a result.
    void endDialog(int result);
    /// Shows a window made by create().
    void show();
    /// The result given to endDialog, 0 before.
    int result() const { return m_result; }

    HWND handle() const;
    /// The control with a template id, or a null handle.
    HWND item(int id) const;
    /// The control with a template id, through the operations of its kind.
    template <class Control>
    Control item(int id) const
    {
        return Control(item(id));
    }
    const DialogTemplate &dialogTemplate() const { return m_template; }

    /// Starts or restarts a timer whose events carry the caller's id.
    bool setTimer(UINT id, unsigned milliseconds);
    bool killTimer(UINT id);
    /// Period of a running timer, 0 when there is none.
    unsigned timerInterval(UINT id) const;

    /// The window's system menu, when its frame has one.
    std::optional<Menu> systemMenu();
    /// The icon of the window's frame and task button.
    void setIcon(HICON icon);
    bool isMinimized() const;

    /// Raises a window event as the platform would, routing it first.
    LRESULT dispatch(WindowEvent event);

    /// The platform's window, for the platform's own code.
    DialogWindow &window() const { return *m_window; }

protected:
    /// Initialisation after the controls exist; true gives the focus to the
    /// first tab stop.
    virtual bool onInitDialog();
    /// Handles an event; false leaves it to default processing.
    virtual bool route(const WindowEvent &event);
    /// What the platform does with an event that is not routed.
    void defaultProcessing(const WindowEvent &event);
    /// Paints a minimised window: its background with the icon in the middle.
    void paintIcon(HICON icon);

private:
    friend class DialogWindow;

    const DialogTemplate &m_template;
    Dialog *m_owner;
    std::unique_ptr<DialogWindow> m_window;
    bool m_created = false;
    int m_result = 0;
};

} // namespace tk
