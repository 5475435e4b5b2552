/* The dialog templates of the printing preferences' and printer properties' pages and of the
   conflict pop-up. A template's id is its window id in the layout databases; its right-to-left
   twin (the RTLWindowID) has the same controls with a mirrored layout. Each page is a list of
   controls, C(id, class, style, x, y, cx, cy, text), that nirares.rc and the simulated machine's
   resource table both expand; a control id is the widget's ControlID in the layout database,
   NIRARES_LABEL a plain label no widget drives. Plain macros only: the resource compiler reads
   this file too. */
#ifndef NIRARES_PAGE_DIALOGS_H
#define NIRARES_PAGE_DIALOGS_H

#define NIRARES_LABEL (-1)
#define NIRARES_PAGE_WIDTH 252
#define NIRARES_PAGE_HEIGHT 218
#define NIRARES_POPUP_WIDTH 230
#define NIRARES_POPUP_HEIGHT 132
#define NIRARES_RTL_OFFSET 1000

#define NIRARES_COMBO_STYLE (CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP)
#define NIRARES_CHECK_STYLE (BS_AUTOCHECKBOX | WS_TABSTOP)
#define NIRARES_PUSH_STYLE (BS_PUSHBUTTON | WS_TABSTOP)
#define NIRARES_PICTURE_STYLE (SS_OWNERDRAW)
#define NIRARES_TRACK_STYLE (TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP)

/* 301 Printing Shortcuts */
#define NIRARES_PAGE_301(C)                                                                  \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 7, 115, 8, "Printing shortcuts:")                   \
    C(30101, LISTBOX, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 7, 17, 115, 133, "") \
    C(30103, BUTTON, NIRARES_PUSH_STYLE, 7, 154, 115, 14, "Restore defaults")                \
    C(30104, BUTTON, NIRARES_PUSH_STYLE, 7, 172, 55, 14, "Delete")                           \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 130, 7, 115, 8, "Paper sizes:")                        \
    C(30105, COMBOBOX, NIRARES_COMBO_STYLE, 130, 17, 115, 100, "")                           \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 130, 35, 115, 8, "Paper type:")                        \
    C(30106, COMBOBOX, NIRARES_COMBO_STYLE, 130, 45, 115, 100, "")                           \
    C(30107, BUTTON, NIRARES_CHECK_STYLE, 130, 63, 115, 10, "Print on both sides")           \
    C(30102, STATIC, NIRARES_PICTURE_STYLE, 130, 80, 115, 105, "")

/* 302 Paper/Quality */
#define NIRARES_PAGE_302(C)                                                       \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 7, 115, 8, "Paper sizes:")               \
    C(30201, COMBOBOX, NIRARES_COMBO_STYLE, 7, 17, 115, 100, "")                  \
    C(30202, BUTTON, NIRARES_PUSH_STYLE, 7, 35, 55, 14, "Custom...")              \
    C(30207, STATIC, SS_LEFT, 67, 38, 55, 8, "")                                  \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 55, 115, 8, "Paper source:")             \
    C(30203, COMBOBOX, NIRARES_COMBO_STYLE, 7, 65, 115, 100, "")                  \
    C(14258, STATIC, SS_LEFT, 7, 83, 115, 8, "Paper type:")                       \
    C(30204, COMBOBOX, NIRARES_COMBO_STYLE, 7, 93, 115, 100, "")                  \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 111, 115, 8, "Print quality:")           \
    C(30205, COMBOBOX, NIRARES_COMBO_STYLE, 7, 121, 115, 100, "")                 \
    C(30206, BUTTON, NIRARES_CHECK_STYLE, 7, 140, 115, 10, "Borderless printing") \
    C(30208, STATIC, NIRARES_PICTURE_STYLE, 130, 17, 115, 120, "")

/* 303 Finishing */
#define NIRARES_PAGE_303(C)                                                                    \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 7, 115, 8, "Print on both sides:")                    \
    C(30301, COMBOBOX, NIRARES_COMBO_STYLE, 7, 17, 115, 100, "")                               \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 35, 115, 8, "Flip pages:")                            \
    C(30302, COMBOBOX, NIRARES_COMBO_STYLE, 7, 45, 115, 100, "")                               \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 63, 115, 8, "Booklet layout:")                        \
    C(30303, COMBOBOX, NIRARES_COMBO_STYLE, 7, 73, 115, 100, "")                               \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 91, 115, 8, "Pages per sheet:")                       \
    C(30304, COMBOBOX, NIRARES_COMBO_STYLE, 7, 101, 115, 100, "")                              \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 119, 115, 8, "Page order:")                           \
    C(30305, COMBOBOX, NIRARES_COMBO_STYLE, 7, 129, 115, 100, "")                              \
    C(NIRARES_LABEL, BUTTON, BS_GROUPBOX, 130, 7, 115, 36, "Orientation")                      \
    C(30306, BUTTON, BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 137, 18, 100, 10, "Portrait") \
    C(30307, BUTTON, BS_AUTORADIOBUTTON, 137, 29, 100, 10, "Landscape")                        \
    C(30308, BUTTON, NIRARES_CHECK_STYLE, 130, 47, 115, 10, "Rotate by 180 degrees")           \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 130, 63, 115, 8, "Poster:")                              \
    C(30309, COMBOBOX, NIRARES_COMBO_STYLE, 130, 73, 115, 100, "")                             \
    C(30310, STATIC, NIRARES_PICTURE_STYLE, 130, 91, 115, 105, "")

/* 304 Color */
#define NIRARES_PAGE_304(C)                                                \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 7, 115, 8, "Print in grayscale:") \
    C(30401, COMBOBOX, NIRARES_COMBO_STYLE, 7, 17, 115, 100, "")           \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 35, 115, 8, "Grayscale options:") \
    C(30402, COMBOBOX, NIRARES_COMBO_STYLE, 7, 45, 115, 100, "")           \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 63, 115, 8, "Brightness")         \
    C(30403, TRACKBAR, NIRARES_TRACK_STYLE, 7, 73, 115, 15, "")            \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 91, 115, 8, "Saturation")         \
    C(30404, TRACKBAR, NIRARES_TRACK_STYLE, 7, 101, 115, 15, "")           \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 119, 115, 8, "Color tone")        \
    C(30405, TRACKBAR, NIRARES_TRACK_STYLE, 7, 129, 115, 15, "")           \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 150, 115, 8, "Color profile:")    \
    C(30406, COMBOBOX, NIRARES_COMBO_STYLE, 7, 160, 115, 100, "")          \
    C(30407, STATIC, NIRARES_PICTURE_STYLE, 130, 17, 115, 100, "")

/* 305 Advanced */
#define NIRARES_PAGE_305(C)                                                                \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 9, 40, 8, "Copies:")                              \
    C(30501, EDIT, ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 50, 7, 40, 12, "") \
    C(30502, BUTTON, NIRARES_CHECK_STYLE, 7, 25, 115, 10, "Collate")                       \
    C(30503, BUTTON, NIRARES_CHECK_STYLE, 7, 38, 115, 10, "Reverse order")                 \
    C(30504, BUTTON, NIRARES_CHECK_STYLE, 7, 51, 115, 10, "Mirror image")                  \
    C(30505, BUTTON, NIRARES_CHECK_STYLE, 7, 64, 115, 10, "Print all text as black")       \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 80, 115, 8, "Ink volume:")                        \
    C(30506, COMBOBOX, NIRARES_COMBO_STYLE, 7, 90, 115, 100, "")                           \
    C(30507, BUTTON, NIRARES_CHECK_STYLE, 7, 108, 115, 10, "Maximum dpi")                  \
    C(30508, BUTTON, NIRARES_PUSH_STYLE, 7, 124, 70, 14, "Restore Defaults")

/* 306 Services */
#define NIRARES_PAGE_306(C)                                                    \
    C(30601, BUTTON, NIRARES_PUSH_STYLE, 7, 7, 115, 14, "Support information") \
    C(30602, BUTTON, NIRARES_PUSH_STYLE, 7, 25, 115, 14, "Calibrate")          \
    C(30603, STATIC, SS_LEFT, 7, 45, 238, 40, "")                              \
    C(30604, BUTTON, NIRARES_PUSH_STYLE, 7, 90, 50, 14, "Help")

/* 501 Device Settings */
#define NIRARES_PAGE_501(C)                                                       \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 7, 115, 8, "Tray 2:")                    \
    C(50101, COMBOBOX, NIRARES_COMBO_STYLE, 7, 17, 115, 100, "")                  \
    C(NIRARES_LABEL, STATIC, SS_LEFT, 7, 35, 115, 8, "Duplex unit:")              \
    C(50102, COMBOBOX, NIRARES_COMBO_STYLE, 7, 45, 115, 100, "")                  \
    C(50103, BUTTON, NIRARES_CHECK_STYLE, 7, 63, 160, 10, "Show pop-up messages") \
    C(50104, BUTTON, NIRARES_CHECK_STYLE, 7, 76, 160, 10, "Application profiles")

/* 216 Feature unavailable: the heading, three conflicts (name, ":", option, a spare line), the
   line on what was restored, the icon and OK. */
#define NIRARES_POPUP_216(C)                       \
    C(21602, STATIC, SS_BITMAP, 7, 7, 16, 16, "")  \
    C(21610, STATIC, SS_LEFT, 30, 7, 193, 16, "")  \
    C(21620, STATIC, SS_LEFT, 30, 27, 90, 8, "")   \
    C(21621, STATIC, SS_LEFT, 120, 27, 6, 8, "")   \
    C(21622, STATIC, SS_LEFT, 128, 27, 95, 8, "")  \
    C(21624, STATIC, SS_LEFT, 30, 39, 90, 8, "")   \
    C(21625, STATIC, SS_LEFT, 120, 39, 6, 8, "")   \
    C(21626, STATIC, SS_LEFT, 128, 39, 95, 8, "")  \
    C(21628, STATIC, SS_LEFT, 30, 51, 90, 8, "")   \
    C(21629, STATIC, SS_LEFT, 120, 51, 6, 8, "")   \
    C(21630, STATIC, SS_LEFT, 128, 51, 95, 8, "")  \
    C(21611, STATIC, SS_LEFT, 30, 67, 193, 40, "") \
    C(21603, BUTTON, BS_DEFPUSHBUTTON | WS_TABSTOP, 173, 111, 50, 14, "OK")

#define NIRARES_PAGES(P) P(301) P(302) P(303) P(304) P(305) P(306) P(501)

#endif
