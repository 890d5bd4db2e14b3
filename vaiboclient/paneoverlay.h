#pragma once

#include "vaiboclient/framestore.h"

#include <chrono>
#include <optional>
#include <string>

// What the pane shows over the camera picture, the same whichever toolkit
// paints it: a small readout of the frame rate, the picture's age and the
// link's round trip in the bottom right corner of a live picture; a note in
// the middle of a picture from a link that has ended or gone quiet, which
// is dimmed.
namespace vaibo::overlay {

/// A picture this old is stale; while it is shown its age is painted anew
/// every tick.
inline constexpr auto kStaleAfter = std::chrono::seconds(1);
inline constexpr auto kAgeTick = std::chrono::milliseconds(250);

/// Opacity, of 255, of the dimming over a picture that is not live, of the
/// box behind a text and of the white text.
inline constexpr int kDimAlpha = 140;
inline constexpr int kBoxAlpha = 110;
inline constexpr int kTextAlpha = 210;
/// The box's gap to the pane's bottom right corner.
inline constexpr int kCornerGap = 2;

/// The height of a text's letters and the margin around it in its box.
struct Lettering
{
    int pixelSize;
    Size margin;
};
Lettering readoutLettering(int paneHeight);
Lettering noteLettering(int paneHeight);

/// The readout for a rate, the picture's age from its capture and the
/// link's round trip: "12 fps 180 ms ⇄ 40 ms".
std::string readout(int framesPerSecond, std::chrono::milliseconds age,
                    std::optional<std::chrono::microseconds> roundTrip);
/// The note over a picture that is not live.
std::string staleNote(bool linkUp);
/// The text over a picture at a moment.
std::string textFor(const FrameStore::Picture &picture, FrameStore::Clock::time_point now);

/// Whether a picture is shown and stale, so that its age needs painting.
bool isStale(const FrameStore::Picture &picture, FrameStore::Clock::time_point now);

} // namespace vaibo::overlay
