// The resources of nirares as the simulated machine reads a module's resources: the bitmaps the
// build embeds from the package's bitmap files, the widgets dialog, and the pages of the property
// sheets and the conflict pop-up with their right-to-left twins, built here as nirares.rc
// describes them.
#include <windows.h>
#include <commctrl.h>
#include <nirasimres.h>

#include <vector>

#include "package/nirares/PageDialogs.h"
#include "package/nirares/WidgetsDialog.h"
#include "tests/support/DialogTemplate.h"
#include "package/version/sim/NiraVersionInfo.h"

extern const NIRASIM_RESOURCE_ENTRY kNiraResBitmaps[];
extern const DWORD kNiraResBitmapsCount;

namespace {

using niratest::DialogTemplate;

constexpr DWORD kDialogStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kPageStyle = DS_CONTROL | WS_CHILD | WS_CAPTION;
constexpr WORD kNeutralLanguage = 0;

#define NIRARES_SIM_CLASS_STATIC niratest::kStaticClass
#define NIRARES_SIM_CLASS_BUTTON niratest::kButtonClass
#define NIRARES_SIM_CLASS_COMBOBOX niratest::kComboBoxClass
#define NIRARES_SIM_CLASS_LISTBOX niratest::kListBoxClass
#define NIRARES_SIM_CLASS_EDIT niratest::kEditClass
#define NIRARES_SIM_CLASS_TRACKBAR TEXT("msctls_trackbar32")
#define NIRARES_SIM_CONTROL(id, cls, style, x, y, cx, cy, text) \
    .Control(NIRARES_SIM_CLASS_##cls, static_cast<DWORD>(id), style, x, y, cx, cy, TEXT(text))

// A window of PageDialogs.h: its controls added to a template.
struct WindowControls {
    int id;
    void (*add)(DialogTemplate& dialog);
};

#define NIRARES_SIM_PAGE(id) \
    {id, [](DialogTemplate& dialog) { dialog NIRARES_PAGE_##id(NIRARES_SIM_CONTROL); }},
const WindowControls kPages[] = {NIRARES_PAGES(NIRARES_SIM_PAGE)};
const WindowControls kPopup = {216,
                               [](DialogTemplate& dialog) { dialog NIRARES_POPUP_216(NIRARES_SIM_CONTROL); }};

// A window's template, and its right-to-left twin under the twin's id.
void AddWindow(std::vector<std::vector<BYTE>>& templates, std::vector<int>& ids, const WindowControls& window,
               DWORD style, short cx, short cy)
{
    for (DWORD exStyle : {DWORD{0}, DWORD{WS_EX_LAYOUTRTL}}) {
        DialogTemplate dialog(style, cx, cy, TEXT(""), exStyle);
        window.add(dialog);
        templates.push_back(dialog.Bytes());
        ids.push_back(exStyle == 0 ? window.id : window.id + NIRARES_RTL_OFFSET);
    }
}

std::vector<BYTE> WidgetsDialog()
{
    DialogTemplate dialog(kDialogStyle, 330, 212, TEXT("Widgets"));
    dialog.Control(niratest::kStaticClass, IDC_WIDGETS_LABEL, SS_LEFT, 7, 7, 140, 8, TEXT("Paper size"))
        .Control(niratest::kComboBoxClass, IDC_WIDGETS_COMBO, CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 7,
                 17, 140, 120)
        .Control(niratest::kListBoxClass, IDC_WIDGETS_LIST, LBS_NOTIFY | WS_BORDER | WS_VSCROLL | WS_TABSTOP,
                 7, 35, 140, 44)
        .Control(niratest::kComboBoxClass, IDC_WIDGETS_DRAWN_COMBO,
                 CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | WS_VSCROLL | WS_TABSTOP, 7, 84, 140,
                 120)
        .Control(niratest::kListBoxClass, IDC_WIDGETS_DRAWN_LIST,
                 LBS_NOTIFY | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | WS_BORDER | WS_VSCROLL | WS_TABSTOP, 7,
                 102, 140, 62)
        .Control(niratest::kButtonClass, IDC_WIDGETS_CHECK, BS_AUTOCHECKBOX | WS_TABSTOP, 7, 168, 140, 10,
                 TEXT("Borderless"))
        .Control(niratest::kButtonClass, IDC_WIDGETS_ORIENTATION, BS_GROUPBOX, 7, 181, 140, 24,
                 TEXT("Orientation"))
        .Control(niratest::kButtonClass, IDC_WIDGETS_PORTRAIT, BS_AUTORADIOBUTTON | WS_GROUP, 14, 191, 60, 10,
                 TEXT("Portrait"))
        .Control(niratest::kButtonClass, IDC_WIDGETS_LANDSCAPE, BS_AUTORADIOBUTTON, 80, 191, 60, 10,
                 TEXT("Landscape"))
        .Control(niratest::kEditClass, IDC_WIDGETS_COPIES,
                 ES_NUMBER | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 160, 7, 40, 12)
        .Control(TEXT("msctls_updown32"), IDC_WIDGETS_COPIES_SPIN,
                 UDS_AUTOBUDDY | UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 200, 7, 10, 12)
        .Control(TEXT("msctls_trackbar32"), IDC_WIDGETS_BRIGHTNESS, TBS_HORZ | TBS_AUTOTICKS | WS_TABSTOP,
                 160, 24, 160, 15)
        .Control(niratest::kScrollBarClass, IDC_WIDGETS_CONTRAST, SBS_HORZ, 160, 43, 160, 10)
        .Control(niratest::kButtonClass, IDC_WIDGETS_CUSTOM_SIZE, BS_PUSHBUTTON | WS_TABSTOP, 160, 57, 70, 14,
                 TEXT("Custom size"))
        .Control(niratest::kStaticClass, IDC_WIDGETS_BINDING, SS_OWNERDRAW, 240, 57, 16, 16)
        .Control(niratest::kButtonClass, IDC_WIDGETS_SHEET, BS_OWNERDRAW, 160, 80, 160, 125);
    return dialog.Bytes();
}

std::vector<NIRASIM_RESOURCE_ENTRY> Resources()
{
    static const std::vector<BYTE> widgets = WidgetsDialog();
    static std::vector<std::vector<BYTE>> windows;
    static std::vector<int> windowIds;
    if (windows.empty()) {
        for (const WindowControls& page : kPages) {
            AddWindow(windows, windowIds, page, kPageStyle, NIRARES_PAGE_WIDTH, NIRARES_PAGE_HEIGHT);
        }
        AddWindow(windows, windowIds, kPopup, kDialogStyle, NIRARES_POPUP_WIDTH, NIRARES_POPUP_HEIGHT);
    }
    std::vector<NIRASIM_RESOURCE_ENTRY> entries(kNiraResBitmaps, kNiraResBitmaps + kNiraResBitmapsCount);
    entries.push_back({RT_DIALOG, MAKEINTRESOURCEW(IDD_WIDGETS), kNeutralLanguage, widgets.data(),
                       static_cast<DWORD>(widgets.size())});
    for (size_t i = 0; i < windows.size(); ++i) {
        entries.push_back({RT_DIALOG, MAKEINTRESOURCEW(windowIds[i]), kNeutralLanguage, windows[i].data(),
                           static_cast<DWORD>(windows[i].size())});
    }
    return entries;
}

}  // namespace

extern "C" __declspec(dllexport) const NIRASIM_RESOURCE_TABLE* WINAPI NiraSimGetResources(void)
{
    static const std::vector<NIRASIM_RESOURCE_ENTRY> entries = Resources();
    static const NIRASIM_RESOURCE_TABLE resources = {
        NIRASIM_RESOURCE_TABLE_VERSION,     nullptr,          0, entries.data(),
        static_cast<DWORD>(entries.size()), NiraVersionInfo()};
    return &resources;
}
