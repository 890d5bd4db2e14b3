#pragma once

#include "link/imagebuffer.h"
#include "link/linkstate.h"
#include "toolkit/core/routetable.h"
#include "toolkit/window/controls.h"
#include "toolkit/window/dialog.h"

#include <memory>
#include <vector>

class CVAIBO;

/// The main window: owns the robot client, the link state, the image buffer
/// and every control, and handles each window event in a small method of
/// its own.
class CRemoteDlg : public tk::Dialog
{
public:
    explicit CRemoteDlg(tk::Dialog *owner = nullptr);
    ~CRemoteDlg() override;

    /// Uses this client instead of creating one at initialisation.
    void setClient(std::unique_ptr<CVAIBO> client);
    /// Where the image buffer gets its memory.
    void setImageAllocator(robotlink::ImageBuffer::Allocator allocator);

    robotlink::LinkState linkState() const { return m_linkState; }
    const robotlink::ImageBuffer &imageBuffer() const { return *m_imageBuffer; }

protected:
    bool onInitDialog() override;
    bool route(const tk::WindowEvent &event) override;

private:
    using Routes = tk::RouteTable<CRemoteDlg>;
    static constexpr UINT kBatteryTimer = 1;
    static const Routes &routes();

    // Window lifecycle
    void onSysCommand(UINT id, LPARAM lParam);
    void onPaint();
    HICON onQueryDragIcon();
    void onOk();
    void onCancel();
    void onHelpClicked();

    // Connection
    void setUpAddressBox();
    void loadAddressMemory();
    void onConnectClicked();
    void onDisconnectClicked();
    LRESULT onVaiboConnect(WPARAM wParam, LPARAM lParam);
    LRESULT onVaiboDisconnect(WPARAM wParam, LPARAM lParam);

    // Camera and battery
    void startImage();
    bool setUpImageTransport();
    LRESULT onImageUpdate(WPARAM wParam, LPARAM lParam);
    void onTimer(UINT id);

    // Command buttons
    void onStandClicked();
    void onSitClicked();
    void onLieDownClicked();
    void onStopClicked();
    void onForwardClicked();
    void onWalkStopClicked();
    void onBackClicked();
    void onRight90Clicked();
    void onLeft90Clicked();
    void onRight45Clicked();
    void onLeft45Clicked();
    void onRight180Clicked();
    void onLeft180Clicked();
    void onLeftFrontKickClicked();
    void onHeadingClicked();
    void onRightFrontKickClicked();
    void onRightBackKickClicked();
    void onLeftBackKickClicked();
    void onGasAttackClicked();
    void onBoneGrabClicked();
    void onBonePlayClicked();
    template <class... Params, class... Args>
    void sendCommand(const char *sentText, int (CVAIBO::*operation)(Params...), Args... args);
    void playBoneStep(int mwcid);

    // Head angle
    void setUpSliders();
    void onHScroll(int code, int position, HWND control);
    void onVScroll(int code, int position, HWND control);
    void sendHeadAngle();

    // Pages and content list
    void setUpPages();
    void onPageTabsSelChange(LRESULT *result);
    void showWalkingPage(bool show);
    void fillContentList();
    void onContentListDblClk();

    bool isOnline() const { return m_linkState == robotlink::LinkState::Online; }
    void setStatus(const char *text);
    void bindControls();

    HICON m_icon;
    std::unique_ptr<robotlink::ImageBuffer> m_imageBuffer = std::make_unique<robotlink::ImageBuffer>();
    tk::IpAddressField m_addressBox;
    std::unique_ptr<CVAIBO> m_robot;
    tk::Edit m_linkIndicator;
    tk::Edit m_batteryFigure;
    tk::Edit m_statusLine;
    robotlink::LinkState m_linkState = robotlink::LinkState::Offline;
    tk::PushButton m_connectButton;
    tk::PushButton m_disconnectButton;
    tk::StaticFrame m_imagePane;
    tk::TabControl m_pageTabs;
    std::vector<tk::PushButton> m_walkingPageButtons;
    tk::ListBox m_contentList;
    tk::StaticText m_listHint;
    tk::Trackbar m_panSlider;
    tk::Trackbar m_tiltSlider;
    tk::ProgressBar m_batteryBar;
};
