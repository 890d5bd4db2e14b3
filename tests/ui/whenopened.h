#pragma once

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>
#include <QSet>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <utility>

/// Which windows have received their activation event and not yet lost it:
/// offscreen, it arrives some events after the window gets the focus.
class ActivationWatch : public QObject
{
public:
    ActivationWatch() { QCoreApplication::instance()->installEventFilter(this); }

    bool isActive(const QWidget &window) const { return m_active.contains(&window); }

    /// Waits, up to the usual five seconds, for the window's activation.
    bool waitUntilActive(const QWidget &window) const
    {
        return QTest::qWaitFor([&] { return isActive(window); });
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::WindowActivate:
            m_active.insert(watched);
            break;
        case QEvent::WindowDeactivate:
        case QEvent::Hide:
            m_active.remove(watched);
            break;
        default:
            break;
        }
        return false;
    }

private:
    QSet<const QObject *> m_active;
};

/// Acts on each modal dialog that opens while this object lives, once it is
/// activated (at most a few seconds' wait), then closes it whatever the
/// action did, so a failing test never hangs in a modal run.
class WhenOpened
{
public:
    using Action = std::function<void(QWidget &window)>;

    /// The result of a dialog that the action left open.
    static constexpr int kClosedByTest = -100;

    static WhenOpened modal(Action action) { return WhenOpened(std::move(action)); }

    WhenOpened(WhenOpened &&) = delete;
    ~WhenOpened() = default;

    /// How many windows were acted on.
    int count() const { return m_count; }

private:
    static constexpr qint64 kActivationTimeoutMs = 5000;

    explicit WhenOpened(Action action)
    {
        m_timer->setInterval(0);
        QObject::connect(m_timer.get(), &QTimer::timeout, [this, action = std::move(action)] {
            QWidget *found = QApplication::activeModalWidget();
            if (found == nullptr || !activatedOrTimedOut(*found))
                return;
            ++m_count;
            m_waiting.invalidate();
            QPointer<QWidget> window = found;
            action(*window);
            if (auto *dialog = qobject_cast<QDialog *>(window.data()); dialog != nullptr && dialog->isVisible())
                dialog->done(kClosedByTest);
        });
        m_timer->start();
    }

    bool activatedOrTimedOut(const QWidget &window)
    {
        if (m_watch.isActive(window))
            return true;
        if (!m_waiting.isValid())
            m_waiting.start();
        if (m_waiting.elapsed() < kActivationTimeoutMs)
            return false;
        ADD_FAILURE() << "the dialog was never activated";
        return true;
    }

    ActivationWatch m_watch;
    QElapsedTimer m_waiting;
    std::unique_ptr<QTimer> m_timer = std::make_unique<QTimer>();
    int m_count = 0;
};
