#include "nira/uiplugin/features/handlers/PrinterStatusHandler.h"

#include <cstdlib>
#include <cstring>
#include <new>

// After the C++ library, whose string header would meet its deprecations.
#include <strsafe.h>

#include "common/CodePageConversion.h"
#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/features/base/OwnedRecords.h"
#include "nira/uiplugin/features/handlers/HandlerCommands.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/interfaces/HandlerIds.h"
#include "nira/uiplugin/interfaces/INiraCoreServices.h"

namespace {

const char kServicesQuery[] = "Select * from FDT6383 Where ToolBoxSupport='1'";
constexpr int kQualifyingRow = 1;
constexpr int kServicesColumns = 3;

// The pop-ups whose send widget follows the code entry, and those widgets.
constexpr int kPensMessage = 214;
constexpr int kPensSendWidget = 6505;
constexpr int kBasicMessage = 212;
constexpr int kBasicSendWidget = 6507;
constexpr int kClearWidgetA = 6506;
constexpr int kClearWidgetB = 6508;
constexpr int kTextOption = 1;

// The check text while a field is empty.
const WCHAR kIncompleteCheck[] = TEXT("7241");
constexpr size_t kCheckChars = 50;

constexpr WORD kCrcPolynomial = 0xA001;  // CRC-16/ARC, reflected
constexpr int kNoCheckNumber = -1;

// The pen query job: PJL into the printer's language, one PML request of 35 bytes (its second byte
// is written as 0x01 here and cleared in the job's bytes), the codes, and the reset.
const WCHAR kPenQueryHeader[] =
    TEXT("\x1b") TEXT("E") TEXT("\x1b") TEXT("%-12345X@PJL ENTER LANGUAGE=PCL3GUI\n") TEXT("\x1b")
        TEXT("&b35WPML \x04\x01\x04\x01\x01\x01\x24\x10\x16\x01\x15");
const WCHAR kPenQueryTrailer[] = TEXT("\x1b") TEXT("E") TEXT("\x1b") TEXT("%-12345X");
constexpr size_t kClearedByte = 50;
constexpr size_t kJobChars = 4800;
const WCHAR kPenQueryDocument[] = TEXT("ZQSupportRegionalPenQuery");
const WCHAR kRawDataType[] = TEXT("RAW");

int FieldOf(int widgetId)
{
    return widgetId - CNiraPrinterStatusHandler::kFirstCodeField;
}

}  // namespace

CNiraPrinterStatusHandler::CNiraPrinterStatusHandler() = default;

CNiraPrinterStatusHandler::~CNiraPrinterStatusHandler()
{
    delete m_printer;
    m_printerHandle = nullptr;
}

int CNiraPrinterStatusHandler::Attach(INiraCoreServices* services, int handlerId,
                                      INiraFeatureDatabase* database)
{
    m_services = services;
    m_handlerId = handlerId;
    m_database = database;
    if (services != nullptr && m_printer == nullptr) {
        OpenPrinterAccess();
    }
    return 0;
}

bool CNiraPrinterStatusHandler::OpenPrinterAccess()
{
    WCHAR* printerName = nullptr;
    int status = m_services->GetPrinterName(&printerName);
    if (status == 0 && printerName != nullptr) {
        m_printer = new (std::nothrow) CNiraPrinterAccess(printerName);
    }
    LocalFree(printerName);
    return status == 0;
}

int CNiraPrinterStatusHandler::OnServicesRow(void* argument, int columns, char** values, char**)
{
    auto* handler = static_cast<CNiraPrinterStatusHandler*>(argument);
    if (columns < kServicesColumns || values == nullptr || values[0] == nullptr ||
        std::atoi(values[0]) != kQualifyingRow) {
        return 0;
    }
    handler->m_messageId = values[1] != nullptr ? std::atoi(values[1]) : 0;
    handler->m_containerName[0] = 0;
    LPWSTR container = nullptr;
    if (values[2] != nullptr && ConvertToWide(&container, values[2], CP_ACP) && container != nullptr) {
        CopyStringSafeN(handler->m_containerName, kContainerChars, container, kContainerChars - 1);
    }
    delete[] container;
    return 0;
}

int CNiraPrinterStatusHandler::OnCommand(int, int command, int*, int*)
{
    if (m_services == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (m_printer == nullptr && !OpenPrinterAccess()) {
        return NIRA_STATUS_FAILED;
    }
    m_printerHandle = m_printer != nullptr ? m_printer->GetHandle() : nullptr;
    if (command != kCommandShowPrinterStatus) {
        return 0;
    }
    if (m_database == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    m_database->SetCallback(&OnServicesRow, this);
    LONG status = m_database->Execute(kServicesQuery);
    if (status != 0) {
        return static_cast<int>(status);
    }
    return m_services->ShowPopup(m_messageId, m_containerName);
}

int CNiraPrinterStatusHandler::CheckNumber(LPCWSTR text)
{
    WORD crc = 0;
    for (LPCWSTR c = text; c != nullptr && *c != 0; ++c) {
        crc ^= static_cast<BYTE>(*c & 0xFF);
        for (int bit = 0; bit < 8; ++bit) {
            crc =
                (crc & 1) != 0 ? static_cast<WORD>((crc >> 1) ^ kCrcPolynomial) : static_cast<WORD>(crc >> 1);
        }
    }
    return crc == 0 ? kNoCheckNumber : crc;
}

void CNiraPrinterStatusHandler::ClearCodes()
{
    for (int field = 0; field < kCodeFields; ++field) {
        int widget = kFirstCodeField + field;
        int option = kTextOption;
        m_services->RemoveOption(m_handlerId, &widget, &option);
        m_codes[field][0] = 0;
    }
}

void CNiraPrinterStatusHandler::SetSendState(int state)
{
    if (m_messageId == kPensMessage) {
        m_services->SetDisplayState(m_handlerId, kPensSendWidget, state);
    } else if (m_messageId == kBasicMessage) {
        m_services->SetDisplayState(m_handlerId, kBasicSendWidget, state);
    }
}

void CNiraPrinterStatusHandler::CheckCode(int field)
{
    // A field that cannot be read counts as empty.
    m_codes[field][0] = 0;
    OptionInfo* read = NewOptionInfo();
    if (read != nullptr && m_services->GetOptionInfo(kFirstCodeField + field, kTextOption, read) == 0) {
        CopyStringSafeN(m_codes[field], kCodeChars, read->displayName, kCodeChars - 1);
    }
    LocalFree(read);
    bool allFilled = true;
    WCHAR joined[kCodeChars] = {};
    for (int i = 0; i < kCodeFields; ++i) {
        allFilled = allFilled && m_codes[i][0] != 0;
        StringCchCatW(joined, kCodeChars, m_codes[i]);
    }
    OptionInfo* check = NewOptionInfo();
    if (check != nullptr) {
        check->optionIndex = kTextOption;
        check->featureId = kCheckField;
        check->stringId = 0;
        WCHAR text[kCheckChars] = {};
        if (allFilled) {
            StringCchPrintfW(text, kCheckChars, TEXT("%d"), CheckNumber(joined));
        } else {
            CopyStringSafe(text, kCheckChars, kIncompleteCheck);
        }
        CopyStringSafe(check->displayName, kOptionTextLength, text);
        CopyStringSafe(check->optionName, kOptionTextLength, text);
        int widget = kCheckField;
        int option = kTextOption;
        m_services->RemoveOption(m_handlerId, &widget, &option);
        AddOwnedOption(*m_services, m_handlerId, kCheckField, kTextOption, check);
    }
    if (allFilled) {
        SetSendState(DISPLAY_STATE_ENABLED);
    }
}

int CNiraPrinterStatusHandler::OnWidgetChanged(int widgetId)
{
    if (m_services == nullptr) {
        return 0;
    }
    if (widgetId == kClearWidgetA || widgetId == kClearWidgetB) {
        ClearCodes();
    } else if (widgetId >= kFirstCodeField && widgetId < kFirstCodeField + kCodeFields) {
        SetSendState(DISPLAY_STATE_GREYED);
        CheckCode(FieldOf(widgetId));
    }
    return 0;
}

bool CNiraPrinterStatusHandler::MakePenQueryJob(LPCWSTR codes, char** bytes, size_t* length)
{
    *bytes = nullptr;
    *length = 0;
    auto* job = new (std::nothrow) WCHAR[kJobChars];
    if (job == nullptr) {
        return false;
    }
    job[0] = 0;
    StringCchCatW(job, kJobChars, kPenQueryHeader);
    StringCchCatW(job, kJobChars, codes);
    StringCchCatW(job, kJobChars, kPenQueryTrailer);
    LPSTR narrow = nullptr;
    bool made = ConvertToNarrow(job, &narrow, CP_ACP) && narrow != nullptr;
    delete[] job;
    if (!made) {
        return false;
    }
    size_t size = std::strlen(narrow);
    if (size > kClearedByte) {
        narrow[kClearedByte] = 0;
    }
    *bytes = narrow;
    *length = size;
    return true;
}

int CNiraPrinterStatusHandler::OnConstraintAction(int, const char*, const char*, const char*)
{
    if (m_services == nullptr) {
        return 0;
    }
    WCHAR codes[kCodeChars] = {};
    for (int field = 0; field < kCodeFields; ++field) {
        OptionInfo* read = NewOptionInfo();
        if (read != nullptr && m_services->GetOptionInfo(kFirstCodeField + field, kTextOption, read) == 0) {
            StringCchCatW(codes, kCodeChars, read->displayName);
        }
        LocalFree(read);
    }
    char* bytes = nullptr;
    size_t length = 0;
    bool made = MakePenQueryJob(codes, &bytes, &length);
    // The job goes to the printer the handler opened, also before any command gave it the handle.
    HANDLE printer =
        m_printerHandle != nullptr ? m_printerHandle : (m_printer ? m_printer->GetHandle() : nullptr);
    DOC_INFO_1W document = {const_cast<LPWSTR>(kPenQueryDocument), const_cast<LPWSTR>(TEXT("")),
                            const_cast<LPWSTR>(kRawDataType)};
    DWORD job = printer != nullptr ? StartDocPrinterW(printer, 1, reinterpret_cast<LPBYTE>(&document)) : 0;
    if (job != 0) {
        StartPagePrinter(printer);
        DWORD written = 0;
        if (made) {
            WritePrinter(printer, bytes, static_cast<DWORD>(length), &written);
        }
    }
    delete[] bytes;
    ClearCodes();
    if (job != 0) {
        EndPagePrinter(printer);
        EndDocPrinter(printer);
    }
    return 0;
}
