#pragma once

#include <cstdint>
#include <span>

namespace tk {

/// Whether a style word has the flag set.
constexpr bool hasFlag(std::uint32_t flags, std::uint32_t flag)
{
    return (flags & flag) != 0;
}

// Style flags, with the values Win32 gives them, so a template reads as its
// resource script does.
namespace style {
constexpr std::uint32_t Popup = 0x80000000;
constexpr std::uint32_t Child = 0x40000000;
constexpr std::uint32_t Visible = 0x10000000;
constexpr std::uint32_t Disabled = 0x08000000;
constexpr std::uint32_t Caption = 0x00C00000;
constexpr std::uint32_t Border = 0x00800000;
constexpr std::uint32_t VScroll = 0x00200000;
constexpr std::uint32_t HScroll = 0x00100000;
constexpr std::uint32_t SysMenu = 0x00080000;
constexpr std::uint32_t Group = 0x00020000;
constexpr std::uint32_t TabStop = 0x00010000;
constexpr std::uint32_t MinimizeBox = 0x00020000; // on a top-level window

constexpr std::uint32_t DsSetFont = 0x0040;
constexpr std::uint32_t DsModalFrame = 0x0080;

constexpr std::uint32_t BsDefPushButton = 0x0001;

constexpr std::uint32_t EsLeft = 0x0000;
constexpr std::uint32_t EsCenter = 0x0001;
constexpr std::uint32_t EsMultiline = 0x0004;
constexpr std::uint32_t EsAutoHScroll = 0x0080;
constexpr std::uint32_t EsReadOnly = 0x0800;

constexpr std::uint32_t SsLeft = 0x0000;
constexpr std::uint32_t SsBlackFrame = 0x0007;
constexpr std::uint32_t SsNoPrefix = 0x0080;

constexpr std::uint32_t LbsNotify = 0x0001;
constexpr std::uint32_t LbsSort = 0x0002;
constexpr std::uint32_t LbsNoIntegralHeight = 0x0100;

constexpr std::uint32_t TbsHorz = 0x0000;
constexpr std::uint32_t TbsVert = 0x0002;
constexpr std::uint32_t TbsBoth = 0x0008;
constexpr std::uint32_t TbsNoTicks = 0x0010;

} // namespace style

namespace exstyle {
constexpr std::uint32_t DlgModalFrame = 0x00000001;
constexpr std::uint32_t ClientEdge = 0x00000200;
constexpr std::uint32_t StaticEdge = 0x00020000;
constexpr std::uint32_t AppWindow = 0x00040000;
} // namespace exstyle

/// Control id of a control that code never addresses.
constexpr int kNoId = -1;
/// Page of a control that shows on every page.
constexpr int kAllPages = -1;

enum class ControlKind {
    PushButton,
    IpAddress,
    Label,
    Frame,
    Edit,
    ProgressBar,
    TabControl,
    ListBox,
    Slider,
    GroupBox,
};

/// One control of a window template; the rectangle is in dialog units.
struct ControlTemplate
{
    int id;
    ControlKind kind;
    const char *caption; // UTF-8, exact; empty for none
    int x, y, cx, cy;
    std::uint32_t style;
    std::uint32_t exStyle;
    int page;
};

/// A whole window template: frame, font and controls in creation order.
struct DialogTemplate
{
    int id;
    const char *title;
    int x, y, cx, cy;
    const char *fontFace;
    int pointSize;
    std::uint32_t style;
    std::uint32_t exStyle;
    std::span<const ControlTemplate> controls;
};

} // namespace tk
