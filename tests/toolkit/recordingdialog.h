#pragma once

#include "toolkit/widgets/dialogwindow.h"
#include "toolkit/window/dialog.h"

#include <QTest>

#include <functional>
#include <vector>

namespace tktest {

/// A window that records every event it is routed; each event is taken
/// (routed) when `takes` says so, and otherwise left to default processing.
class RecordingDialog : public tk::Dialog
{
public:
    using tk::Dialog::Dialog;
    using tk::Dialog::defaultProcessing;

    /// The control with a template id, as the Qt widget it is.
    template <class T = QWidget>
    T *widget(int id) const
    {
        return qobject_cast<T *>(item(id));
    }

    std::vector<tk::WindowEvent> events;
    std::function<bool(const tk::WindowEvent &)> takes = [](const tk::WindowEvent &) { return false; };

    /// Recorded events of one kind.
    std::vector<tk::WindowEvent> eventsOf(tk::EventKind kind) const
    {
        std::vector<tk::WindowEvent> found;
        for (const tk::WindowEvent &event : events) {
            if (event.kind == kind)
                found.push_back(event);
        }
        return found;
    }

protected:
    bool route(const tk::WindowEvent &event) override
    {
        events.push_back(event);
        return takes(event);
    }
};

/// Builds, shows and activates the window; false if it never became active.
inline bool showActive(RecordingDialog &dialog)
{
    dialog.create();
    dialog.show();
    dialog.window().activateWindow();
    return QTest::qWaitForWindowActive(&dialog.window());
}

} // namespace tktest
