#include "CoreFeatures.h"

namespace nirasim::coredriver {
namespace {

// A resource id standing for the name of an option the core driver shows from its resources.
constexpr WORD kAutoSelectResource = 0x70;

CoreOption Named(const char* keyword, const char16_t* name)
{
    return CoreOption{keyword, name, 0, false};
}

}  // namespace

std::vector<CoreFeature> DefaultCoreFeatures()
{
    std::vector<CoreFeature> features;
    features.push_back({"Orientation",
                        DMPUB_ORIENTATION,
                        {Named("PORTRAIT", u"Portrait"), Named("LANDSCAPE_CC90", u"Landscape"),
                         Named("LANDSCAPE_CC270", u"Rotated Landscape")},
                        0,
                        true});
    features.push_back({"", DMPUB_COPIES_COLLATE, {}, 1, true});
    features.push_back({"PaperSize",
                        DMPUB_FORMNAME,
                        {Named("LETTER", u"Letter"), Named("A4", u"A4"), Named("LEGAL", u"Legal")},
                        0,
                        true});
    features.push_back({"InputBin",
                        DMPUB_DEFSOURCE,
                        {CoreOption{"AUTO", u"", kAutoSelectResource, false}, Named("UPPER", u"Upper Tray"),
                         Named("MANUAL", u"Manual Feed"), Named("ENVELOPE", u"Envelope Feed")},
                        0,
                        true});
    features.push_back({"MediaType",
                        DMPUB_MEDIATYPE,
                        {Named("PLAIN", u"Plain Paper"), Named("PHOTO", u"Photo Paper")},
                        0,
                        true});
    features.push_back(
        {"Duplex",
         DMPUB_DUPLEX,
         {Named("NONE", u"None"), Named("VERTICAL", u"Long Edge"), Named("HORIZONTAL", u"Short Edge")},
         0,
         true});
    features.push_back(
        {"Resolution", DMPUB_NONE, {Named("600dpi", u"600 dpi"), Named("1200dpi", u"1200 dpi")}, 0, true});
    features.push_back({"%PagePerSheet",
                        DMPUB_NUP,
                        {Named("1", u"1"), Named("2", u"2"), Named("4", u"4"), Named("6", u"6"),
                         Named("9", u"9"), Named("16", u"16")},
                        0,
                        true});
    features.push_back({"%PageOrder",
                        DMPUB_PAGEORDER,
                        {Named("FRONT_TO_BACK", u"Front to Back"), Named("BACK_TO_FRONT", u"Back to Front")},
                        0,
                        true});
    return features;
}

void CoreFeatureState::SetFeatures(const std::vector<CoreFeature>& features)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    features_ = features;
}

std::vector<CoreFeature> CoreFeatureState::Features() const
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return features_;
}

int CoreFeatureState::FindFeature(const std::string& keyword) const
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    for (size_t i = 0; i < features_.size(); ++i) {
        if (!keyword.empty() && features_[i].keyword == keyword) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int CoreFeatureState::FindOption(int feature, const std::string& option) const
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    const auto& options = features_[feature].options;
    for (size_t i = 0; i < options.size(); ++i) {
        if (options[i].keyword == option) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::string CoreFeatureState::CurrentOption(const std::string& keyword) const
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    const int feature = FindFeature(keyword);
    if (feature < 0) {
        return {};
    }
    const CoreFeature& found = features_[feature];
    if (found.selection < 0 || static_cast<size_t>(found.selection) >= found.options.size()) {
        return {};
    }
    return found.options[found.selection].keyword;
}

void CoreFeatureState::Select(int feature, LONG option)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    features_[feature].selection = option;
}

std::vector<std::string> CoreFeatureState::FeatureKeywords() const
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    std::vector<std::string> keywords;
    for (const CoreFeature& feature : features_) {
        if (!feature.keyword.empty()) {
            keywords.push_back(feature.keyword);
        }
    }
    return keywords;
}

std::vector<std::string> CoreFeatureState::OptionKeywords(int feature) const
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    std::vector<std::string> keywords;
    for (const CoreOption& option : features_[feature].options) {
        keywords.push_back(option.keyword);
    }
    return keywords;
}

void CoreFeatureState::Record(const SetOptionsCall& call)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    setOptions_.push_back(call);
}

void CoreFeatureState::Record(const UpdateUISettingCall& call)
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    updates_.push_back(call);
}

std::vector<SetOptionsCall> CoreFeatureState::SetOptionsCalls() const
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return setOptions_;
}

std::vector<UpdateUISettingCall> CoreFeatureState::UpdateUISettingCalls() const
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    return updates_;
}

void CoreFeatureState::ClearJournals()
{
    std::lock_guard<std::recursive_mutex> guard(lock_);
    setOptions_.clear();
    updates_.clear();
}

}  // namespace nirasim::coredriver
