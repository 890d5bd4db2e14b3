#include "toolkit/widgets/listbox.h"

#include <QMouseEvent>

namespace tk::qt {

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int ListBox::insertString(int index, const QString &text)
{
    if (index < -1 || index > count())
        return -1;
    const int row = index == -1 ? count() : index;
    insertItem(row, text);
    return row;
}

int ListBox::rowCount() const
{
    return count();
}

int ListBox::curSel() const
{
    // The current row is not a selection: Qt makes a row current on focus
    // without selecting it.
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString ListBox::rowText(int index) const
{
    const QListWidgetItem *row = item(index);
    return row != nullptr ? row->text() : QString();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

} // namespace tk::qt
