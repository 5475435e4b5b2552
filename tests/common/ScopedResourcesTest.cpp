// The owners free what they hold exactly once: the sanitizers report a leak or a double free.
#include "common/ScopedResources.h"

#include <gtest/gtest.h>

#include "support/WString.h"

namespace {

TEST(ScopedResources, LocalBufferHandsOutWhatItHoldsAndFreesWhatItReplaces)
{
    auto buffer = CNiraLocalBuffer<WCHAR>::Allocate(4 * sizeof(WCHAR));
    ASSERT_TRUE(buffer);
    EXPECT_EQ(buffer.Get()[3], 0);  // zero-filled
    CNiraLocalBuffer<WCHAR> moved = std::move(buffer);
    EXPECT_FALSE(buffer);
    moved = CNiraLocalBuffer<WCHAR>::Allocate(sizeof(WCHAR));  // the first block is freed here
    WCHAR* handedOut = moved.Detach();
    EXPECT_FALSE(moved);
    ASSERT_NE(handedOut, nullptr);
    LocalFree(handedOut);
}

TEST(ScopedResources, BstrSlotFreesTheOldTextAndDetachHandsItOut)
{
    CNiraBstr text(SysAllocString(TEXT("first")));
    BSTR* slot = &text;
    EXPECT_EQ(*slot, nullptr);  // "first" is freed before the slot is handed over
    *slot = SysAllocString(TEXT("second"));
    EXPECT_EQ(WString(text.Get()), TEXT("second"));
    BSTR handedOut = text.Detach();
    EXPECT_TRUE(text.IsEmpty());
    SysFreeString(handedOut);
}

TEST(ScopedResources, VariantHandsOutOnlyATextItHolds)
{
    CNiraVariant value;
    EXPECT_EQ(value.DetachBstr(), nullptr);
    value.SetBstr(SysAllocString(TEXT("text")));
    value.SetBstr(SysAllocString(TEXT("other")));  // the first text is cleared
    BSTR handedOut = value.DetachBstr();
    ASSERT_NE(handedOut, nullptr);
    EXPECT_EQ(WString(handedOut), TEXT("other"));
    EXPECT_EQ(value.Get().vt, VT_EMPTY);
    SysFreeString(handedOut);
    VARIANT* slot = &value;
    slot->vt = VT_I4;
    slot->lVal = 7;
    EXPECT_EQ(value.DetachBstr(), nullptr);
}

}  // namespace
