// The registry: HKEY_LOCAL_MACHINE, HKEY_USERS with the process user's hive (which
// HKEY_CURRENT_USER opens) under the user's SID, and HKEY_CLASSES_ROOT as HKLM\Software\Classes,
// kept in memory. Key names compare without regard to case; subkeys are
// enumerated in name order, values in the order they were made. Handles carry the rights they
// were opened with.
#include "core/Failures.h"
#include "core/Handles.h"
#include "core/MachineState.h"
#include "core/Wide.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

namespace nirasim::sim {
namespace {

constexpr DWORD kMaximumAllowed = 0x02000000;
constexpr size_t kMaxKeyNameChars = 255;
constexpr size_t kMaxValueNameChars = 16383;

struct RegValue {
    std::u16string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct RegKey {
    std::u16string name;
    std::map<std::u16string, std::shared_ptr<RegKey>, NoCaseLess> subkeys;
    std::vector<RegValue> values;
    bool deleted = false;
};

struct Hives {
    std::recursive_mutex lock;
    std::shared_ptr<RegKey> machine = std::make_shared<RegKey>();
    std::shared_ptr<RegKey> users = std::make_shared<RegKey>();
    std::shared_ptr<RegKey> currentUser = std::make_shared<RegKey>();
};

Hives& Registry()
{
    static auto* hives = new Hives;
    return *hives;
}

ResetHook resetRegistry([] {
    Hives& hives = Registry();
    std::lock_guard<std::recursive_mutex> guard(hives.lock);
    hives.machine = std::make_shared<RegKey>();
    hives.users = std::make_shared<RegKey>();
    hives.currentUser = std::make_shared<RegKey>();
    hives.currentUser->name = kUserSid;
    hives.users->subkeys[kUserSid] = hives.currentUser;
});

class KeyObject : public KernelObject {
public:
    KeyObject(std::shared_ptr<RegKey> key, REGSAM rights) : key(std::move(key)), rights(rights) {}
    std::shared_ptr<RegKey> key;
    REGSAM rights;
};

REGSAM MapRights(REGSAM desired)
{
    REGSAM rights = desired & ~(KEY_WOW64_32KEY | KEY_WOW64_64KEY);
    if (desired & (GENERIC_ALL | kMaximumAllowed)) {
        rights |= KEY_ALL_ACCESS;
    }
    if (desired & (GENERIC_READ | GENERIC_EXECUTE)) {
        rights |= KEY_READ;
    }
    if (desired & GENERIC_WRITE) {
        rights |= KEY_WRITE;
    }
    return rights;
}

std::vector<std::u16string> SplitKeyPath(const WCHAR* path)
{
    std::vector<std::u16string> names;
    std::u16string current;
    for (const WCHAR* c = path; c && *c; ++c) {
        if (*c == u'\\') {
            if (!current.empty()) {
                names.push_back(current);
            }
            current.clear();
        } else {
            current.push_back(*c);
        }
    }
    if (!current.empty()) {
        names.push_back(current);
    }
    return names;
}

// The key names a path opened from `root` reaches. KEY_WOW64_32KEY opens the 32-bit view: on a
// 64-bit machine HKLM\SOFTWARE of that view is HKLM\SOFTWARE\WOW6432Node.
std::vector<std::u16string> ViewKeyPath(HKEY root, const WCHAR* path, REGSAM desired)
{
    std::vector<std::u16string> names = SplitKeyPath(path);
    const std::u16string redirected = u"WOW6432Node";
    if ((desired & KEY_WOW64_32KEY) != 0 && root == HKEY_LOCAL_MACHINE && !names.empty() &&
        EqualNoCase(names[0], u"SOFTWARE") && (names.size() < 2 || !EqualNoCase(names[1], redirected))) {
        names.insert(names.begin() + 1, redirected);
    }
    return names;
}

// The key a handle stands for and the rights it carries; ERROR_SUCCESS or the error.
LONG Resolve(HKEY handle, std::shared_ptr<RegKey>& key, REGSAM& rights)
{
    Hives& hives = Registry();
    rights = KEY_ALL_ACCESS;
    if (handle == HKEY_LOCAL_MACHINE) {
        key = hives.machine;
    } else if (handle == HKEY_CURRENT_USER) {
        key = hives.currentUser;
    } else if (handle == HKEY_USERS) {
        key = hives.users;
    } else if (handle == HKEY_CLASSES_ROOT) {
        key = hives.machine;
        for (const char16_t* name : {u"Software", u"Classes"}) {
            auto& child = key->subkeys[name];
            if (!child) {
                child = std::make_shared<RegKey>();
                child->name = name;
            }
            key = child;
        }
    } else {
        auto object = LookUpHandleAs<KeyObject>(handle);
        if (!object) {
            return ERROR_INVALID_HANDLE;
        }
        key = object->key;
        rights = object->rights;
    }
    return key->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
}

std::shared_ptr<RegKey> Descend(std::shared_ptr<RegKey> key, const std::vector<std::u16string>& names,
                                bool create, bool& created)
{
    created = false;
    for (const auto& name : names) {
        auto it = key->subkeys.find(name);
        if (it == key->subkeys.end()) {
            if (!create) {
                return nullptr;
            }
            auto child = std::make_shared<RegKey>();
            child->name = name;
            it = key->subkeys.emplace(name, child).first;
            created = true;
        }
        key = it->second;
    }
    return key;
}

RegValue* FindValue(RegKey& key, const WCHAR* name)
{
    std::u16string wanted = WideFrom(name);
    for (auto& value : key.values) {
        if (EqualNoCase(value.name, wanted)) {
            return &value;
        }
    }
    return nullptr;
}

void MarkDeleted(RegKey& key)
{
    key.deleted = true;
    for (auto& [name, child] : key.subkeys) {
        MarkDeleted(*child);
    }
}

// Copies a value's data out as RegQueryValueExW does.
LONG AnswerData(const RegValue& value, LPDWORD type, LPBYTE data, LPDWORD size)
{
    if (type != nullptr) {
        *type = value.type;
    }
    if (data != nullptr && size == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    if (size == nullptr) {
        return ERROR_SUCCESS;
    }
    DWORD needed = static_cast<DWORD>(value.data.size());
    if (data != nullptr && *size < needed) {
        *size = needed;
        return ERROR_MORE_DATA;
    }
    if (data != nullptr && needed > 0) {
        std::memcpy(data, value.data.data(), needed);
    }
    *size = needed;
    return ERROR_SUCCESS;
}

#define REGISTRY_OPEN(handle, key, rights)                         \
    Hives& hives = Registry();                                     \
    std::lock_guard<std::recursive_mutex> guard(hives.lock);       \
    std::shared_ptr<RegKey> key;                                   \
    REGSAM rights;                                                 \
    if (LONG status = Resolve(handle, key, rights); status != 0) { \
        return status;                                             \
    }

}  // namespace
}  // namespace nirasim::sim

using namespace nirasim::sim;

LSTATUS WINAPI RegOpenKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, REGSAM samDesired, PHKEY phkResult)
{
    NIRASIM_RETURN_IF_INJECTED("RegOpenKeyExW");
    if (phkResult == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = nullptr;
    REGISTRY_OPEN(hKey, key, rights)
    bool created;
    auto target = Descend(key, ViewKeyPath(hKey, lpSubKey, samDesired), false, created);
    if (!target) {
        return ERROR_FILE_NOT_FOUND;
    }
    *phkResult =
        reinterpret_cast<HKEY>(AddHandle(std::make_shared<KeyObject>(target, MapRights(samDesired))));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegOpenKeyW(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult)
{
    return RegOpenKeyExW(hKey, lpSubKey, 0, KEY_ALL_ACCESS, phkResult);
}

LSTATUS WINAPI RegCreateKeyExW(HKEY hKey, LPCWSTR lpSubKey, DWORD, LPWSTR, DWORD, REGSAM samDesired,
                               const LPSECURITY_ATTRIBUTES, PHKEY phkResult, LPDWORD lpdwDisposition)
{
    NIRASIM_RETURN_IF_INJECTED("RegCreateKeyExW");
    if (phkResult == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    *phkResult = nullptr;
    REGISTRY_OPEN(hKey, key, rights)
    auto names = ViewKeyPath(hKey, lpSubKey, samDesired);
    for (const auto& name : names) {
        if (name.size() > kMaxKeyNameChars) {
            return ERROR_INVALID_PARAMETER;
        }
    }
    bool created;
    auto existing = Descend(key, names, false, created);
    if (!existing && !(rights & KEY_CREATE_SUB_KEY)) {
        return ERROR_ACCESS_DENIED;
    }
    auto target = existing ? existing : Descend(key, names, true, created);
    if (lpdwDisposition != nullptr) {
        *lpdwDisposition = existing ? REG_OPENED_EXISTING_KEY : REG_CREATED_NEW_KEY;
    }
    *phkResult =
        reinterpret_cast<HKEY>(AddHandle(std::make_shared<KeyObject>(target, MapRights(samDesired))));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegCreateKeyW(HKEY hKey, LPCWSTR lpSubKey, PHKEY phkResult)
{
    return RegCreateKeyExW(hKey, lpSubKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, phkResult, nullptr);
}

LSTATUS WINAPI RegCloseKey(HKEY hKey)
{
    if (hKey == HKEY_LOCAL_MACHINE || hKey == HKEY_CURRENT_USER || hKey == HKEY_USERS ||
        hKey == HKEY_CLASSES_ROOT) {
        return ERROR_SUCCESS;
    }
    if (!LookUpHandleAs<KeyObject>(reinterpret_cast<HANDLE>(hKey))) {
        return ERROR_INVALID_HANDLE;
    }
    RemoveHandle(reinterpret_cast<HANDLE>(hKey));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteKeyW(HKEY hKey, LPCWSTR lpSubKey)
{
    REGISTRY_OPEN(hKey, key, rights)
    auto names = SplitKeyPath(lpSubKey);
    if (names.empty()) {
        return ERROR_INVALID_PARAMETER;
    }
    std::u16string last = names.back();
    names.pop_back();
    bool created;
    auto parent = Descend(key, names, false, created);
    auto it = parent ? parent->subkeys.find(last) : decltype(parent->subkeys.end()){};
    if (!parent || it == parent->subkeys.end()) {
        return ERROR_FILE_NOT_FOUND;
    }
    if (!it->second->subkeys.empty()) {
        return ERROR_ACCESS_DENIED;
    }
    MarkDeleted(*it->second);
    parent->subkeys.erase(it);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteTreeW(HKEY hKey, LPCWSTR lpSubKey)
{
    REGISTRY_OPEN(hKey, key, rights)
    bool created;
    auto target = Descend(key, SplitKeyPath(lpSubKey), false, created);
    if (!target) {
        return ERROR_FILE_NOT_FOUND;
    }
    for (auto& [name, child] : target->subkeys) {
        MarkDeleted(*child);
    }
    target->subkeys.clear();
    target->values.clear();
    if (lpSubKey != nullptr && *lpSubKey != 0) {
        return RegDeleteKeyW(hKey, lpSubKey);
    }
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegQueryValueExW(HKEY hKey, LPCWSTR lpValueName, LPDWORD, LPDWORD lpType, LPBYTE lpData,
                                LPDWORD lpcbData)
{
    NIRASIM_RETURN_IF_INJECTED("RegQueryValueExW");
    REGISTRY_OPEN(hKey, key, rights)
    if (!(rights & KEY_QUERY_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    const RegValue* value = FindValue(*key, lpValueName);
    if (value == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    return AnswerData(*value, lpType, lpData, lpcbData);
}

LSTATUS WINAPI RegGetValueW(HKEY hkey, LPCWSTR lpSubKey, LPCWSTR lpValue, DWORD dwFlags, LPDWORD pdwType,
                            PVOID pvData, LPDWORD pcbData)
{
    HKEY opened = nullptr;
    if (lpSubKey != nullptr && *lpSubKey != 0) {
        LONG status = RegOpenKeyExW(hkey, lpSubKey, 0, KEY_QUERY_VALUE, &opened);
        if (status != ERROR_SUCCESS) {
            return status;
        }
        hkey = opened;
    }
    LONG status;
    {
        REGISTRY_OPEN(hkey, key, rights)
        const RegValue* found = FindValue(*key, lpValue);
        if (found == nullptr) {
            status = ERROR_FILE_NOT_FOUND;
        } else {
            static const std::pair<DWORD, DWORD> kTypeFlags[] = {
                {REG_NONE, RRF_RT_REG_NONE},           {REG_SZ, RRF_RT_REG_SZ},
                {REG_EXPAND_SZ, RRF_RT_REG_EXPAND_SZ}, {REG_BINARY, RRF_RT_REG_BINARY},
                {REG_DWORD, RRF_RT_REG_DWORD},         {REG_MULTI_SZ, RRF_RT_REG_MULTI_SZ},
                {REG_QWORD, RRF_RT_REG_QWORD}};
            DWORD flag = 0;
            for (const auto& [type, bit] : kTypeFlags) {
                flag = type == found->type ? bit : flag;
            }
            RegValue value = *found;
            bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ || value.type == REG_MULTI_SZ;
            if (text && (value.data.size() < 2 || value.data[value.data.size() - 1] != 0 ||
                         value.data[value.data.size() - 2] != 0)) {
                value.data.resize(value.data.size() & ~size_t{1});
                value.data.push_back(0);
                value.data.push_back(0);
            }
            status = (dwFlags & flag) == 0 ? ERROR_UNSUPPORTED_TYPE
                                           : AnswerData(value, pdwType, static_cast<LPBYTE>(pvData), pcbData);
        }
    }
    if (opened != nullptr) {
        RegCloseKey(opened);
    }
    return status;
}

LSTATUS WINAPI RegSetValueExW(HKEY hKey, LPCWSTR lpValueName, DWORD, DWORD dwType, const BYTE* lpData,
                              DWORD cbData)
{
    NIRASIM_RETURN_IF_INJECTED("RegSetValueExW");
    REGISTRY_OPEN(hKey, key, rights)
    if (!(rights & KEY_SET_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    if (lpData == nullptr && cbData > 0) {
        return ERROR_NOACCESS;
    }
    std::u16string name = WideFrom(lpValueName);
    if (name.size() > kMaxValueNameChars) {
        return ERROR_INVALID_PARAMETER;
    }
    RegValue* value = FindValue(*key, lpValueName);
    if (value == nullptr) {
        key->values.push_back(RegValue{name, REG_NONE, {}});
        value = &key->values.back();
    }
    value->type = dwType;
    value->data.assign(lpData, lpData + cbData);
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegDeleteValueW(HKEY hKey, LPCWSTR lpValueName)
{
    NIRASIM_RETURN_IF_INJECTED("RegDeleteValueW");
    REGISTRY_OPEN(hKey, key, rights)
    if (!(rights & KEY_SET_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    RegValue* value = FindValue(*key, lpValueName);
    if (value == nullptr) {
        return ERROR_FILE_NOT_FOUND;
    }
    key->values.erase(key->values.begin() + (value - key->values.data()));
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegEnumKeyExW(HKEY hKey, DWORD dwIndex, LPWSTR lpName, LPDWORD lpcchName, LPDWORD,
                             LPWSTR lpClass, LPDWORD lpcchClass, PFILETIME lpftLastWriteTime)
{
    REGISTRY_OPEN(hKey, key, rights)
    if (!(rights & KEY_ENUMERATE_SUB_KEYS)) {
        return ERROR_ACCESS_DENIED;
    }
    if (lpName == nullptr || lpcchName == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    if (dwIndex >= key->subkeys.size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    auto it = std::next(key->subkeys.begin(), dwIndex);
    const std::u16string& name = it->second->name;
    if (*lpcchName < name.size() + 1) {
        return ERROR_MORE_DATA;
    }
    CopyWideOut(name, lpName, *lpcchName);
    *lpcchName = static_cast<DWORD>(name.size());
    if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) {
        lpClass[0] = 0;
        *lpcchClass = 0;
    }
    if (lpftLastWriteTime != nullptr) {
        GetSystemTimeAsFileTime(lpftLastWriteTime);
    }
    return ERROR_SUCCESS;
}

LSTATUS WINAPI RegEnumValueW(HKEY hKey, DWORD dwIndex, LPWSTR lpValueName, LPDWORD lpcchValueName, LPDWORD,
                             LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    REGISTRY_OPEN(hKey, key, rights)
    if (!(rights & KEY_QUERY_VALUE)) {
        return ERROR_ACCESS_DENIED;
    }
    if (lpValueName == nullptr || lpcchValueName == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    if (dwIndex >= key->values.size()) {
        return ERROR_NO_MORE_ITEMS;
    }
    const RegValue& value = key->values[dwIndex];
    if (*lpcchValueName < value.name.size() + 1) {
        return ERROR_MORE_DATA;
    }
    CopyWideOut(value.name, lpValueName, *lpcchValueName);
    *lpcchValueName = static_cast<DWORD>(value.name.size());
    return AnswerData(value, lpType, lpData, lpcbData);
}

LSTATUS WINAPI RegQueryInfoKeyW(HKEY hKey, LPWSTR lpClass, LPDWORD lpcchClass, LPDWORD, LPDWORD lpcSubKeys,
                                LPDWORD lpcbMaxSubKeyLen, LPDWORD lpcbMaxClassLen, LPDWORD lpcValues,
                                LPDWORD lpcbMaxValueNameLen, LPDWORD lpcbMaxValueLen,
                                LPDWORD lpcbSecurityDescriptor, PFILETIME lpftLastWriteTime)
{
    REGISTRY_OPEN(hKey, key, rights)
    size_t maxSubKey = 0, maxValueName = 0, maxValue = 0;
    for (const auto& [name, child] : key->subkeys) {
        maxSubKey = std::max(maxSubKey, child->name.size());
    }
    for (const auto& value : key->values) {
        maxValueName = std::max(maxValueName, value.name.size());
        maxValue = std::max(maxValue, value.data.size());
    }
    if (lpClass != nullptr && lpcchClass != nullptr && *lpcchClass > 0) {
        lpClass[0] = 0;
    }
    auto put = [](LPDWORD out, size_t value) {
        if (out != nullptr) {
            *out = static_cast<DWORD>(value);
        }
    };
    put(lpcchClass, 0);
    put(lpcSubKeys, key->subkeys.size());
    put(lpcbMaxSubKeyLen, maxSubKey);
    put(lpcbMaxClassLen, 0);
    put(lpcValues, key->values.size());
    put(lpcbMaxValueNameLen, maxValueName);
    put(lpcbMaxValueLen, maxValue);
    put(lpcbSecurityDescriptor, 0);
    if (lpftLastWriteTime != nullptr) {
        GetSystemTimeAsFileTime(lpftLastWriteTime);
    }
    return ERROR_SUCCESS;
}
