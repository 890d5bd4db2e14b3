#pragma once

#include <QPushButton>

namespace tk::qt {

/// on it click it.
class PushButton : public QPushButton
{
    Q_OBJECT
public:
    explicit PushButton(const QString &caption, QWidget *parent = nullptr);
};

} // namespace tk::qt
