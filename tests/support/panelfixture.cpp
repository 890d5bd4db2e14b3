#include "tests/support/panelfixture.h"

#include "link/vaibomessageids.h"
#include "res/resource.h"
#include "toolkit/core/windowmessages.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QTest>

#include <fstream>
#include <iterator>

void PanelTest::SetUp()
{
    ASSERT_TRUE(m_directory.isValid());
    m_previousDirectory = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(m_directory.path()));
}

void PanelTest::TearDown()
{
    m_sleeper.reset();
    panel.reset();
    QDir::setCurrent(m_previousDirectory);
}

void PanelTest::openPanel()
{
    m_sleeper.reset();
    panel = std::make_unique<CRemoteDlg>();
    auto client = std::make_unique<RecordingVaibo>();
    robot = client.get();
    m_sleeper = std::make_unique<RecordingSleeper>(robot->calls);
    panel->setClient(std::move(client));
    panel->create();
    QObject::connect(qobject_cast<QLineEdit *>(panel->item(IDC_STATUS)), &QLineEdit::textChanged, panel.get(),
                     [this](const QString &text) { statusHistory.push_back(text.toStdString()); });
    panel->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(panel.get()));
    robot->calls.clear();
}

LRESULT PanelTest::deliver(UINT message, WPARAM wParam, LPARAM lParam)
{
    return panel->dispatch({.kind = tk::EventKind::Message, .message = message, .wParam = wParam, .lParam = lParam});
}

void PanelTest::post(UINT message, WPARAM wParam, LPARAM lParam)
{
    tk::postMessage(panel.get(), message, wParam, lParam);
    QCoreApplication::sendPostedEvents(panel.get());
}

void PanelTest::onSleep(std::function<void()> hook)
{
    m_sleeper->onSleep = std::move(hook);
}

void PanelTest::goOnline()
{
    post(robotlink::kConnectMessageId);
    ASSERT_EQ(panel->linkState(), robotlink::LinkState::Online);
    robot->calls.clear();
}

void PanelTest::enterLinkState(robotlink::LinkState state)
{
    switch (state) {
    case robotlink::LinkState::Offline:
        robot->script("Connect", {-1});
        click(IDC_CONNECT);
        break;
    case robotlink::LinkState::Connecting:
        click(IDC_CONNECT);
        break;
    case robotlink::LinkState::Online:
        goOnline();
        break;
    case robotlink::LinkState::Disconnecting:
        goOnline();
        click(IDC_DISCONNECT);
        break;
    }
    ASSERT_EQ(panel->linkState(), state);
    ASSERT_FALSE(statusText().empty());
    robot->calls.clear();
}

void PanelTest::logStatusChanges()
{
    QObject::connect(panel->item<QLineEdit>(IDC_STATUS), &QLineEdit::textChanged, panel.get(),
                     [this](const QString &text) { robot->calls.push_back("Status(" + text.toStdString() + ")"); });
}

QWidget *PanelTest::control(int id) const
{
    QWidget *widget = panel->item(id);
    EXPECT_NE(widget, nullptr) << "no control " << id;
    return widget;
}

void PanelTest::click(int id)
{
    QWidget *widget = control(id);
    const QPoint centre = widget->mapTo(panel.get(), widget->rect().center());
    QTest::mouseClick(panel->windowHandle(), Qt::LeftButton, Qt::NoModifier, centre);
    QCoreApplication::processEvents();
}

void PanelTest::doubleClick(int id, QPoint at)
{
    QWidget *widget = control(id);
    const QPoint point = widget->mapTo(panel.get(), at);
    QTest::mouseDClick(panel->windowHandle(), Qt::LeftButton, Qt::NoModifier, point);
    QCoreApplication::processEvents();
}

void PanelTest::pressKey(Qt::Key key)
{
    QTest::keyClick(panel->windowHandle(), key);
    QCoreApplication::processEvents();
}

void PanelTest::clickAt(QWidget *widget, QPoint at)
{
    QTest::mouseClick(panel->windowHandle(), Qt::LeftButton, Qt::NoModifier, widget->mapTo(panel.get(), at));
    QCoreApplication::processEvents();
}

std::string PanelTest::statusText() const
{
    return text(IDC_STATUS);
}

std::string PanelTest::text(int id) const
{
    const auto *edit = qobject_cast<const QLineEdit *>(panel->item(id));
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

bool PanelTest::isEnabled(int id) const
{
    return control(id)->isEnabled();
}

bool PanelTest::isVisible(int id) const
{
    return control(id)->isVisible();
}

std::optional<std::string> readFile(const char *path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void writeFile(const char *path, const std::string &content)
{
    std::ofstream(path, std::ios::binary) << content;
}
