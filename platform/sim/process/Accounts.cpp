// Security identifiers: SIDs made from an authority and sub-authorities, the SID of an account
// name and a SID's string form. The machine knows one account, the process's user, whose SID
// names its hive under HKEY_USERS; other names, well-known groups included, are not mapped.
#include <windows.h>
#include <sddl.h>

#include "core/Failures.h"
#include "core/MachineState.h"
#include "core/Wide.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

using namespace nirasim::sim;

namespace {

constexpr size_t kSidHeaderBytes = 8;  // revision, count, six authority bytes
constexpr int kAuthorityBytes = 6;
constexpr int kBitsPerByte = 8;
constexpr DWORD kTwoHighAuthorityBytes = 2;  // authorities above 32 bits are written in hex

DWORD SidBytes(BYTE subAuthorities)
{
    return static_cast<DWORD>(kSidHeaderBytes + sizeof(DWORD) * subAuthorities);
}

std::u16string UserName()
{
    MachineState& state = State();
    std::lock_guard<std::recursive_mutex> guard(state.lock);
    return state.process.userName;
}

// The sub-authorities of a "S-1-5-21-..." text (authority 5, the only one the account uses).
std::vector<DWORD> SubAuthoritiesOf(const std::u16string& text)
{
    std::vector<DWORD> parts;
    std::string narrow(text.begin(), text.end());
    size_t position = std::string("S-1-5-").size();
    while (position < narrow.size()) {
        size_t end = narrow.find('-', position);
        parts.push_back(
            static_cast<DWORD>(std::strtoul(narrow.substr(position, end - position).c_str(), nullptr, 10)));
        position = end == std::string::npos ? narrow.size() : end + 1;
    }
    return parts;
}

}  // namespace

BOOL WINAPI AllocateAndInitializeSid(PSID_IDENTIFIER_AUTHORITY pIdentifierAuthority, BYTE nSubAuthorityCount,
                                     DWORD nSubAuthority0, DWORD nSubAuthority1, DWORD nSubAuthority2,
                                     DWORD nSubAuthority3, DWORD nSubAuthority4, DWORD nSubAuthority5,
                                     DWORD nSubAuthority6, DWORD nSubAuthority7, PSID* pSid)
{
    NIRASIM_FAIL_IF_INJECTED("AllocateAndInitializeSid", FALSE);
    constexpr BYTE kMostSubAuthorities = 8;
    if (pSid == nullptr || pIdentifierAuthority == nullptr || nSubAuthorityCount == 0 ||
        nSubAuthorityCount > kMostSubAuthorities) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    auto* sid = static_cast<SID*>(std::calloc(1, SidBytes(nSubAuthorityCount)));
    if (sid == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    const DWORD values[] = {nSubAuthority0, nSubAuthority1, nSubAuthority2, nSubAuthority3,
                            nSubAuthority4, nSubAuthority5, nSubAuthority6, nSubAuthority7};
    sid->Revision = SID_REVISION;
    sid->SubAuthorityCount = nSubAuthorityCount;
    sid->IdentifierAuthority = *pIdentifierAuthority;
    std::memcpy(sid->SubAuthority, values, sizeof(DWORD) * nSubAuthorityCount);
    *pSid = sid;
    return TRUE;
}

PVOID WINAPI FreeSid(PSID pSid)
{
    std::free(pSid);
    return nullptr;
}

BOOL WINAPI IsValidSid(PSID pSid)
{
    const auto* sid = static_cast<const SID*>(pSid);
    return sid != nullptr && sid->Revision == SID_REVISION &&
           sid->SubAuthorityCount <= SID_MAX_SUB_AUTHORITIES;
}

DWORD WINAPI GetLengthSid(PSID pSid)
{
    return IsValidSid(pSid) ? SidBytes(static_cast<const SID*>(pSid)->SubAuthorityCount) : 0;
}

BOOL WINAPI LookupAccountNameW(LPCWSTR lpSystemName, LPCWSTR lpAccountName, PSID Sid, LPDWORD cbSid,
                               LPWSTR ReferencedDomainName, LPDWORD cchReferencedDomainName,
                               PSID_NAME_USE peUse)
{
    NIRASIM_FAIL_IF_INJECTED("LookupAccountNameW", FALSE);
    if (lpAccountName == nullptr || cbSid == nullptr || cchReferencedDomainName == nullptr ||
        peUse == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    std::u16string name = WideFrom(lpAccountName);
    std::u16string qualified = std::u16string(kUserDomain) + u"\\" + UserName();
    if ((lpSystemName != nullptr && *lpSystemName != 0) ||
        (!EqualNoCase(name, UserName()) && !EqualNoCase(name, qualified))) {
        SetLastError(ERROR_NONE_MAPPED);
        return FALSE;
    }
    std::vector<DWORD> parts = SubAuthoritiesOf(kUserSid);
    DWORD bytes = SidBytes(static_cast<BYTE>(parts.size()));
    std::u16string domain = kUserDomain;
    bool fits = Sid != nullptr && *cbSid >= bytes && ReferencedDomainName != nullptr &&
                *cchReferencedDomainName > domain.size();
    if (!fits) {
        *cbSid = bytes;
        *cchReferencedDomainName = static_cast<DWORD>(domain.size() + 1);
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    auto* sid = static_cast<SID*>(Sid);
    sid->Revision = SID_REVISION;
    sid->SubAuthorityCount = static_cast<BYTE>(parts.size());
    sid->IdentifierAuthority = SECURITY_NT_AUTHORITY;
    std::memcpy(sid->SubAuthority, parts.data(), sizeof(DWORD) * parts.size());
    std::memcpy(ReferencedDomainName, domain.c_str(), (domain.size() + 1) * sizeof(WCHAR));
    *cbSid = bytes;
    *cchReferencedDomainName = static_cast<DWORD>(domain.size());
    *peUse = SidTypeUser;
    return TRUE;
}

BOOL WINAPI ConvertSidToStringSidW(PSID Sid, LPWSTR* StringSid)
{
    NIRASIM_FAIL_IF_INJECTED("ConvertSidToStringSidW", FALSE);
    if (StringSid == nullptr || !IsValidSid(Sid)) {
        SetLastError(ERROR_INVALID_SID);
        return FALSE;
    }
    const auto* sid = static_cast<const SID*>(Sid);
    const BYTE* authority = sid->IdentifierAuthority.Value;
    std::string text = "S-" + std::to_string(sid->Revision) + "-";
    if (authority[0] != 0 || authority[1] != 0) {
        char hex[2 + 2 * kAuthorityBytes + 1];
        std::snprintf(hex, sizeof(hex), "0x%02X%02X%02X%02X%02X%02X", authority[0], authority[1],
                      authority[2], authority[3], authority[4], authority[5]);
        text += hex;
    } else {
        DWORD value = 0;
        for (int i = static_cast<int>(kTwoHighAuthorityBytes); i < kAuthorityBytes; ++i) {
            value = (value << kBitsPerByte) | authority[i];
        }
        text += std::to_string(value);
    }
    for (BYTE i = 0; i < sid->SubAuthorityCount; ++i) {
        text += "-" + std::to_string(sid->SubAuthority[i]);
    }
    std::u16string wide(text.begin(), text.end());
    auto* out = static_cast<LPWSTR>(LocalAlloc(LPTR, (wide.size() + 1) * sizeof(WCHAR)));
    if (out == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
    }
    std::memcpy(out, wide.c_str(), (wide.size() + 1) * sizeof(WCHAR));
    *StringSid = out;
    return TRUE;
}
