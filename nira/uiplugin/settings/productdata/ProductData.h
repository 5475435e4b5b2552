// CNiraProductData: the provider that fills the settings with facts about the printer model and
// the job that the user did not choose directly: columns of the capability database picked by the
// current options of the UI settings object, the product row, the HB lists, and a few fixed and
// option-derived values. It is a value provider: Sync computes an entry and sets it into the owner.
//
// Rows and lists are read from a private copy of the capability database and cached until the
// next Attach; a load that fails part way keeps nothing, so the next request queries again.
#pragma once

#include "nira/uiplugin/foundation/databases/DatabaseFiles.h"
#include "nira/uiplugin/settings/block/PackedSettingsBlock.h"
#include "nira/uiplugin/settings/engine/NiraArray.h"

class CNiraString;
class INiraUISettings;

// Where a product value is read from.
enum ProductValueSource : LONG {
    PRODUCT_SOURCE_FEATURE_OPTION = 1,  // a column of "FDT" + feature id at the feature's current option
    PRODUCT_SOURCE_PRODUCT_ROW = 2,     // a column of the PRODUCT_DATA row
    PRODUCT_SOURCE_PRINT_MODE_ROW = 3,  // a column of the print-mode row of FDT4116
    PRODUCT_SOURCE_PAPER_ROW = 4,       // a column of the paper row of FDT4114
};

constexpr int kProductEntryCount = 182;
// The entries the provider serves, in the order UpdateAll syncs them.
extern const SettingRef ProductEntryTable[kProductEntryCount];

// Every text of the rows a query returned, row after row in column order.
typedef CNiraArray<CNiraString*> ProductRowCache;

// Frees the texts and the cache, and nulls the pointer.
void DeleteProductRowCache(ProductRowCache*& cache);

// Row callbacks of the provider's queries (a non-zero answer aborts the query): the first column
// of each row replaces a CNiraString (the last row wins); the first column of each row, as an
// integer, replaces a LONG; every column of each row is appended to a ProductRowCache. A row
// without columns or with a NULL column aborts.
int ProductSingleValueRow(void* argument, int columnCount, char** values, char** names);
int ProductCountRow(void* argument, int columnCount, char** values, char** names);
int ProductCacheRow(void* argument, int columnCount, char** values, char** names);

// One list blob of the HB tables: a heap block owned by the provider and its size in bytes.
struct ProductListBuffer {
    BYTE* data;
    DWORD size;
};

class CNiraProductData : public CNiraMaskedProvider {
public:
    CNiraProductData();
    ~CNiraProductData() override;
    CNiraProductData(const CNiraProductData&) = delete;
    CNiraProductData& operator=(const CNiraProductData&) = delete;

    // Starts over (the database copy and every cache are dropped) with a new owner and mask.
    BOOLEAN Attach(INiraSettingsAccess* owner) override;
    BOOLEAN UpdateAll() override;

    BOOLEAN SyncFlag(LONG index) override;
    BOOLEAN SyncByte(LONG index) override;
    BOOLEAN SyncWord(LONG index) override;
    BOOLEAN SyncInt(LONG index) override;
    BOOLEAN SyncFloat(LONG index) override;
    BOOLEAN SyncDouble(LONG index) override;
    BOOLEAN SyncIntRef(LONG index) override;
    BOOLEAN SyncString(LONG index) override;
    BOOLEAN SyncBlob(LONG index) override;

    // The printer whose capability database is read and the UI settings whose current options
    // choose the rows. A database copy that is already open stays open.
    virtual BOOLEAN SetTarget(HANDLE printer, INiraUISettings* uiSettings);
    // Forgets owner, mask and every field without freeing anything.
    virtual void Reset();
    // Releases the mask, closes the database copy, frees the caches and lists, then Reset.
    virtual void ReleaseAll();

    // The entry's text from a source, converted to the entry's type (one per kind).
    BOOLEAN LookupValue(LONG source, LONG kind, LONG index, BYTE* value);
    BOOLEAN LookupValue(LONG source, LONG kind, LONG index, LONG* value);
    BOOLEAN LookupValue(LONG source, LONG kind, LONG index, FLOAT* value);
    BOOLEAN LookupValue(LONG source, LONG kind, LONG index, CNiraString* value);

    BOOLEAN QueryFeatureColumn(LONG kind, LONG index, CNiraString* text);
    BOOLEAN LoadProductRow();
    BOOLEAN LoadPrintModeRow();
    BOOLEAN LoadPaperRow();
    BOOLEAN RunSingleValueQuery(LPCSTR sql, CNiraString* text);

    BOOLEAN LoadModuleList();
    BOOLEAN LoadCommandList();
    BOOLEAN LoadJobDialogList();
    BOOLEAN LoadJobEventList();

private:
    // The Sync frame: the entry must be handled, with an owner and an open database.
    template <typename Rule>
    BOOLEAN SyncEntry(LONG kind, LONG index, Rule&& rule);
    void RequireReady(LONG kind, LONG index);

    // The value rules of each kind; each throws on failure and sets nothing.
    BYTE FlagValue(LONG index);
    LONG IntValue(LONG index);
    FLOAT FloatValue(LONG index);
    LONG IntRefValue(LONG index);
    void StringValue(LONG index, CNiraString& value);
    void SetBlobValue(LONG index);

    // Source lookups that throw instead of answering false.
    CNiraString SourceText(LONG source, LONG kind, LONG index);
    BYTE SourceFlag(LONG source, LONG index);
    LONG SourceInt(LONG source, LONG kind, LONG index);
    FLOAT SourceFloat(LONG source, LONG index);

    // Options of the UI settings object.
    LONG CurrentOption(LONG featureId);        // throws when it cannot be read
    LONG CurrentOptionOrZero(LONG featureId);  // 0 when it cannot be read
    bool TryCurrentOption(LONG featureId, LONG* option);
    LONG InputBinOptionIndex();
    LONG QueryOptionIndex(LONG featureId, LONG optionId);
    FLOAT BottomMargin();
    BYTE OwnerFlag(LONG index, bool* read);
    LONG OwnerIntRef(LONG index, bool* read);
    void DescriptionText(CNiraString& value);

    // Row sources.
    void RunQuery(LPCSTR sql, NiraQueryRowCallback callback, void* argument);
    void QueryFeatureColumnText(LONG kind, LONG index, CNiraString& text);
    void LoadRow(ProductRowCache*& cache, LPCSTR sql);
    void EnsureProductRow();
    void EnsurePrintModeRow();
    void EnsurePaperRow();
    void BuildUserPaperRow(ProductRowCache& cache, LONG paper);
    LONG PaperDuplexSelector();
    LONG PaperOrientationSelector();
    LONG PaperMetricSelector();
    LONG PrintModePenSet();

public:
    // How one HB list is read (ProductLists.cpp).
    struct ListSource;

private:
    void EnsureList(const ListSource& source, ProductListBuffer& buffer);
    ProductListBuffer& ListFor(LONG index, const ListSource** source);

    void RequireSource();

    INiraSettingsAccess* m_owner;
    INiraUISettings* m_uiSettings;
    sqlite3* m_database;
    ProductRowCache* m_productRow;
    ProductRowCache* m_printModeRow;
    ProductRowCache* m_paperRow;
    ProductListBuffer m_moduleList;
    ProductListBuffer m_commandList;
    ProductListBuffer m_jobEventList;
    ProductListBuffer m_jobDialogList;
};
