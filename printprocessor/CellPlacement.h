// Where one spooled page lands on a sheet side: its cell, its frame and the world transform that
// turns and shifts it there.
#pragma once

#include <windows.h>

#include "printprocessor/EmfJob.h"

// How a page is oriented in its cell.
enum PlacementMode : LONG {
    PLACE_UPRIGHT = 1,
    PLACE_OPPOSITE_TURN = 2,
    PLACE_HALF_TURN = 3,
    PLACE_OTHER_ORIENTATION = 4,
    PLACE_OTHER_ORIENTATION_HALF_TURN = 5,
};

// Kinds of turn that SetCellTransform puts into the world transform.
enum CellTurn : int {
    TURN_QUARTER = 1,
    TURN_OPPOSITE_QUARTER = 2,
    TURN_HALF = 3,
    TURN_OPPOSITE_QUARTER_B = 4,
    TURN_OPPOSITE_QUARTER_C = 5,
};

// The placement state of one strategy run; every page placed starts by resetting it.
struct CellPlacement {
    CNiraEmfJob* job = nullptr;
    HANDLE spoolHandle = nullptr;
    HDC printerDC = nullptr;
    RECT cellRect = {};
    RECT borderRect = {};
    RECT clipRect = {};
    RECT turnedRect = {};
    XFORM shiftTransform = {1, 0, 0, 1, 0, 0};
    XFORM turnTransform = {0, -1, 1, 0, 0, 0};
    LONG rotatedCell = 0;
    LONG rotationMode = PLACE_UPRIGHT;
    LONG printableWidth = 0;
    LONG printableHeight = 0;
    LONG physicalWidth = 0;
    LONG physicalHeight = 0;
    HPEN posterPen = nullptr;
};

// Resets the rectangles to -1, the transforms, the turn and the sizes before a page is placed.
void ResetPlacement(CellPlacement& placement, LONG rotationMode);

// Fills cellRect, borderRect, the four sizes and rotatedCell for the page in 1-based cell
// cellNumber of a side with pagesPerSheet pages; FALSE for a count other than 1, 2, 4, 6, 9, 16
// or a DC without resolution or paper size.
BOOL ComputeCell(CellPlacement& placement, DEVMODEW* pageDevmode, LONG pagesPerSheet, LONG pageNumber,
                 LONG cellNumber);

// Whether a two-sided job's pages all fit on the two sides of one sheet.
bool FitsOneSheet(const CNiraEmfJob& job);
// Whether the job is printed two-sided by hand with the driver's own margins.
bool ManualDuplexMargins(const JobSettingsRecord& settings);
// The two-sided fine offsets of a page printed one a sheet, onto its cell.
void ApplySheetFineOffsets(CellPlacement& placement, DEVMODEW* pageDevmode);
// The two-sided fine offsets of the page in 0-based cell cellIndex of an n-up sheet, onto its cell.
void ApplyCellFineOffsets(CellPlacement& placement, DEVMODEW* pageDevmode, LONG pagesPerSheet,
                          LONG cellIndex);

// Sets the turn of the given kind, moves the page to (x, y) and makes both the DC's world
// transform; FALSE for an unknown kind or a refused transform.
BOOL SetCellTransform(CellPlacement& placement, int kind, FLOAT x, FLOAT y);

// Widens the cell so that the image reaches the printable area's edges when the driver asks for
// it; answers 1 when it does nothing.
BOOL ExpandToPrintableArea(CellPlacement& placement);

// Places one spooled page into its cell of the side that the caller started and plays it; the
// world transform is the identity again afterwards. FALSE when the page could not be placed.
BOOL PlayPageInCell(CellPlacement& placement, HANDLE pageHandle, DEVMODEW* pageDevmode, LONG pagesPerSheet,
                    LONG pageNumber, LONG cellNumber, LONG rotationMode);

// Whether the job prints its pages at a percentage other than 100 (25 to 400).
bool ScaledPercent(const JobSettingsRecord& settings);
// The page's percentage as the world transform's scale; answers 1 when it does nothing.
BOOL ApplyWorldScale(CellPlacement& placement);
// The page's percentage made by the driver through the paper size: the cell clips the page.
BOOL ApplyScaledPaperWidth(CellPlacement& placement);
// Takes the job's millimetre margins off the rectangle.
BOOL InsetMillimetreMargins(CellPlacement& placement, RECT& rect);
// Whether the played page's clip takes the millimetre margins (the driver scales in output mode 4).
bool MillimetreMarginsApply(const JobSettingsRecord& settings);
// Centres the driver's image on the sheet; answers 1 when it does nothing.
BOOL CentreImageOnSheet(CellPlacement& placement);

// The page on the job's chosen paper: centred, or scaled to the printable area; the scale.
float FitToPaper(CellPlacement& placement, float lx, float ly, LONG pageNumber, LONG cellIndex);
// The page at its own size in the middle of the sheet, from its size record (13 slots).
void CentrePage(CellPlacement& placement, const LONG* sizeRecord);
// One page a sheet scaled to fill the printable area in one direction; the scale.
float FitPage(CellPlacement& placement, const LONG* sizeRecord, float lx, float ly);
// The scale of a turned booklet cell; 1.0 when the cell keeps its place.
float FitBookletCell(CellPlacement& placement, const LONG* sizeRecord, float lx, float ly, LONG cellIndex);

// Reports the page's cell to the render module and draws the overlay text or the space marker.
BOOL OverlayStep(CellPlacement& placement, const DEVMODEW* pageDevmode, LONG pageNumber, LONG cellNumber,
                 LONG pagesPerSheet);

// Plays the page magnified over the chosen poster tiles, each on a sheet side of its own; the
// caller started the first side and ends the last. FALSE when no tile is printed.
BOOL PlayPosterTiles(CellPlacement& placement, HANDLE pageHandle, const DEVMODEW* pageDevmode,
                     LONG pageNumber);
