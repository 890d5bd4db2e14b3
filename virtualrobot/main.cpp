#include "res/version.h"
#include "virtualrobot/server/control.h"
#include "virtualrobot/server/options.h"
#include "virtualrobot/server/robotserver.h"
#include "virtualrobot/server/stdinlines.h"
#include "virtualrobot/window/robotwindow.h"

#include <QApplication>
#include <QMessageBox>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

// The virtual robot: options in, a listening robot out, steered by lines on
// standard input (and its window, when asked for) until 'quit' or a signal.
int main(int argc, char **argv)
{
    // Only a robot with a window needs a display.
    const bool window = std::any_of(argv + 1, argv + argc, [](const char *arg) { return std::strcmp(arg, "--window") == 0; });
    const std::unique_ptr<QCoreApplication> app =
        window ? std::make_unique<QApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("korvan-virtual-robot"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(res::kFileVersionText));

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
        // Started from the desktop menu, nobody reads standard error.
        if (options.window)
            QMessageBox::critical(nullptr, QString::fromUtf8(vr::kRobotName),
                                  QStringLiteral("%1を起動できません。\n%2\n\nほかの%1がすでに動いていませんか。")
                                      .arg(QString::fromUtf8(vr::kRobotName), error));
        return 1;
    }
    // Tests read the chosen port from this line.
    std::printf("listening %s:%u\n", qPrintable(robot.address().toString()), robot.port());
    std::fflush(stdout);

    vr::StdinLines input;
    QObject::connect(&input, &vr::StdinLines::lineRead, &robot, [&robot](const QString &line) {
        const QString answer = robot.controlLine(line);
        if (!answer.isEmpty()) {
            std::puts(qPrintable(answer));
            std::fflush(stdout);
        }
    });
    QObject::connect(&robot, &vr::RobotServer::quitRequested, app.get(), &QCoreApplication::quit, Qt::QueuedConnection);

    std::unique_ptr<vr::RobotWindow> robotWindow;
    if (options.window) {
        robotWindow = std::make_unique<vr::RobotWindow>(robot);
        robotWindow->placeAtLeftEdge();
        robotWindow->show();
    }
    return QCoreApplication::exec();
}
