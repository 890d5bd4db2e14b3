// The string table and the icon, where the program carries no resources:
// the table is compiled in and the icon is drawn.
#include "res/strings.h"

#include "res/icon.h"
#include "res/resource.h"

#include <QIcon>
#include <QPixmap>

namespace res {

std::string loadString(int id)
{
    if (id == IDS_ABOUTBOX)
        return IDS_ABOUTBOX_TEXT;
    return {};
}

HICON applicationIcon()
{
    static const QIcon icon = [] {
        QIcon drawn;
        for (const int size : kApplicationIconSizes)
            drawn.addPixmap(QPixmap::fromImage(applicationIconImage(size)));
        return drawn;
    }();
    return &icon;
}

} // namespace res
