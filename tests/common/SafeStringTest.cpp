#include "common/SafeString.h"

#include <strsafe.h>

#include <gtest/gtest.h>

#include <string>
#include "support/WString.h"

namespace {

TEST(SafeString, NullArgumentsAnswerInvalidArgAndTouchNothing)
{
    WCHAR dest[8] = TEXT("keep");
    char narrow[8] = "keep";
    size_t length = 7;
    EXPECT_EQ(CopyStringSafe(dest, 8, nullptr), E_INVALIDARG);
    EXPECT_EQ(AppendStringSafe(dest, 8, nullptr), E_INVALIDARG);
    EXPECT_EQ(CopyStringSafeN(dest, 8, nullptr, 2), E_INVALIDARG);
    EXPECT_EQ(WString(dest), TEXT("keep"));
    EXPECT_EQ(CopyStringSafeA(narrow, 8, nullptr), E_INVALIDARG);
    EXPECT_EQ(AppendStringSafeA(nullptr, 8, "x"), E_INVALIDARG);
    EXPECT_STREQ(narrow, "keep");
    EXPECT_EQ(GetStringLengthSafe(nullptr, 8, &length), E_INVALIDARG);
    EXPECT_EQ(length, 7u);
}

TEST(SafeString, CutsAndTerminatesAnOverlongText)
{
    WCHAR dest[4];
    EXPECT_EQ(CopyStringSafe(dest, 4, TEXT("abcdef")), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WString(dest), TEXT("abc"));
    EXPECT_EQ(AppendStringSafe(dest, 4, TEXT("d")), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(WString(dest), TEXT("abc"));
    char narrow[4] = "a";
    EXPECT_EQ(AppendStringSafeA(narrow, 4, "bc"), S_OK);
    EXPECT_STREQ(narrow, "abc");
}

TEST(SafeString, CopyNWithAHugeCountEmptiesTheDestination)
{
    WCHAR dest[8] = TEXT("keep");
    EXPECT_EQ(CopyStringSafeN(dest, 8, TEXT("abc"), 0x7FFFFFFF), E_INVALIDARG);
    EXPECT_EQ(dest[0], 0);
    dest[0] = TEXT('k');
    EXPECT_EQ(CopyStringSafeN(dest, 8, TEXT("abc"), static_cast<size_t>(-1)), E_INVALIDARG);
    EXPECT_EQ(dest[0], 0);
    EXPECT_EQ(CopyStringSafeN(dest, 8, TEXT("abc"), 0x7FFFFFFE), S_OK);
    EXPECT_EQ(WString(dest), TEXT("abc"));
    EXPECT_EQ(CopyStringSafeN(dest, 8, TEXT("abc"), 2), S_OK);
    EXPECT_EQ(WString(dest), TEXT("ab"));
}

TEST(SafeString, LengthFailsWithoutATerminatorWithinTheMaximum)
{
    size_t length = 9;
    EXPECT_EQ(GetStringLengthSafe(TEXT("abc"), 3, &length), E_INVALIDARG);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(GetStringLengthSafe(TEXT("abc"), 260, &length), S_OK);
    EXPECT_EQ(length, 3u);
}

TEST(SafeString, ComparisonsNeverCallANullEqual)
{
    EXPECT_EQ(CompareStringSafe(nullptr, nullptr), E_INVALIDARG);
    EXPECT_EQ(CompareStringSafeA("a", nullptr), E_INVALIDARG);
    EXPECT_EQ(CompareStringNoCaseSafe(nullptr, TEXT("a")), E_INVALIDARG);
    EXPECT_EQ(CompareStringNoCaseSafeA(nullptr, "a"), E_INVALIDARG);
    EXPECT_EQ(CompareStringSafe(TEXT("abc"), TEXT("abc")), 0);
    EXPECT_LT(CompareStringSafe(TEXT("ABC"), TEXT("abc")), 0);
    EXPECT_EQ(CompareStringNoCaseSafe(TEXT("ABC"), TEXT("abc")), 0);
    EXPECT_GT(CompareStringSafeA("b", "a"), 0);
    EXPECT_EQ(CompareStringNoCaseSafeA("Usb", "uSB"), 0);
}

}  // namespace
