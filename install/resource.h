// Resource ids of the setup program.
#pragma once

#define IDD_ABOUT 103
#define IDS_APP_TITLE 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDI_SETUP 107
#define IDI_SETUP_SMALL 108
#define IDS_MAIN_CLASS 109
#define IDM_MAIN 109
#define IDA_MAIN 109
#define IDS_APPLET_FILE 110
#define IDD_WELCOME 129
#define IDB_SIDE 130
#define IDD_PORT 131
#define IDD_PROGRESS 132
#define IDB_LOGO 133

#define IDC_PORT_LIST 1000
#define IDC_PREVIOUS 1001
#define IDC_NEXT 1002
#define IDC_FINISH 1003
#define IDC_LINE_DEVICE 1004
#define IDC_LINE_FILES 1005
#define IDC_LINE_SHORTCUTS 1006
