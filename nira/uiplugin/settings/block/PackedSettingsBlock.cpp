#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"

#include "nira/uiplugin/settings/engine/INiraSettingsStore.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include <float.h>

#include <cmath>
#include <limits>

namespace {

// Short kind names keep the table below readable.
constexpr LONG F = SETTING_ARRAY_FLAG;
constexpr LONG I = SETTING_ARRAY_INT;
constexpr LONG R = SETTING_ARRAY_FLOAT;
constexpr LONG N = SETTING_ARRAY_INT_REF;
constexpr LONG S = SETTING_ARRAY_STRING;
constexpr LONG B = SETTING_ARRAY_BLOB;

// Reads one setting from the owner; a refused read throws 13.
template <typename Value, typename Read>
Value ReadOwnerValue(Read&& read)
{
    Value value{};
    RequireSettings(read(&value) == TRUE);
    return value;
}

}  // namespace

const BlockSettingsRow BlockSettingsTable[kBlockSettingsRows] = {
    {F, 0},    {F, 1},    {F, 2},    {F, 3},    {F, 4},    {F, 5},    {F, 6},    {F, 7},    {F, 8},
    {F, 9},    {F, 10},   {F, 11},   {F, 12},   {F, 13},   {F, 14},   {F, 15},   {F, 16},   {F, 17},
    {F, 18},   {F, 20},   {F, 22},   {I, 0},    {I, 2},    {I, 2048}, {I, 3},    {I, 4},    {I, 5},
    {N, 0},    {N, 1},    {N, 2},    {N, 3},    {N, 4},    {N, 5},    {N, 6},    {N, 8},    {N, 10},
    {N, 9},    {S, 0},    {S, 1},    {S, 3},    {S, 5},    {S, 6},    {B, 0},    {B, 1},    {F, 120},
    {F, 121},  {F, 122},  {F, 123},  {F, 124},  {F, 125},  {F, 126},  {F, 140},  {F, 141},  {F, 127},
    {F, 336},  {R, 0},    {R, 1},    {N, 70},   {N, 71},   {N, 72},   {N, 130},  {I, 2047}, {F, 337},
    {I, 2032}, {I, 1920}, {I, 1921}, {R, 10},   {R, 11},   {R, 12},   {R, 13},   {R, 14},   {R, 15},
    {R, 16},   {F, 100},  {F, 101},  {F, 102},  {F, 103},  {F, 104},  {F, 105},  {F, 106},  {F, 107},
    {F, 108},  {F, 109},  {F, 110},  {F, 112},  {F, 21},   {F, 23},   {F, 111},  {I, 1910}, {I, 1911},
    {I, 1912}, {N, 30},   {N, 31},   {N, 32},   {N, 33},   {N, 34},   {N, 35},   {N, 36},   {N, 37},
    {N, 45},   {N, 38},   {N, 39},   {N, 40},   {N, 41},   {N, 42},   {N, 46},   {N, 47},   {N, 48},
    {N, 49},   {N, 43},   {N, 135},  {N, 50},   {F, 158},  {F, 209},  {F, 210},  {F, 221},  {F, 222},
    {F, 223},  {F, 182},  {I, 2049}, {F, 142},  {F, 143},  {F, 144},  {F, 148},  {F, 149},  {F, 150},
    {F, 151},  {F, 152},  {F, 153},  {F, 154},  {F, 253},  {I, 1950}, {S, 70},   {S, 71},   {S, 72},
    {S, 73},   {S, 74},   {B, 10},   {F, 260},  {F, 261},  {F, 262},  {F, 263},  {F, 264},  {F, 265},
    {F, 266},  {F, 267},  {F, 268},  {F, 269},  {F, 270},  {F, 272},  {F, 273},  {F, 274},  {F, 275},
    {I, 1981}, {I, 1982}, {I, 1983}, {I, 1984}, {I, 1985}, {I, 1986}, {I, 1987}, {I, 1988}, {I, 1989},
    {I, 1994}, {I, 1995}, {I, 1996}, {I, 1997}, {I, 1998}, {I, 1999}, {I, 2000}, {I, 2003}, {I, 2004},
    {I, 2005}, {I, 2006}, {I, 2007}, {R, 20},   {R, 21},   {R, 22},   {R, 23},   {N, 100},  {N, 101},
    {N, 102},  {N, 103},  {N, 104},  {N, 105},  {N, 106},  {B, 40},   {B, 41},   {B, 42},
};

LONG TruncateToDeviceUnits(FLOAT value)
{
    constexpr LONG indefinite = std::numeric_limits<LONG>::min();
    constexpr FLOAT limit = -static_cast<FLOAT>(indefinite);  // 2^31
    if (!(value >= -limit && value < limit)) {
        return indefinite;
    }
    return static_cast<LONG>(value);
}

LONG ScaleByResolution(DWORD resolution, FLOAT length)
{
    if (!std::isfinite(length) || length == 0) {
        return TruncateToDeviceUnits(static_cast<FLOAT>(static_cast<double>(resolution) * length));
    }
    // length = mantissa * 2^(exponent - 24) with a 24-bit mantissa, so resolution * mantissa is an
    // exact 56-bit integer and the only rounding is its conversion to a float.
    int exponent = 0;
    const FLOAT fraction = std::frexp(length, &exponent);
    const LONGLONG mantissa = static_cast<LONGLONG>(std::ldexp(fraction, FLT_MANT_DIG));
    const LONGLONG product = static_cast<LONGLONG>(resolution) * mantissa;
    return TruncateToDeviceUnits(std::ldexp(static_cast<FLOAT>(product), exponent - FLT_MANT_DIG));
}

BlockPageSettings ReadBlockPageSettings(INiraSettingsAccess& owner)
{
    namespace G = BlockGeometrySetting;
    auto readFloat = [&owner](LONG index) {
        return ReadOwnerValue<FLOAT>([&](FLOAT* value) { return owner.GetFloat(index, value, 0, 0); });
    };
    auto readInt = [&owner](LONG index) {
        return ReadOwnerValue<LONG>([&](LONG* value) { return owner.GetInt(index, value, 0, 0); });
    };

    BlockPageSettings page{};
    page.orientation =
        ReadOwnerValue<LONG>([&](LONG* value) { return owner.GetIntRef(G::kOrientation, value, 0, 0); });
    page.left = readFloat(G::kMarginLeft);
    page.top = readFloat(G::kMarginTop);
    page.right = readFloat(G::kMarginRight);
    page.bottom = readFloat(G::kMarginBottom);
    page.width = readFloat(G::kPaperWidth);
    page.height = readFloat(G::kPaperHeight);
    page.resolutionX = static_cast<DWORD>(readInt(G::kResolutionX));
    page.resolutionY = static_cast<DWORD>(readInt(G::kResolutionY));

    BYTE overspray = 0;
    if (owner.GetFlag(G::kOversprayEnabled, &overspray, 0, 0) == TRUE && overspray == 1) {
        FLOAT extents[4];  // left, right, top, bottom
        for (LONG i = 0; i < 4; ++i) {
            extents[i] = readFloat(G::kOversprayFirst + i);
        }
        if (extents[0] >= 0 && extents[1] >= 0 && extents[2] >= 0 && extents[3] >= 0) {
            page.width = (extents[1] + extents[0]) + page.width;
            page.height = (extents[3] + extents[2]) + page.height;
        }
    }
    return page;
}

bool ComputeDevicePageGeometry(const BlockPageSettings& page, DevicePageGeometry* geometry)
{
    const bool landscape = page.orientation == kOrientationLandscape;
    if (!landscape && page.orientation != kOrientationPortrait) {
        return false;
    }
    // A landscape page exchanges the axes: its top margin leads across the printed page.
    const DWORD a = landscape ? page.resolutionY : page.resolutionX;
    const DWORD b = landscape ? page.resolutionX : page.resolutionY;
    const FLOAT lengthA = landscape ? page.height : page.width;
    const FLOAT lengthB = landscape ? page.width : page.height;
    const FLOAT leadA = landscape ? page.top : page.left;
    const FLOAT leadB = landscape ? page.left : page.top;
    const FLOAT trailA = landscape ? page.bottom : page.right;
    const FLOAT trailB = landscape ? page.right : page.bottom;

    geometry->resolutionA = a;
    geometry->resolutionB = b;
    // Each difference is rounded to a float before it is multiplied.
    geometry->printableA = (lengthA - leadA) - trailA;
    geometry->printableB = (lengthB - leadB) - trailB;
    geometry->offsetA = ScaleByResolution(a, leadA);
    geometry->offsetB = ScaleByResolution(b, leadB);
    geometry->printableDotsA = ScaleByResolution(a, geometry->printableA);
    geometry->printableDotsB = ScaleByResolution(b, geometry->printableB);
    geometry->physicalDotsA = ScaleByResolution(a, lengthA);
    geometry->physicalDotsB = ScaleByResolution(b, lengthB);
    return true;
}

bool WriteBlockGeometry(const BlockPageSettings& page, PrivateDevMode* block)
{
    DevicePageGeometry geometry{};
    if (!ComputeDevicePageGeometry(page, &geometry)) {
        return false;
    }
    block->horizontalResolution = geometry.resolutionA;
    block->verticalResolution = geometry.resolutionB;
    block->physicalOffsetX = geometry.offsetA;
    block->physicalOffsetY = geometry.offsetB;
    block->printableWidth = geometry.printableDotsA;
    block->printableHeight = geometry.printableDotsB;
    block->physicalWidth = geometry.physicalDotsA;
    block->physicalHeight = geometry.physicalDotsB;
    return true;
}

INiraSettingsMask* MakeAllocatedMask()
{
    void* object = nullptr;
    GetSettingsInstance(&kSettingsGuidMask, &object);
    auto* mask = static_cast<INiraSettingsMask*>(object);
    RequireSettings(mask != nullptr);
    if (mask->Allocate() != TRUE) {
        mask->Release();
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
    return mask;
}

INiraSettingsStore* MakeAllocatedStore()
{
    void* object = nullptr;
    GetSettingsInstance(&kSettingsGuidStore, &object);
    auto* store = static_cast<INiraSettingsStore*>(object);
    RequireSettings(store != nullptr);
    if (store->Allocate() != TRUE) {
        store->Release();
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
    return store;
}

BOOLEAN CNiraBlockProvider::Attach(INiraSettingsAccess* owner)
{
    return GuardSettingsCall([&] {
        FreeAll();
        RequireArgument(owner != nullptr);
        m_owner = owner;
        m_handledMask = MakeAllocatedMask();
        for (const BlockSettingsRow& row : BlockSettingsTable) {
            RequireSettings(IsSettingArrayKind(row.kind));
            MarkMaskEntry(*m_handledMask, row.kind, row.index);
        }
        ForEachBlockRangeIndex([this](LONG index) { m_handledMask->MarkInt(index); });
    });
}
