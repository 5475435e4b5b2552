#include "nira/presentation/ItemFont.h"

#include <strsafe.h>

namespace {

constexpr WORD kPrimaryLanguageMask = 0x3FF;
constexpr WORD kChinese = 0x04;
constexpr WORD kJapanese = 0x11;
constexpr WORD kKorean = 0x12;
constexpr int kItemPoints = 8;
constexpr int kEastAsianItemPoints = 9;
constexpr int kPointsPerInch = 72;
constexpr LONG kNormalWeight = 400;

int ItemPoints()
{
    WORD primary = GetUserDefaultUILanguage() & kPrimaryLanguageMask;
    return primary == kChinese || primary == kJapanese || primary == kKorean ? kEastAsianItemPoints
                                                                             : kItemPoints;
}

}  // namespace

HFONT CreateItemFont(HDC dc)
{
    LOGFONTW font{};
    font.lfHeight = -MulDiv(ItemPoints(), GetDeviceCaps(dc, LOGPIXELSY), kPointsPerInch);
    font.lfWeight = kNormalWeight;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfOutPrecision = OUT_TT_PRECIS;
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof(metrics);
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)) {
        StringCchCopyW(font.lfFaceName, LF_FACESIZE, metrics.lfMenuFont.lfFaceName);
    }
    return CreateFontIndirectW(&font);
}
