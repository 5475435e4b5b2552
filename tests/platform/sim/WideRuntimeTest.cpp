#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(WideRuntime, ComparesAndSearchesSixteenBitText)
{
    EXPECT_EQ(wcslen(TEXT("abc")), 3u);
    EXPECT_LT(wcscmp(TEXT("ab"), TEXT("abc")), 0);
    EXPECT_GT(wcscmp(TEXT("\u00e9"), TEXT("z")), 0);  // by code unit, unsigned
    EXPECT_EQ(wcsncmp(TEXT("abX"), TEXT("abY"), 2), 0);
    EXPECT_EQ(_wcsicmp(TEXT("USB001"), TEXT("usb001")), 0);
    EXPECT_NE(_wcsicmp(TEXT("\u00c4"), TEXT("\u00e4")), 0);  // only ASCII letters have a case
    EXPECT_GT(_wcsicmp(TEXT("A"), TEXT("_")), 0);  // folded to lower case, as the Microsoft runtime does
    EXPECT_EQ(_wcsnicmp(TEXT("ABCx"), TEXT("abcy"), 3), 0);

    LPCWSTR text = TEXT("one.two.ini");
    EXPECT_EQ(wcsstr(text, TEXT("two")), text + 4);
    EXPECT_EQ(wcsstr(text, TEXT("")), text);
    EXPECT_EQ(wcsstr(text, TEXT("three")), nullptr);
    EXPECT_EQ(wcschr(text, TEXT('.')), text + 3);
    EXPECT_EQ(wcsrchr(text, TEXT('.')), text + 7);
    EXPECT_EQ(wcschr(text, 0), text + 11);
}

TEST(WideRuntime, CopiesAndChangesCase)
{
    WCHAR buffer[16];
    wcscpy(buffer, TEXT("Driver"));
    wcscat(buffer, TEXT(".ini"));
    EXPECT_EQ(std::u16string(_wcsupr(buffer)), TEXT("DRIVER.INI"));
    EXPECT_EQ(std::u16string(_wcslwr(buffer)), TEXT("driver.ini"));

    WCHAR padded[5];
    wcsncpy(padded, TEXT("ab"), 5);
    EXPECT_EQ(padded[2], 0);
    EXPECT_EQ(padded[4], 0);
    EXPECT_EQ(towupper(TEXT('q')), TEXT('Q'));
    EXPECT_EQ(towupper(TEXT('\u00e4')), TEXT('\u00e4'));
    EXPECT_TRUE(iswspace(TEXT('\t')));
    EXPECT_FALSE(iswdigit(TEXT('\u0661')));

    WCHAR small[4];
    EXPECT_EQ(wcscpy_s(small, 4, TEXT("abcd")), ERANGE);
    EXPECT_EQ(small[0], 0);
    EXPECT_EQ(wcscpy_s(small, TEXT("ab")), 0);  // the size from the array type
    EXPECT_EQ(wcscat_s(small, TEXT("cd")), ERANGE);
    EXPECT_EQ(swprintf_s(small, TEXT("%d"), 42), 2);
    EXPECT_EQ(std::u16string(small), TEXT("42"));
}

TEST(WideRuntime, ParsesAndPrintsNumbersWithWindowsSizes)
{
    EXPECT_EQ(_wtoi(TEXT("  -42abc")), -42);
    EXPECT_EQ(_wtoi(TEXT("x")), 0);
    EXPECT_EQ(_wtoi(TEXT("99999999999")), 2147483647);
    WCHAR* end = nullptr;
    LPCWSTR hex = TEXT("0x1F;");
    EXPECT_EQ(wcstol(hex, &end, 16), 31);
    EXPECT_EQ(end, hex + 4);
    EXPECT_EQ(wcstol(TEXT("5000000000"), nullptr, 10), 2147483647);  // long is 32-bit on Windows
    EXPECT_EQ(wcstoul(TEXT("4294967295"), nullptr, 10), 4294967295u);
    EXPECT_DOUBLE_EQ(_wtof(TEXT("2.5e1")), 25.0);

    WCHAR digits[34];
    EXPECT_EQ(std::u16string(_itow(-123, digits, 10)), TEXT("-123"));
    EXPECT_EQ(std::u16string(_itow(-1, digits, 16)), TEXT("ffffffff"));
    EXPECT_EQ(std::u16string(_ultow(255, digits, 2)), TEXT("11111111"));
}

TEST(WideRuntime, PrintfFamilyKeepsEachShortBufferRule)
{
    WCHAR buffer[4];
    EXPECT_EQ(_snwprintf(buffer, 4, TEXT("%s"), TEXT("abcde")), -1);
    EXPECT_EQ(_snwprintf(buffer, 4, TEXT("%d"), 1234), 4);  // exact fit: no terminator
    EXPECT_EQ(buffer[3], TEXT('4'));
    EXPECT_EQ(swprintf_s(buffer, 4, TEXT("%d"), 1234), -1);
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(_snwprintf_s(buffer, 4, _TRUNCATE, TEXT("%d"), 1234), -1);
    EXPECT_EQ(std::u16string(buffer), TEXT("123"));
    EXPECT_EQ(_scwprintf(TEXT("%s=%d"), TEXT("key"), 10), 6);
    EXPECT_EQ(_scwprintf(TEXT("%n"), nullptr), -1);  // %n is refused

    char narrow[32];
    EXPECT_EQ(sprintf_s(narrow, 32, "%S/%p", TEXT("w"), reinterpret_cast<void*>(0x1234)), 18);
    EXPECT_STREQ(narrow, "w/0000000000001234");
}

}  // namespace

namespace {

TEST(KernelStrings, CompareCopyAndMapCase)
{
    EXPECT_EQ(lstrcmpiW(TEXT("Get"), TEXT("GET")), 0);
    EXPECT_LT(lstrcmpW(TEXT("a"), TEXT("b")), 0);
    EXPECT_EQ(lstrlenW(nullptr), 0);
    WCHAR small[4];
    EXPECT_EQ(std::u16string(lstrcpynW(small, TEXT("abcdef"), 4)), TEXT("abc"));

    WCHAR text[] = TEXT("m\u00e9dia-\u00ff");
    EXPECT_EQ(CharUpperBuffW(text, 3), 3u);
    EXPECT_EQ(std::u16string(text), TEXT("M\u00c9Dia-\u00ff"));
    CharUpperW(text);
    EXPECT_EQ(std::u16string(text), TEXT("M\u00c9DIA-\u0178"));
    EXPECT_EQ(
        reinterpret_cast<ULONG_PTR>(CharLowerW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(TEXT('Q'))))),
        static_cast<ULONG_PTR>(TEXT('q')));
    EXPECT_TRUE(IsCharAlphaNumericW(TEXT('\u00e9')));
    EXPECT_FALSE(IsCharAlphaNumericW(TEXT('-')));
}

}  // namespace
