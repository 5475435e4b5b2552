// The settings client's own operations: binding to a printer, the copies between the UI settings
// object and the settings, the private DEVMODE section, and the public DEVMODE check.
#include "nira/uiplugin/settings/client/SettingsClient.h"

#include <stddef.h>
#include <string.h>

#include "nira/uiplugin/interfaces/INiraUISettingsImport.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"
#include "nira/uiplugin/settings/productdata/ProductData.h"
#include "nira/uiplugin/settings/providers/INiraPrinterSettingsProvider.h"

namespace {

// The features whose public DEVMODE values are kept at 1900.., in that order.
enum PublicValue : int {
    PUBLIC_ORIENTATION,
    PUBLIC_MEDIA_TYPE,
    PUBLIC_DUPLEX,
    PUBLIC_INPUT_BIN,
    PUBLIC_RESOLUTION,
    PUBLIC_PAPER_SIZE,
    PUBLIC_ICM_INTENT,
    PUBLIC_ICM_METHOD,
};

constexpr int kPublicValueFeatures[kClientPublicValueCount] = {
    kFeatureOrientation, kFeatureMediaType, kFeatureDuplex,    kFeatureInputBin,
    kFeatureResolution,  kFeaturePaperSize, kFeatureIcmIntent, kFeatureIcmMethod,
};

// Present, whatever its value, it makes every public DEVMODE count as different.
constexpr LONG kFlagForceDevmodeDiffers = 222;
// Public values that never count as a difference.
constexpr LONG kMediaUserDefined = 257;
constexpr LONG kMediaStoredUser = 515;
constexpr LONG kBinFirst = 1;

constexpr int kOptionStateSelectable = 2;
constexpr int kImportModeOn = 1;
constexpr int kImportModeOff = 0;

template <typename Object>
Object* MakeSettingsObject(const GUID& interfaceId, Object*& field)
{
    void* object = nullptr;
    GetSettingsInstance(&interfaceId, &object);
    field = static_cast<Object*>(object);
    RequireSettings(field != nullptr);
    return field;
}

// The first and the last packed feature id, as the UI settings object reports them.
void PackedRange(INiraUISettings& ui, int* first, int* last)
{
    int isSet = 0;
    if (ui.GetCurrentOption(kFeatureFirstPacked, first, &isSet) != 0) {
        *first = kFirstSettingsFeature;
    }
    if (ui.GetCurrentOption(kFeatureLastPacked, last, &isSet) != 0) {
        *last = kLastSettingsFeature;
    }
}

// Calls visit(feature id, index) for every packed feature that has an index.
template <typename Visit>
void ForEachPackedFeature(int first, int last, Visit&& visit)
{
    DWORD feature = static_cast<DWORD>(first);
    for (DWORD index = kSettingsIndexBase;
         feature <= static_cast<DWORD>(last) && index <= static_cast<DWORD>(kLastFeatureValueIndex);
         ++feature, ++index) {
        if (!visit(static_cast<int>(feature), static_cast<LONG>(index))) {
            return;
        }
    }
}

struct PublicField {
    size_t offset;
    size_t size;  // a short (widened with its sign) or a DWORD
};

constexpr PublicField kPublicFields[kClientPublicValueCount] = {
    {offsetof(DEVMODEW, dmOrientation), sizeof(short)},  {offsetof(DEVMODEW, dmMediaType), sizeof(DWORD)},
    {offsetof(DEVMODEW, dmDuplex), sizeof(short)},       {offsetof(DEVMODEW, dmDefaultSource), sizeof(short)},
    {offsetof(DEVMODEW, dmPrintQuality), sizeof(short)}, {offsetof(DEVMODEW, dmPaperSize), sizeof(short)},
    {offsetof(DEVMODEW, dmICMIntent), sizeof(DWORD)},    {offsetof(DEVMODEW, dmICMMethod), sizeof(DWORD)},
};

// The DEVMODE's field of public value k; false when an older, shorter DEVMODE ends before it
// (the field is then never read, and never counts as a difference).
bool ReadPublicField(const DEVMODEW& devMode, int k, LONG* value)
{
    const PublicField& field = kPublicFields[k];
    if (field.offset + field.size > devMode.dmSize) {
        return false;
    }
    const BYTE* at = reinterpret_cast<const BYTE*>(&devMode) + field.offset;
    if (field.size == sizeof(short)) {
        short narrow = 0;
        memcpy(&narrow, at, sizeof(narrow));
        *value = narrow;
    } else {
        DWORD wide = 0;
        memcpy(&wide, at, sizeof(wide));
        *value = static_cast<LONG>(wide);
    }
    return true;
}

}  // namespace

BOOLEAN CNiraSettingsClient::Initialize(HANDLE printer)
{
    return GuardSettingsCall([&] {
        ReleaseObjects();
        RequireArgument(printer != nullptr && printer != INVALID_HANDLE_VALUE);
        m_printer = printer;
        MakeSettingsObject(kSettingsGuidProductData, m_productData);
        MakeSettingsObject(kSettingsGuidUnpacker, m_unpacker);
        MakeSettingsObject(kSettingsGuidPacker, m_packer);
        // The list's room comes first: once made, the provider is owned by nobody until the
        // manager takes it over, and a list that could not grow would leak it.
        SettingsProviderList pullProviders;
        pullProviders.SetSize(1);
        pullProviders[0] = MakeSettingsObject(kSettingsGuidHelperProvider, m_helperProvider);
        if (Attach(this, &pullProviders, nullptr) != TRUE) {
            // A manager whose Attach failed has not taken the provider over.
            ReleaseSettingsObject(m_helperProvider);
            RaiseSettingsError(ERROR_INVALID_DATA);
        }
        auto* helper = static_cast<INiraPrinterSettingsProvider*>(m_helperProvider);
        RequireSettings(helper->SetTarget(printer) == TRUE);
    });
}

BOOLEAN CNiraSettingsClient::CopyFromUISettings(INiraUISettings* uiSettings, BYTE useDefaults)
{
    return GuardSettingsCall([&] {
        RequireArgument(uiSettings != nullptr);
        RequireSettings(m_manager != nullptr && m_printer != nullptr && m_productData != nullptr);
        INiraUISettings& ui = *uiSettings;
        int first = 0;
        int last = 0;
        PackedRange(ui, &first, &last);

        ForEachPackedFeature(first, last, [&](int feature, LONG index) {
            int option = 0;
            int isSet = 0;
            const int status = IsFlagSet(useDefaults) ? ui.GetDefaultOption(feature, &option)
                                                      : ui.GetCurrentOption(feature, &option, &isSet);
            if (status == 0) {
                RequireSettings(SetInt(index, option, FALSE) == TRUE);
            }
            return true;
        });

        for (int k = 0; k < kClientPublicValueCount; ++k) {
            const int feature = kPublicValueFeatures[k];
            LONG option = 0;
            if (GetInt(feature - first + kSettingsIndexBase, &option, FALSE, FALSE) != TRUE) {
                continue;
            }
            int publicValue = 0;
            if (ui.HandlerGetOptionValue(feature, option, &publicValue) == 0) {
                SetInt(kFirstPublicValueIndex + k, publicValue, FALSE);
            }
        }

        auto* productData = static_cast<CNiraProductData*>(m_productData);
        RequireSettings(productData->Attach(this) == TRUE);
        RequireSettings(productData->SetTarget(m_printer, uiSettings) == TRUE);
        RequireSettings(productData->UpdateAll() == TRUE);
    });
}

BOOLEAN CNiraSettingsClient::CopyToUISettings(INiraUISettingsImport* uiSettings, LONG mode)
{
    return GuardSettingsCall([&] {
        RequireArgument(uiSettings != nullptr);
        RequireManager();
        INiraUISettingsImport& ui = *uiSettings;
        int first = 0;
        int last = 0;
        PackedRange(ui, &first, &last);

        ui.SetImportMode(kImportModeOn);
        ForEachPackedFeature(first, last, [&](int feature, LONG index) {
            LONG value = 0;
            if (GetInt(index, &value, FALSE, FALSE) == TRUE) {
                int option = value;
                if (mode == 0) {
                    ui.SetCurrentOption(&feature, &option, kOptionStateSelectable, 0, 0, 1, 1);
                } else if (mode == 1) {
                    ui.ForceCurrentOption(&feature, &option, 0);
                }
            }
            return true;
        });
        ui.SetImportMode(kImportModeOff);
    });
}

void CNiraSettingsClient::RunBlockProvider(INiraSettingsProvider* provider, PrivateDevMode* block)
{
    RequireArgument(block != nullptr);
    RequireSettings(m_manager != nullptr && provider != nullptr);
    auto* blockProvider = static_cast<CNiraBlockProvider*>(provider);
    RequireSettings(blockProvider->Attach(this) == TRUE);
    RequireSettings(blockProvider->SetTarget(block) == TRUE);
    RequireSettings(blockProvider->UpdateAll() == TRUE);
}

BOOLEAN CNiraSettingsClient::LoadPrivateBlock(PrivateDevMode* block)
{
    return GuardSettingsCall([&] { RunBlockProvider(m_unpacker, block); });
}

BOOLEAN CNiraSettingsClient::SavePrivateBlock(PrivateDevMode* block)
{
    return GuardSettingsCall([&] { RunBlockProvider(m_packer, block); });
}

BOOLEAN CNiraSettingsClient::DevModeDiffers(const DEVMODEW* devMode)
{
    BOOLEAN differs = FALSE;
    GuardSettingsAction([&] {
        if (devMode == nullptr) {
            return;
        }
        BYTE forced = 0;
        if (GetFlag(kFlagForceDevmodeDiffers, &forced, FALSE, FALSE) == TRUE) {
            differs = TRUE;
            return;
        }
        for (int k = 0; k < kClientPublicValueCount; ++k) {
            LONG stored = 0;
            LONG field = 0;
            if (!ReadPublicField(*devMode, k, &field) ||
                GetInt(kFirstPublicValueIndex + k, &stored, FALSE, FALSE) != TRUE || stored == field) {
                continue;
            }
            const bool ignored =
                (k == PUBLIC_MEDIA_TYPE && (field == kMediaUserDefined || stored == kMediaStoredUser)) ||
                (k == PUBLIC_PAPER_SIZE && field == DMPAPER_USER) ||
                (k == PUBLIC_INPUT_BIN && (field == DMBIN_FORMSOURCE || field == kBinFirst));
            if (!ignored) {
                differs = TRUE;
            }
        }
    });
    return differs;
}
