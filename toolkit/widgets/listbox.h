#pragma once

#include <QListWidget>

namespace tk::qt {

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

} // namespace tk::qt
