// The choices a user makes for a job, as the sample render module reads them: a DWORD value per
// job setting (or a text) under HKLM "SOFTWARE\NiraSample\RenderModule".
#pragma once

#include <windows.h>

#include <string>

void ChooseRenderSetting(const WCHAR* setting, DWORD value);
// A text setting (REG_SZ); an empty text leaves the render module's own.
void ChooseRenderText(const WCHAR* setting, const std::u16string& text);
