/* The Windows edition's resource ids, for the resource compiler as well as C++. */
#pragma once

/* The program's icon, its only icon group: the one the shell shows for the file. */
#define ZT40_IDI_APP 1

#define ZT40_IDD_ABOUT 100
#define ZT40_IDD_MAIN 102
#define ZT40_IDD_WAIT 103

/* The window menu's own command, beside the logic's (system commands keep their low four bits
   clear). */
#define ZT40_IDM_HISTORY 0x0040

/* Main window controls the logic does not know by id. */
#define ZT40_IDC_APP_ICON 1100
#define ZT40_IDC_TITLE 1101
#define ZT40_IDC_STATUS_REASON 1102
#define ZT40_IDC_ETCHED_LINE 1103
#define ZT40_IDC_PIN_GROUP 1104
#define ZT40_IDC_PIN_HINT 1105
#define ZT40_IDC_AMOUNT_USED 1106
#define ZT40_IDC_RESTORE_OFFER 1107
#define ZT40_IDC_LAST_READ 1108

/* The About box and the wait window. */
#define ZT40_IDC_ABOUT_ICON 1110
#define ZT40_IDC_ABOUT_VERSION 1111
#define ZT40_IDC_ABOUT_NOTICE 1112
#define ZT40_IDC_WAIT_TEXT 1120
