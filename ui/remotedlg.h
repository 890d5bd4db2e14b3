#pragma once

#include "link/imagebuffer.h"
#include "link/linkstate.h"
#include "toolkit/widgets/dialog.h"
#include "toolkit/widgets/routetable.h"

#include <QIcon>

#include <memory>
#include <vector>

class CVAIBO;

namespace tk {
class Edit;
class IpAddressField;
class ListBox;
class ProgressBar;
class PushButton;
class StaticFrame;
class StaticText;
class TabControl;
class Trackbar;
} // namespace tk

/// The main window: owns the robot client, the link state, the image buffer
/// and every control, and handles each window event in a small method of
/// its own.
class CRemoteDlg : public tk::Dialog
{
    Q_OBJECT

public:
    explicit CRemoteDlg(QWidget *parent = nullptr);
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
    QIcon onQueryDragIcon();
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
    void onHScroll(int code, int position, QWidget *control);
    void onVScroll(int code, int position, QWidget *control);
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

    QIcon m_icon;
    std::unique_ptr<robotlink::ImageBuffer> m_imageBuffer = std::make_unique<robotlink::ImageBuffer>();
    tk::IpAddressField *m_addressBox = nullptr;
    std::unique_ptr<CVAIBO> m_robot;
    tk::Edit *m_linkIndicator = nullptr;
    tk::Edit *m_batteryFigure = nullptr;
    tk::Edit *m_statusLine = nullptr;
    robotlink::LinkState m_linkState = robotlink::LinkState::Offline;
    tk::PushButton *m_connectButton = nullptr;
    tk::PushButton *m_disconnectButton = nullptr;
    tk::StaticFrame *m_imagePane = nullptr;
    tk::TabControl *m_pageTabs = nullptr;
    std::vector<tk::PushButton *> m_walkingPageButtons;
    tk::ListBox *m_contentList = nullptr;
    tk::StaticText *m_listHint = nullptr;
    tk::Trackbar *m_panSlider = nullptr;
    tk::Trackbar *m_tiltSlider = nullptr;
    tk::ProgressBar *m_batteryBar = nullptr;
};
