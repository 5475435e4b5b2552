// The choices a user makes for a job, as the sample render module reads them: a DWORD value per
// job setting under HKLM "SOFTWARE\NiraSample\RenderModule".
#pragma once

#include <windows.h>

void ChooseRenderSetting(const WCHAR* setting, DWORD value);
