#include "langmon/pcllm/DeviceQuery.h"

#include "langmon/pcllm/PortContext.h"
#include "langmon/pcllm/RegistryKey.h"

const WCHAR kStatusValueName[] = TEXT("ZQSTSSTR");

namespace {

constexpr DWORD kLengthPrefixSize = 2;
constexpr DWORD kKeptIdLength = kStatusBufferSize - 1;  // and a terminator
const WCHAR kUsbMarker[] = TEXT("USB");
const char* const kFlaggedModels[] = {"INKORA 406T", "VELMO 210"};

BOOL g_modelFlag = TRUE;
BOOL g_modelChecked = FALSE;

bool Contains(const BYTE* text, DWORD size, const char* wanted)
{
    const size_t length = strlen(wanted);
    for (DWORD at = 0; at + length <= size && text[at] != 0; ++at) {
        if (memcmp(text + at, wanted, length) == 0) {
            return true;
        }
    }
    return false;
}

// Once per process, at the first changed ID.
void CheckModel(const PortContext* port, const BYTE* output, DWORD outputSize)
{
    if (g_modelChecked) {
        return;
    }
    g_modelChecked = TRUE;
    if (output == nullptr || wcsstr(port->portName, kUsbMarker) == nullptr) {
        return;
    }
    for (const char* model : kFlaggedModels) {
        if (Contains(output, outputSize, model)) {
            g_modelFlag = FALSE;
        }
    }
}

bool DiffersFromLast(const PortContext* port, const BYTE* id, DWORD kept)
{
    return memcmp(port->statusBuffer, id, kept) != 0 || port->statusBuffer[kept] != 0;
}

}  // namespace

BOOL QueryDeviceStatus(PortContext* port, LPWSTR input, DWORD inputSize, LPBYTE output, DWORD outputSize,
                       LPDWORD returned)
{
    if (port == nullptr || port->lowerPort == nullptr || port->lower.pfnGetPrinterDataFromPort == nullptr ||
        port->statusBuffer == nullptr) {
        return FALSE;
    }
    BYTE answer[kStatusBufferSize] = {};
    DWORD size = 0;
    const BOOL result = port->lower.pfnGetPrinterDataFromPort(
        port->lowerPort, port->deviceIdControlCode, nullptr, input, inputSize,
        reinterpret_cast<LPWSTR>(answer), kStatusBufferSize, &size);
    if (!result || size == 0) {
        return FALSE;
    }
    size = size < kStatusBufferSize ? size : kStatusBufferSize;  // never more than the buffer holds
    const BYTE* id = answer;
    if (!IsCharAlphaNumericW(static_cast<WCHAR>(answer[0])) && size >= kLengthPrefixSize) {
        id += kLengthPrefixSize;  // the IEEE 1284 length before the ID
        size -= kLengthPrefixSize;
    }
    const DWORD kept = size < kKeptIdLength ? size : kKeptIdLength;
    if (DiffersFromLast(port, id, kept)) {
        if (port->driverDataKey != nullptr) {
            port->driverDataKey->SetValue(kStatusValueName, REG_BINARY, id, size);
        }
        CheckModel(port, output, outputSize);
    }
    memcpy(port->statusBuffer, id, kept);
    port->statusBuffer[kept] = 0;
    if (output == nullptr) {
        if (returned != nullptr) {
            *returned = size;
        }
        return result;
    }
    if (size > outputSize) {
        if (outputSize == 0) {
            if (returned != nullptr) {
                *returned = size;
            }
            return FALSE;
        }
        const DWORD tail = outputSize - 1;
        memcpy(output, id + (size - tail), tail);
        output[tail] = 0;
        size = outputSize;
    } else {
        memcpy(output, id, size);
        if (size < outputSize) {
            output[size] = 0;
        }
    }
    if (returned != nullptr) {
        *returned = size;
    }
    return result;
}

BOOL GetModelFlag()
{
    return g_modelFlag;
}
