#include "nira/uiplugin/foundation/strings/WordCursor.h"

namespace {

constexpr int kSlotBytes = 4;

}  // namespace

void WriteWordToCursor(BYTE** cursor, int value)
{
    if (cursor == nullptr || *cursor == nullptr) {
        return;
    }
    const DWORD bits = static_cast<DWORD>(value);
    (*cursor)[0] = static_cast<BYTE>(bits & 0xFF);
    (*cursor)[1] = static_cast<BYTE>((bits >> 8) & 0xFF);
    *cursor += kSlotBytes;
}
