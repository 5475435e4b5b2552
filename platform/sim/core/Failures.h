// Failures a test injects into the machine's calls, by the call's Windows name.
#pragma once

#include <windows.h>

#include <string>

namespace nirasim::sim {

// True, with the error to report, when a test asked this call to fail now.
bool TakeInjectedFailure(const char* function, DWORD* error);
// The next `times` calls fail with `error`; times < 0: every call until cleared.
void InjectFailure(const std::string& function, DWORD error, int times);
void ClearInjectedFailures();

}  // namespace nirasim::sim

// For calls that report through the last error: fail with `failValue`.
#define NIRASIM_FAIL_IF_INJECTED(function, failValue)                      \
    do {                                                                   \
        DWORD injectedError_ = 0;                                          \
        if (nirasim::sim::TakeInjectedFailure(function, &injectedError_)) { \
            SetLastError(injectedError_);                                  \
            return failValue;                                              \
        }                                                                  \
    } while (0)

// For calls that answer an error code.
#define NIRASIM_RETURN_IF_INJECTED(function)                               \
    do {                                                                   \
        DWORD injectedError_ = 0;                                          \
        if (nirasim::sim::TakeInjectedFailure(function, &injectedError_)) { \
            return injectedError_;                                         \
        }                                                                  \
    } while (0)
