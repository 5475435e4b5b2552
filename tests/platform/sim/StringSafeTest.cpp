#include <windows.h>
#include <strsafe.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StringSafe, CopyCutsAndTerminatesWhenTheTextDoesNotFit)
{
    WCHAR dest[4];
    EXPECT_EQ(StringCchCopyW(dest, 4, TEXT("abc")), S_OK);
    EXPECT_EQ(std::u16string(dest), TEXT("abc"));
    EXPECT_EQ(StringCchCopyW(dest, 4, TEXT("abcd")), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(dest), TEXT("abc"));

    char narrow[3];
    EXPECT_EQ(StringCchCopyA(narrow, 3, "xyz"), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_STREQ(narrow, "xy");
}

TEST(StringSafe, RefusesDestinationCountsOfZeroOrAboveTheMaximum)
{
    WCHAR dest[4] = {TEXT('k'), 0};
    EXPECT_EQ(StringCchCopyW(dest, 0, TEXT("a")), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(dest[0], TEXT('k'));
    EXPECT_EQ(StringCchCopyW(dest, static_cast<size_t>(STRSAFE_MAX_CCH) + 1, TEXT("a")),
              STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(dest[0], 0);  // a copy empties a destination it may write
    dest[0] = TEXT('k');
    EXPECT_EQ(StringCchCatW(dest, 0, TEXT("a")), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(dest[0], TEXT('k'));
}

TEST(StringSafe, CopyNStopsAtTheCountAndRefusesHugeCounts)
{
    WCHAR dest[8];
    EXPECT_EQ(StringCchCopyNW(dest, 8, TEXT("abcdef"), 2), S_OK);
    EXPECT_EQ(std::u16string(dest), TEXT("ab"));
    EXPECT_EQ(StringCchCopyNW(dest, 8, TEXT("abcdef"), STRSAFE_MAX_CCH), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(dest[0], 0);
    EXPECT_EQ(StringCchCopyNW(dest, 8, TEXT("abcdef"), STRSAFE_MAX_CCH - 1), S_OK);
    EXPECT_EQ(std::u16string(dest), TEXT("abcdef"));
}

TEST(StringSafe, CatAppendsAndCutsAtTheEnd)
{
    WCHAR dest[6] = TEXT("ab");
    EXPECT_EQ(StringCchCatW(dest, 6, TEXT("cd")), S_OK);
    EXPECT_EQ(std::u16string(dest), TEXT("abcd"));
    EXPECT_EQ(StringCchCatW(dest, 6, TEXT("efg")), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(dest), TEXT("abcde"));

    WCHAR unterminated[3] = {TEXT('a'), TEXT('b'), TEXT('c')};
    EXPECT_EQ(StringCchCatW(unterminated, 3, TEXT("d")), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(unterminated[2], TEXT('c'));
}

TEST(StringSafe, LengthNeedsATerminatorWithinTheMaximum)
{
    size_t length = 99;
    EXPECT_EQ(StringCchLengthW(TEXT("abc"), 4, &length), S_OK);
    EXPECT_EQ(length, 3u);
    EXPECT_EQ(StringCchLengthW(TEXT("abc"), 3, &length), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(length, 0u);
    EXPECT_EQ(StringCchLengthA(nullptr, 3, &length), STRSAFE_E_INVALID_PARAMETER);
    EXPECT_EQ(StringCchLengthA("ab", STRSAFE_MAX_CCH, nullptr), S_OK);
    EXPECT_EQ(StringCbLengthW(TEXT("ab"), 6, &length), S_OK);
    EXPECT_EQ(length, 4u);
}

TEST(StringSafe, PrintfFollowsTheWindowsFormatRules)
{
    WCHAR dest[64];
    EXPECT_EQ(StringCchPrintfW(dest, 64, TEXT("%s|%S|%hs|%ls|%c"), TEXT("wide"), "narrow", "h", TEXT("l"),
                               TEXT('x')),
              S_OK);
    EXPECT_EQ(std::u16string(dest), TEXT("wide|narrow|h|l|x"));
    EXPECT_EQ(StringCchPrintfW(dest, 64, TEXT("FDT%4u %02d/%04d %x %X %I64d %lu %-3d|"), 999u, 7, 2024, 255u,
                               255u, -5000000000LL, 4000000000u, 1),
              S_OK);
    EXPECT_EQ(std::u16string(dest), TEXT("FDT 999 07/2024 ff FF -5000000000 4000000000 1  |"));
    EXPECT_EQ(StringCchPrintfW(dest, 64, TEXT("%5.2s|%-4s|%.1f|%%"), TEXT("abc"), TEXT("z"), 2.25), S_OK);
    EXPECT_EQ(std::u16string(dest), TEXT("   ab|z   |2.2|%"));

    char narrow[32];
    EXPECT_EQ(StringCchPrintfA(narrow, 32, "%s-%S-%ls-%d", "a", TEXT("b"), TEXT("c"), -3), S_OK);
    EXPECT_STREQ(narrow, "a-b-c--3");
}

TEST(StringSafe, PrintfCutsAndTerminatesALongText)
{
    WCHAR dest[4];
    EXPECT_EQ(StringCchPrintfW(dest, 4, TEXT("%d"), 12345), STRSAFE_E_INSUFFICIENT_BUFFER);
    EXPECT_EQ(std::u16string(dest), TEXT("123"));
    EXPECT_EQ(StringCchPrintfW(dest, 4, TEXT("%d"), 123), S_OK);
    EXPECT_EQ(StringCchPrintfW(dest, 0, TEXT("%d"), 1), STRSAFE_E_INVALID_PARAMETER);
}

}  // namespace
