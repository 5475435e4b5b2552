// The core services as the handlers see them: current, default and display values kept in maps,
// and every write and command journaled.
#pragma once

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/NiraStatus.h"
#include "nira/uiplugin/foundation/store/CoreStubs.h"

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
    int SetValue(int caller, int* id, int* opt, int, int, int, int) override
    {
        calls.push_back({"SetValue", caller, *id, *opt});
        current[*id] = *opt;
        return 0;
    }
    int GetDisplayState(int id) override { return display[id]; }
    int SetDisplayState(int caller, int id, int state) override
    {
        calls.push_back({"SetDisplayState", caller, id, state});
        display[id] = state;
        return 0;
    }
    int SetOptionState(int caller, int id, int opt, int state) override
    {
        calls.push_back({"SetOptionState", caller, id, opt * 10 + state});
        return 0;
    }
    int SendHandlerCommand(int source, int target, int command, int*, int*) override
    {
        calls.push_back({"Command", source, target, command});
        return 0;
    }
    int GetOptionCount(int id) override { return optionCounts[id]; }
    int GetOptionInfo(int id, int opt, OptionInfo*) override
    {
        return options.count({id, opt}) != 0 ? 0 : NIRA_STATUS_FAILED;
    }
};

inline std::ostream& operator<<(std::ostream& out, const FakeCoreServices::Call& call)
{
    return out << call.what << "(" << call.caller << ", " << call.id << ", " << call.option << ")";
}
