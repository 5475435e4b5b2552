// The pages-per-sheet converter.
#include "printticket/XDNUpFeature.h"

#include "printticket/XDConverterSteps.h"
#include "printticket/XDException.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr LPCWSTR kNUpFeatures[] = {TEXT("DocumentNUp")};
constexpr LPCWSTR kPagesPerSheet = TEXT("PagesPerSheet");
constexpr int kPages[CXDNUpFeature::kPagesSlots] = {1, 2, 4, 6, 9, 16};
constexpr LPCWSTR kDirection = TEXT("PresentationDirection");
constexpr LPCWSTR kDirectionOptions[CXDNUpFeature::kDirections] = {TEXT("RightBottom"), TEXT("BottomRight"),
                                                                   TEXT("LeftBottom"), TEXT("BottomLeft")};
constexpr LPCWSTR kBorders = TEXT("ZQBorders");
constexpr LPCWSTR kBordersOptions[] = {TEXT("Off"), TEXT("On")};
constexpr int kSinglePage = 1;

bool IsOfferedCount(int pages)
{
    for (int count : kPages) {
        if (count == pages) {
            return true;
        }
    }
    return false;
}

bool IsValidRecord(const NUpValues& values)
{
    return values.featureIndex >= 0 && values.featureIndex < XDCountOf(kNUpFeatures) &&
           values.direction >= 0 && values.direction < CXDNUpFeature::kDirections &&
           (values.borders == 0 || values.borders == 1);
}

}  // namespace

int CXDNUpFeature::PagesPerSheet(int slot)
{
    return slot >= 0 && slot < kPagesSlots ? kPages[slot] : 0;
}

HRESULT CXDNUpFeature::ReadPrintTicket(CXDPrintTicket& ticket, NUpValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    const LPCWSTR featureName = kNUpFeatures[0];
    HRESULT result = ticket.GetFeatureElement(featureName, nullptr);
    if (FAILED(result)) {
        return result;
    }
    CXDBstr directionOption;
    result = ticket.GetSubFeatureOption(featureName, kDirection, &directionOption);
    if (FAILED(result)) {
        return result;
    }
    int pages = 0;
    result = ticket.GetScoredPropertyInteger(featureName, kPagesPerSheet, &pages);
    if (FAILED(result)) {
        return result;
    }
    values->pagesPerSheet = pages;
    // ZQBorders is the driver's own: a ticket may well lack it, but one that holds it and cannot
    // be read fails rather than read as borders off.
    CXDBstr bordersOption;
    result = ticket.GetSubFeatureOption(featureName, kBorders, &bordersOption);
    if (result == kXDNotFound) {
        result = S_OK;
    }
    if (FAILED(result)) {
        return result;
    }
    if (pages < kSinglePage) {
        return kXDNotFound;
    }

    values->featureIndex = 0;
    int found = XDFindContainedName(directionOption.Get(), kDirectionOptions, kDirections);
    if (found >= 0) {
        values->direction = found;
    }
    found = XDFindName(bordersOption.Get(), kBordersOptions, XDCountOf(kBordersOptions));
    values->borders = found >= 0 ? found : 0;
    if (!IsOfferedCount(values->pagesPerSheet) || !IsValidRecord(*values)) {
        return E_FAIL;
    }
    return result;
}

HRESULT CXDNUpFeature::WritePrintTicket(CXDPrintTicket& ticket, const NUpValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    if (!IsValidRecord(*values)) {
        return E_INVALIDARG;
    }
    const LPCWSTR featureName = kNUpFeatures[values->featureIndex];
    const int pages = IsOfferedCount(values->pagesPerSheet) ? values->pagesPerSheet : kSinglePage;

    // Removing DocumentNUp takes its sub-features with it. Features of the same names elsewhere
    // (nested in the job's own N-up feature) belong to others and stay.
    HRESULT result = ticket.RemoveFeature(featureName);
    if (FAILED(result)) {
        return result;
    }
    CXDComPtr<IXMLDOMElement> feature;
    CXDComPtr<IXMLDOMElement> option;
    result = ticket.CreateFeatureOption(featureName, &feature, &option);
    CXDComPtr<IXMLDOMElement> pagesProperty;
    if (SUCCEEDED(result)) {
        result = ticket.SetScoredPropertyInteger(kPagesPerSheet, pages, &pagesProperty);
    }
    if (SUCCEEDED(result)) {
        result = XDAppendChild(option.Get(), pagesProperty.Get());
    }
    if (FAILED(result)) {
        return result;
    }

    // A ticket without the direction would lose the chosen page order: its failure is the write's.
    result =
        XDAppendSubFeatureOption(ticket, feature.Get(), kDirection, kDirectionOptions[values->direction]);
    if (FAILED(result)) {
        return result;
    }
    result = XDAppendSubFeatureOption(ticket, feature.Get(), kBorders, kBordersOptions[values->borders]);
    if (FAILED(result)) {
        return result;
    }
    return XDAppendFeatureToRoot(ticket, feature.Get(), nullptr, 0);
}

HRESULT CXDNUpFeature::WritePrintCapabilities(CXDPrintCapabilities& capabilities)
{
    try {
        CXDComPtr<IXMLDOMNode> root;
        HRESULT result = XDSelectRoot(capabilities, root);
        if (FAILED(result)) {
            return result;
        }
        // Without a listed feature there is nothing to hang the options on.
        if (nUp[0].listed != 1) {
            return S_FALSE;
        }
        CXDComPtr<IXMLDOMElement> feature;
        result = XDAddCapabilityFeature(capabilities, nUp[0], feature);
        if (SUCCEEDED(result)) {
            result = XDAppendValueOptions(capabilities, feature.Get(), nUpOptions, kPages, kPagesSlots);
        }
        if (FAILED(result)) {
            return result;
        }

        // The borders are tried even when the direction failed; either failure keeps the
        // feature out of the document.
        HRESULT directionResult = S_OK;
        if (direction.listed == 1) {
            directionResult = XDAppendCapabilitySubFeature(capabilities, feature.Get(), direction,
                                                           directionOptions, kDirections);
        }
        HRESULT bordersResult = S_OK;
        if (borders.listed == 1) {
            bordersResult = XDAppendCapabilitySubFeature(capabilities, feature.Get(), borders, bordersOptions,
                                                         XDCountOf(bordersOptions));
        }
        if (FAILED(directionResult)) {
            return directionResult;
        }
        if (FAILED(bordersResult)) {
            return bordersResult;
        }
        return XDAppendChild(root.Get(), feature.Get());
    } catch (const CXDException&) {
        return E_FAIL;
    }
}
