#include "virtualrobot/model/faultplan.h"
#include "virtualrobot/server/control.h"
#include "virtualrobot/server/options.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <cstdint>

// What a person types at the virtual robot: a control line, with its answer
// and delay rules parsed as the robot parses them, and the same bytes as a
// command line, split at NUL bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    QString error;
    if (const auto command = vr::parseControlLine(QString::fromUtf8(bytes), error)) {
        vr::FaultPlan plan;
        if (command->kind == vr::ControlCommand::Kind::Result)
            plan.addAnswerRule(command->text.toStdString());
        if (command->kind == vr::ControlCommand::Kind::Delay)
            plan.addDelayRule(command->text.toStdString());
    }
    QStringList arguments{QStringLiteral("korvan-virtual-robot")};
    for (const QByteArray &argument : bytes.split('\0'))
        arguments << QString::fromUtf8(argument);
    vr::parseOptions(arguments);
    return 0;
}
