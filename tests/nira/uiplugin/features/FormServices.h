// The core services of the paper list and custom size tests: FakeCoreServices that also keeps the
// option records handlers add and remove (the boxes of the custom size editor keep their texts in
// them), finds paper options by name and hands the paper list's commands to a paper list.
#pragma once

#include <string>
#include <vector>

#include "FakeCoreServices.h"
#include "nira/uiplugin/interfaces/INiraFeatureHandler.h"

class FormServices : public FakeCoreServices {
public:
    INiraFeatureHandler* paperList = nullptr;  // answers the commands to feature 4114 when set
    std::vector<std::pair<int, int>> treeViewRemoved;

    int AddOption(int caller, int id, int opt, OptionInfo* info) override
    {
        optionInfos[{id, opt}] = *info;
        return FakeCoreServices::AddOption(caller, id, opt, info);
    }
    int RemoveOption(int caller, int* id, int* opt) override
    {
        optionInfos.erase({*id, *opt});
        return FakeCoreServices::RemoveOption(caller, id, opt);
    }
    int RemoveTreeViewOption(int caller, int* id, int* opt) override
    {
        calls.push_back({"RemoveTreeViewOption", caller, *id, *opt});
        return 0;
    }
    int FindOptionByName(int id, WCHAR* name, int* opt) override
    {
        for (auto& entry : optionInfos) {
            if (entry.first.first == id && WString(entry.second.displayName) == WString(name)) {
                *opt = entry.first.second;
                return 0;
            }
        }
        return NIRA_STATUS_FAILED;
    }
    int GetOptionValue(int id, int opt, int* value) override
    {
        auto found = optionInfos.find({id, opt});
        if (found != optionInfos.end() && found->second.optionIndex != 0) {
            *value = found->second.optionIndex;
            return 0;
        }
        return FakeCoreServices::GetOptionValue(id, opt, value);
    }
    int SendHandlerCommand(int source, int target, int command, int* value, int* result) override
    {
        if (paperList != nullptr && target == 4114) {
            calls.push_back({"Command", source, target, command});
            return paperList->OnCommand(source, command, value, result);
        }
        return FakeCoreServices::SendHandlerCommand(source, target, command, value, result);
    }
};
