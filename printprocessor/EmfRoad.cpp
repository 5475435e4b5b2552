#include "printprocessor/EmfRoad.h"

BOOL RunEmfJob(EmfRoadResult&, ProcessorJob&, LPWSTR)
{
    // Playing EMF spool files is not part of this processor yet: the job fails visibly.
    SetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
}
