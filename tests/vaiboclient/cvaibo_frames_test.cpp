#include "framework/vaibomessages.h"
#include "protocol/operation.h"
#include "protocol/timing.h"
#include "tests/vaiboclient/clienttest.h"
#include "tests/vaiboclient/testjpeg.h"

#include <QFrame>
#include <QImage>
#include <QRegularExpression>

using namespace std::chrono_literals;

namespace {

constexpr const char *kImageUpdate = vaibo::kImageUpdateMessage;
const QColor kRed(200, 30, 30);

// Frames are stamped on the fake robot's clock, which is this machine's.

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24 &&
        std::abs(a.blue() - b.blue()) < 24;
}

QColor centreOf(QWidget &pane)
{
    return pane.grab().toImage().pixelColor(pane.width() / 2, pane.height() / 2);
}

class FramesTest : public ClientTest
{
protected:
    // A boxed pane of 320x240 that the client paints into, online, showing
    // a red picture.
    void showRedIn(QFrame &pane)
    {
        pane.setFrameStyle(QFrame::Box | QFrame::Plain);
        pane.setLineWidth(3);
        pane.resize(320, 240);
        pane.show();
        ASSERT_EQ(client.ImageSetWindowHandle(&pane, &window), 0);
        connectOnline();
        show(kRed, 1);
    }
    void show(QColor colour, int n)
    {
        robot.send(
            protocol::Frame{1, protocol::epochMicroseconds(), 208, 160, solidJpeg(208, 160, colour.rgb() & 0xFFFFFFu)});
        ASSERT_TRUE(window.waitFor(kImageUpdate, n));
    }
};

} // namespace

TEST_F(FramesTest, TheReadoutCountsUpWithoutFramesAndALostLinkLeavesADimmedPicture)
{
    // Two seconds pass at once; the link would count them as silence.
    vaibo::Settings patient = vaibo::settings();
    patient.deadLinkTimeout = 10s;
    vaibo::setSettings(patient);
    SkippingClock clock;
    QFrame pane;
    ASSERT_NO_FATAL_FAILURE(showRedIn(pane));
    pane.repaint();
    EXPECT_TRUE(pane.accessibleDescription().startsWith(QStringLiteral("1 fps ")))
        << qPrintable(pane.accessibleDescription());

    // Nobody repaints the pane but the library itself.
    clock.skip(2100ms);
    ASSERT_TRUE(
        QTest::qWaitFor([&pane] { return pane.accessibleDescription().startsWith(QStringLiteral("0 fps ")); }, 300));
    const QString stale = pane.accessibleDescription();
    const QRegularExpressionMatch age = QRegularExpression(QStringLiteral("^0 fps (\\d+\\.\\d) s ⇄ ")).match(stale);
    ASSERT_TRUE(age.hasMatch()) << qPrintable(stale);
    EXPECT_GE(age.captured(1).toDouble(), 1.0) << qPrintable(stale);

    ASSERT_EQ(client.Disconnect(), 0);
    ASSERT_TRUE(window.waitFor(vaibo::kDisconnectMessage, 1));
    ASSERT_TRUE(QTest::qWaitFor([&] { return pane.accessibleDescription() == QStringLiteral("通信切断"); }, 1000));
    const QColor dimmed = centreOf(pane);
    EXPECT_LT(dimmed.red(), 150) << "the last picture is dimmed";
    EXPECT_GT(dimmed.red(), dimmed.green()) << "but still shown";

    ASSERT_EQ(client.Connect("127.0.0.1", nullptr, nullptr), 0);
    ASSERT_TRUE(window.waitFor(vaibo::kConnectMessage, 2));
    show(QColor(20, 40, 220), 2);
    pane.repaint();
    EXPECT_TRUE(pane.accessibleDescription().contains(QStringLiteral(" fps "))) << "live again";
    EXPECT_TRUE(near(centreOf(pane), QColor(20, 40, 220)));
    robot.send(numberedFrame(9));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 3));
    EXPECT_TRUE(near(centreOf(pane), QColor(20, 40, 220))) << "an undecodable frame keeps the last picture";
}
