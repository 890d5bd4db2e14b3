#pragma once

// Ids of the resources and of the controls code addresses.

// Icon 128, the application icon.
#define IDR_MAINFRAME 128

// String 101: the version item of the window menu.
#define IDS_ABOUTBOX 101
#define IDS_ABOUTBOX_TEXT "バージョン情報 Mirel(&A)..."
// Command id of that item.
#define IDM_ABOUTBOX 0x0010

// Main window controls.
#define IDC_ADDRESS 1000
#define IDC_CONNECT 1001
#define IDC_DISCONNECT 1002
#define IDC_STAND 1003
#define IDC_SIT 1004
#define IDC_LIE_DOWN 1005
#define IDC_LINK_INDICATOR 1006
#define IDC_BATTERY_FIGURE 1007
#define IDC_STATUS 1008
#define IDC_STOP 1013
#define IDC_IMAGE_PANE 1016
#define IDC_BONE_PLAY 1017
#define IDC_HELP_BUTTON 1019
#define IDC_BATTERY_BAR 1020
#define IDC_PAGE_TABS 1021
#define IDC_FORWARD 1022
#define IDC_WALK_STOP 1023
#define IDC_BACK 1024
#define IDC_RIGHT90 1025
#define IDC_LEFT90 1026
#define IDC_RIGHT45 1027
#define IDC_LEFT45 1028
#define IDC_RIGHT180 1029
#define IDC_LEFT180 1030
#define IDC_LEFT_FRONT_KICK 1031
#define IDC_HEADING 1032
#define IDC_RIGHT_FRONT_KICK 1033
#define IDC_CONTENT_LIST 1034
#define IDC_LIST_HINT 1035
#define IDC_PAN 1036
#define IDC_TILT 1037
#define IDC_RIGHT_BACK_KICK 1038
#define IDC_LEFT_BACK_KICK 1039
#define IDC_GAS_ATTACK 1040
#define IDC_BONE_GRAB 1041

// Version dialog controls.
#define IDC_HELP_TEXT 1006
