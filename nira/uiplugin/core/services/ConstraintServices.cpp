#include "nira/uiplugin/core/services/ConstraintServices.h"

#include "common/NiraStatus.h"
#include "common/NiraStringDll.h"
#include "nira/uiplugin/core/uicore/ComponentKeys.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include <winuser.h>

namespace {

constexpr DWORD kMessageTextChars = 260;

}  // namespace

CNiraConstraintServices::CNiraConstraintServices(CNiraUICore* core) : CNiraCoreServices(core), m_core(core) {}

CNiraConstraintServices::~CNiraConstraintServices() = default;

int CNiraConstraintServices::ForwardConstraintAction(int id, const char* data1, const char* data2,
                                                     const char* data3)
{
    return m_core ? m_core->ForwardConstraintAction(id, data1, data2, data3) : NIRA_STATUS_FAILED;
}

int CNiraConstraintServices::ShowPopup(int messageId, WCHAR* containerName)
{
    if (m_core == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int initializing = 0;
    m_core->GetSheetInitializing(&initializing);
    if (initializing != 0) {
        return 0;
    }
    return m_core->ShowPopup(messageId, containerName);
}

int CNiraConstraintServices::Reserved66(INT_PTR)
{
    return 0;
}
int CNiraConstraintServices::Reserved67(INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
int CNiraConstraintServices::Reserved68(INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
int CNiraConstraintServices::Reserved69(INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
int CNiraConstraintServices::Reserved70(INT_PTR, INT_PTR)
{
    return 0;
}
int CNiraConstraintServices::Reserved71(INT_PTR, INT_PTR)
{
    return 0;
}
int CNiraConstraintServices::Reserved72(INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
int CNiraConstraintServices::Reserved75()
{
    return 0;
}
int CNiraConstraintServices::Reserved76(INT_PTR)
{
    return NIRA_STATUS_FAILED;
}

int CNiraConstraintServices::GetSettings(CNiraUISettings** out)
{
    if (out == nullptr || m_core == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return m_core->GetSettings(out);
}

int CNiraConstraintServices::ShowMessageBox(int captionStringId, int textStringId)
{
    CNiraPrinterAccess* access = m_core ? m_core->GetPrinterAccess() : nullptr;
    if (m_core == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
    if (access == nullptr || !access->GetComponentPath(kStringDllKey, path)) {
        return NIRA_STATUS_FAILED;
    }
    CNiraStringDll* strings = AcquireStringDll(path);
    if (strings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    WCHAR text[kMessageTextChars] = {};
    WCHAR caption[kMessageTextChars] = {};
    UINT textId = static_cast<UINT>(textStringId);
    UINT captionId = static_cast<UINT>(captionStringId);
    strings->GetString(&textId, text, kMessageTextChars, nullptr);
    strings->GetString(&captionId, caption, kMessageTextChars, nullptr);
    MessageBoxW(nullptr, text, caption, MB_OK);
    ReleaseStringDll();
    return 0;
}

int CNiraConstraintServices::ForwardConstraintMessage(int id, const char* data1, const char* data2,
                                                      const char* data3, int* show)
{
    return m_core ? m_core->ForwardConstraintMessage(id, data1, data2, data3, show) : NIRA_STATUS_FAILED;
}

int CNiraConstraintServices::IsSettingsRestored()
{
    return m_core ? m_core->GetRestoreFlag() : 1;
}
