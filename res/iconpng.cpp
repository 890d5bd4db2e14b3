#include "res/icon.h"

#include <QDir>
#include <QString>

#include <cstdio>

// Writes the icon at every size as <dir>/hicolor/<n>x<n>/apps/korvan.png, the
// layout of the desktop's icon theme, so the build can install it.
int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output-directory>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const int size : res::kApplicationIconSizes) {
        const QString folder = QStringLiteral("hicolor/%1x%1/apps").arg(size);
        const QString file = root.filePath(folder + QStringLiteral("/korvan.png"));
        if (!root.mkpath(folder) || !res::applicationIconImage(size).save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
