// The page tabs and the content list: showing one page's controls and
// hiding the other's, filling the list on the first visit, and playing the
// content of a double-clicked row.
#include "ui/remotedlg.h"

#include "framework/catalogue.h"
#include "res/strings.h"
#include "res/templates.h"
#include "vaiboclient/cvaibo.h"

#include <cstdio>

void CRemoteDlg::setUpPages()
{
    m_pageTabs.insertItem(res::kWalkingPage, res::kWalkingPageTab);
    m_pageTabs.insertItem(res::kMwcidPage, res::kMwcidPageTab);
    m_contentList.hide();
    m_listHint.hide();
}

void CRemoteDlg::onPageTabsSelChange(LRESULT *result)
{
    switch (m_pageTabs.curSel()) {
    case res::kWalkingPage:
        showWalkingPage(true);
        break;
    case res::kMwcidPage:
        showWalkingPage(false);
        if (m_contentList.rowCount() == 0)
            fillContentList();
        break;
    default:
        break;
    }
    if (result != nullptr)
        *result = 0;
}

void CRemoteDlg::showWalkingPage(bool show)
{
    for (tk::PushButton &button : m_walkingPageButtons)
        button.setVisible(show);
    m_contentList.setVisible(!show);
    m_listHint.setVisible(!show);
}

void CRemoteDlg::fillContentList()
{
    for (const char *const *entry = kContentCatalogue; *entry != nullptr; ++entry)
        m_contentList.insertString(-1, *entry);
}

void CRemoteDlg::onContentListDblClk()
{
    if (!isOnline())
        return;
    const int row = m_contentList.curSel();
    if (row < 0)
        return;
    const int mwcid = mwcidOfRow(m_contentList.rowText(row).c_str());
    if (m_robot->PlayContents(mwcid, 0) < 0) {
        setStatus(res::kCommandFailed);
        return;
    }
    char text[kContentRowBufferSize];
    std::snprintf(text, sizeof text, res::kContentSentFormat, mwcid);
    setStatus(text);
}
