#include "tests/endtoend/robotprocess.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>

#include <sys/prctl.h>

#include <csignal>

namespace {

constexpr int kStartTimeoutMs = 5000;

} // namespace

RobotProcess::RobotProcess() : m_tracePath(m_directory.filePath(QStringLiteral("trace.jsonl"))) {}

bool RobotProcess::start(const QStringList &options, const QString &address, std::uint16_t port)
{
    if (!m_directory.isValid()) {
        m_error = QStringLiteral("no directory for the trace");
        return false;
    }
    m_process.setProgram(QStringLiteral(KORVAN_VIRTUAL_ROBOT));
    m_process.setArguments(QStringList{QStringLiteral("--listen"), address, QStringLiteral("--port"),
                                       QString::number(port), QStringLiteral("--trace"), m_tracePath}
                           + options);
    // The robot ignores the end of its input, so a test that crashes must
    // not leave it running.
    m_process.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGKILL); });
    m_process.start();
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(kStartTimeoutMs)) {
            m_error = QStringLiteral("no 'listening' line (%1): %2")
                          .arg(m_process.errorString(), QString::fromUtf8(m_process.readAllStandardError()).trimmed());
            return false;
        }
    }
    const QString line = QString::fromUtf8(m_process.readLine()).trimmed();
    const QRegularExpression listening(QStringLiteral("^listening %1:(\\d+)$").arg(QRegularExpression::escape(address)));
    const QRegularExpressionMatch match = listening.match(line);
    if (!match.hasMatch()) {
        m_error = QStringLiteral("unexpected first line '%1'").arg(line);
        return false;
    }
    m_port = static_cast<std::uint16_t>(match.captured(1).toUInt());
    return true;
}

void RobotProcess::command(const QString &line)
{
    m_process.write((line + QLatin1Char('\n')).toUtf8());
    m_process.waitForBytesWritten(kStartTimeoutMs);
}

QString RobotProcess::ask(const QString &line)
{
    command(line);
    while (!m_process.canReadLine()) {
        if (!m_process.waitForReadyRead(kStartTimeoutMs))
            return {};
    }
    return QString::fromUtf8(m_process.readLine()).trimmed();
}

void RobotProcess::kill()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.kill();
    m_process.waitForFinished(kStartTimeoutMs);
}

std::vector<QJsonObject> RobotProcess::trace(const QString &event) const
{
    std::vector<QJsonObject> lines;
    QFile file(m_tracePath);
    if (!file.open(QIODevice::ReadOnly))
        return lines;
    // The robot flushes whole lines; a line still being written has no end yet.
    QList<QByteArray> text = file.readAll().split('\n');
    text.removeLast();
    for (const QByteArray &line : text) {
        const QJsonObject fields = QJsonDocument::fromJson(line).object();
        if (event.isEmpty() || fields.value(QStringLiteral("event")).toString() == event)
            lines.push_back(fields);
    }
    return lines;
}

std::vector<RobotOperation> RobotProcess::operations() const
{
    std::vector<RobotOperation> operations;
    for (const QJsonObject &fields : trace(QStringLiteral("op"))) {
        RobotOperation operation{fields.value(QStringLiteral("name")).toString().toStdString(), {},
                                 fields.value(QStringLiteral("result")).toInt()};
        for (const QJsonValue argument : fields.value(QStringLiteral("args")).toArray())
            operation.arguments.push_back(argument.toInt());
        operations.push_back(std::move(operation));
    }
    return operations;
}

std::vector<std::string> commandCalls(const std::vector<RobotOperation> &operations)
{
    std::vector<std::string> calls;
    for (const RobotOperation &operation : operations) {
        if (operation.name != "GetBatteryLevel")
            calls.push_back(operation.call());
    }
    return calls;
}
