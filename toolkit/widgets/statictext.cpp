#include "toolkit/widgets/statictext.h"

namespace tk::qt {

namespace {

// What a static control shows for a caption with mnemonic prefixes: "&x"
// shows x, "&&" shows one ampersand.
QString withoutPrefixes(const QString &caption)
{
    QString shown;
    shown.reserve(caption.size());
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption.at(i) == QLatin1Char('&') && i + 1 < caption.size())
            ++i;
        else if (caption.at(i) == QLatin1Char('&'))
            continue;
        shown.append(caption.at(i));
    }
    return shown;
}

} // namespace

StaticText::StaticText(const QString &caption, QWidget *parent) : QLabel(parent), m_caption(caption)
{
    setTextFormat(Qt::PlainText);
    setWordWrap(true);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setFocusPolicy(Qt::NoFocus);
    // Static controls are transparent to hit-testing, so controls drawn
    // over or under them get the clicks.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setNoPrefix(false);
}

void StaticText::setNoPrefix(bool noPrefix)
{
    setText(noPrefix ? m_caption : withoutPrefixes(m_caption));
}

} // namespace tk::qt
