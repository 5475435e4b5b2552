// The roll-cut converter.
#include "printticket/XDRollCutFeature.h"

#include "printticket/XDConverterSteps.h"
#include "printticket/XDException.h"
#include "printticket/XDPrintCapabilities.h"
#include "printticket/XDPrintTicket.h"

namespace {

constexpr LPCWSTR kRollCut = TEXT("DocumentRollCut");
constexpr LPCWSTR kCutModes[] = {TEXT("CutSheetAtStandardMediaSize"), TEXT("None")};
constexpr LPCWSTR kSaveRoll = TEXT("ZQSaveRollOnPaper");
constexpr LPCWSTR kSaveRollModes[] = {TEXT("Off"), TEXT("On")};

bool IsFlag(int value)
{
    return value == 0 || value == 1;
}

}  // namespace

HRESULT CXDRollCutFeature::ReadPrintTicket(CXDPrintTicket& ticket, RollCutValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    try {
        CXDBstr option;
        HRESULT result = XDReadFeatureOption(ticket, kRollCut, option);
        if (FAILED(result)) {
            return result;
        }
        int found = XDFindName(option.Get(), kCutModes, XDCountOf(kCutModes));
        if (found >= 0) {
            values->cutMode = found;
        }

        CXDBstr saveOption;
        result = ticket.GetSubFeatureOption(kRollCut, kSaveRoll, &saveOption);
        if (SUCCEEDED(result)) {
            found = XDFindName(saveOption.Get(), kSaveRollModes, XDCountOf(kSaveRollModes));
            if (found >= 0) {
                values->saveRollOnPaper = found;
            }
        }
        if (SUCCEEDED(result) && (!IsFlag(values->cutMode) || !IsFlag(values->saveRollOnPaper))) {
            return E_FAIL;
        }
        return result;
    } catch (const CXDException& failure) {
        return failure.GetResult();
    }
}

HRESULT CXDRollCutFeature::WritePrintTicket(CXDPrintTicket& ticket, const RollCutValues* values)
{
    if (!values) {
        return E_POINTER;
    }
    if (!IsFlag(values->cutMode) || !IsFlag(values->saveRollOnPaper)) {
        return E_INVALIDARG;
    }
    try {
        CXDComPtr<IXMLDOMElement> feature;
        CXDComPtr<IXMLDOMElement> option;
        HRESULT result =
            XDReplaceFeatureOption(ticket, kRollCut, kCutModes[values->cutMode], feature, option);
        if (FAILED(result)) {
            return result;
        }
        // A ticket without the sub-feature would lose the save-roll choice: its failure is the
        // write's.
        result = XDAppendSubFeatureOption(ticket, feature.Get(), kSaveRoll,
                                          kSaveRollModes[values->saveRollOnPaper]);
        if (FAILED(result)) {
            return result;
        }
        return XDAppendFeatureToRoot(ticket, feature.Get(), nullptr, 0);
    } catch (const CXDException&) {
        return E_FAIL;
    }
}

HRESULT CXDRollCutFeature::WritePrintCapabilities(CXDPrintCapabilities& capabilities)
{
    try {
        CXDComPtr<IXMLDOMNode> root;
        CXDComPtr<IXMLDOMElement> feature;
        HRESULT result = XDPrepareCapabilityFeature(capabilities, rollCut, root, feature);
        if (SUCCEEDED(result)) {
            result =
                XDAppendListedOptions(capabilities, feature.Get(), rollCutOptions, XDCountOf(rollCutOptions));
        }
        if (SUCCEEDED(result)) {
            result = XDAppendCapabilitySubFeature(capabilities, feature.Get(), saveRoll, saveRollOptions,
                                                  XDCountOf(saveRollOptions));
        }
        if (SUCCEEDED(result)) {
            result = XDAppendChild(root.Get(), feature.Get());
        }
        return result;
    } catch (const CXDException&) {
        return E_FAIL;
    }
}
