#include "virtualrobot/server/control.h"
#include "virtualrobot/server/options.h"
#include "virtualrobot/server/robotserver.h"
#include "virtualrobot/server/stdinlines.h"

#include <QCoreApplication>

#include <cstdio>

// The virtual robot: options in, a listening robot out, steered by lines on
// standard input until 'quit' or a signal.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvan-virtual-robot"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KORVAN_VERSION));

    const vr::ParsedOptions options = vr::parseOptions(QCoreApplication::arguments());
    switch (options.outcome) {
    case vr::ParsedOptions::Outcome::ShowHelp:
    case vr::ParsedOptions::Outcome::ShowVersion:
        std::fputs(qPrintable(options.text + QLatin1Char('\n')), stdout);
        return 0;
    case vr::ParsedOptions::Outcome::Error:
        std::fprintf(stderr, "korvan-virtual-robot: %s\nTry 'korvan-virtual-robot --help'.\n", qPrintable(options.text));
        return 2;
    case vr::ParsedOptions::Outcome::Run:
        break;
    }

    vr::RobotServer robot(options.config);
    QString error;
    if (!robot.listen(error)) {
        std::fprintf(stderr, "korvan-virtual-robot: %s\n", qPrintable(error));
        return 1;
    }
    // Tests read the chosen port from this line.
    std::printf("listening %s:%u\n", qPrintable(robot.address().toString()), robot.port());
    std::fflush(stdout);

    vr::StdinLines input;
    QObject::connect(&input, &vr::StdinLines::lineRead, &robot, [&robot](const QString &line) {
        QString problem;
        const auto command = vr::parseControlLine(line, problem);
        const QString answer = command ? robot.control(*command) : problem;
        if (!answer.isEmpty()) {
            std::puts(qPrintable(answer));
            std::fflush(stdout);
        }
    });
    QObject::connect(&robot, &vr::RobotServer::quitRequested, &app, &QCoreApplication::quit, Qt::QueuedConnection);
    return QCoreApplication::exec();
}
