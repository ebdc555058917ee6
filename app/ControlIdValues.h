/* The main window's control ids as plain numbers, for the resource compiler as well as C++
   (app/ControlIds.h gives them their names and types). */
#pragma once

#define ZT40_IDC_REPLACE_HEAD 5
#define ZT40_IDC_PRINTER_LIST 1000
#define ZT40_IDC_READJUST_PINS 1031
#define ZT40_IDC_CLEANING 1032
/* The radio buttons of pins 1..9: the group starts at 1036 and skips 1037 and 1039. */
#define ZT40_IDC_PIN1 1036
#define ZT40_IDC_PIN2 1038
#define ZT40_IDC_PIN3 1040
#define ZT40_IDC_PIN4 1041
#define ZT40_IDC_PIN5 1042
#define ZT40_IDC_PIN6 1043
#define ZT40_IDC_PIN7 1044
#define ZT40_IDC_PIN8 1045
#define ZT40_IDC_PIN9 1046
/* The hidden statics whose rectangles place the usage bars of pins 1..9. */
#define ZT40_IDC_MARKER1 1047
#define ZT40_IDC_MARKER2 1048
#define ZT40_IDC_MARKER3 1049
#define ZT40_IDC_MARKER4 1050
#define ZT40_IDC_MARKER5 1051
#define ZT40_IDC_MARKER6 1052
#define ZT40_IDC_MARKER7 1053
#define ZT40_IDC_MARKER8 1054
#define ZT40_IDC_MARKER9 1055
#define ZT40_IDC_APPLY_PIN_CHANGE 1056
#define ZT40_IDC_REFRESH 1057
#define ZT40_IDC_STATUS_LINE 1058
