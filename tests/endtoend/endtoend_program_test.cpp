#include "tests/support/paneldirectory.h"
#include "tests/endtoend/robotprocess.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QTest>

#include <gtest/gtest.h>

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

    const PanelDirectory directory(address.toLatin1().constData());
    ASSERT_TRUE(directory.isReady());

    // Offscreen and in the directory, as this process is.
    QProcess program;
    program.start(QStringLiteral(KORVAN_DRIVEN_PANEL));
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
