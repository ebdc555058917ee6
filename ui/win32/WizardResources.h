/* The wizard pages' dialog templates and the controls on them, shared by the resource script and
   the code that fills the controls in. The ids the page logic knows are checked against its own
   at compile time (WizardSheetHost.cpp). Plain C preprocessor: windres reads it too. */
#pragma once

/* Dialog templates, one per page. */
#define IDD_MOVE_HEAD 129
#define IDD_POWER_OFF 130
#define IDD_REPLACE_HEAD 131
#define IDD_POWER_ON 132
#define IDD_ADJUST_PIN 133
#define IDD_INPUT_VALUE 134
#define IDD_ORIGIN_PIN 148
#define IDD_POWER_AGAIN 163
#define IDD_HEAD_INSTALL 166

/* Controls the page logic names. */
#define IDC_MOVE_HEAD 1002
#define IDC_START_PRINTING 1006
#define IDC_PRINT_LETTERS 1007
#define IDC_SET 1016
#define IDC_SET_NOTE 1045
#define IDC_START_ADJUSTMENT 1031
#define IDC_FIRST_PIN_RADIO 1032
#define IDC_PIN_COMBO 1060
#define IDC_PIN_LABEL 1061
#define IDC_LETTERS_HINT 1062
#define IDC_BAR_1 1027
#define IDC_BAR_2 1029
#define IDC_BAR_3 1030
#define IDC_BAR_4 1031
#define IDC_BAR_5 1032
#define IDC_BAR_6 1033
#define IDC_BAR_7 1034
#define IDC_BAR_8 1035
#define IDC_BAR_9 1036
#define IDC_VALUE_1 1028
#define IDC_VALUE_2 1037
#define IDC_VALUE_3 1038
#define IDC_VALUE_4 1039
#define IDC_VALUE_5 1040
#define IDC_VALUE_6 1041
#define IDC_VALUE_7 1042
#define IDC_VALUE_8 1043
#define IDC_VALUE_9 1044

/* Controls only the window has: texts without an id of their own, the pictures, the step line. */
#define IDC_TEXT_1 1201
#define IDC_TEXT_2 1202
#define IDC_TEXT_3 1203
#define IDC_PIN_GROUP 1204
#define IDC_ROW_LABEL_1 1211 /* ... 1219: "[1]" ... "[9]" */
#define IDC_STEP 1299
#define IDC_PICTURE_1 1301
#define IDC_PICTURE_2 1302
