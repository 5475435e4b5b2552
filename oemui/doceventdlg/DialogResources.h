// niraevt's dialog templates and their controls. niraevt.rc and C++ both read this file, so it
// holds plain #defines only.
#ifndef NIRAEVT_DIALOG_RESOURCES_H
#define NIRAEVT_DIALOG_RESOURCES_H

#define IDD_MANUAL_DUPLEX 101
#define IDD_JOB_STORAGE 102
#define IDD_JOB_STORAGE_RTL 103
#define IDD_MANUAL_DUPLEX_RTL 104
#define IDD_JOB_WARNING 261
#define IDD_JOB_WARNING_RTL 263
#define IDD_JOB_WARNING_PICTURE 264

/* Job storage */
#define IDC_STORAGE_LINE1 1014
#define IDC_STORAGE_LINE2 1015
#define IDC_STORAGE_LINE3 1016
#define IDC_STORAGE_DONT_SHOW 1017
#define IDC_STORAGE_USER_LABEL 1018
#define IDC_STORAGE_JOB_LABEL 1019
#define IDC_STORAGE_HELP 1020
#define IDC_STORAGE_HEADER 1024
#define IDC_STORAGE_USER 1025
#define IDC_STORAGE_JOB 1026

/* Manual two-sided printing */
#define IDC_DUPLEX_STEP2_FRAME 1000
#define IDC_DUPLEX_HEADING 1001
#define IDC_DUPLEX_STEP1_TEXT 1002
#define IDC_DUPLEX_STEP2_TEXT 1003
#define IDC_DUPLEX_STEP3_TEXT 1004
#define IDC_DUPLEX_STEP1_PICTURE 1005
#define IDC_DUPLEX_STEP2_PICTURE 1006
#define IDC_DUPLEX_STEP3_FRAME 1007
#define IDC_DUPLEX_STEP3_PICTURE 1008
#define IDC_DUPLEX_STEP1_FRAME 1009
#define IDC_DUPLEX_STEP1_NUMBER 1021
#define IDC_DUPLEX_STEP2_NUMBER 1022
#define IDC_DUPLEX_STEP3_NUMBER 1023

/* Job warning */
#define IDC_WARNING_THIRD 285
#define IDC_WARNING_DONT_SHOW 475
#define IDC_WARNING_PICTURE_AREA 476
#define IDC_WARNING_MESSAGE 1033
#define IDC_WARNING_PICTURE_FRAME 1034
#define IDC_WARNING_PICTURE_OK 1035

/* The pictures a job warning may show (JobWarningRequest.bitmapId) */
#define IDB_WARNING_ATTENTION 300
#define IDB_WARNING_POSTCARD 301

/* The templates' controls, one CONTROL(text, id, kind, style, x, y, cx, cy, exStyle) each, in
   dialog units; kind is Button, Static or Edit. The right-to-left twins differ as the macros'
   arguments say. */
#define NIRAEVT_DIALOG_STYLE (DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU)
#define NIRAEVT_NO_ID (-1)

#define NIRAEVT_STORAGE_SIZE 200, 130
#define NIRAEVT_STORAGE_CONTROLS(CONTROL, LINE_STYLE, EDIT_EX_STYLE)                                        \
    CONTROL("", NIRAEVT_NO_ID, Button, BS_GROUPBOX, 3, 1, 194, 53, 0)                                       \
    CONTROL("", IDC_STORAGE_HEADER, Edit, ES_READONLY | ES_AUTOHSCROLL | LINE_STYLE, 5, 9, 190, 12,         \
            EDIT_EX_STYLE)                                                                                  \
    CONTROL("", IDC_STORAGE_LINE1, Static, LINE_STYLE, 23, 22, 162, 8, 0)                                   \
    CONTROL("", IDC_STORAGE_LINE2, Static, LINE_STYLE, 23, 33, 162, 8, 0)                                   \
    CONTROL("", IDC_STORAGE_LINE3, Static, LINE_STYLE, 23, 42, 162, 8, 0)                                   \
    CONTROL("", NIRAEVT_NO_ID, Button, BS_GROUPBOX, 3, 55, 194, 40, 0)                                      \
    CONTROL("", IDC_STORAGE_USER_LABEL, Static, SS_LEFT, 16, 64, 56, 8, 0)                                  \
    CONTROL("", IDC_STORAGE_USER, Edit, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 75, 64, 100, \
            12, EDIT_EX_STYLE)                                                                              \
    CONTROL("", IDC_STORAGE_JOB_LABEL, Static, SS_LEFT, 16, 78, 56, 8, 0)                                   \
    CONTROL("", IDC_STORAGE_JOB, Edit, ES_READONLY | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 75, 78, 100,  \
            12, EDIT_EX_STYLE)                                                                              \
    CONTROL("", IDC_STORAGE_DONT_SHOW, Button, BS_AUTOCHECKBOX | WS_TABSTOP, 6, 99, 188, 8, 0)              \
    CONTROL("", IDOK, Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 87, 111, 50, 14, 0)                            \
    CONTROL("", IDC_STORAGE_HELP, Button, BS_PUSHBUTTON | WS_TABSTOP, 143, 111, 50, 14, 0)

#define NIRAEVT_DUPLEX_SIZE 382, 241
#define NIRAEVT_DUPLEX_CONTROLS(CONTROL)                                                       \
    CONTROL("", IDC_DUPLEX_HEADING, Static, SS_CENTER | SS_SUNKEN, 14, 20, 345, 28, 0)         \
    CONTROL("", IDC_DUPLEX_STEP1_FRAME, Button, BS_GROUPBOX, 14, 62, 112, 158, 0)              \
    CONTROL("", IDC_DUPLEX_STEP1_NUMBER, Static, SS_LEFT, 18, 72, 8, 10, 0)                    \
    CONTROL("", IDC_DUPLEX_STEP1_TEXT, Static, SS_LEFT, 29, 72, 85, 65, 0)                     \
    CONTROL("", IDC_DUPLEX_STEP1_PICTURE, Static, SS_LEFT | WS_DISABLED, 18, 152, 105, 62, 0)  \
    CONTROL("", IDC_DUPLEX_STEP2_FRAME, Button, BS_GROUPBOX, 131, 62, 119, 158, 0)             \
    CONTROL("", IDC_DUPLEX_STEP2_NUMBER, Static, SS_LEFT, 135, 72, 8, 10, 0)                   \
    CONTROL("", IDC_DUPLEX_STEP2_TEXT, Static, SS_LEFT, 146, 70, 100, 76, 0)                   \
    CONTROL("", IDC_DUPLEX_STEP2_PICTURE, Static, SS_LEFT | WS_DISABLED, 138, 152, 105, 62, 0) \
    CONTROL("", IDC_DUPLEX_STEP3_FRAME, Button, BS_GROUPBOX, 256, 62, 112, 158, 0)             \
    CONTROL("", IDC_DUPLEX_STEP3_NUMBER, Static, SS_LEFT, 261, 72, 8, 10, 0)                   \
    CONTROL("", IDC_DUPLEX_STEP3_TEXT, Static, SS_LEFT, 275, 72, 85, 65, 0)                    \
    CONTROL("", IDC_DUPLEX_STEP3_PICTURE, Static, SS_LEFT | WS_DISABLED, 259, 152, 105, 62, 0) \
    CONTROL("", IDOK, Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 313, 223, 50, 14, 0)

#define NIRAEVT_WARNING_SIZE 306, 86
#define NIRAEVT_WARNING_CONTROLS(CONTROL)                                                       \
    CONTROL("", IDC_WARNING_THIRD, Button, BS_PUSHBUTTON | WS_TABSTOP, 244, 62, 50, 14, 0)      \
    CONTROL("", IDC_WARNING_DONT_SHOW, Button, BS_AUTOCHECKBOX | WS_TABSTOP, 34, 49, 238, 9, 0) \
    CONTROL("", IDC_WARNING_PICTURE_AREA, Static, SS_LEFT, 15, 9, 33, 26, 0)                    \
    CONTROL("", IDC_WARNING_MESSAGE, Static, SS_LEFT, 14, 11, 280, 30, 0)                       \
    CONTROL("", IDCANCEL, Button, BS_PUSHBUTTON | WS_TABSTOP, 162, 62, 61, 14, 0)               \
    CONTROL("", IDOK, Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 93, 62, 50, 14, 0)

#define NIRAEVT_PICTURE_FORM_SIZE 331, 196
#define NIRAEVT_PICTURE_FORM_CONTROLS(CONTROL)                                                      \
    CONTROL("", IDC_WARNING_DONT_SHOW, Button, BS_AUTOCHECKBOX | WS_TABSTOP, 37, 168, 175, 9, 0)    \
    CONTROL("", IDC_WARNING_MESSAGE, Static, SS_LEFT, 17, 15, 295, 22, 0)                           \
    CONTROL("", IDC_WARNING_PICTURE_OK, Button, BS_DEFPUSHBUTTON | WS_TABSTOP, 236, 166, 48, 14, 0) \
    CONTROL("Static", IDC_WARNING_PICTURE_FRAME, Button, BS_GROUPBOX, 30, 44, 295, 107, 0)

#endif
