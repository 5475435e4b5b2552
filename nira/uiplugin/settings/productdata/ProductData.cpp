#include "nira/uiplugin/settings/productdata/ProductData.h"

#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/interfaces/FeatureIds.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"

#define ENTRY(kind, index)          \
    {                               \
        SETTING_ARRAY_##kind, index \
    }

const SettingRef ProductEntryTable[kProductEntryCount] = {
    // Flags of the product row.
    ENTRY(FLAG, 120),    ENTRY(FLAG, 121),    ENTRY(FLAG, 122),    ENTRY(FLAG, 123),    ENTRY(FLAG, 124),
    ENTRY(FLAG, 125),    ENTRY(FLAG, 126),    ENTRY(FLAG, 140),    ENTRY(FLAG, 141),    ENTRY(FLAG, 127),
    ENTRY(FLAG, 336),    ENTRY(FLAG, 337),    ENTRY(FLOAT, 0),     ENTRY(FLOAT, 1),     ENTRY(INT_REF, 70),
    ENTRY(INT_REF, 71),  ENTRY(INT_REF, 72),  ENTRY(INT_REF, 130), ENTRY(INT, 2047),    ENTRY(INT, 2032),
    ENTRY(FLAG, 0),      ENTRY(FLAG, 1),      ENTRY(FLAG, 3),      ENTRY(FLAG, 4),      ENTRY(FLAG, 5),
    ENTRY(FLAG, 6),      ENTRY(FLAG, 7),      ENTRY(FLAG, 8),      ENTRY(FLAG, 9),      ENTRY(FLAG, 10),
    ENTRY(FLAG, 11),     ENTRY(FLAG, 12),     ENTRY(FLAG, 13),     ENTRY(FLAG, 14),     ENTRY(FLAG, 15),
    ENTRY(FLAG, 16),     ENTRY(FLAG, 17),     ENTRY(FLAG, 18),     ENTRY(FLAG, 19),     ENTRY(FLAG, 20),
    ENTRY(FLAG, 22),     ENTRY(INT, 0),       ENTRY(INT, 2),       ENTRY(INT, 3),       ENTRY(INT, 4),
    ENTRY(INT, 5),       ENTRY(INT, 2048),    ENTRY(INT_REF, 0),   ENTRY(INT_REF, 1),   ENTRY(INT_REF, 2),
    ENTRY(INT_REF, 3),   ENTRY(INT_REF, 4),   ENTRY(INT_REF, 5),   ENTRY(INT_REF, 6),   ENTRY(INT_REF, 8),
    ENTRY(INT_REF, 10),  ENTRY(STRING, 3),    ENTRY(STRING, 5),    ENTRY(BLOB, 0),      ENTRY(BLOB, 1),
    ENTRY(INT, 1951),    ENTRY(INT, 1952),    ENTRY(INT, 1953),    ENTRY(INT, 1954),    ENTRY(INT, 1955),
    ENTRY(INT, 1956),    ENTRY(INT, 1920),    ENTRY(INT, 1921),    ENTRY(FLOAT, 10),    ENTRY(FLOAT, 11),
    ENTRY(FLOAT, 12),    ENTRY(FLOAT, 13),    ENTRY(FLOAT, 14),    ENTRY(FLOAT, 15),    ENTRY(FLOAT, 16),
    ENTRY(FLAG, 100),    ENTRY(FLAG, 101),    ENTRY(FLAG, 102),    ENTRY(FLAG, 103),    ENTRY(FLAG, 104),
    ENTRY(FLAG, 105),    ENTRY(FLAG, 106),    ENTRY(FLAG, 107),    ENTRY(FLAG, 108),    ENTRY(FLAG, 109),
    ENTRY(FLAG, 21),     ENTRY(FLAG, 23),     ENTRY(INT, 2006),    ENTRY(INT, 2007),    ENTRY(FLAG, 110),
    ENTRY(FLAG, 112),    ENTRY(INT, 1910),    ENTRY(INT, 1911),    ENTRY(INT, 1912),    ENTRY(INT_REF, 30),
    ENTRY(INT_REF, 31),  ENTRY(INT_REF, 32),  ENTRY(INT_REF, 33),  ENTRY(INT_REF, 34),  ENTRY(INT_REF, 35),
    ENTRY(INT_REF, 36),  ENTRY(INT_REF, 37),  ENTRY(INT_REF, 45),  ENTRY(INT_REF, 38),  ENTRY(INT_REF, 39),
    ENTRY(INT_REF, 40),  ENTRY(INT_REF, 41),  ENTRY(INT_REF, 42),  ENTRY(INT_REF, 46),  ENTRY(INT_REF, 47),
    ENTRY(INT_REF, 48),  ENTRY(INT_REF, 49),  ENTRY(INT_REF, 9),   ENTRY(INT_REF, 50),  ENTRY(FLAG, 158),
    ENTRY(FLAG, 142),    ENTRY(FLAG, 143),    ENTRY(FLAG, 144),    ENTRY(FLAG, 148),    ENTRY(FLAG, 149),
    ENTRY(FLAG, 150),    ENTRY(FLAG, 151),    ENTRY(FLAG, 152),    ENTRY(FLAG, 153),    ENTRY(FLAG, 154),
    ENTRY(FLAG, 253),    ENTRY(INT, 1950),    ENTRY(STRING, 70),   ENTRY(STRING, 71),   ENTRY(STRING, 72),
    ENTRY(STRING, 73),   ENTRY(STRING, 74),   ENTRY(BLOB, 10),     ENTRY(FLAG, 260),    ENTRY(FLAG, 261),
    ENTRY(FLAG, 262),    ENTRY(FLAG, 263),    ENTRY(FLAG, 264),    ENTRY(FLAG, 265),    ENTRY(FLAG, 266),
    ENTRY(FLAG, 267),    ENTRY(FLAG, 268),    ENTRY(FLAG, 269),    ENTRY(FLAG, 270),    ENTRY(FLAG, 272),
    ENTRY(FLAG, 273),    ENTRY(FLAG, 274),    ENTRY(FLAG, 275),    ENTRY(INT, 1981),    ENTRY(INT, 1982),
    ENTRY(INT, 1983),    ENTRY(INT, 1984),    ENTRY(INT, 1985),    ENTRY(INT, 1986),    ENTRY(INT, 1987),
    ENTRY(INT, 1988),    ENTRY(INT, 1989),    ENTRY(INT, 1994),    ENTRY(INT, 1995),    ENTRY(INT, 1996),
    ENTRY(INT, 1997),    ENTRY(INT, 1998),    ENTRY(INT, 1999),    ENTRY(INT, 2000),    ENTRY(INT, 2003),
    ENTRY(INT, 2004),    ENTRY(INT, 2005),    ENTRY(FLOAT, 20),    ENTRY(FLOAT, 21),    ENTRY(FLOAT, 22),
    ENTRY(FLOAT, 23),    ENTRY(INT_REF, 100), ENTRY(INT_REF, 101), ENTRY(INT_REF, 102), ENTRY(INT_REF, 103),
    ENTRY(INT_REF, 104), ENTRY(INT_REF, 105), ENTRY(INT_REF, 106), ENTRY(INT_REF, 135), ENTRY(BLOB, 40),
    ENTRY(BLOB, 41),     ENTRY(BLOB, 42),
};

#undef ENTRY

CNiraProductData::CNiraProductData()
{
    Reset();
}

CNiraProductData::~CNiraProductData()
{
    GuardSettingsAction([this] { ReleaseAll(); });
}

void CNiraProductData::Reset()
{
    m_owner = nullptr;
    m_handledMask = nullptr;
    m_uiSettings = nullptr;
    m_database = nullptr;
    m_productRow = nullptr;
    m_printModeRow = nullptr;
    m_paperRow = nullptr;
    m_moduleList = {};
    m_commandList = {};
    m_jobEventList = {};
    m_jobDialogList = {};
}

namespace {

void FreeList(ProductListBuffer& list)
{
    FreeSettingsBlock(list.data);
    list = {};
}

}  // namespace

void CNiraProductData::ReleaseAll()
{
    ReleaseSettingsObject(m_handledMask);
    if (m_database != nullptr) {
        CloseDatabaseCopy(m_database);
    }
    DeleteProductRowCache(m_productRow);
    DeleteProductRowCache(m_printModeRow);
    DeleteProductRowCache(m_paperRow);
    FreeList(m_moduleList);
    FreeList(m_commandList);
    FreeList(m_jobEventList);
    FreeList(m_jobDialogList);
    Reset();
}

BOOLEAN CNiraProductData::Attach(INiraSettingsAccess* owner)
{
    return GuardSettingsCall([&] {
        ReleaseAll();
        RequireArgument(owner != nullptr);
        m_owner = owner;
        m_handledMask = MakeAllocatedMask();
        for (const SettingRef& entry : ProductEntryTable) {
            MarkMaskEntry(*m_handledMask, entry.kind, entry.index);
        }
        // The feature values the settings client copies: reported as handled, served by nobody here.
        for (LONG index = kSettingsIndexBase; index <= kLastFeatureValueIndex; ++index) {
            m_handledMask->MarkInt(index);
        }
    });
}

BOOLEAN CNiraProductData::SetTarget(HANDLE printer, INiraUISettings* uiSettings)
{
    return GuardSettingsCall([&] {
        RequireArgument(printer != nullptr && uiSettings != nullptr);
        RequireSettings(m_owner != nullptr);
        m_uiSettings = uiSettings;
        if (m_database == nullptr) {
            // A key that cannot be read leaves the driver folder in the path, which opens as an
            // empty database: every rule that needs a query then fails on its own.
            WCHAR path[CNiraPrinterAccess::kComponentPathChars] = {};
            {
                CNiraPrinterAccess access(printer);
                access.FindDriverIni(FALSE);
                access.GetComponentPath(kCapabilityDatabaseKey, path);
            }
            RequireSettings(OpenDatabaseCopy(path, &m_database) == SQLITE_OK);
        }
        RequireSettings(m_database != nullptr);
    });
}

BOOLEAN CNiraProductData::UpdateAll()
{
    return GuardSettingsCall([&] {
        RequireSettings(m_owner != nullptr);
        // An entry whose data the database lacks is left out; one that memory or a read failed
        // would be missing from settings reported complete.
        CResourceFailureWatch watch;
        for (const SettingRef& entry : ProductEntryTable) {
            SyncProviderEntry(*this, entry.kind, entry.index);
            watch.RaiseNoted();
        }
    });
}

void CNiraProductData::RequireReady(LONG kind, LONG index)
{
    RequireArgument(Handles(kind, index));
    RequireSettings(m_owner != nullptr && m_database != nullptr);
}

template <typename Rule>
BOOLEAN CNiraProductData::SyncEntry(LONG kind, LONG index, Rule&& rule)
{
    return GuardSettingsCall([&] {
        RequireReady(kind, index);
        rule();
    });
}

BOOLEAN CNiraProductData::SyncFlag(LONG index)
{
    return SyncEntry(SETTING_ARRAY_FLAG, index,
                     [&] { RequireSettings(m_owner->SetFlag(index, FlagValue(index), FALSE) == TRUE); });
}

BOOLEAN CNiraProductData::SyncInt(LONG index)
{
    return SyncEntry(SETTING_ARRAY_INT, index,
                     [&] { RequireSettings(m_owner->SetInt(index, IntValue(index), FALSE) == TRUE); });
}

BOOLEAN CNiraProductData::SyncFloat(LONG index)
{
    return SyncEntry(SETTING_ARRAY_FLOAT, index,
                     [&] { RequireSettings(m_owner->SetFloat(index, FloatValue(index), FALSE) == TRUE); });
}

BOOLEAN CNiraProductData::SyncIntRef(LONG index)
{
    return SyncEntry(SETTING_ARRAY_INT_REF, index, [&] {
        const LONG value = IntRefValue(index);
        RequireSettings(m_owner->SetIntRef(index, &value, FALSE) == TRUE);
    });
}

BOOLEAN CNiraProductData::SyncString(LONG index)
{
    return SyncEntry(SETTING_ARRAY_STRING, index, [&] {
        CNiraString value;
        StringValue(index, value);
        RequireSettings(m_owner->SetString(index, &value, FALSE) == TRUE);
    });
}

BOOLEAN CNiraProductData::SyncBlob(LONG index)
{
    return SyncEntry(SETTING_ARRAY_BLOB, index, [&] { SetBlobValue(index); });
}

// No entry of these kinds exists, so the frame always refuses.
BOOLEAN CNiraProductData::SyncByte(LONG index)
{
    return SyncEntry(SETTING_ARRAY_BYTE, index, [] {});
}

BOOLEAN CNiraProductData::SyncWord(LONG index)
{
    return SyncEntry(SETTING_ARRAY_WORD, index, [] {});
}

BOOLEAN CNiraProductData::SyncDouble(LONG index)
{
    return SyncEntry(SETTING_ARRAY_DOUBLE, index, [] {});
}
