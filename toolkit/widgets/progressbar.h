#pragma once

#include <QWidget>

namespace tk::qt {

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

} // namespace tk::qt
