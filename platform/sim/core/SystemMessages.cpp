// The system's texts for the error codes the machine's callers show to a user.
#include <windows.h>

#include "core/Wide.h"

namespace {

struct SystemMessage {
    DWORD code;
    const char16_t* text;
};

const SystemMessage kSystemMessages[] = {
    {ERROR_SUCCESS, u"The operation completed successfully.\r\n"},
    {ERROR_FILE_NOT_FOUND, u"The system cannot find the file specified.\r\n"},
    {ERROR_PATH_NOT_FOUND, u"The system cannot find the path specified.\r\n"},
    {ERROR_ACCESS_DENIED, u"Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, u"The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY, u"Not enough memory resources are available to process this command.\r\n"},
    {ERROR_WRITE_FAULT, u"The system cannot write to the specified device.\r\n"},
    {ERROR_SHARING_VIOLATION,
     u"The process cannot access the file because it is being used by another process.\r\n"},
    {ERROR_INVALID_PARAMETER, u"The parameter is incorrect.\r\n"},
    {ERROR_DISK_FULL, u"There is not enough space on the disk.\r\n"},
};

}  // namespace

DWORD WINAPI FormatMessageW(DWORD dwFlags, LPCVOID, DWORD dwMessageId, DWORD, LPWSTR lpBuffer, DWORD nSize,
                            va_list*)
{
    if ((dwFlags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || lpBuffer == nullptr || nSize == 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    for (const SystemMessage& message : kSystemMessages) {
        if (message.code == dwMessageId) {
            std::u16string_view text(message.text);
            if (!nirasim::sim::CopyWideOut(text, lpBuffer, nSize)) {
                SetLastError(ERROR_INSUFFICIENT_BUFFER);
                return 0;
            }
            return static_cast<DWORD>(text.size());
        }
    }
    SetLastError(ERROR_MR_MID_NOT_FOUND);
    return 0;
}
