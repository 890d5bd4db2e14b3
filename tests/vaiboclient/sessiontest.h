#pragma once

#include "protocol/timing.h"
#include "tests/peers/fakerobot.h"
#include "vaiboclient/session.h"
#include "vaiboclient/settings.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

/// Frame bytes that name their number in every byte, one byte longer per
/// number, so a fetched frame shows which one it was. They are no JPEG: the
/// client announces them all the same.
inline protocol::Frame numberedFrame(std::uint8_t number)
{
    return protocol::Frame{number, protocol::epochMicroseconds(), 208, 160,
                           std::vector<std::uint8_t>(100u + number, number)};
}

/// Waits until the condition holds, at most the timeout; true if it did.
inline bool waitUntil(const std::function<bool()> &condition,
                      std::chrono::milliseconds timeout = std::chrono::seconds(3))
{
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

/// Stands for the session's owner: records what it is told on the link's
/// thread, for the test's thread to read.
class RecordingObserver : public vaibo::Session::Observer
{
public:
    /// Runs for each frame ready, on the link's thread, once it is recorded.
    std::function<void(std::size_t)> onFrame;

    void linkChanged(bool up) override { ++(up ? m_ups : m_downs); }
    void frameReady(std::size_t size) override
    {
        {
            const std::lock_guard lock(m_mutex);
            m_frames.push_back(size);
        }
        if (onFrame)
            onFrame(size);
    }

    int ups() const { return m_ups; }
    int downs() const { return m_downs; }
    /// The sizes of the frames announced, in order.
    std::vector<std::size_t> frames() const
    {
        const std::lock_guard lock(m_mutex);
        return m_frames;
    }

private:
    std::atomic<int> m_ups{0};
    std::atomic<int> m_downs{0};
    mutable std::mutex m_mutex;
    std::vector<std::size_t> m_frames;
};

/// A fake robot, and the link's timings cut short for every client made
/// while the test runs.
class ShortLinkTest : public ::testing::Test
{
protected:
    static constexpr std::chrono::milliseconds kConnectTimeout{300};
    static constexpr std::chrono::milliseconds kReplyTimeout{200};
    static constexpr std::chrono::milliseconds kHeartbeat{50};
    static constexpr std::chrono::milliseconds kDeadLink{300};

    void SetUp() override
    {
        vaibo::setSettings({.port = robot.port(),
                            .connectTimeout = kConnectTimeout,
                            .replyTimeout = kReplyTimeout,
                            .heartbeatInterval = kHeartbeat,
                            .deadLinkTimeout = kDeadLink});
    }
    void TearDown() override { vaibo::setSettings({}); }

    FakeRobot robot;
};

/// A session wired to the fake robot.
class SessionTest : public ShortLinkTest
{
protected:
    /// Connects to the fake robot and waits until the link is up the n-th time.
    void connectOnline(int ups = 1)
    {
        ASSERT_EQ(session.connect("127.0.0.1"), 0);
        ASSERT_TRUE(waitUntil([&] { return owner.ups() >= ups; }));
        ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.welcomed(); }));
    }
    /// Waits until the link has gone down this many times in all.
    bool waitDown(int downs, std::chrono::milliseconds timeout = std::chrono::seconds(3))
    {
        return waitUntil([&] { return owner.downs() >= downs; }, timeout);
    }

    RecordingObserver owner;
    vaibo::Session session{owner};
};
