// Whether the tests run under Wine, whose msxml3 differs from Windows' MSXML in a few known ways.
// Tests that meet one of them skip there with its reason; on Windows and on the simulated machine
// they run.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

inline bool RunningUnderWine()
{
    const HMODULE ntdll = GetModuleHandleW(TEXT("ntdll.dll"));
    return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The known differences, each the reason of the tests that skip for it.
namespace WineDifference {
// An attribute made with createNode in a namespace and added with setAttributeNode keeps no
// namespace, so an XPath step such as @xsi:type does not find it.
constexpr const char* kAttributeNamespace =
    "Wine's msxml3 drops the namespace of an attribute added by setAttributeNode";
// Saving writes the namespace declaration again on every element created in that namespace.
constexpr const char* kRedundantDeclarations =
    "Wine's msxml3 repeats namespace declarations on created elements when saving";
}  // namespace WineDifference

#define SKIP_UNDER_WINE(reason)                         \
    do {                                                \
        if (RunningUnderWine()) {                       \
            GTEST_SKIP() << "under Wine: " << (reason); \
        }                                               \
    } while (0)
