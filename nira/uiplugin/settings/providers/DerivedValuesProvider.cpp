#include "nira/uiplugin/settings/providers/DerivedValuesProvider.h"

#include <math.h>

namespace {

constexpr LONG kAntialiasingFlag = 270;  // GDI anti-aliasing enabled
constexpr LONG kProductFlagsInt = 0;     // kind 3: a word of product flags
constexpr LONG kHostFileNameString = 0;

// The handled entries in the order UpdateAll applies their rules.
const SettingRef kDerivedEntries[] = {
    {SETTING_ARRAY_FLAG, kAntialiasingFlag},
    {SETTING_ARRAY_INT, BlockGeometrySetting::kResolutionX},
    {SETTING_ARRAY_INT, BlockGeometrySetting::kResolutionY},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::kPaperWidth},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::kPaperHeight},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::kMarginLeft},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::kMarginTop},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::kMarginRight},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::kMarginBottom},
};

// With this product flag the device reports at least 256 colours, never a count whose low 16
// bits are all 0.
constexpr LONG kManyColoursProductFlag = 0x1000;
constexpr ULONG kManyColoursMinimum = 256;
constexpr ULONG kColourCountLowBits = 0xFFFF;

// An application that draws wrongly unless the device reports 8 colours.
const WCHAR kEightColourHost[] = TEXT("waol.exe");
constexpr ULONG kEightColours = 8;

constexpr double kMicrometresPerInch = 25400.0;
constexpr ULONG kStyleStepsPerInch = 50;

// A size in micrometres, negative as the graphics engine reads a size in micrometres.
ULONG NegativeMicrometres(FLOAT inches)
{
    const FLOAT micrometres = static_cast<FLOAT>(inches * kMicrometresPerInch);
    return static_cast<ULONG>(TruncateToDeviceUnits(-micrometres));
}

// The diagonal aspect: the root of the squares' sum, the sum formed in 32 bits.
ULONG DiagonalAspect(ULONG aspectX, ULONG aspectY)
{
    const ULONG sum = aspectX * aspectX + aspectY * aspectY;
    const FLOAT root = static_cast<FLOAT>(sqrt(static_cast<double>(static_cast<FLOAT>(sum))));
    return static_cast<ULONG>(root);
}

}  // namespace

CNiraDerivedValuesProvider::CNiraDerivedValuesProvider()
    : CNiraRecordTargetProvider<GDIINFO>(
          kDerivedEntries, static_cast<int>(sizeof(kDerivedEntries) / sizeof(kDerivedEntries[0])))
{}

BOOLEAN CNiraDerivedValuesProvider::SetTarget(GDIINFO* record)
{
    return GuardSettingsCall([&] {
        KeepTarget(record);
        ApplyColourCountRules();
    });
}

void CNiraDerivedValuesProvider::ApplyColourCountRules()
{
    LONG productFlags = 0;
    if (m_owner->GetInt(kProductFlagsInt, &productFlags, 0, 0) != TRUE) {
        productFlags = 0;
    }
    if ((productFlags & kManyColoursProductFlag) != 0) {
        if (m_target->ulNumColors < kManyColoursMinimum) {
            m_target->ulNumColors = kManyColoursMinimum;
        }
        if ((m_target->ulNumColors & kColourCountLowBits) == 0) {
            m_target->ulNumColors -= 1;
        }
    }

    CNiraNoCaseString host;
    if (ReadOwnerText(*m_owner, kHostFileNameString, host) && host.Find(kEightColourHost, 0) >= 0) {
        m_target->ulNumColors = kEightColours;
    }
}

// Each Sync serves its own entries; another entry that passes the checks (one marked in the mask
// by its user) fails.
BOOLEAN CNiraDerivedValuesProvider::SyncFlag(LONG index)
{
    const bool served = index == kAntialiasingFlag;
    const BOOLEAN answer = SyncRule(SETTING_ARRAY_FLAG, index, [&] {
        if (served) {
            ApplyHalftoneRule();
        }
    });
    return served ? answer : FALSE;
}

BOOLEAN CNiraDerivedValuesProvider::SyncInt(LONG index)
{
    const bool served =
        index == BlockGeometrySetting::kResolutionX || index == BlockGeometrySetting::kResolutionY;
    const BOOLEAN answer = SyncRule(SETTING_ARRAY_INT, index, [&] {
        if (served) {
            ApplyResolutionRule();
        }
    });
    return served ? answer : FALSE;
}

BOOLEAN CNiraDerivedValuesProvider::SyncFloat(LONG index)
{
    const bool served =
        index >= BlockGeometrySetting::kPaperWidth && index <= BlockGeometrySetting::kMarginBottom;
    const BOOLEAN answer = SyncRule(SETTING_ARRAY_FLOAT, index, [&] {
        if (served) {
            ApplyPhysicalSizeRule();
        }
    });
    return served ? answer : FALSE;
}

// Without anti-aliasing the halftoning runs in draft mode; the bit is never cleared.
void CNiraDerivedValuesProvider::ApplyHalftoneRule()
{
    if (!ReadOwnerFlag(*m_owner, kAntialiasingFlag)) {
        m_target->flHTFlags |= HT_FLAG_PRINT_DRAFT_MODE;
    }
}

void CNiraDerivedValuesProvider::WritePageFields(const DevicePageGeometry& geometry)
{
    m_target->szlPhysSize.cx = geometry.physicalDotsA;
    m_target->szlPhysSize.cy = geometry.physicalDotsB;
    m_target->ulHorzRes = static_cast<ULONG>(geometry.printableDotsA);
    m_target->ulVertRes = static_cast<ULONG>(geometry.printableDotsB);
    m_target->ptlPhysOffset.x = geometry.offsetA;
    m_target->ptlPhysOffset.y = geometry.offsetB;
}

// Resolution, aspect and page fields. For an orientation other than portrait and landscape the
// axes are unknown: the resolution and page fields keep their values and only the values computed
// from the record itself (the diagonal aspect and the style step) are brought up to date.
void CNiraDerivedValuesProvider::ApplyResolutionRule()
{
    const BlockPageSettings page = ReadBlockPageSettings(*m_owner);
    DevicePageGeometry geometry{};
    if (ComputeDevicePageGeometry(page, &geometry)) {
        m_target->ulLogPixelsX = geometry.resolutionA;
        m_target->ulAspectX = geometry.resolutionA;
        m_target->ulLogPixelsY = geometry.resolutionB;
        m_target->ulAspectY = geometry.resolutionB;
        WritePageFields(geometry);
    }
    m_target->ulAspectXY = DiagonalAspect(m_target->ulAspectX, m_target->ulAspectY);
    m_target->denStyleStep = static_cast<LONG>(m_target->ulLogPixelsX / kStyleStepsPerInch);
}

// Page fields and the printable size in micrometres; for an orientation other than portrait and
// landscape nothing is written.
void CNiraDerivedValuesProvider::ApplyPhysicalSizeRule()
{
    const BlockPageSettings page = ReadBlockPageSettings(*m_owner);
    DevicePageGeometry geometry{};
    if (!ComputeDevicePageGeometry(page, &geometry)) {
        return;
    }
    WritePageFields(geometry);
    m_target->ulHorzSize = NegativeMicrometres(geometry.printableA);
    m_target->ulVertSize = NegativeMicrometres(geometry.printableB);
}
