// niraevt's resources as the simulated machine reads a module's resources: the job dialogs'
// templates, built here as niraevt.rc describes them, and the warning pictures the build embeds.
#include <windows.h>
#include <nirasimres.h>

#include <vector>

#include "oemui/doceventdlg/DialogResources.h"
#include "tests/support/DialogTemplate.h"
#include "package/version/sim/NiraVersionInfo.h"

extern const NIRASIM_RESOURCE_ENTRY kNiraEvtBitmaps[];
extern const DWORD kNiraEvtBitmapsCount;

namespace {

using niratest::DialogTemplate;

constexpr WORD kNeutralLanguage = 0;
constexpr WORD kClassButton = niratest::kButtonClass;
constexpr WORD kClassStatic = niratest::kStaticClass;
constexpr WORD kClassEdit = niratest::kEditClass;

#define NIRAEVT_CONTROL(text, id, kind, style, x, y, cx, cy, exStyle) \
    dialog.Control(kClass##kind, static_cast<DWORD>(id), style, x, y, cx, cy, TEXT(text), exStyle);

struct Template {
    WORD id;
    std::vector<BYTE> bytes;
};

std::vector<Template> Templates()
{
    std::vector<Template> templates;
    {
        DialogTemplate dialog(NIRAEVT_DIALOG_STYLE | DS_CENTER | DS_SETFOREGROUND, NIRAEVT_DUPLEX_SIZE,
                              TEXT(""));
        NIRAEVT_DUPLEX_CONTROLS(NIRAEVT_CONTROL)
        templates.push_back({IDD_MANUAL_DUPLEX, dialog.Bytes()});
    }
    {
        DialogTemplate dialog(NIRAEVT_DIALOG_STYLE | DS_CENTER | DS_SETFOREGROUND, NIRAEVT_DUPLEX_SIZE,
                              TEXT(""), WS_EX_LAYOUTRTL);
        NIRAEVT_DUPLEX_CONTROLS(NIRAEVT_CONTROL)
        templates.push_back({IDD_MANUAL_DUPLEX_RTL, dialog.Bytes()});
    }
    {
        DialogTemplate dialog(NIRAEVT_DIALOG_STYLE, NIRAEVT_STORAGE_SIZE, TEXT(""));
        NIRAEVT_STORAGE_CONTROLS(NIRAEVT_CONTROL, SS_LEFT, 0)
        templates.push_back({IDD_JOB_STORAGE, dialog.Bytes()});
    }
    {
        DialogTemplate dialog(NIRAEVT_DIALOG_STYLE, NIRAEVT_STORAGE_SIZE, TEXT(""));
        NIRAEVT_STORAGE_CONTROLS(NIRAEVT_CONTROL, SS_CENTER, WS_EX_RTLREADING)
        templates.push_back({IDD_JOB_STORAGE_RTL, dialog.Bytes()});
    }
    for (WORD id : {IDD_JOB_WARNING, IDD_JOB_WARNING_RTL}) {
        DialogTemplate dialog(NIRAEVT_DIALOG_STYLE | DS_CENTER, NIRAEVT_WARNING_SIZE, TEXT(""));
        NIRAEVT_WARNING_CONTROLS(NIRAEVT_CONTROL)
        templates.push_back({id, dialog.Bytes()});
    }
    {
        DialogTemplate dialog(NIRAEVT_DIALOG_STYLE | DS_CENTER | DS_SETFOREGROUND, NIRAEVT_PICTURE_FORM_SIZE,
                              TEXT(""));
        NIRAEVT_PICTURE_FORM_CONTROLS(NIRAEVT_CONTROL)
        templates.push_back({IDD_JOB_WARNING_PICTURE, dialog.Bytes()});
    }
    return templates;
}

std::vector<NIRASIM_RESOURCE_ENTRY> Resources()
{
    static const std::vector<Template> templates = Templates();
    std::vector<NIRASIM_RESOURCE_ENTRY> entries(kNiraEvtBitmaps, kNiraEvtBitmaps + kNiraEvtBitmapsCount);
    for (const Template& dialog : templates) {
        entries.push_back({RT_DIALOG, MAKEINTRESOURCEW(dialog.id), kNeutralLanguage, dialog.bytes.data(),
                           static_cast<DWORD>(dialog.bytes.size())});
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
