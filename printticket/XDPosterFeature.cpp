// The poster converter.
#include "printticket/XDPosterFeature.h"

#include "printticket/XDConverterSteps.h"
#include "printticket/XDException.h"
#include "printticket/XDGuard.h"
#include "printticket/XDQName.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"
#include "printticket/XDString.h"
#include "printticket/XDTextCopy.h"

namespace {

constexpr LPCWSTR kPoster = TEXT("PagePoster");
constexpr int kSheets[CXDPosterFeature::kSheetCounts] = {1, 4, 9, 16, 25};
constexpr LPCWSTR kSheetsPerPage = TEXT("SheetsPerPage");
constexpr LPCWSTR kTiles = TEXT("ZQPosterTiles");
constexpr LPCWSTR kTileModes[] = {TEXT("ZQAllTiles"), TEXT("ZQTilesList")};
constexpr LPCWSTR kSelectedTiles = TEXT("ZQSelectedTiles");
constexpr LPCWSTR kTileSeparator = TEXT(",");
constexpr LPCWSTR kTileListParameter = TEXT("PageZQSelectedPosterTilesList");
// An empty tile list stands for the first tile.
constexpr LPCWSTR kEmptyTileList = TEXT("1");

enum TileMode { kAllTiles = 0, kTilesList = 1 };

int SheetsIndexOf(int sheets)
{
    for (int i = 0; i < CXDPosterFeature::kSheetCounts; ++i) {
        if (kSheets[i] == sheets) {
            return i;
        }
    }
    return -1;
}

// Sets the tiles the comma list names within 1 ... sheets; other tokens and empty ones between
// commas are ignored. One pass over the list: its length, however great, costs linear time.
void MarkListedTiles(LPCWSTR list, int sheets, PosterValues& values)
{
    LPCWSTR text = XDIsEmpty(list) ? kEmptyTileList : list;
    const WCHAR separator = kTileSeparator[0];
    while (*text) {
        LPCWSTR end = text;
        while (*end && *end != separator) {
            ++end;
        }
        const int tile = _wtoi(XDText(text, end).c_str());
        if (tile >= 1 && tile <= sheets) {
            values.tiles[tile - 1] = 1;
        }
        text = *end ? end + 1 : end;
    }
}

}  // namespace

int CXDPosterFeature::SheetCount(int sheetsIndex)
{
    return sheetsIndex >= 0 && sheetsIndex < kSheetCounts ? kSheets[sheetsIndex] : 0;
}

HRESULT CXDPosterFeature::ReadPrintTicket(CXDPrintTicket& ticket, PosterValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    HRESULT result = ticket.GetFeatureElement(kPoster, nullptr);
    if (FAILED(result)) {
        return result;
    }
    CXDBstr tileOption;
    result = ticket.GetSubFeatureOption(kPoster, kTiles, &tileOption);
    if (FAILED(result)) {
        return result;
    }
    int sheets = 0;
    result = ticket.GetScoredPropertyInteger(kPoster, kSheetsPerPage, &sheets);
    if (FAILED(result)) {
        return result;
    }
    values->sheets = sheets;
    if (sheets < kSheets[0] || sheets > kXDMaximumPosterTiles) {
        return kXDNotFound;
    }
    int sheetsIndex = SheetsIndexOf(sheets);
    if (sheetsIndex < 0) {
        return E_INVALIDARG;
    }
    values->sheetsIndex = sheetsIndex;

    int found = XDFindName(tileOption.Get(), kTileModes, XDCountOf(kTileModes));
    if (found >= 0) {
        values->tileMode = found;
    }
    if (values->tileMode == kTilesList) {
        CXDBstr list;
        result = ticket.GetScoredPropertyValue(kTiles, kSelectedTiles, &list);
        if (FAILED(result)) {
            return result;
        }
        MarkListedTiles(list.Get(), sheets, *values);
    } else if (values->tileMode == kAllTiles) {
        for (int i = 0; i < sheets; ++i) {
            values->tiles[i] = 1;
        }
    }
    if (values->tileMode != kAllTiles && values->tileMode != kTilesList) {
        return E_FAIL;
    }
    return result;
}

HRESULT CXDPosterFeature::BuildTileList(const PosterValues* values, int format, BSTR* type, BSTR* text)
{
    if (!values || !type || !text) {
        return E_POINTER;
    }
    if (format != kTileListFormat || SheetCount(values->sheetsIndex) == 0) {
        return E_INVALIDARG;
    }
    try {
        CXDString list;
        CXDString number;
        for (int i = 0; i < SheetCount(values->sheetsIndex); ++i) {
            if (values->tiles[i] != 1) {
                continue;
            }
            if (!list.IsEmpty()) {
                list.Append(kTileSeparator);
            }
            number.Format(TEXT("%d"), i + 1);
            list.Append(number.GetBuffer());
        }
        CXDBstr typeText(AllocBstrOrThrow(TEXT("string")));
        CXDBstr listText(AllocBstrOrThrow(list.GetBuffer()));
        SysFreeString(*type);
        *type = typeText.Detach();
        SysFreeString(*text);
        *text = listText.Detach();
        return S_OK;
    } catch (const CXDException& failure) {
        return failure.GetResult();
    }
}

HRESULT CXDPosterFeature::WritePrintTicket(CXDPrintTicket& ticket, const PosterValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    if (values->tileMode != kAllTiles && values->tileMode != kTilesList) {
        return E_INVALIDARG;
    }
    try {
        HRESULT result = ticket.RemoveFeature(kPoster);
        if (FAILED(result)) {
            return result;
        }
        CXDComPtr<IXMLDOMElement> feature;
        CXDComPtr<IXMLDOMElement> option;
        result = ticket.CreateFeatureOption(kPoster, &feature, &option);
        if (FAILED(result)) {
            return result;
        }
        CXDComPtr<IXMLDOMElement> sheetsProperty;
        result = ticket.SetScoredPropertyInteger(kSheetsPerPage, values->sheets, &sheetsProperty);
        if (SUCCEEDED(result)) {
            result = XDAppendChild(option.Get(), sheetsProperty.Get());
        }

        CXDComPtr<IXMLDOMElement> tilesFeature;
        CXDComPtr<IXMLDOMElement> tilesOption;
        if (SUCCEEDED(result)) {
            result =
                ticket.SetFeatureOption(kTiles, kTileModes[values->tileMode], &tilesFeature, &tilesOption);
        }
        if (SUCCEEDED(result)) {
            result = XDAppendChild(feature.Get(), tilesFeature.Get());
        }

        CXDComPtr<IXMLDOMElement> parameterInit[1];
        if (SUCCEEDED(result) && values->tileMode == kTilesList) {
            CXDBstr type;
            CXDBstr list;
            result = BuildTileList(values, kTileListFormat, &type, &list);
            CXDComPtr<IXMLDOMElement> listProperty;
            if (SUCCEEDED(result)) {
                result = XDCreateParameterInitProperty(ticket, kSelectedTiles, kTileListParameter, type.Get(),
                                                       list.Get(), listProperty, parameterInit[0]);
            }
            if (SUCCEEDED(result)) {
                result = XDAppendChild(tilesOption.Get(), listProperty.Get());
            }
        }
        if (SUCCEEDED(result)) {
            result = XDAppendFeatureToRoot(ticket, feature.Get(), parameterInit, XDCountOf(parameterInit));
        }
        return result;
    } catch (const CXDException&) {
        return E_FAIL;
    }
}

HRESULT CXDPosterFeature::WritePrintCapabilities(CXDPrintCapabilities& capabilities)
{
    try {
        CXDComPtr<IXMLDOMNode> root;
        CXDComPtr<IXMLDOMElement> feature;
        HRESULT result = XDPrepareCapabilityFeature(capabilities, poster, root, feature);
        if (SUCCEEDED(result)) {
            result = XDAppendValueOptions(capabilities, feature.Get(), posterOptions, kSheets, kSheetCounts);
        }

        if (SUCCEEDED(result) && tiles.listed == 1) {
            CXDComPtr<IXMLDOMElement> tilesFeature;
            result = XDAddCapabilitySubFeature(capabilities, tiles, tilesFeature);
            for (int slot = 0; slot < XDCountOf(tilesOptions) && SUCCEEDED(result); ++slot) {
                if (tilesOptions[slot].listed != 1) {
                    continue;
                }
                CXDComPtr<IXMLDOMElement> option;
                result = XDAddCapabilityOption(capabilities, tilesOptions[slot], true, option);
                if (SUCCEEDED(result) && slot == kTilesList && tileListParameter.listed == 1) {
                    result = XDAppendParameterRefProperty(capabilities, option.Get(), kSelectedTiles,
                                                          tileListParameter.name.GetBuffer());
                }
                if (SUCCEEDED(result)) {
                    result = XDAppendChild(tilesFeature.Get(), option.Get());
                }
            }
            if (SUCCEEDED(result)) {
                result = XDAppendChild(feature.Get(), tilesFeature.Get());
            }
        }
        if (SUCCEEDED(result)) {
            result = XDAppendChild(root.Get(), feature.Get());
        }

        const bool listPublished = tiles.listed == 1 && tilesOptions[kTilesList].listed == 1;
        if (SUCCEEDED(result) && listPublished && tileListParameter.listed == 1) {
            result = XDAppendParameterDef(capabilities, root.Get(), tileListParameter);
        }
        return result;
    } catch (const CXDException&) {
        return E_FAIL;
    }
}
