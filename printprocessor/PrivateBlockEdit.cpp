#include "printprocessor/PrivateBlockEdit.h"

#include <rpc.h>

namespace {

constexpr size_t kSectionStart = 4;
constexpr size_t kGuidOffset = offsetof(PrivateDevMode, sectionGuid);

}  // namespace

PrivateDevMode* FindPrivateDevMode(DEVMODEW* devmode)
{
    if (devmode == nullptr || devmode->dmDriverExtra <= kPrivateDevmodeSize) {
        return nullptr;
    }
    size_t total = static_cast<size_t>(devmode->dmSize) + devmode->dmDriverExtra;
    auto* bytes = reinterpret_cast<BYTE*>(devmode);
    // The section's size field stands four bytes before the signature, and the section ends the
    // DEVMODE exactly.
    for (size_t at = kSectionStart; at + kPrivateDevmodeSize - kSectionStart <= total; ++at) {
        DWORD signature = 0;
        CopyMemory(&signature, bytes + at, sizeof(signature));
        if (signature != kPrivateDevmodeSignature) {
            continue;
        }
        size_t start = at - kSectionStart;
        DWORD size = 0;
        CopyMemory(&size, bytes + start, sizeof(size));
        if (size != kPrivateDevmodeSize || start + kPrivateDevmodeSize != total) {
            continue;
        }
        GUID guid = {};
        CopyMemory(&guid, bytes + start + kGuidOffset, sizeof(guid));
        RPC_STATUS status = RPC_S_OK;
        GUID expected = kPrivateDevmodeGuid;
        if (UuidCompare(&guid, &expected, &status) == 0) {
            return reinterpret_cast<PrivateDevMode*>(bytes + start);
        }
    }
    return nullptr;
}

PrivateBlockEdit::PrivateBlockEdit(LPCWSTR printerName, DEVMODEW* devmode)
    : m_block(FindPrivateDevMode(devmode))
{
    m_loaded = m_block != nullptr && m_client.Initialize(printerName) && m_client.LoadPrivateBlock(m_block);
}

BYTE PrivateBlockEdit::Flag(LONG index)
{
    BYTE value = 0;
    return m_loaded && m_client.GetFlag(index, &value, 0, 0) ? value : 0;
}

LONG PrivateBlockEdit::Int(LONG index)
{
    LONG value = 0;
    return m_loaded && m_client.GetInt(index, &value, 0, 0) ? value : 0;
}

bool PrivateBlockEdit::Save()
{
    return m_loaded && m_client.SavePrivateBlock(m_block) != 0;
}
