// The job settings that a user's choices change in the render module's answers: read from DWORD
// values named after the settings under HKLM "SOFTWARE\NiraSample\RenderModule", which tests and
// the host program set (the sample package keeps no print-time choices of its own).
#pragma once

#include <windows.h>

#include "common/EscapeRecords.h"

// Overwrites the settings that have a value in the registry.
void ApplySettingChoices(JobSettingsRecord& settings);
