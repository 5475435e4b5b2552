#include "printprocessor/RawJob.h"

#include "printprocessor/FormFeedTracker.h"

namespace {

constexpr BYTE kFormFeed = 0x0C;

// Whether a form feed follows a copy, by datatype and what the copy ended with.
bool NeedsFormFeed(DWORD datatypeIndex, DWORD lastMark)
{
    switch (datatypeIndex) {
    case DATATYPE_RAW_FF_APPENDED:
        return lastMark == RAW_MARK_PRINTABLE || lastMark == RAW_MARK_FORM_FEED;
    case DATATYPE_RAW_FF_AUTO:
        return lastMark == RAW_MARK_PRINTABLE;
    default:
        return false;
    }
}

bool TracksFormFeeds(DWORD datatypeIndex)
{
    return datatypeIndex == DATATYPE_RAW_FF_APPENDED || datatypeIndex == DATATYPE_RAW_FF_AUTO;
}

// Copies one copy's data; false when its spooled data cannot be opened.
bool CopyOneCopy(ProcessorJob& job, LPWSTR documentName, DWORD datatypeIndex, BYTE* buffer,
                 FormFeedTracker& tracker)
{
    HANDLE source = nullptr;
    if (!OpenPrinterW(documentName, &source, nullptr)) {
        return false;
    }
    DWORD read = 0;
    while (ReadPrinter(source, buffer, kSpoolReadChunk, &read) && read > 0) {
        if (TracksFormFeeds(datatypeIndex)) {
            for (DWORD i = 0; i < read; ++i) {
                TrackFormFeed(tracker, buffer[i]);
            }
        }
        if (WaitWhilePausedAndCheckAbort(job)) {
            break;
        }
        DWORD written = 0;
        WritePrinter(job.printer, buffer, read, &written);
    }
    // A cancelled job gets no form feed either: nothing is written after the cancel.
    bool aborted = (ReadJobFlags(job) & JOB_FLAG_ABORTED) != 0;
    if (!aborted && NeedsFormFeed(datatypeIndex, tracker.lastMark)) {
        BYTE formFeed = kFormFeed;
        DWORD written = 0;
        WritePrinter(job.printer, &formFeed, sizeof(formFeed), &written);
    }
    ClosePrinter(source);
    return true;
}

}  // namespace

BOOL RunRawJob(ProcessorJob& job, LPWSTR documentName, DWORD datatypeIndex)
{
    DOC_INFO_1W docInfo = {job.documentName, job.outputFile, job.datatypeName};
    if (StartDocPrinterW(job.printer, 1, reinterpret_cast<LPBYTE>(&docInfo)) == 0) {
        return FALSE;
    }
    auto* buffer = static_cast<BYTE*>(GlobalAlloc(GMEM_FIXED, kSpoolReadChunk));
    if (buffer == nullptr) {
        EndDocPrinter(job.printer);
        return FALSE;
    }
    FormFeedTracker tracker = {};
    tracker.datatypeIndex = datatypeIndex;
    BOOL allOpened = job.copies > 0 && job.copies < kMaxJobCopies;
    for (DWORD copy = 0; allOpened && copy < job.copies; ++copy) {
        allOpened = CopyOneCopy(job, documentName, datatypeIndex, buffer, tracker);
    }
    GlobalFree(buffer);
    EndDocPrinter(job.printer);
    return allOpened;
}
