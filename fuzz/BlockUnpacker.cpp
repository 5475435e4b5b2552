// Feeds arbitrary private sections to the settings unpacker: SetTarget, UpdateAll and single
// Syncs must refuse or read any section without reading outside it or its image.
//
// The first input byte chooses how the rest becomes a section:
//   even: the rest is a settings image, deflated here into an otherwise valid section, so that
//         the image checks are reached;
//   odd:  the rest is the section itself from offset 28 on (the header is kept valid), with
//         the checksums made to agree, so that the payload checks are reached.
#include "common/PrivateDevMode.h"
#include "nira/uiplugin/settings/block/BlockUnpacker.h"
#include "nira/uiplugin/settings/engine/INiraSettingsAccess.h"
#include "nira/uiplugin/settings/engine/SettingsInstance.h"

#include "nira/uiplugin/settings/block/SettingsLibrary.h"

#include <zlib.h>

#include <stdint.h>
#include <string.h>

#include <vector>

namespace {

void MakeHeader(PrivateDevMode* section)
{
    section->size = kPrivateDevmodeSize;
    section->signature = kPrivateDevmodeSignature;
    section->version = kPrivateDevmodeVersion;
    section->sectionGuid = kPrivateDevmodeGuid;
}

void Seal(PrivateDevMode* section)
{
    const DWORD checksum = ComputeBlockChecksum(section);
    section->checksum = checksum;
    section->checksumCopy = checksum;
}

bool SectionFromImage(const uint8_t* image, size_t length, std::vector<BYTE>& bytes)
{
    auto* section = reinterpret_cast<PrivateDevMode*>(bytes.data());
    uLongf streamLength = kPackedStreamRoom;
    if (compress2(section->payload.stream, &streamLength, image, static_cast<uLong>(length), 1) != Z_OK) {
        return false;
    }
    section->payload.compressedLength = static_cast<DWORD>(streamLength);
    section->payload.imageLength = static_cast<DWORD>(length);
    section->packedLength = static_cast<DWORD>(streamLength) + kPackedPayloadHeaderSize;
    return true;
}

void SectionFromBytes(const uint8_t* data, size_t length, std::vector<BYTE>& bytes)
{
    const size_t room = kPrivateDevmodeSize - 28;
    memcpy(bytes.data() + 28, data, length < room ? length : room);
}

}  // namespace

// The sanitizer runtime is a shared library here (the driver's DLLs share it); libFuzzer's own
// C++ runtime is loaded before it, which is harmless.
extern "C" const char* __asan_default_options()
{
    return "verify_asan_link_order=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CSettingsLibrary library;
    if (size < 1) {
        return 0;
    }
    std::vector<BYTE> bytes(kPrivateDevmodeSize, 0);
    auto* section = reinterpret_cast<PrivateDevMode*>(bytes.data());
    if ((data[0] & 1) == 0) {
        if (!SectionFromImage(data + 1, size - 1, bytes)) {
            return 0;
        }
    } else {
        SectionFromBytes(data + 1, size - 1, bytes);
    }
    MakeHeader(section);
    Seal(section);

    INiraSettingsAccess* owner = library.NewOwner();
    auto* unpacker = library.NewUnpacker();
    if (owner != nullptr && unpacker != nullptr && unpacker->Attach(owner) == TRUE) {
        if (unpacker->SetTarget(section) == TRUE) {
            unpacker->UpdateAll();
            unpacker->SyncString(70);  // single reads after the whole update
            unpacker->SyncBlob(40);
        }
    }
    if (unpacker != nullptr) {
        unpacker->Release();
    }
    if (owner != nullptr) {
        owner->Release();
    }
    return 0;
}
