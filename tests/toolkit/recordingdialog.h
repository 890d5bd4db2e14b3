#pragma once

#include "toolkit/widgets/dialog.h"

#include <QIcon>

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

    std::vector<tk::WindowEvent> events;
    std::function<bool(const tk::WindowEvent &)> takes = [](const tk::WindowEvent &) { return false; };
    QIcon icon;
    bool initResult = true;

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
    bool onInitDialog() override { return initResult; }

    bool route(const tk::WindowEvent &event) override
    {
        events.push_back(event);
        if (!takes(event))
            return false;
        if (event.kind == tk::EventKind::QueryDragIcon && event.icon != nullptr)
            *event.icon = icon;
        return true;
    }
};

} // namespace tktest
