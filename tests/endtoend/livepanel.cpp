#include "tests/endtoend/livepanel.h"

#include "res/resource.h"
#include "toolkit/widgets/controls.h"
#include "toolkit/widgets/windowevent.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QTest>

namespace {
constexpr int kBatteryTimer = 1;
} // namespace

LivePanel::LivePanel() = default;

LivePanel::~LivePanel() = default;

bool LivePanel::open()
{
    m_window->create();
    QObject::connect(m_window->item<QLineEdit>(IDC_STATUS), &QLineEdit::textChanged, m_window.get(),
                     [this](const QString &text) { statusHistory.push_back(text.toStdString()); });
    m_window->show();
    return QTest::qWaitForWindowExposed(m_window.get());
}

QWidget *LivePanel::control(int id) const
{
    return m_window->item(id);
}

QPoint LivePanel::inWindow(int id, QPoint at) const
{
    return control(id)->mapTo(m_window.get(), at);
}

QPoint LivePanel::centre(int id) const
{
    return inWindow(id, control(id)->rect().center());
}

void LivePanel::click(int id)
{
    clickAt(id, control(id)->rect().center());
}

void LivePanel::clickAt(int id, QPoint at)
{
    QTest::mouseClick(m_window->windowHandle(), Qt::LeftButton, Qt::NoModifier, inWindow(id, at));
    QCoreApplication::processEvents();
}

void LivePanel::drag(int id, const std::vector<QPoint> &path)
{
    if (path.empty())
        return;
    QWindow *window = m_window->windowHandle();
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, inWindow(id, path.front()));
    for (auto point = path.begin() + 1; point != path.end(); ++point)
        QTest::mouseMove(window, inWindow(id, *point));
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, inWindow(id, path.back()));
    QCoreApplication::processEvents();
}

void LivePanel::tickBattery()
{
    m_window->dispatch({.kind = tk::EventKind::Timer, .id = kBatteryTimer});
}

std::string LivePanel::text(int id) const
{
    const auto *edit = m_window->item<QLineEdit>(id);
    return edit != nullptr ? edit->text().toStdString() : std::string();
}

std::string LivePanel::status() const
{
    return text(IDC_STATUS);
}

std::string LivePanel::linkIndicator() const
{
    return text(IDC_LINK_INDICATOR);
}

bool LivePanel::isEnabled(int id) const
{
    return control(id)->isEnabled();
}

int LivePanel::batteryBar() const
{
    return m_window->item<tk::ProgressBar>(IDC_BATTERY_BAR)->pos();
}

QImage LivePanel::paneImage() const
{
    return control(IDC_IMAGE_PANE)->grab().toImage();
}
