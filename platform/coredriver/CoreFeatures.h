// The simulated core driver's own features: their keywords, options and items, and the state a
// core-driver instance keeps of them (current options and the journals of the plug-in's calls).
#pragma once

#include <nirasim/CoreDriver.h>

#include <mutex>
#include <string>
#include <vector>

namespace nirasim::coredriver {

// The features every instance starts with.
std::vector<CoreFeature> DefaultCoreFeatures();

class CoreFeatureState {
public:
    CoreFeatureState() : features_(DefaultCoreFeatures()) {}

    void SetFeatures(const std::vector<CoreFeature>& features);
    std::vector<CoreFeature> Features() const;
    // -1 when the feature is not the core driver's.
    int FindFeature(const std::string& keyword) const;
    int FindOption(int feature, const std::string& option) const;
    // The keyword of the feature's current option; empty for an unknown feature.
    std::string CurrentOption(const std::string& keyword) const;
    void Select(int feature, LONG option);
    std::vector<std::string> FeatureKeywords() const;
    std::vector<std::string> OptionKeywords(int feature) const;

    void Record(const SetOptionsCall& call);
    void Record(const UpdateUISettingCall& call);
    std::vector<SetOptionsCall> SetOptionsCalls() const;
    std::vector<UpdateUISettingCall> UpdateUISettingCalls() const;
    void ClearJournals();

private:
    mutable std::recursive_mutex lock_;
    std::vector<CoreFeature> features_;
    std::vector<SetOptionsCall> setOptions_;
    std::vector<UpdateUISettingCall> updates_;
};

}  // namespace nirasim::coredriver
