// The state of one EMF job. The records that travel with the private driver escapes lie inside
// it as plain fields, so that an escape is sent from and answered into its place.
#pragma once

#include <windows.h>
#include <winsplp.h>

#include "common/EscapeRecords.h"
#include "printprocessor/ProcessorJob.h"

class CNiraEmfJob {
public:
    CNiraEmfJob(ProcessorJob* processorJob, DEVMODEW* jobDevmode);

    // Sends one private escape to the printer DC (ESCAPE_GET_JOB_SETTINGS ...
    // ESCAPE_GET_DRIVER_STATE); 1 or 0 as each escape defines it. Codes that are not private
    // escapes are never sent and answer 0.
    int SendDriverEscape(int code);

    // Writes the defaults that stand for the driver's job settings when it does not answer.
    void ApplySettingsDefaults();

    ATTRIBUTE_INFO_3 attributes;
    LONG pagesPerSide;
    LONG copies;
    LONG blankBackPending;
    ProcessorJob* processorJob;
    DEVMODEW* jobDevmode;
    HDC printerDC;
    LONG pageCount;
    SHORT firstPageOrientation;
    JobSettingsRecord settings;
    DriverStateRecord driverState;
    PageSettingsRecord pageSettings;
    JobCountsRecord jobCounts;
    PagePlacementRecord placement;
    LONG secondBatch;
    LONG driverRepeatMode;
    LONG previewPass;

    // Layout of the pass; zero fields are zero at construction.
    LONG displayDpi = kDefaultDisplayDpi;
    LONG devicePrintQuality = kDefaultPrintQuality;
    LONG driverPagesPerSide = 1;
    LONG nupPages = 1;
    LONG driverCopies = 1;
    LONG reverseOrder = 0;
    LONG noBorders = 1;
    LONG duplex = 0;
    LONG duplexKind = 0;
    LONG collate = 0;
    LONG mixedOrientation = 0;
    // The orientation of the page in cell 1 of the sheet being placed: the later cells of a
    // sheet with mixed orientations take their fine offsets from it.
    SHORT cellOneOrientation = DMORIENT_PORTRAIT;
    LONG lastSheetCounted = 0;
    LONG lastSheetCopies = 0;
    LONG posterLastSheetPending = 0;
    LONG paperWidthClamped = 0;
    LONG requestedPaperWidth = 0;
    LONG bookletRequested = 0;
    LONG attributesChanged = 0;
    LONG bannerForm = 0;
    LONG endPageOptimization = 0;
    HANDLE spoolHandle = nullptr;
    DEVMODEW* pageDevmode = nullptr;
    SHORT firstPaperSize = 0;
    SHORT jobOrientation = DMORIENT_PORTRAIT;
    LONG rememberedCollate = 0;
    LONG rememberedCopies = 0;
    LONG bookletSheetCount = 0;
    LONG coverSourceSet = 0;
    LONG manualDuplexFrontFlip = 0;
    LONG manualDuplexBackFlip = 0;
    LONG frontOrder = 0;
    LONG backOrder = 0;
    // Per page, thirteen values: the printable and physical sizes and the paper of the page in its
    // own orientation and turned (PageMetrics); kept from the preview pass for the printing pass.
    LONG* pageSizeTable = nullptr;
    LONG pageSizeTablePages = 0;

    // Clears the cells sent with the placement escape when the driver wants cell reports.
    void ClearPlacement();
    // The spooler's layout attributes of the job; false when it has none.
    bool QueryJobAttributes();
    // Prepares one pass over the spooled pages on the spool file and DC.
    bool StartPass(HANDLE spool, HDC dc);
    // Counts the spooled pages when a setting needs the total (the count waits for the whole job).
    void CountPages();
    // Decides the pass's dmDuplex and duplexKind from the first page's DEVMODE.
    void ChooseDuplex(DEVMODEW* firstPage);
    // Sends count empty pages; stops at the first failure (false).
    bool EmitBlankPages(LONG count);
    // Whether the page's physical size exceeds the driver's largest sheet.
    bool PageExceedsPaper(const DEVMODEW* page) const;
    // Fills pageSizeTable for every page; false without pages, page DEVMODEs or memory.
    bool BuildPageMetrics();
    // Marks the private section of the DEVMODE (page 1's when null) as holding both orientations.
    bool MarkMixedOrientation(DEVMODEW* page);
    // Forgets the spool handle and page DEVMODE and frees the page-size table.
    void Release();

    // The job setting outputMode is 1, 2, 4 or 5.
    bool IsOutputMode1245() const;
    // Whether 2-up and 6-up cells lie across the sheet of the printer DC.
    bool CellsTurned() const;
    // The dmDuplex value for a two-sided pass: 1 one-sided, 2 or 3.
    SHORT DuplexBinding(SHORT orientation, bool turned) const;

    static constexpr LONG kDefaultDisplayDpi = 96;
    static constexpr LONG kDefaultPrintQuality = 600;

private:
    bool ApplyJobAttributes();
    void CheckFirstPageSource();
    void SetManualDuplexOrder();
    bool ScanPages();
    void FillPageMetrics(LONG* slots, const DEVMODEW& page);
    bool TakeFirstPageSettings();
    void SettleCollation();
    int GetJobSettings();
    int GetDriverState();
    int SetJobCounts();
    // Sends a record to the render module; 1 when it answers above 0.
    int SendRecord(int code, const void* record, int size);
    // The sheets of all copies that the job counts announce.
    LONG CountSheetCopies() const;
};
