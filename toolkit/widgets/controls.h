#pragma once

#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QWidget>

#include <array>

class QTabBar;

namespace tk {

/// A plain push button: never a default button by itself; Enter and Space
/// on it click it.
class PushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit PushButton(const QString &caption, QWidget *parent = nullptr);
};

/// Word-wrapped static text that never takes a click.
class StaticText : public QLabel
{
    Q_OBJECT
public:
    explicit StaticText(const QString &caption, QWidget *parent = nullptr);
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
};

/// A group box that only draws; clicks pass to the controls inside.
class GroupBox : public QGroupBox
{
    Q_OBJECT
public:
    explicit GroupBox(const QString &caption, QWidget *parent = nullptr);
};

/// A single-line edit; read-only ones can be selected and copied.
class Edit : public QLineEdit
{
    Q_OBJECT
public:
    explicit Edit(QWidget *parent = nullptr);
};

/// A multi-line edit whose lines wrap at its width.
class MultiLineEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MultiLineEdit(QWidget *parent = nullptr);
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
    void clearAddress();
    bool isBlank(int field) const;

    /// The edit of one field, for focus and tests.
    QLineEdit *fieldEdit(int field) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
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
    int pos() const { return m_position; }
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
    int itemCount() const;
    QString itemText(int index) const;
    QTabBar *tabBar() const { return m_tabBar; }

Q_SIGNALS:
    void selectionChanged();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
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
    int pos() const { return value(); }

Q_SIGNALS:
    void scrolled(int code);

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void keyReleaseEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
};

} // namespace tk
