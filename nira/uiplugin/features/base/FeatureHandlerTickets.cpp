// The base handler's conversions between the settings and PrintTicket or PrintCapabilities: each
// feature served is read or written by its PrintTicket name and the names of its options.
#include "nira/uiplugin/features/base/FeatureHandler.h"

#include <cwchar>
#include <new>

#include "common/NiraStatus.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDGuard.h"
#include "printticket/XDConverterSteps.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

// Reason passed to SetValue for a value that came from a PrintTicket.
constexpr int kReasonPrintTicket = 2;

int FeatureIdOf(const CNiraPtrList::Node* node)
{
    return static_cast<int>(reinterpret_cast<INT_PTR>(node->value));
}

// The part of an option name after its first colon (the whole name without one).
LPCWSTR WithoutPrefix(LPCWSTR name)
{
    LPCWSTR colon = wcschr(name, TEXT(':'));
    return colon ? colon + 1 : name;
}

int StatusOf(HRESULT result)
{
    return SUCCEEDED(result) ? 0 : static_cast<int>(result);
}

}  // namespace

LPCWSTR CNiraFeatureHandler::FeaturePrintTicketName(int featureId)
{
    FeatureEntry* entry = nullptr;
    if (m_services->FindFeature(&featureId, &entry) != 0 || entry == nullptr ||
        entry->vocabulary == nullptr) {
        return nullptr;
    }
    return entry->vocabulary->vocabMap ? entry->vocabulary->vocabMap : TEXT("");
}

int CNiraFeatureHandler::OnOption(int, int optionId, int, WCHAR*, void* userData)
{
    auto* self = static_cast<CNiraFeatureHandler*>(userData);
    OptionInfo* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int status = self->m_services->GetOptionInfo(self->m_currentFeature, optionId, info);
    if (status == 0) {
        OptionTables& tables = *self->m_options;
        tables.namespaces.Add(CNiraString(info->vocabNamespace));
        tables.printTicketNames.Add(CNiraString(info->vocabMap));
        tables.displayNames.Add(CNiraString(info->displayName));
        tables.ids.Add(optionId);
    } else {
        status = NIRA_STATUS_FAILED;
    }
    LocalFree(info);
    return status;
}

void CNiraFeatureHandler::WalkOptions(int featureId)
{
    m_currentFeature = featureId;
    m_options.reset(new (std::nothrow) OptionTables);
    if (m_options) {
        m_services->EnumerateOptions(featureId, &CNiraFeatureHandler::OnOption, this);
    }
}

int CNiraFeatureHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    CXDPrintTicket ticket(printTicket);
    if (m_services == nullptr || m_features == nullptr) {
        return 0;
    }
    int status = 0;
    int remaining = m_features->GetCount();
    for (CNiraPtrList::Node* node = m_features->GetHead(); node && remaining > 0;
         node = node->next, --remaining) {
        int result = ReadFeatureFromTicket(ticket, FeatureIdOf(node));
        if (result != -1) {
            status = result;
        }
    }
    return status;
}

// -1 when the feature was skipped before any step that counts.
int CNiraFeatureHandler::ReadFeatureFromTicket(CXDPrintSchemaDocument& ticket, int featureId)
{
    m_currentFeature = featureId;
    LPCWSTR name = FeaturePrintTicketName(featureId);
    if (name == nullptr) {
        return -1;
    }
    int optionCount = m_services->GetOptionCount(featureId);
    WalkOptions(featureId);
    if (IsNoPrintTicketName(name) || !m_options) {
        return -1;
    }
    CXDBstr selected;
    HRESULT found = XDReadFeatureOption(ticket, name, selected);
    OptionTables& tables = *m_options;
    if (FAILED(found) || !selected.Get() || tables.namespaces.GetCount() == 0 ||
        tables.printTicketNames.GetCount() == 0 || tables.ids.GetCount() == 0) {
        return StatusOf(found);
    }
    LPCWSTR wanted = WithoutPrefix(selected.Get());
    for (int i = 0; i < optionCount && i < tables.printTicketNames.GetCount() && i < tables.ids.GetCount();
         ++i) {
        if (wcscmp(tables.printTicketNames.GetAt(i)->GetBuffer(), wanted) != 0) {
            continue;
        }
        int classId = 0;
        m_services->GetFeatureClassId(featureId, &classId);
        m_handlerId = classId;
        int option = *tables.ids.GetAt(i);
        return m_services->SetValue(m_handlerId, &featureId, &option, kReasonPrintTicket, 0, 0, 0);
    }
    return 0;
}

int CNiraFeatureHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    CXDPrintTicket ticket(printTicket);
    CXDComPtr<IXMLDOMNode> root;
    HRESULT result = XDSelectRoot(ticket, root);
    if (FAILED(result) || !root) {
        return FAILED(result) ? static_cast<int>(result) : NIRA_STATUS_FAILED;
    }
    int status = 0;
    if (m_services == nullptr || m_features == nullptr) {
        return status;
    }
    for (CNiraPtrList::Node* node = m_features->GetHead(); node; node = node->next) {
        // The first failure stays the answer: a later feature's success must not hide it.
        int written = WriteFeatureToTicket(ticket, root.Get(), FeatureIdOf(node));
        if (written != -1 && status == 0) {
            status = written;
        }
    }
    return status;
}

int CNiraFeatureHandler::WriteFeatureToTicket(CXDPrintSchemaDocument& ticket, IXMLDOMNode* root,
                                              int featureId)
{
    LPCWSTR name = FeaturePrintTicketName(featureId);
    int current = 0;
    int isSet = 0;
    m_services->GetValue(featureId, &current, &isSet);
    OptionInfo* info = static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
    if (info == nullptr) {
        return NIRA_STATUS_FAILED;  // the feature would be left out of the ticket
    }
    int status = -1;
    if (name != nullptr && m_services->GetOptionInfo(featureId, current, info) == 0 &&
        !IsNoPrintTicketName(name) && !IsNoPrintTicketName(info->vocabMap)) {
        // Removing first keeps one feature of the name: a write replaces, never duplicates.
        // Guarded here: a failure thrown inside must not pass by the option information's release.
        const HRESULT result = XDGuarded([&] {
            CXDComPtr<IXMLDOMElement> feature;
            CXDComPtr<IXMLDOMElement> option;
            const HRESULT replaced = XDReplaceFeatureOption(ticket, name, info->vocabMap, feature, option);
            return SUCCEEDED(replaced) ? XDAppendChild(root, feature.Get()) : replaced;
        });
        status = StatusOf(result);
    }
    LocalFree(info);
    return status;
}

int CNiraFeatureHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    CXDPrintCapabilities capabilities(printCapabilities);
    CXDComPtr<IXMLDOMNode> root;
    HRESULT result = XDSelectRoot(capabilities, root);
    if (FAILED(result) || !root) {
        return FAILED(result) ? static_cast<int>(result) : NIRA_STATUS_FAILED;
    }
    int status = 0;
    if (m_services == nullptr || m_features == nullptr) {
        return status;
    }
    int position = 0;
    for (CNiraPtrList::Node* node = m_features->GetHead(); node; node = node->next, ++position) {
        int written = WriteFeatureCapabilities(capabilities, root.Get(), FeatureIdOf(node), position);
        if (written != -1 && status == 0) {
            status = written;
        }
    }
    return status;
}

int CNiraFeatureHandler::WriteFeatureCapabilities(CXDPrintCapabilities& capabilities, IXMLDOMNode* root,
                                                  int featureId, int position)
{
    m_currentFeature = featureId;
    FeatureEntry* entry = nullptr;
    if (m_services->FindFeature(&featureId, &entry) != 0 || entry == nullptr ||
        entry->vocabulary == nullptr) {
        return -1;
    }
    LPCWSTR name = entry->vocabulary->vocabMap ? entry->vocabulary->vocabMap : TEXT("");
    if (IsNoPrintTicketName(name)) {
        return -1;
    }
    int optionCount = m_services->GetOptionCount(featureId);
    WalkOptions(featureId);
    if (!m_options) {
        return -1;
    }
    OptionTables& tables = *m_options;
    if (tables.printTicketNames.GetCount() == 0 || tables.displayNames.GetCount() == 0 ||
        tables.ids.GetCount() == 0) {
        return -1;
    }
    // The entry at the feature's position in the list is tested against "0" only where one
    // exists; a handler with more features than options has none to test.
    CNiraString* positional = tables.printTicketNames.GetAt(position);
    if (positional != nullptr && IsNoPrintTicketName(positional->GetBuffer())) {
        return -1;
    }
    CXDComPtr<IXMLDOMNode> existing;
    HRESULT result = capabilities.GetFeatureElement(name, &existing);
    CXDComPtr<IXMLDOMElement> added;
    IXMLDOMNode* feature = existing.Get();
    if (FAILED(result) || feature == nullptr) {
        result = capabilities.AddFeature(name, name, &added);
        feature = added.Get();
        if (FAILED(result) || feature == nullptr) {
            return StatusOf(result);
        }
    }
    int defaultOption = entry->record ? entry->record->defaultOption : 0;
    int count = optionCount;
    for (int i = 0; i < count && i < tables.printTicketNames.GetCount() && i < tables.ids.GetCount() &&
                    i < tables.displayNames.GetCount();
         ++i) {
        LPCWSTR optionName = tables.printTicketNames.GetAt(i)->GetBuffer();
        if (IsNoPrintTicketName(optionName)) {
            continue;
        }
        int identity = *tables.ids.GetAt(i) == defaultOption ? 1 : 0;
        CXDComPtr<IXMLDOMElement> option;
        HRESULT made =
            capabilities.AddOption(optionName, tables.displayNames.GetAt(i)->GetBuffer(), identity, &option);
        if (FAILED(made) || !option) {
            // Without its properties the option still goes in, by its name alone.
            made = capabilities.AddOption(optionName, nullptr, 0, &option);
            if (FAILED(made) || !option) {
                continue;
            }
        }
        XDAppendChild(feature, option.Get());
    }
    result = XDAppendChild(root, feature);
    return StatusOf(result);
}
