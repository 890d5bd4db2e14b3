#include "toolkit/widgets/controls.h"

#include "toolkit/widgets/edges.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFrame>

namespace tk {

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

// A read-only edit is painted in the face colour of the window around it,
// not in the colour of text that can be typed into.
QPalette readOnlyPalette(QPalette palette)
{
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setBrush(group, QPalette::Base, palette.brush(group, QPalette::Window));
    return palette;
}

// A group box caption stands this far in from the frame's left side.
constexpr int kCaptionIndent = 7;
constexpr int kCaptionFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine | Qt::TextShowMnemonic;

} // namespace

PushButton::PushButton(const QString &caption, QWidget *parent) : QPushButton(caption, parent)
{
    // Inside a QDialog buttons are auto-default: the focused one would turn
    // default and Enter would go to QDialog's own handling. The window
    // decides what Enter does.
    setAutoDefault(false);
}

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

StaticFrame::StaticFrame(bool border, bool sunkenEdge, bool raisedEdge, bool staticEdge, QWidget *parent)
    : QFrame(parent), m_edges{raisedEdge, border, sunkenEdge, staticEdge}
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void StaticFrame::paintEvent(QPaintEvent *)
{
    // Only lines: the inside belongs to whoever paints into the frame
    // before it (the camera picture in the image pane).
    QPainter painter(this);
    const QRect inner = drawEdges(painter, rect(), palette(), m_edges);
    // The outline belongs to the client area, which the edges of a narrow
    // frame can take whole.
    if (!inner.isEmpty()) {
        const QColor outline = palette().color(QPalette::WindowText);
        drawRing(painter, inner, outline, outline);
    }
}

GroupBox::GroupBox(const QString &caption, QWidget *parent) : QGroupBox(caption, parent)
{
    setAlignment(Qt::AlignLeft);
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void GroupBox::setEdges(const Edges &edges)
{
    m_edges = edges;
    update();
}

QRect GroupBox::captionRect() const
{
    const int edge = edgeWidth(m_edges);
    const QRect client = rect().adjusted(edge, edge, -edge, -edge);
    const QRect room = client.adjusted(kCaptionIndent, 0, -kCaptionIndent, 0);
    return fontMetrics().boundingRect(room, kCaptionFlags, title()) & client;
}

void GroupBox::paintEvent(QPaintEvent *)
{
    // The window edges round the control, and inside them an etched frame
    // whose top line runs through the middle of the caption.
    QPainter painter(this);
    const QRect client = drawEdges(painter, rect(), palette(), m_edges);
    if (client.isEmpty())
        return;
    painter.setClipRect(client);
    drawEtched(painter, client.adjusted(0, fontMetrics().height() / 2 - 1, 0, 0), palette());
    if (title().isEmpty())
        return;
    const QRect caption = captionRect();
    // The caption's background breaks the line, a pixel wider than the text.
    painter.fillRect(caption.adjusted(-1, 0, 1, 1), palette().brush(backgroundRole()));
    style()->drawItemText(&painter, caption, kCaptionFlags, palette(), isEnabled(), title(), QPalette::WindowText);
}

Edit::Edit(QWidget *parent) : QLineEdit(parent)
{
}

void Edit::setText(const QString &text)
{
    QLineEdit::setText(text);
    setCursorPosition(0);
}

void Edit::initStyleOption(QStyleOptionFrame *option) const
{
    QLineEdit::initStyleOption(option);
    if (isReadOnly())
        option->palette = readOnlyPalette(option->palette);
}

MultiLineEdit::MultiLineEdit(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // In a dialog Tab leaves a multi-line edit rather than typing a tab.
    setTabChangesFocus(true);
}

void MultiLineEdit::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::ReadOnlyChange)
        viewport()->setBackgroundRole(isReadOnly() ? QPalette::Window : QPalette::Base);
}

ListBox::ListBox(QWidget *parent) : QListWidget(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSortingEnabled(false);
    setUniformItemSizes(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setTextElideMode(Qt::ElideNone);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

int ListBox::insertString(int index, const QString &text)
{
    if (index < -1 || index > count())
        return -1;
    const int row = index == -1 ? count() : index;
    insertItem(row, text);
    return row;
}

int ListBox::rowCount() const
{
    return count();
}

int ListBox::curSel() const
{
    // The current row is not a selection: Qt makes a row current on focus
    // without selecting it.
    const QModelIndexList rows = selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

QString ListBox::rowText(int index) const
{
    const QListWidgetItem *row = item(index);
    return row != nullptr ? row->text() : QString();
}

void ListBox::mouseDoubleClickEvent(QMouseEvent *event)
{
    QListWidget::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        Q_EMIT doubleClicked();
}

} // namespace tk
