// What the packer and the unpacker of the private settings block share: the block set (the
// settings that travel in the block), the page geometry written into the section header, and the
// provider bodies both classes have in common.
#pragma once

#include "common/PrivateDevMode.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/INiraSettingsProvider.h"
#include "nira/uiplugin/settings/engine/SettingsError.h"

// One row of the block set table: a setting by kind and index.
struct BlockSettingsRow {
    LONG kind;  // SettingArrayKind
    LONG index;
};

constexpr int kBlockSettingsRows = 188;
extern const BlockSettingsRow BlockSettingsTable[kBlockSettingsRows];

// Besides the table, the block carries two ranges of 32-bit integers: the feature values and the
// public DEVMODE values that the settings client keeps there.
// (kSettingsIndexBase..kLastFeatureValueIndex, kFirstPublicValueIndex..kLastPublicValueIndex).

// Calls visit(index) for every 32-bit integer of the two ranges, in increasing order.
template <typename Visit>
void ForEachBlockRangeIndex(Visit&& visit)
{
    for (LONG index = kSettingsIndexBase; index <= kLastFeatureValueIndex; ++index) {
        visit(index);
    }
    for (LONG index = kFirstPublicValueIndex; index <= kLastPublicValueIndex; ++index) {
        visit(index);
    }
}

// Whether the index is one of the two ranges' 32-bit integers.
constexpr bool IsBlockRangeIndex(LONG index)
{
    return (index >= kSettingsIndexBase && index <= kLastFeatureValueIndex) ||
           (index >= kFirstPublicValueIndex && index <= kLastPublicValueIndex);
}

// The settings the page geometry of the section header is computed from.
namespace BlockGeometrySetting {
constexpr LONG kOrientation = 5;  // kind 6: 1 portrait, 2 landscape
constexpr LONG kPaperWidth = 10;  // kind 4, lengths in the unit of the resolutions
constexpr LONG kPaperHeight = 11;
constexpr LONG kMarginLeft = 12;
constexpr LONG kMarginTop = 13;
constexpr LONG kMarginRight = 14;
constexpr LONG kMarginBottom = 15;
constexpr LONG kOversprayFirst = 20;  // kind 4, 20 and 21 widen the width, 22 and 23 the height
constexpr LONG kResolutionX = 1920;   // kind 3, read unsigned
constexpr LONG kResolutionY = 1921;
constexpr LONG kOversprayEnabled = 221;  // flag
}  // namespace BlockGeometrySetting

constexpr LONG kOrientationPortrait = 1;
constexpr LONG kOrientationLandscape = 2;

struct BlockPageSettings {
    LONG orientation;
    FLOAT width, height;             // with any overspray already added
    FLOAT left, top, right, bottom;  // margins
    DWORD resolutionX, resolutionY;
};

// Reads the page settings from the owner (refresh and dispatch false), in the order orientation,
// margins, paper size, resolutions; a read the owner refuses throws 13. With the overspray flag
// true and all four extents 0 or greater, the extents widen the paper.
BlockPageSettings ReadBlockPageSettings(INiraSettingsAccess& owner);

// The page in device units, its axes named by the orientation: the first axis runs across the
// page as it is printed (the paper width in portrait, its height in landscape).
struct DevicePageGeometry {
    DWORD resolutionA, resolutionB;  // dots per inch along each axis
    FLOAT printableA, printableB;    // printable extents, inches
    LONG offsetA, offsetB;           // the leading margins
    LONG printableDotsA, printableDotsB;
    LONG physicalDotsA, physicalDotsB;
};

// The geometry of a portrait or landscape page; false for any other orientation.
bool ComputeDevicePageGeometry(const BlockPageSettings& page, DevicePageGeometry* geometry);

// A length in device units: resolution times length, formed exactly, rounded once to a float and
// truncated toward zero. Values a 32-bit integer cannot hold (and NaN) give the integer
// indefinite, as the processor's own truncating conversion does. The block's header and the
// derived values both use this one rule, so the two describe the same page dot for dot; rounding
// the resolution to a float before multiplying differs from it only above 2^24 dots per unit.
LONG ScaleByResolution(DWORD resolution, FLOAT length);
LONG TruncateToDeviceUnits(FLOAT value);

// Writes the eight geometry fields (+28 to +56) for a portrait or landscape page; for any other
// orientation the fields keep their content and the answer is false.
bool WriteBlockGeometry(const BlockPageSettings& page, PrivateDevMode* block);

// The provider bodies that several providers share: the reserved slots, Release, and Handles and
// GetHandledMask over a mask of handled entries that the provider keeps. Interface is
// INiraSettingsProvider or an interface that extends it with a provider's own operations.
template <typename Interface>
class CNiraMaskedProviderOf : public Interface {
public:
    void Release() override
    {
        GuardSettingsAction([this] { delete this; });
    }
    INT_PTR Reserved1() override { return 0; }
    void Reserved2(ULONG_PTR) override {}

    BOOLEAN HandlesFlag(LONG index) override { return HandlesEntry(SETTING_ARRAY_FLAG, index); }
    BOOLEAN HandlesByte(LONG index) override { return HandlesEntry(SETTING_ARRAY_BYTE, index); }
    BOOLEAN HandlesWord(LONG index) override { return HandlesEntry(SETTING_ARRAY_WORD, index); }
    BOOLEAN HandlesInt(LONG index) override { return HandlesEntry(SETTING_ARRAY_INT, index); }
    BOOLEAN HandlesFloat(LONG index) override { return HandlesEntry(SETTING_ARRAY_FLOAT, index); }
    BOOLEAN HandlesDouble(LONG index) override { return HandlesEntry(SETTING_ARRAY_DOUBLE, index); }
    BOOLEAN HandlesIntRef(LONG index) override { return HandlesEntry(SETTING_ARRAY_INT_REF, index); }
    BOOLEAN HandlesString(LONG index) override { return HandlesEntry(SETTING_ARRAY_STRING, index); }
    BOOLEAN HandlesBlob(LONG index) override { return HandlesEntry(SETTING_ARRAY_BLOB, index); }

    INiraSettingsMask* GetHandledMask() override { return m_handledMask; }

protected:
    // Throws: 87 for an index outside the kind's array, 13 without a mask.
    bool Handles(LONG kind, LONG index)
    {
        RequireArgument(IsSettingArrayKind(kind) && IsIndexInRange(index, kSettingArrayCounts[kind]));
        RequireSettings(m_handledMask != nullptr);
        return TestMaskEntry(*m_handledMask, kind, index) == TRUE;
    }

    BOOLEAN HandlesEntry(LONG kind, LONG index)
    {
        bool handled = false;
        const BOOLEAN answered = GuardSettingsCall([&] { handled = Handles(kind, index); });
        return answered == TRUE && handled ? TRUE : FALSE;
    }

    INiraSettingsMask* m_handledMask = nullptr;  // owned
};

typedef CNiraMaskedProviderOf<INiraSettingsProvider> CNiraMaskedProvider;

// Attach of the packer and the unpacker: binds the owner and builds the block-set mask.
class CNiraBlockProvider : public CNiraMaskedProvider {
public:
    BOOLEAN Attach(INiraSettingsAccess* owner) override;

    // The block the provider works on (slot 25); each class checks it in its own way.
    virtual BOOLEAN SetTarget(PrivateDevMode* block) = 0;
    // Zeroes every field without releasing anything.
    virtual void Clear() = 0;
    // Releases everything the provider holds, then Clear.
    virtual void FreeAll() = 0;

protected:
    INiraSettingsAccess* m_owner = nullptr;  // borrowed
};

// Settings objects that the block providers make for themselves, allocated; throws 13 when none
// can be made or allocated.
INiraSettingsMask* MakeAllocatedMask();
INiraSettingsStore* MakeAllocatedStore();

// Releases a settings object and nulls the pointer.
template <typename Object>
void ReleaseSettingsObject(Object*& object)
{
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}
