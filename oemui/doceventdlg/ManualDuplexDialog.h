// The manual two-sided printing instructions: a heading and three illustrated steps for turning
// the printed stack over, modal (the caller waits for Continue) or modeless (it only informs).
#pragma once

#include <windows.h>

#include "oemui/doceventdlg/JobRequests.h"

// Shows the dialog modally on this thread with the request copy in LocalAlloc memory, then frees
// the copy. The thread routine of a modeless dialog.
DWORD WINAPI RunManualDuplexDialog(LPVOID copy);

// Starts the dialog on a thread of its own, which frees the copy; the copy is freed here when no
// thread starts.
void StartManualDuplexDialog(ManualDuplexRequest* copy);

// The text of the third step: for a modeless dialog whose step-3 text is the joined one, that text
// and the one after it on two lines.
void ManualDuplexStep3Text(const class CNiraDialogHelper& helper, const ManualDuplexRequest& request,
                           LPWSTR buffer, size_t capacity);
