#include "nira/uiplugin/core/plugin/PrivateDevModeHandler.h"

#include "common/NiraException.h"
#include "common/PrivateDevMode.h"
#include "common/ProcessIdentity.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"

#include <rpc.h>
#include <string.h>

namespace {

constexpr DWORD kInfoSize = sizeof(DWORD);
constexpr size_t kBaseNameChars = 25;

const char kSpoolerProgram[] = "spoolsv.exe";
// A program whose sections may come back with the second checksum copy stale.
const char kStaleChecksumProgram[] = "WAOL.exe";

const GUID kNoGuid = {};

void Refuse(LONG code)
{
    throw CNiraException(code);
}

void WriteDefaultHeader(PrivateDevMode* section)
{
    memset(section, 0, kPrivateDevmodeSize);
    section->size = kPrivateDevmodeSize;
    section->signature = kPrivateDevmodeSignature;
    section->version = kPrivateDevmodeVersion;
    section->sectionGuid = kPrivateDevmodeGuid;
}

// The path a section records for the program it is prepared in (the program's own, or inside the
// spooler the path the section already holds) and its base name; 0, or what reading the program's
// path answered. path holds kPrivateDevmodeTextChars characters.
LONG ReadOrigin(char* path, char (&baseName)[kBaseNameChars + 1])
{
    size_t length = 0;
    const LONG read = GetProcessPath(path, kPrivateDevmodeTextChars, &length);
    if (read != 0) {
        return read;
    }
    path[kPrivateDevmodeTextChars - 1] = 0;
    if (GetFileBaseName(path, baseName, sizeof(baseName), &length) != 0) {
        baseName[0] = 0;
    }
    return 0;
}

bool FromStaleChecksumProgram(const PrivateDevMode* in)
{
    char path[kPrivateDevmodeTextChars];
    memcpy(path, in->processPath, sizeof(path));
    char baseName[kBaseNameChars + 1] = {};
    return ReadOrigin(path, baseName) == 0 && _stricmp(baseName, kStaleChecksumProgram) == 0;
}

// Only an intact section of this driver is copied: another driver's signature, settings that no
// longer match their checksum or a second checksum copy that disagrees would otherwise pass on
// settings the unpacker refuses later, leaving the job with defaults under a header of the old
// settings. The one program known to leave the second copy stale keeps its settings.
void CheckConvertInput(const PrivateDevMode* in)
{
    if (in->size != 0 && in->size != kPrivateDevmodeSize) {
        Refuse(ERROR_INVALID_DATA);
    }
    GUID guid = in->sectionGuid;  // the section may lie at any alignment
    RPC_STATUS status;
    // A section without a GUID is as foreign as one with another GUID.
    if (memcmp(&guid, &kNoGuid, sizeof(GUID)) == 0 ||
        UuidCompare(&guid, const_cast<GUID*>(&kPrivateDevmodeGuid), &status) != 0 ||
        in->signature != kPrivateDevmodeSignature) {
        Refuse(ERROR_INVALID_DATA);
    }
    const DWORD checksum = ComputeBlockChecksum(in);
    if (in->checksum != checksum || (in->checksumCopy != checksum && !FromStaleChecksumProgram(in))) {
        Refuse(ERROR_INVALID_DATA);
    }
}

// Records who prepared the job: the program's path (kept as it stands inside the spooler) and,
// for a job that goes to another machine, the user's name. A path too long to keep is left out;
// what could not be read fails the conversion rather than leaving the caller's origin in place.
void RecordOrigin(PrivateDevMode* out, HANDLE printer)
{
    char baseName[kBaseNameChars + 1] = {};
    const LONG read = ReadOrigin(out->processPath, baseName);
    if (read == ERROR_INSUFFICIENT_BUFFER) {
        return;
    }
    if (read != 0) {
        Refuse(ERROR_READ_FAULT);
    }
    if (strcmp(baseName, kSpoolerProgram) != 0) {
        CNiraPrinterAccess access(printer);
        BOOL local = FALSE;
        if (!access.CheckLocalPrinter(&local) ||
            (!local && GetCurrentUserName(out->userName, kPrivateDevmodeTextChars) != 0)) {
            Refuse(ERROR_READ_FAULT);
        }
    }
    if (_stricmp(baseName, kStaleChecksumProgram) == 0 && out->checksumCopy != out->checksum) {
        out->checksumCopy = out->checksum;
    }
}

void AdjustPublicOut(const DEVMODEW* in, DEVMODEW* out, const PrivateDevMode* section)
{
    if (out == nullptr) {
        return;
    }
    if (out->dmPaperSize != in->dmPaperSize) {
        out->dmFields |= DM_PAPERSIZE;
        out->dmPaperSize = static_cast<short>(section->paperSizeAtConvert);
    }
    out->dmDuplex = in->dmDuplex;
    out->dmFields |= DM_DUPLEX;
    out->dmMediaType = in->dmMediaType;
    out->dmFields |= DM_MEDIATYPE;
}

}  // namespace

HRESULT CNiraPrivateDevModeHandler::GetInfo(DWORD mode, PVOID buffer, DWORD size, PDWORD needed)
{
    if (needed == nullptr) {
        return E_FAIL;
    }
    DWORD value;
    switch (mode) {
    case OEMGI_GETSIGNATURE:
        value = kPrivateDevmodeSignature;
        break;
    case OEMGI_GETVERSION:
        value = kPrivateDevmodeVersion;
        break;
    default:
        return E_NOTIMPL;
    }
    *needed = kInfoSize;
    if (buffer == nullptr || size < kInfoSize) {
        return E_FAIL;
    }
    memcpy(buffer, &value, kInfoSize);
    return S_OK;
}

HRESULT CNiraPrivateDevModeHandler::HandleDevMode(DWORD mode, POEMDMPARAM param)
{
    try {
        if (param == nullptr || param->hPrinter == nullptr) {
            Refuse(ERROR_INVALID_PARAMETER);
        }
        switch (mode) {
        case OEMDM_SIZE:
            param->cbBufSize = kPrivateDevmodeSize;
            break;
        case OEMDM_DEFAULT:
            if (param->pOEMDMOut == nullptr || param->cbBufSize < kPrivateDevmodeSize) {
                Refuse(ERROR_INVALID_PARAMETER);
            }
            WriteDefaultHeader(static_cast<PrivateDevMode*>(param->pOEMDMOut));
            break;
        case OEMDM_CONVERT:
        case OEMDM_MERGE:
            ConvertSection(*param);
            break;
        default:
            Refuse(ERROR_INVALID_DATA);
        }
        return S_OK;
    } catch (const CNiraException&) {
        return E_FAIL;
    }
}

// The caller's section is copied to the output first and only the output is updated: the core
// driver's input buffer stays as it was.
void CNiraPrivateDevModeHandler::ConvertSection(const OEMDMPARAM& param)
{
    if (param.pOEMDMIn == nullptr || param.pOEMDMOut == nullptr || param.cbBufSize < kPrivateDevmodeSize ||
        param.pPublicDMIn == nullptr) {
        Refuse(ERROR_INVALID_PARAMETER);
    }
    const auto* in = static_cast<const PrivateDevMode*>(param.pOEMDMIn);
    CheckConvertInput(in);
    auto* out = static_cast<PrivateDevMode*>(param.pOEMDMOut);
    memmove(out, in, kPrivateDevmodeSize);
    // A section taken with a size of 0 goes out with its size: no reader finds a section without it.
    out->size = kPrivateDevmodeSize;
    out->paperSizeAtConvert = param.pPublicDMIn->dmPaperSize;
    out->duplexAtConvert = param.pPublicDMIn->dmDuplex;
    RecordOrigin(out, param.hPrinter);
    AdjustPublicOut(param.pPublicDMIn, param.pPublicDMOut, out);
}
