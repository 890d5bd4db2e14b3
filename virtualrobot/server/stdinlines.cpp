#include "virtualrobot/server/stdinlines.h"

#include <QString>

#include <unistd.h>

namespace vr {

namespace {

// Lines longer than this are cut; control lines are short.
constexpr qsizetype kLongestLine = 4096;

} // namespace

StdinLines::StdinLines(QObject *parent)
    : QObject(parent)
    , m_notifier(STDIN_FILENO, QSocketNotifier::Read)
{
    connect(&m_notifier, &QSocketNotifier::activated, this, &StdinLines::readAvailable);
}

void StdinLines::readAvailable()
{
    char buffer[1024];
    const ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (count <= 0) {
        m_notifier.setEnabled(false);
        if (!m_pending.isEmpty())
            Q_EMIT lineRead(QString::fromUtf8(m_pending));
        m_pending.clear();
        return;
    }
    m_pending.append(buffer, count);
    qsizetype end = 0;
    while ((end = m_pending.indexOf('\n')) >= 0) {
        const QByteArray line = m_pending.left(end);
        m_pending.remove(0, end + 1);
        Q_EMIT lineRead(QString::fromUtf8(line).remove(QLatin1Char('\r')));
    }
    if (m_pending.size() > kLongestLine)
        m_pending.clear();
}

} // namespace vr
