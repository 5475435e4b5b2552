// The router's bidi memory: response containers sized for their entries and string blocks,
// freed with the container (its schema and text members included).
#include <windows.h>
#include <winsplp.h>

#include <cstdlib>

namespace {

bool HoldsText(const BIDI_DATA& data)
{
    return data.dwBidiType == BIDI_STRING || data.dwBidiType == BIDI_TEXT || data.dwBidiType == BIDI_ENUM;
}

}  // namespace

PBIDI_RESPONSE_CONTAINER WINAPI RouterAllocBidiResponseContainer(DWORD Count)
{
    const size_t entries = Count == 0 ? 1 : Count;
    const size_t size = offsetof(BIDI_RESPONSE_CONTAINER, aData) + entries * sizeof(BIDI_RESPONSE_DATA);
    auto* container = static_cast<PBIDI_RESPONSE_CONTAINER>(std::calloc(1, size));
    if (container == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    container->Count = Count;
    return container;
}

LPVOID WINAPI RouterAllocBidiMem(size_t NumBytes)
{
    void* block = std::calloc(1, NumBytes == 0 ? 1 : NumBytes);
    if (block == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    }
    return block;
}

VOID WINAPI RouterFreeBidiMem(LPVOID pMemPointer)
{
    std::free(pMemPointer);
}

DWORD WINAPI RouterFreeBidiResponseContainer(PBIDI_RESPONSE_CONTAINER pData)
{
    if (pData == nullptr) {
        return ERROR_INVALID_PARAMETER;
    }
    for (DWORD i = 0; i < pData->Count; ++i) {
        BIDI_RESPONSE_DATA& entry = pData->aData[i];
        std::free(entry.pSchema);
        if (HoldsText(entry.data)) {
            std::free(entry.data.u.sData);
        } else if (entry.data.dwBidiType == BIDI_BLOB) {
            std::free(entry.data.u.biData.pData);
        }
    }
    std::free(pData);
    return ERROR_SUCCESS;
}
