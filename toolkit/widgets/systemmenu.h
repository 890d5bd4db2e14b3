#pragma once

#include "toolkit/core/win32types.h"

#include <QString>

#include <vector>

class QMenu;
class QWidget;

namespace tk::qt {

/// The window menu of a top-level window: the usual window commands and the
/// items the application appends. Choosing an item raises a system command
/// with the item's id. Where the window manager owns the real window menu,
/// this one opens on a right-click over the window's background.
class SystemMenu
{
public:
    struct Item
    {
        UINT id; // 0 for a separator
        QString text;
    };

    explicit SystemMenu(bool canMinimize);

    void appendSeparator();
    void appendItem(UINT id, const QString &text);
    const std::vector<Item> &items() const { return m_items; }

    /// Makes a popup menu of the items; each action carries its item's id
    /// as its data, so choosing one tells which command it was.
    QMenu *createMenu(QWidget *parent) const;

private:
    std::vector<Item> m_items;
};

} // namespace tk::qt
