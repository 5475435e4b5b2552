// Small services of the presentation library: the reading direction of the user's UI language
// (the language itself is common's GetUserUILanguage), showing and enabling a control at once,
// and the activation context of a module's manifest.
#pragma once

#include <windows.h>

#include "common/ProcessIdentity.h"

// 1 when the primary language of the user's UI language is Arabic or Hebrew, else 0.
int IsRtlUILanguage();
// Shows (SW_SHOWNORMAL) and enables, or hides and disables, a non-null window.
void ShowAndEnable(HWND window, BOOL on);
// The activation context of the module's manifest resource: 0 with *context set (it stays
// INVALID_HANDLE_VALUE when the platform has no CreateActCtxW or refuses the context), or
// NIRA_STATUS_FAILED on a system older than 5.1 or when the module's path cannot be read.
int CreateManifestContext(HMODULE module, int resourceId, HANDLE* context);
