// The core driver's helper interface as it publishes it to its plug-in: its features and options,
// read and set on a DEVMODE or on the instance's current settings.
#pragma once

#include <prcomoem.h>

#include <deque>
#include <string>
#include <vector>

#include "CoreFeatures.h"

namespace nirasim::coredriver {

// The core driver's own block in a DEVMODE's private area, after the public part: a marker and
// the selected option of each of its features.
constexpr DWORD kCoreBlockMarker = 0x56524443;  // "CDRV"
constexpr DWORD kCoreBlockFeatures = 60;
struct CoreBlock {
    DWORD marker;
    BYTE selections[kCoreBlockFeatures];
};
constexpr DWORD kCoreBlockSize = sizeof(CoreBlock);

// The core driver's block of a DEVMODE of size bytes; null when it has none.
CoreBlock* FindCoreBlock(DEVMODEW* devMode, DWORD size);

class CoreHelper : public IPrintCoreHelper {
public:
    explicit CoreHelper(CoreFeatureState& state) : state_(state) {}

    STDMETHOD(QueryInterface)(REFIID iid, void** out) override;
    STDMETHOD_(ULONG, AddRef)() override;
    STDMETHOD_(ULONG, Release)() override;

    STDMETHOD(GetOption)(const DEVMODEW* devMode, DWORD size, PCSTR feature, PCSTR* option) override;
    STDMETHOD(SetOptions)
    (DEVMODEW* devMode, DWORD size, BOOL resolveConflicts, const PRINT_FEATURE_OPTION* pairs, DWORD count,
     DWORD* written, DWORD* result) override;
    STDMETHOD(EnumConstrainedOptions)(const DEVMODEW*, DWORD, PCSTR, PCSTR**, DWORD*) override
    {
        return E_NOTIMPL;
    }
    STDMETHOD(WhyConstrained)
    (const DEVMODEW*, DWORD, PCSTR, PCSTR, const PRINT_FEATURE_OPTION**, DWORD*) override
    {
        return E_NOTIMPL;
    }
    STDMETHOD(EnumFeatures)(PCSTR** features, DWORD* count) override;
    STDMETHOD(EnumOptions)(PCSTR feature, PCSTR** options, DWORD* count) override;
    STDMETHOD(GetFontSubstitution)(PCWSTR, PCWSTR*) override { return E_NOTIMPL; }
    STDMETHOD(SetFontSubstitution)(PCWSTR, PCWSTR) override { return E_NOTIMPL; }
    STDMETHOD(CreateInstanceOfMSXMLObject)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*) override
    {
        return E_NOTIMPL;
    }

    LONG References() const { return references_; }

private:
    // Texts handed to the plug-in live as long as the helper.
    PCSTR Keep(const std::string& text);
    PCSTR* KeepList(const std::vector<std::string>& texts);

    CoreFeatureState& state_;
    LONG volatile references_ = 1;
    std::deque<std::string> texts_;
    std::deque<std::vector<PCSTR>> lists_;
};

}  // namespace nirasim::coredriver
