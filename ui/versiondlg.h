#pragma once

#include "toolkit/widgets/dialog.h"
#include "toolkit/widgets/routetable.h"

namespace tk {
class MultiLineEdit;
}

/// The version and help box, opened modally and discarded when it closes.
class CVersionDlg : public tk::Dialog
{
    Q_OBJECT

public:
    explicit CVersionDlg(QWidget *parent = nullptr);
    ~CVersionDlg() override;

    /// Runs a version box over the parent and forgets its result.
    static void open(QWidget *parent);

protected:
    bool onInitDialog() override;
    bool route(const tk::WindowEvent &event) override;

private:
    using Routes = tk::RouteTable<CVersionDlg>;
    static const Routes &routes();

    void onActivate(int state);

    tk::MultiLineEdit *m_helpText = nullptr;
};
