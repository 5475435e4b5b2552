#include "nira/uiplugin/core/services/CoreServices.h"

#include "common/NiraStatus.h"
#include "nira/uiplugin/core/uicore/UICore.h"
#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"
#include <winspool.h>

namespace {

constexpr DWORD kPrinterNameChars = 260;

}  // namespace

CNiraCoreServices::CNiraCoreServices(CNiraUICore* owner) : m_owner(owner) {}

CNiraCoreServices::~CNiraCoreServices() = default;

CNiraUISettings* CNiraCoreServices::Settings() const
{
    CNiraUISettings* settings = nullptr;
    if (m_owner != nullptr) {
        m_owner->GetSettings(&settings);
    }
    return settings;
}

int CNiraCoreServices::CheckOwner(int callerId, int featureId, int* allowed)
{
    if (m_owner == nullptr || Settings() == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    FeatureBinding* binding = nullptr;
    m_owner->GetFeatureBinding(featureId, &binding);
    if (binding == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (allowed != nullptr) {
        *allowed = binding->classId == callerId || callerId == CLASS_SHORTCUTS ? 1 : 0;
    }
    return 0;
}

CNiraUISettings* CNiraCoreServices::GuardedSettings(int callerId, int featureId, int* status)
{
    int allowed = 0;
    int checked = CheckOwner(callerId, featureId, &allowed);
    if (checked != 0 || allowed != 1) {
        *status = NIRA_STATUS_FAILED;
        return nullptr;
    }
    return Settings();
}

int CNiraCoreServices::GetPrinterName(WCHAR** buffer)
{
    CNiraPrinterAccess* access = m_owner ? m_owner->GetPrinterAccess() : nullptr;
    if (buffer == nullptr || access == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    bool allocated = false;
    if (*buffer == nullptr) {
        *buffer = static_cast<WCHAR*>(LocalAlloc(LPTR, kPrinterNameChars * sizeof(WCHAR)));
        if (*buffer == nullptr) {
            return NIRA_STATUS_FAILED;
        }
        allocated = true;
    }
    (*buffer)[0] = 0;
    if (!access->GetPrinterName(*buffer, kPrinterNameChars) || (*buffer)[0] == 0) {
        if (allocated) {
            LocalFree(*buffer);
            *buffer = nullptr;
        }
        return NIRA_STATUS_FAILED;
    }
    return 0;
}

int CNiraCoreServices::GetPrinter(DWORD level, BYTE* buffer, DWORD cb, DWORD* needed)
{
    CNiraPrinterAccess* access = m_owner ? m_owner->GetPrinterAccess() : nullptr;
    if (access == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return ::GetPrinterW(access->GetHandle(), level, buffer, cb, needed) ? 0 : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::SetPrinter(DWORD level, BYTE* buffer, DWORD command)
{
    CNiraPrinterAccess* access = m_owner ? m_owner->GetPrinterAccess() : nullptr;
    if (access == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return ::SetPrinterW(access->GetHandle(), level, buffer, command) ? 0 : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::SendHandlerCommand(int sourceId, int targetId, int command, int* value, int* result)
{
    if (Settings() == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int classId = 0;
    INiraFeatureHandler* handler = nullptr;
    if (m_owner->GetFeatureClassId(targetId, &classId) == 0) {
        m_owner->GetHandler(classId, &handler);
    }
    if (handler == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return handler->OnCommand(sourceId, command, value, result);
}

HMODULE CNiraCoreServices::GetResourceModule()
{
    return m_owner ? m_owner->GetResourceModule() : nullptr;
}

int CNiraCoreServices::GetDefaultOption(int id, int* opt)
{
    CNiraUISettings* settings = Settings();
    return settings && settings->GetDefaultOption(id, opt) == 0 ? 0 : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetOptionByIndex(int index, int id, int* optionIndex, int* opt, WCHAR* name,
                                        int* bitmapId, int* iconId, int* state)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetOptionByIndex(index, id, optionIndex, opt, name, bitmapId, iconId, state)
                    : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::QueryFeatureState(int* id, int* state)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->QueryFeatureState(id, state) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetOptionCount(int id)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetOptionCount(id) : 0;
}

int CNiraCoreServices::BuildLinkedOptions(int id, int keepOption)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->BuildLinkedOptions(id, keepOption) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::RebuildLinkedOptions(int id)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->RebuildLinkedOptions(id) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetDisplayState(int id)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetDisplayState(id) : 0;
}

int CNiraCoreServices::GetOptionValue(int id, int opt, int* optionIndex)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetOptionValue(id, opt, optionIndex) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::FindOptionByValue(int id, int optionIndex, int* opt)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->FindOptionByValue(id, optionIndex, opt) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetOptionName(int id, int opt, WCHAR* name)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetOptionName(id, opt, name) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::FindSoftLinkTarget(int sourceId, int* found, int* targetId, int* isSecond)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->FindSoftLinkTarget(sourceId, found, targetId, isSecond) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::IsOptionAcceptable(int id, int opt, int* ok)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->IsOptionAcceptable(id, opt, ok) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::HasFeature(int id)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->HasFeature(id) : 0;
}

int CNiraCoreServices::HasOption(int id, int opt, int* found)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->HasOption(id, opt, found) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetLinkedOptionSource(int id, int opt, int* sourceId, int* sourceOpt)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetLinkedOptionSource(id, opt, sourceId, sourceOpt) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::FindLinkedOption(int id, int sourceId, int sourceOpt, int* opt, int* found)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->FindLinkedOption(id, sourceId, sourceOpt, opt, found) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetSoftLinks(int id, int* hasFirst, int* featureA, int* featureB, int* hasSecond)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetSoftLinks(id, hasFirst, featureA, featureB, hasSecond)
                    : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::AddLinkedOption(int id, int* newOpt, int sourceId, int sourceOpt)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->AddLinkedOption(id, newOpt, sourceId, sourceOpt) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::ClearLinkedOptions(int id)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->ClearLinkedOptions(id) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::IsFeatureLockRequested(int id)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->IsFeatureLockRequested(id) : 0;
}

int CNiraCoreServices::IsFeatureLocked(int id)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->IsFeatureLocked(id) : 0;
}

int CNiraCoreServices::SetFeatureLock(int id, int mode)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->SetFeatureLock(id, mode) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::IsUserSelected(int id, int* value)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->IsUserSelected(id, value) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetRangeMax(int id, int* value)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetRangeMax(id, value) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetRangeMin(int id, int* value)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetRangeMin(id, value) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetOptionState(int id, int opt, int* state)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->GetOptionState(id, opt, state) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::SetForceNotify(int value)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->SetForceNotify(value) : 0;
}

int CNiraCoreServices::IsValidFeatureId(int id, int* valid)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->IsValidFeatureId(id, valid) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::RemoveAllOptions(int id)
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->RemoveAllOptions(id) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::ClearOptionLimits()
{
    CNiraUISettings* settings = Settings();
    return settings ? settings->ClearOptionLimits() : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetOptionInfo(int id, int opt, OptionInfo* out)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return out ? settings->GetOptionInfo(id, opt, out) : 0;
}

int CNiraCoreServices::GetTreeViewOption(int id, int opt, TreeViewOptionRecord* out)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return out ? settings->GetTreeViewOption(id, opt, out) : 0;
}

int CNiraCoreServices::FindOptionByName(int id, WCHAR* name, int* opt)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return name ? settings->FindOptionByName(id, name, opt) : 0;
}

int CNiraCoreServices::FindFeature(int* id, FeatureEntry** entry)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return entry ? settings->FindFeature(id, entry) : 0;
}

// Without settings the outs read 0, so that a caller that ignores the status reads no garbage.
int CNiraCoreServices::GetValue(int id, int* opt, int* isSet)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        if (opt != nullptr) {
            *opt = 0;
        }
        if (isSet != nullptr) {
            *isSet = 0;
        }
        return 0;
    }
    return settings->GetCurrentOption(id, opt, isSet);
}

// Without settings the outs read 0, so that a caller that ignores the status reads no garbage.
int CNiraCoreServices::GetPreviousOption(int id, int* opt, int* isSet)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        if (opt != nullptr) {
            *opt = 0;
        }
        if (isSet != nullptr) {
            *isSet = 0;
        }
        return 0;
    }
    return settings->GetPreviousOption(id, opt, isSet);
}

// Without settings the outs read 0, so that a caller that ignores the status reads no garbage.
int CNiraCoreServices::IsAutoSelectedOption(int id, int opt, int* result)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        if (result != nullptr) {
            *result = 0;
        }
        return 0;
    }
    return settings->IsAutoSelectedOption(id, opt, result);
}

namespace {

// SetValue moves a feature even when its current option is still available.
constexpr int kNotifyAlways = 1;

}  // namespace

int CNiraCoreServices::SetDefaultOption(int callerId, int* id, int* opt)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id ? *id : 0, &status);
    return settings ? settings->SetDefaultOption(id, opt) : status;
}

int CNiraCoreServices::RemoveOption(int callerId, int* id, int* opt)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id ? *id : 0, &status);
    return settings ? settings->RemoveOption(id, opt) : status;
}

int CNiraCoreServices::RemoveTreeViewOption(int callerId, int* id, int* opt)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id ? *id : 0, &status);
    return settings ? settings->RemoveTreeViewOption(id, opt) : status;
}

int CNiraCoreServices::InsertOption(int callerId, int id, int beforeOpt, int opt, OptionInfo* info)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->InsertOption(id, beforeOpt, opt, info) : status;
}

int CNiraCoreServices::AddOption(int callerId, int id, int opt, OptionInfo* info)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->AddOption(id, opt, info) : status;
}

int CNiraCoreServices::SetOptionInfo(int callerId, int id, int opt, OptionInfo* info)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->SetOptionInfo(id, opt, info) : status;
}

int CNiraCoreServices::SetValue(int callerId, int* id, int* opt, int reason, int byUser, int clearUser,
                                int fromOwner)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id ? *id : 0, &status);
    return settings ? settings->SetCurrentOption(id, opt, reason, byUser, clearUser, kNotifyAlways, fromOwner)
                    : status;
}

int CNiraCoreServices::SetDisplayState(int callerId, int id, int state)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->SetDisplayState(id, state) : status;
}

int CNiraCoreServices::SetDefaultDisplayState(int callerId, int id, int state)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->SetDefaultDisplayState(id, state) : status;
}

int CNiraCoreServices::SetFeatureState(int callerId, int id, int state)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->SetFeatureState(id, state) : status;
}

int CNiraCoreServices::SetOptionState(int callerId, int id, int opt, int state)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->SetOptionState(id, opt, state, 0) : status;
}

int CNiraCoreServices::SetOptionAuxIds(int callerId, int id, int opt, int aux1, int aux2)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->SetOptionAuxIds(id, opt, aux1, aux2) : status;
}

int CNiraCoreServices::SetSoftLinks(int callerId, int id, int softLink, int featureA, int featureB)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->SetSoftLinks(id, softLink, featureA, featureB) : status;
}

int CNiraCoreServices::AddTreeViewOption(int callerId, int id, int opt, TreeViewOptionRecord* record)
{
    int status = 0;
    CNiraUISettings* settings = GuardedSettings(callerId, id, &status);
    return settings ? settings->AddTreeViewOption(id, opt, record) : status;
}

int CNiraCoreServices::ResetToDefaults(int id)
{
    if (m_owner == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int classId = 0;
    int status = m_owner->GetFeatureClassId(id, &classId);
    // Only the printing shortcuts put every other feature back to its defaults.
    if (status != 0 || classId != CLASS_SHORTCUTS) {
        return status;
    }
    CNiraUISettings* settings = Settings();
    return settings ? settings->ResetToDefaults(id) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::EnumerateOptions(int id, NiraOptionEnumCallback callback, void* userData)
{
    CNiraUISettings* settings = Settings();
    if (settings == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int count = settings->GetOptionCount(id);
    int status = 0;
    WCHAR displayName[kOptionTextLength];
    // Walk position 0 is the option added last, so counting down delivers them as added.
    for (int i = 0; i < count; ++i) {
        int optionIndex = 0;
        int option = 0;
        int bitmapId = 0;
        int iconId = 0;
        int state = 0;
        displayName[0] = 0;
        status = settings->GetOptionByIndex(count - 1 - i, id, &optionIndex, &option, displayName, &bitmapId,
                                            &iconId, &state);
        if (status == 0 && callback != nullptr) {
            status = callback(i, option, optionIndex, displayName, userData);
        }
    }
    return status;
}

int CNiraCoreServices::Reserved50(INT_PTR, INT_PTR, INT_PTR, INT_PTR)
{
    return 0;
}
int CNiraCoreServices::Reserved55(INT_PTR, INT_PTR)
{
    return 0;
}
int CNiraCoreServices::Reserved56(INT_PTR)
{
    return 0;
}

// Only the constraint services reach the handlers' constraint actions.
int CNiraCoreServices::ForwardConstraintAction(int, const char*, const char*, const char*)
{
    return NIRA_STATUS_FAILED;
}

int CNiraCoreServices::GetFeatureClassId(int id, int* classId)
{
    return m_owner ? m_owner->GetFeatureClassId(id, classId) : 0;
}

int CNiraCoreServices::ShowPopup(int messageId, WCHAR* containerName)
{
    return m_owner ? m_owner->ShowPopup(messageId, containerName) : NIRA_STATUS_FAILED;
}

int CNiraCoreServices::TrackSnapshotValue(int id, int opt)
{
    return m_owner ? m_owner->TrackSnapshotValue(id, opt) : NIRA_STATUS_FAILED;
}
