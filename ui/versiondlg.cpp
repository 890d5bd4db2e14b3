#include "ui/versiondlg.h"

#include "res/helptext.h"
#include "res/resource.h"
#include "res/templates.h"

CVersionDlg::CVersionDlg(tk::Dialog *owner) : tk::Dialog(res::versionDialogTemplate(), owner) {}

CVersionDlg::~CVersionDlg() = default;

void CVersionDlg::open(tk::Dialog &owner)
{
    CVersionDlg dialog(&owner);
    dialog.doModal();
}

const CVersionDlg::Routes &CVersionDlg::routes()
{
    static const Routes table{
        Routes::activate(&CVersionDlg::onActivate),
    };
    return table;
}

bool CVersionDlg::route(const tk::WindowEvent &event)
{
    return routes().dispatch(*this, event);
}

bool CVersionDlg::onInitDialog()
{
    const bool focusFirst = tk::Dialog::onInitDialog();
    m_helpText = item<tk::Edit>(IDC_HELP_TEXT);
    return focusFirst;
}

void CVersionDlg::onActivate(int)
{
    // The platform has already saved or restored the focus; the text is
    // written whole on activation and deactivation alike.
    m_helpText.setText(res::kHelpText);
}
