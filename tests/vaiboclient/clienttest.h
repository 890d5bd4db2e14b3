#pragma once

#include "tests/vaiboclient/sessiontest.h"
#include "toolkit/core/clock.h"
#include "toolkit/core/win32types.h"
#include "vaiboclient/cvaibo.h"

#include <QObject>
#include <QTest>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <vector>

/// The machine's clock, skipped ahead by the test, for as long as it lives:
/// time still runs, so the link's timers keep working.
class SkippingClock : public tk::Clock
{
public:
    SkippingClock() : m_previous(tk::setClock(this)) {}
    ~SkippingClock() override { tk::setClock(m_previous); }
    SkippingClock(const SkippingClock &) = delete;
    SkippingClock &operator=(const SkippingClock &) = delete;

    TimePoint now() const override { return std::chrono::steady_clock::now() + m_skipped.load(); }
    void skip(std::chrono::milliseconds span) { m_skipped = m_skipped.load() + span; }

private:
    std::atomic<std::chrono::milliseconds> m_skipped{};
    tk::Clock *m_previous;
};

/// Stands for the panel's window: records the client's messages.
class MessageRecorder : public QObject
{
public:
    /// How many messages of the registered name arrived.
    int count(const char *name) const;
    /// Handles events until count(name) reaches n or the time is up.
    bool waitFor(const char *name, int n, std::chrono::milliseconds timeout = std::chrono::seconds(3))
    {
        return QTest::qWaitFor([&] { return count(name) >= n; }, static_cast<int>(timeout.count()));
    }

protected:
    bool event(QEvent *event) override;

private:
    std::vector<UINT> m_received;
};

/// A client wired to the fake robot.
class ClientTest : public ShortLinkTest
{
protected:
    /// Connects to the fake robot and waits for the connected message.
    void connectOnline();
    /// Handles events for a while.
    static void pump(std::chrono::milliseconds time) { QTest::qWait(static_cast<int>(time.count())); }

    MessageRecorder window;
    CVAIBO client{&window};
};
