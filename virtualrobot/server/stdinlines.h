#pragma once

#include <QByteArray>
#include <QObject>
#include <QSocketNotifier>

namespace vr {

/// Reads standard input line by line without blocking the event loop. At
/// the end of input it simply stops: a robot started without input keeps
/// running.
class StdinLines : public QObject
{
    Q_OBJECT

public:
    explicit StdinLines(QObject *parent = nullptr);

Q_SIGNALS:
    /// One line, without its line end.
    void lineRead(const QString &line);

private:
    void readAvailable();

    QSocketNotifier m_notifier;
    QByteArray m_pending;
};

} // namespace vr
