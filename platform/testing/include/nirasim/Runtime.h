// Test control of the simulated machine's runtime: the ANSI code page and the debug-output journal.
// For tests and the host program only; production code never includes it.
#pragma once

#include <stddef.h>

#include <string>
#include <vector>

namespace nirasim {

// The code page that CP_ACP (and GetACP) stands for; 0 restores the default, Windows-1252.
// A code page the machine does not know makes every CP_ACP conversion fail with
// ERROR_INVALID_PARAMETER, which is how a test provokes a failed conversion.
void SetAnsiCodePage(unsigned int codePage);
unsigned int GetAnsiCodePage();

// The blocks of the process, local and global heaps that are allocated and not yet freed; a test
// compares the count before and after an object's life to see that it freed what it owned.
size_t LiveHeapBlocks();
// Of those, the blocks made by GlobalAlloc (a DEVMODE handed out to GDI, ...).
size_t LiveGlobalBlocks();

// Every OutputDebugStringW/A call of the process so far, oldest first, one entry per call
// (narrow text converted with the ANSI code page).
std::vector<std::u16string> ReadDebugJournal();
void ClearDebugJournal();
// True when some entry contains the text.
bool DebugJournalContains(const std::u16string& text);

// Waits until every thread that CreateThread started has returned.
void WaitForStartedThreads();

}  // namespace nirasim
