#include "CoreItems.h"

#include <string.h>

namespace nirasim::coredriver {

CoreItemBlock::CoreItemBlock(CoreFeatureState& state, HANDLE printer, DEVMODEW* publicDevMode,
                             DWORD pluginItems)
    : state_(state), features_(state.Features())
{
    for (const CoreFeature& feature : features_) {
        AddItem(feature);
    }
    pluginItems_.resize(pluginItems);
    for (OPTITEM& item : pluginItems_) {
        memset(&item, 0, sizeof(item));
        item.cbSize = sizeof(OPTITEM);
    }
    procs_.DrvGetDriverSetting = GetDriverSetting;
    procs_.DrvUpdateUISetting = UpdateUISetting;
    uiObject_.object.cbSize = sizeof(OEMUIOBJ);
    uiObject_.object.pOemUIProcs = &procs_;
    uiObject_.owner = this;
    memset(&param_, 0, sizeof(param_));
    param_.cbSize = sizeof(OEMCUIPPARAM);
    param_.poemuiobj = &uiObject_.object;
    param_.hPrinter = printer;
    param_.pPublicDM = publicDevMode;
    param_.pDrvOptItems = items_.data();
    param_.cDrvOptItems = static_cast<DWORD>(items_.size());
    param_.pOEMOptItems = pluginItems_.empty() ? nullptr : pluginItems_.data();
    param_.cOEMOptItems = static_cast<DWORD>(pluginItems_.size());
}

void CoreItemBlock::AddItem(const CoreFeature& feature)
{
    OPTITEM item;
    memset(&item, 0, sizeof(item));
    item.cbSize = sizeof(OPTITEM);
    item.DMPubID = feature.publicId;
    item.Sel = feature.selection;
    texts_.push_back(feature.keyword.empty()
                         ? std::u16string(u"Copies")
                         : std::u16string(feature.keyword.begin(), feature.keyword.end()));
    item.pName = const_cast<LPWSTR>(texts_.back().c_str());
    if (feature.userData) {
        USERDATA data;
        memset(&data, 0, sizeof(data));
        data.dwSize = sizeof(USERDATA);
        data.dwItemID = items_.size();
        data.pKeyWordName = feature.keyword.empty() ? nullptr : const_cast<PSTR>(feature.keyword.c_str());
        userData_.push_back(data);
        item.UserData = reinterpret_cast<ULONG_PTR>(&userData_.back());
    }
    std::vector<OPTPARAM> options;
    for (const CoreOption& option : feature.options) {
        OPTPARAM param;
        memset(&param, 0, sizeof(param));
        param.cbSize = sizeof(OPTPARAM);
        param.Flags = option.warning ? OPTPF_OVERLAY_WARNING_ICON : 0;
        if (option.name.empty()) {
            param.pData = reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(option.resourceId));
        } else {
            texts_.push_back(option.name);
            param.pData = const_cast<LPWSTR>(texts_.back().c_str());
        }
        options.push_back(param);
    }
    options_.push_back(options);
    OPTTYPE type;
    memset(&type, 0, sizeof(type));
    type.cbSize = sizeof(OPTTYPE);
    type.Type = feature.options.empty() ? TVOT_UDARROW : TVOT_LISTBOX;
    type.Count = static_cast<WORD>(options_.back().size());
    type.pOptParam = options_.back().empty() ? nullptr : options_.back().data();
    types_.push_back(type);
    item.pOptType = &types_.back();
    items_.push_back(item);
}

std::vector<CoreItemState> CoreItemBlock::Items() const
{
    std::vector<CoreItemState> states;
    for (size_t i = 0; i < items_.size(); ++i) {
        const OPTITEM& item = items_[i];
        CoreItemState state{features_[i].keyword, item.DMPubID, item.Flags, item.Sel, {}};
        for (WORD option = 0; item.pOptType != nullptr && option < item.pOptType->Count; ++option) {
            state.optionFlags.push_back(item.pOptType->pOptParam[option].Flags);
        }
        states.push_back(state);
    }
    return states;
}

BOOL APIENTRY CoreItemBlock::GetDriverSetting(PVOID driverObject, PCSTR feature, PVOID output, DWORD size,
                                              PDWORD needed, PDWORD optionsReturned)
{
    auto* block = reinterpret_cast<OwnedUIObject*>(driverObject)->owner;
    const std::string current = feature != nullptr ? block->state_.CurrentOption(feature) : std::string();
    if (current.empty() || needed == nullptr) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *needed = static_cast<DWORD>(current.size() + 1);
    if (optionsReturned != nullptr) {
        *optionsReturned = 1;
    }
    if (output == nullptr || size < *needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    memcpy(output, current.c_str(), *needed);
    return TRUE;
}

// The core driver takes the item's selection as the feature's current option.
BOOL APIENTRY CoreItemBlock::UpdateUISetting(PVOID driverObject, PVOID item, DWORD previous, DWORD mode)
{
    auto* block = reinterpret_cast<OwnedUIObject*>(driverObject)->owner;
    auto* changed = static_cast<OPTITEM*>(item);
    const ptrdiff_t index = changed - block->items_.data();
    if (index < 0 || static_cast<size_t>(index) >= block->items_.size()) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const CoreFeature& feature = block->features_[index];
    const bool selectable =
        changed->Sel >= 0 && changed->pOptType != nullptr && changed->Sel < changed->pOptType->Count;
    const bool warning = selectable && changed->pOptType->pOptParam != nullptr &&
                         (changed->pOptType->pOptParam[changed->Sel].Flags & OPTPF_OVERLAY_WARNING_ICON) != 0;
    block->state_.Record(
        UpdateUISettingCall{feature.keyword, changed->DMPubID, previous, changed->Sel, mode, warning});
    const int featureIndex = block->state_.FindFeature(feature.keyword);
    if (featureIndex >= 0 && selectable) {
        block->state_.Select(featureIndex, changed->Sel);
    }
    return TRUE;
}

}  // namespace nirasim::coredriver
