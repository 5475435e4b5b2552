// The job storage notice: where a job stored on the printer is kept, under which user and job
// name, and a check box that stops the notice; the choice is kept as "ShowJobStorageDlg" under
// the user's settings key. Each notice runs on a thread of its own.
#pragma once

#include <windows.h>

#include "oemui/doceventdlg/JobRequests.h"

// Starts the dialog thread on a request copy in LocalAlloc memory, which the thread frees; the
// copy is freed here when no thread starts. FALSE then.
BOOL StartJobStorageDialog(JobStorageRequest* copy);

// The job name the dialog shows: the name, with "(1-99)" when both numbering flags are 1.
void JobStorageJobName(const JobStorageRequest& request, LPWSTR buffer, size_t capacity);
