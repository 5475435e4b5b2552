// The records of the driver's private escapes: the print processor sends the job counts and the
// page placement to the rendering side and asks it for the job settings, the driver state and the
// settings of the current page. The layouts are the escapes' wire format (little-endian, x64) and
// are shared by both sides; fields that neither side names are kept as reserved words.
#pragma once

#include <windows.h>

#include <stddef.h>

// Escape codes (ExtEscape) of the private escapes.
constexpr int ESCAPE_GET_JOB_SETTINGS = 3880;
constexpr int ESCAPE_GET_PAGE_SETTINGS = 3881;
constexpr int ESCAPE_SET_JOB_COUNTS = 3882;
constexpr int ESCAPE_SET_PAGE_PLACEMENT = 3883;
constexpr int ESCAPE_OVERLAY_BEGIN = 3884;
constexpr int ESCAPE_OVERLAY_NONE = 3885;
constexpr int ESCAPE_GET_DRIVER_STATE = 3887;

constexpr DWORD kJobCountsRecordSize = 64;
constexpr DWORD kPagePlacementRecordSize = 436;
constexpr DWORD kJobSettingsRecordSize = 4452;
constexpr DWORD kDriverStateRecordSize = 628;
constexpr DWORD kPageSettingsRecordSize = 48;

constexpr DWORD kOverlayTextChars = 256;
constexpr DWORD kPosterTileCount = 25;
constexpr DWORD kJobSettingsTextChars = 100;
constexpr DWORD kColorToolArgumentChars = 260;
constexpr DWORD kPageCellCount = 16;

// Input of ESCAPE_SET_JOB_COUNTS.
struct JobCountsRecord {
    LONG repeatMode;             // 0
    LONG previewEnabled;         // 4
    LONG printPass;              // 8: 1 on a printing pass, 0 on the preview pass
    LONG previewResolution;      // 12
    LONG echoWordA;              // 16
    LONG copies;                 // 20
    LONG echoWordB;              // 24
    LONG manualDuplex;           // 28
    SHORT firstPageOrientation;  // 32
    SHORT reserved34;
    LONG sheetCopies;       // 36
    LONG secondBatch;       // 40
    LONG largeCustomPaper;  // 44
    LONG multiSheetJob;     // 48
    LONG multiSheetJob2;    // 52
    LONG pageCount;         // 56
    LONG jobId;             // 60
};

// Where one page went on the sheet.
struct PageCellEntry {
    LONG pageNumber;
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
    SHORT orientation;
    SHORT reserved;
};

// Input of ESCAPE_SET_PAGE_PLACEMENT.
struct PagePlacementRecord {
    LONG areaWidth;       // 0
    LONG areaHeight;      // 4
    LONG physicalWidth;   // 8
    LONG physicalHeight;  // 12
    SHORT orientation;    // 16
    SHORT reserved18;
    LONG pageCount;                       // 20
    LONG bookletPages[2];                 // 24
    FLOAT fitScale;                       // 32
    LONG rotatedCell;                     // 36
    LONG previewPass;                     // 40
    LONG lastSheet;                       // 44
    LONG placementWord;                   // 48
    PageCellEntry cells[kPageCellCount];  // 52
};

// The overlay settings of a job, which travel as one setting blob.
struct JobOverlaySettings {
    WCHAR overlayText[kOverlayTextChars];   // job offset 56
    WCHAR overlayText2[kOverlayTextChars];  // 568
    WCHAR overlayFont[kOverlayTextChars];   // 1080
    LONG overlayWords[4];                   // 1592
    LONG overlayStyle;                      // 1608: 0 regular, 1 bold, 2 italic, 3 bold italic
    LONG overlayColor;                      // 1612
    LONG overlayTailWords[2];               // 1616
};

// Output of ESCAPE_GET_JOB_SETTINGS.
struct JobSettingsRecord {
    LONG outputMode;                            // 0
    LONG pageBorders;                           // 4
    LONG nupDirection;                          // 8
    LONG rotate180;                             // 12
    LONG booklet;                               // 16
    LONG fitToPaper;                            // 20
    LONG paperSize;                             // 24
    LONG fitScales;                             // 28
    LONG scalePercent;                          // 32
    LONG maxSheetWidthUm;                       // 36
    LONG maxSheetHeightUm;                      // 40
    LONG cellReports;                           // 44
    LONG overlayFirstPageOnly;                  // 48
    LONG overlayVariant;                        // 52
    JobOverlaySettings overlay;                 // 56
    LONG specialPages;                          // 1624
    LONG firstPageSource;                       // 1628
    LONG firstPageMedia;                        // 1632
    LONG backCover;                             // 1636
    LONG backCoverSource;                       // 1640
    LONG backCoverMediaType;                    // 1644
    LONG otherPagesSource;                      // 1648
    LONG otherPagesMedia;                       // 1652
    LONG marginMode;                            // 1656
    LONG driverMargins;                         // 1660
    LONG placementReports;                      // 1664
    LONG marginVariant;                         // 1668
    LONG manualDuplex;                          // 1672
    LONG duplexSourceFixed;                     // 1676
    LONG bindShortEdge;                         // 1680
    LONG manualDuplexFrontRule;                 // 1684
    LONG manualDuplexBackRule;                  // 1688
    LONG manualDuplexOrderMode;                 // 1692
    LONG dropShortManualDuplex;                 // 1696
    LONG sourceSwap;                            // 1700
    LONG manualDuplexSource;                    // 1704
    LONG alternateSource;                       // 1708
    LONG flipDuplexReverse;                     // 1712
    LONG flipSimplexReverse;                    // 1716
    LONG collateMode;                           // 1720
    LONG echoWordA;                             // 1724
    LONG skipLastBlankBackSingle;               // 1728
    LONG skipLastBlankBack;                     // 1732
    LONG rotationEnabled;                       // 1736
    LONG echoWordB;                             // 1740
    LONG repeatCount;                           // 1744
    LONG repeatMode;                            // 1748
    LONG previewEnabled;                        // 1752
    LONG poster;                                // 1756
    LONG posterSize;                            // 1760
    LONG posterTileSelected[kPosterTileCount];  // 1764
    LONG expandToEdges;                         // 1864
    LONG driverStateWordA;                      // 1868
    LONG driverStateWordB;                      // 1872
    LONG centreImage;                           // 1876
    FLOAT expandMarginsA[2];                    // 1880
    LONG driverStateWordC;                      // 1888
    FLOAT expandMarginsB[2];                    // 1892
    LONG mmMarginsOn;                           // 1900
    FLOAT mmMargins[4];                         // 1904
    LONG lastSheetSource;                       // 1920
    LONG lastSheetMediaType;                    // 1924
    LONG frontCoverSource;                      // 1928
    LONG frontCoverMediaType;                   // 1932
    LONG frontCover;                            // 1936
    LONG lastSheetSpecial;                      // 1940
    LONG duplexMediaType1;                      // 1944
    LONG duplexMediaType2;                      // 1948
    LONG duplexMediaOn;                         // 1952
    LONG driverWordA;                           // 1956
    LONG markLastSheet;                         // 1960
    LONG lastSheetSupported;                    // 1964
    LONG pageParityMode;                        // 1968
    LONG mediaOverride;                         // 1972
    LONG rotateSheet;                           // 1976
    LONG sourceOverride;                        // 1980
    LONG uncollatedCopiesByProcessor;           // 1984
    BYTE reserved1988[400];
    WCHAR jobText[kJobSettingsTextChars];  // 2388
    BYTE reserved2588[1804];
    LONG driverScales;  // 4392
    LONG reserved4396;
    LONG previewResolution;  // 4400
    LONG reserved4404;
    LONG maxPaperWidth;     // 4408
    LONG previewNoRescale;  // 4412
    BYTE reserved4416[36];
};

// Output of ESCAPE_GET_DRIVER_STATE.
struct DriverStateRecord {
    LONG repeatCount;       // 0
    LONG repeatMode;        // 4
    LONG driverStateWordA;  // 8
    LONG previewEnabled;    // 12
    LONG reserved16;
    LONG echoWordA;                // 20
    LONG echoWordB;                // 24
    LONG rotationEnabled;          // 28
    LONG skipLastBlankBackSingle;  // 32
    LONG skipLastBlankBack;        // 36
    LONG expandToEdges;            // 40
    LONG driverStateWordB;         // 44
    LONG centreImage;              // 48
    FLOAT expandMargins[4];        // 52
    LONG driverStateWordC;         // 68
    LONG mmMarginsOn;              // 72
    LONG reserved76[4];
    LONG pageParityMode;    // 92
    LONG driverWordB;       // 96
    LONG colorToolEnabled;  // 100
    LONG reserved104;
    WCHAR colorToolArgument[kColorToolArgumentChars];  // 108
};

// Output of ESCAPE_GET_PAGE_SETTINGS for the page the DC is set to.
struct PageSettingsRecord {
    LONG printableWidth;   // 0
    LONG printableHeight;  // 4
    LONG marginX;          // 8
    LONG marginY;          // 12
    LONG offsetX;          // 16
    LONG offsetY;          // 20
    LONG spaceMarker;      // 24
    LONG imageOffsetX;     // 28
    LONG imageOffsetY;     // 32
    LONG imageWidth;       // 36
    LONG imageHeight;      // 40
    LONG marginFlag;       // 44
};

static_assert(sizeof(JobCountsRecord) == kJobCountsRecordSize, "job counts are 64 bytes");
static_assert(offsetof(JobCountsRecord, printPass) == 8, "job counts layout");
static_assert(offsetof(JobCountsRecord, copies) == 20, "job counts layout");
static_assert(offsetof(JobCountsRecord, firstPageOrientation) == 32, "job counts layout");
static_assert(offsetof(JobCountsRecord, sheetCopies) == 36, "job counts layout");
static_assert(offsetof(JobCountsRecord, secondBatch) == 40, "job counts layout");
static_assert(offsetof(JobCountsRecord, largeCustomPaper) == 44, "job counts layout");
static_assert(offsetof(JobCountsRecord, pageCount) == 56, "job counts layout");
static_assert(offsetof(JobCountsRecord, jobId) == 60, "job counts layout");

static_assert(sizeof(PageCellEntry) == 24, "a page cell is 24 bytes");
static_assert(sizeof(PagePlacementRecord) == kPagePlacementRecordSize, "placement is 436 bytes");
static_assert(offsetof(PagePlacementRecord, physicalHeight) == 12, "placement layout");
static_assert(offsetof(PagePlacementRecord, orientation) == 16, "placement layout");
static_assert(offsetof(PagePlacementRecord, pageCount) == 20, "placement layout");
static_assert(offsetof(PagePlacementRecord, fitScale) == 32, "placement layout");
static_assert(offsetof(PagePlacementRecord, rotatedCell) == 36, "placement layout");
static_assert(offsetof(PagePlacementRecord, previewPass) == 40, "placement layout");
static_assert(offsetof(PagePlacementRecord, cells) == 52, "placement layout");
static_assert(sizeof(PagePlacementRecord::cells) == 384, "sixteen page cells");

static_assert(sizeof(JobOverlaySettings) == 1568, "the overlay blob is 1568 bytes");
static_assert(sizeof(JobSettingsRecord) == kJobSettingsRecordSize, "job settings are 4452 bytes");
static_assert(offsetof(JobSettingsRecord, maxSheetWidthUm) == 36, "job settings layout");
static_assert(offsetof(JobSettingsRecord, overlay) == 56, "job settings layout");
static_assert(offsetof(JobSettingsRecord, overlay.overlayText2) == 568, "job settings layout");
static_assert(offsetof(JobSettingsRecord, overlay.overlayStyle) == 1608, "job settings layout");
static_assert(offsetof(JobSettingsRecord, specialPages) == 1624, "job settings layout");
static_assert(offsetof(JobSettingsRecord, marginMode) == 1656, "job settings layout");
static_assert(offsetof(JobSettingsRecord, manualDuplex) == 1672, "job settings layout");
static_assert(offsetof(JobSettingsRecord, alternateSource) == 1708, "job settings layout");
static_assert(offsetof(JobSettingsRecord, echoWordA) == 1724, "job settings layout");
static_assert(offsetof(JobSettingsRecord, repeatCount) == 1744, "job settings layout");
static_assert(offsetof(JobSettingsRecord, repeatMode) == 1748, "job settings layout");
static_assert(offsetof(JobSettingsRecord, posterSize) == 1760, "job settings layout");
static_assert(offsetof(JobSettingsRecord, posterTileSelected) == 1764, "job settings layout");
static_assert(offsetof(JobSettingsRecord, expandToEdges) == 1864, "job settings layout");
static_assert(offsetof(JobSettingsRecord, expandMarginsA) == 1880, "job settings layout");
static_assert(offsetof(JobSettingsRecord, driverStateWordC) == 1888, "job settings layout");
static_assert(offsetof(JobSettingsRecord, expandMarginsB) == 1892, "job settings layout");
static_assert(offsetof(JobSettingsRecord, mmMarginsOn) == 1900, "job settings layout");
static_assert(offsetof(JobSettingsRecord, lastSheetSource) == 1920, "job settings layout");
static_assert(offsetof(JobSettingsRecord, driverWordA) == 1956, "job settings layout");
static_assert(offsetof(JobSettingsRecord, pageParityMode) == 1968, "job settings layout");
static_assert(offsetof(JobSettingsRecord, uncollatedCopiesByProcessor) == 1984, "job settings layout");
static_assert(offsetof(JobSettingsRecord, jobText) == 2388, "job settings layout");
static_assert(offsetof(JobSettingsRecord, driverScales) == 4392, "job settings layout");
static_assert(offsetof(JobSettingsRecord, previewResolution) == 4400, "job settings layout");
static_assert(offsetof(JobSettingsRecord, maxPaperWidth) == 4408, "job settings layout");
static_assert(offsetof(JobSettingsRecord, previewNoRescale) == 4412, "job settings layout");

static_assert(sizeof(DriverStateRecord) == kDriverStateRecordSize, "driver state is 628 bytes");
static_assert(offsetof(DriverStateRecord, previewEnabled) == 12, "driver state layout");
static_assert(offsetof(DriverStateRecord, echoWordA) == 20, "driver state layout");
static_assert(offsetof(DriverStateRecord, expandToEdges) == 40, "driver state layout");
static_assert(offsetof(DriverStateRecord, expandMargins) == 52, "driver state layout");
static_assert(offsetof(DriverStateRecord, driverStateWordC) == 68, "driver state layout");
static_assert(offsetof(DriverStateRecord, mmMarginsOn) == 72, "driver state layout");
static_assert(offsetof(DriverStateRecord, pageParityMode) == 92, "driver state layout");
static_assert(offsetof(DriverStateRecord, driverWordB) == 96, "driver state layout");
static_assert(offsetof(DriverStateRecord, colorToolEnabled) == 100, "driver state layout");
static_assert(offsetof(DriverStateRecord, colorToolArgument) == 108, "driver state layout");

static_assert(sizeof(PageSettingsRecord) == kPageSettingsRecordSize, "page settings are 48 bytes");
static_assert(offsetof(PageSettingsRecord, spaceMarker) == 24, "page settings layout");
static_assert(offsetof(PageSettingsRecord, imageOffsetX) == 28, "page settings layout");
static_assert(offsetof(PageSettingsRecord, marginFlag) == 44, "page settings layout");

// Every named field at its place in the wire format.
static_assert(offsetof(JobCountsRecord, repeatMode) == 0, "JobCountsRecord layout");
static_assert(offsetof(JobCountsRecord, previewEnabled) == 4, "JobCountsRecord layout");
static_assert(offsetof(JobCountsRecord, previewResolution) == 12, "JobCountsRecord layout");
static_assert(offsetof(JobCountsRecord, echoWordA) == 16, "JobCountsRecord layout");
static_assert(offsetof(JobCountsRecord, echoWordB) == 24, "JobCountsRecord layout");
static_assert(offsetof(JobCountsRecord, manualDuplex) == 28, "JobCountsRecord layout");
static_assert(offsetof(JobCountsRecord, multiSheetJob) == 48, "JobCountsRecord layout");
static_assert(offsetof(JobCountsRecord, multiSheetJob2) == 52, "JobCountsRecord layout");
static_assert(offsetof(PagePlacementRecord, areaWidth) == 0, "PagePlacementRecord layout");
static_assert(offsetof(PagePlacementRecord, areaHeight) == 4, "PagePlacementRecord layout");
static_assert(offsetof(PagePlacementRecord, physicalWidth) == 8, "PagePlacementRecord layout");
static_assert(offsetof(PagePlacementRecord, bookletPages) == 24, "PagePlacementRecord layout");
static_assert(offsetof(PagePlacementRecord, lastSheet) == 44, "PagePlacementRecord layout");
static_assert(offsetof(PagePlacementRecord, placementWord) == 48, "PagePlacementRecord layout");
static_assert(offsetof(JobSettingsRecord, outputMode) == 0, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, pageBorders) == 4, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, nupDirection) == 8, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, rotate180) == 12, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, booklet) == 16, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, fitToPaper) == 20, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, paperSize) == 24, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, fitScales) == 28, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, scalePercent) == 32, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, maxSheetHeightUm) == 40, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, cellReports) == 44, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, overlayFirstPageOnly) == 48, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, overlayVariant) == 52, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, firstPageSource) == 1628, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, firstPageMedia) == 1632, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, backCover) == 1636, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, backCoverSource) == 1640, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, backCoverMediaType) == 1644, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, otherPagesSource) == 1648, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, otherPagesMedia) == 1652, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, driverMargins) == 1660, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, placementReports) == 1664, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, marginVariant) == 1668, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, duplexSourceFixed) == 1676, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, bindShortEdge) == 1680, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, manualDuplexFrontRule) == 1684, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, manualDuplexBackRule) == 1688, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, manualDuplexOrderMode) == 1692, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, dropShortManualDuplex) == 1696, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, sourceSwap) == 1700, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, manualDuplexSource) == 1704, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, flipDuplexReverse) == 1712, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, flipSimplexReverse) == 1716, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, collateMode) == 1720, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, skipLastBlankBackSingle) == 1728, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, skipLastBlankBack) == 1732, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, rotationEnabled) == 1736, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, echoWordB) == 1740, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, previewEnabled) == 1752, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, poster) == 1756, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, driverStateWordA) == 1868, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, driverStateWordB) == 1872, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, centreImage) == 1876, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, mmMargins) == 1904, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, lastSheetMediaType) == 1924, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, frontCoverSource) == 1928, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, frontCoverMediaType) == 1932, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, frontCover) == 1936, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, lastSheetSpecial) == 1940, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, duplexMediaType1) == 1944, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, duplexMediaType2) == 1948, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, duplexMediaOn) == 1952, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, markLastSheet) == 1960, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, lastSheetSupported) == 1964, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, mediaOverride) == 1972, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, rotateSheet) == 1976, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, sourceOverride) == 1980, "JobSettingsRecord layout");
static_assert(offsetof(DriverStateRecord, repeatCount) == 0, "DriverStateRecord layout");
static_assert(offsetof(DriverStateRecord, repeatMode) == 4, "DriverStateRecord layout");
static_assert(offsetof(DriverStateRecord, driverStateWordA) == 8, "DriverStateRecord layout");
static_assert(offsetof(DriverStateRecord, echoWordB) == 24, "DriverStateRecord layout");
static_assert(offsetof(DriverStateRecord, rotationEnabled) == 28, "DriverStateRecord layout");
static_assert(offsetof(DriverStateRecord, skipLastBlankBackSingle) == 32, "DriverStateRecord layout");
static_assert(offsetof(DriverStateRecord, skipLastBlankBack) == 36, "DriverStateRecord layout");
static_assert(offsetof(DriverStateRecord, driverStateWordB) == 44, "DriverStateRecord layout");
static_assert(offsetof(DriverStateRecord, centreImage) == 48, "DriverStateRecord layout");
static_assert(offsetof(PageSettingsRecord, printableWidth) == 0, "PageSettingsRecord layout");
static_assert(offsetof(PageSettingsRecord, printableHeight) == 4, "PageSettingsRecord layout");
static_assert(offsetof(PageSettingsRecord, marginX) == 8, "PageSettingsRecord layout");
static_assert(offsetof(PageSettingsRecord, marginY) == 12, "PageSettingsRecord layout");
static_assert(offsetof(PageSettingsRecord, offsetX) == 16, "PageSettingsRecord layout");
static_assert(offsetof(PageSettingsRecord, offsetY) == 20, "PageSettingsRecord layout");
static_assert(offsetof(PageSettingsRecord, imageOffsetY) == 32, "PageSettingsRecord layout");
static_assert(offsetof(PageSettingsRecord, imageWidth) == 36, "PageSettingsRecord layout");
static_assert(offsetof(PageSettingsRecord, imageHeight) == 40, "PageSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, overlay.overlayText) == 56, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, overlay.overlayFont) == 1080, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, overlay.overlayWords) == 1592, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, overlay.overlayColor) == 1612, "JobSettingsRecord layout");
static_assert(offsetof(JobSettingsRecord, overlay.overlayTailWords) == 1616, "JobSettingsRecord layout");
static_assert(offsetof(PageCellEntry, pageNumber) == 0, "PageCellEntry layout");
static_assert(offsetof(PageCellEntry, left) == 4, "PageCellEntry layout");
static_assert(offsetof(PageCellEntry, top) == 8, "PageCellEntry layout");
static_assert(offsetof(PageCellEntry, right) == 12, "PageCellEntry layout");
static_assert(offsetof(PageCellEntry, bottom) == 16, "PageCellEntry layout");
static_assert(offsetof(PageCellEntry, orientation) == 20, "PageCellEntry layout");
