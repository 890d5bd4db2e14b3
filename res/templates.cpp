#include "res/templates.h"

#include "res/resource.h"

#include <array>

namespace res {

namespace {

using tk::ControlKind;
using tk::ControlTemplate;
using tk::kAllPages;
using tk::kNoId;
namespace ws = tk::style;
namespace ex = tk::exstyle;

constexpr std::uint32_t kChild = ws::Child | ws::Visible;
constexpr std::uint32_t kButton = kChild | ws::TabStop;
constexpr std::uint32_t kLabel = kChild | ws::SsLeft | ws::Group;
constexpr std::uint32_t kFrame = kChild | ws::SsBlackFrame;
constexpr std::uint32_t kReadOnlyEdit = kChild | ws::EsReadOnly | ws::EsAutoHScroll | ws::Border | ws::TabStop;
constexpr std::uint32_t kSlider = kChild | ws::TbsBoth | ws::TbsNoTicks | ws::TabStop;

constexpr std::array kMainWindowControls = {
    ControlTemplate{IDCANCEL, ControlKind::PushButton, "終了", 375, 22, 50, 16, kButton, 0, kAllPages},
    ControlTemplate{IDC_ADDRESS, ControlKind::IpAddress, "", 30, 57, 77, 11, kChild | ws::TabStop, 0, kAllPages},
    ControlTemplate{IDC_CONNECT, ControlKind::PushButton, "接続", 117, 54, 35, 15, kButton, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Label, "Korvan (for AIBO MIND 2)", 175, 26, 84, 8, kLabel, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Frame, "", 167, 19, 102, 22, kFrame, ex::ClientEdge, kAllPages},
    ControlTemplate{IDC_DISCONNECT, ControlKind::PushButton, "切断", 161, 54, 33, 15, kButton, 0, kAllPages},
    ControlTemplate{IDC_STAND, ControlKind::PushButton, "立つ", 30, 132, 35, 18, kButton, 0, kAllPages},
    ControlTemplate{IDC_SIT, ControlKind::PushButton, "座る", 73, 132, 35, 18, kButton, 0, kAllPages},
    ControlTemplate{IDC_LIE_DOWN, ControlKind::PushButton, "伏せる", 117, 132, 35, 17, kButton, 0, kAllPages},
    ControlTemplate{IDC_LINK_INDICATOR, ControlKind::Edit, "", 30, 79, 32, 12, kReadOnlyEdit | ws::EsLeft, 0, kAllPages},
    ControlTemplate{IDC_STATUS, ControlKind::Edit, "", 72, 79, 122, 12, kReadOnlyEdit | ws::EsLeft, 0, kAllPages},
    ControlTemplate{IDC_STOP, ControlKind::PushButton, "停止", 159, 132, 36, 17, kButton, 0, kAllPages},
    ControlTemplate{IDC_IMAGE_PANE, ControlKind::Frame, "", 237, 60, 190, 164, kFrame | ws::Border, ex::ClientEdge, kAllPages},
    ControlTemplate{kNoId, ControlKind::Label, "アイボIPアドレス", 49, 46, 43, 8, kLabel, 0, kAllPages},
    ControlTemplate{IDC_BATTERY_BAR, ControlKind::ProgressBar, "", 30, 110, 132, 11, kChild | ws::Border, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Label, "残りエネルギー", 83, 99, 40, 8, kLabel, 0, kAllPages},
    ControlTemplate{IDC_BATTERY_FIGURE, ControlKind::Edit, "", 167, 109, 16, 12, kReadOnlyEdit | ws::EsCenter, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Frame, "", 216, 56, 1, 254, kFrame, ex::ClientEdge | ex::DlgModalFrame, kAllPages},
    ControlTemplate{IDC_PAGE_TABS, ControlKind::TabControl, "", 30, 160, 165, 147, kChild, 0, kAllPages},
    ControlTemplate{IDC_HELP_BUTTON, ControlKind::PushButton, "ヘルプ", 315, 22, 50, 16, kButton, 0, kAllPages},
    ControlTemplate{IDC_FORWARD, ControlKind::PushButton, "前進", 92, 212, 40, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_WALK_STOP, ControlKind::PushButton, "停止", 92, 234, 40, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_BACK, ControlKind::PushButton, "後退", 92, 256, 40, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_RIGHT90, ControlKind::PushButton, "右90°", 141, 234, 39, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_LEFT90, ControlKind::PushButton, "左90°", 44, 234, 38, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_RIGHT45, ControlKind::PushButton, "右45°", 141, 212, 39, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_LEFT45, ControlKind::PushButton, "左45°", 44, 212, 38, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_RIGHT180, ControlKind::PushButton, "右180°", 141, 256, 39, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_LEFT180, ControlKind::PushButton, "左180°", 44, 256, 38, 16, kButton, 0, kWalkingPage},
    ControlTemplate{kNoId, ControlKind::Label, "%", 189, 111, 8, 8, kLabel, 0, kAllPages},
    ControlTemplate{IDC_LEFT_FRONT_KICK, ControlKind::PushButton, "左前キック", 44, 189, 38, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_HEADING, ControlKind::PushButton, "ヘディング", 92, 189, 39, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_RIGHT_FRONT_KICK, ControlKind::PushButton, "右前キック", 141, 189, 38, 16, kButton, 0, kWalkingPage},
    ControlTemplate{kNoId, ControlKind::Frame, "", 6, 7, 442, 326, kFrame, ex::ClientEdge, kAllPages},
    ControlTemplate{IDC_CONTENT_LIST, ControlKind::ListBox, "", 39, 190, 147, 103,
                    kChild | ws::LbsNotify | ws::LbsSort | ws::LbsNoIntegralHeight | ws::Border | ws::VScroll
                        | ws::HScroll | ws::TabStop,
                    0, kMwcidPage},
    ControlTemplate{IDC_LIST_HINT, ControlKind::Label, "ダブルクリックで実行", 85, 178, 54, 8, kLabel, 0, kMwcidPage},
    ControlTemplate{IDC_PAN, ControlKind::Slider, "", 243, 267, 48, 19, kSlider | ws::TbsHorz, ex::ClientEdge, kAllPages},
    ControlTemplate{IDC_TILT, ControlKind::Slider, "", 295, 250, 17, 49, kSlider | ws::TbsVert, ex::ClientEdge, kAllPages},
    ControlTemplate{kNoId, ControlKind::GroupBox, "頭角度", 237, 239, 87, 68, kChild, ex::DlgModalFrame, kAllPages},
    ControlTemplate{kNoId, ControlKind::Label, "左右", 261, 256, 15, 8, kLabel, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Label, "上下", 313, 265, 8, 22, kLabel, 0, kAllPages},
    ControlTemplate{IDC_RIGHT_BACK_KICK, ControlKind::PushButton, "右後キック", 141, 278, 38, 15, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_LEFT_BACK_KICK, ControlKind::PushButton, "左後キック", 44, 278, 38, 16, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_GAS_ATTACK, ControlKind::PushButton, "ガス攻撃", 92, 278, 40, 15, kButton, 0, kWalkingPage},
    ControlTemplate{IDC_BONE_GRAB, ControlKind::PushButton, "ピンク骨銜える", 334, 266, 90, 17, kButton, 0, kAllPages},
    ControlTemplate{IDC_BONE_PLAY, ControlKind::PushButton, "ピンク骨遊び", 334, 288, 91, 17, kButton, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Label, "手前にピンク骨を置いて", 348, 244, 64, 8, kLabel, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Label, "↓", 376, 253, 8, 8, kLabel, 0, kAllPages},
};

constexpr std::array kVersionDialogControls = {
    ControlTemplate{kNoId, ControlKind::Label, "Korvan (for AIBO MIND 2) Version 1.00", 71, 17, 123, 8,
                    kLabel | ws::SsNoPrefix, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Label, "(C) 2026 Korvan 開発チーム", 45, 173, 99, 8, kLabel, 0, kAllPages},
    ControlTemplate{IDOK, ControlKind::PushButton, "OK", 167, 170, 50, 16,
                    kButton | ws::BsDefPushButton | ws::Group, 0, kAllPages},
    ControlTemplate{kNoId, ControlKind::Frame, "", 7, 7, 253, 190, kFrame, ex::StaticEdge, kAllPages},
    ControlTemplate{IDC_HELP_TEXT, ControlKind::Edit, "", 16, 33, 235, 130,
                    kChild | ws::EsLeft | ws::EsMultiline | ws::EsReadOnly | ws::Border | ws::VScroll | ws::TabStop,
                    ex::ClientEdge, kAllPages},
};

constexpr const char *kDialogFont = "MS UI Gothic";

} // namespace

const tk::DialogTemplate &mainWindowTemplate()
{
    static const tk::DialogTemplate dialog{
        kMainWindowTemplate, "Korvan", 0, 0, 455, 340, kDialogFont, 9,
        ws::Popup | ws::Caption | ws::SysMenu | ws::MinimizeBox | ws::DsModalFrame | ws::DsSetFont | ws::Visible,
        ex::AppWindow, kMainWindowControls};
    return dialog;
}

const tk::DialogTemplate &versionDialogTemplate()
{
    static const tk::DialogTemplate dialog{
        kVersionDialogTemplate, "Korvan バージョン情報", 0, 0, 267, 204, kDialogFont, 9,
        ws::Popup | ws::Caption | ws::SysMenu | ws::DsModalFrame | ws::DsSetFont, 0, kVersionDialogControls};
    return dialog;
}

} // namespace res
