#include "nira/uiplugin/settings/productdata/ProductBlobs.h"

#include <string.h>

#include "common/SafeString.h"

namespace {

constexpr INT kMarkWords[kDefaultMarkWordCount] = {52, 150, 0, 1};
constexpr DWORD kMarkColor = 0xC0C0C0;  // light grey

}  // namespace

void FillDefaultMarkRecord(DefaultMarkRecord& mark)
{
    memset(&mark, 0, sizeof(mark));
    CopyStringSafe(mark.overlayText, kDefaultMarkTextChars, TEXT(" [none]"));
    CopyStringSafe(mark.overlayText2, kDefaultMarkTextChars, TEXT("HBRender Test"));
    CopyStringSafe(mark.overlayFont, kDefaultMarkTextChars, TEXT("Courier"));
    for (int i = 0; i < kDefaultMarkWordCount; ++i) {
        mark.overlayWords[i] = kMarkWords[i];
    }
    mark.overlayStyle = 0;
    mark.overlayColor = kMarkColor;
    mark.overlayWord = 0;
    mark.overlayColor2 = kMarkColor;
}

void FillFeatureBits(FeatureBitsRecord& record, DWORD option)
{
    for (int bit = 0; bit < kFeatureBitsCount; ++bit) {
        record.bits[bit] = (option >> bit) & 1u;
    }
}
