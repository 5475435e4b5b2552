// Feeds mutated feature databases to every reader: the capability, constraint and UI-layout
// readers and the feature database must refuse or read any file without reading outside what
// SQLite hands them, and every record they deliver must be freeable.
#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/databases/ConstraintDB.h"
#include "nira/uiplugin/foundation/databases/FeatureDatabase.h"
#include "nira/uiplugin/foundation/databases/IntRecord.h"
#include "nira/uiplugin/foundation/databases/UILayoutDB.h"
#include "nira/uiplugin/foundation/databases/WidgetInfo.h"

#include <nirasim/Machine.h>

#include <stdint.h>

#include <string>
#include <vector>

namespace {

LONG FreeRecord(INT, INT kind, LPVOID record, LPVOID)
{
    if (kind == CAPABILITY_KIND_VOCABULARY) {
        auto* vocabulary = static_cast<VocabularyRecord*>(record);
        LocalFree(vocabulary->vocabNamespace);
        LocalFree(vocabulary->vocabMap);
    }
    LocalFree(record);
    return 0;
}

LONG TouchOption(INT, INT, INT, INT, INT, INT, LPCWSTR name, INT, INT, INT, INT, INT, INT, INT, INT, INT, INT,
                 INT, INT, INT, LPCWSTR key, INT, LPCWSTR vocabNamespace, LPCWSTR vocabMap, INT,
                 LPCWSTR command, INT, INT, INT, INT, INT, INT, LPVOID user)
{
    size_t& characters = *static_cast<size_t*>(user);
    for (LPCWSTR text : {name, key, vocabNamespace, vocabMap, command}) {
        for (; text != nullptr && *text != 0; ++text) {
            ++characters;  // every text is read to its end
        }
    }
    return 0;
}

LONG KeepContainer(CNiraIntRecord* record, LPVOID user)
{
    *static_cast<INT*>(user) = record->containerId;
    return 0;
}

LONG KeepWindow(CNiraIntRecord* record, LPVOID user)
{
    static_cast<std::vector<INT>*>(user)->push_back(static_cast<CNiraWindowRecord*>(record)->windowId);
    return 0;
}

LONG TouchWidget(CNiraWidgetInfo* widget, LPVOID user)
{
    *static_cast<INT*>(user) += widget->FeatureID();
    return 0;
}

LONG TouchConstraint(LPVOID, INT, INT)
{
    return 0;
}

LONG TouchPrecondition(LPVOID, INT, INT, INT, INT, INT, INT, INT, INT, INT)
{
    return 0;
}

int TouchRow(void*, int, char**, char**)
{
    return 0;
}

void ReadCapabilities(LPCWSTR path)
{
    CNiraCapabilityDB reader;
    reader.Open(path);
    INT* ids = nullptr;
    INT count = 0;
    INT highestSettings = 0;
    INT highestUi = 0;
    if (reader.GetFeatureIds(&ids, &count, &highestSettings, &highestUi) == 0) {
        size_t characters = 0;
        for (INT i = 0; i < count && i < 8; ++i) {
            reader.EnumOptions(&ids[i], TouchOption, &characters);
        }
    }
    LocalFree(ids);
    reader.GetFeatureSettings(FreeRecord, nullptr, nullptr);
    reader.EnumCategories(FreeRecord, nullptr);
    reader.EnumVocabularies(FreeRecord, nullptr);
    reader.EnumTreeView(FreeRecord, nullptr);
}

void ReadConstraints(LPCWSTR path)
{
    CNiraConstraintDB reader;
    reader.Open(path);
    reader.GetConstraints(TouchConstraint, nullptr);
    for (INT constraint = 1; constraint <= 4; ++constraint) {
        reader.GetPreconditions(constraint, TouchPrecondition, nullptr);
    }
}

void ReadLayout(LPCWSTR path)
{
    CNiraUILayoutDB reader;
    reader.Open(path);
    INT frameType = 0;
    reader.GetFrameType(TEXT("DocPropSheet"), &frameType);
    INT containerId = 0;
    if (reader.FindContainer(TEXT("DocPropSheet"), KeepContainer, &containerId) != 0) {
        return;
    }
    std::vector<INT> windows;
    reader.EnumWindows(containerId, 0, KeepWindow, &windows);
    INT features = 0;
    for (size_t i = 0; i < windows.size() && i < 8; ++i) {
        reader.EnumWidgets(0, windows[i], TouchWidget, &features);
    }
}

}  // namespace

extern "C" const char* __asan_default_options()
{
    return "verify_asan_link_order=0";
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static nirasim::Machine machine;  // stays for the whole run, with its modules
    static const WCHAR kPath[] = TEXT("C:\\Data\\fuzzed.vdf");
    if (!machine.WriteFile(kPath, std::string(reinterpret_cast<const char*>(data), size))) {
        return 0;
    }
    ReadCapabilities(kPath);
    ReadConstraints(kPath);
    ReadLayout(kPath);
    CNiraFeatureDatabase database(kPath);
    database.SetCallback(TouchRow, nullptr);
    database.Execute("SELECT * FROM FDT4114");
    return 0;
}
