#include "printprocessor/PrintProcessorEntry.h"

#include <algorithm>

#include "common/SafeString.h"
#include "printprocessor/EmfRoad.h"
#include "printprocessor/JobParameter.h"
#include "printprocessor/PrinterRecord.h"
#include "printprocessor/ProcessLocks.h"
#include "printprocessor/ProcessorJob.h"
#include "printprocessor/ProcessorSettingsClient.h"
#include "printprocessor/RawJob.h"
#include "printprocessor/TextJob.h"

namespace {

constexpr WORD kParameterValueSize = sizeof(DWORD);
const WCHAR kCopiesKey[] = TEXT("COPIES");
const WCHAR kTabsKey[] = TEXT("TABS");
const WCHAR kEmpty[] = TEXT("");

// n-up options of the EMF datatypes: 1, 2, 4, 6, 9 and 16 pages per sheet.
constexpr DWORD kEmfNupOptions = 0x812B;
constexpr DWORD kAnyCopies = 0xFFFFFFFF;
constexpr DWORD kPlainRemoteAttributes = PRINTER_ATTRIBUTE_LOCAL | PRINTER_ATTRIBUTE_NETWORK;

void FreeGlobal(void* block)
{
    if (block != nullptr) {
        GlobalFree(block);
    }
}

// Frees a record and everything it holds.
void FreeProcessorJob(ProcessorJob* job)
{
    job->signature = 0;
    if (job->printer != nullptr) {
        ClosePrinter(job->printer);
    }
    if (job->printerDC != nullptr) {
        DeleteDC(job->printerDC);
    }
    FreeGlobal(job->devmode);
    FreeGlobal(job->openDataPrinterName);
    if (job->pauseEvent != nullptr) {
        CloseHandle(job->pauseEvent);
    }
    FreeGlobal(job->printerName);
    FreeGlobal(job->datatypeName);
    FreeGlobal(job->documentName);
    FreeGlobal(job->outputFile);
    FreeGlobal(job->parameters);
    GlobalFree(job);
}

// The DEVMODE of the open data, whole (public and private part); false when it cannot be copied.
// The copy holds at least a whole public record, zero past what the DEVMODE claims, so that its
// sizes can always be read to judge it: a DEVMODE claiming fewer bytes than its own size fields is
// refused later for being short, never read past its end.
bool CopyDevmode(ProcessorJob& job, const DEVMODEW* devmode)
{
    if (devmode == nullptr) {
        return true;
    }
    const size_t size = static_cast<size_t>(devmode->dmSize) + devmode->dmDriverExtra;
    job.devmode =
        static_cast<DEVMODEW*>(GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, std::max(size, sizeof(DEVMODEW))));
    if (job.devmode == nullptr) {
        return false;
    }
    CopyMemory(job.devmode, devmode, size);
    return true;
}

// What the datatype needs at open: the printer for RAW, the DEVMODE for EMF, a DC for TEXT.
bool OpenDatatypeResources(ProcessorJob& job, LPWSTR printerName, const PRINTPROCESSOROPENDATA& data)
{
    DWORD index = job.datatypeIndex;
    if (IsRawDatatype(index)) {
        return OpenPrinterW(printerName, &job.printer, nullptr) != FALSE;
    }
    if (IsEmfDatatype(index)) {
        return CopyDevmode(job, data.pDevMode);
    }
    if (index == DATATYPE_TEXT) {
        job.printerDC = CreateDCW(kEmpty, printerName, kEmpty, data.pDevMode);
        return job.printerDC != nullptr;
    }
    SetLastError(ERROR_INVALID_DATATYPE);
    return false;
}

bool CopyJobStrings(ProcessorJob& job, LPWSTR printerName, const PRINTPROCESSOROPENDATA& data)
{
    bool failed = false;
    job.printerName = CopyJobString(printerName, &failed);
    job.documentName = CopyJobString(data.pDocumentName, &failed);
    job.outputFile = CopyJobString(data.pOutputFile, &failed);
    job.datatypeName = CopyJobString(data.pDatatype, &failed);
    job.parameters = CopyJobString(data.pParameters, &failed);
    job.openDataPrinterName = CopyJobString(data.pPrinterName, &failed);
    return !failed;
}

// A parameter's value; false when the text does not hold it.
bool ReadParameter(LPCWSTR parameters, LPCWSTR key, DWORD& value)
{
    WORD size = kParameterValueSize;
    DWORD read = 0;
    if (ReadJobParameter(parameters, key, &size, &read) != ERROR_SUCCESS || size != kParameterValueSize) {
        return false;
    }
    value = read;
    return true;
}

void ReadJobParameters(ProcessorJob& job)
{
    if (job.parameters == nullptr) {
        return;
    }
    DWORD value = 0;
    if (ReadParameter(job.parameters, kCopiesKey, value)) {
        job.copies = value;
    }
    if (job.datatypeIndex == DATATYPE_TEXT && ReadParameter(job.parameters, kTabsKey, value) && value != 0) {
        job.tabSize = value;
    }
}

// A printer that prints directly gets its copies from the application: the processor makes one.
void LimitCopiesOnDirectPrinter(ProcessorJob& job, LPWSTR printerName)
{
    if (job.copies <= 1) {
        return;
    }
    HANDLE printer = job.printer;
    if (printer == nullptr && !OpenPrinterW(printerName, &printer, nullptr)) {
        printer = nullptr;
    }
    if (printer == nullptr || printer == INVALID_HANDLE_VALUE) {
        job.copies = 1;
        return;
    }
    DWORD error = 0;
    PRINTER_INFO_2W* info = ReadPrinterInfo2(printer, &error);
    if (info == nullptr || (info->Attributes & PRINTER_ATTRIBUTE_DIRECT) != 0) {
        job.copies = 1;
    }
    FreeGlobal(info);
    if (printer != job.printer) {
        ClosePrinter(printer);
    }
}

void FillCapabilities(PRINTPROCESSOR_CAPS_1& caps, DWORD nupOptions, DWORD pageOrderFlags, DWORD copies)
{
    caps.dwNupOptions = nupOptions;
    caps.dwPageOrderFlags = pageOrderFlags;
    caps.dwNumberOfCopies = copies;
}

bool IsEmfRestricted(DWORD attributes)
{
    return (attributes & (PRINTER_ATTRIBUTE_DIRECT | PRINTER_ATTRIBUTE_RAW_ONLY)) != 0 ||
           (attributes & kPlainRemoteAttributes) == kPlainRemoteAttributes;
}

BOOL RunEmfRoad(ProcessorJob& job, LPWSTR documentName)
{
    EmfRoadResult result = {};
    BOOL printed = RunEmfJob(result, job, documentName);
    FreeGlobal(result.jobDevmode);
    return printed;
}

}  // namespace

BOOL WINAPI EnumPrintProcessorDatatypesW(LPWSTR, LPWSTR, DWORD, LPBYTE pDatatypes, DWORD cbBuf,
                                         LPDWORD pcbNeeded, LPDWORD pcReturned)
{
    if (pcbNeeded == nullptr || pcReturned == nullptr) {
        return FALSE;
    }
    *pcReturned = 0;
    DWORD needed = 0;
    for (LPCWSTR name : kDatatypeNames) {
        needed += sizeof(DATATYPES_INFO_1W) + (lstrlenW(name) + 1) * sizeof(WCHAR);
    }
    *pcbNeeded = needed;
    if (cbBuf < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    if (pDatatypes == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto* entries = reinterpret_cast<DATATYPES_INFO_1W*>(pDatatypes);
    // The names end at the last whole character of the buffer.
    auto* stringEnd = reinterpret_cast<LPWSTR>(pDatatypes + (cbBuf & ~static_cast<DWORD>(sizeof(WCHAR) - 1)));
    for (DWORD index = 0; index < kDatatypeCount; ++index) {
        size_t chars = lstrlenW(kDatatypeNames[index]) + 1;
        stringEnd -= chars;
        if (SUCCEEDED(CopyStringSafe(stringEnd, chars, kDatatypeNames[index]))) {
            entries[*pcReturned].pName = stringEnd;
            ++*pcReturned;
        }
    }
    return TRUE;
}

HANDLE WINAPI OpenPrintProcessor(LPWSTR pPrinterName, PPRINTPROCESSOROPENDATA pPrintProcessorOpenData)
{
    if (pPrintProcessorOpenData == nullptr || pPrintProcessorOpenData->pDatatype == nullptr ||
        *pPrintProcessorOpenData->pDatatype == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    const PRINTPROCESSOROPENDATA& data = *pPrintProcessorOpenData;
    DWORD index = FindDatatypeIndex(data.pDatatype);
    auto* job = static_cast<ProcessorJob*>(GlobalAlloc(GPTR, sizeof(ProcessorJob)));
    if (job == nullptr) {
        return nullptr;
    }
    job->datatypeIndex = index;
    if (!OpenDatatypeResources(*job, pPrinterName, data)) {
        FreeProcessorJob(job);
        return nullptr;
    }
    job->signature = kProcessorJobSignature;
    job->size = sizeof(ProcessorJob);
    job->jobId = data.JobId;
    job->pauseEvent = CreateEventW(nullptr, TRUE, TRUE, nullptr);
    job->copies = 1;
    job->tabSize = kDefaultTabSize;
    if (job->pauseEvent == nullptr || !CopyJobStrings(*job, pPrinterName, data)) {
        FreeProcessorJob(job);
        return nullptr;
    }
    ReadJobParameters(*job);
    LimitCopiesOnDirectPrinter(*job, pPrinterName);
    RegisterJob(job);
    if (job->signature != kProcessorJobSignature) {
        FreeProcessorJob(job);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return job;
}

BOOL WINAPI PrintDocumentOnPrintProcessor(HANDLE hPrintProcessor, LPWSTR pDocumentName)
{
    ProcessorJob* job = ValidJobFromHandle(hPrintProcessor);
    if (job == nullptr) {
        return FALSE;
    }
    DWORD index = job->datatypeIndex;
    if (IsRawDatatype(index)) {
        return RunRawJob(*job, pDocumentName, index);
    }
    if (IsEmfDatatype(index)) {
        return RunEmfRoad(*job, pDocumentName);
    }
    if (index == DATATYPE_TEXT) {
        return RunTextJob(*job, pDocumentName);
    }
    return FALSE;
}

BOOL WINAPI ClosePrintProcessor(HANDLE hPrintProcessor)
{
    ProcessorJob* job = nullptr;
    {
        // Out of the set first, so that no control call can reach the record while it goes.
        ProcessLock lock(JobSetLock());
        job = ValidJobFromHandle(hPrintProcessor);
        if (job == nullptr) {
            return FALSE;
        }
        UnregisterJob(job);
    }
    FreeProcessorJob(job);
    return TRUE;
}

BOOL WINAPI ControlPrintProcessor(HANDLE hPrintProcessor, DWORD Command)
{
    // Under the job-set lock, so that the record cannot be closed meanwhile.
    ProcessLock lock(JobSetLock());
    ProcessorJob* job = ValidJobFromHandle(hPrintProcessor);
    if (job == nullptr) {
        return FALSE;
    }
    switch (Command) {
    case JOB_CONTROL_PAUSE:
        ResetEvent(job->pauseEvent);
        SetJobFlags(*job, JOB_FLAG_PAUSED);
        return TRUE;
    case JOB_CONTROL_RESUME:
        if (ReadJobFlags(*job) & JOB_FLAG_PAUSED) {
            ClearJobFlags(*job, JOB_FLAG_PAUSED);
            SetEvent(job->pauseEvent);
        }
        return TRUE;
    case JOB_CONTROL_CANCEL:
        SetJobFlags(*job, JOB_FLAG_ABORTED);
        if (job->printerDC != nullptr) {
            CancelDC(job->printerDC);
        }
        if (ReadJobFlags(*job) & JOB_FLAG_PAUSED) {
            ClearJobFlags(*job, JOB_FLAG_PAUSED);
            SetEvent(job->pauseEvent);
        }
        return TRUE;
    default:
        return FALSE;
    }
}

DWORD WINAPI GetPrintProcessorCapabilities(LPTSTR pValueName, DWORD dwAttributes, LPBYTE pData, DWORD nSize,
                                           LPDWORD pcbNeeded)
{
    if (pcbNeeded == nullptr || pData == nullptr || pValueName == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *pcbNeeded = sizeof(PRINTPROCESSOR_CAPS_1);
    if (nSize < sizeof(PRINTPROCESSOR_CAPS_1)) {
        return ERROR_MORE_DATA;
    }
    auto& caps = *reinterpret_cast<PRINTPROCESSOR_CAPS_1*>(pData);
    caps.dwLevel = 1;
    DWORD index = FindDatatypeIndex(pValueName);
    if (IsRawDatatype(index) || index == DATATYPE_TEXT) {
        FillCapabilities(caps, 1, NORMAL_PRINT, kAnyCopies);
    } else if (IsEmfDatatype(index) && IsEmfRestricted(dwAttributes)) {
        FillCapabilities(caps, 1, NORMAL_PRINT, 1);
    } else if (IsEmfDatatype(index)) {
        FillCapabilities(caps, kEmfNupOptions, REVERSE_PRINT | BOOKLET_PRINT, kAnyCopies);
    } else {
        return ERROR_INVALID_DATATYPE;
    }
    return ERROR_SUCCESS;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID)
{
    if (reason == DLL_PROCESS_DETACH) {
        FreeSettingsLibrary();
    }
    return TRUE;
}
