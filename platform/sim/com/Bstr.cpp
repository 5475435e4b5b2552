// BSTR: a UTF-16 string preceded by its length in bytes (32-bit) and followed by a terminator.
#include <oleauto.h>

#include "com/ComObjectCount.h"
#include "core/Failures.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <string>

namespace nirasim {
namespace com {
namespace {
std::atomic<int> g_successesBeforeFailure{-1};
}

bool ShouldFailBstrAllocation()
{
    int left = g_successesBeforeFailure.load();
    while (left >= 0) {
        if (left == 0) {
            return true;
        }
        if (g_successesBeforeFailure.compare_exchange_weak(left, left - 1)) {
            return false;
        }
    }
    return false;
}

void FailBstrAllocationsAfter(int successes)
{
    g_successesBeforeFailure = successes < 0 ? -1 : successes;
}

}  // namespace com
}  // namespace nirasim

namespace {

constexpr size_t kPrefixBytes = sizeof(uint32_t);
// Windows refuses strings whose byte length does not fit the 32-bit prefix.
constexpr size_t kMaxBytes = 0x7FFFFFF0u;

BSTR AllocateBytes(const void* source, size_t byteLength)
{
    if (byteLength > kMaxBytes || nirasim::com::ShouldFailBstrAllocation()) {
        return nullptr;
    }
    auto* block = static_cast<unsigned char*>(std::malloc(kPrefixBytes + byteLength + sizeof(OLECHAR) + 1));
    if (!block) {
        return nullptr;
    }
    uint32_t prefix = static_cast<uint32_t>(byteLength);
    std::memcpy(block, &prefix, kPrefixBytes);
    unsigned char* text = block + kPrefixBytes;
    if (source) {
        std::memcpy(text, source, byteLength);
    } else {
        std::memset(text, 0, byteLength);
    }
    std::memset(text + byteLength, 0, sizeof(OLECHAR) + 1);
    return reinterpret_cast<BSTR>(text);
}

unsigned char* BlockOf(BSTR text)
{
    return reinterpret_cast<unsigned char*>(text) - kPrefixBytes;
}

}  // namespace

BSTR WINAPI SysAllocString(const OLECHAR* psz)
{
    if (!psz) {
        return nullptr;
    }
    NIRASIM_FAIL_IF_INJECTED("SysAllocString", nullptr);
    return AllocateBytes(psz, std::char_traits<char16_t>::length(psz) * sizeof(OLECHAR));
}

BSTR WINAPI SysAllocStringLen(const OLECHAR* strIn, UINT ui)
{
    NIRASIM_FAIL_IF_INJECTED("SysAllocStringLen", nullptr);
    return AllocateBytes(strIn, static_cast<size_t>(ui) * sizeof(OLECHAR));
}

BSTR WINAPI SysAllocStringByteLen(LPCSTR psz, UINT len)
{
    NIRASIM_FAIL_IF_INJECTED("SysAllocStringByteLen", nullptr);
    return AllocateBytes(psz, len);
}

INT WINAPI SysReAllocString(BSTR* pbstr, const OLECHAR* psz)
{
    if (!pbstr) {
        return FALSE;
    }
    BSTR copy = SysAllocString(psz);
    if (psz && !copy) {
        return FALSE;
    }
    SysFreeString(*pbstr);
    *pbstr = copy;
    return TRUE;
}

void WINAPI SysFreeString(BSTR bstrString)
{
    if (bstrString) {
        std::free(BlockOf(bstrString));
    }
}

UINT WINAPI SysStringByteLen(BSTR bstr)
{
    if (!bstr) {
        return 0;
    }
    uint32_t prefix;
    std::memcpy(&prefix, BlockOf(bstr), kPrefixBytes);
    return prefix;
}

UINT WINAPI SysStringLen(BSTR pbstr)
{
    return SysStringByteLen(pbstr) / sizeof(OLECHAR);
}
