#include "nira/uiplugin/settings/ProductBlobs.h"

#include <string.h>

#include "common/SafeString.h"

namespace {

constexpr INT kMarkFontSize = 52;
constexpr INT kMarkAngle = 150;
constexpr DWORD kMarkColor = 0xC0C0C0;  // light grey

}  // namespace

void FillDefaultMarkRecord(DefaultMarkRecord& mark)
{
    memset(&mark, 0, sizeof(mark));
    CopyStringSafe(mark.name, DEFAULT_MARK_TEXT_CHARS, TEXT(" [none]"));
    CopyStringSafe(mark.text, DEFAULT_MARK_TEXT_CHARS, TEXT("HBRender Test"));
    CopyStringSafe(mark.fontName, DEFAULT_MARK_TEXT_CHARS, TEXT("Courier"));
    mark.fontSize = kMarkFontSize;
    mark.angle = kMarkAngle;
    mark.style = 0;
    mark.outline = 1;
    mark.reserved = 0;
    mark.textColor = kMarkColor;
    mark.firstPageOnly = 0;
    mark.outlineColor = kMarkColor;
}

void FillFeatureBits(FeatureBitsRecord& record, DWORD option)
{
    for (int bit = 0; bit < FEATURE_BITS_COUNT; ++bit) {
        record.bits[bit] = (option >> bit) & 1u;
    }
}
