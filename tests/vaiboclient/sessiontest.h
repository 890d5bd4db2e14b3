#pragma once

#include "tests/peers/fakerobot.h"
#include "vaiboclient/session.h"
#include "vaiboclient/settings.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <vector>

/// Stands for the session's owner: records what it is told, on the link's
/// thread, for the test's thread to wait on.
class RecordingObserver : public vaibo::Session::Observer
{
public:
    void linkChanged(bool up) override
    {
        record([&] { ++(up ? m_ups : m_downs); });
    }
    void frameReady(std::size_t size) override
    {
        record([&] { m_frames.push_back(size); });
    }

    int ups() const
    {
        return read([&] { return m_ups; });
    }
    int downs() const
    {
        return read([&] { return m_downs; });
    }
    /// The sizes of the frames announced, in order.
    std::vector<std::size_t> frames() const
    {
        return read([&] { return m_frames; });
    }

    /// Waits until the condition holds, at most the timeout; true if it did.
    bool waitUntil(const std::function<bool()> &condition,
                   std::chrono::milliseconds timeout = std::chrono::seconds(3)) const
    {
        std::unique_lock lock(m_mutex);
        return m_changed.wait_for(lock, timeout, [&] {
            lock.unlock();
            const bool holds = condition();
            lock.lock();
            return holds;
        });
    }

private:
    template <typename F>
    void record(F &&f)
    {
        {
            const std::lock_guard lock(m_mutex);
            f();
        }
        m_changed.notify_all();
    }
    template <typename F>
    auto read(F &&f) const -> decltype(f())
    {
        const std::lock_guard lock(m_mutex);
        return f();
    }

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    int m_ups = 0;
    int m_downs = 0;
    std::vector<std::size_t> m_frames;
};

/// A session wired to a fake robot, with the link's timings cut short.
class SessionTest : public ::testing::Test
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

    /// Connects to the fake robot and waits until the link is up.
    void connectOnline(int ups = 1)
    {
        ASSERT_EQ(session.connect("127.0.0.1"), 0);
        ASSERT_TRUE(owner.waitUntil([&] { return owner.ups() >= ups; }));
        ASSERT_TRUE(robot.waitUntil([](const FakeRobot &r) { return r.welcomed(); }));
    }
    /// Waits until the link has gone down this many times in all.
    bool waitDown(int downs, std::chrono::milliseconds timeout = std::chrono::seconds(3))
    {
        return owner.waitUntil([&] { return owner.downs() >= downs; }, timeout);
    }

    FakeRobot robot;
    RecordingObserver owner;
    vaibo::Session session{owner};
};
