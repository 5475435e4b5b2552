// Status codes that the system's internal interfaces answer (the settings interfaces answer a
// one-byte truth value instead; the platform's edges answer their own codes).
#pragma once

#include <windows.h>

constexpr LONG NIRA_STATUS_OK = 0;
constexpr LONG NIRA_STATUS_FAILED = 0x10000002;
// A feature that the UI settings object does not hold.
constexpr LONG NIRA_STATUS_NO_FEATURE = 0x20000003;
// No pending record, or no dependents list, for the feature (UI settings object).
constexpr LONG NIRA_STATUS_NOT_LISTED = 0x20000021;
