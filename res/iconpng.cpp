#include "res/icon.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QString>
#include <QSvgGenerator>
#include <QtEndian>

#include <cstdio>

namespace {

// Appends a little-endian number of the ICO format.
template <class T>
void put(QByteArray &out, T value)
{
    const T little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&little), sizeof little);
}

// The icon for Windows: one PNG-compressed image of every size in an ICO
// container, which Windows reads since Vista.
bool writeIco(const QString &file)
{
    QByteArray directory;
    QByteArray images;
    const auto count = static_cast<quint16>(res::kApplicationIconSizes.size());
    put<quint16>(directory, 0); // reserved
    put<quint16>(directory, 1); // an icon
    put<quint16>(directory, count);
    const quint32 firstImage = 6 + 16u * count;
    for (const int size : res::kApplicationIconSizes) {
        QByteArray png;
        QBuffer buffer(&png);
        if (!buffer.open(QIODevice::WriteOnly) || !res::applicationIconImage(size).save(&buffer, "PNG"))
            return false;
        const auto side = static_cast<quint8>(size >= 256 ? 0 : size); // 0 stands for 256
        put<quint8>(directory, side);
        put<quint8>(directory, side);
        put<quint8>(directory, 0);   // no palette
        put<quint8>(directory, 0);   // reserved
        put<quint16>(directory, 1);  // planes
        put<quint16>(directory, 32); // bits per pixel
        put<quint32>(directory, static_cast<quint32>(png.size()));
        put<quint32>(directory, firstImage + static_cast<quint32>(images.size()));
        images.append(png);
    }
    QFile out(file);
    return out.open(QIODevice::WriteOnly) && out.write(directory + images) == directory.size() + images.size();
}

} // namespace

// Writes the icon at every size as <dir>/hicolor/<n>x<n>/apps/korvan.png, and
// once as <dir>/hicolor/scalable/apps/korvan.svg, the layout of the desktop's
// icon theme, so the build can install it; and all sizes in <dir>/korvan.ico
// for the Windows program's resources.
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
    const QString ico = root.filePath(QStringLiteral("korvan.ico"));
    if (!writeIco(ico)) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(ico));
        return 1;
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
