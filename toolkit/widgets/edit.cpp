#include "toolkit/widgets/edit.h"

#include <QScopedValueRollback>
#include <QStyleOptionFrame>

namespace tk::qt {

namespace {

// A read-only edit is painted in the face colour of the window around it,
// not in the colour of text that can be typed into.
QPalette readOnlyPalette(QPalette palette)
{
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setBrush(group, QPalette::Base, palette.brush(group, QPalette::Window));
    return palette;
}

} // namespace

Edit::Edit(QWidget *parent) : QLineEdit(parent)
{
    // QLineEdit::setText is not virtual, so the rule rides on the change:
    // a call through a QLineEdit pointer keeps it too.
    connect(this, &QLineEdit::textChanged, this, [this] {
        if (!m_typing)
            setCursorPosition(0);
    });
}

void Edit::keyPressEvent(QKeyEvent *event)
{
    const QScopedValueRollback typing(m_typing, true);
    QLineEdit::keyPressEvent(event);
}

void Edit::inputMethodEvent(QInputMethodEvent *event)
{
    const QScopedValueRollback typing(m_typing, true);
    QLineEdit::inputMethodEvent(event);
}

void Edit::initStyleOption(QStyleOptionFrame *option) const
{
    QLineEdit::initStyleOption(option);
    if (isReadOnly())
        option->palette = readOnlyPalette(option->palette);
}

} // namespace tk::qt
