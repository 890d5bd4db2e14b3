// The dialog as a Qt window (toolkit/widgets/dialogwindow.h).
#include "toolkit/window/dialog.h"

#include "toolkit/widgets/dialogwindow.h"
#include "toolkit/window/controls.h"

#include <QIcon>

namespace tk {

Dialog::Dialog(const DialogTemplate &dialogTemplate, Dialog *owner)
    : m_template(dialogTemplate)
    , m_owner(owner)
    , m_window(std::make_unique<DialogWindow>(dialogTemplate, owner != nullptr ? owner->m_window.get() : nullptr,
                                              [this](WindowEvent event) { return dispatch(event); }))
{}

Dialog::~Dialog() = default;

void Dialog::create()
{
    if (m_created)
        return;
    m_created = true;
    m_window->build();
    if (onInitDialog())
        m_window->focusFirstTabStop();
}

int Dialog::doModal()
{
    create();
    return m_window->exec();
}

void Dialog::endDialog(int result)
{
    m_result = result;
    m_window->done(result);
}

void Dialog::show()
{
    m_window->show();
}

HWND Dialog::handle() const
{
    return m_window.get();
}

HWND Dialog::item(int id) const
{
    return m_window->item(id);
}

bool Dialog::setTimer(UINT id, unsigned milliseconds)
{
    return m_window->setTimer(id, milliseconds);
}

bool Dialog::killTimer(UINT id)
{
    return m_window->killTimer(id);
}

unsigned Dialog::timerInterval(UINT id) const
{
    return m_window->timerInterval(id);
}

std::optional<Menu> Dialog::systemMenu()
{
    if (m_window->systemMenu() == nullptr)
        return std::nullopt;
    return Menu(m_window.get());
}

void Dialog::setIcon(HICON icon)
{
    m_window->setWindowIcon(*icon);
}

bool Dialog::isMinimized() const
{
    return m_window->isMinimized();
}

void Dialog::defaultProcessing(const WindowEvent &event)
{
    if (isEndCommand(event))
        endDialog(event.id);
    else
        m_window->defaultProcessing(event);
}

void Dialog::paintIcon(HICON icon)
{
    m_window->paintIcon(*icon);
}

} // namespace tk
