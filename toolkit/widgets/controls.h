#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QWidget>

#include <array>

class QTabBar;

namespace tk {

/// Window edges a template gives a control, drawn from the outside in:
/// double raised (WS_EX_DLGMODALFRAME), thin line (WS_BORDER), sunken
/// (WS_EX_CLIENTEDGE), thin sunken (WS_EX_STATICEDGE).
struct Edges
{
    bool raised = false;
    bool border = false;
    bool sunken = false;
    bool thin = false;
};

/// A plain push button: never a default button by itself; Enter and Space
/// on it click it.
class PushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit PushButton(const QString &caption, QWidget *parent = nullptr);
};

/// Word-wrapped static text that never takes a click. An ampersand marks
/// a mnemonic and is not shown ("&&" shows one), unless noPrefix is set.
class StaticText : public QLabel
{
    Q_OBJECT
public:
    explicit StaticText(const QString &caption, QWidget *parent = nullptr);

    /// Shows ampersands literally (SS_NOPREFIX).
    void setNoPrefix(bool noPrefix);

private:
    QString m_caption;
};

/// A static frame: an outline in the window-frame colour, inside left
/// unpainted, optionally with edges. Never takes a click.
class StaticFrame : public QFrame
{
    Q_OBJECT
public:
    StaticFrame(bool border, bool sunkenEdge, bool raisedEdge, bool staticEdge, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Edges m_edges;
};

/// A group box that only draws; clicks pass to the controls inside.
class GroupBox : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupBox(const QString &caption, QWidget *parent = nullptr);

    void setEdges(const Edges &edges);
    /// Where the caption is drawn, breaking the frame's top line.
    QRect captionRect() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Edges m_edges;
};

/// A single-line edit; read-only ones can be selected and copied.
class Edit : public QLineEdit
{
    Q_OBJECT
public:
    explicit Edit(QWidget *parent = nullptr);

    /// Replaces the text and shows it from its start, the caret at 0, as an
    /// edit shows a text set by the program; QLineEdit's own shows its end.
    void setText(const QString &text);

protected:
    void initStyleOption(QStyleOptionFrame *option) const override;
};

/// A multi-line edit whose lines wrap at its width.
class MultiLineEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MultiLineEdit(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;
};

/// The IPv4 address field: four fields with ranges; a blank field reads as 0.
class IpAddressField : public QWidget
{
    Q_OBJECT
public:
    explicit IpAddressField(QWidget *parent = nullptr);

    void setRange(int field, int low, int high);
    /// Sets all four fields; values outside a field's range are clamped.
    void setAddress(const std::array<int, 4> &octets);
    /// Sets one field, clamped to its range; the others keep their text.
    void setField(int field, int value);
    /// The four fields, blank ones as 0.
    std::array<int, 4> address() const;
    /// Number of fields that are not blank.
    int filledFields() const;
    bool isBlank(int field) const;

    /// The edit of one field, for focus and tests.
    QLineEdit *fieldEdit(int field) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    enum class Caret { SelectAll, AtStart, AtEnd };

    int fieldOf(const QObject *object) const;
    bool handleKey(int field, QKeyEvent *event);
    void completeIfFull(int field);
    void clampField(int field);
    void moveTo(int field, Caret caret);
    void focusNeighbour(bool next);
    void paste(int field);

    std::array<QLineEdit *, 4> m_fields{};
    std::array<int, 4> m_low{0, 0, 0, 0};
    std::array<int, 4> m_high{255, 255, 255, 255};
};

/// A segmented progress bar that keeps its position inside its range.
class ProgressBar : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressBar(QWidget *parent = nullptr);

    void setRange(int low, int high);
    void setPos(int position);
    int position() const { return m_position; }
    int low() const { return m_low; }
    int high() const { return m_high; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    int m_low = 0;
    int m_high = 100;
    int m_position = 0;
};

/// A tab control without page windows. selectionChanged is raised only when
/// the user makes another item current.
class TabControl : public QWidget
{
    Q_OBJECT
public:
    explicit TabControl(QWidget *parent = nullptr);

    int insertItem(int index, const QString &text);
    /// Current item, -1 when there is none.
    int curSel() const;
    /// Selects an item without notification.
    int setCurSel(int index);
    QTabBar *tabBar() const { return m_tabBar; }

Q_SIGNALS:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void layoutTabBar();

    QTabBar *m_tabBar = nullptr;
    bool m_programmatic = false;
};

/// A list box that never sorts what is inserted and reports double-clicks.
class ListBox : public QListWidget
{
    Q_OBJECT
public:
    explicit ListBox(QWidget *parent = nullptr);

    /// Inserts a copy of text at index (-1 appends); returns its index.
    int insertString(int index, const QString &text);
    int rowCount() const;
    /// Selected row, -1 when none.
    int curSel() const;
    QString rowText(int index) const;

Q_SIGNALS:
    void doubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};

/// A slider with Win32 trackbar keys, mouse and scroll notifications: every
/// step raises scrolled(code), and releasing a key or the mouse button
/// raises TB_ENDTRACK.
class Trackbar : public QSlider
{
    Q_OBJECT
public:
    explicit Trackbar(Qt::Orientation orientation, QWidget *parent = nullptr);

    void setRangeMin(int minimum);
    void setRangeMax(int maximum);
    void setPageSize(int size);
    void setLineSize(int size);
    /// Moves the thumb without raising a notification.
    void setPos(int position);
    int position() const { return value(); }
    void setEdges(const Edges &edges);
    /// Where the thumb is drawn and hit.
    QRect thumbRect() const;

Q_SIGNALS:
    void scrolled(int code);

protected:
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;

private:
    enum class Drag { None, Thumb, Channel };

    /// Moves to target (kept in range) and notifies; nothing at all when
    /// the thumb is already there.
    void step(int target, int code);
    void pageTowardPointer();
    /// What lies inside the edges: channel, thumb and focus rectangle.
    QRect clientArea() const;
    int along(const QPoint &point) const;
    int valueAtThumbStart(int pixel) const;

    Edges m_edges;
    Drag m_drag = Drag::None;
    int m_grabOffset = 0;
    QPoint m_pointer;
    QTimer m_repeat;
    int m_wheelRemainder = 0;
};

} // namespace tk
