#include "nira/uiplugin/core/plugin/PrivateDevModeSearch.h"

#include <rpc.h>
#include <string.h>

namespace {

// The signature is the second DWORD of the header.
constexpr DWORD kSignatureOffset = 4;
// Below this start of the signature no section can end at the area's end.
constexpr DWORD kSearchTail = kPrivateDevmodeSize - 2 * sizeof(DWORD) - kSignatureOffset;  // 6880

DWORD ReadDword(const BYTE* at)
{
    DWORD value;
    memcpy(&value, at, sizeof(value));
    return value;
}

bool IsSectionAt(const BYTE* start, DWORD candidate, DWORD total)
{
    GUID guid;
    memcpy(&guid, start + candidate + offsetof(PrivateDevMode, sectionGuid), sizeof(guid));
    RPC_STATUS status;
    return UuidCompare(&guid, const_cast<GUID*>(&kPrivateDevmodeGuid), &status) == 0 &&
           ReadDword(start + candidate) == kPrivateDevmodeSize && candidate + kPrivateDevmodeSize == total;
}

}  // namespace

BOOLEAN FindPrivateDevMode(const DEVMODEW* devMode, PrivateDevMode** out)
{
    if (devMode == nullptr || out == nullptr) {
        return FALSE;
    }
    *out = nullptr;
    if (devMode->dmDriverExtra <= kPrivateDevmodeSize) {
        return FALSE;
    }
    const DWORD total = static_cast<DWORD>(devMode->dmSize) + devMode->dmDriverExtra;
    const BYTE* start = reinterpret_cast<const BYTE*>(devMode);
    // A rejected candidate (a stray header copy) does not end the search.
    for (DWORD offset = kSignatureOffset; offset < total - kSearchTail; ++offset) {
        if (ReadDword(start + offset) != kPrivateDevmodeSignature) {
            continue;
        }
        const DWORD candidate = offset - kSignatureOffset;
        if (IsSectionAt(start, candidate, total)) {
            *out = reinterpret_cast<PrivateDevMode*>(const_cast<BYTE*>(start + candidate));
            return TRUE;
        }
    }
    return FALSE;
}

BOOL HasValidPrivateDevMode(const DEVMODEW* devMode)
{
    PrivateDevMode* section = nullptr;
    return devMode != nullptr && devMode->dmDriverExtra != 0 && FindPrivateDevMode(devMode, &section) &&
           IsBlockChecksumValid(section);
}

BOOL IsIntactPrivateDevMode(const PrivateDevMode* section)
{
    if (section == nullptr) {
        return FALSE;
    }
    GUID guid = section->sectionGuid;
    RPC_STATUS status;
    return section->size == kPrivateDevmodeSize && section->signature == kPrivateDevmodeSignature &&
           UuidCompare(&guid, const_cast<GUID*>(&kPrivateDevmodeGuid), &status) == 0 &&
           IsBlockChecksumValid(section);
}
