#include "virtualrobot/server/options.h"

#include "framework/robot.h"
#include "virtualrobot/server/control.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <limits>

namespace vr {

namespace {

const QString kListen = QStringLiteral("listen");
const QString kPort = QStringLiteral("port");
const QString kTrace = QStringLiteral("trace");
const QString kBattery = QStringLiteral("battery");
const QString kDrain = QStringLiteral("drain");
const QString kResult = QStringLiteral("result");
const QString kDelay = QStringLiteral("delay");
const QString kRefuse = QStringLiteral("refuse-connections");
const QString kDropAfterMs = QStringLiteral("drop-after-ms");
const QString kDropAfterFrames = QStringLiteral("drop-after-frames");
const QString kHangAfterMs = QStringLiteral("hang-after-ms");
const QString kMalformedAfterFrames = QStringLiteral("malformed-after-frames");
const QString kMalformedReply = QStringLiteral("malformed-reply");
const QString kWindow = QStringLiteral("window");

void addOptions(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        QStringLiteral("A virtual ERS-7 robot dog behind its PC-side server: it answers the panel's robot client over "
                       "the link protocol, walks, turns and plays contents in a small room, and sends %1x%2 JPEG "
                       "camera pictures once they are asked for, up to 30 a second and as fast as the link carries "
                       "them, at a lower JPEG quality while the link is slow.\n"
                       "Once listening it prints 'listening ADDRESS:PORT' on standard output. Lines on standard "
                       "input steer it while it runs; type 'help' for the list.")
            .arg(vaibo::kPictureWidth)
            .arg(vaibo::kPictureHeight));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOptions({
        {kListen, QStringLiteral("Address to listen on (default 127.0.0.1, the loopback address)."),
         QStringLiteral("address"), QStringLiteral("127.0.0.1")},
        {kPort, QStringLiteral("TCP port (default %1); 0 picks a free one.").arg(protocol::kDefaultPort),
         QStringLiteral("n"), QString::number(protocol::kDefaultPort)},
        {kTrace, QStringLiteral("Write one JSON line per operation, frame and link event to the file."),
         QStringLiteral("file")},
        {kBattery, QStringLiteral("Starting battery charge in percent (default 90)."), QStringLiteral("percent")},
        {kDrain, QStringLiteral("Battery drain in percent per minute while idle and while moving (default 0.5,2)."),
         QStringLiteral("idle,moving")},
        {kResult,
         QStringLiteral("Answer the operation with these results, one per call, the last one repeating; 'ok' is "
                        "the healthy answer. Example: SetPosture=-1,ok. May be repeated."),
         QStringLiteral("operation=r[,r...]")},
        {kDelay, QStringLiteral("Delay the answers of an operation, or of all of them. May be repeated."),
         QStringLiteral("operation=ms|all=ms")},
        {kRefuse, QStringLiteral("Refuse every controller's Hello.")},
        {kWindow, QStringLiteral("Open the robot's own window: the room from above, its state, link and camera, "
                                 "and a control for every control line. Closing it stops the robot.")},
        {kDropAfterMs, QStringLiteral("Cut each controller's link this many ms after it came up, without Bye."),
         QStringLiteral("ms")},
        {kDropAfterFrames, QStringLiteral("Cut each controller's link once this many frames were sent on it."),
         QStringLiteral("n")},
        {kHangAfterMs,
         QStringLiteral("Fall silent this many ms after the link came up: no replies, frames or heartbeats."),
         QStringLiteral("ms")},
        {kMalformedAfterFrames, QStringLiteral("Send a malformed message in place of the frame after this many."),
         QStringLiteral("n")},
        {kMalformedReply, QStringLiteral("Answer the operation with a malformed message instead of its reply."),
         QStringLiteral("operation")},
    });
}

// A whole number within limits, or an error naming the option.
std::optional<qint64> number(const QCommandLineParser &parser, const QString &option, qint64 low, qint64 high,
                             QString &error)
{
    bool ok = false;
    const QString text = parser.value(option);
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < low || value > high) {
        error = QStringLiteral("--%1: '%2' is not a whole number from %3 to %4").arg(option, text).arg(low).arg(high);
        return std::nullopt;
    }
    return value;
}

// Sets target from an option that may be absent; returns an error text.
template <typename Target>
QString readOptional(const QCommandLineParser &parser, const QString &option, std::optional<Target> &target)
{
    if (!parser.isSet(option))
        return {};
    QString error;
    const auto value = number(parser, option, 0, std::numeric_limits<int>::max(), error);
    if (value)
        target = Target(*value);
    return error;
}

QString readDrain(const QString &text, RobotSettings &settings)
{
    const QStringList parts = text.split(QLatin1Char(','));
    bool idleOk = false;
    bool movingOk = false;
    const double idle = parts.size() == 2 ? parts[0].toDouble(&idleOk) : 0;
    const double moving = parts.size() == 2 ? parts[1].toDouble(&movingOk) : 0;
    if (!idleOk || !movingOk || idle < 0 || moving < 0)
        return QStringLiteral("--drain: expected two non-negative numbers IDLE,MOVING, got '%1'").arg(text);
    settings.idleDrainPerMinute = idle;
    settings.movingDrainPerMinute = moving;
    return {};
}

// Reads every option into the config; returns the first error.
QString readOptions(const QCommandLineParser &parser, ServerConfig &config)
{
    QString error;
    if (!config.address.setAddress(parser.value(kListen)))
        return QStringLiteral("--listen: '%1' is not an IP address").arg(parser.value(kListen));
    const auto port = number(parser, kPort, 0, std::numeric_limits<quint16>::max(), error);
    if (!port)
        return error;
    config.port = static_cast<quint16>(*port);
    config.tracePath = parser.value(kTrace);
    if (parser.isSet(kBattery)) {
        const auto percent = number(parser, kBattery, 0, 100, error);
        if (!percent)
            return error;
        config.robot.batteryPercent = static_cast<double>(*percent);
    }
    if (parser.isSet(kDrain)) {
        if (const QString drainError = readDrain(parser.value(kDrain), config.robot); !drainError.isEmpty())
            return drainError;
    }
    for (const QString &rule : parser.values(kResult)) {
        if (const auto ruleError = config.faults.addAnswerRule(rule.toStdString()); !ruleError.empty())
            return QStringLiteral("--result: ") + QString::fromStdString(ruleError);
    }
    for (const QString &rule : parser.values(kDelay)) {
        if (const auto ruleError = config.faults.addDelayRule(rule.toStdString()); !ruleError.empty())
            return QStringLiteral("--delay: ") + QString::fromStdString(ruleError);
    }
    config.link.refuseConnections = parser.isSet(kRefuse);
    error = readOptional(parser, kDropAfterMs, config.link.dropAfter);
    if (error.isEmpty())
        error = readOptional(parser, kDropAfterFrames, config.link.dropAfterFrames);
    if (error.isEmpty())
        error = readOptional(parser, kHangAfterMs, config.link.hangAfter);
    if (error.isEmpty())
        error = readOptional(parser, kMalformedAfterFrames, config.link.malformedAfterFrames);
    if (!error.isEmpty())
        return error;
    if (parser.isSet(kMalformedReply)) {
        const auto operation = operationFromName(parser.value(kMalformedReply).toStdString());
        if (!operation)
            return QStringLiteral("--malformed-reply: unknown operation '%1'").arg(parser.value(kMalformedReply));
        config.link.malformedReply = *operation;
    }
    return {};
}

} // namespace

ParsedOptions parseOptions(const QStringList &arguments)
{
    QCommandLineParser parser;
    addOptions(parser);
    ParsedOptions parsed;
    if (!parser.parse(arguments)) {
        parsed.outcome = ParsedOptions::Outcome::Error;
        parsed.text = parser.errorText();
        return parsed;
    }
    if (parser.isSet(QStringLiteral("help"))) {
        parsed.outcome = ParsedOptions::Outcome::ShowHelp;
        parsed.text = parser.helpText() + QStringLiteral("\nControl lines, one per line on standard input:\n") +
                      controlHelp();
        return parsed;
    }
    if (parser.isSet(QStringLiteral("version"))) {
        parsed.outcome = ParsedOptions::Outcome::ShowVersion;
        parsed.text = QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion();
        return parsed;
    }
    if (!parser.positionalArguments().isEmpty()) {
        parsed.outcome = ParsedOptions::Outcome::Error;
        parsed.text = QStringLiteral("unexpected argument '%1'").arg(parser.positionalArguments().constFirst());
        return parsed;
    }
    parsed.window = parser.isSet(kWindow);
    if (const QString error = readOptions(parser, parsed.config); !error.isEmpty()) {
        parsed.outcome = ParsedOptions::Outcome::Error;
        parsed.text = error;
    }
    return parsed;
}

} // namespace vr
