#include "nira/uiplugin/settings/providers/DerivedValuesProvider.h"

#include <math.h>

namespace {

constexpr LONG ANTIALIASING_FLAG = 270;  // GDI anti-aliasing enabled
constexpr LONG PRODUCT_FLAGS_INT = 0;    // kind 3: a word of product flags
constexpr LONG HOST_FILE_NAME_STRING = 0;

// The handled entries in the order UpdateAll applies their rules.
const SettingRef kDerivedEntries[] = {
    {SETTING_ARRAY_FLAG, ANTIALIASING_FLAG},
    {SETTING_ARRAY_INT, BlockGeometrySetting::RESOLUTION_X},
    {SETTING_ARRAY_INT, BlockGeometrySetting::RESOLUTION_Y},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::PAPER_WIDTH},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::PAPER_HEIGHT},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::MARGIN_LEFT},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::MARGIN_TOP},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::MARGIN_RIGHT},
    {SETTING_ARRAY_FLOAT, BlockGeometrySetting::MARGIN_BOTTOM},
};

// With this product flag the device reports at least 256 colours, never a count whose low 16
// bits are all 0.
constexpr LONG MANY_COLOURS_PRODUCT_FLAG = 0x1000;
constexpr ULONG MANY_COLOURS_MINIMUM = 256;
constexpr ULONG COLOUR_COUNT_LOW_BITS = 0xFFFF;

// An application that draws wrongly unless the device reports 8 colours.
const WCHAR kEightColourHost[] = TEXT("waol.exe");
constexpr ULONG EIGHT_COLOURS = 8;

constexpr double MICROMETRES_PER_INCH = 25400.0;
constexpr ULONG STYLE_STEPS_PER_INCH = 50;

// A size in micrometres, negative as the graphics engine reads a size in micrometres.
ULONG NegativeMicrometres(FLOAT inches)
{
    const FLOAT micrometres = static_cast<FLOAT>(inches * MICROMETRES_PER_INCH);
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
    if (m_owner->GetInt(PRODUCT_FLAGS_INT, &productFlags, 0, 0) != TRUE) {
        productFlags = 0;
    }
    if ((productFlags & MANY_COLOURS_PRODUCT_FLAG) != 0) {
        if (m_target->ulNumColors < MANY_COLOURS_MINIMUM) {
            m_target->ulNumColors = MANY_COLOURS_MINIMUM;
        }
        if ((m_target->ulNumColors & COLOUR_COUNT_LOW_BITS) == 0) {
            m_target->ulNumColors -= 1;
        }
    }

    CNiraNoCaseString host;
    if (ReadOwnerText(*m_owner, HOST_FILE_NAME_STRING, host) && host.Find(kEightColourHost, 0) >= 0) {
        m_target->ulNumColors = EIGHT_COLOURS;
    }
}

// Each Sync serves its own entries; another entry that passes the checks (one marked in the mask
// by its user) fails.
BOOLEAN CNiraDerivedValuesProvider::SyncFlag(LONG index)
{
    const bool served = index == ANTIALIASING_FLAG;
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
        index == BlockGeometrySetting::RESOLUTION_X || index == BlockGeometrySetting::RESOLUTION_Y;
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
        index >= BlockGeometrySetting::PAPER_WIDTH && index <= BlockGeometrySetting::MARGIN_BOTTOM;
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
    if (!ReadOwnerFlag(*m_owner, ANTIALIASING_FLAG)) {
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
    m_target->denStyleStep = static_cast<LONG>(m_target->ulLogPixelsX / STYLE_STEPS_PER_INCH);
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
