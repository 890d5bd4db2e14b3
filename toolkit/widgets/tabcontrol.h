#pragma once

#include <QWidget>

class QTabBar;

namespace tk::qt {

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

} // namespace tk::qt
