#pragma once

#include <QWidget>

#include <array>

class QLineEdit;

namespace tk::qt {

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

} // namespace tk::qt
