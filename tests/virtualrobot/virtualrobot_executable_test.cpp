#include "tests/virtualrobot/testclient.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <tuple>

// The executable as a user starts it: what it prints, how it fails, how it
// stops.
namespace {

const QString kRobot = QStringLiteral(KORVAN_VIRTUAL_ROBOT);

// Starts the robot and reads the port from its first line.
quint16 startRobot(QProcess &robot)
{
    robot.start(kRobot, {QStringLiteral("--port"), QStringLiteral("0")});
    if (!robot.waitForStarted(5000) || !robot.waitForReadyRead(5000))
        return 0;
    const QString line = QString::fromUtf8(robot.readLine()).trimmed();
    const auto match = QRegularExpression(QStringLiteral("^listening 127\\.0\\.0\\.1:(\\d+)$")).match(line);
    return match.hasMatch() ? static_cast<quint16>(match.captured(1).toUInt()) : 0;
}

} // namespace

TEST(VirtualRobotExecutable, PrintsThePortItListensOnTakesControlLinesAndQuitsOnRequest)
{
    QProcess robot;
    const quint16 port = startRobot(robot);
    ASSERT_NE(port, 0);
    robot.write("jump\n");
    ASSERT_TRUE(robot.waitForReadyRead(5000));
    EXPECT_TRUE(robot.readLine().contains("unknown command 'jump'"));
    TestClient client;
    ASSERT_TRUE(client.connectTo(port));
    ASSERT_TRUE(client.handshake());
    EXPECT_EQ(client.call(protocol::Operation::ExternalControl, {1}), 1);

    robot.write("battery 55\n");
    EXPECT_EQ(client.call(protocol::Operation::GetBatteryLevel), 55);
    robot.write("quit\n");
    EXPECT_TRUE(client.receiveA<protocol::Bye>().has_value());
    // The client's waiting runs the event loop, so the robot may be gone already.
    ASSERT_TRUE(robot.state() == QProcess::NotRunning || robot.waitForFinished(5000));
    EXPECT_EQ(robot.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(robot.exitCode(), 0);
}

TEST(VirtualRobotExecutable, KeepsRunningAfterTheEndOfItsInput)
{
    QProcess robot;
    ASSERT_NE(startRobot(robot), 0);
    robot.closeWriteChannel();
    EXPECT_FALSE(robot.waitForFinished(300));
    robot.kill();
    robot.waitForFinished(5000);
}

TEST(VirtualRobotExecutable, HelpBadOptionsAndABusyPortEndAtOnceWithTheRightCode)
{
    QTcpServer holder;
    ASSERT_TRUE(holder.listen(QHostAddress::LocalHost, 0));
    // Arguments, exit code, standard output (empty: nothing; null: any) and error.
    const std::vector<std::tuple<QStringList, int, const char *, const char *>> cases{
        {{QStringLiteral("--help")}, 0, "--drop-after-frames", ""},
        {{QStringLiteral("--frobnicate")}, 1, nullptr, "frobnicate"},
        {{QStringLiteral("--port"), QString::number(holder.serverPort())}, 1, "", "cannot listen"},
    };
    for (const auto &[arguments, exitCode, out, error] : cases) {
        QProcess robot;
        robot.start(kRobot, arguments);
        ASSERT_TRUE(robot.waitForFinished(5000)) << arguments.join(QLatin1Char(' ')).toStdString();
        EXPECT_EQ(robot.exitCode() != 0, exitCode != 0) << arguments.join(QLatin1Char(' ')).toStdString();
        const QByteArray output = robot.readAllStandardOutput();
        if (out != nullptr) {
            EXPECT_TRUE(*out == '\0' ? output.isEmpty() : output.contains(out)) << output.toStdString();
        }
        EXPECT_TRUE(robot.readAllStandardError().contains(error));
    }
}
