#include "res/strings.h"

#include "res/icon.h"
#include "res/resource.h"

#include <QPixmap>

namespace res {

QString loadString(int id)
{
    if (id == IDS_ABOUTBOX)
        return QString::fromUtf8("バージョン情報 Mirel(&A)...");
    return {};
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int size : kApplicationIconSizes)
        icon.addPixmap(QPixmap::fromImage(applicationIconImage(size)));
    return icon;
}

} // namespace res
