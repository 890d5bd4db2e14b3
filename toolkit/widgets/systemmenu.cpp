#include "toolkit/widgets/systemmenu.h"

#include "toolkit/core/windowevent.h"

#include <QMenu>

namespace tk::qt {

SystemMenu::SystemMenu(bool canMinimize)
{
    m_items.push_back({SC_RESTORE, QString::fromUtf8("元のサイズに戻す(&R)")});
    m_items.push_back({SC_MOVE, QString::fromUtf8("移動(&M)")});
    if (canMinimize)
        m_items.push_back({SC_MINIMIZE, QString::fromUtf8("最小化(&N)")});
    appendSeparator();
    m_items.push_back({SC_CLOSE, QString::fromUtf8("閉じる(&C)\tAlt+F4")});
}

void SystemMenu::appendSeparator()
{
    m_items.push_back({0, QString()});
}

void SystemMenu::appendItem(UINT id, const QString &text)
{
    m_items.push_back({id, text});
}

QMenu *SystemMenu::createMenu(QWidget *parent) const
{
    auto *menu = new QMenu(parent);
    for (const Item &item : m_items) {
        if (item.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction *action = menu->addAction(item.text);
        action->setData(item.id);
        if (item.id == SC_CLOSE)
            menu->setDefaultAction(action);
    }
    return menu;
}

} // namespace tk::qt
