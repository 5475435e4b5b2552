#include "nira/uiplugin/foundation/dmc/NiraDmcCore.h"

#include <strsafe.h>

#include <new>

#include "common/NiraStatus.h"
#include "common/SafeString.h"
#include "nira/uiplugin/foundation/dmc/DmcNameTables.h"
#include "nira/uiplugin/foundation/store/FeatureRegistryStore.h"

namespace {

const char* const kEntryPointNames[CNiraDmcCore::kEntryPointCount] = {
    "DMCStartConfig",
    "DMCEndConfig",
    "DMCGet",
    "DMCSet",
    "DMCEnumListToken",
    "DMCEnumFeatures",
    "DMCEnumOptions",
    "DMCSetContext",
    "DMCGetContext",
    "DMCSetContextPRV",
    "DMCGetContextPRV",
    "DMCSetContextRelative",
    "DMCGetNamedFeatureAttribute",
    "DMCGetFeatureAttributes",
    "DMCGetPRV",
    "DMCCountChildElements",
    "DMCStartExport",
    "DMCSetExport",
    "DMCEndExport",
    "DMCGetLastCOMError",
    "DllRegisterServer",
    "DllUnregisterServer",
    "saveDOM",
};

#define DMC_SECTION_PRINTING TEXT("printing")
#define DMC_SECTION_PHYSICAL TEXT("physical")
#define DMC_CURRENT TEXT("current")
#define DMC_FEATURE_ELEMENT TEXT("feature")
#define DMC_LOCK_ATTRIBUTE TEXT("lock")
#define DMC_TRUE TEXT("true")
#define DMC_OPTION_END TEXT(";")

// Values pushed beside the configuration's own: a borderless paper size also selects the first
// option of its companion feature, and the configuration's source feature takes its DMC option.
constexpr int kFeatureBorderless = 4119;
constexpr int kBorderlessOn = 2;
constexpr int kFeatureBorderlessCompanion = 4215;
constexpr int kCompanionOption = 1;
constexpr int kFeatureSettingsSource = 4143;
constexpr int kSourceDmcOption = 9;
constexpr int kSelectedState = 2;
// Sub-features nest below values; the sample configurations go two levels deep.
constexpr int kMaxDepth = 8;

// Joins up to four texts into a kDmcValueChars buffer; false when they do not fit.
bool JoinPath(LPWSTR out, LPCWSTR a, LPCWSTR b, LPCWSTR c = TEXT(""), LPCWSTR d = TEXT(""))
{
    return SUCCEEDED(CopyStringSafe(out, kDmcValueChars, a)) &&
           SUCCEEDED(AppendStringSafe(out, kDmcValueChars, b)) &&
           SUCCEEDED(AppendStringSafe(out, kDmcValueChars, c)) &&
           SUCCEEDED(AppendStringSafe(out, kDmcValueChars, d));
}

bool IsEmptyList(LPCWSTR list)
{
    return list[0] == 0 || CompareStringSafe(list, DMC_LIST_SEPARATOR) == 0;
}

bool EndsWithBracket(LPCWSTR text)
{
    size_t length = 0;
    GetStringLengthSafe(text, kDmcValueChars, &length);
    return length > 0 && text[length - 1] == TEXT(']');
}

void SelectOption(INiraUISettings* settings, int featureId, int optionId)
{
    settings->SetDefaultOption(&featureId, &optionId);
    settings->SetCurrentOption(&featureId, &optionId, kSelectedState, 0, 0, 1, 0);
}

}  // namespace

bool DmcItemsEqual(const DmcItem& first, const DmcItem& second)
{
    return first.lock == second.lock && CompareStringSafe(first.name, second.name) == 0 &&
           CompareStringSafe(first.value, second.value) == 0 &&
           CompareStringSafe(first.options, second.options) == 0;
}

bool DmcAddItem(DmcComponent* component, DmcItem* item)
{
    for (CNiraPtrList::Node* node = component->items.GetHead(); node != nullptr; node = node->next) {
        DmcItem* present = static_cast<DmcItem*>(node->value);
        if (DmcItemsEqual(*present, *item)) {
            delete present;
            node->value = item;
            return true;
        }
    }
    if (component->items.AddTail(item) == nullptr) {
        delete item;
        return false;
    }
    return true;
}

void DmcDeleteComponent(DmcComponent* component)
{
    if (component == nullptr) {
        return;
    }
    for (CNiraPtrList::Node* node = component->items.GetHead(); node != nullptr; node = node->next) {
        delete static_cast<DmcItem*>(node->value);
    }
    delete component;
}

CNiraDmcCore::CNiraDmcCore(LPCWSTR libraryPath, LPCWSTR configPath, CNiraPrinterAccess* access)
    : m_entries(),
      m_configPath(nullptr),
      m_rootContext(),
      m_section(),
      m_featureToken(),
      m_listBuffer(nullptr),
      m_module(nullptr),
      m_startMode(kDmcStartCurrentValues),
      m_configured(0),
      m_readFailed(false),
      m_snapshot(nullptr),
      m_itemCount(0),
      m_writePosition(0),
      m_printer(nullptr)
{
    if (libraryPath != nullptr && libraryPath[0] != 0) {
        m_module = LoadLibraryW(libraryPath);
    }
    size_t length = 0;
    if (configPath != nullptr && SUCCEEDED(GetStringLengthSafe(configPath, STRSAFE_MAX_CCH, &length))) {
        m_configPath = static_cast<LPWSTR>(LocalAlloc(LPTR, (length + 1) * sizeof(WCHAR)));
        if (m_configPath != nullptr) {
            CopyStringSafe(m_configPath, length + 1, configPath);
        }
    }
    if (access != nullptr) {
        access->FindDriverIni(FALSE);
        m_printer = access->GetHandle();
    }
}

CNiraDmcCore::~CNiraDmcCore()
{
    if (m_module != nullptr) {
        FreeLibrary(m_module);
    }
    LocalFree(m_snapshot);
    LocalFree(m_configPath);
    LocalFree(m_listBuffer);
    DiscardComponents();
}

void CNiraDmcCore::DiscardComponents()
{
    for (CNiraPtrList::Node* node = m_components.GetHead(); node != nullptr; node = node->next) {
        DmcDeleteComponent(static_cast<DmcComponent*>(node->value));
    }
    m_components.RemoveAll();
    m_itemCount = 0;
}

bool CNiraDmcCore::ResolveEntryPoints()
{
    for (int i = 0; i < kEntryPointCount; ++i) {
        m_entries[i] = GetProcAddress(m_module, kEntryPointNames[i]);
        if (m_entries[i] == nullptr) {
            ZeroMemory(m_entries, sizeof(m_entries));
            return false;
        }
    }
    return true;
}

LONG CNiraDmcCore::Run()
{
    if (m_configured != 0) {
        return 0;  // one configuration per object: the first run's values stay
    }
    if (m_module == nullptr) {
        return ERROR_INVALID_HANDLE;
    }
    if (!ResolveEntryPoints()) {
        return ERROR_INVALID_NAME;
    }
    Entry<DmcRegisterServerProc>(kUnregisterServer)();
    if (Entry<DmcRegisterServerProc>(kRegisterServer)() != S_OK) {
        return ERROR_INVALID_NAME;
    }
    CopyStringSafe(m_rootContext, kDmcValueChars, DMC_ROOT_CONTEXT);
    LPCWSTR config = m_configPath != nullptr ? m_configPath : TEXT("");
    if (Entry<DmcStartConfigProc>(kStartConfig)(config, kDmcAccessRead, m_rootContext, m_startMode) == 0) {
        return ERROR_INVALID_NAME;
    }
    // The configuration has the one root context it was opened with.
    CopyStringSafe(m_rootContext, kDmcValueChars, DMC_ROOT_CONTEXT);
    ReadSections();
    for (CNiraPtrList::Node* node = m_components.GetHead(); node != nullptr; node = node->next) {
        DmcComponent* component = static_cast<DmcComponent*>(node->value);
        ReadComponentFeatures(component, 0);
        m_itemCount += component->items.GetCount();
    }
    if (m_itemCount > 0) {
        m_snapshot =
            static_cast<DmcSnapshotRecord*>(LocalAlloc(LPTR, m_itemCount * sizeof(DmcSnapshotRecord)));
        m_readFailed = m_readFailed || m_snapshot == nullptr;
    }
    // A read the library could not make (its DOM failed) looks like a feature the configuration
    // lacks: the capture would report success with values missing.
    const HRESULT libraryError = Entry<DmcGetLastComErrorProc>(kGetLastComError)();
    Entry<DmcEndConfigProc>(kEndConfig)();
    if (m_readFailed || libraryError != S_OK) {
        DiscardComponents();
        LocalFree(m_snapshot);
        m_snapshot = nullptr;
        m_readFailed = false;
        return ERROR_READ_FAULT;
    }
    m_configured = 1;
    return 0;
}

void CNiraDmcCore::ReadSections()
{
    WCHAR base[kDmcValueChars] = {};
    if (!JoinPath(base, TEXT("device/software/component["), m_rootContext, TEXT("]/"),
                  DMC_CURRENT TEXT("/"))) {
        return;
    }
    // "physical" is asked only after "printing" had features; the first empty section ends the list.
    if (AddSection(base, DMC_SECTION_PRINTING)) {
        AddSection(base, DMC_SECTION_PHYSICAL);
    }
}

bool CNiraDmcCore::AddSection(LPCWSTR base, LPCWSTR section)
{
    WCHAR path[kDmcValueChars] = {};
    if (!JoinPath(path, base, section) ||
        Entry<DmcCountChildElementsProc>(kCountChildElements)(path, DMC_FEATURE_ELEMENT) <= 0) {
        return false;
    }
    CopyStringSafe(m_section, kDmcValueChars, section);
    DmcComponent* component = new (std::nothrow) DmcComponent();
    if (component == nullptr) {
        m_readFailed = true;
        return false;
    }
    CopyStringSafe(component->name, kDmcValueChars, section);
    JoinPath(component->path, DMC_CURRENT TEXT("/"), section);
    if (m_components.AddHead(component) == nullptr) {
        DmcDeleteComponent(component);
        m_readFailed = true;
        return false;
    }
    return true;
}

void CNiraDmcCore::ReadComponentFeatures(DmcComponent* component, int depth)
{
    if (m_listBuffer == nullptr) {
        m_listBuffer = static_cast<LPWSTR>(LocalAlloc(LPTR, kDmcFeatureListChars * sizeof(WCHAR)));
        m_readFailed = m_readFailed || m_listBuffer == nullptr;
    }
    if (m_listBuffer == nullptr || depth > kMaxDepth) {
        return;
    }
    m_listBuffer[0] = 0;
    if (Entry<DmcEnumFeaturesProc>(kEnumFeatures)(component->path, m_listBuffer) == 0) {
        return;
    }
    m_listBuffer[kDmcFeatureListChars - 1] = 0;
    if (IsEmptyList(m_listBuffer)) {
        return;
    }
    CNiraPtrList queued;  // DmcComponent: the first found first, later ones right after it
    auto takeToken = Entry<DmcEnumListTokenProc>(kEnumListToken);
    while (takeToken(m_featureToken, m_listBuffer) != 0) {
        m_featureToken[kDmcValueChars - 1] = 0;
        WCHAR featurePath[kDmcValueChars] = {};
        if (m_featureToken[0] == 0 || !JoinPath(featurePath, component->path, TEXT("/"), m_featureToken)) {
            continue;
        }
        DmcComponent* sub = nullptr;
        DmcItem* item = ReadItem(featurePath, m_featureToken, &sub);
        if (item != nullptr && !DmcAddItem(component, item)) {
            m_readFailed = true;
        }
        if (sub != nullptr) {
            CNiraPtrList::Node* first = queued.GetHead();
            bool added = (first == nullptr || first->next == nullptr)
                             ? queued.AddTail(sub) != nullptr
                             : queued.InsertBefore(first->next, sub) != nullptr;
            if (!added) {
                DmcDeleteComponent(sub);
                m_readFailed = true;
            }
        }
    }
    for (CNiraPtrList::Node* node = queued.GetHead(); node != nullptr; node = node->next) {
        DmcComponent* sub = static_cast<DmcComponent*>(node->value);
        ReadComponentFeatures(sub, depth + 1);
        for (CNiraPtrList::Node* subNode = sub->items.GetHead(); subNode != nullptr;
             subNode = subNode->next) {
            DmcItem* item = static_cast<DmcItem*>(subNode->value);
            bool present = false;
            for (CNiraPtrList::Node* own = component->items.GetHead(); own != nullptr && !present;
                 own = own->next) {
                present = DmcItemsEqual(*static_cast<DmcItem*>(own->value), *item);
            }
            if (!present && item->name[0] != 0 && item->value[0] != 0 && item->options[0] != 0) {
                if (component->items.AddTail(item) == nullptr) {
                    m_readFailed = true;
                } else {
                    subNode->value = nullptr;  // taken over by the component
                }
            }
        }
        DmcDeleteComponent(sub);
    }
}

DmcItem* CNiraDmcCore::ReadItem(LPCWSTR featurePath, LPCWSTR token, DmcComponent** subComponent)
{
    DmcItem* item = new (std::nothrow) DmcItem();
    if (item == nullptr) {
        m_readFailed = true;
        return nullptr;
    }
    item->lock = ReadLock(featurePath) ? 1 : 0;
    // A feature without a readable value maps to nothing; it is left out.
    if (Entry<DmcGetPrvProc>(kGetPrv)(featurePath, item->value) == 0) {
        delete item;
        return nullptr;
    }
    item->value[kDmcValueChars - 1] = 0;
    CopyStringSafe(item->name, kDmcValueChars, token);
    WCHAR valuePath[kDmcValueChars] = {};
    bool hasValuePath = EndsWithBracket(featurePath)
                            ? SUCCEEDED(CopyStringSafe(valuePath, kDmcValueChars, featurePath))
                            : JoinPath(valuePath, featurePath, TEXT("["), item->value, TEXT("]"));
    ReadOptions(featurePath, item);
    if (item->options[0] == 0) {
        CopyStringSafe(item->options, kDmcFeatureListChars, item->value);
    } else if (hasValuePath) {
        *subComponent = ReadSubComponent(valuePath, item->value);
    }
    return item;
}

bool CNiraDmcCore::ReadLock(LPCWSTR featurePath)
{
    auto readAttribute = Entry<DmcGetNamedFeatureAttributeProc>(kGetNamedFeatureAttribute);
    WCHAR text[kDmcValueChars] = {};
    int read = readAttribute(featurePath, DMC_LOCK_ATTRIBUTE, text);
    if (read <= 0) {
        text[0] = 0;
        read = readAttribute(featurePath, DMC_LOCK_ATTRIBUTE, text);
    }
    text[kDmcValueChars - 1] = 0;
    return read > 0 && CompareStringNoCaseSafe(text, DMC_TRUE) == 0;
}

void CNiraDmcCore::ReadOptions(LPCWSTR featurePath, DmcItem* item)
{
    LPWSTR list = static_cast<LPWSTR>(LocalAlloc(LPTR, kDmcOptionListChars * sizeof(WCHAR)));
    if (list == nullptr) {
        m_readFailed = true;
        return;
    }
    if (Entry<DmcEnumOptionsProc>(kEnumOptions)(featurePath, list) != 0) {
        list[kDmcOptionListChars - 1] = 0;
        auto takeToken = Entry<DmcEnumListTokenProc>(kEnumListToken);
        WCHAR token[kDmcValueChars] = {};
        bool room = !IsEmptyList(list);
        while (room && takeToken(token, list) != 0) {
            token[kDmcValueChars - 1] = 0;
            if (token[0] == 0) {
                continue;
            }
            // An option list that does not fit whole keeps the options that did.
            size_t used = 0;
            GetStringLengthSafe(item->options, kDmcFeatureListChars, &used);
            room = SUCCEEDED(AppendStringSafe(item->options, kDmcFeatureListChars, token)) &&
                   SUCCEEDED(AppendStringSafe(item->options, kDmcFeatureListChars, DMC_OPTION_END));
            if (!room) {
                item->options[used] = 0;
            }
        }
    }
    LocalFree(list);
}

DmcComponent* CNiraDmcCore::ReadSubComponent(LPCWSTR valuePath, LPCWSTR value)
{
    LPWSTR list = static_cast<LPWSTR>(LocalAlloc(LPTR, kDmcFeatureListChars * sizeof(WCHAR)));
    if (list == nullptr) {
        m_readFailed = true;
        return nullptr;
    }
    DmcComponent* sub = nullptr;
    if (Entry<DmcEnumFeaturesProc>(kEnumFeatures)(valuePath, list) != 0) {
        list[kDmcFeatureListChars - 1] = 0;
        if (!IsEmptyList(list)) {
            sub = new (std::nothrow) DmcComponent();
            m_readFailed = m_readFailed || sub == nullptr;
        }
    }
    if (sub != nullptr) {
        CopyStringSafe(sub->name, kDmcValueChars, value);
        CopyStringSafe(sub->path, kDmcValueChars, valuePath);
    }
    LocalFree(list);
    return sub;
}

LONG CNiraDmcCore::ApplyToSettings(INiraUISettings* settings)
{
    if (settings == nullptr || m_configured == 0 || m_components.GetCount() == 0) {
        return NIRA_STATUS_FAILED;
    }
    for (CNiraPtrList::Node* node = m_components.GetHead(); node != nullptr; node = node->next) {
        ApplyComponent(settings, static_cast<DmcComponent*>(node->value));
    }
    return SaveToRegistryStore(settings) ? 0 : NIRA_STATUS_FAILED;
}

void CNiraDmcCore::ApplyComponent(INiraUISettings* settings, DmcComponent* component)
{
    bool firstAccepted = true;
    for (CNiraPtrList::Node* node = component->items.GetHead(); node != nullptr; node = node->next) {
        const DmcItem* item = static_cast<const DmcItem*>(node->value);
        int featureId = DmcFeatureIdFromName(item->name);
        if (featureId == kDmcNoId || settings->HasFeature(featureId) == 0) {
            continue;
        }
        int optionId = kDmcNoOption;
        int available = 0;
        if (DmcFindOptionId(featureId, item->value, &optionId) &&
            settings->IsOptionAcceptable(featureId, optionId, &available) == 0 && available) {
            SelectOption(settings, featureId, optionId);
            if (featureId == kFeatureBorderless && optionId == kBorderlessOn) {
                SelectOption(settings, kFeatureBorderlessCompanion, kCompanionOption);
            }
            if (firstAccepted) {
                SelectOption(settings, kFeatureSettingsSource, kSourceDmcOption);
                firstAccepted = false;
            }
        } else {
            optionId = kDmcNoOption;
        }
        int enable = item->lock ? kDmcEnableLocked : kDmcEnableFree;
        settings->SetDisplayState(featureId, enable);
        if (m_snapshot != nullptr && m_writePosition < m_itemCount) {
            m_snapshot[m_writePosition++] = DmcSnapshotRecord{featureId, optionId, enable, item->lock};
        }
    }
}

LONG CNiraDmcCore::CopySnapshot(DmcSnapshotRecord* records, int count) const
{
    if (m_snapshot == nullptr || records == nullptr) {
        return NIRA_STATUS_FAILED;
    }
    if (count > m_itemCount) {
        count = m_itemCount;
    }
    if (count > 0) {
        CopyMemory(records, m_snapshot, count * sizeof(DmcSnapshotRecord));
    }
    return 0;
}

bool CNiraDmcCore::SaveToRegistryStore(INiraUISettings* settings)
{
    // The user's feature store follows the configuration; a printer without one keeps none.
    CNiraPtrList features;
    settings->ListFeatures(&features);
    CNiraFeatureRegistryStore store;
    bool noStore = false;
    return store.Attach(settings)->SaveFeaturesByHandle(&features, m_printer, &noStore) == 0 || noStore;
}
