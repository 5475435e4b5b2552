// The records other components of the driver package hand to the job dialogs, directly or behind
// an asynchronous print-UI request. Both ends of every crossing are built together, so the
// layouts are natural; the x64 offsets are pinned below. Every string field holds UTF-16 text
// whose terminator the sender promises but the dialogs never trust (TerminateFields).
#pragma once

#include <windows.h>

#include <cstddef>

constexpr size_t kJobNameChars = 17;
constexpr size_t kLocationChars = 256;
constexpr size_t kSettingsSubKeyChars = 38;
constexpr size_t kRequestPathChars = 256;
constexpr size_t kManualDuplexStringPathChars = 512;
constexpr size_t kWarningMessageChars = 1024;
constexpr size_t kWarningNameChars = 260;

struct JobStorageRequest {
    WCHAR userName[kJobNameChars];
    WCHAR jobName[kJobNameChars];
    WCHAR locationLine1[kLocationChars];
    WCHAR locationLine2[kLocationChars];
    WCHAR locationLine3[kLocationChars];
    WCHAR settingsSubKey[kSettingsSubKeyChars];
    DWORD numberingFlag1;
    DWORD numberingFlag2;
    WCHAR stringDllPath[kRequestPathChars];
    WCHAR helpFilePath[kRequestPathChars];
};

struct ManualDuplexRequest {
    WCHAR stringDllPath[kManualDuplexStringPathChars];
    WCHAR pictureDllPath[kRequestPathChars];
    DWORD step1BitmapId;
    DWORD step1TextId;
    DWORD step2BitmapId;
    DWORD step2TextId;
    DWORD step3BitmapId;
    DWORD step3TextId;
    DWORD reserved1560;
    DWORD modal;
    DWORD headingKind;
    HANDLE printer;
};

struct JobWarningRequest {
    DWORD reserved0;
    DWORD captionId;
    DWORD reserved8;
    DWORD kind;
    DWORD reserved16;
    WCHAR message[kWarningMessageChars];
    DWORD thirdButtonTextId;
    DWORD showCheckBox;
    BYTE reserved2076[8];
    WCHAR mediaName[kWarningNameChars];
    WCHAR userName[kWarningNameChars];
    DWORD reserved3124;
    DWORD okTextId;
    DWORD cancelTextId;
    DWORD pictureControlId;
    DWORD bitmapId;
    WCHAR stringDllPath[kRequestPathChars];
    HANDLE printer;
};

static_assert(sizeof(JobStorageRequest) == 2712, "job storage request layout");
static_assert(offsetof(JobStorageRequest, settingsSubKey) == 1604, "job storage request layout");
static_assert(offsetof(JobStorageRequest, numberingFlag1) == 1680, "job storage request layout");
static_assert(offsetof(JobStorageRequest, stringDllPath) == 1688, "job storage request layout");
static_assert(offsetof(JobStorageRequest, helpFilePath) == 2200, "job storage request layout");
static_assert(sizeof(ManualDuplexRequest) == 1584, "manual two-sided request layout");
static_assert(offsetof(ManualDuplexRequest, step1BitmapId) == 1536, "manual two-sided request layout");
static_assert(offsetof(ManualDuplexRequest, modal) == 1564, "manual two-sided request layout");
static_assert(offsetof(ManualDuplexRequest, headingKind) == 1568, "manual two-sided request layout");
static_assert(offsetof(ManualDuplexRequest, printer) == 1576, "manual two-sided request layout");
static_assert(sizeof(JobWarningRequest) == 3664, "job warning request layout");
static_assert(offsetof(JobWarningRequest, message) == 20, "job warning request layout");
static_assert(offsetof(JobWarningRequest, thirdButtonTextId) == 2068, "job warning request layout");
static_assert(offsetof(JobWarningRequest, mediaName) == 2084, "job warning request layout");
static_assert(offsetof(JobWarningRequest, userName) == 2604, "job warning request layout");
static_assert(offsetof(JobWarningRequest, okTextId) == 3128, "job warning request layout");
static_assert(offsetof(JobWarningRequest, stringDllPath) == 3144, "job warning request layout");
static_assert(offsetof(JobWarningRequest, printer) == 3656, "job warning request layout");

// Force a terminator into the last character of every string field, so that no read of a copy
// runs past its field whatever the sender wrote.
void TerminateFields(JobStorageRequest& request);
void TerminateFields(ManualDuplexRequest& request);
void TerminateFields(JobWarningRequest& request);

// A zero-filled LocalAlloc copy of `bytes` bytes of a record (which may lie at any alignment),
// with its string fields terminated; null without a record or memory. The caller frees it with
// LocalFree.
template <class Record>
Record* CopyRequest(const void* bytes)
{
    auto* copy = bytes != nullptr ? static_cast<Record*>(LocalAlloc(LPTR, sizeof(Record))) : nullptr;
    if (copy != nullptr) {
        CopyMemory(copy, bytes, sizeof(Record));
        TerminateFields(*copy);
    }
    return copy;
}
