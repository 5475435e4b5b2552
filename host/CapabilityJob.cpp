// Job "capabilities": the sample printer's capability database as the driver's readers see it:
// every feature with its handler class, default and PrintTicket name, its options in the user's
// language, and the features of each display category.
#include "host/HostJob.h"

#include "nira/uiplugin/foundation/databases/CapabilityDB.h"
#include "nira/uiplugin/foundation/printer/NiraPrinterAccess.h"
#include "nira/uiplugin/foundation/printer/PrinterDataNames.h"

#include <map>
#include <string>
#include "support/WString.h"
#include <vector>

namespace {

struct Option {
    INT id;
    INT index;
    INT state;
    WString name;
    WString printTicketName;
};

struct Feature {
    FeatureRecord record = {};
    FeatureUIRecord display = {};
    WString printTicketName;
    std::vector<Option> options;
};

typedef std::map<INT, Feature> FeatureTable;

WString Text(LPCWSTR text)
{
    return text != nullptr ? WString(text) : WString();
}

WString Number(INT value)
{
    return nirasim::Wide(std::to_string(value));
}

LONG KeepRecord(INT featureId, INT kind, LPVOID record, LPVOID user)
{
    Feature& feature = (*static_cast<FeatureTable*>(user))[featureId];
    if (kind == CAPABILITY_KIND_FEATURE) {
        feature.record = *static_cast<FeatureRecord*>(record);
    } else if (kind == CAPABILITY_KIND_FEATURE_UI) {
        feature.display = *static_cast<FeatureUIRecord*>(record);
    } else if (kind == CAPABILITY_KIND_VOCABULARY) {
        auto* vocabulary = static_cast<VocabularyRecord*>(record);
        feature.printTicketName = Text(vocabulary->vocabMap);
        if (vocabulary->vocabNamespace != nullptr) {
            LocalFree(vocabulary->vocabNamespace);
        }
        if (vocabulary->vocabMap != nullptr) {
            LocalFree(vocabulary->vocabMap);
        }
    }
    LocalFree(record);
    return 0;
}

LONG KeepOption(INT optionIndex, INT featureId, INT optionId, INT, INT, INT, LPCWSTR optionName, INT,
                INT state, INT, INT, INT, INT, INT, INT, INT, INT, INT, INT, INT, LPCWSTR, INT, LPCWSTR,
                LPCWSTR vocabMap, INT, LPCWSTR, INT, INT, INT, INT, INT, INT, LPVOID user)
{
    (*static_cast<FeatureTable*>(user))[featureId].options.push_back(
        {optionId, optionIndex, state, Text(optionName), Text(vocabMap)});
    return 0;
}

const WCHAR* DisplayStateName(INT state)
{
    switch (state) {
    case 2:
        return TEXT("greyed");
    case 3:
        return TEXT("shown");
    default:
        return TEXT("hidden");
    }
}

const WCHAR* OptionStateName(INT state)
{
    switch (state) {
    case 3:
    case 5:
        return TEXT("  (unavailable)");
    case 4:
        return TEXT("  (conflict)");
    default:
        return TEXT("");
    }
}

void ShowFeature(INT id, const Feature& feature)
{
    WString line = TEXT("  ") + Number(id) + TEXT("  class ") + Number(feature.record.classId) +
                   TEXT("  default ") + Number(feature.record.defaultOption) + TEXT("  ") +
                   DisplayStateName(feature.display.displayState);
    if (feature.display.isUserInput && feature.record.rangeMax > feature.record.rangeMin) {
        line +=
            TEXT("  value ") + Number(feature.record.rangeMin) + TEXT("..") + Number(feature.record.rangeMax);
    }
    if (feature.printTicketName != TEXT("0")) {
        line += TEXT("  ") + feature.printTicketName;
    }
    HostMachine::Print(line);
    for (const Option& option : feature.options) {
        WString text = TEXT("      ") + Number(option.id) + TEXT("  ") + option.name;
        if (option.printTicketName != TEXT("0") && !option.printTicketName.empty()) {
            text += TEXT("  [") + option.printTicketName + TEXT("]");
        }
        if (option.id == feature.record.defaultOption) {
            text += TEXT("  *");
        }
        HostMachine::Print(text + OptionStateName(option.state));
    }
}

void ShowCategories(const FeatureTable& features)
{
    std::map<INT, WString> categories;
    for (const auto& [id, feature] : features) {
        categories[feature.display.categoryId] += TEXT(" ") + Number(id);
    }
    HostMachine::Print("categories (features of each):");
    for (const auto& [category, ids] : categories) {
        HostMachine::Print(TEXT("  ") + (category == 0 ? WString(TEXT("none")) : Number(category)) +
                           TEXT(":") + ids);
    }
}

int Run(HostMachine& host, const std::vector<std::string>&)
{
    CNiraPrinterAccess access(reinterpret_cast<LPCWSTR>(host.printerName().c_str()));
    WCHAR path[CNiraPrinterAccess::kComponentPathChars];
    if (!access.FindDriverIni(FALSE) || !access.GetComponentPath(kCapabilityDatabaseKey, path)) {
        HostMachine::Print("the driver INI names no capability database");
        return 1;
    }
    HostMachine::Print(TEXT("capability database: ") + WString(path));

    CNiraCapabilityDB reader;
    reader.Open(path);
    INT* ids = nullptr;
    INT count = 0, highestSettingsId = 0, highestUiId = 0;
    reader.GetFeatureIds(&ids, &count, &highestSettingsId, &highestUiId);
    LocalFree(ids);
    HostMachine::Print(Number(count) + TEXT(" features; highest settings id ") + Number(highestSettingsId) +
                       TEXT(", highest user-interface id ") + Number(highestUiId));

    FeatureTable features;
    if (reader.GetFeatureSettings(KeepRecord, &features, nullptr) != 0 ||
        reader.EnumCategories(KeepRecord, &features) != 0 ||
        reader.EnumVocabularies(KeepRecord, &features) != 0) {
        HostMachine::Print("the capability database cannot be read");
        return 1;
    }
    for (auto& entry : features) {
        reader.EnumOptions(&entry.first, KeepOption, &features);
    }

    HostMachine::Print("features (id, handler class, default option, display, PrintTicket name; * default):");
    for (const auto& [id, feature] : features) {
        ShowFeature(id, feature);
    }
    ShowCategories(features);
    return 0;
}

const HostJobRegistration registration{
    {"capabilities", "the capability database as the readers see it", 30, Run}};

}  // namespace
