// Text conversions and BSTR allocations that fail: the code page and the allocation failures are
// set through the simulated machine's test-control API, so these run on the simulated machine only.
#include "printticket/XDString.h"

#include "printticket/XDException.h"
#include "printticket/XDTextCopy.h"

#include <nirasim/Com.h>
#include <nirasim/Runtime.h>

#include <gtest/gtest.h>

namespace {

template <class Call>
HRESULT Thrown(Call call)
{
    try {
        call();
    } catch (const CXDException& failure) {
        return failure.GetResult();
    }
    return S_OK;
}

TEST(XDString, NarrowTextConvertsOnlyByteForCharacter)
{
    nirasim::SetAnsiCodePage(CP_UTF8);  // a code page where one character takes two bytes
    HRESULT hr = Thrown([] { CXDString s("\xC3\xA9"); });
    nirasim::SetAnsiCodePage(0);
    EXPECT_EQ(hr, E_FAIL);
}

TEST(XDTextCopy, BstrAllocationFailureThrowsOutOfMemory)
{
    nirasim::com::FailBstrAllocationsAfter(0);
    HRESULT hr = Thrown([] { AllocBstrOrThrow(TEXT("x")); });
    nirasim::com::FailBstrAllocationsAfter(-1);
    EXPECT_EQ(hr, E_OUTOFMEMORY);
}

}  // namespace
