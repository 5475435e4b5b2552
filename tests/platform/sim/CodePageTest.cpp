#include <windows.h>

#include <nirasim/Runtime.h>

#include <gtest/gtest.h>

#include <string>

#include "support/LastError.h"

namespace {

class CodePage : public ::testing::Test {
protected:
    void TearDown() override { nirasim::SetAnsiCodePage(0); }
};

TEST_F(CodePage, AnsiIsWindows1252ByDefault)
{
    EXPECT_EQ(GetACP(), 1252u);
    const char text[] = "\x80\xc4\x9f";
    WCHAR wide[4];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, MB_PRECOMPOSED, text, -1, wide, 4), 4);
    EXPECT_EQ(std::u16string(wide), TEXT("\u20ac\u00c4\u0178"));

    char narrow[8];
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, TEXT("\u20ac\u4e00"), -1, narrow, 8, nullptr, &usedDefault), 3);
    EXPECT_STREQ(narrow, "\x80?");
    EXPECT_TRUE(usedDefault);
}

TEST_F(CodePage, SizeQueriesCountTheTerminatorOnlyForMinusOne)
{
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "h\xc3\xa9", -1, nullptr, 0), 3);
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, "h\xc3\xa9", 3, nullptr, 0), 2);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, TEXT("h\u00e9\U0001F600"), -1, nullptr, 0, nullptr, nullptr),
              8);
}

TEST_F(CodePage, ShortBufferAndBadArgumentsFailWithTheirErrors)
{
    WCHAR wide[2];
    EXPECT_LAST_ERROR(ERROR_INSUFFICIENT_BUFFER,
                      EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 2), 0));
    EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER,
                      EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, nullptr, -1, wide, 2), 0));
    EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER, EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a", 0, wide, 2), 0));
    EXPECT_LAST_ERROR(ERROR_INVALID_FLAGS,
                      EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_PRECOMPOSED, "a", -1, wide, 2), 0));
    BOOL usedDefault = FALSE;
    char narrow[4];
    EXPECT_LAST_ERROR(
        ERROR_INVALID_PARAMETER,
        EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, TEXT("a"), -1, narrow, 4, nullptr, &usedDefault), 0));
    EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER, EXPECT_EQ(MultiByteToWideChar(12345, 0, "a", -1, wide, 2), 0));
}

TEST_F(CodePage, InvalidUtf8IsReplacedOrRefusedOnRequest)
{
    WCHAR wide[8];
    const char broken[] = "a\xff\xc3";
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, 0, broken, 3, wide, 8), 3);
    EXPECT_EQ(std::u16string(wide, 3), TEXT("a\ufffd\ufffd"));
    EXPECT_LAST_ERROR(ERROR_NO_UNICODE_TRANSLATION,
                      EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, broken, 3, wide, 8), 0));
    EXPECT_EQ(MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, "\xed\xa0\x80", 3, wide, 8),
              0);  // a surrogate

    const WCHAR loneSurrogate[] = {0xD800, TEXT('x'), 0};
    char narrow[8];
    EXPECT_LAST_ERROR(ERROR_NO_UNICODE_TRANSLATION,
                      EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, loneSurrogate, -1, narrow,
                                                    8, nullptr, nullptr),
                                0));
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, 0, loneSurrogate, -1, narrow, 8, nullptr, nullptr), 5);
    EXPECT_STREQ(narrow, "\xef\xbf\xbdx");
}

TEST_F(CodePage, ATestChoosesTheAnsiCodePage)
{
    nirasim::SetAnsiCodePage(CP_UTF8);
    EXPECT_EQ(GetACP(), static_cast<UINT>(CP_UTF8));
    WCHAR wide[4];
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "\xc3\xa9", -1, wide, 4), 2);
    EXPECT_EQ(wide[0], TEXT('\u00e9'));

    nirasim::SetAnsiCodePage(9999);  // unknown: every ANSI conversion fails
    EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER,
                      EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, "a", -1, wide, 4), 0));
}

}  // namespace
