// The blob entries of the product-data provider: the default mark record, the bits of feature
// 4303, and the counted lists of the HB tables.
#include "nira/uiplugin/settings/productdata/ProductData.h"

#include <stdlib.h>
#include <string.h>

#include "common/SafeString.h"
#include "nira/uiplugin/foundation/databases/QueryRow.h"
#include "nira/uiplugin/foundation/strings/NiraString.h"
#include "nira/uiplugin/interfaces/INiraUISettings.h"
#include "nira/uiplugin/settings/productdata/ProductBlobs.h"

namespace {

constexpr LONG kBlobDefaultMark = 0;
constexpr LONG kBlobFeatureBits = 1;
constexpr LONG kBlobModuleList = 10;
constexpr LONG kBlobCommandList = 40;
constexpr LONG kBlobJobDialogList = 41;
constexpr LONG kBlobJobEventList = 42;
constexpr LONG kFeatureBitSource = 4303;

// A module row without a file (compared with its letter case).
constexpr char kNoModuleFile[] = "N/A";

// One list row as the query returns it: the column texts, never null (checked before filling).
typedef void (*FillListRecord)(BYTE* record, char** values);

void WriteInt(BYTE* record, size_t offset, LONG value)
{
    memcpy(record + offset, &value, sizeof(value));
}

LONG ColumnInt(char** values, int column)
{
    return atoi(values[column]);
}

// The column's text widened and cut to kHbTextChars - 1 characters.
void WriteText(BYTE* record, size_t offset, LPCSTR text)
{
    CNiraString wide(text);
    WCHAR bounded[kHbTextChars] = {};
    lstrcpynW(bounded, wide.GetBuffer(), kHbTextChars);
    memcpy(record + offset, bounded, sizeof(bounded));
}

void FillModule(BYTE* record, char** values)
{
    WriteInt(record, offsetof(HbModuleEntry, moduleType), ColumnInt(values, 0));
    if (strcmp(values[1], kNoModuleFile) != 0) {
        WriteText(record, offsetof(HbModuleEntry, fileName), values[1]);
    }
    WriteText(record, offsetof(HbModuleEntry, exportName), values[2]);
}

void FillIdScope(BYTE* record, char** values)
{
    WriteInt(record, offsetof(HbIdScopeEntry, id), ColumnInt(values, 0));
    WriteInt(record, offsetof(HbIdScopeEntry, scope), ColumnInt(values, 1));
}

// The columns come in the order of the query, not of the record.
void FillJobDialog(BYTE* record, char** values)
{
    WriteInt(record, offsetof(HbJobDialogEntry, dialogId), ColumnInt(values, 0));
    WriteInt(record, offsetof(HbJobDialogEntry, checkBox), ColumnInt(values, 1));
    WriteInt(record, offsetof(HbJobDialogEntry, title), ColumnInt(values, 2));
    WriteInt(record, offsetof(HbJobDialogEntry, uiDialogId), ColumnInt(values, 3));
    WriteInt(record, offsetof(HbJobDialogEntry, helpId), ColumnInt(values, 4));
    WriteInt(record, offsetof(HbJobDialogEntry, messageType), ColumnInt(values, 5));
    WriteText(record, offsetof(HbJobDialogEntry, message), values[6]);
    WriteInt(record, offsetof(HbJobDialogEntry, dialogType), ColumnInt(values, 7));
    WriteInt(record, offsetof(HbJobDialogEntry, iconId), ColumnInt(values, 8));
    WriteInt(record, offsetof(HbJobDialogEntry, button1), ColumnInt(values, 9));
    WriteInt(record, offsetof(HbJobDialogEntry, button2), ColumnInt(values, 10));
    WriteInt(record, offsetof(HbJobDialogEntry, button4), ColumnInt(values, 11));
    WriteInt(record, offsetof(HbJobDialogEntry, bitmapId), ColumnInt(values, 12));
}

// Filling a list block row by row; any failure aborts the query.
struct ListLoad {
    BYTE* block;
    DWORD recordSize;
    DWORD count;
    int columns;
    FillListRecord fill;
    DWORD rows;
    LONG error;
};

int OnListRow(void* argument, int columnCount, char** values, char**)
{
    auto* load = static_cast<ListLoad*>(argument);
    if (columnCount != load->columns) {
        load->error = ERROR_INVALID_PARAMETER;
        return 1;
    }
    if (load->rows >= load->count || values == nullptr) {
        return 1;
    }
    for (int i = 0; i < columnCount; ++i) {
        if (values[i] == nullptr) {
            return 1;
        }
    }
    BYTE* record = load->block + kHbListHeaderSize + static_cast<size_t>(load->rows) * load->recordSize;
    if (GuardSettingsCall([&] { load->fill(record, values); }) != TRUE) {
        return 1;
    }
    ++load->rows;
    return 0;
}

}  // namespace

struct CNiraProductData::ListSource {
    LPCSTR countQuery;
    LPCSTR rowQuery;
    int columns;
    DWORD recordSize;
    FillListRecord fill;
};

namespace {

const char kModuleCount[] = "SELECT COUNT(EHbModuleType) FROM HB_MODULE_LIST";
const char kModuleRows[] = "SELECT EHbModuleType,HbModuleFilename,HbModuleExportName FROM HB_MODULE_LIST";
const char kCommandCount[] = "SELECT COUNT(EHbDriverCmdID) FROM HB_COMMAND_LIST";
const char kCommandRows[] = "SELECT EHbDriverCmdID,EHbDriverCmdScope FROM HB_COMMAND_LIST";
const char kDialogCount[] = "SELECT COUNT(EHbJobUIDialogID) FROM HB_JOBUI_DIALOGS";
const char kDialogRows[] =
    "SELECT "
    "EHbJobUIDialogID,bCheckBox,uiTitle,uiDialogID,iHelp_id,iMessage_Type,wcstrMessageString,uiDlgType,"
    "uiIconID,ibutt1,ibutt2, ibutt4, ibitmap_id FROM HB_JOBUI_DIALOGS";
const char kEventCount[] = "SELECT COUNT(EHbJobUIEventID) FROM HB_JOBUI_EVENTS";
const char kEventRows[] = "SELECT EHbJobUIEventID,EHbJobUIEventScope FROM HB_JOBUI_EVENTS";

}  // namespace

static const CNiraProductData::ListSource kModuleList = {kModuleCount, kModuleRows, 3, sizeof(HbModuleEntry),
                                                         FillModule};
static const CNiraProductData::ListSource kCommandList = {kCommandCount, kCommandRows, 2,
                                                          sizeof(HbIdScopeEntry), FillIdScope};
static const CNiraProductData::ListSource kJobDialogList = {kDialogCount, kDialogRows, 13,
                                                            sizeof(HbJobDialogEntry), FillJobDialog};
static const CNiraProductData::ListSource kJobEventList = {kEventCount, kEventRows, 2, sizeof(HbIdScopeEntry),
                                                           FillIdScope};

// Counts the rows, allocates count + 1 zeroed records behind the count, and fills them. A load
// that fails part way keeps no block, so the next request loads again.
void CNiraProductData::EnsureList(const ListSource& source, ProductListBuffer& buffer)
{
    RequireSource();
    if (buffer.data != nullptr) {
        return;
    }
    LONG count = 0;
    RunQuery(source.countQuery, ProductCountRow, &count);
    RequireSettings(count > 0);
    const SIZE_T size =
        static_cast<SIZE_T>(count) * source.recordSize + source.recordSize + kHbListHeaderSize;
    // A blob longer than the settings can keep could never be handed on: it is not even loaded.
    RequireSettings(size <= kSettingBlobMaxLength);
    BYTE* block = static_cast<BYTE*>(AllocateSettingsBlock(size));
    const DWORD rowCount = static_cast<DWORD>(count);
    memcpy(block, &rowCount, sizeof(rowCount));

    ListLoad load = {block, source.recordSize, rowCount, source.columns, source.fill, 0, ERROR_INVALID_DATA};
    char* errorText = nullptr;
    const int result = ExecuteQuery(m_database, source.rowQuery, OnListRow, &load, &errorText);
    FreeQueryError(errorText);
    if (result != SQLITE_OK) {
        FreeSettingsBlock(block);
        // A row callback's refusal stops the query as SQLITE_ABORT and says why in the load;
        // any other result is SQLite's own.
        RaiseSettingsError(result == SQLITE_ABORT ? load.error : QueryResultError(result));
    }
    buffer.data = block;
    buffer.size = static_cast<DWORD>(size);
}

BOOLEAN CNiraProductData::LoadModuleList()
{
    return GuardSettingsCall([&] { EnsureList(kModuleList, m_moduleList); });
}

BOOLEAN CNiraProductData::LoadCommandList()
{
    return GuardSettingsCall([&] { EnsureList(kCommandList, m_commandList); });
}

BOOLEAN CNiraProductData::LoadJobDialogList()
{
    return GuardSettingsCall([&] { EnsureList(kJobDialogList, m_jobDialogList); });
}

BOOLEAN CNiraProductData::LoadJobEventList()
{
    return GuardSettingsCall([&] { EnsureList(kJobEventList, m_jobEventList); });
}

ProductListBuffer& CNiraProductData::ListFor(LONG index, const ListSource** source)
{
    switch (index) {
    case kBlobModuleList:
        *source = &kModuleList;
        return m_moduleList;
    case kBlobCommandList:
        *source = &kCommandList;
        return m_commandList;
    case kBlobJobDialogList:
        *source = &kJobDialogList;
        return m_jobDialogList;
    case kBlobJobEventList:
        *source = &kJobEventList;
        return m_jobEventList;
    default:
        RaiseSettingsError(ERROR_INVALID_DATA);
    }
}

void CNiraProductData::SetBlobValue(LONG index)
{
    if (index == kBlobDefaultMark) {
        DefaultMarkRecord mark;
        FillDefaultMarkRecord(mark);
        RequireSettings(m_owner->SetBlob(index, reinterpret_cast<const BYTE*>(&mark), sizeof(mark), FALSE) ==
                        TRUE);
        return;
    }
    if (index == kBlobFeatureBits) {
        FeatureBitsRecord bits;
        FillFeatureBits(bits, static_cast<DWORD>(CurrentOptionOrZero(kFeatureBitSource)));
        RequireSettings(m_owner->SetBlob(index, reinterpret_cast<const BYTE*>(&bits), sizeof(bits), FALSE) ==
                        TRUE);
        return;
    }
    const ListSource* source = nullptr;
    ProductListBuffer& list = ListFor(index, &source);
    EnsureList(*source, list);
    RequireSettings(m_owner->SetBlob(index, list.data, list.size, FALSE) == TRUE);
}
