#include "protocol/operation.h"
#include "tests/vaiboclient/clienttest.h"
#include "tests/vaiboclient/testjpeg.h"
#include "toolkit/core/windowmessages.h"
#include "vaiboclient/vaibomessages.h"

#include <QFrame>
#include <QImage>
#include <QTest>

#include <thread>

using namespace std::chrono_literals;

namespace {

constexpr const char *kImageUpdate = vaibo::kImageUpdateMessage;

// Frame bytes that name their number in every byte, one byte longer per
// number, so a fetched frame shows which one it was. They are no JPEG: the
// client announces them all the same.
protocol::Frame numberedFrame(std::uint8_t number)
{
    protocol::Frame frame;
    frame.sequence = number;
    frame.width = 208;
    frame.height = 160;
    frame.jpeg.assign(100u + number, number);
    return frame;
}

protocol::Frame pictureFrame(QColor colour, std::uint32_t sequence = 1)
{
    protocol::Frame frame;
    frame.sequence = sequence;
    frame.width = 208;
    frame.height = 160;
    frame.jpeg = solidJpeg(208, 160, colour);
    return frame;
}

bool near(QColor a, QColor b)
{
    return std::abs(a.red() - b.red()) < 24 && std::abs(a.green() - b.green()) < 24
        && std::abs(a.blue() - b.blue()) < 24;
}

class FramesTest : public ClientTest
{
protected:
    // Answers each announcement as the panel does: fetch the frame into a
    // buffer of the announced size and note which frame it was.
    void fetchEachFrame()
    {
        window.onMessage = [this](const MessageRecorder::Received &received) {
            if (received.message != tk::registerWindowMessage(kImageUpdate))
                return;
            std::vector<unsigned char> buffer(static_cast<std::size_t>(received.lParam));
            const int copied = client.ImageGetData(buffer.data(), static_cast<int>(buffer.size()));
            fetched.push_back(copied > 0 ? buffer[0] : -1);
            copiedSizes.push_back(copied);
        };
    }

    std::vector<int> fetched;
    std::vector<int> copiedSizes;
};

} // namespace

TEST_F(FramesTest, EachFrameIsAnnouncedWithItsSizeWhenThePanelKeepsUp)
{
    fetchEachFrame();
    connectOnline();
    for (std::uint8_t n = 1; n <= 5; ++n) {
        robot.send(numberedFrame(n));
        ASSERT_TRUE(window.waitFor(kImageUpdate, n));
    }
    EXPECT_EQ(window.parameters(kImageUpdate), (std::vector<LPARAM>{101, 102, 103, 104, 105}));
    EXPECT_EQ(fetched, (std::vector<int>{1, 2, 3, 4, 5}));
    EXPECT_EQ(copiedSizes, (std::vector<int>{101, 102, 103, 104, 105}));
}

TEST_F(FramesTest, StalledPanelGetsOneAnnouncementThenTheNewestFrame)
{
    fetchEachFrame();
    connectOnline();
    for (std::uint8_t n = 1; n <= 20; ++n)
        robot.send(numberedFrame(n));
    // The window's thread stands still, as in the panel's long sleep, while
    // all twenty frames arrive.
    std::this_thread::sleep_for(300ms);
    pump(100ms);
    EXPECT_EQ(fetched, (std::vector<int>{1, 20}));
    EXPECT_EQ(window.parameters(kImageUpdate), (std::vector<LPARAM>{101, 120}));
}

TEST_F(FramesTest, PanelThatDoesNotFetchStillGetsLaterFrames)
{
    connectOnline();
    robot.send(numberedFrame(1));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 1));
    robot.send(numberedFrame(2));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 2));
    std::vector<unsigned char> buffer(200);
    EXPECT_EQ(client.ImageGetData(buffer.data(), 200), 102);
    EXPECT_EQ(buffer[0], 2);
}

TEST_F(FramesTest, ImageGetDataCopiesTheAnnouncedFrameAndNoMore)
{
    connectOnline();
    std::vector<unsigned char> buffer(300, 0xEE);
    EXPECT_EQ(client.ImageGetData(buffer.data(), 300), -1);
    EXPECT_EQ(buffer[0], 0xEE);

    robot.send(numberedFrame(7));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 1));
    EXPECT_EQ(client.ImageGetData(buffer.data(), 300), 107);
    EXPECT_EQ(std::count(buffer.begin(), buffer.begin() + 107, 7), 107);
    EXPECT_EQ(buffer[107], 0xEE);

    std::fill(buffer.begin(), buffer.end(), 0xEE);
    EXPECT_EQ(client.ImageGetData(buffer.data(), 50), 50);
    EXPECT_EQ(buffer[49], 7);
    EXPECT_EQ(buffer[50], 0xEE);

    std::fill(buffer.begin(), buffer.end(), 0xEE);
    EXPECT_EQ(client.ImageGetData(buffer.data(), 0), -1);
    EXPECT_EQ(client.ImageGetData(buffer.data(), -5), -1);
    EXPECT_EQ(client.ImageGetData(nullptr, 300), -1);
    EXPECT_EQ(buffer[0], 0xEE);
}

TEST_F(FramesTest, ImageTransportIsSetUpByInitAndOpenAndOutlivesTheLink)
{
    connectOnline();
    EXPECT_EQ(client.GetStateImageTP(), -150);
    EXPECT_NE(client.ImageOpen(), 0) << "open before init";
    EXPECT_EQ(client.ImageInit(), 0);
    EXPECT_EQ(client.GetStateImageTP(), -150);
    EXPECT_EQ(client.ImageOpen(), 0);
    EXPECT_NE(client.GetStateImageTP(), -150);

    ASSERT_EQ(client.Disconnect(), 0);
    ASSERT_TRUE(window.waitFor(vaibo::kDisconnectMessage, 1));
    EXPECT_NE(client.GetStateImageTP(), -150);
    ASSERT_EQ(client.Connect("127.0.0.1", nullptr, nullptr), 0);
    ASSERT_TRUE(window.waitFor(vaibo::kConnectMessage, 2));
    EXPECT_NE(client.GetStateImageTP(), -150);

    client.ImageClose();
    EXPECT_EQ(client.GetStateImageTP(), -150);
}

TEST_F(FramesTest, RobotRefusingTheImageCallsLeavesTheTransportClosed)
{
    robot.setAnswer([](const protocol::Request &request) -> std::optional<std::int32_t> {
        return request.operation == static_cast<std::uint16_t>(protocol::Operation::ImageOpen) ? -3 : 0;
    });
    connectOnline();
    EXPECT_EQ(client.ImageInit(), 0);
    EXPECT_EQ(client.ImageOpen(), -3);
    EXPECT_EQ(client.GetStateImageTP(), -150);
}

TEST_F(FramesTest, PicturePaintsIntoThePaneInsideItsFrame)
{
    QFrame pane;
    pane.setFrameStyle(QFrame::Box | QFrame::Plain);
    pane.setLineWidth(3);
    pane.resize(320, 240);
    pane.show();
    ASSERT_EQ(client.ImageSetWindowHandle(&pane, &window), 0);
    window.onMessage = [&](const MessageRecorder::Received &received) {
        if (received.message != tk::registerWindowMessage(kImageUpdate))
            return;
        std::vector<unsigned char> buffer(static_cast<std::size_t>(received.lParam));
        client.ImageGetData(buffer.data(), static_cast<int>(buffer.size()));
        client.ImageSetWindowHandle(&pane, &window);
        pane.repaint();
    };
    connectOnline();
    robot.send(pictureFrame(QColor(200, 30, 30)));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 1));

    const QImage shot = pane.grab().toImage();
    EXPECT_TRUE(near(shot.pixelColor(160, 120), QColor(200, 30, 30)));
    EXPECT_TRUE(near(shot.pixelColor(4, 4), QColor(200, 30, 30))) << "scaled to the contents";
    EXPECT_FALSE(near(shot.pixelColor(1, 1), QColor(200, 30, 30))) << "the frame's border stays";
    // The readout darkens a small patch in the bottom right corner only.
    EXPECT_FALSE(near(shot.pixelColor(310, 230), QColor(200, 30, 30)));
    EXPECT_TRUE(near(shot.pixelColor(310, 10), QColor(200, 30, 30)));
    EXPECT_TRUE(near(shot.pixelColor(10, 230), QColor(200, 30, 30)));

    // The newest picture replaces the last one.
    robot.send(pictureFrame(QColor(20, 40, 220), 2));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 2));
    EXPECT_TRUE(near(pane.grab().toImage().pixelColor(160, 120), QColor(20, 40, 220)));
}

TEST_F(FramesTest, UndecodableFrameKeepsTheLastPicture)
{
    QFrame pane;
    pane.resize(100, 100);
    ASSERT_EQ(client.ImageSetWindowHandle(&pane, &window), 0);
    connectOnline();
    robot.send(pictureFrame(QColor(30, 200, 30)));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 1));
    robot.send(numberedFrame(9));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 2));
    EXPECT_TRUE(near(pane.grab().toImage().pixelColor(50, 50), QColor(30, 200, 30)));
}

TEST_F(FramesTest, OnlyTheLatestPaneIsPainted)
{
    QFrame first;
    QFrame second;
    first.resize(100, 100);
    second.resize(100, 100);
    const QColor background = first.grab().toImage().pixelColor(50, 50);
    ASSERT_EQ(client.ImageSetWindowHandle(&first, &window), 0);
    ASSERT_EQ(client.ImageSetWindowHandle(&second, &window), 0);
    connectOnline();
    robot.send(pictureFrame(QColor(200, 200, 30)));
    ASSERT_TRUE(window.waitFor(kImageUpdate, 1));
    EXPECT_TRUE(near(second.grab().toImage().pixelColor(50, 50), QColor(200, 200, 30)));
    EXPECT_EQ(first.grab().toImage().pixelColor(50, 50), background);
}

TEST_F(FramesTest, PaneMustBeAWidget)
{
    QObject notAWidget;
    EXPECT_NE(client.ImageSetWindowHandle(&notAWidget, &window), 0);
    EXPECT_NE(client.ImageSetWindowHandle(nullptr, &window), 0);
}

TEST_F(FramesTest, PaneDestroyedBeforeTheClientIsForgotten)
{
    auto pane = std::make_unique<QFrame>();
    ASSERT_EQ(client.ImageSetWindowHandle(pane.get(), &window), 0);
    pane.reset();
    connectOnline();
    robot.send(pictureFrame(QColor(10, 10, 10)));
    EXPECT_TRUE(window.waitFor(kImageUpdate, 1));
}
