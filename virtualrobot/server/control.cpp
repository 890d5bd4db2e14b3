#include "virtualrobot/server/control.h"

#include <QStringList>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace vr {

namespace {

using Kind = ControlCommand::Kind;

enum class Argument { None, Number, OnOff, Text, OptionalText, Placement };

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

// The longest skip of the robot's time: an hour, longer than a full battery
// lasts on the move.
constexpr int kMaxSkipMs = 3'600'000;

constexpr std::array<Entry, 19> kCommands{{
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
    {"place", Kind::Place, Argument::Placement, "place THING X Y [H]",
     "put THING (ball, bone, robot) at X, Y mm; the robot turned to H°"},
    {"place", Kind::Place, Argument::Placement, "place ball|bone front", "put it before the robot's feet"},
    {"reset", Kind::Reset, Argument::None, "reset", "put the robot, the ball and the bone back where they began"},
    {"skip", Kind::Skip, Argument::Number, "skip MS", "let MS of the robot's time pass at once", kMaxSkipMs},
    {"status", Kind::Status, Argument::None, "status", "print the robot's state on one line"},
    {"help", Kind::Help, Argument::None, "help", "print this list"},
    {"quit", Kind::Quit, Argument::None, "quit", "stop the robot"},
}};

constexpr std::array<std::pair<Thing, const char *>, 3> kThings{
    {{Thing::Robot, "robot"}, {Thing::Ball, "ball"}, {Thing::Bone, "bone"}}};

// "THING X Y [HEADING]" or "ball|bone front", in millimetres and degrees.
std::optional<Placement> parsePlacement(const QString &text)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return std::nullopt;
    const auto named = std::find_if(kThings.begin(), kThings.end(),
                                    [&words](const auto &thing) { return words[0] == QLatin1String(thing.second); });
    if (named == kThings.end())
        return std::nullopt;
    Placement placement{named->first, std::nullopt, std::nullopt};
    if (words.size() == 2 && words[1] == QLatin1String("front") && placement.thing != Thing::Robot)
        return placement;
    const qsizetype numbers = placement.thing == Thing::Robot ? 3 : 2;
    if (words.size() != 3 && words.size() != numbers + 1)
        return std::nullopt;
    std::array<double, 3> value{};
    for (qsizetype i = 1; i < words.size(); ++i) {
        bool ok = false;
        value[static_cast<std::size_t>(i - 1)] = words[i].toDouble(&ok);
        if (!ok || !std::isfinite(value[static_cast<std::size_t>(i - 1)]))
            return std::nullopt;
    }
    placement.at = Vec2{value[0], value[1]};
    if (words.size() == 4)
        placement.heading = value[2];
    return placement;
}

// Every syntax of a command word, for its usage line.
QString syntaxOf(const char *word)
{
    QStringList syntaxes;
    for (const Entry &entry : kCommands) {
        if (qstrcmp(entry.word, word) == 0)
            syntaxes << QLatin1String(entry.syntax);
    }
    return syntaxes.join(QLatin1String(" or "));
}

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
        case Argument::Placement:
            if (const auto placement = parsePlacement(rest))
                command.placement = *placement;
            else
                ok = false;
            break;
        }
        if (!ok) {
            error = QStringLiteral("usage: ") + syntaxOf(entry.word);
            return std::nullopt;
        }
        return command;
    }
    error = QStringLiteral("unknown command '%1' (try 'help')").arg(word);
    return std::nullopt;
}

QLatin1String thingWord(Thing thing)
{
    const auto named =
        std::find_if(kThings.begin(), kThings.end(), [thing](const auto &entry) { return entry.first == thing; });
    return QLatin1String(named->second);
}

QString placementLine(const Placement &placement)
{
    QString line = QStringLiteral("place ") + thingWord(placement.thing);
    if (!placement.at)
        return line + QStringLiteral(" front");
    line += QStringLiteral(" %1 %2").arg(std::lround(placement.at->x)).arg(std::lround(placement.at->y));
    if (placement.heading)
        line += QStringLiteral(" %1").arg(std::lround(*placement.heading));
    return line;
}

QString controlHelp()
{
    QStringList lines;
    for (const Entry &entry : kCommands) {
        QString line = QLatin1String("  ") + QString::fromLatin1(entry.syntax).leftJustified(23)
                       + QString::fromUtf8(entry.description);
        if (entry.maximum != std::numeric_limits<int>::max())
            line += QStringLiteral(" (0-%1)").arg(entry.maximum);
        lines << line;
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace vr
