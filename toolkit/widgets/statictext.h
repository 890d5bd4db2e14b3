#pragma once

#include <QLabel>

namespace tk::qt {

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

} // namespace tk::qt
