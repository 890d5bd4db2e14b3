#pragma once

#include <QPlainTextEdit>

namespace tk::qt {

/// A multi-line edit whose lines wrap at its width.
class MultiLineEdit : public QPlainTextEdit
{
    Q_OBJECT
public:
    explicit MultiLineEdit(QWidget *parent = nullptr);

protected:
    void changeEvent(QEvent *event) override;
};

} // namespace tk::qt
