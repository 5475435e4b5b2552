#include "langmon/pcllm/BidiAnswers.h"

#include "langmon/pcllm/DeviceQuery.h"
#include "langmon/pcllm/DeviceReads.h"
#include "langmon/pcllm/JobCounters.h"
#include "langmon/pcllm/MonitorGlobals.h"
#include "langmon/pcllm/PortContext.h"

#include <strsafe.h>

namespace {

const WCHAR kStatusAliasName[] = TEXT("ZQSTATUS");
const WCHAR* const kSchemas[kBidiSchemaCount] = {
    TEXT("/Printer/Installableoption/Duplexunit"),
    TEXT("/Capability/MultiChannel"),
    TEXT("/Communication/Version"),
    TEXT("/Communication/BidiProtocol"),
    TEXT("/Printer/BlackInk1/Level"),
    TEXT("/Printer/PenStatus"),
    TEXT("/Printer/Alerts"),
    TEXT("/Printer/InputBin"),
    TEXT("/Printer/DynamicCounterInfo"),
};

enum SchemaIndex : DWORD {
    SCHEMA_DUPLEX_UNIT = 0,
    SCHEMA_MULTI_CHANNEL = 1,
    SCHEMA_VERSION = 2,
    SCHEMA_PEN_STATUS = 5,
    SCHEMA_INPUT_BIN = 7,
    SCHEMA_COUNTER = 8,
    SCHEMA_NOT_FOUND = kBidiSchemaCount,
};

const WCHAR kAlertNameSchema[] = TEXT("/Printer/Alerts/1/Name");
const WCHAR kCoverOpenAlert[] = TEXT("CoverOpen");
constexpr DWORD kAlertEntriesPerPenRequest = 3;
constexpr DWORD kBidiVersion = 1;
constexpr LONG kCommunicationVersion = 1;
constexpr DWORD kCounterAnswer = S_FALSE;
constexpr DWORD kUnhandled = static_cast<DWORD>(E_FAIL);

typedef PBIDI_RESPONSE_CONTAINER(WINAPI* AllocContainerFunction)(DWORD);
typedef LPVOID(WINAPI* AllocBidiMemFunction)(size_t);

struct BidiAllocator {
    AllocContainerFunction container;
    AllocBidiMemFunction memory;
};

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

// A copy in the spooler's bidi memory (at most kBidiSchemaCapacity characters); null when short.
LPWSTR CopyText(const BidiAllocator& allocator, LPCWSTR text)
{
    size_t length = 0;
    if (FAILED(StringCchLengthW(text, kBidiSchemaCapacity, &length))) {
        length = kBidiSchemaCapacity - 1;
    }
    LPWSTR copy = static_cast<LPWSTR>(allocator.memory((length + 1) * sizeof(WCHAR)));
    if (copy != nullptr) {
        StringCchCopyNW(copy, length + 1, text, length);
    }
    return copy;
}

PBIDI_RESPONSE_CONTAINER NewContainer(const BidiAllocator& allocator, DWORD count)
{
    PBIDI_RESPONSE_CONTAINER container = allocator.container(count);
    if (container != nullptr) {
        container->Version = kBidiVersion;
        container->Count = count;
    }
    return container;
}

DWORD FindSchema(LPCWSTR schema)
{
    if (schema == nullptr) {
        return SCHEMA_NOT_FOUND;
    }
    for (DWORD index = 0; index < kBidiSchemaCount; ++index) {
        if (lstrcmpiW(schema, kSchemas[index]) == 0) {
            return index;
        }
    }
    return SCHEMA_NOT_FOUND;
}

void SetInt(BIDI_RESPONSE_DATA* entry, LONG value)
{
    entry->data.dwBidiType = BIDI_INT;
    entry->data.u.iData = value;
}

void SetBool(BIDI_RESPONSE_DATA* entry, BOOL value)
{
    entry->data.dwBidiType = BIDI_BOOL;
    entry->data.u.bData = value;
}

// Fills an entry for a handled schema; FALSE for the schemas the device is not asked about.
BOOL AnswerSchema(PortContext* port, DWORD index, const BIDI_REQUEST_DATA& request, BIDI_RESPONSE_DATA* entry)
{
    entry->dwResult = S_OK;
    switch (index) {
    case SCHEMA_DUPLEX_UNIT:
        SetInt(entry, IsDuplexUnitInstalled(port));
        return TRUE;
    case SCHEMA_MULTI_CHANNEL:
        SetBool(entry, FALSE);
        return TRUE;
    case SCHEMA_VERSION:
        SetInt(entry, kCommunicationVersion);
        return TRUE;
    case SCHEMA_PEN_STATUS:
        SetInt(entry, GetPenStatusCode(port));
        return TRUE;
    case SCHEMA_INPUT_BIN:
        SetInt(entry, HasInputBin(port));
        return TRUE;
    case SCHEMA_COUNTER:
        entry->dwResult = kCounterAnswer;
        SetBool(entry, ReadJobCounter(port, static_cast<DWORD>(request.data.u.iData)));
        EndCounterRequest(port);
        return TRUE;
    default:
        entry->dwResult = kUnhandled;
        return FALSE;
    }
}

PBIDI_RESPONSE_CONTAINER EnumSchemas(const BidiAllocator& allocator)
{
    PBIDI_RESPONSE_CONTAINER container = NewContainer(allocator, kBidiSchemaCount);
    if (container == nullptr) {
        return nullptr;
    }
    for (DWORD index = 0; index < kBidiSchemaCount; ++index) {
        BIDI_RESPONSE_DATA& entry = container->aData[index];
        entry.dwReqNumber = 0;
        entry.dwResult = S_OK;
        entry.data.dwBidiType = BIDI_TEXT;
        entry.data.u.sData = CopyText(allocator, kSchemas[index]);
    }
    return container;
}

PBIDI_RESPONSE_CONTAINER Get(PortContext* port, const BidiAllocator& allocator,
                             PBIDI_REQUEST_CONTAINER request)
{
    PBIDI_RESPONSE_CONTAINER container = NewContainer(allocator, request->Count);
    if (container == nullptr) {
        return nullptr;
    }
    for (DWORD i = 0; i < request->Count; ++i) {
        BIDI_RESPONSE_DATA& entry = container->aData[i];
        entry.dwReqNumber = i;
        const DWORD index = FindSchema(request->aData[i].pSchema);
        if (AnswerSchema(port, index, request->aData[i], &entry)) {
            entry.pSchema = CopyText(allocator, kSchemas[index]);
        }
    }
    return container;
}

// Every pen-status request is answered with the cover-open alert three times; every other
// request is not handled.
PBIDI_RESPONSE_CONTAINER GetAll(const BidiAllocator& allocator, PBIDI_REQUEST_CONTAINER request)
{
    DWORD count = 0;
    for (DWORD i = 0; i < request->Count; ++i) {
        count += FindSchema(request->aData[i].pSchema) == SCHEMA_PEN_STATUS ? kAlertEntriesPerPenRequest : 1;
    }
    PBIDI_RESPONSE_CONTAINER container = NewContainer(allocator, count);
    if (container == nullptr) {
        return nullptr;
    }
    DWORD at = 0;
    for (DWORD i = 0; i < request->Count; ++i) {
        if (FindSchema(request->aData[i].pSchema) != SCHEMA_PEN_STATUS) {
            container->aData[at].dwReqNumber = i;
            container->aData[at++].dwResult = kUnhandled;
            continue;
        }
        for (DWORD alert = 0; alert < kAlertEntriesPerPenRequest; ++alert) {
            BIDI_RESPONSE_DATA& entry = container->aData[at++];
            entry.dwReqNumber = i;
            entry.dwResult = S_OK;
            entry.pSchema = CopyText(allocator, kAlertNameSchema);
            entry.data.dwBidiType = BIDI_ENUM;
            entry.data.u.sData = CopyText(allocator, kCoverOpenAlert);
        }
    }
    return container;
}

bool IsAction(LPCWSTR action, LPCWSTR name)
{
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, action, -1, name, -1) == CSTR_EQUAL;
}

// The device ID for the two status values; the lower port is opened for the call when no job
// holds it.
BOOL AnswerStatusValue(PortContext* port, LPWSTR input, DWORD inputSize, LPWSTR output, DWORD outputSize,
                       LPDWORD returned)
{
    const bool openedHere = port->lowerPort == nullptr;
    if (openedHere && !port->lower.pfnOpenPort(port->lowerMonitor, port->portName, &port->lowerPort)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    const BOOL result =
        QueryDeviceStatus(port, input, inputSize, reinterpret_cast<LPBYTE>(output), outputSize, returned);
    const DWORD error = GetLastError();
    if (openedHere) {
        port->lower.pfnClosePort(port->lowerPort);
        port->lowerPort = nullptr;
    }
    if (!result && returned != nullptr && outputSize < *returned) {
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    }
    SetLastError(error);
    return result;
}

}  // namespace

BOOL WINAPI GetPrinterDataFromPort(HANDLE portHandle, DWORD controlId, LPWSTR valueName, LPWSTR input,
                                   DWORD inputSize, LPWSTR output, DWORD outputSize, LPDWORD returned)
{
    if (!IsPortContext(portHandle)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    PortContext* port = static_cast<PortContext*>(portHandle);
    if (valueName != nullptr) {
        if (lstrcmpW(valueName, kStatusValueName) != 0 && lstrcmpW(valueName, kStatusAliasName) != 0) {
            return Fail(ERROR_INVALID_PARAMETER);
        }
        return AnswerStatusValue(port, input, inputSize, output, outputSize, returned);
    }
    if (port->lower.pfnGetPrinterDataFromPort == nullptr || port->lowerPort == nullptr) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    if (!port->lower.pfnGetPrinterDataFromPort(port->lowerPort, controlId, valueName, input, inputSize,
                                               output, outputSize, returned)) {
        return Fail(ERROR_INVALID_PARAMETER);
    }
    return TRUE;
}

DWORD WINAPI SendRecvBidiDataFromPort(HANDLE portHandle, DWORD, LPCWSTR action,
                                      PBIDI_REQUEST_CONTAINER request, PBIDI_RESPONSE_CONTAINER* response)
{
    if (response == nullptr) {
        return 0;
    }
    *response = nullptr;
    const BidiAllocator allocator = {
        RouterFunction<AllocContainerFunction>("RouterAllocBidiResponseContainer"),
        RouterFunction<AllocBidiMemFunction>("RouterAllocBidiMem")};
    if (allocator.container == nullptr || allocator.memory == nullptr || action == nullptr ||
        !IsPortContext(portHandle)) {
        return 0;
    }
    PortContext* port = static_cast<PortContext*>(portHandle);
    if (IsAction(action, BIDI_ACTION_ENUM_SCHEMA)) {
        *response = EnumSchemas(allocator);
    } else if (request != nullptr && IsAction(action, BIDI_ACTION_GET)) {
        *response = Get(port, allocator, request);
    } else if (request != nullptr && IsAction(action, BIDI_ACTION_GET_ALL)) {
        *response = GetAll(allocator, request);
    }
    return 0;
}
