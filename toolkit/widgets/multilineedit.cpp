#include "toolkit/widgets/multilineedit.h"

#include <QEvent>

namespace tk::qt {

MultiLineEdit::MultiLineEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // In a dialog Tab leaves a multi-line edit rather than typing a tab.
    setTabChangesFocus(true);
}

void MultiLineEdit::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        viewport()->setBackgroundRole(isReadOnly() ? QPalette::Window : QPalette::Base);
}

} // namespace tk::qt
