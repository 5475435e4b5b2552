// Checks of the error a call leaves for GetLastError. The last error is set to a value no call
// produces before the call, so that a call that sets nothing cannot pass for one that set the
// expected value (or, expecting kLastErrorUntouched, one that set any value).
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

constexpr DWORD kLastErrorUntouched = 0xDEADBEEF;

// EXPECT_LAST_ERROR(ERROR_INVALID_PARAMETER, EXPECT_FALSE(ClosePort(nullptr)));
#define EXPECT_LAST_ERROR(expected, ...)                                                  \
    do {                                                                                  \
        SetLastError(kLastErrorUntouched);                                                \
        __VA_ARGS__;                                                                      \
        EXPECT_EQ(GetLastError(), static_cast<DWORD>(expected)) << "after " #__VA_ARGS__; \
    } while (false)
