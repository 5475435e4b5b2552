// Job "preferences": the printing preferences opened headless on the sample printer. It prints
// the driver state the property sheets build (each feature: its handler's class id and class, the
// current option, the feature's display state and the state of each option) and the help file
// the UI sink hands to nirapres; then the sheet as the core driver opens it (PreferencesSheets.h).
#include "host/HostJob.h"
#include "host/OutFolder.h"
#include "host/PreferencesSession.h"
#include "host/PreferencesSheets.h"
#include "host/SectionReport.h"

#include <cctype>
#include <string>
#include <typeinfo>

#include "nira/uiplugin/core/uisettings/NiraUISettings.h"
#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"
#include "nira/uiplugin/interfaces/INiraUISink.h"

namespace {

constexpr int kNameChars = 260;

// The class name of a handler object, without the length prefix of its type name.
std::string ClassName(const INiraFeatureHandler* handler)
{
    if (handler == nullptr) {
        return "none";
    }
    std::string name = typeid(*handler).name();
    size_t start = 0;
    while (start < name.size() && std::isdigit(static_cast<unsigned char>(name[start]))) {
        ++start;
    }
    return name.substr(start);
}

void PrintFeature(CNiraUICore& core, CNiraUISettings* settings, int featureId, const FeatureBinding* binding)
{
    int option = 0;
    int isSet = 0;
    settings->GetCurrentOption(featureId, &option, &isSet);
    FeatureEntry* entry = nullptr;
    int id = featureId;
    int display = -1;
    if (settings->FindFeature(&id, &entry) == 0 && entry != nullptr && entry->uiRecord != nullptr) {
        display = entry->uiRecord->displayState;
    }
    std::string states;
    const int count = settings->GetOptionCount(featureId);
    for (int index = 0; index < count; ++index) {
        int optionIndex = 0;
        int optionId = 0;
        int bitmapId = 0;
        int iconId = 0;
        int state = 0;
        WCHAR name[kNameChars] = {};
        if (settings->GetOptionByIndex(index, featureId, &optionIndex, &optionId, name, &bitmapId, &iconId,
                                       &state) == 0) {
            states += Format(" %d:%d", optionId, state);
        }
    }
    INiraFeatureHandler* handler = nullptr;
    core.GetHandler(binding->classId, &handler);
    HostMachine::Print(Format("  %d class %d %s option %d display %d options", featureId, binding->classId,
                              ClassName(handler).c_str(), option, display) +
                       (states.empty() ? std::string(" none") : states));
}

int Run(HostMachine& host, const std::vector<std::string>& arguments)
{
    const std::string out = MakeOutFolder(arguments);
    PreferencesSession session(host);
    if (!session.Open()) {
        HostMachine::Print("the printing preferences cannot be opened");
        return 1;
    }
    CNiraUICore& core = session.Core();
    CNiraUISettings* settings = nullptr;
    core.GetSettings(&settings);
    CNiraIdMap& bindings = core.GetBindings();
    HostMachine::Print(
        Format("driver state: %d features (feature, handler class id and class, current option, "
               "display state, option:state)",
               bindings.GetCount()));
    for (int i = bindings.GetCount() - 1; i >= 0 && settings != nullptr; --i) {
        NiraIdEntry* entry = bindings.GetEntryAt(i);
        PrintFeature(core, settings, entry->key, static_cast<FeatureBinding*>(entry->value));
    }
    WCHAR* path = nullptr;
    int status = core.GetSink()->GetHelpFilePath(&path);
    HostMachine::Print(status == 0 && path != nullptr ? TEXT("help file: ") + std::u16string(path)
                                                      : std::u16string(TEXT("help file: none")));
    return settings == nullptr || ShowPreferencesSheets(host, out, *settings) != 0 ? 1 : 0;
}

const HostJobRegistration kJob{{"preferences",
                                "the printing preferences opened headless: the driver state, the help file, "
                                "the tree view and pages nirapres makes (PNG), a change and OK",
                                57, Run}};

}  // namespace
