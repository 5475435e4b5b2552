#include "package/niradmc/DmcXmlFile.h"

#include <oleauto.h>

namespace {

bool WriteBytes(LPCWSTR file, const char* bytes, DWORD size)
{
    HANDLE handle =
        CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    bool done = WriteFile(handle, bytes, size, &written, nullptr) && written == size;
    CloseHandle(handle);
    return done;
}

}  // namespace

bool DmcWriteTextFile(LPCWSTR file, LPCWSTR text, int length)
{
    if (file == nullptr || file[0] == 0 || text == nullptr || length <= 0) {
        return false;
    }
    int size = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    char* bytes = size > 0 ? static_cast<char*>(LocalAlloc(LPTR, size)) : nullptr;
    bool written = bytes != nullptr &&
                   WideCharToMultiByte(CP_UTF8, 0, text, length, bytes, size, nullptr, nullptr) == size &&
                   WriteBytes(file, bytes, static_cast<DWORD>(size));
    LocalFree(bytes);
    return written;
}

bool DmcWriteXmlFile(IXMLDOMNode* node, LPCWSTR file)
{
    BSTR text = nullptr;
    bool written = node != nullptr && node->get_xml(&text) == S_OK && text != nullptr &&
                   DmcWriteTextFile(file, text, static_cast<int>(SysStringLen(text)));
    SysFreeString(text);
    return written;
}
