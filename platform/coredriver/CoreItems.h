// The core driver's common property-sheet items for one CommonUIProp call: its option items built
// from its features, the plug-in's items, and the UI object through which the plug-in reads the
// core driver's settings (DrvGetDriverSetting) and tells it of changes (DrvUpdateUISetting).
#pragma once

#include <printoem.h>

#include <deque>
#include <string>
#include <vector>

#include "CoreFeatures.h"

namespace nirasim::coredriver {

class CoreItemBlock {
public:
    CoreItemBlock(CoreFeatureState& state, HANDLE printer, DEVMODEW* publicDevMode, DWORD pluginItems);
    CoreItemBlock(const CoreItemBlock&) = delete;
    CoreItemBlock& operator=(const CoreItemBlock&) = delete;

    POEMCUIPPARAM Param() { return &param_; }
    POEMUIOBJ UIObject() { return &uiObject_.object; }
    std::vector<CoreItemState> Items() const;

private:
    // The UI object handed to the plug-in leads back to its block.
    struct OwnedUIObject {
        OEMUIOBJ object;
        CoreItemBlock* owner;
    };

    static BOOL APIENTRY GetDriverSetting(PVOID driverObject, PCSTR feature, PVOID output, DWORD size,
                                          PDWORD needed, PDWORD optionsReturned);
    static BOOL APIENTRY UpdateUISetting(PVOID driverObject, PVOID item, DWORD previous, DWORD mode);

    void AddItem(const CoreFeature& feature);

    CoreFeatureState& state_;
    std::vector<CoreFeature> features_;  // as they were when the items were built
    std::deque<std::u16string> texts_;
    std::deque<std::vector<OPTPARAM>> options_;
    std::deque<OPTTYPE> types_;
    std::deque<USERDATA> userData_;
    std::vector<OPTITEM> items_;
    std::vector<OPTITEM> pluginItems_;
    OEMUIPROCS procs_;
    OwnedUIObject uiObject_;
    OEMCUIPPARAM param_;
};

}  // namespace nirasim::coredriver
