#include "res/strings.h"

#include "res/resource.h"

namespace res {

QString loadString(int id)
{
    if (id == IDS_ABOUTBOX)
        return QString::fromUtf8("バージョン情報 Mirel(&A)...");
    return {};
}

QIcon applicationIcon()
{
    return QIcon(QStringLiteral(":/korvan/icon128.png"));
}

} // namespace res
