#include "vaiboclient/paneoverlay.h"

#include <algorithm>
#include <cstdio>

namespace vaibo::overlay {

namespace {

using std::chrono::milliseconds;

// Milliseconds up to a second, then seconds with one decimal, rounded; in
// whole numbers, so that no locale puts a comma in.
std::string duration(milliseconds time)
{
    const long long count = time.count();
    char text[32];
    if (time < std::chrono::seconds(1))
        std::snprintf(text, sizeof text, "%lld ms", count);
    else
        std::snprintf(text, sizeof text, "%lld.%lld s", (count + 50) / 1000, (count + 50) / 100 % 10);
    return text;
}

} // namespace

Lettering readoutLettering(int paneHeight)
{
    return {std::clamp(paneHeight / 18, 8, 12), {6, 2}};
}

Lettering noteLettering(int paneHeight)
{
    return {std::clamp(paneHeight / 10, 8, 24), {16, 8}};
}

std::string readout(int framesPerSecond, milliseconds age, std::optional<std::chrono::microseconds> roundTrip)
{
    std::string text = std::to_string(framesPerSecond) + " fps " + duration(age);
    if (roundTrip)
        text += " ⇄ " + duration(std::chrono::duration_cast<milliseconds>(*roundTrip));
    return text;
}

std::string staleNote(bool linkUp)
{
    return linkUp ? "受信待ち" : "通信切断";
}

std::string textFor(const FrameStore::Picture &picture, FrameStore::Clock::time_point now)
{
    if (!picture.live)
        return staleNote(picture.linkUp);
    return readout(picture.framesPerSecond, std::chrono::duration_cast<milliseconds>(now - picture.captured),
                   picture.roundTrip);
}

bool isStale(const FrameStore::Picture &picture, FrameStore::Clock::time_point now)
{
    return picture.image && now - picture.captured >= kStaleAfter;
}

} // namespace vaibo::overlay
