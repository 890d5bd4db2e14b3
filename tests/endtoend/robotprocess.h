#pragma once

#include "tests/support/recordingvaibo.h"

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdint>
#include <string>
#include <vector>

/// One operation the robot answered, as its trace records it.
struct RobotOperation
{
    std::string name;
    std::vector<int> arguments;
    int result = 0;

    std::string call() const { return callText(name, arguments); }
};

/// The virtual robot executable as a child process on a loopback address,
/// by default 127.0.0.1 with a port of the system's choosing, and a trace
/// file of its own. It is killed when this goes, whatever the test left.
class RobotProcess
{
public:
    RobotProcess();
    ~RobotProcess() { kill(); }

    RobotProcess(const RobotProcess &) = delete;
    RobotProcess &operator=(const RobotProcess &) = delete;

    /// Starts the robot with these options besides address, port and trace,
    /// and waits for its "listening" line. False, with error() set, when it
    /// does not come up.
    bool start(const QStringList &options = {}, const QString &address = QStringLiteral("127.0.0.1"),
               std::uint16_t port = 0);
    std::uint16_t port() const { return m_port; }
    QString error() const { return m_error; }
    qint64 processId() const { return m_process.processId(); }

    /// Writes one control line to the robot's standard input.
    void command(const QString &line);
    /// Writes a control line that has an answer and returns the answer.
    QString ask(const QString &line);
    /// Kills the process at once (no Bye) and waits until it is gone.
    void kill();

    /// Every trace line written so far, the ones of an event only if given.
    std::vector<QJsonObject> trace(const QString &event = {}) const;
    /// The trace's operations, in the order the robot answered them.
    std::vector<RobotOperation> operations() const;
    /// How many trace lines of this kind were written so far.
    int count(const QString &event) const { return static_cast<int>(trace(event).size()); }

private:
    QTemporaryDir m_directory;
    QString m_tracePath;
    QProcess m_process;
    std::uint16_t m_port = 0;
    QString m_error;
};

/// The calls of operations, skipping battery readings (the panel's own
/// five-second timer may add one at any moment).
std::vector<std::string> commandCalls(const std::vector<RobotOperation> &operations);
