#include "ui/remotedlg.h"

#include "link/vaibomessageids.h"
#include "res/resource.h"
#include "res/strings.h"
#include "res/templates.h"
#include "ui/versiondlg.h"
#include "vaiboclient/cvaibo.h"

namespace {
constexpr unsigned kBatteryPeriodMs = 5000;
} // namespace

CRemoteDlg::CRemoteDlg(tk::Dialog *owner)
    : tk::Dialog(res::mainWindowTemplate(), owner), m_icon(res::applicationIcon())
{
}

CRemoteDlg::~CRemoteDlg() = default;

void CRemoteDlg::setClient(std::unique_ptr<CVAIBO> client)
{
    m_robot = std::move(client);
}

void CRemoteDlg::setImageAllocator(robotlink::ImageBuffer::Allocator allocator)
{
    m_imageBuffer = std::make_unique<robotlink::ImageBuffer>(allocator);
}

const CRemoteDlg::Routes &CRemoteDlg::routes()
{
    using R = Routes;
    static const Routes table{
        R::sysCommand(&CRemoteDlg::onSysCommand),
        R::paint(&CRemoteDlg::onPaint),
        R::queryDragIcon(&CRemoteDlg::onQueryDragIcon),
        R::clicked(IDC_CONNECT, &CRemoteDlg::onConnectClicked),
        R::clicked(IDC_DISCONNECT, &CRemoteDlg::onDisconnectClicked),
        R::clicked(IDC_STAND, &CRemoteDlg::onStandClicked),
        R::clicked(IDC_SIT, &CRemoteDlg::onSitClicked),
        R::clicked(IDC_LIE_DOWN, &CRemoteDlg::onLieDownClicked),
        R::clicked(IDC_STOP, &CRemoteDlg::onStopClicked),
        R::clicked(IDOK, &CRemoteDlg::onOk),
        R::clicked(IDCANCEL, &CRemoteDlg::onCancel),
        R::registeredMessage(robotlink::kConnectMessageId, &CRemoteDlg::onVaiboConnect),
        R::registeredMessage(robotlink::kDisconnectMessageId, &CRemoteDlg::onVaiboDisconnect),
        R::registeredMessage(robotlink::kImageUpdateMessageId, &CRemoteDlg::onImageUpdate),
        R::clicked(IDC_HELP_BUTTON, &CRemoteDlg::onHelpClicked),
        R::notify(IDC_PAGE_TABS, TCN_SELCHANGE, &CRemoteDlg::onPageTabsSelChange),
        R::clicked(IDC_FORWARD, &CRemoteDlg::onForwardClicked),
        R::clicked(IDC_WALK_STOP, &CRemoteDlg::onWalkStopClicked),
        R::clicked(IDC_BACK, &CRemoteDlg::onBackClicked),
        R::clicked(IDC_RIGHT90, &CRemoteDlg::onRight90Clicked),
        R::clicked(IDC_LEFT90, &CRemoteDlg::onLeft90Clicked),
        R::clicked(IDC_RIGHT45, &CRemoteDlg::onRight45Clicked),
        R::clicked(IDC_LEFT45, &CRemoteDlg::onLeft45Clicked),
        R::clicked(IDC_RIGHT180, &CRemoteDlg::onRight180Clicked),
        R::clicked(IDC_LEFT180, &CRemoteDlg::onLeft180Clicked),
        R::clicked(IDC_LEFT_FRONT_KICK, &CRemoteDlg::onLeftFrontKickClicked),
        R::clicked(IDC_HEADING, &CRemoteDlg::onHeadingClicked),
        R::clicked(IDC_RIGHT_FRONT_KICK, &CRemoteDlg::onRightFrontKickClicked),
        R::command(IDC_CONTENT_LIST, LBN_DBLCLK, &CRemoteDlg::onContentListDblClk),
        R::hscroll(&CRemoteDlg::onHScroll),
        R::vscroll(&CRemoteDlg::onVScroll),
        R::timer(&CRemoteDlg::onTimer),
        R::clicked(IDC_RIGHT_BACK_KICK, &CRemoteDlg::onRightBackKickClicked),
        R::clicked(IDC_LEFT_BACK_KICK, &CRemoteDlg::onLeftBackKickClicked),
        R::clicked(IDC_GAS_ATTACK, &CRemoteDlg::onGasAttackClicked),
        R::clicked(IDC_BONE_GRAB, &CRemoteDlg::onBoneGrabClicked),
        R::clicked(IDC_BONE_PLAY, &CRemoteDlg::onBonePlayClicked),
    };
    return table;
}

bool CRemoteDlg::route(const tk::WindowEvent &event)
{
    return routes().dispatch(*this, event);
}

void CRemoteDlg::bindControls()
{
    m_addressBox = item<tk::IpAddressField>(IDC_ADDRESS);
    m_linkIndicator = item<tk::Edit>(IDC_LINK_INDICATOR);
    m_batteryFigure = item<tk::Edit>(IDC_BATTERY_FIGURE);
    m_statusLine = item<tk::Edit>(IDC_STATUS);
    m_connectButton = item<tk::PushButton>(IDC_CONNECT);
    m_disconnectButton = item<tk::PushButton>(IDC_DISCONNECT);
    m_imagePane = item<tk::StaticFrame>(IDC_IMAGE_PANE);
    m_pageTabs = item<tk::TabControl>(IDC_PAGE_TABS);
    // The walking page's buttons, as the template places them on it.
    for (const tk::ControlTemplate &control : dialogTemplate().controls) {
        if (control.page == res::kWalkingPage)
            m_walkingPageButtons.push_back(item<tk::PushButton>(control.id));
    }
    m_contentList = item<tk::ListBox>(IDC_CONTENT_LIST);
    m_listHint = item<tk::StaticText>(IDC_LIST_HINT);
    m_panSlider = item<tk::Trackbar>(IDC_PAN);
    m_tiltSlider = item<tk::Trackbar>(IDC_TILT);
    m_batteryBar = item<tk::ProgressBar>(IDC_BATTERY_BAR);
}

bool CRemoteDlg::onInitDialog()
{
    tk::Dialog::onInitDialog();
    bindControls();

    if (std::optional<tk::Menu> menu = systemMenu()) {
        const std::string text = res::loadString(IDS_ABOUTBOX);
        if (!text.empty()) {
            menu->appendSeparator();
            menu->appendItem(IDM_ABOUTBOX, text.c_str());
        }
    }

    setIcon(m_icon);

    if (!m_robot)
        m_robot = std::make_unique<CVAIBO>(handle());

    setUpAddressBox();
    loadAddressMemory();
    m_disconnectButton.setEnabled(false);
    m_linkIndicator.setText(res::kOffline);
    setUpPages();
    setUpSliders();
    m_batteryBar.setRange(0, 100);
    setTimer(kBatteryTimer, kBatteryPeriodMs);
    return true;
}

void CRemoteDlg::onSysCommand(UINT id, LPARAM lParam)
{
    if ((id & tk::kSysCommandMask) == IDM_ABOUTBOX)
        CVersionDlg::open(*this);
    else
        defaultProcessing({.kind = tk::EventKind::SysCommand, .id = static_cast<int>(id), .lParam = lParam});
}

void CRemoteDlg::onPaint()
{
    if (!isMinimized()) {
        defaultProcessing({.kind = tk::EventKind::Paint});
        return;
    }
    paintIcon(m_icon);
}

HICON CRemoteDlg::onQueryDragIcon()
{
    return m_icon;
}

void CRemoteDlg::onOk()
{
    // Enter outside a push button arrives here and must not close the window.
}

void CRemoteDlg::onCancel()
{
    endDialog(IDCANCEL);
}

void CRemoteDlg::onHelpClicked()
{
    CVersionDlg::open(*this);
}

void CRemoteDlg::setStatus(const char *text)
{
    m_statusLine.setText(text);
}
