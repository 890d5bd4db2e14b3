#include "bench/endtoend/benchsession.h"

#include "res/resource.h"
#include "toolkit/widgets/dialogwindow.h"
#include "vaiboclient/settings.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

#include <cstdio>

namespace e2ebench {

BenchSession::BenchSession() = default;

BenchSession::~BenchSession()
{
    // The client closes its link before the relay and the robot go.
    m_panel.reset();
    m_relay.reset();
    vaibo::setSettings({});
}

bool BenchSession::start(bool tapped)
{
    if (!m_directory.isReady()) {
        std::fprintf(stderr, "no directory for the panel\n");
        return false;
    }
    if (!m_robot->start()) {
        std::fprintf(stderr, "virtual robot: %s\n", qPrintable(m_robot->error()));
        return false;
    }
    vaibo::Settings settings;
    settings.port = m_robot->port();
    if (tapped) {
        m_relay = std::make_unique<TappingRelay>(m_robot->port());
        settings.port = m_relay->port();
    }
    vaibo::setSettings(settings);

    m_panel = std::make_unique<LivePanel>();
    if (!m_panel->open()) {
        std::fprintf(stderr, "the panel was not exposed\n");
        return false;
    }
    m_panel->click(IDC_CONNECT);
    if (!runUntil([&] { return m_panel->window().imageBuffer().capacity() > 0; }, std::chrono::seconds(5))) {
        std::fprintf(stderr, "no picture after connecting; status: %s\n", m_panel->statusText().c_str());
        return false;
    }
    return true;
}

void BenchSession::run(std::chrono::milliseconds time)
{
    runUntil([] { return false; }, time);
}

bool BenchSession::runUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout)
{
    // Waits for events instead of polling, so an idle panel's thread stays
    // idle while it is being measured.
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.start(timeout);
    while (!condition()) {
        if (!deadline.isActive())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

double microseconds(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::micro>(to - from).count();
}

QDialog &windowOf(const LivePanel &panel)
{
    return panel.window().window();
}

QWidget *widgetOf(const LivePanel &panel, int id)
{
    return qobject_cast<QWidget *>(panel.window().item(id));
}

void clickAt(const LivePanel &panel, int id, QPoint at)
{
    QTest::mouseClick(windowOf(panel).windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widgetOf(panel, id)->mapTo(&windowOf(panel), at));
    QCoreApplication::processEvents();
}

} // namespace e2ebench
