// Failures a test injects into the machine's calls: by the call's Windows name, or as the k-th
// injectable call of any name (every call that checks here counts).
#pragma once

#include <windows.h>

#include <string>

namespace nirasim::sim {

// Counts the call and answers true, with the error to report, when a test asked it to fail now.
// `function` must be one of the injectable names (the list in Failures.cpp).
bool TakeInjectedFailure(const char* function, DWORD* error);
// The next `times` calls fail with `error`; times < 0: every call until cleared. Throws
// std::invalid_argument for a name that no simulated function checks.
void InjectFailure(const std::string& function, DWORD error, int times);
void ClearInjectedFailures();

bool IsInjectableFunction(const std::string& function);
// Counting starts again from 0.
void ResetInjectableCallCount();
unsigned long InjectableCallCount();
// The `number`-th injectable call from now (1 = the next) fails with `error`; 0 fails none.
void FailInjectableCallNumber(unsigned long number, DWORD error);
// The name of the call failed by number, empty while none was.
std::string NumberedFailureCall();

}  // namespace nirasim::sim

// For calls that report through the last error: fail with `failValue`.
#define NIRASIM_FAIL_IF_INJECTED(function, failValue)                       \
    do {                                                                    \
        DWORD injectedError_ = 0;                                           \
        if (nirasim::sim::TakeInjectedFailure(function, &injectedError_)) { \
            SetLastError(injectedError_);                                   \
            return failValue;                                               \
        }                                                                   \
    } while (0)

// For calls that answer an error code.
#define NIRASIM_RETURN_IF_INJECTED(function)                                \
    do {                                                                    \
        DWORD injectedError_ = 0;                                           \
        if (nirasim::sim::TakeInjectedFailure(function, &injectedError_)) { \
            return injectedError_;                                          \
        }                                                                   \
    } while (0)

// For calls that answer an HRESULT.
#define NIRASIM_HRESULT_IF_INJECTED(function)                               \
    do {                                                                    \
        DWORD injectedError_ = 0;                                           \
        if (nirasim::sim::TakeInjectedFailure(function, &injectedError_)) { \
            return HRESULT_FROM_WIN32(injectedError_);                      \
        }                                                                   \
    } while (0)
