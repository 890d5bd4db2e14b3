#include "toolkit/widgets/ipaddressfield.h"

#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <qdrawutil.h>

#include <algorithm>

namespace tk::qt {

namespace {

constexpr int kFields = 4;
constexpr int kDigits = 3;
constexpr int kEdge = 2; // the sunken edge the control draws round itself

QLineEdit *makeField(QWidget *parent)
{
    auto *edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setAlignment(Qt::AlignCenter);
    edit->setMaxLength(kDigits);
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,3}")), edit));
    return edit;
}

} // namespace

IpAddressField::IpAddressField(QWidget *parent) : QWidget(parent)
{
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);
    for (int field = 0; field < kFields; ++field) {
        QLineEdit *edit = makeField(this);
        // Only the first field is a Tab stop: Tab moves between controls,
        // never between the fields.
        edit->setFocusPolicy(field == 0 ? Qt::StrongFocus : Qt::ClickFocus);
        edit->installEventFilter(this);
        connect(edit, &QLineEdit::textEdited, this, [this, field] { completeIfFull(field); });
        m_fields[field] = edit;
    }
    setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_fields[0]);
}

void IpAddressField::setRange(int field, int low, int high)
{
    if (field < 0 || field >= kFields)
        return;
    low = std::clamp(low, 0, 255);
    high = std::clamp(high, 0, 255);
    m_low[field] = std::min(low, high);
    m_high[field] = std::max(low, high);
    clampField(field);
}

void IpAddressField::setAddress(const std::array<int, 4> &octets)
{
    for (int field = 0; field < kFields; ++field)
        setField(field, octets[field]);
}

void IpAddressField::setField(int field, int value)
{
    if (field >= 0 && field < kFields)
        m_fields[field]->setText(QString::number(std::clamp(value, m_low[field], m_high[field])));
}

std::array<int, 4> IpAddressField::address() const
{
    std::array<int, 4> octets{};
    for (int field = 0; field < kFields; ++field)
        octets[field] = isBlank(field) ? 0 : std::clamp(m_fields[field]->text().toInt(), m_low[field], m_high[field]);
    return octets;
}

int IpAddressField::filledFields() const
{
    int filled = 0;
    for (int field = 0; field < kFields; ++field)
        filled += isBlank(field) ? 0 : 1;
    return filled;
}

bool IpAddressField::isBlank(int field) const
{
    return field < 0 || field >= kFields || m_fields[field]->text().isEmpty();
}

QLineEdit *IpAddressField::fieldEdit(int field) const
{
    return field >= 0 && field < kFields ? m_fields[field] : nullptr;
}

int IpAddressField::fieldOf(const QObject *object) const
{
    const auto found = std::find(m_fields.begin(), m_fields.end(), object);
    return found == m_fields.end() ? -1 : static_cast<int>(found - m_fields.begin());
}

bool IpAddressField::eventFilter(QObject *watched, QEvent *event)
{
    const int field = fieldOf(watched);
    if (field < 0)
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::KeyPress:
        return handleKey(field, static_cast<QKeyEvent *>(event));
    case QEvent::FocusOut:
        clampField(field);
        return false;
    case QEvent::ContextMenu: {
        // The edit's own menu, with Paste going through the address paste.
        QMenu *menu = m_fields[field]->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        if (QAction *pasteAction = menu->findChild<QAction *>(QStringLiteral("edit-paste"))) {
            disconnect(pasteAction, &QAction::triggered, nullptr, nullptr);
            connect(pasteAction, &QAction::triggered, this, [this, field] { paste(field); });
        }
        menu->popup(static_cast<QContextMenuEvent *>(event)->globalPos());
        return true;
    }
    default:
        return false;
    }
}

bool IpAddressField::handleKey(int field, QKeyEvent *event)
{
    QLineEdit *edit = m_fields[field];
    if (event->matches(QKeySequence::Paste)) {
        paste(field);
        return true;
    }
    const bool atStart = edit->cursorPosition() == 0 && !edit->hasSelectedText();
    const bool atEnd = edit->cursorPosition() == edit->text().size() && !edit->hasSelectedText();
    switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        focusNeighbour(event->key() == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        return true;
    case Qt::Key_Period:
        // A dot typed into a blank field is dropped, so a whole dotted
        // address can be typed after a field completed itself.
        if (field + 1 < kFields && !edit->text().isEmpty())
            moveTo(field + 1, Caret::SelectAll);
        return true;
    case Qt::Key_Left:
        if (!atStart || field == 0)
            return false;
        moveTo(field - 1, Caret::AtEnd);
        return true;
    case Qt::Key_Right:
        if (!atEnd || field + 1 == kFields)
            return false;
        moveTo(field + 1, Caret::AtStart);
        return true;
    case Qt::Key_Backspace:
        if (!edit->text().isEmpty() || field == 0)
            return false;
        moveTo(field - 1, Caret::AtEnd);
        return true;
    default:
        return false;
    }
}

void IpAddressField::completeIfFull(int field)
{
    QLineEdit *edit = m_fields[field];
    if (edit->text().size() < kDigits || edit->cursorPosition() < kDigits)
        return;
    clampField(field);
    if (field + 1 < kFields)
        moveTo(field + 1, Caret::SelectAll);
}

void IpAddressField::clampField(int field)
{
    if (isBlank(field))
        return;
    const int value = m_fields[field]->text().toInt();
    const int clamped = std::clamp(value, m_low[field], m_high[field]);
    if (clamped != value)
        m_fields[field]->setText(QString::number(clamped));
}

void IpAddressField::moveTo(int field, Caret caret)
{
    QLineEdit *edit = m_fields[field];
    edit->setFocus(Qt::OtherFocusReason);
    switch (caret) {
    case Caret::SelectAll:
        edit->selectAll();
        break;
    case Caret::AtStart:
        edit->setCursorPosition(0);
        break;
    case Caret::AtEnd:
        edit->setCursorPosition(static_cast<int>(edit->text().size()));
        break;
    }
}

void IpAddressField::focusNeighbour(bool next)
{
    // The window's Tab chain, walked from the first field (the control's
    // place in it), skipping the other fields.
    QWidget *candidate = m_fields[0];
    for (;;) {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (candidate == m_fields[0])
            return;
        if (candidate == this || isAncestorOf(candidate))
            continue;
        if ((candidate->focusPolicy() & Qt::TabFocus) && candidate->isEnabled() && candidate->isVisibleTo(window())
            && candidate->focusProxy() == nullptr) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void IpAddressField::paste(int field)
{
    const QString text = QApplication::clipboard()->text().trimmed();
    static const QRegularExpression dotted(QStringLiteral("^[0-9]{0,3}(\\.[0-9]{0,3}){1,3}$"));
    if (dotted.match(text).hasMatch()) {
        const QStringList parts = text.split(QLatin1Char('.'));
        for (int part = 0; part < kFields; ++part) {
            m_fields[part]->setText(part < parts.size() ? parts[part] : QString());
            clampField(part);
        }
        return;
    }
    m_fields[field]->insert(text);
    completeIfFull(field);
}

void IpAddressField::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), true);
    painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::Text));
    for (int field = 0; field + 1 < kFields; ++field) {
        const QRect edit = m_fields[field]->geometry();
        const QRect gap(edit.right() + 1, edit.top(), m_fields[field + 1]->x() - edit.right() - 1, edit.height());
        painter.drawText(gap, Qt::AlignCenter, QStringLiteral("."));
    }
}

void IpAddressField::resizeEvent(QResizeEvent *)
{
    const QRect inner = rect().adjusted(kEdge, kEdge, -kEdge, -kEdge);
    const int dotWidth = fontMetrics().horizontalAdvance(QLatin1Char('.')) + 2;
    const int fieldWidth = (inner.width() - (kFields - 1) * dotWidth) / kFields;
    for (int field = 0; field < kFields; ++field)
        m_fields[field]->setGeometry(inner.left() + field * (fieldWidth + dotWidth), inner.top(), fieldWidth, inner.height());
}

} // namespace tk::qt
