#pragma once

#include "toolkit/core/win32types.h"
#include "vaiboclient/framestore.h"

#include <memory>

namespace vaibo {

/// Paints the newest camera picture into a pane of the panel whenever the
/// pane paints, filling the inside of its frame, with the overlay of
/// paneoverlay.h on top; the pane's own painting (its frame) stays. The
/// readout never lies: without new frames the pane is painted again every
/// tick, so the age counts up and the rate falls to 0. Lives on the window's
/// thread.
class PanePainter
{
public:
    explicit PanePainter(FrameStore &store);
    ~PanePainter();

    PanePainter(const PanePainter &) = delete;
    PanePainter &operator=(const PanePainter &) = delete;

    /// Paints into this pane from now on, instead of any earlier one; false
    /// when the handle is no pane.
    bool setPane(HWND pane);
    /// Paints the pane again: the link came up or ended.
    void refresh();

private:
    class Pane; // the toolkit's own pane hook
    FrameStore &m_store;
    std::unique_ptr<Pane> m_pane;
};

} // namespace vaibo
