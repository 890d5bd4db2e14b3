#include "tests/endtoend/robotprocess.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The program on the offscreen platform, in a directory of its own so that
// it remembers no address.
void startOffscreen(QProcess &program, const QString &path, const QTemporaryDir &directory)
{
    program.setProgram(path);
    program.setWorkingDirectory(directory.path());
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(environment);
    program.start();
}

} // namespace

// The real program, with a driver built in that connects and then closes the
// window, against the robot on the program's own port.
TEST(EndToEndProgram, ClosingWhileOnlineEndsTheProgramAndTellsTheRobotNothing)
{
    // The program knows only the robot's port, so the robot takes an address
    // of the loopback range no other test uses.
    const auto octet = [] { return QRandomGenerator::global()->bounded(1, 255); };
    const QString address = QStringLiteral("127.%1.%2.%3").arg(octet()).arg(octet()).arg(octet());
    RobotProcess robot;
    ASSERT_TRUE(robot.start({}, address, 20207)) << robot.error().toStdString();

    QTemporaryDir directory;
    QFile memory(directory.filePath(QStringLiteral("zenkaiip.txt")));
    ASSERT_TRUE(memory.open(QIODevice::WriteOnly));
    memory.write(address.toLatin1());
    memory.close();

    QProcess program;
    startOffscreen(program, QStringLiteral(KORVAN_DRIVEN_PANEL), directory);
    ASSERT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();

    EXPECT_EQ(robot.count(QStringLiteral("welcome")), 1);
    EXPECT_GT(robot.count(QStringLiteral("frame")), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return robot.count(QStringLiteral("close")) == 1; }, 3000));
    // The link ends with the process, closed or reset by the system.
    const QString reason = robot.trace(QStringLiteral("close")).front().value(QStringLiteral("reason")).toString();
    EXPECT_FALSE(reason.contains(QStringLiteral("Bye"))) << reason.toStdString();
}
