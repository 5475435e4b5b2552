#include "nira/presentation/SettingsReading.h"

#include "nira/presentation/NiraWidget.h"

#include "common/NiraStatus.h"

bool ReadOptionAt(INiraUISettings* settings, int featureId, int index, SettingsOption* option)
{
    return settings->GetOptionByIndex(index, featureId, &option->index, &option->id, option->name,
                                      &option->bitmapId, &option->iconId, &option->state) == NIRA_STATUS_OK;
}

std::vector<SettingsOption> ReadOptions(INiraUISettings* settings, int featureId)
{
    std::vector<SettingsOption> options;
    const int count = settings->GetOptionCount(featureId);
    for (int i = 0; i < count; ++i) {
        SettingsOption option;
        if (ReadOptionAt(settings, featureId, i, &option)) {
            options.push_back(option);
        }
    }
    return options;
}

std::vector<SettingsOption> ReadNamedOptions(INiraUISettings* settings, int featureId)
{
    std::vector<SettingsOption> options = ReadOptions(settings, featureId);
    std::vector<SettingsOption> named;
    for (const SettingsOption& option : options) {
        if (option.name[0] != 0) {
            named.push_back(option);
        }
    }
    return named;
}

OptionInfo* AllocOptionInfo()
{
    return static_cast<OptionInfo*>(LocalAlloc(LPTR, sizeof(OptionInfo)));
}

void FreeOptionInfo(OptionInfo* info)
{
    if (info != nullptr) {
        LocalFree(info);
    }
}

const FeatureUIRecord* DisplayRecordOf(INiraUISettings* settings, int featureId)
{
    FeatureEntry* entry = nullptr;
    if (settings == nullptr || settings->FindFeature(&featureId, &entry) != NIRA_STATUS_OK ||
        entry == nullptr) {
        return nullptr;
    }
    return entry->uiRecord;
}

void LoadFeatureLabel(CNiraWidget* widget, INiraUISettings* settings)
{
    const FeatureUIRecord* display = DisplayRecordOf(settings, widget->GetFeatureId());
    // The record's switch at this place asks for the label string as the widgets' text.
    if (display != nullptr && display->softLink != 0) {
        widget->LoadStringId(display->stringId);
    }
}
