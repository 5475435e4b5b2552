// The core services as the handlers see them: current, default and display values kept in maps,
// and every write and command journaled.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/databases/CapabilityRecords.h"
#include "nira/uiplugin/foundation/store/CoreStubs.h"
#include "support/WString.h"

class FakeCoreServices : public StubCoreServices {
public:
    struct Call {
        std::string what;
        int caller;
        int id;
        int option;  // the option, state or command
        bool operator==(const Call& other) const
        {
            return what == other.what && caller == other.caller && id == other.id && option == other.option;
        }
    };

    std::map<int, int> current;
    std::map<int, int> isSet;
    std::map<int, int> defaults;
    std::map<int, int> display;
    std::map<int, int> optionCounts;
    std::set<std::pair<int, int>> options;
    std::vector<Call> calls;

    // The options EnumerateOptions walks: option id, public value, display name.
    struct Listed {
        int option;
        int value;
        WString name;
    };
    std::map<int, std::vector<Listed>> listed;
    std::map<int, int> previous;
    std::map<int, int> rangeMax;
    std::map<int, int> userSelected;
    std::map<std::pair<int, int>, int> optionStates;
    std::map<std::pair<int, int>, OptionInfo> optionInfos;
    std::map<int, FeatureRecord> records;
    std::map<int, FeatureEntry*> entries;
    bool failWalk = false;

    ~FakeCoreServices() override
    {
        for (auto& entry : entries) {
            delete entry.second;
        }
    }
    int EnumerateOptions(int id, NiraOptionEnumCallback callback, void* userData) override
    {
        if (failWalk) {
            return NIRA_STATUS_FAILED;
        }
        int index = 0;
        for (Listed& option : listed[id]) {
            callback(index++, option.option, option.value, &option.name[0], userData);
        }
        return 0;
    }
    int GetOptionCount(int id) override
    {
        return listed.count(id) != 0 ? static_cast<int>(listed[id].size()) : optionCounts[id];
    }
    int GetPreviousOption(int id, int* opt, int* set) override
    {
        *opt = previous[id];
        *set = 0;
        return previous.count(id) != 0 ? 0 : NIRA_STATUS_FAILED;
    }
    int GetRangeMax(int id, int* most) override
    {
        if (rangeMax.count(id) == 0) {
            return NIRA_STATUS_FAILED;
        }
        *most = rangeMax[id];
        return 0;
    }
    int IsUserSelected(int id, int* chosen) override
    {
        *chosen = userSelected[id];
        return 0;
    }
    int GetOptionState(int id, int opt, int* state) override
    {
        auto found = optionStates.find({id, opt});
        if (found == optionStates.end()) {
            return NIRA_STATUS_FAILED;
        }
        *state = found->second;
        return 0;
    }
    int FindOptionByValue(int id, int value, int* opt) override
    {
        for (const Listed& option : listed[id]) {
            if (option.value == value) {
                *opt = option.option;
                return 0;
            }
        }
        return NIRA_STATUS_FAILED;
    }
    int GetOptionName(int id, int opt, WCHAR* name) override
    {
        for (const Listed& option : listed[id]) {
            if (option.option == opt) {
                std::copy(option.name.begin(), option.name.end(), name);
                name[option.name.size()] = 0;
                return 0;
            }
        }
        return NIRA_STATUS_FAILED;
    }
    int GetOptionValue(int id, int opt, int* value) override
    {
        for (const Listed& option : listed[id]) {
            if (option.option == opt) {
                *value = option.value;
                return 0;
            }
        }
        return NIRA_STATUS_FAILED;
    }
    int FindFeature(int* id, FeatureEntry** entry) override
    {
        if (records.count(*id) == 0) {
            return NIRA_STATUS_FAILED;
        }
        if (entries.count(*id) == 0) {
            entries[*id] = new FeatureEntry();
        }
        entries[*id]->record = &records[*id];
        *entry = entries[*id];
        return 0;
    }
    int RemoveOption(int caller, int* id, int* opt) override
    {
        calls.push_back({"RemoveOption", caller, *id, *opt});
        return 0;
    }
    int AddOption(int caller, int id, int opt, OptionInfo* info) override
    {
        calls.push_back({"AddOption", caller, id, opt});
        if (countAdded) {
            lines[id].push_back(WString(info->displayName));
            ++optionCounts[id];
        }
        added = WString(info->displayName);
        addedState = info->state;
        LocalFree(info);  // the settings keep what they store
        return 0;
    }
    WString added;
    int addedState = -1;
    // With countAdded, each added option's text is kept per feature and counted as an option.
    bool countAdded = false;
    std::map<int, std::vector<WString>> lines;
    int RemoveAllOptions(int id) override
    {
        calls.push_back({"RemoveAllOptions", 0, id, 0});
        lines.erase(id);
        optionCounts[id] = 0;
        return 0;
    }
    WString popupContainer;
    int ShowPopup(int messageId, WCHAR* containerName) override
    {
        calls.push_back({"ShowPopup", 0, messageId, 0});
        popupContainer = containerName != nullptr ? WString(containerName) : WString();
        return 0;
    }
    WString printerName;
    int acceptable = 0;  // what IsOptionAcceptable answers

    int GetPrinterName(WCHAR** buffer) override
    {
        if (printerName.empty()) {
            return NIRA_STATUS_FAILED;
        }
        *buffer = static_cast<WCHAR*>(LocalAlloc(LPTR, 260 * sizeof(WCHAR)));
        std::copy(printerName.begin(), printerName.end(), *buffer);
        return 0;
    }
    int HasOption(int id, int opt, int* found) override
    {
        *found = 0;
        for (const Listed& option : listed[id]) {
            *found |= option.option == opt ? 1 : 0;
        }
        return 0;
    }
    int IsOptionAcceptable(int, int, int* ok) override
    {
        *ok = acceptable;
        return 0;
    }
    int AddTreeViewOption(int caller, int id, int opt, TreeViewOptionRecord* row) override
    {
        calls.push_back({"AddTreeViewOption", caller, id, opt});
        treeViewTexts.push_back(WString(row->displayName));
        LocalFree(row);
        return 0;
    }
    std::vector<WString> treeViewTexts;

    int GetValue(int id, int* opt, int* set) override
    {
        if (current.count(id) == 0) {
            return NIRA_STATUS_FAILED;
        }
        *opt = current[id];
        *set = isSet[id];
        return 0;
    }
    int GetDefaultOption(int id, int* opt) override
    {
        *opt = defaults[id];
        return 0;
    }
    int SetValue(int caller, int* id, int* opt, int, int, int, int fromOwner) override
    {
        calls.push_back({"SetValue", caller, *id, *opt});
        current[*id] = *opt;
        lastFromOwner = fromOwner;
        return 0;
    }
    int lastFromOwner = -1;
    int GetDisplayState(int id) override { return display[id]; }
    int SetDisplayState(int caller, int id, int state) override
    {
        calls.push_back({"SetDisplayState", caller, id, state});
        display[id] = state;
        return 0;
    }
    int SetFeatureState(int caller, int id, int state) override
    {
        calls.push_back({"SetFeatureState", caller, id, state});
        return 0;
    }
    int SetDefaultDisplayState(int caller, int id, int state) override
    {
        calls.push_back({"SetDefaultDisplayState", caller, id, state});
        return 0;
    }
    int SetOptionInfo(int caller, int id, int opt, OptionInfo* info) override
    {
        calls.push_back({"SetOptionInfo", caller, id, opt});
        optionInfos[{id, opt}] = *info;
        return 0;
    }
    int SetOptionState(int caller, int id, int opt, int state) override
    {
        calls.push_back({"SetOptionState", caller, id, opt * 10 + state});
        return 0;
    }
    // What another handler answers to a command; none: 0 and nothing written.
    std::function<int(int command, int* value, int* result)> answer;

    int SendHandlerCommand(int source, int target, int command, int* value, int* result) override
    {
        calls.push_back({"Command", source, target, command});
        return answer ? answer(command, value, result) : 0;
    }
    int GetOptionInfo(int id, int opt, OptionInfo* out) override
    {
        auto found = optionInfos.find({id, opt});
        if (found != optionInfos.end()) {
            *out = found->second;
            return 0;
        }
        return options.count({id, opt}) != 0 ? 0 : NIRA_STATUS_FAILED;
    }
};

inline std::ostream& operator<<(std::ostream& out, const FakeCoreServices::Call& call)
{
    return out << call.what << "(" << call.caller << ", " << call.id << ", " << call.option << ")";
}
