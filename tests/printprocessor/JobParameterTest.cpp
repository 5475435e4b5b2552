#include <gtest/gtest.h>

#include <windows.h>

#include "printprocessor/JobParameter.h"

namespace {

struct ParameterCase {
    const WCHAR* text;
    const WCHAR* key;
    DWORD code;
    DWORD value;
};

TEST(JobParameterTest, ValuesAreTakenOnlyWhenASemicolonFollowsThemDirectly)
{
    const ParameterCase cases[] = {
        {TEXT("COPIES=3;TABS=4;"), TEXT("COPIES"), ERROR_SUCCESS, 3},
        {TEXT("COPIES=3;TABS=4;"), TEXT("tabs"), ERROR_SUCCESS, 4},
        {TEXT("TABS=0;"), TEXT("TABS"), ERROR_SUCCESS, 0},
        {TEXT("COPIES=3"), TEXT("COPIES"), ERROR_NO_DATA, 0},    // no closing ";"
        {TEXT("COPIES=3 ;"), TEXT("COPIES"), ERROR_NO_DATA, 0},  // a space before it
        {TEXT("COPIESX=7;"), TEXT("COPIES"), ERROR_SUCCESS, 7},  // a longer name matches
        {TEXT("COP=7;"), TEXT("COPIES"), ERROR_NO_DATA, 0},
        {TEXT("  COPIES = 5;"), TEXT("COPIES"), ERROR_NO_DATA, 0},  // blank after the value's key
        {TEXT("COPIES= 12x;"), TEXT("COPIES"), ERROR_SUCCESS, 12},  // digits up to the first other
        {TEXT("COPIES=x2;COPIES=2;"), TEXT("COPIES"), ERROR_SUCCESS, 2},
        {TEXT("=1;COPIES=2;"), TEXT("COPIES"), ERROR_SUCCESS, 2},
        {TEXT("A=1=2;COPIES=9;"), TEXT("COPIES"), ERROR_SUCCESS, 9},
        {TEXT(""), TEXT("COPIES"), ERROR_NO_DATA, 0},
    };
    for (const ParameterCase& c : cases) {
        WORD size = sizeof(DWORD);
        DWORD value = 0;
        EXPECT_EQ(ReadJobParameter(c.text, c.key, &size, &value), c.code) << static_cast<const void*>(c.text);
        EXPECT_EQ(value, c.value);
        EXPECT_EQ(size, c.code == ERROR_SUCCESS ? sizeof(DWORD) : 0u);
    }
}

TEST(JobParameterTest, MissingArgumentsAndAShortSizeAreRefused)
{
    WORD size = sizeof(DWORD);
    DWORD value = 0;
    EXPECT_EQ(ReadJobParameter(nullptr, TEXT("COPIES"), &size, &value),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(size, 0);
    size = sizeof(DWORD);
    EXPECT_EQ(ReadJobParameter(TEXT("COPIES=1;"), TEXT("COPIES"), &size, nullptr),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(ReadJobParameter(TEXT("COPIES=1;"), TEXT("COPIES"), nullptr, &value),
              static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    size = 3;
    EXPECT_EQ(ReadJobParameter(TEXT("COPIES=1;"), TEXT("COPIES"), &size, &value),
              static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(size, 0);
}

}  // namespace
