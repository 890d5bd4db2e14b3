#pragma once

#include <QElapsedTimer>
#include <QFile>
#include <QJsonObject>
#include <QString>

#include <vector>

namespace vr {

/// The robot's trace: one JSON object per line, each with "t" (milliseconds
/// since the robot started) and "event". Lines are flushed as they are
/// written, so a test or a user can follow the file while the robot runs.
/// Without a file the trace writes nothing.
class Trace
{
public:
    /// Starts the clock the lines are stamped with.
    Trace();

    /// Opens (truncating) the file. Returns false and sets error when it
    /// cannot be written.
    bool open(const QString &path, QString &error);

    /// An operation answered: its name, arguments and result.
    void operation(quint32 sequence, const QString &name, const std::vector<int> &arguments, int result);
    /// A camera frame sent, with its JPEG quality.
    void frame(quint32 sequence, qsizetype bytes, int quality);
    /// Any other event, with its fields.
    void event(const QString &kind, QJsonObject fields = {});

private:
    QFile m_file;
    QElapsedTimer m_clock;
};

} // namespace vr
