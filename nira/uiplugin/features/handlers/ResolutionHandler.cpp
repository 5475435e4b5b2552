#include "nira/uiplugin/features/handlers/ResolutionHandler.h"

#include <cstdio>
#include <cstdlib>

#include "common/NiraStatus.h"
#include "nira/uiplugin/features/base/ConverterTables.h"
#include "nira/uiplugin/features/base/OptionList.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"
#include "printticket/XDConverterSteps.h"
#include "printticket/XDGuard.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDResolutionFeature.h"

namespace {

// Options 1, 2, 3 of the feature are the converter's entries 0, 1, 2 (300, 600, 1200 dpi).
constexpr int kOptionCount = CXDResolutionFeature::kOptionCount;
constexpr CXDResolutionValues kPreset = {1, 600, 600};
constexpr size_t kQueryChars = 128;
constexpr int kLargestOptionNumber = 9999;  // written with at most 4 digits
constexpr int kOptionStateUnavailableHere = kOptionStateUnavailable;

CXDResolutionValues ValuesOfOption(int option)
{
    if (option < 1 || option > kOptionCount) {
        return kPreset;
    }
    int index = option - 1;
    return {index, CXDResolutionFeature::OptionResolution(index),
            CXDResolutionFeature::OptionResolution(index)};
}

}  // namespace

CNiraResolutionHandler::CNiraResolutionHandler() : m_converter(new CXDResolutionFeature) {}

CNiraResolutionHandler::~CNiraResolutionHandler() = default;

int CNiraResolutionHandler::Attach(INiraCoreServices* services, int handlerId, INiraFeatureDatabase* database)
{
    CNiraFeatureHandler::Attach(services, handlerId, database);
    m_database = database;
    m_lastResolution = 0;
    m_qualities.RemoveAll();
    return 0;
}

HRESULT CNiraResolutionHandler::OnDocumentEvent(HANDLE, HDC, INT, ULONG, PVOID, ULONG, PVOID, PINT,
                                                DEVMODEW* devMode)
{
    if (devMode != nullptr) {
        SyncPrintQuality(devMode->dmPrintQuality);
    }
    return 0;
}

int CNiraResolutionHandler::OnPublicDevMode(DEVMODEW* publicDevMode)
{
    return publicDevMode != nullptr ? SyncPrintQuality(publicDevMode->dmPrintQuality) : NIRA_STATUS_FAILED;
}

HRESULT CNiraResolutionHandler::DeviceCapabilities(HANDLE, PWSTR, WORD capability, PVOID output, DEVMODEW*,
                                                   PVOID, DWORD, DWORD* result, int* handled)
{
    if (capability != DC_ENUMRESOLUTIONS || m_services == nullptr) {
        return E_FAIL;
    }
    int count = m_services->GetOptionCount(FEATURE_RESOLUTION);
    *result = static_cast<DWORD>(count);
    if (output == nullptr) {
        *handled = 1;
        return 0;
    }
    OptionList resolutions;
    if (count <= 0 ||
        !CollectOptions(*m_services, FEATURE_RESOLUTION, static_cast<size_t>(count), 1, resolutions)) {
        return E_FAIL;
    }
    auto* pairs = static_cast<LONG*>(output);
    for (size_t i = 0; i < resolutions.count; ++i) {
        pairs[2 * i] = resolutions.values[i];
        pairs[2 * i + 1] = resolutions.values[i];
    }
    *handled = 1;
    return 0;
}

int CNiraResolutionHandler::ReadPrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr || m_services == nullptr) {
        return 0;
    }
    CXDResolutionValues values = kPreset;
    XDGuarded([&] {
        CXDPrintTicket ticket(printTicket);
        return m_converter->ReadPrintTicket(ticket, &values);
    });
    int option = values.index >= 0 && values.index < kOptionCount ? values.index + 1 : 0;
    int feature = FEATURE_RESOLUTION;
    m_services->SetValue(CLASS_RESOLUTION, &feature, &option, kReasonByHandler, 0, 0, 0);
    return 0;
}

int CNiraResolutionHandler::WritePrintTicket(IXMLDOMDocument2* printTicket)
{
    if (printTicket == nullptr || m_services == nullptr) {
        return E_FAIL;
    }
    int option = 0;
    int isSet = 0;
    m_services->GetValue(FEATURE_RESOLUTION, &option, &isSet);
    CXDResolutionValues values = ValuesOfOption(option);
    return XDGuarded([&] {
        CXDPrintTicket ticket(printTicket);
        return m_converter->WritePrintTicket(ticket, &values);
    });
}

void CNiraResolutionHandler::FillConverterTables()
{
    LPCWSTR name = FeaturePrintTicketName(FEATURE_RESOLUTION);
    if (name == nullptr || IsNoPrintTicketName(name)) {
        return;
    }
    m_converter->feature.name = name;
    m_converter->feature.listed = 1;
    m_converter->feature.displayId = 0;
    m_converter->feature.value = 1;
    m_converter->feature.flag = 0;
    ConverterOptionTable table = {m_services, FEATURE_RESOLUTION, m_converter->options, kOptionCount, 0};
    AppendConverterOptions(table);
    m_optionCount = table.count;
}

int CNiraResolutionHandler::WritePrintCapabilities(IXMLDOMDocument2*, IXMLDOMDocument2* printCapabilities)
{
    if (printCapabilities == nullptr || m_services == nullptr) {
        return 0;
    }
    XDGuarded([&] {
        FillConverterTables();
        CXDPrintCapabilities capabilities(printCapabilities, m_converter.get());
        return m_converter->WritePrintCapabilities(capabilities);
    });
    return 0;
}

int CNiraResolutionHandler::OnQualityRow(void* argument, int columns, char** values, char**)
{
    auto* list = static_cast<CNiraPtrList*>(argument);
    if (columns > 0 && values != nullptr && values[0] != nullptr) {
        list->AddHead(reinterpret_cast<void*>(static_cast<INT_PTR>(std::atoi(values[0]))));
    }
    return 0;
}

void CNiraResolutionHandler::LoadQualityList(int resolutionOption)
{
    if (m_database == nullptr || m_database->SetMode(FEATURE_RESOLUTION) != 0 || resolutionOption < 0 ||
        resolutionOption > kLargestOptionNumber) {
        return;
    }
    char query[kQueryChars];
    auto counted = [](void*, int, char**, char**) { return 0; };
    std::snprintf(query, sizeof(query),
                  "SELECT COUNT(ResolutionOptionID) FROM FDT%u WHERE ResolutionOptionID=\"%u\"",
                  static_cast<unsigned>(FEATURE_RESOLUTION), static_cast<unsigned>(resolutionOption));
    m_database->SetCallback(counted, nullptr);
    m_database->Execute(query);
    std::snprintf(query, sizeof(query),
                  "SELECT PrintQualityOptionID FROM FDT%u WHERE ResolutionOptionID=\"%u\"",
                  static_cast<unsigned>(FEATURE_RESOLUTION), static_cast<unsigned>(resolutionOption));
    m_database->SetCallback(&OnQualityRow, &m_qualities);
    m_database->Execute(query);
}

bool CNiraResolutionHandler::QualityListed(int quality) const
{
    for (CNiraPtrList::Node* node = m_qualities.GetHead(); node != nullptr; node = node->next) {
        if (static_cast<int>(reinterpret_cast<INT_PTR>(node->value)) == quality) {
            return true;
        }
    }
    return false;
}

int CNiraResolutionHandler::SyncPrintQuality(int dpi)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    int resolution = 0;
    int status = m_services->FindOptionByValue(FEATURE_RESOLUTION, dpi, &resolution);
    m_lastResolution = resolution;
    LoadQualityList(resolution);
    if (m_qualities.GetCount() == 0) {
        return status;
    }
    int current = 0;
    int isSet = 0;
    m_services->GetValue(FEATURE_PRINT_QUALITY, &current, &isSet);
    int quality = current;
    if (!QualityListed(current)) {
        if (m_qualities.GetCount() == 1) {
            quality = static_cast<int>(reinterpret_cast<INT_PTR>(m_qualities.GetHead()->value));
        } else {
            m_services->GetDefaultOption(FEATURE_PRINT_QUALITY, &quality);
        }
    }
    m_qualities.RemoveAll();
    int state = 0;
    if (m_services->GetOptionState(FEATURE_PRINT_QUALITY, quality, &state) == 0 &&
        state == kOptionStateUnavailableHere) {
        return status;
    }
    return m_services->SendHandlerCommand(CLASS_RESOLUTION, FEATURE_PRINT_QUALITY, kCommandSetPrintQuality,
                                          &quality, nullptr);
}
