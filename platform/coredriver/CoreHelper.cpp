#include "CoreHelper.h"

#include <string.h>

namespace nirasim::coredriver {

CoreBlock* FindCoreBlock(DEVMODEW* devMode, DWORD size)
{
    if (devMode == nullptr || size < sizeof(DEVMODEW) || devMode->dmDriverExtra < kCoreBlockSize ||
        static_cast<DWORD>(devMode->dmSize) + kCoreBlockSize > size) {
        return nullptr;
    }
    auto* block = reinterpret_cast<CoreBlock*>(reinterpret_cast<BYTE*>(devMode) + devMode->dmSize);
    return block->marker == kCoreBlockMarker ? block : nullptr;
}

STDMETHODIMP CoreHelper::QueryInterface(REFIID iid, void** out)
{
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPrintCoreHelper)) {
        *out = static_cast<IPrintCoreHelper*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

// The instance owns the helper; the count only tells tests who still holds it.
STDMETHODIMP_(ULONG) CoreHelper::AddRef()
{
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

STDMETHODIMP_(ULONG) CoreHelper::Release()
{
    return static_cast<ULONG>(InterlockedDecrement(&references_));
}

PCSTR CoreHelper::Keep(const std::string& text)
{
    texts_.push_back(text);
    return texts_.back().c_str();
}

PCSTR* CoreHelper::KeepList(const std::vector<std::string>& texts)
{
    std::vector<PCSTR> list;
    for (const std::string& text : texts) {
        list.push_back(Keep(text));
    }
    list.push_back(nullptr);
    lists_.push_back(list);
    return lists_.back().data();
}

STDMETHODIMP CoreHelper::GetOption(const DEVMODEW* devMode, DWORD size, PCSTR feature, PCSTR* option)
{
    if (feature == nullptr || option == nullptr) {
        return E_INVALIDARG;
    }
    const int index = state_.FindFeature(feature);
    if (index < 0) {
        return E_INVALIDARG;
    }
    std::vector<std::string> options = state_.OptionKeywords(index);
    size_t selected = 0;
    if (devMode != nullptr) {
        const CoreBlock* block = FindCoreBlock(const_cast<DEVMODEW*>(devMode), size);
        if (block == nullptr || static_cast<DWORD>(index) >= kCoreBlockFeatures) {
            return E_INVALIDARG;
        }
        selected = block->selections[index];
    } else {
        selected = state_.FindOption(index, state_.CurrentOption(feature));
    }
    if (selected >= options.size()) {
        return E_FAIL;
    }
    *option = Keep(options[selected]);
    return S_OK;
}

STDMETHODIMP CoreHelper::SetOptions(DEVMODEW* devMode, DWORD size, BOOL resolveConflicts,
                                    const PRINT_FEATURE_OPTION* pairs, DWORD count, DWORD* written,
                                    DWORD* result)
{
    SetOptionsCall call{{}, resolveConflicts, devMode != nullptr, S_OK};
    CoreBlock* block = devMode != nullptr ? FindCoreBlock(devMode, size) : nullptr;
    DWORD done = 0;
    for (DWORD i = 0; pairs != nullptr && i < count; ++i) {
        const std::string feature = pairs[i].pszFeature != nullptr ? pairs[i].pszFeature : "";
        const std::string option = pairs[i].pszOption != nullptr ? pairs[i].pszOption : "";
        call.pairs.emplace_back(feature, option);
        const int featureIndex = state_.FindFeature(feature);
        const int optionIndex = featureIndex >= 0 ? state_.FindOption(featureIndex, option) : -1;
        if (optionIndex < 0) {
            continue;
        }
        if (devMode == nullptr) {
            state_.Select(featureIndex, optionIndex);
            ++done;
        } else if (block != nullptr && static_cast<DWORD>(featureIndex) < kCoreBlockFeatures) {
            block->selections[featureIndex] = static_cast<BYTE>(optionIndex);
            ++done;
        }
    }
    if (written != nullptr) {
        *written = done;
    }
    if (result != nullptr) {
        *result = 0;
    }
    call.result = pairs != nullptr && done == count ? S_OK : E_INVALIDARG;
    state_.Record(call);
    return call.result;
}

STDMETHODIMP CoreHelper::EnumFeatures(PCSTR** features, DWORD* count)
{
    if (features == nullptr || count == nullptr) {
        return E_POINTER;
    }
    std::vector<std::string> keywords = state_.FeatureKeywords();
    *count = static_cast<DWORD>(keywords.size());
    *features = KeepList(keywords);
    return S_OK;
}

STDMETHODIMP CoreHelper::EnumOptions(PCSTR feature, PCSTR** options, DWORD* count)
{
    if (feature == nullptr || options == nullptr || count == nullptr) {
        return E_POINTER;
    }
    const int index = state_.FindFeature(feature);
    if (index < 0) {
        return E_INVALIDARG;
    }
    std::vector<std::string> keywords = state_.OptionKeywords(index);
    *count = static_cast<DWORD>(keywords.size());
    *options = KeepList(keywords);
    return S_OK;
}

}  // namespace nirasim::coredriver
