#include "common/PrivateDevMode.h"

DWORD ComputeBlockChecksum(const PrivateDevMode* block)
{
    if (block == nullptr) {
        return 0;
    }
    const DWORD packedLength = block->packedLength;
    const DWORD counted = packedLength < kPackedPayloadSize ? packedLength : kPackedPayloadSize;
    const BYTE* payload = reinterpret_cast<const BYTE*>(&block->payload);
    DWORD sum = packedLength;
    for (DWORD i = 0; i < counted; ++i) {
        sum += payload[i];  // DWORD arithmetic wraps at 2^32
    }
    return sum;
}

bool IsBlockChecksumValid(const PrivateDevMode* block)
{
    if (block == nullptr) {
        return false;
    }
    const DWORD sum = ComputeBlockChecksum(block);
    return sum == block->checksum && sum == block->checksumCopy;
}
