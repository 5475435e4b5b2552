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

private:
    int GetJobSettings();
    int GetDriverState();
    int SetJobCounts();
    // Sends a record to the render module; 1 when it answers above 0.
    int SendRecord(int code, const void* record, int size);
    // The sheets of all copies that the job counts announce.
    LONG CountSheetCopies() const;
};
