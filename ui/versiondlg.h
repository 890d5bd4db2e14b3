#pragma once

#include "toolkit/core/routetable.h"
#include "toolkit/window/controls.h"
#include "toolkit/window/dialog.h"

/// The version and help box, opened modally and discarded when it closes.
class CVersionDlg : public tk::Dialog
{
public:
    explicit CVersionDlg(tk::Dialog *owner = nullptr);
    ~CVersionDlg() override;

    /// Runs a version box over the parent and forgets its result.
    static void open(tk::Dialog &owner);

protected:
    bool onInitDialog() override;
    bool route(const tk::WindowEvent &event) override;

private:
    using Routes = tk::RouteTable<CVersionDlg>;
    static const Routes &routes();

    void onActivate(int state);

    tk::Edit m_helpText;
};
