// Asynchronous print notifications (<prnasnot.h>): the channel a spooler-hosted component opens to
// the print-UI host in the user's session, the callback that receives the host's answers and the
// data object that carries a notification. Method order is the platform's (it is the vtable order).
// CreatePrintAsyncNotifyChannel is exported by winspool.drv from Windows 6 on; callers resolve it
// at run time, so only its pointer type is declared.
#pragma once

#include <windows.h>

#include <objbase.h>

typedef GUID PrintAsyncNotificationType;

typedef enum tagPrintAsyncNotifyConversationStyle {
    kBiDirectional,
    kUniDirectional
} PrintAsyncNotifyConversationStyle;

typedef enum tagPrintAsyncNotifyUserFilter { kPerUser, kAllUsers } PrintAsyncNotifyUserFilter;

// The codes the channel reports in HRESULT_CODE of its failures.
typedef enum tagPrintAsyncNotifyError {
    CHANNEL_CLOSED_BY_SERVER = 0x01,
    CHANNEL_CLOSED_BY_ANOTHER_LISTENER = 0x02,
    CHANNEL_CLOSED_BY_SAME_LISTENER = 0x03,
    CHANNEL_RELEASED_BY_LISTENER = 0x04,
    UNIRECTIONAL_NOTIFICATION_LOST = 0x05,
    ASYNC_NOTIFICATION_FAILURE = 0x06,
    NO_LISTENERS = 0x07,
    CHANNEL_ALREADY_CLOSED = 0x08,
    CHANNEL_ALREADY_OPENED = 0x09,
    CHANNEL_WAITING_FOR_CLIENT_NOTIFICATION = 0x0a,
    CHANNEL_NOT_OPENED = 0x0b,
    ASYNC_CALL_ALREADY_PARKED = 0x0c,
    NOT_REGISTERED = 0x0d,
    ALREADY_UNREGISTERED = 0x0e,
    ALREADY_REGISTERED = 0x0f,
    CHANNEL_ACQUIRED = 0x10,
    ASYNC_CALL_IN_PROGRESS = 0x11,
    MAX_NOTIFICATION_SIZE_EXCEEDED = 0x12,
    INTERNAL_NOTIFICATION_QUEUE_IS_FULL = 0x13,
    INVALID_NOTIFICATION_TYPE = 0x14,
    MAX_REGISTRATION_COUNT_EXCEEDED = 0x15,
    MAX_CHANNEL_COUNT_EXCEEDED = 0x16,
    LOCAL_ONLY_REGISTRATION = 0x17,
    REMOTE_ONLY_REGISTRATION = 0x18
} PrintAsyncNotifyError;

inline constexpr IID IID_IPrintAsyncNotifyDataObject = {
    0x77CF513E, 0x5D49, 0x4789, {0x9F, 0x30, 0xD0, 0x82, 0x2B, 0x33, 0x5C, 0x0D}};
inline constexpr IID IID_IPrintAsyncNotifyChannel = {
    0x4A5031B1, 0x1F3F, 0x4DB0, {0xA4, 0x62, 0x45, 0x30, 0xED, 0x8B, 0x04, 0x51}};
inline constexpr IID IID_IPrintAsyncNotifyCallback = {
    0x7DEF34C1, 0x9D92, 0x4C99, {0xB3, 0xB3, 0xDB, 0x94, 0xA9, 0xD4, 0x19, 0x1B}};

// The bytes of one notification, their size and their type.
struct IPrintAsyncNotifyDataObject : public IUnknown {
    STDMETHOD(AcquireData)
    (BYTE** ppNotificationData, ULONG* pSize, PrintAsyncNotificationType** ppSchema) PURE;
    STDMETHOD(ReleaseData)() PURE;
};

struct IPrintAsyncNotifyChannel : public IUnknown {
    STDMETHOD(SendNotification)(IPrintAsyncNotifyDataObject* pData) PURE;
    STDMETHOD(CloseChannel)(IPrintAsyncNotifyDataObject* pData) PURE;
};

struct IPrintAsyncNotifyCallback : public IUnknown {
    STDMETHOD(OnEventNotify)(IPrintAsyncNotifyChannel* pChannel, IPrintAsyncNotifyDataObject* pData) PURE;
    STDMETHOD(ChannelClosed)(IPrintAsyncNotifyChannel* pChannel, IPrintAsyncNotifyDataObject* pData) PURE;
};

typedef HRESULT(WINAPI* PFN_CreatePrintAsyncNotifyChannel)(LPCWSTR pName, PrintAsyncNotificationType* pSchema,
                                                           PrintAsyncNotifyUserFilter filter,
                                                           PrintAsyncNotifyConversationStyle directionality,
                                                           IPrintAsyncNotifyCallback* pCallback,
                                                           IPrintAsyncNotifyChannel** ppChannel);
