#include "virtualrobot/server/trace.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace vr {

Trace::Trace()
{
    m_clock.start();
}

bool Trace::open(const QString &path, QString &error)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        error = QStringLiteral("cannot write the trace file '%1': %2").arg(path, m_file.errorString());
        return false;
    }
    return true;
}

void Trace::operation(quint32 sequence, const QString &name, const std::vector<int> &arguments, int result)
{
    QJsonArray values;
    for (const int argument : arguments)
        values.append(argument);
    event(QStringLiteral("op"), {{QStringLiteral("seq"), static_cast<qint64>(sequence)},
                                 {QStringLiteral("name"), name},
                                 {QStringLiteral("args"), values},
                                 {QStringLiteral("result"), result}});
}

void Trace::frame(quint32 sequence, qsizetype bytes, int quality)
{
    event(QStringLiteral("frame"), {{QStringLiteral("seq"), static_cast<qint64>(sequence)},
                                    {QStringLiteral("bytes"), static_cast<qint64>(bytes)},
                                    {QStringLiteral("quality"), quality}});
}

void Trace::event(const QString &kind, QJsonObject fields)
{
    if (!m_file.isOpen())
        return;
    fields.insert(QStringLiteral("t"), m_clock.elapsed());
    fields.insert(QStringLiteral("event"), kind);
    m_file.write(QJsonDocument(fields).toJson(QJsonDocument::Compact));
    m_file.write("\n");
    m_file.flush();
}

} // namespace vr
