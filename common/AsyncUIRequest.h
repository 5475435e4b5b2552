// The asynchronous print-UI request: from Windows 6 on, a dialog that arises while a job prints is
// shown by the platform's print-UI host in the user's session. The sender opens a notification
// channel for the printer, sends one message naming niraevt.dll and one of its entry points with
// a binary record behind the text, and waits for the host's reply.
//
// Message layout: the request text with its terminator, the record starting right after it (an
// even byte offset), then 20 zero bytes.
#pragma once

#include <windows.h>

// The notification type of every request (passed when the channel is opened and carried by each
// data object).
inline constexpr GUID kAsyncUINotificationType = {
    0xF6853F92, 0xEB31, 0x4E23, {0xB6, 0xE7, 0xFD, 0x69, 0x05, 0x61, 0x53, 0xF0}};

inline constexpr WCHAR kEntryPointManualDuplexModal[] = TEXT("EvtDlgAsyncUIEntryPointManualDuplexModal");
inline constexpr WCHAR kEntryPointManualDuplexModeless[] =
    TEXT("EvtDlgAsyncUIEntryPointManualDuplexModeless");
inline constexpr WCHAR kEntryPointJobUI[] = TEXT("EvtDlgAsyncUIEntryPointJobUI");
inline constexpr WCHAR kEntryPointPrintPreview[] = TEXT("EvtDlgAsyncUIEntryPointPrintPreview");

// Zero bytes that end every request message.
constexpr DWORD kAsyncUIRequestTailBytes = 20;
// The longest request text measured.
constexpr size_t kAsyncUIRequestTextLimit = 4096;

// The characters of the request text naming entryPoint, without its terminator; 0 for a null or
// over-long entry point.
size_t AsyncUIRequestTextChars(LPCWSTR entryPoint);
// Byte offset of the record behind the text: 2 x (characters + 1).
size_t AsyncUIRequestRecordOffset(LPCWSTR entryPoint);
// Total message size for a record of recordBytes: offset + record + tail.
size_t AsyncUIRequestSize(LPCWSTR entryPoint, size_t recordBytes);
// Writes the request text with its terminator into text (room characters); FALSE, writing
// nothing, when it does not fit.
BOOL WriteAsyncUIRequestText(LPCWSTR entryPoint, LPWSTR text, size_t room);

// Sends the message (buffer of size bytes, which stays the caller's) over a channel opened for
// printerName; conversation is "bidi" or "unidi" (any case). TRUE only when the host's reply
// confirmed; every failure, and every reply that cannot come, answers FALSE without waiting.
BOOL SendAsyncUIRequest(LPCWSTR printerName, LPCWSTR conversation, const BYTE* buffer, DWORD size);
