// The preview pages of the render module: while the print processor runs a preview pass, every
// finished sheet is written as a bitmap "[j<job>]-[p<sheet>].bmp" into the temporary folder, where
// the preview reads it.
#pragma once

#include <windows.h>

#include "common/EscapeRecords.h"

// Whether jobs ask for a preview: the sample package's DWORD "PreviewEnabled" (1 on) under
// HKLM "SOFTWARE\NiraSample\RenderModule", set by tests and the host program.
bool PreviewRequested();
// The job counts the print processor sends at the start of each pass: a preview pass starts the
// sheet numbering afresh.
void TakeJobCounts(const JobCountsRecord& counts);
// A finished sheet of the pass (rows from the top, 4 bytes a pixel: blue, green, red, unused).
void TakeSheet(DWORD jobId, const BYTE* pixels, LONG width, LONG height, LONG stride, LONG dpi,
               LONG previewResolution);
