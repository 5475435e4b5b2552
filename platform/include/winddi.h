// Declarations of the display-driver interface (<winddi.h>) that a printer driver's device records
// use: the DEVINFO and GDIINFO records a driver fills when its device is enabled, and the
// capability and halftone flags of their fields. Layouts are those of Windows x64.
#pragma once

#include <stddef.h>
#include <windef.h>
#include <wingdi.h>

typedef ULONG FLONG;
typedef LONG LDECI4;  // a fixed-point number with four decimal places

// flGraphicsCaps of DEVINFO.
#define GCAPS_MONO_DITHER 0x00000400
#define GCAPS_DONTJOURNAL 0x00002000

// flGraphicsCaps2 of DEVINFO.
#define GCAPS2_JPEGSRC 0x00000001
#define GCAPS2_PNGSRC 0x00000008

// flHTFlags of GDIINFO.
#define HT_FLAG_PRINT_DRAFT_MODE 0x00000200

typedef struct _CIECHROMA {
    LDECI4 x;
    LDECI4 y;
    LDECI4 Y;
} CIECHROMA;

typedef struct _COLORINFO {
    CIECHROMA Red;
    CIECHROMA Green;
    CIECHROMA Blue;
    CIECHROMA Cyan;
    CIECHROMA Magenta;
    CIECHROMA Yellow;
    CIECHROMA AlignmentWhite;
    LDECI4 RedGamma;
    LDECI4 GreenGamma;
    LDECI4 BlueGamma;
    LDECI4 MagentaInCyanDye;
    LDECI4 YellowInCyanDye;
    LDECI4 CyanInMagentaDye;
    LDECI4 YellowInMagentaDye;
    LDECI4 CyanInYellowDye;
    LDECI4 MagentaInYellowDye;
} COLORINFO, *PCOLORINFO;

// What the driver and its device can do, for the graphics engine.
typedef struct tagDEVINFO {
    FLONG flGraphicsCaps;
    LOGFONTW lfDefaultFont;
    LOGFONTW lfAnsiVarFont;
    LOGFONTW lfAnsiFixFont;
    ULONG cFonts;
    ULONG iDitherFormat;
    USHORT cxDither;
    USHORT cyDither;
    HPALETTE hpalDefault;
    FLONG flGraphicsCaps2;
} DEVINFO, *PDEVINFO;

// The graphics capabilities of the device: sizes, resolutions and halftoning.
typedef struct _GDIINFO {
    ULONG ulVersion;
    ULONG ulTechnology;
    ULONG ulHorzSize;
    ULONG ulVertSize;
    ULONG ulHorzRes;
    ULONG ulVertRes;
    ULONG cBitsPixel;
    ULONG cPlanes;
    ULONG ulNumColors;
    ULONG flRaster;
    ULONG ulLogPixelsX;
    ULONG ulLogPixelsY;
    ULONG flTextCaps;
    ULONG ulDACRed;
    ULONG ulDACGreen;
    ULONG ulDACBlue;
    ULONG ulAspectX;
    ULONG ulAspectY;
    ULONG ulAspectXY;
    LONG xStyleStep;
    LONG yStyleStep;
    LONG denStyleStep;
    POINTL ptlPhysOffset;
    SIZEL szlPhysSize;
    ULONG ulNumPalReg;
    COLORINFO ciDevice;
    ULONG ulDevicePelsDPI;
    ULONG ulPrimaryOrder;
    ULONG ulHTPatternSize;
    ULONG ulHTOutputFormat;
    ULONG flHTFlags;
    ULONG ulVRefresh;
    ULONG ulBltAlignment;
    ULONG ulPanningHorzRes;
    ULONG ulPanningVertRes;
    ULONG xPanningAlignment;
    ULONG yPanningAlignment;
    ULONG cxHTPat;
    ULONG cyHTPat;
    LPBYTE pHTPatA;
    LPBYTE pHTPatB;
    LPBYTE pHTPatC;
    ULONG flShadeBlend;
    ULONG ulPhysicalPixelCharacteristics;
    ULONG ulPhysicalPixelGamma;
} GDIINFO, *PGDIINFO;

static_assert(sizeof(COLORINFO) == 120, "COLORINFO is 120 bytes");
static_assert(sizeof(DEVINFO) == 312, "DEVINFO is 312 bytes on x64");
static_assert(offsetof(DEVINFO, lfDefaultFont) == 4 && offsetof(DEVINFO, cFonts) == 280 &&
                  offsetof(DEVINFO, cxDither) == 288 && offsetof(DEVINFO, hpalDefault) == 296 &&
                  offsetof(DEVINFO, flGraphicsCaps2) == 304,
              "DEVINFO field offsets");
static_assert(sizeof(GDIINFO) == 320, "GDIINFO is 320 bytes on x64");
static_assert(offsetof(GDIINFO, ulNumColors) == 32 && offsetof(GDIINFO, ulLogPixelsX) == 40 &&
                  offsetof(GDIINFO, ulAspectX) == 64 && offsetof(GDIINFO, denStyleStep) == 84 &&
                  offsetof(GDIINFO, ptlPhysOffset) == 88 && offsetof(GDIINFO, szlPhysSize) == 96 &&
                  offsetof(GDIINFO, ciDevice) == 108 && offsetof(GDIINFO, flHTFlags) == 244 &&
                  offsetof(GDIINFO, pHTPatA) == 280 && offsetof(GDIINFO, ulPhysicalPixelGamma) == 312,
              "GDIINFO field offsets");
