// Resources of a module: read from the table the module exports (nirasimres.h), string lists
// grouped into RT_STRING blocks of 16 counted strings as the resource compiler groups them.
#include "modules/Modules.h"
#include "modules/VersionInfo.h"

#include "core/MachineState.h"
#include "core/Wide.h"

#include <algorithm>
#include <cstring>
#include <array>
#include <map>
#include <mutex>

namespace nirasim::sim {
namespace {

constexpr WORD kStringsPerBlock = 16;
constexpr size_t kMaxStringChars = 0xFFFF;
constexpr WORD kStringType = 6;
constexpr WORD kVersionType = 16;

// A type or name as FindResource takes it: an ordinal, "#123", or a name compared in upper case.
struct ResourceKey {
    WORD id = 0;
    std::u16string name;
};

ResourceKey KeyOf(LPCWSTR text)
{
    ResourceKey key;
    if (IS_INTRESOURCE(text)) {
        key.id = static_cast<WORD>(reinterpret_cast<ULONG_PTR>(text));
        return key;
    }
    std::u16string value = WideFrom(text);
    if (value.size() > 1 && value[0] == u'#') {
        key.id = static_cast<WORD>(std::stoul(Utf8FromWide(value.substr(1))));
        return key;
    }
    key.name = UpperCase(value);
    return key;
}

bool SameType(const ResourceItem& item, const ResourceKey& key)
{
    return key.name.empty() ? item.typeName.empty() && item.typeId == key.id : item.typeName == key.name;
}

bool SameName(const ResourceItem& item, const ResourceKey& key)
{
    return key.name.empty() ? item.nameName.empty() && item.nameId == key.id : item.nameName == key.name;
}

void AddStringBlocks(Module& module, const NIRASIM_STRING_ENTRY* strings, DWORD count)
{
    // (language, block) -> the 16 texts of the block
    std::map<std::pair<WORD, WORD>, std::array<std::u16string, kStringsPerBlock>> blocks;
    for (DWORD i = 0; i < count; ++i) {
        const NIRASIM_STRING_ENTRY& entry = strings[i];
        if (entry.uId > 0xFFFF || entry.pszText == nullptr) {
            continue;
        }
        WORD block = static_cast<WORD>(entry.uId / kStringsPerBlock + 1);
        auto& texts = blocks[{entry.wLanguage, block}];
        std::u16string& text = texts[entry.uId % kStringsPerBlock];
        if (text.empty()) {
            text = WideFrom(entry.pszText).substr(0, kMaxStringChars);
        }
    }
    for (const auto& [where, texts] : blocks) {
        auto bytes = std::make_unique<std::vector<WORD>>();
        for (const auto& text : texts) {
            bytes->push_back(static_cast<WORD>(text.size()));
            bytes->insert(bytes->end(), text.begin(), text.end());
        }
        auto item = std::make_unique<ResourceItem>();
        item->typeId = kStringType;
        item->nameId = where.second;
        item->language = where.first;
        item->data = bytes->data();
        item->size = static_cast<DWORD>(bytes->size() * sizeof(WORD));
        module.stringBlocks.push_back(std::move(bytes));
        module.resources.push_back(std::move(item));
    }
}

void AddResources(Module& module, const NIRASIM_RESOURCE_ENTRY* entries, DWORD count)
{
    for (DWORD i = 0; i < count; ++i) {
        const NIRASIM_RESOURCE_ENTRY& entry = entries[i];
        if (entry.lpType == nullptr || entry.lpName == nullptr) {
            continue;
        }
        ResourceKey type = KeyOf(entry.lpType);
        ResourceKey name = KeyOf(entry.lpName);
        auto item = std::make_unique<ResourceItem>();
        item->typeId = type.id;
        item->typeName = type.name;
        item->nameId = name.id;
        item->nameName = name.name;
        item->language = entry.wLanguage;
        item->data = entry.pData;
        item->size = entry.cbData;
        module.resources.push_back(std::move(item));
    }
}

void AddVersion(Module& module, const NIRASIM_VERSION_INFO& info)
{
    std::vector<BYTE> block = BuildVersionBlock(VersionSpecOf(info));
    auto bytes = std::make_unique<std::vector<WORD>>((block.size() + 1) / 2);
    std::memcpy(bytes->data(), block.data(), block.size());
    auto item = std::make_unique<ResourceItem>();
    item->typeId = kVersionType;
    item->nameId = 1;
    item->language = info.wLanguage;
    item->data = bytes->data();
    item->size = static_cast<DWORD>(block.size());
    module.stringBlocks.push_back(std::move(bytes));
    module.resources.push_back(std::move(item));
}

const ResourceItem* Find(Module& module, const ResourceKey& type, const ResourceKey& name, WORD language,
                         DWORD& error)
{
    bool typeSeen = false;
    bool nameSeen = false;
    for (const auto& item : ResourcesOf(module)) {
        if (!SameType(*item, type)) {
            continue;
        }
        typeSeen = true;
        if (!SameName(*item, name)) {
            continue;
        }
        nameSeen = true;
        if (item->language == language) {
            return item.get();
        }
    }
    error = !typeSeen   ? ERROR_RESOURCE_TYPE_NOT_FOUND
            : !nameSeen ? ERROR_RESOURCE_NAME_NOT_FOUND
                        : ERROR_RESOURCE_LANG_NOT_FOUND;
    return nullptr;
}

// The language-neutral search of FindResourceW and LoadStringW: neutral, the user's UI language,
// its primary language, US English, then any language.
const ResourceItem* FindNeutral(Module& module, const ResourceKey& type, const ResourceKey& name,
                                DWORD& error)
{
    LANGID ui;
    {
        MachineState& state = State();
        std::lock_guard<std::recursive_mutex> guard(state.lock);
        ui = state.process.uiLanguage;
    }
    const WORD tries[] = {0, ui, static_cast<WORD>(PRIMARYLANGID(ui)), 0x0409};
    for (WORD language : tries) {
        if (const ResourceItem* item = Find(module, type, name, language, error)) {
            return item;
        }
    }
    for (const auto& item : ResourcesOf(module)) {
        if (SameType(*item, type) && SameName(*item, name)) {
            return item.get();
        }
    }
    return nullptr;
}

LPWSTR TypeOrNameArgument(WORD id, const std::u16string& name)
{
    return name.empty() ? MAKEINTRESOURCEW(id) : const_cast<LPWSTR>(name.c_str());
}

bool KeyLess(WORD idA, const std::u16string& nameA, WORD idB, const std::u16string& nameB)
{
    // Named entries come before numbered ones, each in order.
    if (nameA.empty() != nameB.empty()) {
        return !nameA.empty();
    }
    return nameA.empty() ? idA < idB : nameA < nameB;
}

Module* ResourceModule(HMODULE handle)
{
    Module* module = ModuleOf(handle);
    if (module == nullptr) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    }
    return module;
}

BOOL StopByUser()
{
    SetLastError(ERROR_RESOURCE_ENUM_USER_STOP);
    return FALSE;
}

}  // namespace

const std::vector<std::unique_ptr<ResourceItem>>& ResourcesOf(Module& module)
{
    if (!module.resourcesLoaded) {
        module.resourcesLoaded = true;
        FARPROC entry = module.library && !module.builtIn
                            ? GetProcAddress(reinterpret_cast<HMODULE>(&module), NIRASIM_GET_RESOURCES_EXPORT)
                            : nullptr;
        if (entry != nullptr) {
            const NIRASIM_RESOURCE_TABLE* table =
                reinterpret_cast<NIRASIM_GET_RESOURCES>(reinterpret_cast<void*>(entry))();
            if (table != nullptr && table->dwVersion == NIRASIM_RESOURCE_TABLE_VERSION) {
                AddStringBlocks(module, table->pStrings, table->pStrings ? table->cStrings : 0);
                AddResources(module, table->pResources, table->pResources ? table->cResources : 0);
                if (table->pVersion != nullptr) {
                    AddVersion(module, *table->pVersion);
                }
            }
        }
        std::stable_sort(module.resources.begin(), module.resources.end(), [](const auto& a, const auto& b) {
            if (a->typeId != b->typeId || a->typeName != b->typeName) {
                return KeyLess(a->typeId, a->typeName, b->typeId, b->typeName);
            }
            if (a->nameId != b->nameId || a->nameName != b->nameName) {
                return KeyLess(a->nameId, a->nameName, b->nameId, b->nameName);
            }
            return a->language < b->language;
        });
    }
    return module.resources;
}

}  // namespace nirasim::sim

using namespace nirasim::sim;

HRSRC WINAPI FindResourceExW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName, WORD wLanguage)
{
    if (lpType == nullptr || lpName == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    std::lock_guard<std::recursive_mutex> guard(ModuleLock());
    Module* module = ResourceModule(hModule);
    if (module == nullptr) {
        return nullptr;
    }
    DWORD error = ERROR_SUCCESS;
    ResourceKey type = KeyOf(lpType);
    ResourceKey name = KeyOf(lpName);
    const ResourceItem* item = wLanguage == 0 ? FindNeutral(*module, type, name, error)
                                              : Find(*module, type, name, wLanguage, error);
    if (item == nullptr) {
        SetLastError(error);
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(const_cast<ResourceItem*>(item));
}

HRSRC WINAPI FindResourceW(HMODULE hModule, LPCWSTR lpName, LPCWSTR lpType)
{
    return FindResourceExW(hModule, lpType, lpName, 0);
}

HGLOBAL WINAPI LoadResource(HMODULE, HRSRC hResInfo)
{
    if (hResInfo == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return const_cast<void*>(reinterpret_cast<ResourceItem*>(hResInfo)->data);
}

LPVOID WINAPI LockResource(HGLOBAL hResData)
{
    return hResData;
}

DWORD WINAPI SizeofResource(HMODULE, HRSRC hResInfo)
{
    if (hResInfo == nullptr) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    return reinterpret_cast<ResourceItem*>(hResInfo)->size;
}

BOOL WINAPI FreeResource(HGLOBAL)
{
    return FALSE;  // resources live as long as their module
}

BOOL WINAPI EnumResourceTypesW(HMODULE hModule, ENUMRESTYPEPROCW lpEnumFunc, LONG_PTR lParam)
{
    std::lock_guard<std::recursive_mutex> guard(ModuleLock());
    Module* module = ResourceModule(hModule);
    if (module == nullptr || lpEnumFunc == nullptr) {
        return FALSE;
    }
    const auto& items = ResourcesOf(*module);
    if (items.empty()) {
        SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
        return FALSE;
    }
    const ResourceItem* previous = nullptr;
    for (const auto& item : items) {
        if (previous && previous->typeId == item->typeId && previous->typeName == item->typeName) {
            continue;
        }
        previous = item.get();
        std::u16string name = item->typeName;
        if (!lpEnumFunc(hModule, TypeOrNameArgument(item->typeId, name), lParam)) {
            return StopByUser();
        }
    }
    return TRUE;
}

BOOL WINAPI EnumResourceNamesW(HMODULE hModule, LPCWSTR lpType, ENUMRESNAMEPROCW lpEnumFunc, LONG_PTR lParam)
{
    std::lock_guard<std::recursive_mutex> guard(ModuleLock());
    Module* module = ResourceModule(hModule);
    if (module == nullptr || lpType == nullptr || lpEnumFunc == nullptr) {
        return FALSE;
    }
    ResourceKey type = KeyOf(lpType);
    const ResourceItem* previous = nullptr;
    for (const auto& item : ResourcesOf(*module)) {
        if (!SameType(*item, type) ||
            (previous && previous->nameId == item->nameId && previous->nameName == item->nameName)) {
            continue;
        }
        previous = item.get();
        std::u16string name = item->nameName;
        if (!lpEnumFunc(hModule, lpType, TypeOrNameArgument(item->nameId, name), lParam)) {
            return StopByUser();
        }
    }
    if (previous == nullptr) {
        SetLastError(ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

BOOL WINAPI EnumResourceLanguagesW(HMODULE hModule, LPCWSTR lpType, LPCWSTR lpName,
                                   ENUMRESLANGPROCW lpEnumFunc, LONG_PTR lParam)
{
    std::lock_guard<std::recursive_mutex> guard(ModuleLock());
    Module* module = ResourceModule(hModule);
    if (module == nullptr || lpType == nullptr || lpName == nullptr || lpEnumFunc == nullptr) {
        return FALSE;
    }
    ResourceKey type = KeyOf(lpType);
    ResourceKey name = KeyOf(lpName);
    bool typeSeen = false;
    bool nameSeen = false;
    for (const auto& item : ResourcesOf(*module)) {
        if (!SameType(*item, type)) {
            continue;
        }
        typeSeen = true;
        if (!SameName(*item, name)) {
            continue;
        }
        nameSeen = true;
        if (!lpEnumFunc(hModule, lpType, lpName, item->language, lParam)) {
            return StopByUser();
        }
    }
    if (!nameSeen) {
        SetLastError(typeSeen ? ERROR_RESOURCE_NAME_NOT_FOUND : ERROR_RESOURCE_TYPE_NOT_FOUND);
        return FALSE;
    }
    return TRUE;
}

int WINAPI LoadStringW(HINSTANCE hInstance, UINT uID, LPWSTR lpBuffer, int cchBufferMax)
{
    if (lpBuffer == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::lock_guard<std::recursive_mutex> guard(ModuleLock());
    Module* module = ResourceModule(hInstance);
    DWORD error = ERROR_SUCCESS;
    const ResourceItem* block =
        module == nullptr
            ? nullptr
            : FindNeutral(*module, ResourceKey{kStringType, {}},
                          ResourceKey{static_cast<WORD>((uID & 0xFFFF) / kStringsPerBlock + 1), {}}, error);
    const WORD* words = block ? static_cast<const WORD*>(block->data) : nullptr;
    size_t available = block ? block->size / sizeof(WORD) : 0;
    size_t at = 0;
    for (UINT entry = 0; words && entry < (uID % kStringsPerBlock) && at < available; ++entry) {
        at += 1 + words[at];
    }
    if (words == nullptr || at >= available || words[at] == 0 || at + 1 + words[at] > available) {
        if (cchBufferMax > 0) {
            lpBuffer[0] = 0;
        }
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        return 0;
    }
    const WCHAR* text = reinterpret_cast<const WCHAR*>(words + at + 1);
    int length = words[at];
    if (cchBufferMax == 0) {
        *reinterpret_cast<const WCHAR**>(lpBuffer) = text;  // a read-only pointer into the resource
        return length;
    }
    int copied = std::min(length, cchBufferMax - 1);
    std::copy(text, text + copied, lpBuffer);
    lpBuffer[copied] = 0;
    return copied;
}
