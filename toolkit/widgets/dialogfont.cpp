#include "toolkit/widgets/dialogfont.h"

#include <QFontDatabase>
#include <QFontMetrics>

namespace tk::qt {

namespace {

constexpr int kScreenDpi = 96;

// Where the named face is missing, a free proportional Japanese gothic
// stands in. Its letters are wider than those the templates were drawn
// for, so it is drawn horizontally condensed; the dialog units are still
// measured from it at its natural width (see measureBaseUnits), which keeps
// the window and its controls at the size the face itself implies while
// every caption fits its rectangle.
constexpr const char *kSubstitutes[] = {"IPAPGothic", "IPAGothic"};
constexpr int kSubstituteStretch = 88;

} // namespace

QFont dialogFont(const char *face, int pointSize)
{
    // Pixel sizes keep the layout the same whatever resolution the platform
    // reports: the templates assume a 96 dpi screen.
    const int pixels = pointsToPixels(pointSize, kScreenDpi);
    const QString named = QString::fromUtf8(face);
    QFont font(named);
    font.setPixelSize(pixels);
    font.setWeight(QFont::Normal);
    font.setItalic(false);
    if (QFontDatabase::hasFamily(named))
        return font;
    for (const char *substitute : kSubstitutes) {
        const QString family = QString::fromLatin1(substitute);
        if (QFontDatabase::hasFamily(family)) {
            font.setFamily(family);
            break;
        }
    }
    font.setStretch(kSubstituteStretch);
    return font;
}

BaseUnits measureBaseUnits(const QFont &font)
{
    // Measured at the face's natural width: a condensed substitute must not
    // shrink the rectangles it was condensed to fit.
    QFont natural(font);
    natural.setStretch(QFont::Unstretched);
    const QFontMetrics metrics(natural);
    const int alphabet = metrics.horizontalAdvance(QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return {averageCharWidth(alphabet), metrics.height()};
}

} // namespace tk::qt
