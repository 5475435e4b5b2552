// The preview library's own resources: its menu and its string table (English). Shared by the
// Windows resource script and the simulated machine's resource table.
#pragma once

#define NIRAPREV_MENU 20

#define NIRAPREV_TEXTS(X)                    \
    X(11, "zq preview")                      \
    X(16, "Save Page %d to Bitmap (%d dpi)") \
    X(17, "Image Files")

// The menu: File (print, cancel, save, exit) and View with its Zoom submenu.
#define NIRAPREV_FILE_ITEMS(ITEM, SEPARATOR) \
    ITEM("&Print to %s", 38)                 \
    ITEM("&Cancel Printing", 35)             \
    SEPARATOR()                              \
    ITEM("Save &As...", 36)                  \
    SEPARATOR()                              \
    ITEM("E&xit", 44)

#define NIRAPREV_ZOOM_ITEMS(ITEM) \
    ITEM("1000%", 23)             \
    ITEM("500%", 24)              \
    ITEM("250%", 25)              \
    ITEM("125%", 26)              \
    ITEM("100%", 27)              \
    ITEM("50%", 28)               \
    ITEM("25%", 29)               \
    ITEM("10%", 30)               \
    ITEM("Page Width", 31)        \
    ITEM("Whole Page", 32)        \
    ITEM("Two Pages", 33)
