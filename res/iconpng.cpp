#include "res/icon.h"

#include <QDir>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>

#include <cstdio>

// Writes the icon at every size as <dir>/hicolor/<n>x<n>/apps/korvan.png, and
// once as <dir>/hicolor/scalable/apps/korvan.svg, the layout of the desktop's
// icon theme, so the build can install it.
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
    const QString folder = QStringLiteral("hicolor/scalable/apps");
    const int size = res::kApplicationIconSizes.back();
    QSvgGenerator svg;
    svg.setFileName(root.filePath(folder + QStringLiteral("/korvan.svg")));
    svg.setSize(QSize(size, size));
    svg.setViewBox(QRect(0, 0, size, size));
    svg.setTitle(QStringLiteral("Korvan"));
    QPainter painter;
    if (!root.mkpath(folder) || !painter.begin(&svg)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(svg.fileName()));
        return 1;
    }
    res::paintApplicationIcon(painter, size);
    return painter.end() ? 0 : 1;
}
