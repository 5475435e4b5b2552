// The page-scaling converter.
#include "printticket/XDPageScalingFeature.h"

#include "printticket/XDConverterSteps.h"
#include "printticket/XDException.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr LPCWSTR kScaling = TEXT("PageScaling");
constexpr LPCWSTR kScale = TEXT("Scale");
constexpr LPCWSTR kScaleParameter = TEXT("PageScalingScale");
constexpr LPCWSTR kNone = TEXT("None");
constexpr LPCWSTR kFitToSize = TEXT("ZQPrintDocumentOn");
constexpr LPCWSTR kCustomSquare = TEXT("CustomSquare");
// The scored properties of the fit-to-size option and their parameters, in this order.
constexpr LPCWSTR kFitProperties[] = {TEXT("ScaleWidth"), TEXT("ScaleHeight"), TEXT("ZQScaleToFit")};
constexpr LPCWSTR kFitParameterNames[] = {TEXT("PageScalingScaleWidth"), TEXT("PageScalingScaleHeight"),
                                          TEXT("PageZQPrintDocumentOnScaleToFit")};
static_assert(XDCountOf(kFitProperties) == CXDPageScalingFeature::kFitParameters, "one parameter a property");

// The media size of the ticket, read for the fit factor.
constexpr LPCWSTR kMediaSize = TEXT("PageMediaSize");
constexpr LPCWSTR kMediaSizeWidth = TEXT("MediaSizeWidth");
constexpr LPCWSTR kMediaSizeHeight = TEXT("MediaSizeHeight");

// The fit factor compares sizes in units of 100 microns.
constexpr int kFitUnitMicrons = 100;
constexpr float kPercent = 100.0f;

enum ScalingKind { kKindNone = 0, kKindFitToSize = 1, kKindCustomSquare = 2 };
enum OptionSlot { kSlotPlain = 0, kSlotFitToSize = 1, kSlotCustomSquare = 2 };

int ClampScale(int scale)
{
    if (scale <= CXDPageScalingFeature::kMinimumScale) {
        return CXDPageScalingFeature::kMinimumScale;
    }
    if (scale >= CXDPageScalingFeature::kMaximumScale) {
        return CXDPageScalingFeature::kMaximumScale;
    }
    return scale;
}

// The ticket's page in microns; the result is that of the first read that failed (the width read
// failing leaves both at 0). A failed height read is reported through heightFailed.
HRESULT ReadMediaSize(CXDPrintTicket& ticket, int& width, int& height, bool& heightFailed)
{
    width = 0;
    height = 0;
    heightFailed = false;
    CXDBstr option;
    HRESULT result = ticket.GetFeatureOption(kMediaSize, &option);
    int readWidth = 0;
    if (SUCCEEDED(result)) {
        result = XDReadPositiveInteger(ticket, kMediaSize, kMediaSizeWidth, readWidth);
    }
    if (FAILED(result)) {
        return result;
    }
    int readHeight = 0;
    result = XDReadPositiveInteger(ticket, kMediaSize, kMediaSizeHeight, readHeight);
    if (FAILED(result)) {
        heightFailed = true;
        return result;
    }
    width = readWidth;
    height = readHeight;
    return result;
}

// The larger scale at which the page still fits the target: the smaller of the two ratios target /
// page, the width ratio on a tie, with 64-bit products. A page or target without a usable size
// leaves the factor as it is.
void ComputeFitFactor(PageScalingValues& values, int mediaWidth, int mediaHeight)
{
    const float pageWidth = static_cast<float>(mediaWidth / kFitUnitMicrons);
    const float pageHeight = static_cast<float>(mediaHeight / kFitUnitMicrons);
    if (pageWidth <= 0.0f || pageHeight <= 0.0f) {
        return;
    }
    const int targetWidth = values.targetWidth / kFitUnitMicrons;
    const int targetHeight = values.targetHeight / kFitUnitMicrons;
    if (targetWidth <= 0 || targetHeight <= 0) {
        return;  // a target given by the caller that is no size gives no factor either
    }
    if (static_cast<LONGLONG>(targetWidth) * mediaHeight > static_cast<LONGLONG>(targetHeight) * mediaWidth) {
        values.factor = static_cast<float>(targetHeight) / pageHeight;
    } else {
        values.factor = static_cast<float>(targetWidth) / pageWidth;
    }
}

}  // namespace

HRESULT CXDPageScalingFeature::ReadPrintTicket(CXDPrintTicket& ticket, PageScalingValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    try {
        CXDBstr option;
        HRESULT result = XDReadFeatureOption(ticket, kScaling, option);
        if (FAILED(result)) {
            return result;
        }

        int mediaWidth = 0;
        int mediaHeight = 0;
        bool heightFailed = false;
        const HRESULT mediaResult = ReadMediaSize(ticket, mediaWidth, mediaHeight, heightFailed);
        if (heightFailed) {
            return mediaResult;
        }

        if (XDNameEquals(option.Get(), kNone)) {
            return S_FALSE;
        }
        if (XDNameEquals(option.Get(), kCustomSquare)) {
            values->kind = kKindCustomSquare;
            result = ticket.GetScoredPropertyInteger(kScaling, kScale, &values->scale);
            values->scale = ClampScale(values->scale);
            if (FAILED(result)) {
                return result;
            }
            values->factor = static_cast<float>(values->scale) / kPercent;
            return result;
        }
        if (XDNameEquals(option.Get(), kFitToSize)) {
            values->kind = kKindFitToSize;
            // A target the ticket lacks keeps the record's value; one that could not be read, or a
            // page size that could not, would give a wrong factor: those fail.
            if (FAILED(mediaResult) && mediaResult != kXDNotFound) {
                return mediaResult;
            }
            int* const targets[] = {&values->targetWidth, &values->targetHeight};
            for (int i = 0; i < 2; ++i) {
                result = XDReadPositiveInteger(ticket, kScaling, kFitProperties[i], *targets[i]);
                if (FAILED(result) && result != kXDNotFound) {
                    return result;
                }
            }
            result = ticket.GetScoredPropertyInteger(kScaling, kFitProperties[2], &values->scaleToFit);
            if (SUCCEEDED(result)) {
                ComputeFitFactor(*values, mediaWidth, mediaHeight);
            }
            return result;
        }
        return mediaResult;
    } catch (const CXDException& failure) {
        return failure.GetResult();
    }
}

HRESULT CXDPageScalingFeature::WritePrintTicket(CXDPrintTicket& ticket, const PageScalingValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    if (values->kind < kKindNone || values->kind > kKindCustomSquare) {
        return E_INVALIDARG;
    }
    try {
        static constexpr LPCWSTR kOptionByKind[] = {kNone, kFitToSize, kCustomSquare};
        CXDComPtr<IXMLDOMElement> feature;
        CXDComPtr<IXMLDOMElement> option;
        HRESULT result =
            XDReplaceFeatureOption(ticket, kScaling, kOptionByKind[values->kind], feature, option);
        if (FAILED(result)) {
            return result;
        }

        CXDComPtr<IXMLDOMElement> parameterInits[kFitParameters];
        int parameterCount = 0;
        if (values->kind == kKindCustomSquare) {
            parameterCount = 1;
            result = XDAppendIntegerParameterProperties(ticket, option.Get(), &kScale, &kScaleParameter,
                                                        &values->scale, parameterCount, parameterInits);
        } else if (values->kind == kKindFitToSize) {
            const int numbers[] = {values->targetWidth, values->targetHeight, values->scaleToFit};
            parameterCount = kFitParameters;
            result =
                XDAppendIntegerParameterProperties(ticket, option.Get(), kFitProperties, kFitParameterNames,
                                                   numbers, parameterCount, parameterInits);
        }
        if (FAILED(result)) {
            return result;
        }
        return XDAppendFeatureToRoot(ticket, feature.Get(), parameterInits, parameterCount);
    } catch (const CXDException&) {
        return E_FAIL;
    }
}

HRESULT CXDPageScalingFeature::WritePrintCapabilities(CXDPrintCapabilities& capabilities)
{
    try {
        CXDComPtr<IXMLDOMNode> root;
        CXDComPtr<IXMLDOMElement> feature;
        HRESULT result = XDPrepareCapabilityFeature(capabilities, scaling, root, feature);
        for (int slot = 0; slot < kOptionSlots && SUCCEEDED(result); ++slot) {
            if (scalingOptions[slot].listed != 1) {
                continue;
            }
            CXDComPtr<IXMLDOMElement> option;
            result = XDAddCapabilityOption(capabilities, scalingOptions[slot], true, option);
            // The slot, not the name, says which properties the option carries.
            if (slot == kSlotFitToSize) {
                for (int i = 0; i < kFitParameters && SUCCEEDED(result); ++i) {
                    result = XDAppendParameterRefProperty(capabilities, option.Get(), kFitProperties[i],
                                                          kFitParameterNames[i]);
                }
            } else if (slot == kSlotCustomSquare && SUCCEEDED(result)) {
                result = XDAppendParameterRefProperty(capabilities, option.Get(), kScale, kScaleParameter);
            }
            if (SUCCEEDED(result)) {
                result = XDAppendChild(feature.Get(), option.Get());
            }
        }
        if (SUCCEEDED(result)) {
            result = XDAppendChild(root.Get(), feature.Get());
        }

        const CXDParameterEntry* definitions[] = {&fitParameters[0], &fitParameters[1], &fitParameters[2],
                                                  &scaleParameter};
        for (const CXDParameterEntry* definition : definitions) {
            if (FAILED(result)) {
                break;
            }
            if (definition->listed == 1) {
                result = XDAppendParameterDef(capabilities, root.Get(), *definition);
            }
        }
        return result;
    } catch (const CXDException&) {
        return E_FAIL;
    }
}
