#include "nira/uiplugin/foundation/dmc/NiraDmcPrinterData.h"

#include <strsafe.h>

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/foundation/dmc/NiraDmcSnapshotApplier.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterDataValue.h"

namespace {

#define DMC_SNAPSHOT_VALUE TEXT("DMCSnapshotFeatureData")
#define DMC_COUNT_VALUE TEXT("DMCFeatureCount")
#define DMC_EXIST_VALUE TEXT("DMCExist")
#define DMC_STATUS_VALUE TEXT("DMCStatus")
#define DMC_INSTALL_COMPLETE_VALUE TEXT("InstallComplete")
#define DMC_INSTALL_DATE_VALUE TEXT("InstallDate")
#define DMC_DATE_FORMAT TEXT("%02d/%02d/%04d:%02d:%02d:%02d")

// "True", its terminator and two further zero characters: the stored form other readers expect.
const WCHAR kExistText[7] = {TEXT('T'), TEXT('r'), TEXT('u'), TEXT('e'), 0, 0, 0};
constexpr DWORD kExistBytes = 14;
constexpr int kDateChars = 256;

}  // namespace

LONG CNiraDmcPrinterData::WriteValue(LPCWSTR name, DWORD type, const void* data, DWORD size)
{
    if (m_printer == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    WCHAR valueName[MAX_PATH] = {};
    CopyStringSafe(valueName, MAX_PATH, name);
    CNiraPrinterHandle holder(m_printer, false);
    CNiraPrinterDataValue value(holder, valueName, type);
    return value.Set(static_cast<const BYTE*>(data), size) ? NIRA_STATUS_OK : NIRA_STATUS_FAILED;
}

LONG CNiraDmcPrinterData::WriteDword(LPCWSTR name, DWORD value)
{
    return WriteValue(name, REG_DWORD, &value, sizeof(value));
}

int CNiraDmcPrinterData::GetFeatureCount()
{
    if (m_printer == nullptr) {
        return 0;
    }
    CNiraPrinterHandle holder(m_printer, false);
    CNiraPrinterDataValue value(holder, DMC_COUNT_VALUE, REG_DWORD);
    DWORD count = 0;
    return value.GetDword(&count) ? static_cast<int>(count) : 0;
}

LONG CNiraDmcPrinterData::SetFeatureCount(int count)
{
    if (m_printer == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    return WriteDword(DMC_COUNT_VALUE, static_cast<DWORD>(count));
}

LONG CNiraDmcPrinterData::SetExist(int exist)
{
    if (exist == 0) {
        return NIRA_STATUS_OK;
    }
    return WriteValue(DMC_EXIST_VALUE, REG_SZ, kExistText, kExistBytes);
}

LONG CNiraDmcPrinterData::SetStatus(int status)
{
    return WriteDword(DMC_STATUS_VALUE, static_cast<DWORD>(status));
}

LONG CNiraDmcPrinterData::SetInstallComplete(int complete)
{
    return WriteDword(DMC_INSTALL_COMPLETE_VALUE, complete != 0 ? 0 : 1);
}

LONG CNiraDmcPrinterData::SetInstallDate()
{
    if (m_printer == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    return WriteDate(DMC_INSTALL_DATE_VALUE);
}

LONG CNiraDmcPrinterData::WriteDate(LPCWSTR valueName)
{
    if (valueName == nullptr || valueName[0] == 0) {
        return NIRA_STATUS_FAILED;
    }
    SYSTEMTIME now = {};
    GetSystemTime(&now);
    WCHAR text[kDateChars] = {};
    if (FAILED(StringCchPrintfW(text, kDateChars, DMC_DATE_FORMAT, now.wMonth, now.wDay, now.wYear, now.wHour,
                                now.wMinute, now.wSecond))) {
        return NIRA_STATUS_FAILED;
    }
    size_t length = 0;
    GetStringLengthSafe(text, kDateChars, &length);
    return WriteValue(valueName, REG_SZ, text, static_cast<DWORD>((length + 1) * sizeof(WCHAR))) ==
                   NIRA_STATUS_OK
               ? NIRA_STATUS_OK
               : NIRA_STATUS_FAILED;
}

LONG CNiraDmcPrinterData::WriteSnapshotData(const DmcSnapshotRecord* records)
{
    if (records == nullptr || m_printer == nullptr) {
        return kDmcNullArgument;
    }
    int count = GetFeatureCount();
    if (count <= 0) {
        return NIRA_STATUS_OK;
    }
    return WriteValue(DMC_SNAPSHOT_VALUE, REG_BINARY, records,
                      static_cast<DWORD>(count) * sizeof(DmcSnapshotRecord));
}

DmcSnapshotRecord* CNiraDmcPrinterData::ReadSnapshot(int* count)
{
    *count = 0;
    int stored = GetFeatureCount();
    if (stored <= 0) {
        return nullptr;
    }
    CNiraPrinterHandle holder(m_printer, false);
    CNiraPrinterDataValue value(holder, DMC_SNAPSHOT_VALUE, REG_BINARY);
    // The count is taken no further than the records the value really holds.
    DWORD size = 0;
    value.Query(nullptr, &size, false);  // answers the stored size
    if (size < sizeof(DmcSnapshotRecord)) {
        return nullptr;
    }
    DWORD records = size / sizeof(DmcSnapshotRecord);
    if (static_cast<DWORD>(stored) < records) {
        records = static_cast<DWORD>(stored);
    }
    DmcSnapshotRecord* buffer = static_cast<DmcSnapshotRecord*>(LocalAlloc(LPTR, size));
    if (buffer == nullptr) {
        return nullptr;
    }
    if (!value.Query(reinterpret_cast<LPBYTE>(buffer), &size, false)) {
        LocalFree(buffer);
        return nullptr;
    }
    *count = static_cast<int>(records);
    return buffer;
}

LONG CNiraDmcPrinterData::ApplySnapshotData(INiraUISettings* settings)
{
    if (settings == nullptr) {
        return kDmcNullArgument;
    }
    if (m_printer == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    int count = 0;
    DmcSnapshotRecord* records = ReadSnapshot(&count);
    if (records == nullptr) {
        return NIRA_STATUS_OK;
    }
    CNiraDmcSnapshotApplier applier(settings);
    for (int i = 0; i < count; ++i) {
        applier.Apply(records[i]);
    }
    LocalFree(records);
    return NIRA_STATUS_OK;
}
