#include "toolkit/window/dialog.h"

namespace tk {

LRESULT Dialog::dispatch(WindowEvent event)
{
    LRESULT result = 0;
    if (event.result == nullptr)
        event.result = &result;
    if (!route(event))
        defaultProcessing(event);
    return *event.result;
}

bool Dialog::onInitDialog()
{
    return true;
}

bool Dialog::route(const WindowEvent &)
{
    return false;
}

} // namespace tk
