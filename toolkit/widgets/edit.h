#pragma once

#include <QLineEdit>

namespace tk::qt {

/// A single-line edit; read-only ones can be selected and copied. A text
/// set by the program shows from its start, the caret at 0, however it is
/// set; QLineEdit on its own shows its end.
class Edit : public QLineEdit
{
    Q_OBJECT
public:
    explicit Edit(QWidget *parent = nullptr);

protected:
    void initStyleOption(QStyleOptionFrame *option) const override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;

private:
    /// While the user types, the caret stays where the typing leaves it.
    bool m_typing = false;
};

} // namespace tk::qt
