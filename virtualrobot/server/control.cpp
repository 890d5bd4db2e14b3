#include "virtualrobot/server/control.h"

#include <QStringList>

#include <array>
#include <limits>

namespace vr {

namespace {

using Kind = ControlCommand::Kind;

enum class Argument { None, Number, OnOff, Text, OptionalText };

struct Entry
{
    const char *word;
    Kind kind;
    Argument argument;
    const char *syntax;
    const char *description;
    /// The largest number a Number argument takes.
    int maximum = std::numeric_limits<int>::max();
};

constexpr std::array<Entry, 15> kCommands{{
    {"drop", Kind::Drop, Argument::None, "drop", "cut the controller's link at once, without Bye"},
    {"bye", Kind::Bye, Argument::OptionalText, "bye [reason]", "close the controller's link with Bye"},
    {"battery", Kind::Battery, Argument::Number, "battery PERCENT", "set the battery charge in percent", 100},
    {"pause", Kind::Pause, Argument::None, "pause", "stop sending camera frames"},
    {"resume", Kind::Resume, Argument::None, "resume", "send camera frames again"},
    {"burst", Kind::Burst, Argument::Number, "burst N", "send N camera frames at once", kMaxBurst},
    {"malformed", Kind::Malformed, Argument::None, "malformed", "send one malformed message"},
    {"hang", Kind::Hang, Argument::None, "hang", "fall silent until the link ends"},
    {"refuse", Kind::Refuse, Argument::OnOff, "refuse on|off", "refuse new controllers, or accept them again"},
    {"result", Kind::Result, Argument::Text, "result OP=R[,R..]", "answer OP with these results (as --result)"},
    {"delay", Kind::Delay, Argument::Text, "delay OP=MS", "delay the answers of OP, or all=MS (as --delay)"},
    {"heal", Kind::Heal, Argument::None, "heal", "forget every planned result and delay"},
    {"status", Kind::Status, Argument::None, "status", "print the robot's state on one line"},
    {"help", Kind::Help, Argument::None, "help", "print this list"},
    {"quit", Kind::Quit, Argument::None, "quit", "stop the robot"},
}};

} // namespace

std::optional<ControlCommand> parseControlLine(const QString &line, QString &error)
{
    error.clear();
    const QString trimmed = line.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    const qsizetype space = trimmed.indexOf(QLatin1Char(' '));
    const QString word = trimmed.left(space).toLower();
    const QString rest = space < 0 ? QString() : trimmed.mid(space + 1).trimmed();
    for (const Entry &entry : kCommands) {
        if (word != QLatin1String(entry.word))
            continue;
        ControlCommand command;
        command.kind = entry.kind;
        command.line = trimmed;
        bool ok = true;
        switch (entry.argument) {
        case Argument::None:
            ok = rest.isEmpty();
            break;
        case Argument::Number:
            command.number = rest.toInt(&ok);
            ok = ok && command.number >= 0 && command.number <= entry.maximum;
            break;
        case Argument::OnOff:
            ok = rest == QLatin1String("on") || rest == QLatin1String("off");
            command.flag = rest == QLatin1String("on");
            break;
        case Argument::Text:
            ok = !rest.isEmpty();
            command.text = rest;
            break;
        case Argument::OptionalText:
            command.text = rest;
            break;
        }
        if (!ok) {
            error = QStringLiteral("usage: ") + QLatin1String(entry.syntax);
            return std::nullopt;
        }
        return command;
    }
    error = QStringLiteral("unknown command '%1' (try 'help')").arg(word);
    return std::nullopt;
}

QString controlHelp()
{
    QStringList lines;
    for (const Entry &entry : kCommands) {
        QString line = QLatin1String("  ") + QString::fromLatin1(entry.syntax).leftJustified(19)
                       + QLatin1String(entry.description);
        if (entry.maximum != std::numeric_limits<int>::max())
            line += QStringLiteral(" (0-%1)").arg(entry.maximum);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace vr
