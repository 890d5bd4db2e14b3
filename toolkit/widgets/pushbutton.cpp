#include "toolkit/widgets/pushbutton.h"

namespace tk::qt {

PushButton::PushButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    // Inside a QDialog buttons are auto-default: the focused one would turn
    // default and Enter would go to QDialog's own handling. The window
    // decides what Enter does.
    setAutoDefault(false);
}

} // namespace tk::qt
